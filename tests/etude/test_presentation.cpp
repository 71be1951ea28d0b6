#include "calcul/ModCalcul.h"
#include "etude/CalculEtude.h"
#include "etude/PresentationResultats.h"

#include <gtest/gtest.h>

#include "Exemples.h"

using namespace sorvel;

namespace {
constexpr FormatValeur Plain{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};
constexpr FormatValeur Bleu{true, CouleurValeur::Bleu};
constexpr FormatValeur Orange{true, CouleurValeur::Orange};
constexpr FormatValeur Rouge{true, CouleurValeur::Rouge};
} // namespace

// Two decimals, halves to the even neighbour: 12.345 and 12.355 are halves
// once multiplied by 100 (1234.5, 1235.5) and go to 1234 and 1236.
TEST(Presentation, TexteArrondi) {
    const struct {
        double x;
        const char* texte;
    } cas[] = {{12.345, "12,34"}, {12.355, "12,36"}, {0.125, "0,12"}, {42, "42"}, {312.456, "312,46"},
               {-1.005, "-1"},    {0.004, "0"}};
    for (const auto& k : cas)
        EXPECT_EQ(TexteArrondi(k.x), k.texte) << k.x;
}

// The highlighting limits are strict and apply to the value as shown.
TEST(Presentation, Couleurs) {
    const struct {
        FormatValeur obtenu, attendu;
        const char* cas;
    } cas[] = {
        {FormatSiPositif(0), Plain, "0"},
        {FormatSiPositif(0.004), Plain, "0.004 shown 0"},
        {FormatSiPositif(0.01), Bleu, "0.01"},
        {FormatSiPositif(-3), Plain, "-3"},
        {FormatLongueurBoucle(80, 0), Gras, "80 m 13x16"},
        {FormatLongueurBoucle(95, 0), Orange, "95 m 13x16"},
        {FormatLongueurBoucle(120, 0), Gras, "120 m 13x16"},
        {FormatLongueurBoucle(125, 0), Rouge, "125 m 13x16"},
        {FormatLongueurBoucle(125, 1), Orange, "125 m 16x20"},
        {FormatLongueurBoucle(160, 1), Gras, "160 m 16x20"},
        {FormatLongueurBoucle(160.01, 1), Rouge, "160.01 m 16x20"},
        {FormatLongueurBoucle(100, 1), Gras, "100 m 16x20"},
        {FormatTempSurface(28), Plain, "28 °C"},
        {FormatTempSurface(28.004), Plain, "28.004 °C shown 28"},
        {FormatTempSurface(28.01), Rouge, "28.01 °C"},
    };
    for (const auto& k : cas)
        EXPECT_EQ(k.obtenu, k.attendu) << k.cas;
    EXPECT_EQ(Rvb(CouleurValeur::Orange), (std::array<int, 3>{255, 128, 0}));
    EXPECT_EQ(Rvb(CouleurValeur::Vert), (std::array<int, 3>{0, 128, 0}));
}

namespace {
DonneesPiece Piece(std::int16_t type) { return exemples::Piece("Séjour", type, 20, 1500); }
using exemples::Generales;
} // namespace

// The edge-loop rows exist only for an independent edge loop (type 1), the
// edge pitch and surface temperature for any edge zone.
TEST(Presentation, LignesSelonLeTypeDeCharge) {
    for (std::int16_t type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        const DonneesPiece d = Piece(type);
        const ResultatsPiece r = CalculPiece(EntreesDepuisEnregistrements(d, Generales(), 0));
        const auto l = LignesResultatsPiece(d, 1, r);
        EXPECT_STREQ(l[0].Titre, "Nom de la pièce");
        EXPECT_STREQ(l[28].Titre, "Température superficielle zone de bordure");
        EXPECT_STREQ(l[4].Unite, "W/(m².K)");
        EXPECT_EQ(l[0].Valeur, "Séjour");
        EXPECT_EQ(l[2].Valeur, "19");
        EXPECT_EQ(l[8].Valeur, "5");
        EXPECT_EQ(l[13].Valeur, TexteArrondi(r.LongueurNormale + 8));
        EXPECT_EQ(l[13].Format, FormatLongueurBoucle(r.LongueurNormale + 8, 1));
        const bool boucle = type == 1, zone = type != 0;
        for (int row : {14, 16, 19, 23, 26})
            EXPECT_EQ(l[row].Valeur.empty(), !boucle) << row;
        for (int row : {12, 28})
            EXPECT_EQ(l[row].Valeur.empty(), !zone) << row;
        for (int row : {0, 11, 12, 18, 19})
            EXPECT_TRUE(l[row].Format.Gras) << row;
    }
}
