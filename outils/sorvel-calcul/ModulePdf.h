#pragma once

// What sorvel-calcul and its PDF module share. Drawing a report needs Qt
// Gui, its fonts and a platform plugin, whose loading costs more than a
// whole recalculation: they live in the module sorvel-calcul-pdf.so, which
// the tool loads from its own folder for --pdf only, so that the CSV and
// JSON runs load Qt Core alone. The module draws; the tool writes the file.
// Both are built together from the same sources and installed side by side,
// so the study crosses as its C++ types.

#include "etude/PresentationDeperditions.h"
#include "etude/RecalculEtude.h"

#include <QByteArray>
#include <QString>

#include <string>

// The reports' names on the command line, in the order of sorvel::Rapport.
inline constexpr const char* NomsRapports[] = {"chantier", "recapitulatif", "deperditions", "reglage"};

struct DemandePdf {
    std::string rapport;  // one of NomsRapports
    std::string nom;      // the study's name, printed in the header
    const sorvel::Installation* generales = nullptr;
    const sorvel::EtudeRecalculee* etude = nullptr; // at least one room
    const sorvel::DeperditionsEtude* deperditions = nullptr;
    const sorvel::RenseignementsEtude* renseignements = nullptr; // client, site, installer, notes
    int* argc = nullptr;  // the program's arguments, for its QGuiApplication
    char** argv = nullptr;
};

// The module's entry point: every page of the report as the bytes of a PDF
// document in `octets`; false when the document cannot be made, with the
// cause in `erreur` (French, without a final full stop). Never throws.
using FonctionDocumentPdf = bool(const DemandePdf& demande, QByteArray& octets, QString& erreur);

// The module's file, in the tool's folder, and the name of its entry point.
inline constexpr char FichierModulePdf[] = "sorvel-calcul-pdf.so";
inline constexpr char SymboleDocumentPdf[] = "sorvel_calcul_document_pdf";
