#include "etude/Etude.h"

namespace sorvel {

PerteCharge PerteChargePiece(double normale, double bordure) {
    return PerteCharge{normale, bordure, bordure <= normale ? normale : bordure};
}

const char* TexteTube(DiametreTube tube) { return tube == DiametreTube::D13x16 ? "13x16" : "16x20"; }

std::string TexteEntier(std::optional<int> valeur) { return valeur ? std::to_string(*valeur) : std::string(); }

std::string TexteResistance(std::optional<Resistance> rth) {
    return rth ? std::string(TexteResistance(*rth)) : std::string();
}

std::string TextePas(std::optional<PasVZ> pas) { return pas ? std::to_string(Centimetres(*pas)) : std::string(); }

std::string TextePasNormale(std::optional<PasVZ> pas) { return pas ? TextePas(pas) : "0"; }

} // namespace sorvel
