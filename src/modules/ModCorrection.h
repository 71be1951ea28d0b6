#pragma once

// Correction of an underfloor-heating loop that already exists. From the
// measured or known data of one room's loop, the module shows how the
// installation behaves today ("valeurs actuelles"), then searches either the
// supply temperature or the loop flow that would bring the room to a wished
// temperature ("valeurs corrigées").
//
// The room is a heat balance between its loss coefficient H and the emission
// of one loop of length L laid at pitch VZ and fed at the supply temperature
// Tdep; the water cools along the loop exponentially (logarithmic mean
// difference). The connecting pipes between manifold and room lose heat,
// counted as an equivalent flow taken from the total flow. The pressure drop
// of loop and connecting pipes follows Darcy-Weisbach with a Colebrook
// friction factor.
//
// Pure calculation: the window hands over the texts of its fields and writes
// the texts computed here into its labels. Every formula raises
// ErreurArithmetique naming itself when it has no value (a division by zero,
// the logarithm of a non-positive ratio, an overflow).

#include "modules/TextesModules.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sorvel::ModCorrection {

// Specific heat of water, Wh/(l.K): the single-precision 1.162639 seen as a
// double, in every flow and emission formula...
inline constexpr double ChaleurMassique = 1.1626390218734741;
// ...except the connecting-pipe flow, which takes the decimal value (the two
// differ in the eighth digit, enough to move a search by one step).
inline constexpr double ChaleurMassiqueConduites = 1.162639;

// ---------------------------------------------------------------------------
// Formulas

// Regulation coefficient of the loop: f = (Q.c / H) . (1 - e^(-(L.k) / (Q.c)))
// for a loop flow Q (l/h), a room loss coefficient H (W/K), a loop length L
// (m) and a linear emission coefficient k (W/(m.K)).
double Coeff_f(double debit, double H, double longueur, double k);
// Linear emission coefficient of pipe laid at `pasVZ` cm under a floor
// emitting h W/(m².K) upwards: k = h . (VZ / 100) / 0.92.
double Coeff_Lineique(double h, double pasVZ);
// Room temperature at which the loop's emission balances the losses:
// Teq = Tdep / (1 + 1/f) + Text / (f + 1).
double Temp_Equilibre(double tempExterieure, double f, double tempDepart);
// Logarithmic mean difference between the water, cooling by `chute` K from
// `tempDepart`, and the room at `tempInterieure`.
double EcartMoyen(double chute, double tempDepart, double tempInterieure);
// Heat the room loses, hence receives, at equilibrium: (Teq - Text) . H (W).
double Emission(double H, double tempEquilibre, double tempExterieure);
// Flow (l/h) that carries the heat lost by `longueur` m of connecting pipe
// with water at `tempMoyenne` °C cooling by `chute` K: 0.0065 W/(m.K²) for
// the "13x16" pipe, 0.0075 for any other pipe text; 0 without a drop.
double DebitConduites(std::int16_t tempMoyenne, std::int16_t chute, double longueur, std::string_view tube);
// Pressure drop per metre of pipe, mmCE/m, for a flow of `debit` l/h at
// `tempMoyenne` °C in the "13x16" pipe (13 mm bore) or any other (16 mm):
// friction with the Aitken-accelerated Colebrook factor, plus 0.3 dynamic
// pressures per metre of singular losses.
double PerteChargeCorrection(double debit, double tempMoyenne, std::string_view tube);

// ---------------------------------------------------------------------------
// Searches

// The supply temperature rises by 0.01 °C a step, at most to 50 °C (5000
// steps; the running sum reaches 49.99999999999862 at the 5000th). The loop
// flow rises by 0.1 l/h a step, at most to 1000 l/h (the 10000th step
// already exceeds it, so the largest flow tried is about 999.9 l/h).
inline constexpr double PasTemperature = 0.01;
inline constexpr double TemperatureDepartMaxi = 50;
inline constexpr double PasDebit = 0.1;
inline constexpr double DebitBoucleMaxi = 1000;

// One step of a search: the supply temperature or the loop flow tried, and
// the room temperature it gives.
struct PointCourbe {
    double X = 0;
    double TempEquilibre = 0;
    bool operator==(const PointCourbe&) const = default;
};

enum class FinRecherche { Atteinte, Limite, Abandonnee };

struct Recherche {
    FinRecherche Fin = FinRecherche::Atteinte;
    double Valeur = 0;         // T or Qb of the last step
    double f = 0;              // at that step
    double TempEquilibre = 0;  // at that step
    std::string Cible;         // text of the wished temperature last read
    std::vector<PointCourbe> Pas; // every step tried within the limit, in order
};

// Called after every step: lets the window process its pending events, then
// gives the text of the wished temperature as it is now (the user may change
// it during the search). Nothing abandons the search (the window is closing).
using RelireCible = std::function<std::optional<std::string>()>;

// Raises the supply temperature from 0 while the wished temperature stays
// above the equilibrium temperature, for a loop of regulation coefficient f.
Recherche RechercherTemperature(double f, float tempExterieure, const RelireCible& relire);
// Raises the loop flow from 0 in the same way, the supply temperature fixed.
Recherche RechercherDebit(float h, std::int16_t pasVZ, double H, float longueurBoucle, float tempExterieure,
                          float tempDepart, const RelireCible& relire);

// ---------------------------------------------------------------------------
// The window's fields and labels

enum class Champ {
    LongueurBoucle,       // TxtValManuelle(0), L0
    LongueurRaccordement, // TxtValManuelle(1), L1, optional
    TempDepart,           // TxtValManuelle(2), Tdep
    ChuteActuelle,        // TxtValManuelle(3), present drop, optional unless L1 is entered
    TempExterieure,       // TxtValManuelle(4), Text, may be negative
    DebitTotal,           // TxtValManuelle(5), Q, loop and connecting pipes
    CoeffSurfacique,      // TxtValManuelle(6), h
    CoeffDeperditions,    // TxtValManuelle(7), H
    PasVZ,                // CmbVZ
    Diametre,             // CmbDiametre
    TempSouhaitee,        // TxtValSouhaitee, Ts
};
inline constexpr int NombreValManuelles = 8;
inline constexpr int IndexValManuelle(Champ c) { return static_cast<int>(c); }

enum class ModeCorrection { Aucun, Temperature, Debit }; // OptCorrection(0), (1)

struct Saisie {
    std::array<std::string, NombreValManuelles> ValManuelles; // texts of TxtValManuelle(0..7)
    std::string PasVZ;          // CmbVZ
    std::string Diametre;       // CmbDiametre
    std::string TempSouhaitee;  // TxtValSouhaitee
    ModeCorrection Mode = ModeCorrection::Aucun;
    const std::string& Texte(Champ c) const;
    std::string& Texte(Champ c) { return const_cast<std::string&>(std::as_const(*this).Texte(c)); }
};

// Indices of LblResultats and of LblPourCent.
enum class Resultat {
    TempEquilibre = 0,
    CoeffRegulation = 1,
    Emission = 2,
    ChuteTemperature = 3,
    EcartMoyen = 4,
    DebitBoucle = 5,
    TempDepartNecessaire = 6,
    DebitTotal = 7,
    DebitRaccordement = 8,
    PerteChargeTotale = 9,
};
inline constexpr int NombreResultats = 10;
enum class PourCent { Debit = 0, Temperature = 1 };
inline constexpr int NombrePourCent = 2;

// One row of the results column, top to bottom: the label it fills, its
// caption and unit, and the decimals its value is rounded to (for a
// percentage, those of the ratio before it is multiplied by 100).
struct LigneResultat {
    bool PourCent; // a LblPourCent rather than a LblResultats
    int Index;
    const char* Libelle;
    const char* Unite;
    int Decimales;
};
inline constexpr int NombreLignesResultats = NombreResultats + NombrePourCent;
extern const std::array<LigneResultat, NombreLignesResultats> LignesResultats;
const LigneResultat& Ligne(Resultat r);
const LigneResultat& Ligne(PourCent p);

// The total pressure drop shows red above 2500 mmCE, blue otherwise.
inline constexpr double PerteChargeMaxi = 2500;
enum class CouleurPerte { Bleu, Rouge };
CouleurPerte CouleurPerteCharge(double perteAffichee);

// What one press writes; a label without text here keeps what it showed.
struct Ecritures {
    std::array<std::optional<std::string>, NombreResultats> Resultats;
    std::array<std::optional<std::string>, NombrePourCent> PourCents;
    std::optional<CouleurPerte> Couleur; // of the total pressure drop, when written
    const std::optional<std::string>& operator[](Resultat r) const { return Resultats[static_cast<int>(r)]; }
    const std::optional<std::string>& operator[](PourCent p) const { return PourCents[static_cast<int>(p)]; }
    bool operator==(const Ecritures&) const = default;
};

// The curve under the results: the room's equilibrium temperature against
// the supply temperature or the loop flow, as the search went, with the
// wished temperature and the point found (or only the present point).
enum class AxeCourbe { TempDepart, DebitBoucle };
struct Courbe {
    AxeCourbe Axe = AxeCourbe::TempDepart;
    std::vector<PointCourbe> Points;
    std::optional<double> Cible;
    std::optional<PointCourbe> Point;
};

struct Bilan {
    modules::Arret Fin = modules::Arret::Aucun;
    std::optional<modules::Avertissement> Message;
    std::optional<Champ> Focus;
    Ecritures Ecrit;
    std::optional<Courbe> Trace; // nothing: the curve stays as it was
};

// The first required field not entered (its number is 0, a list left
// empty), in the order the check runs, with its message.
using Manque = modules::Manque<Champ>;
std::optional<Manque> ControleCorrection(const Saisie& s);

// "Calculer les valeurs actuelles >>".
Bilan CalculerValeursActuelles(const Saisie& s);
// "Calculer les valeurs corrigées >>": the search of the chosen mode.
Bilan CalculerValeursCorrigees(const Saisie& s, const RelireCible& relire);

// The messages of a search that reaches its limit; `cible` is the text of
// the wished temperature.
modules::Avertissement MessageLimiteTemperature(const std::string& cible);
modules::Avertissement MessageLimiteDebit(const std::string& cible);

} // namespace sorvel::ModCorrection
