#include "enregistrements/Enregistrements.h"

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

// --- One table of fields per record, read in both directions ---

// A field of record R: its width in bytes and how it is written and read;
// fields follow each other from offset 0 without padding.
template <class R>
struct Champ {
    int largeur;
    void (*poser)(char* p, const R& r);
    void (*lire)(const char* p, R& r);
};

template <class R, std::int16_t R::*M>
constexpr Champ<R> Entier() {
    return {2, [](char* p, const R& r) { PoserEntier(p, r.*M); }, [](const char* p, R& r) { r.*M = LireEntier(p); }};
}
template <class R, double R::*M>
constexpr Champ<R> Reel() {
    return {8, [](char* p, const R& r) { PoserReel(p, r.*M); }, [](const char* p, R& r) { r.*M = LireReel(p); }};
}
template <class R, int L, std::string R::*M>
constexpr Champ<R> Texte() {
    return {L, [](char* p, const R& r) { PoserTexte(p, L, r.*M); }, [](const char* p, R& r) { r.*M = LireTexte(p, L); }};
}

template <class R, std::size_t N>
constexpr int Longueur(const std::array<Champ<R>, N>& champs) {
    int l = 0;
    for (const Champ<R>& c : champs)
        l += c.largeur;
    return l;
}

using G = DonneesGenerales;
constexpr std::array<Champ<G>, 5> ChampsGenerales = {{
    Entier<G, &G::Support>(),
    Entier<G, &G::Tube>(),
    Texte<G, 2, &G::TempDepart>(),
    Entier<G, &G::EpaisChape>(),
    Entier<G, &G::Chape>(),
}};
static_assert(Longueur(ChampsGenerales) == DonneesGenerales::Longueur);

using P = DonneesPiece;
constexpr std::array<Champ<P>, 20> ChampsPiece = {{
    Entier<P, &P::TypeCharge>(),
    Reel<P, &P::SurfaceBordure>(),
    Texte<P, 2, &P::PasVZBordure>(),
    Texte<P, 30, &P::NomPiece>(),
    Texte<P, 2, &P::TempPiece>(),
    Reel<P, &P::SurfacePiece>(),
    Reel<P, &P::SurfaceEmprises>(),
    Reel<P, &P::SurfacePlafond>(),
    Reel<P, &P::DeperdPiece>(),
    Reel<P, &P::DeperdPlancher>(),
    Reel<P, &P::ApportPlafond>(),
    Reel<P, &P::EmissionsBas>(),
    Texte<P, 4, &P::RthActuelle>(),
    Texte<P, 4, &P::RthFuture>(),
    Texte<P, 1, &P::IsoApport>(),
    Texte<P, 1, &P::IsoEmissions>(),
    Reel<P, &P::LongRaccordNormale>(),
    Reel<P, &P::LongDistri>(),
    Reel<P, &P::LongRaccordBordure>(),
    Entier<P, &P::TempChute>(),
}};
static_assert(Longueur(ChampsPiece) == DonneesPiece::Longueur);

using T = PerteCharge;
constexpr std::array<Champ<T>, 3> ChampsPerte = {{
    Reel<T, &T::PerteNormale>(),
    Reel<T, &T::PerteBordure>(),
    Reel<T, &T::PerteMax>(),
}};
static_assert(Longueur(ChampsPerte) == LongueurPerteCharge);

template <int L, class R, std::size_t N>
std::array<char, L> EncoderChamps(const R& r, const std::array<Champ<R>, N>& champs) {
    std::array<char, L> octets{};
    char* p = octets.data();
    for (const Champ<R>& c : champs) {
        c.poser(p, r);
        p += c.largeur;
    }
    return octets;
}

template <class R, std::size_t N>
R DecoderChamps(const char* p, const std::array<Champ<R>, N>& champs) {
    R r{};
    for (const Champ<R>& c : champs) {
        c.lire(p, r);
        p += c.largeur;
    }
    return r;
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
    return EncoderChamps<DonneesGenerales::Longueur>(d, ChampsGenerales);
}

DonneesGenerales DecoderGenerales(const char* p) { return DecoderChamps<DonneesGenerales>(p, ChampsGenerales); }

std::array<char, DonneesPiece::Longueur> Encoder(const DonneesPiece& d) {
    return EncoderChamps<DonneesPiece::Longueur>(d, ChampsPiece);
}

DonneesPiece DecoderPiece(const char* p) { return DecoderChamps<DonneesPiece>(p, ChampsPiece); }

std::array<char, LongueurPerteCharge> Encoder(const PerteCharge& d) {
    return EncoderChamps<LongueurPerteCharge>(d, ChampsPerte);
}

PerteCharge DecoderPerte(const char* p) { return DecoderChamps<PerteCharge>(p, ChampsPerte); }

} // namespace sorvel
