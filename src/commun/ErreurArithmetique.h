#pragma once

#include <stdexcept>
#include <string>

namespace sorvel {

// A fault of arithmetic inside a calculation: the operation in progress stops
// and the caller learns which step could not be computed.
class ErreurArithmetique : public std::runtime_error {
public:
    enum class Nature { DivisionParZero, Depassement, OperationInvalide };

    ErreurArithmetique(Nature nature, std::string etape);

    Nature nature() const noexcept { return nature_; }
    // Name of the step that failed, e.g. "EmissionNecessairePiece".
    const std::string& etape() const noexcept { return etape_; }
    // French wording of the fault, e.g. "division par zéro".
    static const char* libelle(Nature nature) noexcept;

private:
    Nature nature_;
    std::string etape_;
};

// Checked operations: they raise ErreurArithmetique instead of letting an
// infinity or a NaN flow on into the results.
double Diviser(double numerateur, double denominateur, const char* etape);
double Logarithme(double x, const char* etape);          // natural log, x > 0
double Logarithme10(double x, const char* etape);        // decimal log, x > 0
double RacineCarree(double x, const char* etape);        // x >= 0
double Puissance(double base, double exposant, const char* etape);
// Raises when x is NaN or infinite (a product that overflowed, a value read
// from a damaged file); returns x otherwise.
double Verifier(double x, const char* etape);

} // namespace sorvel
