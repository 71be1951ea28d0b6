#include "commun/Nombres.h"

#include "commun/ErreurArithmetique.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sorvel {

namespace {

bool estChiffre(char c) { return c >= '0' && c <= '9'; }

// Length in bytes of the space (U+0020), tab, no-break space (U+00A0) or
// narrow no-break space (U+202F, what French number formatting puts between
// thousands) that starts `t`, 0 when there is none. The text is UTF-8.
std::size_t espaceEnTete(std::string_view t) {
    if (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        return 1;
    if (t.substr(0, 2) == "\xC2\xA0")
        return 2;
    if (t.substr(0, 3) == "\xE2\x80\xAF")
        return 3;
    return 0;
}

// The same at the end of `t`.
std::size_t espaceEnQueue(std::string_view t) {
    if (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        return 1;
    if (t.size() >= 2 && t.substr(t.size() - 2) == "\xC2\xA0")
        return 2;
    if (t.size() >= 3 && t.substr(t.size() - 3) == "\xE2\x80\xAF")
        return 3;
    return 0;
}

std::string_view sansEspaces(std::string_view t) {
    while (const std::size_t n = espaceEnTete(t))
        t.remove_prefix(n);
    while (const std::size_t n = espaceEnQueue(t))
        t.remove_suffix(n);
    return t;
}

// Checks the shape of the text and rewrites it for from_chars, which knows
// neither the comma, nor a leading '+', nor thousands separators.
std::optional<double> lire(std::string_view texte, char separateur) {
    texte = sansEspaces(texte);
    std::string canon;
    canon.reserve(texte.size());
    std::size_t i = 0;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        if (texte[i] == '-')
            canon.push_back('-');
        ++i;
    }
    int chiffres = 0;
    bool separateurVu = false;
    while (i < texte.size()) {
        const char c = texte[i];
        if (estChiffre(c)) {
            canon.push_back(c);
            ++chiffres;
            ++i;
        } else if (c == separateur && !separateurVu) {
            separateurVu = true;
            canon.push_back('.');
            ++i;
        } else if (const std::size_t espace = espaceEnTete(texte.substr(i));
                   espace > 0 && c != '\t' && !separateurVu && i > 0 && estChiffre(texte[i - 1]) &&
                   i + espace < texte.size() && estChiffre(texte[i + espace])) {
            // "1 850": one space between two digits of the whole part
            // separates the thousands. "1 ,5" and "1, 5" stay refused.
            i += espace;
        } else {
            break;
        }
    }
    if (chiffres == 0)
        return std::nullopt;
    if (i < texte.size() && (texte[i] == 'e' || texte[i] == 'E')) {
        canon.push_back('e');
        ++i;
        if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
            canon.push_back(texte[i++]);
        int chiffresExposant = 0;
        for (; i < texte.size() && estChiffre(texte[i]); ++i, ++chiffresExposant)
            canon.push_back(texte[i]);
        if (chiffresExposant == 0)
            return std::nullopt;
    }
    if (i != texte.size())
        return std::nullopt;
    double valeur = 0.0;
    auto [fin, erreur] = std::from_chars(canon.data(), canon.data() + canon.size(), valeur);
    if (erreur != std::errc() || fin != canon.data() + canon.size())
        return std::nullopt; // an exponent so large that the number overflows
    return valeur;
}

} // namespace

std::optional<double> LireNombre(std::string_view texte) { return lire(texte, ','); }

std::optional<double> LireNombrePoint(std::string_view texte) { return lire(texte, '.'); }

namespace {

// Writes, the French way, a number given by its scientific form
// "d.ddde[+-]XX" (any number of digits): exponent form below 0.0001 and
// from 1E15 up, plain decimals otherwise, no trailing zeros.
std::string Ecrire(std::string_view s) {
    std::string signe;
    if (s.front() == '-') {
        signe = "-";
        s.remove_prefix(1);
    }
    const std::size_t posE = s.find('e');
    std::string chiffres;
    for (char c : s.substr(0, posE))
        if (estChiffre(c))
            chiffres.push_back(c);
    const int exposant = std::atoi(std::string(s.substr(posE + 1)).c_str());
    while (chiffres.size() > 1 && chiffres.back() == '0')
        chiffres.pop_back();

    std::string texte = signe;
    if (exposant < -4 || exposant >= 15) {
        texte += chiffres[0];
        if (chiffres.size() > 1) {
            texte += ',';
            texte.append(chiffres, 1, std::string::npos);
        }
        texte += 'E';
        texte += exposant < 0 ? '-' : '+';
        const int a = std::abs(exposant);
        if (a < 10)
            texte += '0';
        texte += std::to_string(a);
        return texte;
    }
    if (exposant < 0) {
        texte += "0,";
        texte.append(static_cast<std::size_t>(-exposant - 1), '0');
        texte += chiffres;
        return texte;
    }
    const auto entiers = static_cast<std::size_t>(exposant) + 1;
    if (chiffres.size() <= entiers) {
        texte += chiffres;
        texte.append(entiers - chiffres.size(), '0');
    } else {
        texte.append(chiffres, 0, entiers);
        texte += ',';
        texte.append(chiffres, entiers, std::string::npos);
    }
    return texte;
}

// What every number format says of the values that are not numbers.
std::optional<std::string> TexteSpecial(double x) {
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x > 0 ? "Inf" : "-Inf";
    if (x == 0.0)
        return "0";
    return std::nullopt;
}

} // namespace

std::string FormatGeneral(double x) {
    if (auto special = TexteSpecial(x))
        return *special;
    // 15 significant digits, correctly rounded: d.dddddddddddddde[+-]XX
    char tampon[64];
    auto resultat = std::to_chars(tampon, tampon + sizeof tampon, x,
                                  std::chars_format::scientific, 14);
    return Ecrire(std::string_view(tampon, static_cast<std::size_t>(resultat.ptr - tampon)));
}

std::string FormatSimplePrecision(float x) {
    if (auto special = TexteSpecial(x))
        return *special;
    // The shortest digits that give back the same float (at most 9).
    char tampon[64];
    auto resultat = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::scientific);
    return Ecrire(std::string_view(tampon, static_cast<std::size_t>(resultat.ptr - tampon)));
}

double ArrondiPair(double x) {
    const double bas = std::floor(x);
    const double reste = x - bas;
    if (reste < 0.5)
        return bas;
    if (reste > 0.5)
        return bas + 1.0;
    return std::fmod(bas, 2.0) == 0.0 ? bas : bas + 1.0;
}

namespace {

// Halves to even, then to the integer type T; NaN or out of T's range raises.
template <typename T>
T VersEntier(double x, const char* etape) {
    if (std::isnan(x))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    const double r = ArrondiPair(x);
    if (!(r >= std::numeric_limits<T>::min() && r <= std::numeric_limits<T>::max()))
        throw ErreurArithmetique(ErreurArithmetique::Nature::Depassement, etape);
    return static_cast<T>(r);
}

} // namespace

std::int16_t CInt(double x, const char* etape) { return VersEntier<std::int16_t>(x, etape); }

std::int32_t CLng(double x, const char* etape) { return VersEntier<std::int32_t>(x, etape); }

double Arrondir(double x, int decimales) {
    const double facteur = std::pow(10.0, decimales);
    return ArrondiPair(x * facteur) / facteur;
}

std::string Nettoyer(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return std::string(t);
}

double ArrondiSup(double x) {
    const auto affiche = LireNombre(FormatGeneral(x));
    if (!affiche)
        return x; // NaN or infinite: nothing sensible to round
    const double r = std::ceil(*affiche);
    return r == 0.0 ? 0.0 : r; // no "-0"
}

} // namespace sorvel
