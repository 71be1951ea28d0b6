#pragma once

// A report as a PDF file: A4 sheets, drawn at scale 1 by the same routines
// as the preview and the printer.

#include "rapports/ModImprimer.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sorvel {

// Every page of `rapport` as the bytes of a PDF document; nothing when the
// document cannot be made (`erreur` then says why, in French, without a
// final full stop). Needs a QGuiApplication.
std::optional<QByteArray> DocumentPdf(const DonneesRapport& donnees, Rapport rapport, QString* erreur = nullptr);

// Writes every page of `rapport` to the file `chemin`. The file appears only
// once complete: on failure nothing is left at `chemin` (a file already there
// keeps its content), `erreur` gets a French message and the result is false.
// Needs a QGuiApplication.
bool EcrirePdf(const DonneesRapport& donnees, Rapport rapport, const QString& chemin, QString* erreur = nullptr);

} // namespace sorvel
