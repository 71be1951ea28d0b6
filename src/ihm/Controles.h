#pragma once

// Small builders shared by the entry screens: every control gets its name
// (objectName) and, when the user acts on it, its caption as accessible name.

#include "ihm/Proteger.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <QPushButton>

class QComboBox;
class QDialog;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace sorvel {

// What a window manager adds around a top-level window: its title bar and
// borders, room to leave for them on the screen.
inline constexpr QSize CadreFenetre{12, 36};

class ChampNumerique;
class MDIPlancher;

QPushButton* Bouton(const QString& nom, const QString& texte, QWidget* parent);
QLabel* Libelle(const QString& nom, const QString& texte, QWidget* parent);
// A pick list (not editable) holding `elements`, nothing chosen.
QComboBox* Liste(const QString& nom, const QString& libelle, const QStringList& elements, QWidget* parent);
// "15", "16", ... "24".
QStringList Entiers(int premier, int dernier);
// A horizontal sunken line.
QFrame* Trait(QWidget* parent, const QString& nom = QString());
// The heading of a room screen ("Charge", "Surfaces et déperditions"...), in
// large bold type.
QLabel* Titre(const QString& texte, QWidget* parent);
// A remark beside fields, in italics, wrapped: where their values come
// from, or why there is none. It shows that remark, which is what a screen
// reader reads out of it.
QLabel* Remarque(const QString& nom, QWidget* parent);
// Selects the item `texte` of `liste`; an unknown text leaves nothing chosen.
void ChoisirTexte(QComboBox* liste, const QString& texte);
// The whole number a list of numbers shows, nothing while none is chosen.
std::optional<int> EntierChoisi(const QComboBox* liste);

// One row of a form in `grille`: the caption (buddy of the field), the
// field, its unit (a label named `nomUnite` when given) and an optional
// button. Returns the unit label.
QLabel* LigneChamp(QGridLayout* grille, int ligne, QLabel* libelle, QWidget* champ, const QString& unite,
                   const QString& nomUnite = QString(), QWidget* bouton = nullptr);

// A numeric entry field holding "0", right-aligned, `largeur` pixels wide.
ChampNumerique* ChampNombre(const QString& nom, const QString& libelle, QWidget* parent, int largeur = 90);

// The layout of an entry screen's body, top to bottom, with the margins and
// the spacing every screen shares. The body scrolls inside the screen when
// the screen is given less height (or width) than it asks for; the bottom
// row that PiedDePage adds stays outside it, always in view.
QVBoxLayout* Disposition(QWidget* ecran);

// The buttons of an entry screen's bottom row; those a screen has not are null.
struct BoutonsPage {
    QPushButton* Aide = nullptr;      // CmdAide "Aide &?"
    QPushButton* Annuler = nullptr;   // CmdAnnuler "Annuler"
    QPushButton* Precedent = nullptr; // CmdPrecedent "<< &Précédent"
    QPushButton* Suivant = nullptr;   // CmdSuivant "&Suivant >>"
    QPushButton* OK = nullptr;        // cmdOK "&OK"
};
// The button that moves on from a screen, if any.
enum class Avancer { Non, Suivant, OK };
// Closes `disposition` (the body of its screen, from Disposition) with a
// sunken line and the bottom row: the page label `page` (LblPage) on the
// left; on the right "Aide &?", "Annuler", "<< &Précédent" when `precedent`,
// then the button that moves on. Enter anywhere in the screen presses the
// push button that has the focus, else the button that moves on. "Annuler"
// has no access key: Alt+A is the "Aide" menu's, and on the general data and
// rooms list screens "Annuler" empties the study without a question.
BoutonsPage PiedDePage(QVBoxLayout* disposition, const QString& page, bool precedent, Avancer avancer);
// Escape presses the screen's "Annuler" (the room screens, where it drops
// only the room's entries).
void EchapAnnule(const BoutonsPage& boutons);

// The bottom row of a dialog, closing its layout `disposition`: a sunken
// line, then "Aide &?" (CmdAide) on the left, "OK" (CmdOK, which Enter
// presses) and "&Annuler" (CmdAnnuler, which closes the dialog and changes
// nothing) on the right.
struct BoutonsDialogue {
    QPushButton* Aide;
    QPushButton* OK;
};
BoutonsDialogue PiedDeDialogue(QDialog* dialogue, QVBoxLayout* disposition);

// Scrolls the body of `w`'s screen so that `w` is in view, once the sizes
// that changed (a frame unfolded) are laid out.
void MontrerDansLaPage(QWidget* w);
// Puts the focus on `champ` for the user to correct it: its whole text
// selected (a number field, an editable list), scrolled into view.
void DonnerFocus(QWidget* champ);

// A click on `bouton` (skipped when null) runs the screen's `commande`
// through Proteger, so that no fault escapes into the event loop.
template <class Ecran>
void Relier(QPushButton* bouton, Ecran* ecran, void (Ecran::*commande)()) {
    RelierClic(bouton, ecran, [ecran, commande] { (ecran->*commande)(); });
}

} // namespace sorvel
