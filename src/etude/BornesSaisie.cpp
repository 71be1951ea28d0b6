#include "etude/BornesSaisie.h"

#include "commun/Nombres.h"

#include <cmath>

namespace sorvel {

namespace {

// The field of a room each bounded caption fills.
struct ChampBorne {
    std::string_view Legende;
    double Piece::*Champ;
};
constexpr std::array<ChampBorne, BornesSaisie.size()> ChampsBornes = {{
    {"Surface zone de bordure (élevée/limite)", &Piece::SurfaceBordure},
    {"Surface de la pièce", &Piece::SurfacePiece},
    {"Surface des emprises", &Piece::SurfaceEmprises},
    {"Surface du plancher haut", &Piece::SurfacePlafond},
    {"Déperditions de la pièce", &Piece::DeperdPiece},
    {"Déperditions du plancher", &Piece::DeperdPlancher},
    {"Apport par le plafond", &Piece::ApportPlafond},
    {"Emission vers le bas", &Piece::EmissionsBas},
    {"Longueur des conduites de raccordement", &Piece::LongRaccordNormale},
    {"Longueur des conduites de distribution (traversantes)", &Piece::LongDistri},
    {"Longueur des conduites de raccordement (si boucle indépendante)", &Piece::LongRaccordBordure},
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

std::optional<double> ValeurChamp(const Piece& d, std::string_view legende) {
    for (const ChampBorne& c : ChampsBornes)
        if (c.Legende == legende)
            return d.*c.Champ;
    return std::nullopt;
}

const BorneSaisie* PremierNombreRefuse(const Piece& d, const std::vector<std::string_view>& legendes) {
    for (std::string_view legende : legendes) {
        const BorneSaisie* borne = BornePourLegende(legende);
        const std::optional<double> valeur = ValeurChamp(d, legende);
        if (borne && valeur && RefusBorne(*borne, *valeur))
            return borne;
    }
    return nullptr;
}

} // namespace sorvel
