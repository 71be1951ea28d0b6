#pragma once

// Load type screen ("Page 1/4"): how the room's heated floor is divided, a
// normal zone alone or with an edge zone laid tighter in front of large
// openings. Its fields are the live copy of TypeCharge, SurfaceBordure and
// PasVZBordure of the room being entered.

#include "modele/EtudeEnCours.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace sorvel {

class ChampNumerique;
class FrmCharge : public QWidget {
    Q_OBJECT
public:
    // Height of the comment frame, in twips, folded and unfolded.
    static constexpr int HauteurCommentairePlie = 255;
    static constexpr int HauteurCommentaireDeplie = 2655;

    explicit FrmCharge(EtudeEnCours& etude, QWidget* parent = nullptr);

    // The load type set (the first option's when none is).
    Charge TypeCharge() const;
    // The edge-zone surface as a number (0 when the field holds none).
    double SurfaceBordure() const;

    // The fields of the room this screen holds, and the reverse.
    void Remplir(Piece& p) const;
    void Afficher(const Piece& p);

    // Chooses load type `type` as a click on its option does.
    void ChoisirCharge(Charge type);
    // The explanation of load type `type`, shown in the comment frame.
    static QString Commentaire(Charge type);
    // The explanation a fresh screen shows, on four lines.
    static QString CommentaireInitial();
    bool CommentaireDeplie() const;
    int HauteurCommentaireTwips() const { return hauteurCommentaire_; }

    // Leaves a pass/fail flag; shows the message of the first failed check.
    bool Controle();
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();
    void CmdComment_Click();

signals:
    void suivant();
    // "Annuler": the room's entries are to be dropped.
    void annulee();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // The parts of the screen, built by the constructor: the load types
    // with their picture, the edge zone's fields, the folded explanation.
    QGroupBox* CreerTypesCharge();
    QGridLayout* CreerZoneBordure();
    void CreerCommentaire();
    void DefinirHauteurCommentaire(int twips);

    EtudeEnCours& etude_;
    std::array<QRadioButton*, NombreTypesCharge> optCharge_;
    QLabel* imgCharge_;
    std::array<QLabel*, 3> lblSurface_;
    std::array<QLabel*, 2> lblValeur_;
    ChampNumerique* txtSurfaceBordure_;
    QComboBox* cmbPasVZ_;
    QFrame* cdrComment_;
    QPlainTextEdit* txtCommentaire_;
    QPushButton* cmdComment_;
    int hauteurCommentaire_ = HauteurCommentairePlie;
};

} // namespace sorvel
