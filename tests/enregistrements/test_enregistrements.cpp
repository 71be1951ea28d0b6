// Byte layouts of the three study records (cas/champs.txt), their
// Windows-1252 texts (cas/textes.txt, cas/windows1252.txt), and any bytes
// read and written back unchanged.

#include "enregistrements/Enregistrements.h"

#include "ChampsEnregistrements.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

template <std::size_t N>
std::string Octets(const std::array<char, N>& a) {
    return std::string(a.data(), N);
}

// "35 20", "20*24": bytes in hexadecimal, each possibly repeated.
std::string Hexadecimal(const std::string& texte) {
    std::istringstream flux(texte);
    std::string octets;
    for (std::string mot; flux >> mot;) {
        const auto fois = mot.find('*');
        const int n = fois == std::string::npos ? 1 : std::stoi(mot.substr(fois + 1));
        octets.append(static_cast<std::size_t>(n), static_cast<char>(std::stoi(mot.substr(0, fois), nullptr, 16)));
    }
    return octets;
}

// Builds the record `genre` of the table, checks every field's bytes at its
// offset, that the fields follow each other over the whole record, and that
// the bytes decode as the record.
template <class R, class E, class D>
void VerifierChamps(const char* genre, const test::ChampsEnregistrement<R>& champs, E encoder, D decoder) {
    const std::vector<cas::Ligne> lignes = cas::Lire("champs.txt", genre);
    R r{};
    for (const cas::Ligne& l : lignes)
        ASSERT_TRUE(champs.Poser(r, l, 1)) << l.ou;
    const auto octets = Octets(encoder(r));
    std::size_t position = 0;
    for (const cas::Ligne& l : lignes) {
        SCOPED_TRACE(l.ou);
        const std::string attendus = Hexadecimal(l[4]);
        EXPECT_EQ(static_cast<std::size_t>(l.Entier(3)), position);
        EXPECT_EQ(octets.substr(position, attendus.size()), attendus);
        position += attendus.size();
    }
    EXPECT_EQ(position, octets.size());
    EXPECT_EQ(decoder(octets.data()), r);
}

TEST(Enregistrements, ChampsASesPositions) {
    VerifierChamps("generales", test::ChampsGenerales, [](const DonneesGenerales& d) { return Encoder(d); },
                   DecoderGenerales);
    VerifierChamps("piece", test::ChampsPiece, [](const DonneesPiece& d) { return Encoder(d); }, DecoderPiece);
    VerifierChamps("perte", test::ChampsPerte, [](const PerteCharge& d) { return Encoder(d); }, DecoderPerte);
}

TEST(Enregistrements, TextesCoupesOuCompletes) {
    for (const cas::Ligne& l : cas::Lire("textes.txt")) {
        SCOPED_TRACE(l.ou);
        DonneesPiece d;
        d.NomPiece = l[0];
        const auto octets = Octets(Encoder(d));
        EXPECT_EQ(octets.substr(12, 30), l[1] + std::string(30 - l[1].size(), ' '));
        EXPECT_EQ(DecoderPiece(octets.data()).NomPiece, l[2]);
    }
}

TEST(Enregistrements, TableWindows1252) {
    for (const cas::Ligne& l : cas::Lire("windows1252.txt")) {
        SCOPED_TRACE(l.ou);
        const std::string octet(1, static_cast<char>(std::stoi(l[0], nullptr, 16)));
        EXPECT_EQ(DepuisWindows1252(octet), l[1]);
        EXPECT_EQ(VersWindows1252(l[1]), octet);
    }
    // Every byte survives a reading and a writing: a damaged name is written
    // back as it was. C1 controls that Windows-1252 replaced by signs have
    // no byte of their own.
    for (int o = 0; o < 256; ++o) {
        const std::string octet(1, static_cast<char>(o));
        EXPECT_EQ(VersWindows1252(DepuisWindows1252(octet)), octet) << o;
    }
    EXPECT_EQ(VersWindows1252("\u0080\u0099"), "??");
}

// Any bytes decode: reals may come out NaN or infinite, texts hold whatever
// bytes were there. Written back they give the same bytes, NaN payloads
// included, as long as no text begins with a space (reading trims it).
TEST(Enregistrements, OctetsQuelconquesRelusEtReecrits) {
    const std::string ff(DonneesPiece::Longueur, '\xFF');
    const DonneesPiece d = DecoderPiece(ff.data());
    EXPECT_TRUE(std::isnan(d.SurfacePiece));
    EXPECT_EQ(d.TypeCharge, -1);
    EXPECT_EQ(Octets(Encoder(d)), ff);
    std::mt19937_64 alea(12345);
    for (int essai = 0; essai < 3000; ++essai) {
        std::string brut(DonneesPiece::Longueur, ' ');
        for (char& c : brut)
            c = alea() % 4 == 0 ? ' ' : static_cast<char>(alea());
        for (std::size_t debutTexte : {4, 10, 12, 42, 100, 104, 108, 109})
            brut[debutTexte] = brut[debutTexte] == ' ' ? 'x' : brut[debutTexte];
        ASSERT_EQ(Octets(Encoder(DecoderPiece(brut.data()))), brut) << essai;
        const std::string generales = brut.substr(0, DonneesGenerales::Longueur);
        ASSERT_EQ(Octets(Encoder(DecoderGenerales(generales.data()))), generales) << essai;
        const std::string perte = brut.substr(0, LongueurPerteCharge);
        ASSERT_EQ(Octets(Encoder(DecoderPerte(perte.data()))), perte) << essai;
    }
}

} // namespace
