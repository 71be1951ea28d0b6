#include "etude/Enregistrements.h"

#include "commun/Textes.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace sorvel {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F, where it places
// typographic signs and a few letters. Five codes of that block are unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D): like the system converter, they stand for
// the C1 control of the same value, so that any byte read from a damaged file
// comes back unchanged when the record is written again.
constexpr char32_t Bloc80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char32_t CaractereWindows1252(unsigned char octet) {
    if (octet >= 0x80 && octet <= 0x9F) {
        return Bloc80[octet - 0x80];
    }
    return octet; // ASCII and 0xA0-0xFF are Latin-1, same code points
}

// The byte for a code point, or '?' when Windows-1252 has no such character.
char OctetWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (Bloc80[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// --- Little-endian packing, independent of the machine's byte order ---

void PoserEntier(char* p, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    p[0] = static_cast<char>(u & 0xFF);
    p[1] = static_cast<char>(u >> 8);
}

std::int16_t LireEntier(const char* p) {
    const auto u = static_cast<std::uint16_t>(static_cast<unsigned char>(p[0])
                                              | (static_cast<unsigned char>(p[1]) << 8));
    return static_cast<std::int16_t>(u);
}

void PoserReel(char* p, double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
}

// Any 64-bit pattern is a double (a damaged file may give a NaN or an
// infinity); the callers check values before computing with them.
double LireReel(const char* p) {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) {
        u |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    return std::bit_cast<double>(u);
}

// Text of `largeur` characters: converted, cut to its first `largeur`
// characters, padded on the right with spaces.
void PoserTexte(char* p, int largeur, const std::string& utf8) {
    const std::string octets = VersWindows1252(utf8);
    std::memset(p, ' ', static_cast<std::size_t>(largeur));
    std::memcpy(p, octets.data(), std::min<std::size_t>(octets.size(), static_cast<std::size_t>(largeur)));
}

// Field text with its leading and trailing spaces removed.
std::string LireTexte(const char* p, int largeur) {
    int debut = 0;
    int fin = largeur;
    while (debut < fin && p[debut] == ' ') {
        ++debut;
    }
    while (fin > debut && p[fin - 1] == ' ') {
        --fin;
    }
    return DepuisWindows1252(std::string(p + debut, p + fin));
}

} // namespace

std::string VersWindows1252(const std::string& utf8) {
    std::string sortie;
    sortie.reserve(utf8.size());
    // A byte that makes no character comes out as U+FFFD, which
    // Windows-1252 cannot hold either: one '?' for it.
    PourChaqueCaractere(utf8, [&](char32_t c) { sortie += OctetWindows1252(c); });
    return sortie;
}

std::string DepuisWindows1252(const std::string& octets) {
    std::string sortie;
    sortie.reserve(octets.size() + octets.size() / 4);
    for (const char o : octets) {
        AjouterUtf8(sortie, CaractereWindows1252(static_cast<unsigned char>(o)));
    }
    return sortie;
}

std::array<char, DonneesGenerales::Longueur> Encoder(const DonneesGenerales& d) {
    std::array<char, DonneesGenerales::Longueur> r{};
    char* p = r.data();
    PoserEntier(p + 0, d.Support);
    PoserEntier(p + 2, d.Tube);
    PoserTexte(p + 4, 2, d.TempDepart);
    PoserEntier(p + 6, d.EpaisChape);
    PoserEntier(p + 8, d.Chape);
    return r;
}

DonneesGenerales DecoderGenerales(const char* p) {
    DonneesGenerales d;
    d.Support = LireEntier(p + 0);
    d.Tube = LireEntier(p + 2);
    d.TempDepart = LireTexte(p + 4, 2);
    d.EpaisChape = LireEntier(p + 6);
    d.Chape = LireEntier(p + 8);
    return d;
}

std::array<char, DonneesPiece::Longueur> Encoder(const DonneesPiece& d) {
    std::array<char, DonneesPiece::Longueur> r{};
    char* p = r.data();
    PoserEntier(p + 0, d.TypeCharge);
    PoserReel(p + 2, d.SurfaceBordure);
    PoserTexte(p + 10, 2, d.PasVZBordure);
    PoserTexte(p + 12, 30, d.NomPiece);
    PoserTexte(p + 42, 2, d.TempPiece);
    PoserReel(p + 44, d.SurfacePiece);
    PoserReel(p + 52, d.SurfaceEmprises);
    PoserReel(p + 60, d.SurfacePlafond);
    PoserReel(p + 68, d.DeperdPiece);
    PoserReel(p + 76, d.DeperdPlancher);
    PoserReel(p + 84, d.ApportPlafond);
    PoserReel(p + 92, d.EmissionsBas);
    PoserTexte(p + 100, 4, d.RthActuelle);
    PoserTexte(p + 104, 4, d.RthFuture);
    PoserTexte(p + 108, 1, d.IsoApport);
    PoserTexte(p + 109, 1, d.IsoEmissions);
    PoserReel(p + 110, d.LongRaccordNormale);
    PoserReel(p + 118, d.LongDistri);
    PoserReel(p + 126, d.LongRaccordBordure);
    PoserEntier(p + 134, d.TempChute);
    return r;
}

DonneesPiece DecoderPiece(const char* p) {
    DonneesPiece d;
    d.TypeCharge = LireEntier(p + 0);
    d.SurfaceBordure = LireReel(p + 2);
    d.PasVZBordure = LireTexte(p + 10, 2);
    d.NomPiece = LireTexte(p + 12, 30);
    d.TempPiece = LireTexte(p + 42, 2);
    d.SurfacePiece = LireReel(p + 44);
    d.SurfaceEmprises = LireReel(p + 52);
    d.SurfacePlafond = LireReel(p + 60);
    d.DeperdPiece = LireReel(p + 68);
    d.DeperdPlancher = LireReel(p + 76);
    d.ApportPlafond = LireReel(p + 84);
    d.EmissionsBas = LireReel(p + 92);
    d.RthActuelle = LireTexte(p + 100, 4);
    d.RthFuture = LireTexte(p + 104, 4);
    d.IsoApport = LireTexte(p + 108, 1);
    d.IsoEmissions = LireTexte(p + 109, 1);
    d.LongRaccordNormale = LireReel(p + 110);
    d.LongDistri = LireReel(p + 118);
    d.LongRaccordBordure = LireReel(p + 126);
    d.TempChute = LireEntier(p + 134);
    return d;
}

PerteCharge PerteChargePiece(double normale, double bordure) {
    return PerteCharge{normale, bordure, bordure <= normale ? normale : bordure};
}

std::array<char, PerteCharge::Longueur> Encoder(const PerteCharge& d) {
    std::array<char, PerteCharge::Longueur> r{};
    char* p = r.data();
    PoserReel(p + 0, d.PerteNormale);
    PoserReel(p + 8, d.PerteBordure);
    PoserReel(p + 16, d.PerteMax);
    return r;
}

PerteCharge DecoderPerte(const char* p) {
    PerteCharge d;
    d.PerteNormale = LireReel(p + 0);
    d.PerteBordure = LireReel(p + 8);
    d.PerteMax = LireReel(p + 16);
    return d;
}

} // namespace sorvel
