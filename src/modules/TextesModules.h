#pragma once

// What the two expert modules share between their fields, their labels and
// their calculation: fields and labels are read back as numbers the French
// way, results are written rounded, and a press that stops says why.

#include <string>
#include <string_view>

namespace sorvel::modules {

// The number a field or a label shows; 0 when its text is no number (an
// empty text, a lone "-"): a field left so counts as not entered.
double Nombre(std::string_view texte);

// The number of a field held in single precision, as the modules keep their
// lengths and temperatures. Raises ErreurArithmetique naming `etape` when the
// value does not fit in a float.
float NombreSimple(std::string_view texte, const char* etape);

// a - b for two numbers read from texts (a field, a label): their exact
// difference, the binary one rounded to the decimals the two texts show, so
// that "100,1" - "100" is 0,1 and not 0,0999999999999943. With an exponent
// in either text, the binary difference as it is.
double Difference(std::string_view a, std::string_view b);

// A value rounded to 2 or 4 decimals (halves to even) and written the French
// way, "12,35". Raises ErreurArithmetique naming `etape` when the value is
// not a finite number.
std::string TexteR2(double x, const char* etape);
std::string TexteR4(double x, const char* etape);

// A message shown with the exclamation icon and an OK button.
struct Avertissement {
    std::string Titre;
    std::string Texte;
    bool operator==(const Avertissement&) const = default;
};

// How a press of a calculation button ended.
enum class Arret {
    Aucun,             // ran to its end
    ChampManquant,     // a required field is not entered: message, focus on it
    AucunMode,         // no correction mode chosen: nothing happens
    Limite,            // a search went past its limit: message, results unchanged
    FormuleSansValeur, // a formula has no value: stops silently, what was written stays
    Abandon,           // the window closed during a search
};

} // namespace sorvel::modules
