#pragma once

// Uncertainty on the temperature of a room heated by one underfloor loop:
// by how many degrees, in plus or minus, the room may deviate when the loop
// length, the loop flow, the surface emission coefficient and the room loss
// coefficient H are known only to a given percentage.
//
// First-order propagation through the loop model of the correction module,
// f = (Q.c/H).(1 - e^n) with n = -(L.k)/(Q.c), and Ti = (Text + f.Tdep)/(1 + f):
// each contribution is the sensitivity of Ti to f, times that of f to the
// quantity, times the quantity's absolute error; the four are added.
//
// Pure calculation, like the correction module: texts of the fields in,
// texts of the labels out. Every formula raises ErreurArithmetique naming
// itself when it has no value.

#include "modules/ModCorrection.h"
#include "modules/TextesModules.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace sorvel::ModIncertitude {

using ModCorrection::ChaleurMassique;
// k = h . (VZ / 100) / 0.92, as in the correction module.
using ModCorrection::Coeff_Lineique;

// n = -(L.k) / (Q.c)
double Exposant_n(double longueur, double k, double debit);
// The f that balances three temperatures: (Ti - Text) / (Tdep - Ti). Not
// the correction module's Coeff_f, which takes the loop data.
double Coeff_f(double tempInterieure, double tempExterieure, double tempDepart);
// df/dQ = (c / H) . (1 - e^n + n.e^n)
double Erreur_Debit(double H, double n);
// df/dk = (L / H) . e^n
double Erreur_Coeff_P(double longueur, double H, double n);
// df/dH = -(Q.c / H²) . (1 - e^n)
double Erreur_H(double debit, double H, double n);
// df/dL = (k / H) . e^n
double Erreur_Longueur(double k, double H, double n);
// dTi/df = (Tdep - Text) / (f + 1)²
double Erreur_f(double tempDepart, double tempExterieure, double f);

// The window's fields.
enum class Champ {
    Longueur,          // TxtValeurs(0), L
    Debit,             // TxtValeurs(1), Q
    CoeffSurfacique,   // TxtValeurs(2), h
    CoeffDeperditions, // TxtValeurs(3), H
    TempPiece,         // TxtValeurs(4), Ti
    TempDepart,        // TxtValeurs(5), Tdep
    TempExterieure,    // TxtValeurs(6), Text, may be negative
    PasVZ,             // CmbVZ
};
inline constexpr int NombreValeurs = 7;
inline constexpr int IndexValeur(Champ c) { return static_cast<int>(c); }

// The four uncertain quantities: the index of their percentage field
// (TxtPourcent) and of their result label (LblResultats).
enum class Grandeur { Longueur = 0, Debit = 1, CoeffSurfacique = 2, CoeffH = 3 };
inline constexpr int NombreGrandeurs = 4;
// LblResultats(4): the total of the four.
inline constexpr int IndexTotal = NombreGrandeurs;
inline constexpr int NombreResultats = NombreGrandeurs + 1;

struct Saisie {
    std::array<std::string, NombreValeurs> Valeurs;     // texts of TxtValeurs(0..6)
    std::string PasVZ;                                  // CmbVZ
    std::array<std::string, NombreGrandeurs> Pourcents; // texts of TxtPourcent(0..3)
    const std::string& Texte(Champ c) const;
    std::string& Texte(Champ c) { return const_cast<std::string&>(std::as_const(*this).Texte(c)); }
};

struct Bilan {
    modules::Arret Fin = modules::Arret::Aucun;
    std::optional<modules::Avertissement> Message;
    std::optional<Champ> Focus;
    // What the press writes into LblResultats(0..4); a label without text
    // here keeps what it showed.
    std::array<std::optional<std::string>, NombreResultats> Resultats;
};

// The first field not entered (its number is 0, the list left empty), in
// the order the check runs. The percentages are not checked.
using Manque = modules::Manque<Champ>;
std::optional<Manque> ControleIncertitude(const Saisie& s);

// The total shown under the four contributions: their texts read back as
// numbers and added in order, with no further rounding ("0,12", "0,13", "0"
// and "0,05" give "0,3").
std::string TexteTotal(const std::array<std::string, NombreGrandeurs>& contributions);

// "Calculer l'incertitude >>".
Bilan CalculerIncertitude(const Saisie& s);

} // namespace sorvel::ModIncertitude
