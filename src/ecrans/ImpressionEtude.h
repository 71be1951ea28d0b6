#pragma once

// The printed reports of the study being edited: what they print, gathered
// from the model (the study recalculated, its name, today's date), and their
// printing on the default printer; without a printer, the report drawn as a
// PDF document that the model writes where the user chooses.

#include "rapports/ModImprimer.h"

#include <QString>

#include <optional>

class QWidget;

namespace sorvel {

class EtudeEnCours;

// "Maison - résultats chantier.pdf", "Maison - récapitulatif.pdf",
// "Maison - déperditions.pdf", "Maison - fiche de réglage.pdf".
QString NomFichierPdf(const QString& etude, Rapport rapport);

class ImpressionEtude {
public:
    explicit ImpressionEtude(EtudeEnCours& etude) : etude_(etude) {}

    // What the reports print of the study now, recalculated, with the
    // losses of its detailed rooms and its manifolds. Nothing when the study has no room yet
    // or a room cannot be calculated, nor, for the losses report `rapport`,
    // when the study has no climate, no room with details, or a room whose
    // losses cannot be worked out (the model tells which and why).
    std::optional<DonneesRapport> DonneesAImprimer(Rapport rapport);

    // Prints every page of `rapport` at scale 1 on the default printer,
    // while a progress dialog over `parent` counts the pages off. Without a
    // printer, offers to save it as an A4 PDF file, proposed as NomFichierPdf
    // where the model proposes exports. True when the report was printed or
    // written; false when the user gave up or it failed (then told).
    bool Imprimer(QWidget* parent, const DonneesRapport& donnees, Rapport rapport);

private:
    bool EnregistrerPdf(QWidget* parent, const DonneesRapport& donnees, Rapport rapport);

    EtudeEnCours& etude_;
};

} // namespace sorvel
