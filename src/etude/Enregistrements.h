#pragma once

// The three fixed-length records of a study and their exact byte layouts
// (little-endian, texts in Windows-1252 padded with spaces). The texts are
// held here in UTF-8; encoding cuts them to their width, decoding trims them.

#include <array>
#include <cstdint>
#include <string>

namespace sorvel {

// Most rooms a study holds (rows of the rooms list).
inline constexpr int PiecesMaximumEtude = 30;

// Options of the general data: the index of the option chosen on screen.
inline constexpr std::int16_t SupportTreillis = 0; // "Treillis ou plaques pré tracées"
inline constexpr std::int16_t SupportPlots = 1;    // "Plots thermoformés"
inline constexpr std::int16_t Tube13x16 = 0;       // "13x16 mm"
inline constexpr std::int16_t Tube16x20 = 1;       // "16x20 mm"
inline constexpr std::int16_t ChapeTraditionnelle = 0;
inline constexpr std::int16_t ChapeLiquide = 1;

// The supply temperatures offered (°C), every whole degree from the first
// to the last.
inline constexpr int TempDepartBasse = 30;
inline constexpr int TempDepartHaute = 50;

struct DonneesGenerales {
    static constexpr int Longueur = 10;
    std::int16_t Support = 0;   // 0 "Treillis ou plaques pré tracées", 1 "Plots thermoformés"
    std::int16_t Tube = 0;      // 0 "13x16 mm", 1 "16x20 mm"
    std::string TempDepart;     // text 2, "30" to "50"
    std::int16_t EpaisChape = 0;// cm
    std::int16_t Chape = 0;     // 0 "Chape traditionnelle", 1 "Chape liquide"
    bool operator==(const DonneesGenerales&) const = default;
};

struct DonneesPiece {
    static constexpr int Longueur = 136;
    std::int16_t TypeCharge = 0;
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

struct PerteCharge {
    static constexpr int Longueur = 24;
    double PerteNormale = 0;
    double PerteBordure = 0;
    double PerteMax = 0;
    bool operator==(const PerteCharge&) const = default;
};

// The texts the calculation and the reports take from the general data:
// "Treillis" for SupportTreillis and "Plots" otherwise, "13x16" for Tube13x16
// and "16x20" otherwise (a damaged index reads as the usual choice).
inline const char* TexteSupport(const DonneesGenerales& g) { return g.Support == SupportTreillis ? "Treillis" : "Plots"; }
inline const char* TexteTube(const DonneesGenerales& g) { return g.Tube == Tube13x16 ? "13x16" : "16x20"; }

// The pressure-drop record of a room: PerteMax is PerteNormale when
// PerteBordure <= PerteNormale, else PerteBordure (a room without an
// independent edge loop has PerteBordure 0, so its normal loop sets it).
PerteCharge PerteChargePiece(double normale, double bordure);

std::array<char, DonneesGenerales::Longueur> Encoder(const DonneesGenerales& d);
std::array<char, DonneesPiece::Longueur> Encoder(const DonneesPiece& d);
std::array<char, PerteCharge::Longueur> Encoder(const PerteCharge& d);

// `octets` points to exactly the record's length.
DonneesGenerales DecoderGenerales(const char* octets);
DonneesPiece DecoderPiece(const char* octets);
PerteCharge DecoderPerte(const char* octets);

// Windows-1252 <-> UTF-8. A character Windows-1252 cannot hold becomes '?'.
std::string VersWindows1252(const std::string& utf8);
std::string DepuisWindows1252(const std::string& octets);

} // namespace sorvel
