#pragma once

// sorvel-calcul --pdf: a printed report of the study written as a PDF file,
// without any display. The report is drawn by the PDF module (ModulePdf.h).

#include "etude/RecalculEtude.h"

#include <string>
#include <string_view>

// Exit status when the PDF file cannot be written.
inline constexpr int SortiePdf = 4;

struct OptionPdf {
    std::string rapport; // "chantier" or "recapitulatif"
    std::string sortie;  // the PDF file to write
};

// Whether `nom` names a report: "chantier" or "recapitulatif".
bool RapportConnu(std::string_view nom);

// Writes the report of the recalculated study `nom` to the option's file and
// returns the exit status: 0, 3 when the study has no room (there is nothing
// to print), SortiePdf when the report cannot be drawn or the file cannot be
// written (no file is left behind). Messages go to stderr.
int EcrireRapportPdf(const OptionPdf& option, const std::string& nom, const sorvel::Installation& generales,
                     const sorvel::EtudeRecalculee& etude, int argc, char** argv);
