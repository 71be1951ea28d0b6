#include "commun/Textes.h"

namespace sorvel {

std::string Utf8Valide(std::string_view octets) {
    std::string sortie;
    sortie.reserve(octets.size());
    PourChaqueCaractere(octets, [&](char32_t c) { AjouterUtf8(sortie, c); });
    return sortie;
}

std::string TexteAffichable(std::string_view octets) {
    std::string sortie;
    sortie.reserve(octets.size());
    PourChaqueCaractere(octets, [&](char32_t c) {
        if (c < 0x20)
            c = 0x2400 + c; // control pictures: NUL "␀" .. US "␟"
        else if (c == 0x7F)
            c = 0x2421;     // "␡"
        else if (c >= 0x80 && c <= 0x9F)
            c = CaractereRemplacement;
        AjouterUtf8(sortie, c);
    });
    return sortie;
}

} // namespace sorvel
