#pragma once

// A report as a PDF document: A4 sheets, drawn at scale 1 by the same
// routines as the preview and the printer, into memory. Writing the bytes
// to a file is the caller's business.

#include "rapports/ModImprimer.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sorvel {

// Every page of `rapport` as the bytes of a PDF document; nothing when the
// document cannot be made (`erreur` then says why, in French, without a
// final full stop). Needs a QGuiApplication.
std::optional<QByteArray> DocumentPdf(const DonneesRapport& donnees, Rapport rapport, QString* erreur = nullptr);

} // namespace sorvel
