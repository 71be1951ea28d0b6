#include "etude/Materiel.h"

#include "commun/Nombres.h"

#include <gtest/gtest.h>

using namespace sorvel;

namespace {

struct PieceTable {
    double surface, utile, normale, bordure;
    const char* pasNormale;
    const char* pasBordure; // nullptr: no edge zone
    double lngNormale;
    double lngBordure;      // < 0: no edge loop
};

TableEtude Table(std::initializer_list<PieceTable> pieces) {
    TableEtude t;
    for (const PieceTable& p : pieces) {
        t.Pieces.emplace_back();
        const int i = t.NombrePieces();
        t.Cell(3, i) = p.surface;
        t.Cell(5, i) = p.utile;
        t.Cell(6, i) = p.normale;
        t.Cell(7, i) = p.bordure;
        t.Cell(26, i) = std::string(p.pasNormale);
        if (p.pasBordure)
            t.Cell(27, i) = std::string(p.pasBordure);
        t.Cell(28, i) = p.lngNormale;
        if (p.lngBordure >= 0)
            t.Cell(29, i) = p.lngBordure;
    }
    return t;
}

DonneesGenerales Generales(std::int16_t support, std::int16_t tube, std::int16_t chape, std::int16_t epais) {
    return {.Support = support, .Tube = tube, .TempDepart = "45", .EpaisChape = epais, .Chape = chape};
}

using C = CelluleMateriel;
const C tiret = std::string("-");

TEST(Materiel, Quantites) {
    struct Cas {
        const char* quoi;
        TableEtude table;
        DonneesGenerales generales;
        std::vector<C> attendu;
    };
    const Cas cas[] = {
        // All normal zones at 10 cm on trellis: 10x10 mesh only, 5 % more
        // (20 + 12 = 32 m2 -> 33.6 -> 34); pipe 40 m exactly -> 40, clips
        // 3.1 per metre = 124; plasticiser 7 cm x 44 m2 x 3.5 L/m3 = 10.78 -> 11;
        // film 44 x 1.1 = 48.4 -> 49; strip 44 x 1.2 = 52.8 -> 53.
        {"treillis VZ10", Table({{24, 20, 20, 0, "10", nullptr, 25, -1}, {20, 12, 12, 0, "10", nullptr, 15, -1}}),
         Generales(0, 0, 0, 7),
         {40.0, std::string("13x16"), std::string("Treillis"), tiret, 34.0, tiret, 124.0, 11.0, 49.0, 53.0,
          tiret, 49.0}},
        // 40.01 m of pipe is ordered as 41 m, clips 3.1 x 41 = 127.1 -> 128.
        // Meshes: edge 5 cm 3 m2 -> 3.15 -> 4; normal 15 cm 10 m2 + edge
        // 15 cm 2 m2 -> 12.6 -> 13; normal 20 cm 8 m2 -> 8.4 -> 9.
        {"treillis toutes mailles",
         Table({{15, 13, 10, 3, "15", "5", 20, 10}, {12, 10, 8, 2, "20", "15", 10.01, -1}}),
         Generales(0, 1, 1, 6),
         {41.0, std::string("16x20"), std::string("Treillis"), 4.0, 9.0, 13.0, 128.0, tiret, 30.0, 33.0,
          tiret, 30.0}},
        // Studs: no trellis, clips or film; stud panels on the useful area
        // (25 x 1.1 = 27.5 -> 28), insulation outside it ((27 - 25) x 1.05 = 2.1 -> 3).
        {"plots", Table({{27, 25, 25, 0, "20", nullptr, 130, -1}}), Generales(1, 1, 0, 8),
         {130.0, std::string("16x20"), std::string("Plots thermoformés"), tiret, tiret, tiret, tiret,
          ArrondiSup(0.08 * 27 * 3.5), tiret, ArrondiSup(27 * 1.2), 28.0, 3.0}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const std::vector<C> r = Materiel(c.table, c.generales);
        ASSERT_EQ(r.size(), 12u);
        for (std::size_t n = 0; n < 12; ++n)
            EXPECT_EQ(r[n], c.attendu[n]) << "cell " << n + 1 << " " << LignesMateriel[n].Designation;
    }
}

TEST(Materiel, EtudeSansPieceEtTreillis) {
    EXPECT_TRUE(Materiel(TableEtude{}, Generales(0, 0, 0, 7)).empty());
    // No trellis on studs, whatever the pitches.
    const TableEtude t = Table({{15, 13, 10, 3, "15", "5", 20, 10}});
    EXPECT_EQ(SurfacesTreillis(t, Generales(1, 0, 0, 7)), (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(SurfacesTreillis(t, Generales(0, 0, 0, 7)), (std::array<double, 3>{3, 0, 10}));
    // A normal zone without pitch ("0") takes no trellis.
    EXPECT_EQ(SurfacesTreillis(Table({{15, 13, 13, 0, "0", nullptr, 0, -1}}), Generales(0, 0, 0, 7)),
              (std::array<double, 3>{0, 0, 0}));
}

} // namespace

// A quantity shows in its shortest French form, a text as it is.
TEST(Materiel, TexteDesCellules) {
    EXPECT_EQ(TexteMateriel(C(124.0)), "124");
    EXPECT_EQ(TexteMateriel(C(12.5)), "12,5");
    EXPECT_EQ(TexteMateriel(C(std::string("-"))), "-");
    EXPECT_EQ(TexteMateriel(C(std::string("Plots thermoformés"))), "Plots thermoformés");
}
