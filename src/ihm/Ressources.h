#pragma once

// Pictures and cursors that lie beside the program (Fd1.fpl, Ch_No.Fpl,
// Main.cur, ...) and the program's own icon.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <optional>

namespace sorvel {

// The program's folder, where the pictures, cursors and help file lie: the
// executable's own folder unless a test set another one.
QString DossierProgramme();
void DefinirDossierProgramme(const QString& dossier);
// The studies folder beside the program.
QString DossierEtudesProgramme();

// Loads the picture `nomFichier` of the program's folder, whatever its
// extension says: the format is read from the content. A missing or
// unreadable file gives a null pixmap.
QPixmap ChargerImage(const QString& nomFichier);

// Loads the Windows cursor `nomFichier` (.cur: an icon file of type 2 whose
// directory entry holds the hot spot) of the program's folder. Nothing when
// the file is missing or damaged; the caller keeps its pointer then.
std::optional<QCursor> ChargerCurseur(const QString& nomFichier);

// Same, from the bytes of a cursor file (exposed for the tests).
std::optional<QCursor> CurseurDepuisDonnees(const QByteArray& octets);

// The program's icon (a heated floor under a roof), drawn at any size.
QIcon IconeProgramme();
QPixmap ImageIconeProgramme(int taille);

} // namespace sorvel
