#include "etude/BornesSaisie.h"

#include "commun/Nombres.h"

#include <cmath>

namespace sorvel {

namespace {

// The record field each bounded caption fills.
struct ChampBorne {
    std::string_view Legende;
    double DonneesPiece::*Champ;
};
constexpr std::array<ChampBorne, BornesSaisie.size()> ChampsBornes = {{
    {"Surface zone de bordure (élevée/limite)", &DonneesPiece::SurfaceBordure},
    {"Surface de la pièce", &DonneesPiece::SurfacePiece},
    {"Surface des emprises", &DonneesPiece::SurfaceEmprises},
    {"Surface du plancher haut", &DonneesPiece::SurfacePlafond},
    {"Déperditions de la pièce", &DonneesPiece::DeperdPiece},
    {"Déperditions du plancher", &DonneesPiece::DeperdPlancher},
    {"Apport par le plafond", &DonneesPiece::ApportPlafond},
    {"Emission vers le bas", &DonneesPiece::EmissionsBas},
    {"Longueur des conduites de raccordement", &DonneesPiece::LongRaccordNormale},
    {"Longueur des conduites de distribution (traversantes)", &DonneesPiece::LongDistri},
    {"Longueur des conduites de raccordement (si boucle indépendante)", &DonneesPiece::LongRaccordBordure},
}};

} // namespace

const BorneSaisie* BornePourLegende(std::string_view legende) {
    for (const BorneSaisie& b : BornesSaisie)
        if (b.Legende == legende)
            return &b;
    return nullptr;
}

std::optional<std::string> RefusBorne(const BorneSaisie& borne, double valeur) {
    if (!std::isfinite(valeur))
        return std::string("la valeur n'est pas un nombre fini");
    if (valeur < 0)
        return "la valeur " + FormatGeneral(valeur) + " est négative";
    if (valeur > borne.Maximum)
        return "la valeur " + FormatGeneral(valeur) + " dépasse " + FormatGeneral(borne.Maximum) + " "
            + std::string(borne.Unite);
    return std::nullopt;
}

std::string MessageBorne(const BorneSaisie& borne) {
    return "La valeur de « " + std::string(borne.Legende) + " » doit être comprise entre 0 et "
        + FormatGeneral(borne.Maximum) + " " + std::string(borne.Unite) + " !";
}

std::optional<double> ValeurChamp(const DonneesPiece& d, std::string_view legende) {
    for (const ChampBorne& c : ChampsBornes)
        if (c.Legende == legende)
            return d.*c.Champ;
    return std::nullopt;
}

const BorneSaisie* PremierNombreRefuse(const DonneesPiece& d, const std::vector<std::string_view>& legendes) {
    for (std::string_view legende : legendes) {
        const BorneSaisie* borne = BornePourLegende(legende);
        const std::optional<double> valeur = ValeurChamp(d, legende);
        if (borne && valeur && RefusBorne(*borne, *valeur))
            return borne;
    }
    return nullptr;
}

} // namespace sorvel
