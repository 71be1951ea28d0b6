#pragma once

// What the two expert modules share between their fields, their labels and
// their calculation: fields and labels are read back as numbers the French
// way, results are written rounded, a required field left out is refused
// with its message, and a press that stops says why.

#include <optional>
#include <span>
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

// A value rounded to `decimales` decimals (halves to even) and written the
// French way, "12,35". Raises ErreurArithmetique naming `etape` when the
// value is not a finite number.
std::string TexteArrondi(double x, int decimales, const char* etape);

// A message shown with the exclamation icon and an OK button.
struct Avertissement {
    std::string Titre;
    std::string Texte;
    bool operator==(const Avertissement&) const = default;
};

// The data the two modules require, each refused by one message when its
// field is not entered.
enum class Donnee {
    LongueurBoucle,
    TempDepart,
    ChuteTemperature,
    TempExterieure,
    DebitTotal,        // loop and connecting pipes (correction)
    DebitBoucle,       // the loop alone (uncertainty)
    CoeffSurfacique,
    CoeffDeperditions,
    TempPiece,
    TempSouhaitee,
    PasVZ,
    Diametre,
};
const Avertissement& MessageManquant(Donnee d);

// How a required field counts as entered: a number other than 0 (a text
// that is no number counts as 0), or a text that is not empty (a list).
enum class Saisi { Nombre, Texte };
bool EstSaisi(std::string_view texte, Saisi saisi);

// One required field of a module, in the order its check runs. A field
// required only beside another names that one in `avec`.
template <class Champ>
struct ChampRequis {
    Champ champ;
    Donnee donnee;
    Saisi saisi = Saisi::Nombre;
    std::optional<Champ> avec = std::nullopt;
};

// The first required field not entered, with its message: the focus goes
// back to it.
template <class Champ>
struct Manque {
    Champ Focus;
    Avertissement Message;
};

// `Saisie::Texte(champ)` gives the text of a field.
template <class Champ, class Saisie>
std::optional<Manque<Champ>> PremierManque(const Saisie& s, std::span<const ChampRequis<Champ>> requis) {
    for (const ChampRequis<Champ>& r : requis) {
        if (r.avec && !EstSaisi(s.Texte(*r.avec), Saisi::Nombre))
            continue;
        if (!EstSaisi(s.Texte(r.champ), r.saisi))
            return Manque<Champ>{r.champ, MessageManquant(r.donnee)};
    }
    return std::nullopt;
}

// How a press of a calculation button ended.
enum class Arret {
    Aucun,             // ran to its end
    ChampManquant,     // a required field is not entered: message, focus on it
    AucunMode,         // no correction mode chosen: nothing happens
    Limite,            // a search went past its limit: message, results unchanged
    FormuleSansValeur, // a formula has no value: stops silently, what was written stays
    Abandon,           // the window closed during a search
};

// A press refused for a missing field: its message, the focus on it, and
// nothing written.
template <class Bilan, class Champ>
Bilan Refuse(const Manque<Champ>& m) {
    Bilan bilan;
    bilan.Fin = Arret::ChampManquant;
    bilan.Message = m.Message;
    bilan.Focus = m.Focus;
    return bilan;
}

} // namespace sorvel::modules
