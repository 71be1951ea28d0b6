// Worst-case timings of the correction module's searches: the supply
// temperature to its limit (5001 steps) and the loop flow to its limit
// (9999 steps plus the one past it), each step followed by a read of the
// wished temperature.
//
//   bench_modules     the pure searches, then a press of "Calculer les
//                     valeurs corrigées >>" in the real window (offscreen),
//                     events processed at every step and the curve drawn
//
// The press must stay under 0.3 s.

#include "ihm/BoiteMessage.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules/ModCorrection.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

using namespace sorvel;
using namespace sorvel::ModCorrection;

namespace {

// The wished temperature out of reach: each search runs to its limit.
const RelireCible Inaccessible = [] { return std::optional<std::string>("100"); };

void BM_RechercheTemperature(benchmark::State& etat) {
    for (auto _ : etat) {
        Recherche r = RechercherTemperature(2.38, -5, Inaccessible);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RechercheTemperature)->Unit(benchmark::kMillisecond);

void BM_RechercheDebit(benchmark::State& etat) {
    for (auto _ : etat) {
        Recherche r = RechercherDebit(10.8f, 15, 40, 80, -5, 40, Inaccessible);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RechercheDebit)->Unit(benchmark::kMillisecond);

// The limit message is answered at once.
class SansMessage : public BoiteMessage {
public:
    ReponseMessage afficher(QWidget*, IconeMessage, const QString&, const QString&, BoutonsMessage) override {
        return ReponseMessage::OK;
    }
};

// One press in the window, from the click to the limit message.
void PressionFenetre(benchmark::State& etat, const char* option) {
    SansMessage boite;
    InstallerBoiteMessage(&boite);
    FrmCorrection f;
    f.show();
    const char* valeurs[] = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
    for (int i = 0; i < NombreValManuelles; ++i)
        f.findChild<QLineEdit*>(QStringLiteral("TxtValManuelle_%1").arg(i))->setText(QString::fromLatin1(valeurs[i]));
    f.findChild<QComboBox*>(QStringLiteral("CmbVZ"))->setCurrentText(QStringLiteral("15"));
    f.findChild<QComboBox*>(QStringLiteral("CmbDiametre"))->setCurrentText(QStringLiteral("16x20"));
    f.findChild<QLineEdit*>(QStringLiteral("TxtValSouhaitee"))->setText(QStringLiteral("100"));
    f.findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true);
    auto* bouton = f.findChild<QAbstractButton*>(QStringLiteral("CmdCalcCorrigee"));
    QApplication::processEvents();
    for (auto _ : etat)
        bouton->click();
    InstallerBoiteMessage(nullptr);
}

void BM_FenetreTemperature(benchmark::State& etat) { PressionFenetre(etat, "OptCorrection_0"); }
BENCHMARK(BM_FenetreTemperature)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FenetreDebit(benchmark::State& etat) { PressionFenetre(etat, "OptCorrection_1"); }
BENCHMARK(BM_FenetreDebit)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
