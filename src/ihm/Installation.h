#pragma once

// The files the program loads from its own folder, and a check that an
// installed copy has them all in a usable state (`sorvel
// --verifier-installation`), so that a broken installation is found before
// a user meets a blank picture or a help button that does nothing.

#include <QString>
#include <QStringList>

#include <vector>

namespace sorvel {

// Pictures beside the program: main-window backgrounds, then the four load
// types.
inline const QStringList ImagesProgramme = {
    QStringLiteral("Fd1.fpl"),   QStringLiteral("Fd2.fpl"),   QStringLiteral("Ch_No.Fpl"),
    QStringLiteral("Ch_El.fpl"), QStringLiteral("Ch_Cd.fpl"), QStringLiteral("Ch_Ca.fpl"),
};
inline const QStringList CurseursProgramme = {
    QStringLiteral("Main.cur"), QStringLiteral("Plus.cur"), QStringLiteral("Moins.cur"),
};
inline const QString FichierAide = QStringLiteral("Sorvel.chm");
// The base outdoor temperatures the climate dialog proposes from.
inline const QString FichierTemperaturesBase = QStringLiteral("TemperaturesBase.txt");

// A file of the program's folder that the program cannot use, and why (a
// French phrase: "absent", "illisible ou endommagé"...).
struct FichierInutilisable {
    QString fichier;
    QString raison;
};

// Checks every picture, cursor, the help file and the table of base
// temperatures (present) of the program's folder
// (DossierProgramme()) by loading them as the program does; the help file
// must open, have the window type "plancher" and a page for every help
// context of the screens. Empty when all is in order. Pictures need a
// QGuiApplication.
std::vector<FichierInutilisable> VerifierFichiersProgramme();

} // namespace sorvel
