#include "calcul/ModVZ.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace sorvel;

namespace {

TEST(ModVZ, ChoixDuPas) {
    struct Cas {
        const char* quoi;
        const char* support;
        const char* tube;
        double rth;
        double demande;
        PasCoefficient attendu;
    };
    const Cas cas[] = {
        // Choosing the pitch: 4.50 at VZ20 is too small.
        {"exemple treillis", "Treillis", "13x16", 0.05, 4.60, {15, 4.94}},
        // Same example on studs: 3.74, 4.47, 4.91.
        {"exemple plots", "Plots", "13x16", 0.05, 4.60, {15, 4.94 - 0.03}},
        // A requirement equal to a table value takes that pitch (table 13x16, 0.01).
        {"egal a VZ20", "Treillis", "13x16", 0.01, 5.53, {20, 5.53}},
        {"juste sous VZ30", "Treillis", "13x16", 0.01, 4.48 - 1e-12, {30, 4.48}},
        {"demande nulle", "Treillis", "13x16", 0.01, 0.0, {30, 4.48}},
        {"demande negative", "Treillis", "16x20", 0.15, -3.0, {30, 2.85}},
        // Above the VZ10 value 6.93 of the row: no pitch.
        {"au-dessus de VZ10", "Treillis", "13x16", 0.01, 6.94, {0, 0}},
        {"Rth 0.155", "Treillis", "13x16", 0.155, 1.0, {0, 0}},
        {"Rth 0.16", "Treillis", "13x16", 0.16, 1.0, {0, 0}},
        // The pitch choice reads 4.35 at 16x20 / 0.07 / VZ20 (table of the pitch choice).
        {"16x20 0.07 VZ20", "Treillis", "16x20", 0.07, 4.30, {20, 4.35}},
        {"16x20 0.07 VZ20 plots", "Plots", "16x20", 0.07, 4.30, {20, 4.35 - 0.03}},
        // Any support text other than "Treillis" takes the stud table, any
        // tube other than "13x16" the 16x20 table (table 16x20, 0.10, VZ15 4.11).
        {"autre support", "plots", "16x20", 0.10, 4.0, {15, 4.11 - 0.03}},
        {"autre tube", "Treillis", "16 x 20", 0.10, 4.0, {15, 4.11}},
        {"rth 0.1 + 0.02", "Treillis", "13x16", 0.1 + 0.02, 1.0, {0, 0}}, // 0.12000000000000001 is not 0.12
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const PasCoefficient r = ChoisirPasVZ(c.support, c.tube, c.rth, c.demande);
        EXPECT_EQ(r.Pas, c.attendu.Pas);
        EXPECT_EQ(r.Coefficient, c.attendu.Coefficient); // exact: same double subtraction
    }
}

TEST(ModVZ, LectureDesCoefficients) {
    struct Cas {
        const char* quoi;
        bool bordure;
        const char* tube;
        const char* rth;
        const char* support;
        const char* pas;
        double attendu;
    };
    const Cas cas[] = {
        // On studs: 7.37 - 0.03 (table 16x20, "0.02", VZ5).
        {"exemple bordure plots", true, "16x20", "0.02", "Plots", "5", 7.37 - 0.03},
        {"bordure VZ15", true, "13x16", "0.15", "Treillis", "15", 3.28},
        {"normale VZ30", false, "13x16", "0.01", "Treillis", "30", 4.48},
        {"normale VZ10 plots", false, "16x20", "0.10", "Plots", "10", 4.38 - 0.03},
        // The one entry read differently: 4.25 instead of the 4.35 of the pitch choice.
        {"16x20 0.07 VZ20", false, "16x20", "0.07", "Treillis", "20", 4.25},
        {"16x20 0.07 VZ20 plots", false, "16x20", "0.07", "Plots", "20", 4.25 - 0.03},
        {"13x16 0.07 VZ20", false, "13x16", "0.07", "Treillis", "20", 4.12},
        {"16x20 0.07 VZ15", false, "16x20", "0.07", "Treillis", "15", 4.70},
        // Pitches outside a zone's list, texts not exactly in the table.
        {"normale VZ5", false, "13x16", "0.05", "Treillis", "5", 0},
        {"normale VZ5 plots", false, "13x16", "0.05", "Plots", "5", -0.03},
        {"bordure VZ20", true, "13x16", "0.05", "Treillis", "20", 0},
        {"bordure VZ20 plots", true, "13x16", "0.05", "Plots", "20", -0.03},
        {"bordure VZ30", true, "16x20", "0.05", "Treillis", "30", 0},
        {"rth 0.1", false, "13x16", "0.1", "Treillis", "10", 0},
        {"rth avec espace", false, "13x16", "0.05 ", "Treillis", "10", 0},
        {"rth virgule", false, "13x16", "0,05", "Treillis", "10", 0},
        {"pas avec espace", true, "13x16", "0.05", "Treillis", "5 ", 0},
        {"support autre texte", false, "13x16", "0.05", "plots", "10", 5.41},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const double r = c.bordure ? CoefficientBordure(c.tube, c.rth, c.support, c.pas)
                                   : CoefficientNormale(c.tube, c.rth, c.support, c.pas);
        EXPECT_EQ(r, c.attendu);
    }
}

// The requirement capped at the VZ10 coefficient of a row must select VZ10
// itself, whatever the support: both uses subtract 0.03 the same way.
TEST(ModVZ, LePlafondVZ10ChoisitVZ10) {
    const char* rths[] = {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08",
                          "0.09", "0.10", "0.11", "0.12", "0.13", "0.14", "0.15"};
    const double valeurs[] = {0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08,
                              0.09, 0.10, 0.11, 0.12, 0.13, 0.14, 0.15};
    for (const char* tube : {"13x16", "16x20"})
        for (const char* support : {"Treillis", "Plots"})
            for (int i = 0; i < 15; ++i) {
                SCOPED_TRACE(std::string(tube) + " " + support + " " + rths[i]);
                const double plafond = CoefficientNormale(tube, rths[i], support, "10");
                const PasCoefficient r = ChoisirPasVZ(support, tube, valeurs[i], plafond);
                EXPECT_EQ(r.Pas, 10);
                EXPECT_EQ(r.Coefficient, plafond);
                EXPECT_EQ(ChoisirPasVZ(support, tube, valeurs[i], std::nextafter(plafond, 10.0)).Pas, 0);
            }
}

} // namespace
