#include "commun/ErreurArithmetique.h"

#include <cmath>

namespace sorvel {

ErreurArithmetique::ErreurArithmetique(Nature nature, std::string etape)
    : std::runtime_error(std::string(libelle(nature)) + " (" + etape + ")"),
      nature_(nature), etape_(std::move(etape)) {}

const char* ErreurArithmetique::libelle(Nature nature) noexcept {
    switch (nature) {
    case Nature::DivisionParZero: return "division par zéro";
    case Nature::Depassement: return "dépassement de capacité";
    case Nature::OperationInvalide: return "opération invalide";
    }
    return "opération invalide";
}

double Verifier(double x, const char* etape) {
    if (std::isnan(x))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    if (std::isinf(x))
        throw ErreurArithmetique(ErreurArithmetique::Nature::Depassement, etape);
    return x;
}

double Diviser(double numerateur, double denominateur, const char* etape) {
    Verifier(numerateur, etape);
    Verifier(denominateur, etape);
    if (denominateur == 0.0)
        throw ErreurArithmetique(ErreurArithmetique::Nature::DivisionParZero, etape);
    return Verifier(numerateur / denominateur, etape);
}

double Logarithme(double x, const char* etape) {
    Verifier(x, etape);
    if (!(x > 0.0))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return Verifier(std::log(x), etape);
}

double Logarithme10(double x, const char* etape) {
    Verifier(x, etape);
    if (!(x > 0.0))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return Verifier(std::log10(x), etape);
}

double RacineCarree(double x, const char* etape) {
    Verifier(x, etape);
    if (x < 0.0)
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return std::sqrt(x);
}

double Puissance(double base, double exposant, const char* etape) {
    Verifier(base, etape);
    Verifier(exposant, etape);
    if (base == 0.0 && exposant < 0.0)
        throw ErreurArithmetique(ErreurArithmetique::Nature::DivisionParZero, etape);
    return Verifier(std::pow(base, exposant), etape);
}

} // namespace sorvel
