// Byte layouts of the three study records and the Windows-1252 texts.

#include "etude/Enregistrements.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace sorvel;

namespace {

std::string Octets(const char* p, std::size_t n) {
    return std::string(p, n);
}

template <std::size_t N>
std::string Octets(const std::array<char, N>& a) {
    return std::string(a.data(), N);
}

std::string ReelLE(double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    std::string s;
    for (int i = 0; i < 8; ++i) {
        s += static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    return s;
}

TEST(Enregistrements, DonneesGeneralesOctetParOctet) {
    // "Plots thermoformés", "16x20 mm", 45 °C, 7 cm, "Chape liquide": every
    // option is index 1, the temperature a two-character text.
    DonneesGenerales d{.Support = 1, .Tube = 1, .TempDepart = "45", .EpaisChape = 7, .Chape = 1};
    const std::string attendu("\x01\x00\x01\x00" "45" "\x07\x00\x01\x00", 10);
    EXPECT_EQ(Octets(Encoder(d)), attendu);
    EXPECT_EQ(DecoderGenerales(attendu.data()), d);

    // Negative and large int16 values: two's complement, low byte first.
    d.Support = -2;
    d.EpaisChape = 0x1234;
    const auto o = Encoder(d);
    EXPECT_EQ(Octets(o.data(), 2), std::string("\xFE\xFF", 2));
    EXPECT_EQ(Octets(o.data() + 6, 2), std::string("\x34\x12", 2));
    EXPECT_EQ(DecoderGenerales(o.data()).Support, -2);
}

TEST(Enregistrements, ChampsDeLaPieceASesPositions) {
    // Each field set to a value of its own, and the bytes it must give at its
    // position in the record.
    using P = DonneesPiece&;
    struct Champ { int position; std::string octets; std::function<void(P)> poser; };
    const Champ champs[] = {
        {0, std::string("\x03\x00", 2), [](P d) { d.TypeCharge = 3; }},
        {2, ReelLE(1.5), [](P d) { d.SurfaceBordure = 1.5; }},
        {10, "5 ", [](P d) { d.PasVZBordure = "5"; }},  // one character padded with a space
        // "Séjour" in Windows-1252 (é = 0xE9), then 24 spaces
        {12, std::string("S\xE9jour", 6) + std::string(24, ' '), [](P d) { d.NomPiece = "Séjour"; }},
        {42, "20", [](P d) { d.TempPiece = "20"; }},
        {44, ReelLE(24.25), [](P d) { d.SurfacePiece = 24.25; }},
        {52, ReelLE(2), [](P d) { d.SurfaceEmprises = 2; }},
        {60, ReelLE(3), [](P d) { d.SurfacePlafond = 3; }},
        {68, ReelLE(1450), [](P d) { d.DeperdPiece = 1450; }},
        {76, ReelLE(120), [](P d) { d.DeperdPlancher = 120; }},
        {84, ReelLE(-35.5), [](P d) { d.ApportPlafond = -35.5; }},
        {92, ReelLE(80), [](P d) { d.EmissionsBas = 80; }},
        {100, "0.05", [](P d) { d.RthActuelle = "0.05"; }},
        {104, "0.1 ", [](P d) { d.RthFuture = "0.1"; }},
        {108, "3", [](P d) { d.IsoApport = "3"; }},
        {109, "8", [](P d) { d.IsoEmissions = "8"; }},
        {110, ReelLE(4), [](P d) { d.LongRaccordNormale = 4; }},
        {118, ReelLE(6), [](P d) { d.LongDistri = 6; }},
        {126, ReelLE(7), [](P d) { d.LongRaccordBordure = 7; }},
        {134, std::string("\x0A\x00", 2), [](P d) { d.TempChute = 10; }},
    };
    DonneesPiece d;
    for (const auto& c : champs) c.poser(d);
    const auto o = Encoder(d);
    std::size_t couverts = 0;
    for (const auto& c : champs) {
        EXPECT_EQ(Octets(o.data() + c.position, c.octets.size()), c.octets) << "position " << c.position;
        couverts += c.octets.size();
    }
    EXPECT_EQ(couverts, std::size_t{DonneesPiece::Longueur}); // no byte left out, none twice
    // 12.5 is 0x4029000000000000: the exponent byte comes last.
    EXPECT_EQ(ReelLE(12.5), std::string("\0\0\0\0\0\0\x29\x40", 8));
    EXPECT_EQ(DecoderPiece(o.data()), d);
}

TEST(Enregistrements, PerteChargeOctetParOctet) {
    const PerteCharge p{1234.5, 0, 1234.5};
    const auto o = Encoder(p);
    EXPECT_EQ(Octets(o), ReelLE(1234.5) + ReelLE(0) + ReelLE(1234.5));
    EXPECT_EQ(DecoderPerte(o.data()), p);
}

TEST(Enregistrements, TextesCoupesOuCompletes) {
    // Each case: the UTF-8 text given to the room name field (30 characters)
    // and the field's bytes, then the text read back.
    struct Cas { std::string texte; std::string octets; std::string relu; };
    const std::string trente = "Chambre parentale avec dressin";  // 30 characters
    const std::vector<Cas> cas = {
        {"", std::string(30, ' '), ""},
        {"Salon", "Salon" + std::string(25, ' '), "Salon"},
        {trente, trente, trente},
        // 35 characters: the first 30 are kept
        {trente + "g sud", trente, trente},
        // cut by characters of the stored form: 29 'a' then two accented
        // letters that are two UTF-8 bytes each but one byte stored
        {std::string(29, 'a') + "éè", std::string(29, 'a') + "\xE9", std::string(29, 'a') + "é"},
        // leading and trailing spaces are removed on reading
        {"  Cuisine  ", "  Cuisine" + std::string(21, ' '), "Cuisine"},
        // the Windows-1252 signs of the 0x80-0x9F block
        {"Cœur € “x” – Ÿ", std::string("C\x9C" "ur \x80 \x93x\x94 \x96 \x9F", 14) + std::string(16, ' '),
         "Cœur € “x” – Ÿ"},
        // characters Windows-1252 cannot hold become '?'
        {"Bureau Ω 日本 😀", "Bureau ? ?? ?" + std::string(17, ' '), "Bureau ? ?? ?"},
        // malformed UTF-8: one '?' per bad byte, the rest kept
        {std::string("a\xC3" "b\xFF" "c\xE9", 6), "a?b?c?" + std::string(24, ' '), "a?b?c?"},
        // an overlong form of '/' is no '/'
        {std::string("x\xC0\xAFy", 4), "x??y" + std::string(26, ' '), "x??y"},
    };
    for (const auto& c : cas) {
        DonneesPiece d;
        d.NomPiece = c.texte;
        const auto o = Encoder(d);
        EXPECT_EQ(Octets(o.data() + 12, 30), c.octets) << c.texte;
        EXPECT_EQ(DecoderPiece(o.data()).NomPiece, c.relu) << c.texte;
    }
}

TEST(Enregistrements, TableWindows1252) {
    struct Cas { unsigned char octet; const char* utf8; };
    const Cas cas[] = {
        {0x41, "A"}, {0x80, "€"}, {0x82, "‚"}, {0x83, "ƒ"}, {0x85, "…"}, {0x8A, "Š"},
        {0x8C, "Œ"}, {0x8E, "Ž"}, {0x91, "‘"}, {0x92, "’"}, {0x95, "•"}, {0x97, "—"},
        {0x99, "™"}, {0x9C, "œ"}, {0x9E, "ž"}, {0x9F, "Ÿ"}, {0xA0, "\u00A0"}, {0xB0, "°"},
        {0xB2, "²"}, {0xC0, "À"}, {0xC7, "Ç"}, {0xE9, "é"}, {0xEA, "ê"}, {0xFF, "ÿ"},
        // unassigned codes stand for the C1 control of the same value
        {0x81, "\u0081"}, {0x8D, "\u008D"}, {0x8F, "\u008F"}, {0x90, "\u0090"}, {0x9D, "\u009D"},
    };
    for (const auto& c : cas) {
        const std::string octet(1, static_cast<char>(c.octet));
        EXPECT_EQ(DepuisWindows1252(octet), c.utf8) << int(c.octet);
        EXPECT_EQ(VersWindows1252(c.utf8), octet) << int(c.octet);
    }
    // Every byte survives a reading and a writing: a damaged name is written
    // back as it was.
    for (int o = 0; o < 256; ++o) {
        const std::string octet(1, static_cast<char>(o));
        EXPECT_EQ(VersWindows1252(DepuisWindows1252(octet)), octet) << o;
    }
    // C1 controls that Windows-1252 replaced by signs have no byte of their own.
    EXPECT_EQ(VersWindows1252("\u0080\u0099"), "??");
}

TEST(Enregistrements, PerteMaxDeLaPiece) {
    struct Cas { double normale, bordure, max; };
    const Cas cas[] = {
        {350.5, 0, 350.5},    // no independent edge loop: the normal loop sets it
        {200, 300, 300},      // edge loop larger
        {250, 250, 250},      // tie: the normal loop
        {0, 0, 0},
    };
    for (const auto& c : cas) {
        const PerteCharge p = PerteChargePiece(c.normale, c.bordure);
        EXPECT_EQ(p.PerteNormale, c.normale);
        EXPECT_EQ(p.PerteBordure, c.bordure);
        EXPECT_EQ(p.PerteMax, c.max) << c.normale << " / " << c.bordure;
    }
}

TEST(Enregistrements, OctetsEndommagesSansPlantage) {
    // Any 136 bytes decode: reals may come out NaN or infinite, texts hold
    // whatever bytes were there. Nothing may crash.
    std::string octets(DonneesPiece::Longueur, '\xFF');
    DonneesPiece d = DecoderPiece(octets.data());
    EXPECT_TRUE(std::isnan(d.SurfacePiece));
    EXPECT_EQ(d.TypeCharge, -1);
    std::string trenteY;
    for (int i = 0; i < 30; ++i) trenteY += "ÿ";
    EXPECT_EQ(d.NomPiece, trenteY);
    const std::string infini = ReelLE(std::numeric_limits<double>::infinity());
    octets.replace(44, 8, infini);
    d = DecoderPiece(octets.data());
    EXPECT_TRUE(std::isinf(d.SurfacePiece));
    // Written back, a decoded record gives the same reals and integers.
    const auto o = Encoder(d);
    EXPECT_EQ(Octets(o.data() + 44, 8), infini);
    EXPECT_EQ(Octets(o.data(), 10), octets.substr(0, 10));

    std::mt19937_64 alea(12345);
    for (int essai = 0; essai < 500; ++essai) {
        std::string brut(DonneesPiece::Longueur, '\0');
        for (char& c : brut) c = static_cast<char>(alea());
        const DonneesPiece p = DecoderPiece(brut.data());
        const auto reecrit = Encoder(p);
        // int16 and reals come back bit for bit, NaN payloads included.
        EXPECT_EQ(Octets(reecrit.data(), 10), brut.substr(0, 10));
        EXPECT_EQ(Octets(reecrit.data() + 134, 2), brut.substr(134, 2));
        EXPECT_EQ(Octets(reecrit.data() + 44, 56), brut.substr(44, 56));
    }
}

// --- Round trips over random records ---

// Characters Windows-1252 holds, as UTF-8, spaces included.
const std::vector<std::string>& Alphabet() {
    static const std::vector<std::string> a = [] {
        std::vector<std::string> v;
        for (int o = 0x20; o < 256; ++o) {
            if (o == 0x7F) continue;
            v.push_back(DepuisWindows1252(std::string(1, static_cast<char>(o))));
        }
        return v;
    }();
    return a;
}

std::string TexteAleatoire(std::mt19937_64& alea, int largeur) {
    const auto& a = Alphabet();
    const int n = static_cast<int>(alea() % static_cast<unsigned>(largeur + 1));
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += a[alea() % a.size()];
    }
    return s;
}

// What reading gives back: the text without its leading and trailing spaces.
std::string SansEspaces(const std::string& s) {
    const auto debut = s.find_first_not_of(' ');
    if (debut == std::string::npos) return {};
    return s.substr(debut, s.find_last_not_of(' ') - debut + 1);
}

double ReelAleatoire(std::mt19937_64& alea) {
    switch (alea() % 5) {
    case 0: return static_cast<double>(static_cast<std::int64_t>(alea() % 20001) - 10000) / 100; // usual entries
    case 1: return -std::ldexp(static_cast<double>(alea() % 1000000), static_cast<int>(alea() % 2000) - 1000);
    case 2: return std::numeric_limits<double>::max() * ((alea() & 1) ? 1 : -1);
    case 3: return std::numeric_limits<double>::denorm_min() * static_cast<double>(alea() % 1000);
    default: {
        double x;
        do {
            x = std::bit_cast<double>(alea());
        } while (std::isnan(x)); // NaN never equals itself; checked apart
        return x;
    }
    }
}

std::int16_t EntierAleatoire(std::mt19937_64& alea) {
    return static_cast<std::int16_t>(alea() & 0xFFFF);
}

// The room's real and text fields (with their widths in characters).
constexpr double DonneesPiece::*ReelsPiece[] = {
    &DonneesPiece::SurfaceBordure, &DonneesPiece::SurfacePiece, &DonneesPiece::SurfaceEmprises,
    &DonneesPiece::SurfacePlafond, &DonneesPiece::DeperdPiece, &DonneesPiece::DeperdPlancher,
    &DonneesPiece::ApportPlafond, &DonneesPiece::EmissionsBas, &DonneesPiece::LongRaccordNormale,
    &DonneesPiece::LongDistri, &DonneesPiece::LongRaccordBordure};
const std::pair<std::string DonneesPiece::*, int> TextesPiece[] = {
    {&DonneesPiece::PasVZBordure, 2}, {&DonneesPiece::NomPiece, 30}, {&DonneesPiece::TempPiece, 2},
    {&DonneesPiece::RthActuelle, 4},  {&DonneesPiece::RthFuture, 4}, {&DonneesPiece::IsoApport, 1},
    {&DonneesPiece::IsoEmissions, 1}};

TEST(Enregistrements, AllerRetourAleatoire) {
    for (std::uint64_t graine = 1; graine <= 3000; ++graine) {
        std::mt19937_64 alea(graine);

        // (a braced list draws its values in order)
        const DonneesGenerales g{.Support = EntierAleatoire(alea), .Tube = EntierAleatoire(alea),
                                 .TempDepart = TexteAleatoire(alea, 2), .EpaisChape = EntierAleatoire(alea),
                                 .Chape = EntierAleatoire(alea)};
        DonneesGenerales gAttendu = g;
        gAttendu.TempDepart = SansEspaces(g.TempDepart);
        ASSERT_EQ(DecoderGenerales(Encoder(g).data()), gAttendu) << "graine " << graine;

        DonneesPiece p;
        p.TypeCharge = EntierAleatoire(alea);
        p.TempChute = EntierAleatoire(alea);
        for (double DonneesPiece::*r : ReelsPiece) p.*r = ReelAleatoire(alea);
        for (const auto& [t, largeur] : TextesPiece) p.*t = TexteAleatoire(alea, largeur);
        DonneesPiece pAttendu = p;
        for (const auto& [t, largeur] : TextesPiece) pAttendu.*t = SansEspaces(p.*t);
        const auto octets = Encoder(p);
        const DonneesPiece relu = DecoderPiece(octets.data());
        ASSERT_EQ(relu, pAttendu) << "graine " << graine << " nom " << p.NomPiece;
        // and the record read back is written as the same bytes, but for
        // leading spaces, which reading removes
        if (p.NomPiece.empty() || p.NomPiece[0] != ' ') {
            ASSERT_EQ(Octets(Encoder(relu).data() + 12, 30), Octets(octets.data() + 12, 30)) << "graine " << graine;
        }

        const PerteCharge c{ReelAleatoire(alea), ReelAleatoire(alea), ReelAleatoire(alea)};
        ASSERT_EQ(DecoderPerte(Encoder(c).data()), c) << "graine " << graine;
    }
}

} // namespace
