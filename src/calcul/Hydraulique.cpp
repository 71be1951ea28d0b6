#include "calcul/Hydraulique.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace sorvel {

namespace {

using Nature = ErreurArithmetique::Nature;

// Raise of the supply/return drop per step of the throttling search, K.
constexpr double PasRecherche = 0.0001;

// Value of x after `n` raises x = x + PasRecherche, exactly as the step by
// step search would compute it, without doing every addition: inside one
// binade (|x| in [2^e, 2^(e+1))) every representable x is a multiple of the
// same ulp, so each addition adds the same rounded amount d and k additions
// add k*d exactly. Near a binade's edge, and very close to zero, it adds one
// step at a time. A negative x (a drop below zero) moves towards zero, whose
// binades it leaves by their lower edge.
double Avancer(double x, std::int64_t n) {
    while (n > 0) {
        const double grandeur = std::fabs(x);
        // From 2^-12 up, PasRecherche / ulp is never halfway between two
        // integers (that happens only in the binade of 2^-13), so every
        // addition rounds it to the same multiple of the ulp.
        if (grandeur >= 0x1p-12 && grandeur < 0x1p52) {
            const int e = std::ilogb(x);
            const double ulp = std::ldexp(1.0, e - 52);
            const double d = std::nearbyint(PasRecherche / ulp) * ulp;
            if (d == 0.0)
                return x; // the step no longer changes x
            // Room left before the edge the steps move towards (exact: both
            // are multiples of ulp within one binade).
            const double place = x > 0.0 ? std::ldexp(1.0, e + 1) - x : grandeur - std::ldexp(1.0, e);
            const double kMax = std::floor(place / d) - 2.0; // two steps of margin
            if (kMax >= 1.0) {
                const auto k = std::min<std::int64_t>(n, static_cast<std::int64_t>(kMax));
                x = x + static_cast<double>(k) * d; // both exact: multiples of ulp inside the binade
                n -= k;
                if (n == 0)
                    break;
            }
        }
        x = x + PasRecherche;
        --n;
    }
    return x;
}

// Trials of the throttling search done by this thread (one per drop tried).
thread_local std::int64_t essaisDebitAFreiner = 0;

// The throttling search of one loop. Step n tries the drop x_n (DeltaT
// raised n times by PasRecherche): it "fits" when the flow needed for the
// need at x_(n+1) is at most what the loop keeps after the excess flow at
// x_n. The answer is the first step that fits, or the first step whose
// arithmetic fails, exactly as trying the steps one after the other.
class RechercheFrein {
public:
    RechercheFrein(double excedent, double necessaire, double debit, double r, double x0)
        : excedent_(excedent), necessaire_(necessaire), debit_(debit), r_(r), x0_(x0) {}

    struct Essai {
        double q1 = 0;   // excess flow at x_n
        double reste = 0;// loop flow left once the excess is taken
        double q2 = 0;   // flow needed at x_(n+1)
        bool convient() const { return q2 <= reste; }
    };

    // Step n, computed as the step-by-step search computes it; raises as it
    // would.
    Essai Evaluer(std::int64_t n) const {
        ++essaisDebitAFreiner;
        return EvaluerEn(Avancer(x0_, n));
    }

    // The first step in [0, fin) that fits (its excess flow q1), or nothing.
    std::optional<double> Premier(std::int64_t fin) const {
        double q1 = 0;
        if (Premier(0, fin - 1, q1) < 0)
            return std::nullopt;
        return q1;
    }

    // When the steps that fit all follow those that do not: the first one
    // bracketed from the estimate `depart` (widening 16 times each time),
    // then found by halving; past `dernier` the search gives up.
    double PremierMonotone(std::int64_t depart, std::int64_t dernier) const;

private:
    static constexpr const char* Etape = "DebitAFreiner";
    // Intervals this small are tried step by step.
    static constexpr std::int64_t Feuille = 16;

    Essai EvaluerEn(double x) const {
        Essai e;
        e.q1 = Diviser(excedent_, x * FacteurDebit * r_, Etape);
        e.reste = Verifier(debit_ - e.q1, Etape);
        const double xSuivant = x + PasRecherche;
        e.q2 = Diviser(necessaire_, xSuivant * FacteurDebit * r_, Etape);
        return e;
    }

    // First fitting step of [bas, haut] (its q1 in `q1`), -1 when none. The
    // intervals are examined from the left, so when a step's arithmetic
    // fails every step before it is known not to fit.
    std::int64_t Premier(std::int64_t bas, std::int64_t haut, double& q1) const {
        if (haut - bas < Feuille) {
            for (std::int64_t n = bas; n <= haut; ++n) {
                const Essai e = Evaluer(n);
                if (e.convient()) {
                    q1 = e.q1;
                    return n;
                }
            }
            return -1;
        }
        if (AucunNeConvient(bas, haut))
            return -1;
        const std::int64_t milieu = bas + (haut - bas) / 2;
        const std::int64_t n = Premier(bas, milieu, q1);
        return n >= 0 ? n : Premier(milieu + 1, haut, q1);
    }

    // True only when no step of [bas, haut] can fit (nor fail). Two proofs:
    // - while x_n keeps its sign, q1 and q2 each move one way only (every
    //   rounding is monotonic), so their extremes lie at the interval's ends:
    //   the smallest q2 above the largest remainder settles it;
    // - q2 - remainder, written (excess + need) / (K x) - need h / (K x x')
    //   - flow with K = factor x density and h = x' - x, has terms that are
    //   each monotonic in x: their lower bound, above a margin far wider than
    //   the rounding of the three operations, settles it even when q2 and the
    //   remainder climb together.
    bool AucunNeConvient(std::int64_t bas, std::int64_t haut) const;

    double excedent_, necessaire_, debit_, r_, x0_;
};

bool RechercheFrein::AucunNeConvient(std::int64_t bas, std::int64_t haut) const {
    const double xb = Avancer(x0_, bas);
    const double xh = Avancer(x0_, haut);
    const double xbSuivant = xb + PasRecherche;
    const double xhSuivant = xh + PasRecherche;
    // Every x_n and x_(n+1) of the interval of one sign, none zero.
    if (!((xb > 0.0 && xhSuivant > 0.0) || (xb < 0.0 && xhSuivant < 0.0)))
        return false;
    Essai eb, eh;
    try {
        ++essaisDebitAFreiner;
        eb = EvaluerEn(xb);
        ++essaisDebitAFreiner;
        eh = EvaluerEn(xh);
    } catch (const ErreurArithmetique&) {
        return false; // a failing end: the steps themselves will tell
    }
    if (std::min(eb.q2, eh.q2) > std::max(eb.reste, eh.reste))
        return true;

    using R = long double;
    const R k = static_cast<R>(FacteurDebit) * static_cast<R>(r_);
    const R plusPres = std::min(std::fabs(static_cast<R>(xb)), std::fabs(static_cast<R>(xh)));
    const R plusPresSuivant = std::min(std::fabs(static_cast<R>(xbSuivant)), std::fabs(static_cast<R>(xhSuivant)));
    const R q1Max = std::fabs(static_cast<R>(excedent_)) / (std::fabs(k) * plusPres);
    const R q2Max = std::fabs(static_cast<R>(necessaire_)) / (std::fabs(k) * plusPresSuivant);
    if (!(std::fabs(k) * std::min(plusPres, plusPresSuivant) > 1e-250L) || !(q1Max < 1e300L) || !(q2Max < 1e300L))
        return false;
    const R a = (static_cast<R>(excedent_) + static_cast<R>(necessaire_)) / k;
    const R b = -static_cast<R>(necessaire_) / k;
    // The raise h of each step, within one ulp of the largest |x| of the
    // interval around PasRecherche.
    const double plusLoin = std::max(std::fabs(xb), std::fabs(xhSuivant));
    const R ulp = std::ldexp(static_cast<R>(1), std::ilogb(plusLoin) - 52);
    const R hMin = static_cast<R>(PasRecherche) - ulp, hMax = static_cast<R>(PasRecherche) + ulp;
    const R pb = 1 / (static_cast<R>(xb) * static_cast<R>(xbSuivant));
    const R ph = 1 / (static_cast<R>(xh) * static_cast<R>(xhSuivant));
    const R terme1 = std::min(a / static_cast<R>(xb), a / static_cast<R>(xh));
    const R terme2 = std::min({b * hMin * pb, b * hMax * pb, b * hMin * ph, b * hMax * ph});
    const R minorant = terme1 + terme2 - static_cast<R>(debit_);
    const R marge = 1e-12L * (q1Max + q2Max + std::fabs(static_cast<R>(debit_))) + 1e-280L;
    return minorant > marge;
}

double RechercheFrein::PremierMonotone(std::int64_t depart, std::int64_t dernier) const {
    auto convient = [&](std::int64_t n, double& q1) {
        const Essai e = Evaluer(n);
        q1 = e.q1;
        return e.convient();
    };
    double q1 = 0.0;
    // Bracket the first fitting step between bas (not fitting; -1 stands for
    // "before the first step") and haut (fitting), widening by 16x.
    std::int64_t bas = -1, haut = -1;
    std::int64_t ecart = 16;
    if (convient(depart, q1)) {
        haut = depart;
        while (haut > 0) {
            const std::int64_t essaiBas = std::max<std::int64_t>(haut - ecart, 0);
            if (!convient(essaiBas, q1)) {
                bas = essaiBas;
                break;
            }
            haut = essaiBas;
            ecart *= 16;
        }
    } else {
        bas = depart;
        for (;;) {
            if (bas == dernier)
                throw ErreurArithmetique(Nature::Depassement, Etape);
            const std::int64_t essaiHaut = std::min(bas + ecart, dernier);
            if (convient(essaiHaut, q1)) {
                haut = essaiHaut;
                break;
            }
            bas = essaiHaut;
            ecart *= 16;
        }
    }
    while (haut - bas > 1) {
        const std::int64_t milieu = bas + (haut - bas) / 2;
        if (convient(milieu, q1))
            haut = milieu;
        else
            bas = milieu;
    }
    convient(haut, q1);
    return q1;
}

double Carre(double x) { return x * x; }

} // namespace

double LongueurTube(std::optional<PasVZ> pas, double surface) {
    double metresParM2 = 0;
    if (pas) {
        switch (*pas) {
        case PasVZ::VZ5: metresParM2 = 20; break;
        case PasVZ::VZ10: metresParM2 = 10; break;
        case PasVZ::VZ15: metresParM2 = 6.7; break;
        case PasVZ::VZ20: metresParM2 = 5; break;
        case PasVZ::VZ30: metresParM2 = 3.4; break;
        }
    }
    return Verifier(surface * metresParM2, "LongueurTube");
}

double EmissionConduites(std::int16_t temperature, double longueur, DiametreTube tube) {
    const double facteur = tube == DiametreTube::D13x16 ? 0.0072 : 0.0075;
    const double t = temperature;
    return Verifier(facteur * (t * t) * longueur, "EmissionConduites");
}

double MasseVolumique(double t) {
    Verifier(t, "MasseVolumique");
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    return Verifier(999.83932 + 0.0523705799 * t - 0.00780474 * t2 + 0.000053678 * t3
                        - 0.000000303 * t4 + 0.0000000008 * t5,
                    "MasseVolumique");
}

double Viscosite(double t) {
    Verifier(t, "Viscosite");
    return Verifier(1.6993718e-6 - 0.043254681e-6 * t + 0.00051252585e-6 * (t * t)
                        - 2.2183992e-12 * (t * t * t),
                    "Viscosite");
}

double DebitCircuit(double emission, std::int16_t temperature, std::int16_t deltaT,
                    double raccord, double bas) {
    const double chaleur = Verifier(emission + raccord + bas, "DebitCircuit");
    const double capacite = static_cast<double>(deltaT) * FacteurDebit * MasseVolumique(temperature) / 1000.0;
    return Diviser(chaleur, capacite, "DebitCircuit");
}

std::int64_t EssaisDebitAFreiner() noexcept { return essaisDebitAFreiner; }

double DebitAFreiner(double besoin, double emission, double raccord, double bas,
                     double debit, std::int16_t deltaT, double temperature) {
    const char* etape = "DebitAFreiner";
    Verifier(besoin, etape);
    Verifier(emission, etape);
    Verifier(raccord, etape);
    Verifier(bas, etape);
    Verifier(debit, etape);
    // A loop without flow has nothing to throttle; the search below would
    // never end for it.
    if (!(debit > 0.0))
        return 0.0;
    const double r = MasseVolumique(temperature) / 1000.0;
    const double excedent = Verifier(emission - besoin, etape);
    const double necessaire = Verifier(raccord + bas + besoin, etape);
    const double x0 = deltaT;
    const RechercheFrein recherche(excedent, necessaire, debit, r, x0);

    // With non-negative numerators, a positive density and a positive drop,
    // q1 and q2 only fall as x rises (rounding is monotonic): the steps
    // that fit follow those that do not, and plain bisection on the step
    // number finds the first one.
    const bool monotone = excedent >= 0.0 && necessaire >= 0.0 && r > 0.0 && x0 >= 1.0;
    if (monotone) {
        // Start near the answer: the remaining flow carries the need once
        // (excess + need) / (x * factor * r) falls to the loop flow.
        const double xEstime = (excedent + necessaire) / (debit * FacteurDebit * r);
        const double nEstime = (xEstime - x0) / PasRecherche;
        const std::int64_t dernier = PasMaximumDebitAFreiner - 1;
        const std::int64_t depart = !(nEstime > 0.0) ? 0
            : nEstime >= static_cast<double>(dernier) ? dernier : static_cast<std::int64_t>(nEstime);
        return recherche.PremierMonotone(depart, dernier);
    }
    // Otherwise (heat gains above the losses, a drop or a density below
    // zero) the steps are searched by halving intervals, each one dismissed
    // only when none of its steps can fit.
    if (const auto q1 = recherche.Premier(PasMaximumDebitAFreiner))
        return *q1;
    throw ErreurArithmetique(Nature::Depassement, etape);
}

double DiametreInterieur(DiametreTube tube) { return tube == DiametreTube::D13x16 ? 13.0 : 16.0; }

namespace {

// The velocity and the Reynolds number as the pressure drop computes them;
// a fault names `etape`, the operation that asked.
double Vitesse(double debit, DiametreTube tube, const char* etape) {
    constexpr double Pi = 3.14159265358979;
    const double debitM3s = debit / 3600.0 * 0.001;
    const double section = Pi * Carre(DiametreInterieur(tube) / 2.0 * 0.001);
    return Verifier(debitM3s / section, etape);
}

double Reynolds(double debit, double temperature, DiametreTube tube, const char* etape) {
    return Diviser(DiametreInterieur(tube) * Vitesse(debit, tube, etape) * 0.001, Viscosite(temperature), etape);
}

} // namespace

double VitesseEau(double debit, DiametreTube tube) {
    Verifier(debit, "VitesseEau");
    return Vitesse(debit, tube, "VitesseEau");
}

double NombreReynolds(double debit, double temperature, DiametreTube tube) {
    Verifier(debit, "NombreReynolds");
    Verifier(temperature, "NombreReynolds");
    return Reynolds(debit, temperature, tube, "NombreReynolds");
}

double PerteChargeLineique(double debit, double temperature, DiametreTube tube) {
    const char* etape = "PerteChargeLineique";
    Verifier(debit, etape);
    Verifier(temperature, etape);
    const double d = DiametreInterieur(tube); // bore, mm
    const double vitesse = Vitesse(debit, tube, etape);
    const double reynolds = Reynolds(debit, temperature, tube, etape);
    double lambda;
    if (EcoulementLaminaire(reynolds)) {
        lambda = Diviser(64.0, reynolds, etape);
    } else {
        // Colebrook-White made explicit by three fixed-point steps (Serghides).
        const double k = 0.0001 / 3.71;
        const double a = -2.0 * Logarithme10(k + 12.0 / reynolds, etape);
        const double b = -2.0 * Logarithme10(k + 2.51 * a / reynolds, etape);
        const double c = -2.0 * Logarithme10(k + 2.51 * b / reynolds, etape);
        lambda = Puissance(a - Diviser(Carre(a - b), c - 2.0 * b + a, etape), -2.0, etape);
    }
    const double rho = MasseVolumique(temperature);
    const double frottement = lambda * rho * Carre(vitesse) / (2.0 * d * 0.001) / 10.0 * (10.0 / 9.81);
    const double singulieres = 0.3 * rho * Carre(vitesse) / 2.0 / 10.0;
    return Verifier(frottement + singulieres, etape);
}

Equilibre Equilibrage(Charge typeCharge, double perteMaxEtude, double perteNormale, double perteBordure) {
    Equilibre e;
    const double m = perteMaxEtude;
    if (m < perteNormale) {
        e.PerteArtificielleNormale = 0;
        e.PerteLaPlusElevee = perteNormale;
    } else {
        e.PerteArtificielleNormale = Verifier(m - perteNormale, "PerteArtificielleNormale");
        e.PerteLaPlusElevee = m;
    }
    if (BoucleBordureIndependante(typeCharge)) {
        if (m < perteBordure) {
            e.PerteArtificielleBordure = 0;
            if (perteBordure > e.PerteLaPlusElevee)
                e.PerteLaPlusElevee = perteBordure;
        } else {
            e.PerteArtificielleBordure = Verifier(m - perteBordure, "PerteArtificielleBordure");
        }
    }
    Verifier(e.PerteLaPlusElevee, "PerteLaPlusElevee");
    return e;
}

double Mini(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return 0;
    return b < a ? b : a;
}

double Maxi(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return 0;
    return b > a ? b : a;
}

} // namespace sorvel
