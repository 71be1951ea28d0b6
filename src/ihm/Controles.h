#pragma once

// Small builders shared by the entry screens: every control gets its name
// (objectName) and, when the user acts on it, its caption as accessible name.

#include "ihm/Proteger.h"

#include <QString>

#include <functional>
#include <QPushButton>

class QComboBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace sorvel {

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
// Selects the item `texte` of `liste`; an unknown text leaves nothing chosen.
void ChoisirTexte(QComboBox* liste, const QString& texte);

// One row of a form in `grille`: the caption (buddy of the field), the
// field, its unit (a label named `nomUnite` when given) and an optional
// button. Returns the unit label.
QLabel* LigneChamp(QGridLayout* grille, int ligne, QLabel* libelle, QWidget* champ, const QString& unite,
                   const QString& nomUnite = QString(), QWidget* bouton = nullptr);

// A numeric entry field holding "0", right-aligned, `largeur` pixels wide.
ChampNumerique* ChampNombre(const QString& nom, const QString& libelle, QWidget* parent, int largeur = 90);

// The layout of an entry screen, top to bottom, with the margins and the
// spacing every screen shares.
QVBoxLayout* Disposition(QWidget* ecran);

// The buttons of an entry screen's bottom row; those a screen has not are null.
struct BoutonsPage {
    QPushButton* Aide = nullptr;      // CmdAide "Aide &?"
    QPushButton* Annuler = nullptr;   // CmdAnnuler "&Annuler"
    QPushButton* Precedent = nullptr; // CmdPrecedent "<< &Précédent"
    QPushButton* Suivant = nullptr;   // CmdSuivant "&Suivant >>"
    QPushButton* OK = nullptr;        // cmdOK "&OK"
};
// The button that moves on from a screen, if any.
enum class Avancer { Non, Suivant, OK };
// Closes `disposition` (the layout of its screen) with a sunken line and the
// bottom row: the page label `page` (LblPage) on the left; on the right
// "Aide &?", "&Annuler", "<< &Précédent" when `precedent`, then the button
// that moves on, which is the screen's default button (Enter).
BoutonsPage PiedDePage(QVBoxLayout* disposition, const QString& page, bool precedent, Avancer avancer);

// A click on `bouton` (skipped when null) runs the screen's `commande`
// through Proteger, so that no fault escapes into the event loop.
template <class Ecran>
void Relier(QPushButton* bouton, Ecran* ecran, void (Ecran::*commande)()) {
    RelierClic(bouton, ecran, [ecran, commande] { (ecran->*commande)(); });
}

} // namespace sorvel
