#pragma once

// Texts that reach the user or another program whatever bytes they came
// from: a room name read from a damaged file, a study name typed on a
// command line. Messages must show them whole (a NUL would cut a C string
// short) and outputs must stay valid UTF-8.

#include <string>
#include <string_view>

namespace sorvel {

// U+FFFD "�", which stands for bytes that make no character.
inline constexpr char32_t CaractereRemplacement = 0xFFFD;

// Appends the UTF-8 form of the code point `c`.
inline void AjouterUtf8(std::string& sortie, char32_t c) {
    if (c < 0x80) {
        sortie += static_cast<char>(c);
    } else if (c < 0x800) {
        sortie += static_cast<char>(0xC0 | (c >> 6));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        sortie += static_cast<char>(0xE0 | (c >> 12));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (c >> 18));
        sortie += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Calls `f` with every code point of `octets`, U+FFFD standing for each byte
// that does not begin a well-formed sequence (what follows it is read
// afresh).
template <class F>
void PourChaqueCaractere(std::string_view octets, F&& f) {
    const auto* s = reinterpret_cast<const unsigned char*>(octets.data());
    const std::size_t n = octets.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char o = s[i];
        if (o < 0x80) {
            f(static_cast<char32_t>(o));
            ++i;
            continue;
        }
        std::size_t suite = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if ((o & 0xE0) == 0xC0) {
            suite = 1; c = o & 0x1F; minimum = 0x80;
        } else if ((o & 0xF0) == 0xE0) {
            suite = 2; c = o & 0x0F; minimum = 0x800;
        } else if ((o & 0xF8) == 0xF0) {
            suite = 3; c = o & 0x07; minimum = 0x10000;
        }
        bool valide = suite > 0; // else a stray continuation byte or an invalid lead byte
        for (std::size_t j = 1; valide && j <= suite; ++j) {
            if (i + j >= n || (s[i + j] & 0xC0) != 0x80)
                valide = false;
            else
                c = (c << 6) | (s[i + j] & 0x3F);
        }
        if (!valide || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            f(CaractereRemplacement);
            ++i;
            continue;
        }
        f(c);
        i += suite + 1;
    }
}

// The text as valid UTF-8: every byte that does not begin a well-formed
// sequence (stray continuation byte, cut or overlong sequence, surrogate,
// code point above U+10FFFF) becomes U+FFFD "�"; the rest is kept as is.
std::string Utf8Valide(std::string_view octets);

// The text fit to be shown or written in a line of text: valid UTF-8 as
// above, with every control character made visible instead of acting. C0
// controls and DEL become their pictures (NUL "␀", line feed "␊", tab "␉",
// DEL "␡"), C1 controls (U+0080 to U+009F) become "�". The result holds no
// byte below 0x20 and no NUL.
std::string TexteAffichable(std::string_view octets);

} // namespace sorvel
