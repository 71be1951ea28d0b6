#pragma once

// What the two expert module windows share: auxiliary windows of the main
// window whose searches run while the window keeps processing its events.

#include "ihm/ChampNumerique.h"
#include "ihm/FenetreAuxiliaire.h"
#include "modules/RepriseModules.h"
#include "modules/TextesModules.h"

#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QPushButton;
class QScrollArea;

namespace sorvel {

// One number field of the "Données d'entrée" box: TxtPrefixe(index), its
// caption, its unit, and whether it is optional (a "*" beside it) or may be
// negative (typed sign first).
enum class Particularite { Aucune, Facultative, Negative };
struct LigneDonnee {
    int index;
    const char* libelle;
    const char* unite;
    Particularite particularite = Particularite::Aucune;
};
// One pick list of the box, below the fields: CmbNom with its caption
// LblNom and its unit LblUniteNom.
struct ListeDonnee {
    const char* nom;
    const char* libelle;
    QStringList elements;
    const char* unite;
};
// The pitch of the loop, asked by both modules.
extern const ListeDonnee ListeVZ;

class FrmModule : public FenetreAuxiliaire {
    Q_OBJECT
public:
    void CmdFermer_Click() { Fermer(); }
    // "Reprendre la pièce sélectionnée": the fields take the data of `boucle`,
    // one loop of the room chosen in the rooms list. Without an outdoor
    // temperature H cannot be given: the focus goes to the outdoor
    // temperature, and H follows what is typed there as long as it shows
    // what the reprise wrote.
    void Reprendre(const DonneesBoucle& boucle);

    // The whole window without scroll bars. Made smaller, the window
    // scrolls its columns and keeps its bottom row in view.
    QSize sizeHint() const override;

signals:
    // "Reprendre la pièce sélectionnée" was pressed: the study is asked for
    // the room chosen in the rooms list.
    void repriseDemandee();

protected:
    explicit FrmModule(QWidget* parent = nullptr);

    // Runs `recherche`, a search that lets the window process its events
    // at every step (TraiterEvenements). A deleteLater() that arrives
    // meanwhile waits for the search to end, so that the window is never
    // destroyed under it. Returns false when the window was closed during
    // the search: the caller must leave it alone then.
    bool Rechercher(const std::function<void()>& recherche);
    // Processes the pending events; false once the window has been closed.
    bool TraiterEvenements();

    bool event(QEvent* evenement) override;

    // What a press that stopped has to say: its message (exclamation icon,
    // OK), then the focus on the field to correct, when there is one, its
    // whole text selected so that the next key replaces it.
    void Signaler(const std::optional<modules::Avertissement>& message, QWidget* champ);

    // The fields of the window written from `boucle`.
    virtual void RemplirDepuis(const DonneesBoucle& boucle) = 0;
    // The outdoor temperature and H fields, which a reprise links.
    void LierExterieureEtH(ChampNumerique* exterieure, ChampNumerique* h);

    // The "Données d'entrée" box: the fields of `lignes` top to bottom
    // (LblPrefixe, TxtPrefixe, LblUnitePrefixe and LblFacultatif by index),
    // put into `champs` by index, then the lists of `listes`, put into
    // `combos` in order.
    QGroupBox* CadreDonnees(const QString& prefixe, std::span<const LigneDonnee> lignes,
                            std::span<ChampNumerique*> champs, std::span<const ListeDonnee> listes,
                            std::span<QComboBox*> combos);

    // Lays out the window's three columns, left to right, on the first row
    // of its grid; what goes below them the window adds to Grille().
    void Colonnes(QWidget* donnees, QLayout* milieu, QWidget* resultats);
    QGridLayout* Grille() const { return grille_; }
    // Closes the window's layout with its bottom row, "Reprendre la pièce
    // sélectionnée" on the left, "Aide &?" and "Fermer" on the right,
    // outside the scrolling part so that they stay in reach. "Fermer" and
    // "Reprendre…" are wired here, "Aide &?" (returned) by the window.
    QPushButton* BoutonsBas();

private:
    QScrollArea* defilement_ = nullptr;
    QWidget* contenu_ = nullptr;
    QGridLayout* grille_ = nullptr;
    QHBoxLayout* rangeeBas_ = nullptr;
    std::optional<DonneesBoucle> reprise_;
    ChampNumerique* exterieure_ = nullptr;
    ChampNumerique* h_ = nullptr;
    QString hRepris_;
    int recherches_ = 0;
    bool detruireApres_ = false;
};

// The texts of `champs`, in order, as the calculation reads them.
template <std::size_t N>
std::array<std::string, N> Textes(const std::array<ChampNumerique*, N>& champs) {
    std::array<std::string, N> textes;
    for (std::size_t i = 0; i < N; ++i)
        textes[i] = champs[i]->text().toStdString();
    return textes;
}

// Writes `textes` into `champs`, in order.
template <std::size_t N>
void EcrireTextes(const std::array<ChampNumerique*, N>& champs, const std::array<std::string, N>& textes) {
    for (std::size_t i = 0; i < N; ++i)
        champs[i]->setText(QString::fromStdString(textes[i]));
}

// A titled frame named `nom`, its contents in a grid with `espacement`
// pixels between rows.
std::pair<QGroupBox*, QGridLayout*> Cadre(const QString& nom, const QString& titre, QWidget* parent, int espacement = 4);

// A caption that wraps within the width that lets the three columns fit a
// 1024-pixel screen.
QLabel* LibelleLong(const QString& nom, const QString& texte, QWidget* parent);

// A result label: sunken, right-aligned, empty at first. Its text is its
// accessible name, so that what it shows can be read out.
QLabel* LabelResultat(const QString& nom, QWidget* parent);
void AfficherResultat(QLabel* label, const QString& texte);
// One row of a results column at `ligne` of `grille`: the caption
// LblLibelle<suffixe>, the result label Lbl<suffixe> (returned) and the unit
// LblUnite<suffixe>.
QLabel* RangeeResultat(QGridLayout* grille, int ligne, const QString& suffixe, const QString& libelle,
                       const QString& unite);

} // namespace sorvel
