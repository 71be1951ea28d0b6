// The two module windows: their fields reach the calculation, its results
// reach their labels and chart, the searches keep the window responsive.
// The calculations themselves are tested without the windows
// (tests/modules).

#include "Gestes.h"
#include "ihm/ChampNumerique.h"
#include "modules/Cas.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules_fenetres/FrmIncertitude.h"

#include <QChartView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QXYSeries>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace sorvel;
using namespace sorvel::test;
using ModCorrection::ModeCorrection;

namespace {

QString Label(const QWidget* fenetre, const QString& nom) { return Trouver<QLabel>(fenetre, nom)->text(); }

// Types texts as a user would: "." for the decimal separator, a negative
// number sign first.
void Saisir(QWidget* f, const QString& nom, const std::string& texte) {
    Taper(f, nom, QString::fromStdString(texte).replace(QLatin1Char(','), QLatin1Char('.')));
}

template <std::size_t N>
void Saisir(QWidget* f, const QString& prefixe, const std::array<std::string, N>& textes) {
    for (std::size_t i = 0; i < N; ++i)
        Saisir(f, prefixe + QString::number(i), textes[i]);
}

void Saisir(QWidget* f, const ModCorrection::Saisie& s) {
    Saisir(f, QStringLiteral("TxtValManuelle_"), s.ValManuelles);
    Choisir(f, QStringLiteral("CmbVZ"), QString::fromStdString(s.PasVZ));
    Choisir(f, QStringLiteral("CmbDiametre"), QString::fromStdString(s.Diametre));
    Saisir(f, QStringLiteral("TxtValSouhaitee"), s.TempSouhaitee);
    if (s.Mode != ModeCorrection::Aucun)
        Cliquer(f, QStringLiteral("OptCorrection_%1").arg(s.Mode == ModeCorrection::Debit ? 1 : 0));
}

void Saisir(QWidget* f, const ModIncertitude::Saisie& s) {
    Saisir(f, QStringLiteral("TxtValeurs_"), s.Valeurs);
    Choisir(f, QStringLiteral("CmbVZ"), QString::fromStdString(s.PasVZ));
    Saisir(f, QStringLiteral("TxtPourcent_"), s.Pourcents);
}

// What the calculation gives for the fields, by the button of their mode.
ModCorrection::Bilan Calculer(const ModCorrection::Saisie& s) {
    if (s.Mode == ModeCorrection::Aucun)
        return ModCorrection::CalculerValeursActuelles(s);
    return ModCorrection::CalculerValeursCorrigees(s, Souhait(s.TempSouhaitee));
}

// Every label `prefixe`_i of the window shows what the calculation wrote,
// as text and as accessible name; a label not written stays empty.
template <std::size_t N>
void ComparerLabels(const QWidget* f, const QString& prefixe, const std::array<std::optional<std::string>, N>& textes) {
    for (std::size_t i = 0; i < N; ++i) {
        auto* l = Trouver<QLabel>(f, prefixe + QString::number(i));
        EXPECT_EQ(l->text().toStdString(), textes[i].value_or("")) << prefixe.toStdString() << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }
}

void ComparerLabels(const QWidget* f, const ModCorrection::Bilan& attendue) {
    ComparerLabels(f, QStringLiteral("LblResultats_"), attendue.Ecrit.Resultats);
    ComparerLabels(f, QStringLiteral("LblPourCent_"), attendue.Ecrit.PourCents);
}

// The chart draws the curve of the search, the wished temperature across
// it and the point found.
void ComparerCourbe(const QWidget* f, const ModCorrection::Courbe& attendue) {
    const QChart* chart = Trouver<QChartView>(f, QStringLiteral("GraphEquilibre"))->chart();
    auto serie = [&](const char* nom) { return Trouver<QXYSeries>(chart, QString::fromLatin1(nom))->points(); };
    auto point = [](const ModCorrection::PointCourbe& p) { return QPointF(p.X, p.TempEquilibre); };
    QList<QPointF> courbe;
    std::ranges::transform(attendue.Points, std::back_inserter(courbe), point);
    EXPECT_TRUE(serie("SerieEquilibre") == courbe);
    EXPECT_EQ(serie("SeriePoint"), attendue.Point ? QList{point(*attendue.Point)} : QList<QPointF>());
    const QList<QPointF> cible = serie("SerieSouhaitee");
    EXPECT_EQ(cible.size(), attendue.Cible && !courbe.isEmpty() ? 2 : 0);
    for (const QPointF& p : cible)
        EXPECT_EQ(p.y(), *attendue.Cible);
}

// The two windows shown, their message boxes scripted.
class Modules : public ::testing::Test {
protected:
    Modules() {
        incertitude.show();
        correction.show();
        Activer(&correction);
    }
    static void Activer(QWidget* f) {
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
    }
    BoiteMessageScriptee boite;
    FrmCorrection correction;
    FrmIncertitude incertitude;
};

} // namespace

// Each field is read out by its caption; the fields reach each calculation
// and its results reach the labels, the colour of the pressure drop and the
// chart. A larger flow turns the pressure drop red.
TEST_F(Modules, Correction) {
    for (int i = 0; i < ModCorrection::NombreValManuelles; ++i)
        EXPECT_EQ(Trouver(&correction, QStringLiteral("TxtValManuelle_%1").arg(i))->accessibleName(),
                  Label(&correction, QStringLiteral("LblValManuelle_%1").arg(i)));
    ModCorrection::Saisie fort = BoucleCorrection();
    fort.Texte(ModCorrection::Champ::DebitTotal) = "400";
    const std::pair<ModCorrection::Saisie, QColor> cas[] = {{BoucleCorrection(), Qt::blue}, {fort, Qt::red},
        {BoucleCorrection(ModeCorrection::Temperature), Qt::blue}, {BoucleCorrection(ModeCorrection::Debit), Qt::blue}};
    for (const auto& [saisie, couleur] : cas) {
        const ModCorrection::Bilan attendue = Calculer(saisie);
        ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
        Saisir(&correction, saisie);
        Cliquer(&correction, saisie.Mode == ModeCorrection::Aucun ? QStringLiteral("CmdCalcActuelle") : QStringLiteral("CmdCalcCorrigee"));
        ComparerLabels(&correction, attendue);
        ComparerCourbe(&correction, attendue.Trace.value());
        EXPECT_EQ(Trouver<QLabel>(&correction, QStringLiteral("LblResultats_9"))->palette().color(QPalette::WindowText),
                  couleur);
    }
    EXPECT_TRUE(boite.messages.empty());
}

// Keys typed while the search runs are handled at once, and the search
// aims at the new wished temperature: 35,5 °C is out of reach at 40 °C,
// 20 °C is not.
TEST_F(Modules, CibleChangeePendantLaRecherche) {
    Saisir(&correction, BoucleCorrection(ModeCorrection::Debit));
    auto* souhaitee = Trouver<ChampNumerique>(&correction, QStringLiteral("TxtValSouhaitee"));
    souhaitee->setText(QStringLiteral("35,5"));
    souhaitee->setFocus();
    souhaitee->selectAll();
    // Typed over the selection; the keys wait in the event queue.
    for (auto [touche, texte] : {std::pair{Qt::Key_2, "2"}, std::pair{Qt::Key_0, "0"}}) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(souhaitee, new QKeyEvent(type, touche, Qt::NoModifier, QString::fromLatin1(texte)));
    }
    Trouver<QPushButton>(&correction, QStringLiteral("CmdCalcCorrigee"))->click();
    EXPECT_EQ(souhaitee->text(), QStringLiteral("20"));
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QLatin1Char(' ')).toStdString();
    ComparerLabels(&correction, Calculer(BoucleCorrection(ModeCorrection::Debit)));
}

// "Fermer" during a search: the search stops at the next step, writes
// nothing and shows nothing; the window is destroyed once the search is over,
// never under it.
TEST(FenetreCorrection, FermeePendantLaRecherche) {
    BoiteMessageScriptee boite;
    QPointer<FrmCorrection> f = new FrmCorrection;
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    ModCorrection::Saisie s = BoucleCorrection(ModeCorrection::Temperature);
    s.TempSouhaitee = "35,5";
    Saisir(f, s);
    QObject::connect(f.data(), &FrmModule::fermee, f.data(), &QObject::deleteLater);
    // The click, and the deferred deletion it asks for, arrive while the
    // search still runs.
    QPushButton* fermer = Trouver<QPushButton>(f, QStringLiteral("CmdFermer"));
    QTimer::singleShot(0, fermer, [fermer] {
        fermer->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    Trouver<QPushButton>(f, QStringLiteral("CmdCalcCorrigee"))->click();
    ASSERT_TRUE(f);
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_6")), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f);
}

// The uncertainty's fields reach its calculation, and its results the
// labels. Then a refused field: its message, the focus back on it with its
// whole text selected, even when it kept the focus through the press, so
// that the next key replaces it; the results as they were. A lone "-" is
// kept by the outdoor temperatures only, so that "-5" can be typed; it is
// no number there either.
TEST_F(Modules, IncertitudeEtChampRefuse) {
    Saisir(&correction, BoucleCorrection());
    Cliquer(&correction, QStringLiteral("CmdCalcActuelle"));
    Activer(&incertitude);
    Saisir(&incertitude, BoucleIncertitude());
    Cliquer(&incertitude, QStringLiteral("CmdIncertitude"));
    const ModIncertitude::Bilan attendue = ModIncertitude::CalculerIncertitude(BoucleIncertitude());
    ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
    ComparerLabels(&incertitude, QStringLiteral("LblResultats_"), attendue.Resultats);
    EXPECT_TRUE(boite.messages.empty());
    const struct {
        QWidget* fenetre;
        const char *champ, *tape, *texte, *bouton, *titre;
    } cas[] = {
        {&correction, "TxtValManuelle_0", "-", "0", "CmdCalcActuelle", "Longueur de tube."},
        {&correction, "TxtValManuelle_7", "0", "0", "CmdCalcActuelle", "Coefficient H."},
        {&correction, "TxtValManuelle_4", "-", "-", "CmdCalcActuelle", "Température extérieure."},
        {&correction, "TxtValSouhaitee", "-", "0", "CmdCalcCorrigee", "Température d'ambiance."},
        {&incertitude, "TxtValeurs_6", "-", "-", "CmdIncertitude", "Température extérieure."},
        {&incertitude, "TxtPourcent_0", "-", "0", "CmdIncertitude", nullptr},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.champ);
        Activer(c.fenetre);
        const QString avant = Label(c.fenetre, QStringLiteral("LblResultats_0"));
        Taper(c.fenetre, QString::fromLatin1(c.champ), QString::fromLatin1(c.tape));
        auto* champ = Trouver<QLineEdit>(c.fenetre, QString::fromLatin1(c.champ));
        EXPECT_EQ(champ->text(), QString::fromLatin1(c.texte));
        if (!c.titre)
            continue; // the percentages are not checked
        boite.vider();
        Trouver<QPushButton>(c.fenetre, QString::fromLatin1(c.bouton))->click();
        EXPECT_TRUE(boite.seul(QString::fromUtf8(c.titre), {}, IconeMessage::Exclamation));
        EXPECT_TRUE(champ->hasFocus());
        EXPECT_EQ(champ->selectedText(), QString::fromLatin1(c.texte));
        QTest::keyClicks(champ, QStringLiteral("7"));
        EXPECT_EQ(champ->text(), QStringLiteral("7"));
        EXPECT_EQ(Label(c.fenetre, QStringLiteral("LblResultats_0")), avant);
    }
}
