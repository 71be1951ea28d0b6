#include "modules/ModIncertitude.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <cmath>

namespace sorvel::ModIncertitude {

using modules::Arret;
using modules::Nombre;
using modules::NombreSimple;
using modules::TexteR2;

double Exposant_n(double longueur, double k, double debit) {
    return -Diviser(longueur * k, debit * ChaleurMassique, "Exposant_n");
}

double Coeff_f(double tempInterieure, double tempExterieure, double tempDepart) {
    return Diviser(tempInterieure - tempExterieure, tempDepart - tempInterieure, "Coeff_f");
}

double Erreur_Debit(double H, double n) {
    const double en = std::exp(n);
    return Verifier(Diviser(ChaleurMassique, H, "Erreur_Debit") * (1 - en + n * en), "Erreur_Debit");
}

double Erreur_Coeff_P(double longueur, double H, double n) {
    return Verifier(Diviser(longueur, H, "Erreur_Coeff_P") * std::exp(n), "Erreur_Coeff_P");
}

double Erreur_H(double debit, double H, double n) {
    return Verifier(-Diviser(debit * ChaleurMassique, H * H, "Erreur_H") * (1 - std::exp(n)), "Erreur_H");
}

double Erreur_Longueur(double k, double H, double n) {
    return Verifier(Diviser(k, H, "Erreur_Longueur") * std::exp(n), "Erreur_Longueur");
}

double Erreur_f(double tempDepart, double tempExterieure, double f) {
    return Diviser(tempDepart - tempExterieure, (f + 1) * (f + 1), "Erreur_f");
}

const std::string& Saisie::Texte(Champ c) const {
    if (c == Champ::PasVZ)
        return PasVZ;
    return Valeurs[static_cast<std::size_t>(IndexValeur(c))];
}

std::optional<Manque> ControleIncertitude(const Saisie& s) {
    struct Regle {
        Champ champ;
        const char* titre;
        const char* texte;
    };
    const Regle regles[] = {
        {Champ::Longueur, "Longueur de tube.",
         "Vous devez entrer la longueur de tube "
         "située dans la pièce (longueur de la boucle) !"},
        {Champ::Debit, "Débit total.",
         "Vous devez entrer le débit de fluide de la boucle "
         "(boucle seule) !"},
        {Champ::CoeffSurfacique, "Coefficient surfacique.",
         "Vous devez entrer le coefficient surfacique "
         "(émissions hautes en W/m²/K) !"},
        {Champ::CoeffDeperditions, "Coefficient H.",
         "Vous devez entrer le coefficient de déperdition "
         "(H) !"},
        {Champ::TempPiece, "Température d'ambiance.", "Vous devez entrer la température de la pièce !"},
        {Champ::TempDepart, "Température du fluide.",
         "Vous devez entrer la température de départ "
         "du fluide caloporteur (entrée collecteur de départ) !"},
        {Champ::TempExterieure, "Température extérieure.",
         "Vous devez entrer la température extérieure, "
         "qui peut être celle de base ou celle mesurée !"},
        {Champ::PasVZ, "Pas VZ",
         "Vous devez entrer le pas "
         "(VZ) de la pièce !"},
    };
    for (const Regle& r : regles) {
        const bool manque = r.champ == Champ::PasVZ ? s.PasVZ.empty() : Nombre(s.Texte(r.champ)) == 0;
        if (manque)
            return Manque{r.champ, {r.titre, r.texte}};
    }
    return std::nullopt;
}

std::string TexteTotal(const std::array<std::string, NombreGrandeurs>& contributions) {
    double total = 0;
    for (const std::string& c : contributions)
        total = total + Nombre(c);
    return FormatGeneral(total);
}

Bilan CalculerIncertitude(const Saisie& s) {
    Bilan bilan;
    if (auto manque = ControleIncertitude(s)) {
        bilan.Fin = Arret::ChampManquant;
        bilan.Message = manque->Message;
        bilan.Focus = manque->Focus;
        return bilan;
    }
    try {
        // Length, flow and pitch in double precision; the coefficients and
        // temperatures in single precision.
        const double L = Nombre(s.Texte(Champ::Longueur));
        const double Q = Nombre(s.Texte(Champ::Debit));
        const float h = NombreSimple(s.Texte(Champ::CoeffSurfacique), "CoeffSurfacique");
        const float H = NombreSimple(s.Texte(Champ::CoeffDeperditions), "CoeffDeperditions");
        const float ti = NombreSimple(s.Texte(Champ::TempPiece), "TempPiece");
        const float tdep = NombreSimple(s.Texte(Champ::TempDepart), "TempDepart");
        const float text = NombreSimple(s.Texte(Champ::TempExterieure), "TempExterieure");
        const double vz = Nombre(s.PasVZ);

        const double k = Coeff_Lineique(h, vz);
        const double n = Exposant_n(L, k, Q);
        const double f = Coeff_f(ti, text, tdep);

        // One contribution: |p/100 . quantity . df/dquantity . dTi/df|, the
        // percentage read as the line is computed.
        std::array<std::string, NombreGrandeurs> contributions;
        auto ligne = [&](Grandeur g, double grandeur, double derivee) {
            const auto i = static_cast<std::size_t>(g);
            const double p = Nombre(s.Pourcents[i]);
            const double sensibilite = Erreur_f(tdep, text, f);
            contributions[i] = TexteR2(std::abs(p / 100 * grandeur * derivee * sensibilite), "Incertitude");
            bilan.Resultats[i] = contributions[i];
        };
        ligne(Grandeur::Longueur, L, Erreur_Longueur(k, H, n));
        ligne(Grandeur::Debit, Q, Erreur_Debit(H, n));
        // The relative error of the surface coefficient applies to the
        // linear coefficient k, which is proportional to it.
        ligne(Grandeur::CoeffSurfacique, k, Erreur_Coeff_P(L, H, n));
        ligne(Grandeur::CoeffH, H, Erreur_H(Q, H, n));
        bilan.Resultats[IndexTotal] = TexteTotal(contributions);
    } catch (const ErreurArithmetique&) {
        bilan.Fin = Arret::FormuleSansValeur;
    }
    return bilan;
}

} // namespace sorvel::ModIncertitude
