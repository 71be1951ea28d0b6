// Numbers read from and shown in the fields, in French whatever the C locale
// (cas/nombres.txt); rounding; checked arithmetic.

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include "TableCas.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <optional>
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

std::vector<cas::Ligne> Cas(const char* genre) { return cas::Lire("nombres.txt", genre); }

// The number of field i, nothing when the field is empty.
std::optional<double> Attendu(const cas::Ligne& l, std::size_t i) {
    return l[i].empty() ? std::nullopt : std::optional(l.Reel(i));
}

TEST(Nombres, LaLocaleFrancaiseEstActive) {
    // Without the French locale the other tests would prove nothing about it.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "fr_FR.UTF-8 is not generated on this machine";
}

TEST(Nombres, LectureEtFormat) {
    for (const cas::Ligne& l : Cas("lire"))
        EXPECT_EQ(LireNombre(l[1]), Attendu(l, 2)) << l.ou;
    for (const cas::Ligne& l : Cas("point"))
        EXPECT_EQ(LireNombrePoint(l[1]), Attendu(l, 2)) << l.ou;
    for (const cas::Ligne& l : Cas("format"))
        EXPECT_EQ(FormatGeneral(l.Reel(1)), l[2]) << l.ou;
    for (const cas::Ligne& l : Cas("simple")) {
        const auto x = static_cast<float>(l.Reel(1));
        EXPECT_EQ(FormatSimplePrecision(x), l[2]) << l.ou;
        EXPECT_EQ(static_cast<float>(LireNombre(l[2]).value()), x) << l.ou;
    }
    // The same float seen as a double has other digits.
    EXPECT_EQ(FormatGeneral(45.3f), "45,2999992370605");
}

TEST(Nombres, Arrondis) {
    for (const cas::Ligne& l : Cas("cint")) {
        std::optional<double> obtenu;
        try {
            obtenu = CInt(l.Reel(1));
        } catch (const ErreurArithmetique&) {
        }
        EXPECT_EQ(obtenu, Attendu(l, 2)) << l.ou;
    }
    for (const cas::Ligne& l : Cas("arrondir"))
        EXPECT_DOUBLE_EQ(Arrondir(l.Reel(1), l.Entier(2)), l.Reel(3)) << l.ou;
    for (const cas::Ligne& l : Cas("arrondisup"))
        EXPECT_EQ(ArrondiSup(l.Reel(1)), l.Reel(2)) << l.ou;
    EXPECT_EQ(CLng(70000.5), 70000);
    EXPECT_THROW(CLng(3e9), ErreurArithmetique);
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
