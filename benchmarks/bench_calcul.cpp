// Timings of the room calculation, of the study-wide recalculation and of
// the search of the lowest supply temperature (the study recalculated at
// each of the 21 supply temperatures), on ordinary rooms and on the worst
// rooms a search can find.
//
//   bench_calcul                         prints the worst cases found, then
//                                        runs the benchmarks
//   bench_calcul --ecrire-etude DIR NOM  writes the ordinary 30-room study
//                                        as DIR/NOM.plg, .pla and .plp
//   bench_calcul --ecrire-pire DIR NOM   writes the 30-room study of the
//                                        worst rooms found (for
//                                        temps-sorvel-calcul.sh)
//
// The worst cases are searched among the studies the study check accepts:
// every list value the screens offer, every number within the bounds of the
// entry. What makes a room slow is the throttling search, so the search
// climbs on the number of drops it tries.

#include "calcul/Hydraulique.h"
#include "calcul/Isolation.h"
#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"
#include "etude/BornesSaisie.h"
#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

Installation Generales() {
    return {Fixation::Treillis, DiametreTube::D16x20, 45, 7, NatureChape::Traditionnelle};
}

// Thirty rooms of a large house: every load type, edge pitches 5 to 15 cm,
// present coverings better than the future ones (so the loops have flow to
// throttle), crossing pipes in some rooms.
std::vector<Piece> TrentePieces() {
    constexpr Resistance rth[] = {Resistance::R001, Resistance::R002, Resistance::R005, Resistance::R008,
                                  Resistance::R010, Resistance::R012, Resistance::R015};
    std::vector<Piece> pieces;
    for (int i = 0; i < 30; ++i) {
        Piece p;
        p.TypeCharge = TypesCharge[static_cast<std::size_t>(i % NombreTypesCharge)];
        p.SurfaceBordure = p.TypeCharge == Charge::Normale ? 0 : 3 + i % 3;
        p.PasVZBordure = PasBordure[static_cast<std::size_t>(i % 3)];
        p.NomPiece = "Pièce " + std::to_string(i + 1);
        p.TempPiece = i % 5 == 0 ? 24 : (i % 2 ? 20 : 18);
        p.SurfacePiece = 9 + (i * 7) % 25;
        p.SurfaceEmprises = (i % 3) * 0.5;
        p.SurfacePlafond = p.SurfacePiece;
        p.DeperdPiece = 600 + (i * 113) % 1500;
        p.DeperdPlancher = 80 + (i * 17) % 150;
        p.ApportPlafond = (i % 4) * 20;
        p.EmissionsBas = 40 + (i * 11) % 60;
        p.RthActuelle = rth[i % 3];
        p.RthFuture = rth[2 + i % 5];
        p.IsoApport = 4;
        p.IsoEmissions = 6;
        p.LongRaccordNormale = 4 + i % 9;
        p.LongDistri = (i % 5 == 3) ? 4 : 0;
        p.LongRaccordBordure = BoucleBordureIndependante(p.TypeCharge) ? 3 + i % 4 : 0;
        p.TempChute = 5 + i % 6;
        pieces.push_back(p);
    }
    return pieces;
}

// The thirty rooms with the last one a conservatory that no supply
// temperature heats without help: the search of the lowest supply
// temperature then recalculates the study at all 21 temperatures.
std::vector<Piece> TrentePiecesAvecAppoint() {
    std::vector<Piece> pieces = TrentePieces();
    pieces.back().NomPiece = "Véranda";
    pieces.back().DeperdPiece = 20'000;
    return pieces;
}

// ---------------------------------------------------------------------------
// Search for the worst rooms

// A room calculated alone: the drops its throttling searches tried, and
// whether it was calculated or refused.
struct Cout {
    std::int64_t essais = 0;
    bool calculee = false;
};

Cout Mesurer(const Piece& p, const Installation& g) {
    Cout c;
    const std::int64_t avant = EssaisDebitAFreiner();
    try {
        CalculPiece(EntreesDepuisPiece(p, g, 0));
        c.calculee = true;
    } catch (const ErreurArithmetique&) {
    }
    c.essais = EssaisDebitAFreiner() - avant;
    return c;
}

class Recherche {
public:
    explicit Recherche(std::uint64_t graine) : alea_(graine) {}

    Installation GeneralesAuHasard() {
        Installation g = Generales();
        g.Support = static_cast<Fixation>(Entier(0, 1));
        g.Tube = static_cast<DiametreTube>(Entier(0, 1));
        g.TempDepart = Entier(TempDepartBasse, TempDepartHaute);
        return g;
    }

    Piece PieceAuHasard() {
        Piece p;
        p.NomPiece = "Pire";
        p.TypeCharge = Type();
        p.PasVZBordure = Pas();
        p.TempPiece = Entier(TempPieceBasse, TempPieceHaute);
        p.RthActuelle = Rth();
        p.RthFuture = Rth();
        p.IsoApport = Entier(EpaisseurIsolantMinimale, EpaisseurIsolantMaximale);
        p.IsoEmissions = Entier(EpaisseurIsolantMinimale, EpaisseurIsolantMaximale);
        p.TempChute = Entier(ChuteBasse, ChuteHaute);
        for (double* x : Surfaces(p))
            *x = Nombre(SurfaceMaximale);
        for (double* x : Puissances(p))
            *x = Nombre(PuissanceMaximale);
        for (double* x : Longueurs(p))
            *x = Nombre(LongueurMaximale);
        return p;
    }

    // One field changed: a list value drawn again, or a number moved by a
    // random factor (or set to 0), kept within its bound.
    Piece Muter(Piece p) {
        switch (Entier(0, 6)) {
        case 0: p.TypeCharge = Type(); break;
        case 1: p.PasVZBordure = Pas(); break;
        case 2: p.TempPiece = Entier(TempPieceBasse, TempPieceHaute); break;
        case 3: (Entier(0, 1) ? p.RthActuelle : p.RthFuture) = Rth(); break;
        case 4: p.TempChute = Entier(ChuteBasse, ChuteHaute); break;
        default: {
            struct Champ { double* x; double maximum; };
            std::vector<Champ> champs;
            for (double* x : Surfaces(p)) champs.push_back({x, SurfaceMaximale});
            for (double* x : Puissances(p)) champs.push_back({x, PuissanceMaximale});
            for (double* x : Longueurs(p)) champs.push_back({x, LongueurMaximale});
            const Champ c = champs[static_cast<std::size_t>(Entier(0, static_cast<int>(champs.size()) - 1))];
            if (Entier(0, 9) == 0)
                *c.x = 0;
            else
                *c.x = std::clamp((*c.x + 1e-3) * std::exp(std::normal_distribution<double>(0, 1)(alea_)), 0.0,
                                  c.maximum);
        }
        }
        return p;
    }

    // The costliest room found for the general data `g`: random starts, each
    // improved by keeping the changes that do not lower its cost.
    // `calculees` keeps only rooms that are calculated to the end.
    Piece Grimper(const Installation& g, int departs, int pas, bool calculees, Cout& meilleur) {
        Piece pire = PieceAuHasard();
        meilleur = Cout{-1, false};
        for (int d = 0; d < departs; ++d) {
            Piece p = PieceAuHasard();
            Cout c = Mesurer(p, g);
            for (int i = 0; i < pas; ++i) {
                const Piece q = Muter(p);
                const Cout cq = Mesurer(q, g);
                if (cq.essais >= c.essais && (cq.calculee || !calculees)) {
                    p = q;
                    c = cq;
                }
            }
            if ((c.calculee || !calculees) && c.essais > meilleur.essais) {
                meilleur = c;
                pire = p;
            }
        }
        return pire;
    }

private:
    // Every choice drawn among the values its list offers.
    int Entier(int de, int a) { return std::uniform_int_distribution<int>(de, a)(alea_); }
    Charge Type() { return TypesCharge[static_cast<std::size_t>(Entier(0, NombreTypesCharge - 1))]; }
    PasVZ Pas() { return PasBordure[static_cast<std::size_t>(Entier(0, static_cast<int>(PasBordure.size()) - 1))]; }
    Resistance Rth() { return *ResistanceEnCentiemes(Entier(1, NombreResistances)); }
    // Log-uniform from 0.001 to the bound, 0 one time in five.
    double Nombre(double maximum) {
        if (Entier(0, 4) == 0)
            return 0;
        return std::exp(std::uniform_real_distribution<double>(std::log(1e-3), std::log(maximum))(alea_));
    }
    static std::array<double*, 4> Surfaces(Piece& p) {
        return {&p.SurfacePiece, &p.SurfaceEmprises, &p.SurfaceBordure, &p.SurfacePlafond};
    }
    static std::array<double*, 4> Puissances(Piece& p) {
        return {&p.DeperdPiece, &p.DeperdPlancher, &p.ApportPlafond, &p.EmissionsBas};
    }
    static std::array<double*, 3> Longueurs(Piece& p) {
        return {&p.LongRaccordNormale, &p.LongDistri, &p.LongRaccordBordure};
    }

    std::mt19937_64 alea_;
};

struct PireEtude {
    Installation generales;
    Piece pireRefusee;          // costliest room, calculated or refused
    Cout coutRefusee;
    std::vector<Piece> pieces;  // 30 costly rooms that are calculated
    std::vector<Cout> couts;
};

// Fixed seed: the same worst study on every run.
const PireEtude& Pire() {
    static const PireEtude pire = [] {
        Recherche r(20240612);
        PireEtude e;
        // The general data of the costliest room among a few drawn at random.
        Cout meilleur{-1, false};
        for (int i = 0; i < 12; ++i) {
            const Installation g = r.GeneralesAuHasard();
            Cout c;
            const Piece p = r.Grimper(g, 4, 400, false, c);
            if (c.essais > meilleur.essais) {
                meilleur = c;
                e.generales = g;
                e.pireRefusee = p;
                e.coutRefusee = c;
            }
        }
        for (int i = 0; i < PiecesMaximumEtude; ++i) {
            Cout c;
            Piece p = r.Grimper(e.generales, 2, 400, true, c);
            p.NomPiece = "Pire " + std::to_string(i + 1);
            e.pieces.push_back(p);
            e.couts.push_back(c);
        }
        return e;
    }();
    return pire;
}

void Decrire(const char* titre, const Piece& p, const Cout& c) {
    std::printf("%s : %lld essais, %s\n", titre, static_cast<long long>(c.essais),
                c.calculee ? "calculée" : "refusée");
    std::printf("  type %d, chute %d, pièce %s °C, bordure %s cm, Rth %s/%s\n", static_cast<int>(p.TypeCharge),
                p.TempChute, TexteEntier(p.TempPiece).c_str(), TextePas(p.PasVZBordure).c_str(),
                TexteResistance(p.RthActuelle).c_str(), TexteResistance(p.RthFuture).c_str());
    std::printf("  surfaces %s / %s / bordure %s / plafond %s m²\n", FormatGeneral(p.SurfacePiece).c_str(),
                FormatGeneral(p.SurfaceEmprises).c_str(), FormatGeneral(p.SurfaceBordure).c_str(),
                FormatGeneral(p.SurfacePlafond).c_str());
    std::printf("  déperditions %s (plancher %s), apport %s, émission basse %s W\n",
                FormatGeneral(p.DeperdPiece).c_str(), FormatGeneral(p.DeperdPlancher).c_str(),
                FormatGeneral(p.ApportPlafond).c_str(), FormatGeneral(p.EmissionsBas).c_str());
    std::printf("  raccords %s / %s, distribution %s m\n", FormatGeneral(p.LongRaccordNormale).c_str(),
                FormatGeneral(p.LongRaccordBordure).c_str(), FormatGeneral(p.LongDistri).c_str());
}

// Median time of `fois` runs of f, in microseconds.
template <class F>
double Mediane(int fois, F&& f) {
    std::vector<double> t;
    for (int i = 0; i < fois; ++i) {
        const auto debut = std::chrono::steady_clock::now();
        f();
        t.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - debut).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void RapportPire() {
    const PireEtude& e = Pire();
    std::printf("Pires cas trouvés (données générales : support %d, tube %d, départ %d °C)\n",
                static_cast<int>(e.generales.Support), static_cast<int>(e.generales.Tube), e.generales.TempDepart);
    Decrire("Pièce la plus coûteuse", e.pireRefusee, e.coutRefusee);
    const double tPiece = Mediane(200, [&] {
        try {
            benchmark::DoNotOptimize(CalculPiece(EntreesDepuisPiece(e.pireRefusee, e.generales, 0)));
        } catch (const ErreurArithmetique&) {
        }
    });
    std::printf("  CalculPiece : %.1f µs (médiane de 200)\n", tPiece);
    std::int64_t total = 0, plus = 0;
    for (const Cout& c : e.couts) {
        total += c.essais;
        plus = std::max(plus, c.essais);
    }
    std::printf("Étude de %d pièces calculées parmi les plus coûteuses : %lld essais en tout, %lld au plus par pièce\n",
                PiecesMaximumEtude, static_cast<long long>(total), static_cast<long long>(plus));
    const std::int64_t avant = EssaisDebitAFreiner();
    const double tEtude = Mediane(50, [&] { benchmark::DoNotOptimize(CalculEtude(e.pieces, e.generales)); });
    std::printf("  CalculEtude : %.1f µs (médiane de 50, %lld essais par passe)\n", tEtude,
                static_cast<long long>((EssaisDebitAFreiner() - avant) / 50));
    const double tMinimale = Mediane(50, [&] { benchmark::DoNotOptimize(TempDepartMinimale(e.pieces, e.generales)); });
    const auto minimale = TempDepartMinimale(e.pieces, e.generales);
    std::printf("  TempDepartMinimale : %.1f µs (médiane de 50 ; %s)\n", tMinimale,
                minimale ? (std::to_string(*minimale) + " °C").c_str() : "aucune, 21 températures essayées");
    const auto ordinaire = TrentePiecesAvecAppoint();
    const auto generales = Generales();
    const double tOrdinaire = Mediane(50, [&] { benchmark::DoNotOptimize(TempDepartMinimale(ordinaire, generales)); });
    std::printf("Température de départ minimale de %d pièces ordinaires dont une véranda jamais chauffée sans "
                "appoint (21 recalculs) : %.1f µs (médiane de 50 ; %s)\n\n",
                PiecesMaximumEtude, tOrdinaire, TempDepartMinimale(ordinaire, generales) ? "trouvée" : "aucune");
    std::fflush(stdout);
}

// ---------------------------------------------------------------------------
// Benchmarks

void BM_CalculPiece(benchmark::State& etat) {
    EntreesPiece e;
    e.TempDepart = 45; e.TempChute = 5; e.TempPiece = 20; e.TypeCharge = Charge::Elevee;
    e.SurfacePiece = 20; e.SurfaceEmprises = 2; e.SurfaceBordure = 4;
    e.Support = Fixation::Treillis; e.Tube = DiametreTube::D16x20; e.RthActuelle = Resistance::R001;
    e.RthFuture = Resistance::R010;
    e.PasVZBordure = PasVZ::VZ10; e.DeperdPiece = 1500; e.DeperdPlancher = 200; e.ApportPlafond = 0;
    e.LongRaccordNormale = 6; e.LongRaccordBordure = 4; e.LongDistri = 2; e.EmissionsBas = 90;
    e.PerteMaxEtude = 500;
    for (auto _ : etat)
        benchmark::DoNotOptimize(CalculPiece(e));
}
BENCHMARK(BM_CalculPiece);

void BM_CalculPiecePire(benchmark::State& etat) {
    const PireEtude& p = Pire();
    const EntreesPiece e = EntreesDepuisPiece(p.pireRefusee, p.generales, 0);
    for (auto _ : etat) {
        try {
            benchmark::DoNotOptimize(CalculPiece(e));
        } catch (const ErreurArithmetique&) {
        }
    }
}
BENCHMARK(BM_CalculPiecePire);

void BM_CalculEtude30(benchmark::State& etat) {
    const auto pieces = TrentePieces();
    const auto generales = Generales();
    for (auto _ : etat)
        benchmark::DoNotOptimize(CalculEtude(pieces, generales));
}
BENCHMARK(BM_CalculEtude30)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_CalculEtude30Pire(benchmark::State& etat) {
    const PireEtude& p = Pire();
    for (auto _ : etat)
        benchmark::DoNotOptimize(CalculEtude(p.pieces, p.generales));
}
BENCHMARK(BM_CalculEtude30Pire)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The lowest supply temperature of 30 rooms that need supplementary heat
// even at 50 °C: the study recalculated 21 times.
void BM_TempDepartMinimale30(benchmark::State& etat) {
    const auto pieces = TrentePiecesAvecAppoint();
    const auto generales = Generales();
    for (auto _ : etat)
        benchmark::DoNotOptimize(TempDepartMinimale(pieces, generales));
}
BENCHMARK(BM_TempDepartMinimale30)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_TempDepartMinimale30Pire(benchmark::State& etat) {
    const PireEtude& p = Pire();
    for (auto _ : etat)
        benchmark::DoNotOptimize(TempDepartMinimale(p.pieces, p.generales));
}
BENCHMARK(BM_TempDepartMinimale30Pire)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The three files of a study, as storing it writes them; the pressure drops
// are those of its own recalculation.
int EcrireEtude(const std::string& dossier, const std::string& nom, const Installation& g,
                const std::vector<Piece>& pieces) {
    const DonneesGenerales generales = VersEnregistrement(g);
    std::vector<DonneesPiece> enregistrements;
    for (const Piece& p : pieces)
        enregistrements.push_back(VersEnregistrement(p));
    if (const auto defaut = VerifierEtude(generales, enregistrements, std::vector<PerteCharge>(pieces.size()))) {
        std::fprintf(stderr, "bench_calcul : %s\n", MessageDefautEtude(*defaut, nom).c_str());
        return 2;
    }
    const ResultatEtude r = CalculEtude(pieces, g);
    std::ofstream plg(dossier + "/" + nom + ".plg", std::ios::binary);
    const auto og = Encoder(generales);
    plg.write(og.data(), static_cast<std::streamsize>(og.size()));
    std::ofstream pla(dossier + "/" + nom + ".pla", std::ios::binary);
    std::ofstream plp(dossier + "/" + nom + ".plp", std::ios::binary);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto op = Encoder(enregistrements[i]);
        pla.write(op.data(), static_cast<std::streamsize>(op.size()));
        const int n = static_cast<int>(i) + 1;
        const auto perte = [&](int k) { return NombreCellule(r.Table.Cell(k, n)).value_or(0.0); };
        const auto oc = Encoder(PerteChargePiece(perte(ColonneEtude::PerteNormale), perte(ColonneEtude::PerteBordure)));
        plp.write(oc.data(), static_cast<std::streamsize>(oc.size()));
    }
    if (!plg || !pla || !plp) {
        std::fprintf(stderr, "bench_calcul : impossible d'écrire l'étude dans %s\n", dossier.c_str());
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--ecrire-etude") == 0)
        return EcrireEtude(argv[2], argv[3], Generales(), TrentePieces());
    if (argc == 4 && std::strcmp(argv[1], "--ecrire-pire") == 0)
        return EcrireEtude(argv[2], argv[3], Pire().generales, Pire().pieces);
    RapportPire();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
