// Loop hydraulics on hand-worked examples, and the fast throttling search
// against the naive search that walks the temperature step by step.

#include "calcul/Hydraulique.h"
#include "commun/ErreurArithmetique.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

using namespace sorvel;

namespace {

std::vector<cas::Ligne> Cas(const char* genre) { return cas::Lire("hydraulique.txt", genre); }

TEST(Hydraulique, ExemplesChiffres) {
    for (const cas::Ligne& l : Cas("eau")) {
        SCOPED_TRACE(l.ou);
        EXPECT_NEAR(MasseVolumique(l.Reel(1)), l.Reel(2), l.Reel(3));
        EXPECT_NEAR(Viscosite(l.Reel(1)), l.Reel(4), l.Reel(5));
    }
    for (const cas::Ligne& l : Cas("vitesse")) {
        SCOPED_TRACE(l.ou);
        EXPECT_NEAR(VitesseEau(l.Reel(1), exemples::Tube(l[2])), l.Reel(3), 5e-6);
        const double reynolds = NombreReynolds(l.Reel(1), 42.5, exemples::Tube(l[2]));
        EXPECT_NEAR(reynolds, l.Reel(4), 0.5);
        EXPECT_EQ(EcoulementLaminaire(reynolds), l[5] == "oui");
    }
    for (const cas::Ligne& l : Cas("perte")) {
        SCOPED_TRACE(l.ou);
        EXPECT_NEAR(PerteChargeLineique(l.Reel(1), 42.5, exemples::Tube(l[2])), l.Reel(3), l.Reel(4));
    }
    for (const cas::Ligne& l : Cas("longueur")) {
        SCOPED_TRACE(l.ou);
        EXPECT_NEAR(LongueurTube(PasEnCentimetres(l.Entier(1)), l.Reel(2)), l.Reel(3), 1e-12);
    }
    for (const cas::Ligne& l : Cas("conduites")) {
        SCOPED_TRACE(l.ou);
        EXPECT_NEAR(EmissionConduites(static_cast<std::int16_t>(l.Entier(1)), l.Reel(2), exemples::Tube(l[3])), l.Reel(4), 1e-9);
    }
    for (const cas::Ligne& l : Cas("equilibrage")) {
        SCOPED_TRACE(l.ou);
        EXPECT_EQ(Equilibrage(static_cast<Charge>(l.Entier(1)), l.Reel(2), l.Reel(3), l.Reel(4)),
                  (Equilibre{l.Reel(5), l.Reel(6), l.Reel(7)}));
    }
    // 1000 W + 100 W downwards carried at a 5 K drop with water at 42 °C.
    EXPECT_NEAR(DebitCircuit(1000, 42, 5, 0, 100), 190.86, 5e-3);
    EXPECT_EQ(DiametreInterieur(DiametreTube::D13x16), 13);
    EXPECT_TRUE(EcoulementLaminaire(2320));
    EXPECT_FALSE(EcoulementLaminaire(std::nextafter(2320.0, 3000.0)));
    EXPECT_EQ(TempMoyenneEau(45, 5), 42.5);
}

TEST(Hydraulique, Defauts) {
    struct Cas { std::function<void()> f; const char* etape; };
    const Cas cas[] = {
        {[] { DebitCircuit(1000, 42, 0, 0, 100); }, "DebitCircuit"},
        {[] { PerteChargeLineique(0, 42.5, DiametreTube::D16x20); }, "PerteChargeLineique"},
        {[] { PerteChargeLineique(std::nan(""), 42.5, DiametreTube::D16x20); }, "PerteChargeLineique"},
        {[] { LongueurTube(PasVZ::VZ10, INFINITY); }, "LongueurTube"},
        {[] { NombreReynolds(std::nan(""), 42.5, DiametreTube::D16x20); }, "NombreReynolds"},
        {[] { VitesseEau(INFINITY, DiametreTube::D16x20); }, "VitesseEau"},
        {[] { MasseVolumique(std::nan("")); }, "MasseVolumique"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(exemples::Etape(c.f), c.etape);
}

// The smaller or larger of two, the first on a tie (visible with signed
// zeros), 0 when they cannot be ordered.
TEST(Hydraulique, MiniMaxi) {
    EXPECT_EQ(Maxi(2, 3), 3);
    EXPECT_EQ(Mini(2, 3), 2);
    EXPECT_EQ(Mini(3, 2), 2);
    EXPECT_EQ(Maxi(std::nan(""), 3), 0);
    EXPECT_EQ(Mini(3, std::nan("")), 0);
    EXPECT_FALSE(std::signbit(Mini(0.0, -0.0)));
    EXPECT_TRUE(std::signbit(Maxi(-0.0, 0.0)));
}

// The naive throttling search, one 0.0001 K step at a time, with
// the same checked arithmetic and the same give-up point as DebitAFreiner:
// the reference its interval search must reproduce bit for bit.
struct Fin {
    enum class Genre { Resultat, Erreur, Abandon } genre = Genre::Resultat;
    double debit = 0;        // q1 of the first step that fits
    std::int64_t essais = 0; // steps tried
    std::string etape;       // step named by an arithmetic error
};

Fin DebitAFreinerPasAPas(double b, double e, double p, double d, double q, std::int16_t deltaT, double t,
                         std::int64_t maximum = PasMaximumDebitAFreiner) {
    Fin r;
    try {
        if (!(q > 0.0))
            return r; // nothing to throttle
        const double rho = MasseVolumique(t) / 1000.0;
        const double excedent = Verifier(e - b, "DebitAFreiner"), besoin = Verifier(p + d + b, "DebitAFreiner");
        for (double x = deltaT; r.essais < maximum;) {
            ++r.essais;
            const double q1 = Diviser(excedent, x * FacteurDebit * rho, "DebitAFreiner");
            const double w = Verifier(q - q1, "DebitAFreiner");
            x = x + 0.0001;
            if (Diviser(besoin, x * FacteurDebit * rho, "DebitAFreiner") <= w) {
                r.debit = q1;
                return r;
            }
        }
        r.genre = Fin::Genre::Abandon;
        r.etape = "DebitAFreiner";
    } catch (const ErreurArithmetique& erreur) {
        r.genre = Fin::Genre::Erreur;
        r.etape = erreur.etape();
    }
    return r;
}

// DebitAFreiner's outcome in the same terms, with the number of drops tried.
Fin DebitAFreinerMesure(double b, double e, double p, double d, double q, std::int16_t deltaT, double t) {
    const std::int64_t avant = EssaisDebitAFreiner();
    Fin r;
    try {
        r.debit = DebitAFreiner(b, e, p, d, q, deltaT, t);
    } catch (const ErreurArithmetique& erreur) {
        const bool abandon =
            erreur.nature() == ErreurArithmetique::Nature::Depassement && erreur.etape() == "DebitAFreiner";
        r.genre = abandon ? Fin::Genre::Abandon : Fin::Genre::Erreur;
        r.etape = erreur.etape();
    }
    r.essais = EssaisDebitAFreiner() - avant;
    return r;
}

// Same end, same flow to the last bit (or the same failed step), in a few
// hundred trials at most. False when the reference, given a shortened run,
// could not decide.
bool ExpectMemeFin(double b, double e, double p, double d, double q, std::int16_t dt, double t,
                   std::int64_t maximum = PasMaximumDebitAFreiner) {
    const Fin obtenu = DebitAFreinerMesure(b, e, p, d, q, dt, t);
    const Fin attendu = DebitAFreinerPasAPas(b, e, p, d, q, dt, t, maximum);
    EXPECT_LE(obtenu.essais, 500);
    if (attendu.genre == Fin::Genre::Abandon && maximum < PasMaximumDebitAFreiner)
        return false;
    EXPECT_EQ(static_cast<int>(obtenu.genre), static_cast<int>(attendu.genre)) << obtenu.etape << " / " << attendu.etape;
    EXPECT_EQ(obtenu.debit, attendu.debit);
    EXPECT_EQ(obtenu.etape, attendu.etape);
    return true;
}

TEST(Hydraulique, DebitAFreinerCommeLaRecherchePasAPas) {
    for (const cas::Ligne& l : Cas("frein")) {
        SCOPED_TRACE(l.ou + " " + l[1]);
        ExpectMemeFin(l.Reel(2), l.Reel(3), l.Reel(4), l.Reel(5), l.Reel(6), static_cast<std::int16_t>(l.Entier(7)),
                      l.Reel(8));
    }
    // Loops of every size: flows from DebitCircuit of a part of the
    // emission, drops 3 to 20 K.
    std::mt19937_64 alea(20240601);
    std::uniform_real_distribution<double> besoin(50, 3000), excedent(0, 1.5), pertes(0, 400), temp(25, 48.5);
    std::uniform_int_distribution<int> chute(3, 20);
    for (int i = 0; i < 300; ++i) {
        const double b = besoin(alea), e = b * (1 + excedent(alea)), p = pertes(alea), d = pertes(alea);
        const double t = temp(alea);
        const auto dt = static_cast<std::int16_t>(chute(alea));
        const double q = DebitCircuit(b * (0.5 + excedent(alea)), 42, dt, p, d);
        SCOPED_TRACE(i);
        ExpectMemeFin(b, e, p, d, q, dt, t);
    }
    // Gains above the losses, against a reference given a shorter run: the
    // sample must be mostly decided within it, or it compares nothing.
    std::mt19937_64 alea2(77);
    std::uniform_real_distribution<double> gains(0, 2e5), surplus(0, 5000), debit(1e-3, 300), temp2(20, 48.5);
    constexpr std::int64_t Court = 200'000;
    int longues = 0;
    for (int i = 0; i < 200; ++i) {
        const double b = -gains(alea2), e = b + surplus(alea2), p = pertes(alea2), d = pertes(alea2);
        const double q = debit(alea2);
        const auto dt = static_cast<std::int16_t>(chute(alea2));
        const double t = temp2(alea2);
        SCOPED_TRACE(i);
        longues += !ExpectMemeFin(b, e, p, d, q, dt, t, Court);
    }
    EXPECT_LT(longues, 40);
}

} // namespace
