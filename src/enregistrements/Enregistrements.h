#pragma once

// The three fixed-length records of a study and their exact byte layouts
// (little-endian, texts in Windows-1252 padded with spaces). The general
// data and the rooms are held here as the files hold them, texts and option
// indexes, so that a damaged file can be read, checked and described; the
// pressure drops are plain numbers and keep their typed form. The texts are
// held in UTF-8; encoding cuts them to their width, decoding trims them.

#include "etude/Etude.h"

#include <array>
#include <cstdint>
#include <string>

namespace sorvel {

struct DonneesGenerales {
    static constexpr int Longueur = 10;
    std::int16_t Support = 0;   // Fixation: 0 "Treillis ou plaques pré tracées", 1 "Plots thermoformés"
    std::int16_t Tube = 0;      // DiametreTube: 0 "13x16 mm", 1 "16x20 mm"
    std::string TempDepart;     // text 2, "30" to "50"
    std::int16_t EpaisChape = 0;// cm
    std::int16_t Chape = 0;     // NatureChape: 0 "Chape traditionnelle", 1 "Chape liquide"
    bool operator==(const DonneesGenerales&) const = default;
};

struct DonneesPiece {
    static constexpr int Longueur = 136;
    std::int16_t TypeCharge = 0; // Charge
    double SurfaceBordure = 0;
    std::string PasVZBordure;   // text 2
    std::string NomPiece;       // text 30
    std::string TempPiece;      // text 2
    double SurfacePiece = 0;
    double SurfaceEmprises = 0;
    double SurfacePlafond = 0;
    double DeperdPiece = 0;
    double DeperdPlancher = 0;
    double ApportPlafond = 0;
    double EmissionsBas = 0;
    std::string RthActuelle;    // text 4, "0.01" .. "0.15"
    std::string RthFuture;      // text 4
    std::string IsoApport;      // text 1
    std::string IsoEmissions;   // text 1
    double LongRaccordNormale = 0;
    double LongDistri = 0;
    double LongRaccordBordure = 0;
    std::int16_t TempChute = 0;
    bool operator==(const DonneesPiece&) const = default;
};

// Length of the record of a room's pressure drops (PerteCharge): three
// doubles, PerteNormale, PerteBordure, PerteMax.
inline constexpr int LongueurPerteCharge = 24;

std::array<char, DonneesGenerales::Longueur> Encoder(const DonneesGenerales& d);
std::array<char, DonneesPiece::Longueur> Encoder(const DonneesPiece& d);
std::array<char, LongueurPerteCharge> Encoder(const PerteCharge& d);

// `octets` points to exactly the record's length.
DonneesGenerales DecoderGenerales(const char* octets);
DonneesPiece DecoderPiece(const char* octets);
PerteCharge DecoderPerte(const char* octets);

// Windows-1252 <-> UTF-8. A character Windows-1252 cannot hold becomes '?'.
std::string VersWindows1252(const std::string& utf8);
std::string DepuisWindows1252(const std::string& octets);

} // namespace sorvel
