#include "modules/RepriseModules.h"

#include <string>

namespace sorvel::modules {

namespace {

std::string Texte(double x) { return TexteArrondi(x, 2, "Reprise"); }
std::string Texte(int x) { return std::to_string(x); }
std::string TextePas(const std::optional<PasVZ>& pas) { return pas ? std::to_string(Centimetres(*pas)) : std::string(); }
const char* TexteDiametre(DiametreTube tube) { return tube == DiametreTube::D13x16 ? "13x16" : "16x20"; }

// The outdoor temperature and H as the fields show them: the temperature
// kept as it was when the room gives none, H "0" (not entered) when it
// cannot be worked out.
struct Exterieur {
    std::string TempExterieure;
    std::string H;
};
Exterieur TextesExterieur(const DonneesBoucle& b, const std::string& texteExterieure) {
    return {b.TempExterieure ? Texte(*b.TempExterieure) : texteExterieure, TexteCoeffDeperditions(b, texteExterieure)};
}

} // namespace

std::optional<double> CoeffDeperditionsBoucle(const DonneesBoucle& b, double tempExterieure) {
    const double ecart = b.TempPiece - tempExterieure;
    if (!(ecart > 0))
        return std::nullopt;
    return b.Chaleur / ecart;
}

std::optional<double> TempExterieureReprise(const DonneesBoucle& b, std::string_view texte) {
    if (b.TempExterieure)
        return b.TempExterieure;
    if (!EstSaisi(texte, Saisi::Nombre))
        return std::nullopt;
    return Nombre(texte);
}

std::string TexteCoeffDeperditions(const DonneesBoucle& b, std::string_view texteExterieure) {
    const std::optional<double> text = TempExterieureReprise(b, texteExterieure);
    const std::optional<double> h = text ? CoeffDeperditionsBoucle(b, *text) : std::nullopt;
    return h ? Texte(*h) : "0";
}

ModCorrection::Saisie ReprendreCorrection(ModCorrection::Saisie s, const DonneesBoucle& b) {
    using ModCorrection::Champ;
    const Exterieur e = TextesExterieur(b, s.Texte(Champ::TempExterieure));
    s.Texte(Champ::LongueurBoucle) = Texte(b.LongueurBoucle);
    s.Texte(Champ::LongueurRaccordement) = Texte(b.LongueurRaccordement);
    s.Texte(Champ::TempDepart) = Texte(b.TempDepart);
    s.Texte(Champ::ChuteActuelle) = Texte(b.Chute);
    s.Texte(Champ::TempExterieure) = e.TempExterieure;
    s.Texte(Champ::DebitTotal) = Texte(b.Debit);
    s.Texte(Champ::CoeffSurfacique) = Texte(b.CoeffSurfacique);
    s.Texte(Champ::CoeffDeperditions) = e.H;
    s.PasVZ = TextePas(b.Pas);
    s.Diametre = TexteDiametre(b.Tube);
    s.TempSouhaitee = Texte(b.TempPiece);
    return s;
}

ModIncertitude::Saisie ReprendreIncertitude(ModIncertitude::Saisie s, const DonneesBoucle& b) {
    using ModIncertitude::Champ;
    const Exterieur e = TextesExterieur(b, s.Texte(Champ::TempExterieure));
    s.Texte(Champ::Longueur) = Texte(b.LongueurBoucle);
    s.Texte(Champ::Debit) = Texte(b.Debit);
    s.Texte(Champ::CoeffSurfacique) = Texte(b.CoeffSurfacique);
    s.Texte(Champ::CoeffDeperditions) = e.H;
    s.Texte(Champ::TempPiece) = Texte(b.TempPiece);
    s.Texte(Champ::TempDepart) = Texte(b.TempDepart);
    s.Texte(Champ::TempExterieure) = e.TempExterieure;
    s.PasVZ = TextePas(b.Pas);
    return s;
}

} // namespace sorvel::modules
