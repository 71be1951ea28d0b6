#include "commun/OrdreAlphabetique.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvel {

namespace {

// The accent a letter carries, in the order names equal on their letters
// are sorted.
enum Accent : std::uint8_t { SansAccent, Aigu, Grave, Circonflexe, Trema, Cedille, Tilde, Rond, Barre, Ligature };

struct Lettre {
    char base[3];  // the letters without accent, lower case (two for œ, æ, ß)
    Accent accent;
};

// Latin-1 letters U+00C0 to U+00FF; "" marks the two signs × and ÷.
const Lettre Latin1[64] = {
    {"a", Grave}, {"a", Aigu}, {"a", Circonflexe}, {"a", Tilde}, {"a", Trema}, {"a", Rond}, {"ae", Ligature},
    {"c", Cedille}, {"e", Grave}, {"e", Aigu}, {"e", Circonflexe}, {"e", Trema}, {"i", Grave}, {"i", Aigu},
    {"i", Circonflexe}, {"i", Trema}, {"d", Barre}, {"n", Tilde}, {"o", Grave}, {"o", Aigu}, {"o", Circonflexe},
    {"o", Tilde}, {"o", Trema}, {"", SansAccent}, {"o", Barre}, {"u", Grave}, {"u", Aigu}, {"u", Circonflexe},
    {"u", Trema}, {"y", Aigu}, {"t", Barre}, {"ss", Ligature},
    // lower case
    {"a", Grave}, {"a", Aigu}, {"a", Circonflexe}, {"a", Tilde}, {"a", Trema}, {"a", Rond}, {"ae", Ligature},
    {"c", Cedille}, {"e", Grave}, {"e", Aigu}, {"e", Circonflexe}, {"e", Trema}, {"i", Grave}, {"i", Aigu},
    {"i", Circonflexe}, {"i", Trema}, {"d", Barre}, {"n", Tilde}, {"o", Grave}, {"o", Aigu}, {"o", Circonflexe},
    {"o", Tilde}, {"o", Trema}, {"", SansAccent}, {"o", Barre}, {"u", Grave}, {"u", Aigu}, {"u", Circonflexe},
    {"u", Trema}, {"y", Aigu}, {"t", Barre}, {"y", Trema},
};

// A byte that starts no valid UTF-8 sequence stands for itself, apart from
// every character.
constexpr char32_t OctetInvalide = 0x110000;

std::vector<char32_t> Decoder(std::string_view s) {
    std::vector<char32_t> r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto o = static_cast<unsigned char>(s[i]);
        int suite = o < 0x80 ? 0 : (o & 0xE0) == 0xC0 ? 1 : (o & 0xF0) == 0xE0 ? 2 : (o & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = suite == 0 ? o : suite == 1 ? (o & 0x1F) : suite == 2 ? (o & 0x0F) : (o & 0x07);
        bool valide = suite >= 0 && i + static_cast<std::size_t>(suite) < s.size();
        for (int k = 1; valide && k <= suite; ++k) {
            const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            valide = (b & 0xC0) == 0x80;
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms and surrogates are no characters either.
        static constexpr char32_t Minimum[] = {0, 0x80, 0x800, 0x10000};
        if (valide && (c < Minimum[suite] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
            valide = false;
        if (!valide) {
            r.push_back(OctetInvalide + o);
            ++i;
        } else {
            r.push_back(c);
            i += static_cast<std::size_t>(suite) + 1;
        }
    }
    return r;
}

// What a name is made of, for the first comparison: separators (spaces and
// punctuation) before numbers before letters.
enum Genre : std::uint8_t { Separateur, Nombre, LettreDeBase };

struct Unite {
    Genre genre;
    char32_t valeur = 0;   // separator: the character; letter: its base letter
    std::string chiffres;  // number: its digits without leading zeros
};

struct Cle {
    std::vector<Unite> unites;
    std::vector<std::uint8_t> accents;   // one per letter
    std::vector<std::uint8_t> majuscules; // one per letter
};

void AjouterLettre(Cle& cle, char32_t base, Accent accent, bool majuscule) {
    cle.unites.push_back({LettreDeBase, base, {}});
    cle.accents.push_back(accent);
    cle.majuscules.push_back(majuscule ? 1 : 0);
}

Cle Clef(std::string_view texte) {
    const std::vector<char32_t> c = Decoder(texte);
    Cle cle;
    for (std::size_t i = 0; i < c.size();) {
        const char32_t x = c[i];
        if (x >= U'0' && x <= U'9') {
            std::size_t fin = i;
            while (fin < c.size() && c[fin] >= U'0' && c[fin] <= U'9')
                ++fin;
            std::string chiffres;
            for (std::size_t k = i; k < fin; ++k)
                if (!chiffres.empty() || c[k] != U'0')
                    chiffres += static_cast<char>(c[k]);
            cle.unites.push_back({Nombre, 0, chiffres.empty() ? std::string("0") : chiffres});
            i = fin;
            continue;
        }
        ++i;
        if (x >= U'a' && x <= U'z') {
            AjouterLettre(cle, x, SansAccent, false);
        } else if (x >= U'A' && x <= U'Z') {
            AjouterLettre(cle, x - U'A' + U'a', SansAccent, true);
        } else if (x >= 0xC0 && x <= 0xFF && Latin1[x - 0xC0].base[0] != '\0') {
            const Lettre& l = Latin1[x - 0xC0];
            // ß has no capital of its own; ÿ is the one lower case past 0xDF.
            const bool majuscule = x < 0xDF;
            for (const char* b = l.base; *b; ++b)
                AjouterLettre(cle, static_cast<char32_t>(*b), l.accent, majuscule);
        } else if (x == 0x152 || x == 0x153) { // Œ œ
            AjouterLettre(cle, U'o', Ligature, x == 0x152);
            AjouterLettre(cle, U'e', Ligature, x == 0x152);
        } else if (x == 0x178) { // Ÿ
            AjouterLettre(cle, U'y', Trema, true);
        } else if (x < 0x80 || (x >= 0xA0 && x < 0xC0) || x == 0xD7 || x == 0xF7 || (x >= 0x2000 && x < 0x2070)) {
            // Spaces, punctuation and signs, of ASCII, Latin-1 and general
            // punctuation.
            cle.unites.push_back({Separateur, x, {}});
        } else {
            // Any other letter or byte: itself, after the Latin letters.
            AjouterLettre(cle, x, SansAccent, false);
        }
    }
    return cle;
}

int Signe(auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); }

int ComparerUnites(const Unite& a, const Unite& b) {
    if (a.genre != b.genre)
        return Signe(a.genre, b.genre);
    if (a.genre == Nombre) {
        // By value: more digits is larger, then digit by digit.
        if (const int n = Signe(a.chiffres.size(), b.chiffres.size()))
            return n;
        return Signe(a.chiffres, b.chiffres);
    }
    return Signe(a.valeur, b.valeur);
}

template <class T>
int ComparerSuites(const std::vector<T>& a, const std::vector<T>& b, int (*comparer)(const T&, const T&)) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (const int r = comparer(a[i], b[i]))
            return r;
    return Signe(a.size(), b.size());
}

int ComparerOctets(const std::uint8_t& a, const std::uint8_t& b) { return Signe(a, b); }

} // namespace

int ComparerEnFrancais(std::string_view a, std::string_view b) {
    if (a == b)
        return 0;
    const Cle ca = Clef(a);
    const Cle cb = Clef(b);
    if (const int r = ComparerSuites(ca.unites, cb.unites, &ComparerUnites))
        return r;
    if (const int r = ComparerSuites(ca.accents, cb.accents, &ComparerOctets))
        return r;
    if (const int r = ComparerSuites(ca.majuscules, cb.majuscules, &ComparerOctets))
        return r;
    // "Etude 01" and "Etude 1", or two bytes that are no characters.
    return Signe(a, b);
}

} // namespace sorvel
