#pragma once

// What several views of the study share without being screens themselves:
// the colour of a value as the presentation rules give it, the save dialog
// of the exports, the room kept for the study line, and the size of a grid
// shown whole.

#include "modele/VuesEtude.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <functional>
#include <initializer_list>

class QLabel;
class QWidget;

namespace sorvel {

class Grille;

// Heading rows of the loop grids: the title of each column, then its unit.
constexpr int LigneTitre = 0;
constexpr int LigneUnite = 1;
constexpr int LignesEnTete = 2;
// Room for a cell's text beside what it measures, pixels.
constexpr int MargeColonne = 10;

// The colour of a shown value; the window-text colour for the plain one.
QColor CouleurAffichee(CouleurValeur couleur);

// The file an export writes to, chosen in a save dialog titled `titre`
// from `proposition` (a CSV file); empty when the user gives up. Tests put
// their own answer in place (an empty function restores the dialog).
using ChoixFichierExport = std::function<QString(QWidget* parent, const QString& titre, const QString& proposition)>;
QString ChoisirFichierExport(QWidget* parent, const QString& titre, const QString& proposition);
void InstallerChoixFichierExport(ChoixFichierExport choix);

// `ligne`, which shows the study line (ResumeEtude), keeps room for the
// widest line any general data give: the screen asks once for the width
// every study needs, and no study line is ever cut.
void ReserverLigneEtude(QLabel& ligne);

// The size a grid needs to show every row and column without scrolling,
// room for its scroll bars included.
QSize TailleGrilleEntiere(const Grille& grille);
// The size of a view laid out top to bottom: its whole grid, then the
// widgets `dessous` (labels, the row of buttons), with the view's margins
// and spacing.
QSize TailleVueGrille(const QWidget& vue, const Grille& grille, std::initializer_list<const QWidget*> dessous);

} // namespace sorvel
