#pragma once

// Numbers the French way, independent of the machine's locale: every layer
// reads, shows and rounds numbers through these functions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorvel {

// Text of a field to a number: optional sign, digits with at most one
// decimal separator, optional exponent ("1,5E-3"), surrounding spaces
// allowed. In the whole part, one space, no-break space or narrow no-break
// space between two digits separates the thousands ("1 850", "12 345 678").
// Anything else (empty text, letters, a lone sign, "1 ,5") gives nothing.
std::optional<double> LireNombre(std::string_view texte);
// Same with a point as separator: the floor-covering resistances "0.05".
std::optional<double> LireNombrePoint(std::string_view texte);

// "General number format": the shortest decimal form with at most 15
// significant digits, a comma as separator, no trailing zeros; exponent form
// ("1E-05", "1,5E+15") below 0.0001 and from 1E15 up.
std::string FormatGeneral(double x);
// The same form for a value held in single precision: the shortest text that
// reads back as the same 32-bit float, so that "45,3" stored in a float shows
// "45,3" and not the "45,2999992370605" of its exact double value.
std::string FormatSimplePrecision(float x);

// Real to int16, halves to the even neighbour (42.5 -> 42, 41.5 -> 42).
// Out of range or not a number raises ErreurArithmetique naming `etape`.
std::int16_t CInt(double x, const char* etape = "conversion en entier");
// Real to int32, same rule.
std::int32_t CLng(double x, const char* etape = "conversion en entier long");

// Halves to even on the nearest integer.
double ArrondiPair(double x);
// round-half-even(x * 10^decimales) / 10^decimales.
double Arrondir(double x, int decimales);

// Rounds up to a whole number the value as it is displayed, so that a
// quantity shown "55" (50 * 1.1 = 55.000000000000007) is ordered as 55.
double ArrondiSup(double x);

// A text without its leading and trailing spaces: record texts are padded
// with spaces to their width, and keys ("5", "0.05") are compared trimmed.
std::string Nettoyer(std::string_view texte);

} // namespace sorvel
