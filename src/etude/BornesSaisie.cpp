#include "etude/BornesSaisie.h"

#include "commun/Nombres.h"

#include <cmath>

namespace sorvel {

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

} // namespace sorvel
