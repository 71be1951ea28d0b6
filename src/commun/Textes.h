#pragma once

// Texts that reach the user or another program whatever bytes they came
// from: a room name read from a damaged file, a study name typed on a
// command line. Messages must show them whole (a NUL would cut a C string
// short) and outputs must stay valid UTF-8.

#include <string>
#include <string_view>

namespace sorvel {

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
