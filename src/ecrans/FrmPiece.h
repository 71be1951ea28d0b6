#pragma once

// Room screen ("Page 2/4"): the room's name and temperature, surfaces, heat
// losses, ceiling gain, downward emission and floor-covering resistances.
// Two pop-over panels estimate the ceiling gain and the downward emission
// from an insulation thickness. Its fields are the live copy of the room
// record's fields of the same names.

#include "modele/EtudeEnCours.h"
#include "modele/ReprisePiece.h"

#include <QWidget>

#include <array>
#include <initializer_list>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QShortcut;

namespace sorvel {

class ChampNumerique;
class EtudeEnCours;
class Panneau;

class FrmPiece : public QWidget {
    Q_OBJECT
public:
    // Room names offered in the name list (any other name may be typed).
    static const QStringList NomsProposes;

    explicit FrmPiece(EtudeEnCours& etude, QWidget* parent = nullptr);

    // The room name, without the spaces typed around it.
    QString NomPiece() const;

    void Remplir(Piece& d) const;
    void Afficher(const Piece& d);

    // Leaves a pass/fail flag; shows the message of the first failed check
    // and puts the focus on its field. When it passes, a future resistance
    // left unchosen takes the present one.
    bool Controle();

    // "..." beside "Déperditions de la pièce": the room's temperature and
    // surface checked, its losses dialog is asked for.
    void CmdDeperditions_Click();
    // "OK" of the losses dialog: the two fields take what the details give.
    void AfficherDeperditions(double piece, double plancher);
    // Says beside the losses fields whether they come from the room's
    // details or were typed by hand.
    void ActualiserEtatDeperditions();
    void CmdApport_Click();
    void CmdApport_OK_Click();
    void CmdEmissions_Click();
    void CmdEmission_OK_Click();
    void CmdPrecedent_Click();
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

    // One of the two pop-over panels is open.
    bool PanneauOuvert() const;

signals:
    // The losses dialog is asked for the room as on screen.
    void deperditionsDemandees(const Piece& piece);
    void suivant();
    void precedent();
    // "Annuler": the room's entries are to be dropped.
    void annulee();

protected:
    void resizeEvent(QResizeEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;

private:
    // The parts of the screen, built in order by the constructor.
    void CreerNomEtTemperature();
    QGroupBox* CreerSurfaces();
    QGroupBox* CreerDeperditions();
    QGroupBox* CreerResistances();
    // The frames share one column width so that their fields line up.
    void AlignerCadres(std::initializer_list<QGroupBox*> cadres);
    // The two pop-over panels; each gives its "OK" button.
    QPushButton* CreerPanneauApport();
    QPushButton* CreerPanneauEmissions();
    // Every edit of a field marks the study as modified.
    void SuivreModifications();
    // The ceiling gain and the downward emission follow the surfaces and
    // insulations their panels made them from.
    void SuivreEstimations();
    // Opens `panneau` below `bouton`, the focus on `focus`; the rest of the
    // screen is disabled until it closes.
    void OuvrirPanneau(Panneau* panneau, QWidget* bouton, QWidget* focus);
    // Puts away the open panel, if any, and gives the focus to `focus`.
    void FermerPanneau(QWidget* focus);
    double Valeur(const ChampNumerique* champ) const;
    // A failed check: its message, then the focus on `champ`. False.
    bool Refuser(const QString& texte, const QString& titre, QWidget* champ);
    // The first checks of the page, shared with the losses dialog: a
    // temperature chosen, then (`d` as on screen) surfaces the study can
    // hold and a room surface.
    bool TemperatureChoisie();
    bool SurfacesDonnees(const Piece& d);

    EtudeEnCours& etude_;
    QGridLayout* haut_;
    QComboBox* cmbNomPiece_;
    QComboBox* cmbTempPiece_;
    std::array<ChampNumerique*, 2> txtSurface_;
    ChampNumerique* txtDeperdPiece_;
    ChampNumerique* txtDeperdPlancher_;
    ChampNumerique* txtApport_;
    ChampNumerique* txtEmissions_;
    QComboBox* cmbActuelle_;
    QComboBox* cmbFuture_;
    QPushButton* cmdDeperditions_;
    QLabel* lblEtatDeperditions_;
    QPushButton* cmdApport_;
    QPushButton* cmdEmissions_;

    Panneau* cdrApport_;
    ChampNumerique* txtApportSurface_;
    QComboBox* cmbApportIso_;
    Panneau* cdrEmissions_;
    QLabel* lblEmissionsBas_;
    QComboBox* cmbEmissionsIso_;
    QShortcut* echapPanneau_ = nullptr;
    // Which of the ceiling gain and the downward emission are their panels'
    // estimates, and whether the page is being written by the program (no
    // estimate follows then).
    Estimations estimees_;
    bool ecriture_ = false;
};

} // namespace sorvel
