#pragma once

// A report as a PDF file: A4 sheets, drawn at scale 1 by the same routines
// as the preview and the printer.

#include "rapports/ModImprimer.h"

#include <QString>

namespace sorvel {

// Writes every page of `rapport` to the file `chemin`. The file appears only
// once complete: on failure nothing is left at `chemin` (a file already there
// keeps its content), `erreur` gets a French message and the result is false.
// Needs a QGuiApplication.
bool EcrirePdf(const DonneesRapport& donnees, Rapport rapport, const QString& chemin, QString* erreur = nullptr);

} // namespace sorvel
