// Timings of the room calculation and of the study-wide recalculation.
//
//   bench_calcul                         runs the benchmarks
//   bench_calcul --ecrire-etude DIR NOM  writes the 30-room study used here
//                                        as DIR/NOM.plg and DIR/NOM.pla
//                                        (for temps-sorvel-calcul.sh)

#include "calcul/ModCalcul.h"
#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

DonneesGenerales Generales() {
    DonneesGenerales g;
    g.Support = 0;
    g.Tube = 1;
    g.TempDepart = "45";
    g.EpaisChape = 7;
    g.Chape = 0;
    return g;
}

// Thirty rooms of a large house: every load type, edge pitches 5 to 15 cm,
// present coverings better than the future ones (so the loops have flow to
// throttle), crossing pipes in some rooms.
std::vector<DonneesPiece> TrentePieces() {
    const char* rth[] = {"0.01", "0.02", "0.05", "0.08", "0.10", "0.12", "0.15"};
    const char* pas[] = {"5", "10", "15"};
    std::vector<DonneesPiece> pieces;
    for (int i = 0; i < 30; ++i) {
        DonneesPiece p;
        p.TypeCharge = static_cast<std::int16_t>(i % 4);
        p.SurfaceBordure = p.TypeCharge == 0 ? 0 : 3 + i % 3;
        p.PasVZBordure = pas[i % 3];
        p.NomPiece = "Pièce " + std::to_string(i + 1);
        p.TempPiece = i % 5 == 0 ? "24" : (i % 2 ? "20" : "18");
        p.SurfacePiece = 9 + (i * 7) % 25;
        p.SurfaceEmprises = (i % 3) * 0.5;
        p.SurfacePlafond = p.SurfacePiece;
        p.DeperdPiece = 600 + (i * 113) % 1500;
        p.DeperdPlancher = 80 + (i * 17) % 150;
        p.ApportPlafond = (i % 4) * 20;
        p.EmissionsBas = 40 + (i * 11) % 60;
        p.RthActuelle = rth[i % 3];
        p.RthFuture = rth[2 + i % 5];
        p.IsoApport = "4";
        p.IsoEmissions = "6";
        p.LongRaccordNormale = 4 + i % 9;
        p.LongDistri = (i % 5 == 3) ? 4 : 0;
        p.LongRaccordBordure = p.TypeCharge == 1 ? 3 + i % 4 : 0;
        p.TempChute = static_cast<std::int16_t>(5 + i % 6);
        pieces.push_back(p);
    }
    return pieces;
}

void BM_CalculPiece(benchmark::State& etat) {
    EntreesPiece e;
    e.TempDepart = 45; e.TempChute = 5; e.TempPiece = 20; e.TypeCharge = 1;
    e.SurfacePiece = 20; e.SurfaceEmprises = 2; e.SurfaceBordure = 4;
    e.Support = "Treillis"; e.Tube = "16x20"; e.RthActuelle = "0.01"; e.RthFuture = "0.10";
    e.PasVZBordure = "10"; e.DeperdPiece = 1500; e.DeperdPlancher = 200; e.ApportPlafond = 0;
    e.LongRaccordNormale = 6; e.LongRaccordBordure = 4; e.LongDistri = 2; e.EmissionsBas = 90;
    e.PerteMaxEtude = 500;
    for (auto _ : etat)
        benchmark::DoNotOptimize(CalculPiece(e));
}
BENCHMARK(BM_CalculPiece);

void BM_CalculEtude30(benchmark::State& etat) {
    const auto pieces = TrentePieces();
    const auto generales = Generales();
    for (auto _ : etat)
        benchmark::DoNotOptimize(CalculEtude(pieces, generales));
}
BENCHMARK(BM_CalculEtude30)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

int EcrireEtude(const std::string& dossier, const std::string& nom) {
    std::ofstream plg(dossier + "/" + nom + ".plg", std::ios::binary);
    const auto g = Encoder(Generales());
    plg.write(g.data(), static_cast<std::streamsize>(g.size()));
    std::ofstream pla(dossier + "/" + nom + ".pla", std::ios::binary);
    for (const DonneesPiece& p : TrentePieces()) {
        const auto octets = Encoder(p);
        pla.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    }
    if (!plg || !pla) {
        std::fprintf(stderr, "bench_calcul : impossible d'écrire l'étude dans %s\n", dossier.c_str());
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--ecrire-etude") == 0)
        return EcrireEtude(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
