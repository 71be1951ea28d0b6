#pragma once

// Small builders shared by the entry screens: every control gets its name
// (objectName) and, when the user acts on it, its caption as accessible name.

#include <QString>

#include <initializer_list>

class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace sorvel {

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
// The bottom row of an entry screen: the page label on the left, the buttons
// on the right in the given order.
QHBoxLayout* LigneBoutons(QLabel* page, std::initializer_list<QPushButton*> boutons);
// Selects the item `texte` of `liste`; an unknown text leaves nothing chosen.
void ChoisirTexte(QComboBox* liste, const QString& texte);

} // namespace sorvel
