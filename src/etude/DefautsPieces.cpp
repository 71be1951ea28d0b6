#include "etude/DefautsPieces.h"

#include "calcul/Isolation.h"
#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "etude/BornesSaisie.h"

#include <algorithm>

namespace sorvel {

namespace {

bool SalleDEau(std::string_view nom) { return nom == "Salle de bain" || nom == "Salle d'eau" || nom == "Douche"; }

// "Chambre 7" without its number: "Chambre"; a name without one as it is.
std::string_view SansNumero(std::string_view nom) {
    const std::size_t fin = nom.find_last_not_of("0123456789");
    if (fin == std::string_view::npos || fin + 1 == nom.size() || nom[fin] != ' ')
        return nom;
    return nom.substr(0, fin);
}

std::string Entre(int basse, int haute) {
    return "la valeur doit être un nombre entier de " + std::to_string(basse) + " à " + std::to_string(haute);
}

bool Dans(int valeur, int basse, int haute) { return valeur >= basse && valeur <= haute; }

} // namespace

DefautsPieces DefautsProposes() { return DefautsCompletes({}); }

DefautsPieces DefautsCompletes(const DefautsPieces& defauts) {
    DefautsPieces d = defauts;
    for (std::string_view nom : NomsPiecesProposes)
        if (std::none_of(d.Temperatures.begin(), d.Temperatures.end(),
                         [&](const TemperatureNommee& t) { return t.Nom == nom; }))
            d.Temperatures.push_back(
                {std::string(nom), SalleDEau(nom) ? TemperatureSalleDeBain : TemperatureAutresPieces});
    return d;
}

Piece PieceDepuisDefauts(const DefautsPieces& defauts) {
    Piece p;
    p.TempChute = defauts.TempChute;
    p.RthActuelle = defauts.RthActuelle;
    p.RthFuture = defauts.RthFuture;
    p.IsoApport = defauts.IsoApport;
    p.IsoEmissions = defauts.IsoEmissions;
    p.LongRaccordNormale = defauts.LongRaccordNormale;
    return p;
}

std::optional<int> TemperatureParNom(const DefautsPieces& defauts, std::string_view brut) {
    const std::string nom = Nettoyer(brut);
    if (nom.empty())
        return std::nullopt;
    const auto& t = defauts.Temperatures;
    for (const TemperatureNommee& n : t)
        if (n.Nom == nom)
            return n.Temperature;
    for (const TemperatureNommee& n : t)
        if (SansNumero(n.Nom) != n.Nom && SansNumero(n.Nom) == SansNumero(nom))
            return n.Temperature;
    const TemperatureNommee* debut = nullptr;
    for (const TemperatureNommee& n : t)
        if (!n.Nom.empty() && nom.starts_with(n.Nom + ' ') && (!debut || n.Nom.size() > debut->Nom.size()))
            debut = &n;
    return debut ? std::optional(debut->Temperature) : std::nullopt;
}

std::optional<RefusDefauts> VerifierDefautsPieces(const DefautsPieces& d) {
    for (std::size_t i = 0; i < d.Temperatures.size(); ++i) {
        const TemperatureNommee& t = d.Temperatures[i];
        if (Nettoyer(t.Nom).empty())
            return RefusDefauts{"temperatures", "un nom de pièce est vide"};
        const std::string nom = "« " + TexteAffichable(t.Nom) + " »";
        if (Nettoyer(t.Nom) != t.Nom)
            return RefusDefauts{"temperatures", "le nom " + nom + " commence ou finit par une espace"};
        if (!Dans(t.Temperature, TempPieceBasse, TempPieceHaute))
            return RefusDefauts{"temperatures", "la température de " + nom + " (" + std::to_string(t.Temperature) +
                                                    " °C) n'est pas un nombre entier de " +
                                                    std::to_string(TempPieceBasse) + " à " +
                                                    std::to_string(TempPieceHaute)};
        for (std::size_t j = 0; j < i; ++j)
            if (d.Temperatures[j].Nom == t.Nom)
                return RefusDefauts{"temperatures", "le nom " + nom + " est donné deux fois"};
    }
    if (!Dans(d.TempChute, ChuteBasse, ChuteHaute))
        return RefusDefauts{"tempChute", Entre(ChuteBasse, ChuteHaute)};
    if (!Dans(d.IsoApport, EpaisseurIsolantMinimale, EpaisseurIsolantMaximale))
        return RefusDefauts{"isoApport", Entre(EpaisseurIsolantMinimale, EpaisseurIsolantMaximale)};
    if (!Dans(d.IsoEmissions, EpaisseurIsolantMinimale, EpaisseurIsolantMaximale))
        return RefusDefauts{"isoEmissions", Entre(EpaisseurIsolantMinimale, EpaisseurIsolantMaximale)};
    if (const auto refus = RefusBorne(*BornePourLegende("Longueur des conduites de raccordement"),
                                      d.LongRaccordNormale))
        return RefusDefauts{"longRaccordNormale", *refus};
    return std::nullopt;
}

} // namespace sorvel
