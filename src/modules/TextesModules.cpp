#include "modules/TextesModules.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <cmath>
#include <limits>

namespace sorvel::modules {

double Nombre(std::string_view texte) { return LireNombre(texte).value_or(0.0); }

float NombreSimple(std::string_view texte, const char* etape) {
    const double x = Nombre(texte);
    if (std::abs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        throw ErreurArithmetique(ErreurArithmetique::Nature::Depassement, etape);
    return static_cast<float>(x);
}

std::string TexteR2(double x, const char* etape) { return FormatGeneral(Verifier(Arrondir(Verifier(x, etape), 2), etape)); }

std::string TexteR4(double x, const char* etape) { return FormatGeneral(Verifier(Arrondir(Verifier(x, etape), 4), etape)); }

} // namespace sorvel::modules
