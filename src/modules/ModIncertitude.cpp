#include "modules/ModIncertitude.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <cmath>

namespace sorvel::ModIncertitude {

using modules::Arret;
using modules::Nombre;
using modules::NombreSimple;

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
    using modules::Donnee;
    static const modules::ChampRequis<Champ> requis[] = {
        {Champ::Longueur, Donnee::LongueurBoucle},
        {Champ::Debit, Donnee::DebitBoucle},
        {Champ::CoeffSurfacique, Donnee::CoeffSurfacique},
        {Champ::CoeffDeperditions, Donnee::CoeffDeperditions},
        {Champ::TempPiece, Donnee::TempPiece},
        {Champ::TempDepart, Donnee::TempDepart},
        {Champ::TempExterieure, Donnee::TempExterieure},
        {Champ::PasVZ, Donnee::PasVZ, modules::Saisi::Texte},
    };
    return modules::PremierManque<Champ>(s, requis);
}

std::string TexteTotal(const std::array<std::string, NombreGrandeurs>& contributions) {
    double total = 0;
    for (const std::string& c : contributions)
        total = total + Nombre(c);
    return FormatGeneral(total);
}

Bilan CalculerIncertitude(const Saisie& s) {
    if (auto manque = ControleIncertitude(s))
        return modules::Refuse<Bilan>(*manque);
    Bilan bilan;
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
            contributions[i] = modules::TexteArrondi(std::abs(p / 100 * grandeur * derivee * sensibilite), 2, "Incertitude");
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
