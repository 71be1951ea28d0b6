#pragma once

// sorvel-calcul --pdf: a printed report of the study written as a PDF file,
// without any display. The report is drawn by the PDF module (ModulePdf.h).

#include "etude/PresentationDeperditions.h"
#include "etude/RecalculEtude.h"

#include <string>
#include <string_view>

// Exit status when the PDF file cannot be written.
inline constexpr int SortiePdf = 4;

struct OptionPdf {
    std::string rapport; // "chantier", "recapitulatif", "deperditions" or "reglage"
    std::string sortie;  // the PDF file to write
};

// Whether `nom` names a report: "chantier", "recapitulatif", "deperditions"
// or "reglage".
bool RapportConnu(std::string_view nom);

// Writes the report of the recalculated study `nom` (its rooms' losses
// `deperditions`, the details of its job `renseignements`) to the option's file and returns the exit status: 0, 3
// when there is nothing to print (a study without rooms; for the losses, no
// climate or no room with details), SortiePdf when the report cannot be
// drawn or the file cannot be written (no file is left behind). Messages go
// to stderr.
int EcrireRapportPdf(const OptionPdf& option, const std::string& nom, const sorvel::Installation& generales,
                     const sorvel::EtudeRecalculee& etude, const sorvel::DeperditionsEtude& deperditions,
                     const sorvel::RenseignementsEtude& renseignements, int argc, char** argv);
