#include "modules/TextesModules.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace sorvel::modules {

double Nombre(std::string_view texte) { return LireNombre(texte).value_or(0.0); }

namespace {

// Digits after the decimal comma of a number's text; nothing when the text
// has an exponent.
std::optional<int> Decimales(std::string_view texte) {
    const std::string t = Nettoyer(texte);
    if (t.find_first_of("eE") != std::string::npos)
        return std::nullopt;
    const std::size_t virgule = t.find(',');
    return virgule == std::string::npos ? 0 : static_cast<int>(t.size() - virgule - 1);
}

} // namespace

double Difference(std::string_view a, std::string_view b) {
    const double difference = Nombre(a) - Nombre(b);
    const auto da = Decimales(a), db = Decimales(b);
    // Beyond 15 decimals a double holds nothing more to round.
    if (!da || !db || std::max(*da, *db) > 15)
        return difference;
    return Arrondir(difference, std::max(*da, *db));
}

float NombreSimple(std::string_view texte, const char* etape) {
    const double x = Nombre(texte);
    if (std::abs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        throw ErreurArithmetique(ErreurArithmetique::Nature::Depassement, etape);
    return static_cast<float>(x);
}

std::string TexteR2(double x, const char* etape) { return FormatGeneral(Verifier(Arrondir(Verifier(x, etape), 2), etape)); }

std::string TexteR4(double x, const char* etape) { return FormatGeneral(Verifier(Arrondir(Verifier(x, etape), 4), etape)); }

} // namespace sorvel::modules
