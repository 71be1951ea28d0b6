#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace sorvel;

namespace {

// The conversions must not follow the C locale: Qt sets it from the
// environment at start-up, and on a French machine strtod/printf then use a
// comma. The suite therefore runs every case under fr_FR.UTF-8 too (the test
// script generates that locale).
class SousLocaleFrancaise : public ::testing::Environment {
public:
    void SetUp() override { std::setlocale(LC_ALL, "fr_FR.UTF-8"); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};
const auto* const environnement = ::testing::AddGlobalTestEnvironment(new SousLocaleFrancaise);

TEST(Nombres, LaLocaleFrancaiseEstActive) {
    // Without the French locale the other tests would prove nothing about it.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",")
        << "fr_FR.UTF-8 is not generated on this machine";
}

TEST(Nombres, LectureDesChamps) {
    struct Cas { const char* texte; std::optional<double> attendu; };
    const Cas cas[] = {
        {"12,5", 12.5}, {" 12,5 ", 12.5}, {"-3", -3.0}, {"+4,25", 4.25},
        {"0", 0.0}, {",5", 0.5}, {"5,", 5.0}, {"1,5E-3", 0.0015}, {"2e+2", 200.0},
        {"", std::nullopt}, {"   ", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt},
        {"abc", std::nullopt}, {"12,5,3", std::nullopt}, {"12.5", std::nullopt},
        {"3E", std::nullopt}, {"E3", std::nullopt},
        {",", std::nullopt}, {"12a", std::nullopt}, {"1E999", std::nullopt},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(LireNombre(c.texte), c.attendu) << '"' << c.texte << '"';
    }
    EXPECT_EQ(LireNombrePoint("0.05"), 0.05);
    EXPECT_EQ(LireNombrePoint("0,05"), std::nullopt);
}

// French users group thousands with a space; numbers pasted from French
// formatting carry a no-break space (U+00A0) or a narrow no-break space
// (U+202F) there. Only one such space between two digits of the whole part.
TEST(Nombres, SeparateurDesMilliers) {
    const std::string insecable = "\xC2\xA0", fine = "\xE2\x80\xAF";
    struct Cas { std::string texte; std::optional<double> attendu; };
    const Cas cas[] = {
        {"1 850", 1850.0}, {"1 850,5", 1850.5}, {"12 345 678", 12345678.0}, {"-1 850", -1850.0},
        {"1" + insecable + "850", 1850.0}, {"12" + fine + "345" + fine + "678,25", 12345678.25},
        {"1 8", 18.0},                       // on the way to "1 850": a number already
        {" 1 850 ", 1850.0}, {"1" + insecable, 1.0}, {fine + "2", 2.0},
        {"1 5E3", 15000.0},
        {"1 ,5", std::nullopt}, {"1, 5", std::nullopt}, {"1,5 0", std::nullopt},
        {"1  850", std::nullopt}, {"1\t850", std::nullopt}, {"- 5", std::nullopt},
        {"+ 5", std::nullopt}, {" ,5", 0.5}, {"1 E3", std::nullopt}, {"1 a", std::nullopt},
        {"1" + insecable + insecable + "850", std::nullopt},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(LireNombre(c.texte), c.attendu) << '"' << c.texte << '"';
    }
}

TEST(Nombres, FormatGeneral) {
    struct Cas { double x; const char* attendu; };
    const Cas cas[] = {
        {12.5, "12,5"}, {12.0, "12"}, {0.1 + 0.2, "0,3"}, {0.0, "0"}, {-0.0, "0"},
        {-12.75, "-12,75"}, {0.0001, "0,0001"}, {0.00001, "1E-05"}, {0.000015, "1,5E-05"},
        {1e15, "1E+15"}, {123456789012345.0, "123456789012345"}, {2.5e20, "2,5E+20"},
        {1.0 / 3.0, "0,333333333333333"}, {2.0 / 3.0, "0,666666666666667"},
        {50 * 1.1, "55"}, {1320.0, "1320"}, {998.148, "998,148"}, {-1e-7, "-1E-07"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(FormatGeneral(c.x), c.attendu) << c.x;
    }
}

// A value held in a 32-bit float shows the decimals it was typed with, not
// those of its exact binary value; every text reads back as the same float.
TEST(Nombres, FormatSimplePrecision) {
    struct Cas { float x; const char* attendu; };
    const Cas cas[] = {
        {45.3f, "45,3"}, {-5.0f, "-5"}, {0.1f, "0,1"}, {1.0f / 3.0f, "0,33333334"},
        {0.0f, "0"}, {-0.0f, "0"}, {16777216.0f, "16777216"}, {0.00001f, "1E-05"},
        {3.4028235e38f, "3,4028235E+38"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(FormatSimplePrecision(c.x), c.attendu) << c.x;
        EXPECT_EQ(static_cast<float>(LireNombre(c.attendu).value()), c.x) << c.attendu;
    }
    // The same float seen as a double has other digits.
    EXPECT_EQ(FormatGeneral(45.3f), "45,2999992370605");
}

TEST(Nombres, ArrondisAuPair) {
    struct Cas { double x; std::int16_t entier; };
    const Cas cas[] = {{42.5, 42}, {41.5, 42}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2},
                       {2.5001, 3}, {32767.0, 32767}, {-32768.0, -32768}, {0.5, 0}};
    for (const auto& c : cas) {
        EXPECT_EQ(CInt(c.x), c.entier) << c.x;
    }
    for (double hors : {32767.5, 32768.0, -32768.6, 1e300,
                        std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(CInt(hors), ErreurArithmetique) << hors;
    }
    EXPECT_THROW(CInt(std::nan("")), ErreurArithmetique);
    EXPECT_EQ(CLng(70000.5), 70000);
    EXPECT_THROW(CLng(3e9), ErreurArithmetique);

    // 2.675 is stored just below the half, but 2.675 * 100 rounds to exactly
    // 267.5 in double: the rounding works on that product, as the program
    // always has, and the half goes to the even 268.
    // 0.125 and -0.125 are exact halves, to even.
    struct Arrondi { double x; int decimales; double attendu; };
    for (const Arrondi& a : {Arrondi{2.675, 2, 2.68}, {2.665, 2, 2.66}, {0.125, 2, 0.12}, {0.375, 2, 0.38},
                             {1.23456, 4, 1.2346}, {-0.125, 2, -0.12}})
        EXPECT_DOUBLE_EQ(Arrondir(a.x, a.decimales), a.attendu) << a.x;
}

TEST(Nombres, ArrondiSupSurLaValeurAffichee) {
    struct Cas { double x; double attendu; };
    const Cas cas[] = {{12.3, 13}, {12, 12}, {0, 0}, {40.01, 41}, {50 * 1.1, 55},
                       {-0.4, 0}, {0.00001, 1}};
    for (const auto& c : cas) {
        EXPECT_EQ(ArrondiSup(c.x), c.attendu) << c.x;
    }
}

TEST(Nombres, AllerRetourTexteNombre) {
    // What is shown reads back as the same number up to 15 significant digits.
    std::mt19937_64 alea(20261206);
    std::uniform_real_distribution<double> mantisse(-1.0, 1.0);
    std::uniform_int_distribution<int> exposant(-12, 20);
    for (int i = 0; i < 5000; ++i) {
        const double x = mantisse(alea) * std::pow(10.0, exposant(alea));
        const std::string texte = FormatGeneral(x);
        const auto relu = LireNombre(texte);
        ASSERT_TRUE(relu.has_value()) << texte;
        EXPECT_NEAR(*relu, x, std::abs(x) * 1e-14) << texte;
        EXPECT_EQ(FormatGeneral(*relu), texte);
    }
}

TEST(Nombres, OperationsVerifiees) {
    using N = ErreurArithmetique::Nature;
    struct Cas { std::function<double()> calcul; N nature; };
    const Cas cas[] = {
        {[] { return Diviser(1.0, 0.0, "EcartEau"); }, N::DivisionParZero},
        {[] { return Diviser(0.0, 0.0, "EcartEau"); }, N::DivisionParZero},
        {[] { return Diviser(1e308, 1e-308, "EcartEau"); }, N::Depassement},
        {[] { return Logarithme(0.0, "EcartEau"); }, N::OperationInvalide},
        {[] { return Logarithme10(-1.0, "EcartEau"); }, N::OperationInvalide},
        {[] { return RacineCarree(-1.0, "EcartEau"); }, N::OperationInvalide},
        {[] { return Verifier(std::nan(""), "EcartEau"); }, N::OperationInvalide},
        {[] { return Puissance(0.0, -1.0, "EcartEau"); }, N::DivisionParZero},
    };
    for (const auto& c : cas) {
        try {
            c.calcul();
            ADD_FAILURE() << "no error raised";
        } catch (const ErreurArithmetique& e) {
            EXPECT_EQ(e.nature(), c.nature);
            EXPECT_EQ(e.etape(), "EcartEau");
        }
    }
    EXPECT_DOUBLE_EQ(Diviser(1320.0, 18.0, "x"), 1320.0 / 18.0);
    EXPECT_DOUBLE_EQ(Logarithme10(100.0, "x"), 2.0);
}

} // namespace
