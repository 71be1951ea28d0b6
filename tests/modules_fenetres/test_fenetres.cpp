// The two module windows: their fields reach the calculation, its results
// reach their labels and chart, the searches keep the window responsive.
// The calculations themselves are tested without the windows
// (tests/modules).

#include "Gestes.h"
#include "ihm/ChampNumerique.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules_fenetres/FrmIncertitude.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>

using namespace sorvel;
using namespace sorvel::test;

namespace {

QString Label(const QWidget* fenetre, const QString& nom) { return Trouver<QLabel>(fenetre, nom)->text(); }

// A module window shown and active, its message boxes scripted.
template <class Fenetre>
struct Ouverte {
    BoiteMessageScriptee boite;
    Fenetre fenetre;
    Ouverte() {
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
    }
};

// The loop typed as a user would: "." for the decimal separator, the
// outdoor temperature sign first; and the same loop as the calculation takes it.
void SaisirBoucle(QWidget* f) {
    const char* valeurs[] = {"80", "6", "40", "8", "-5", "150", "10.8", "40"};
    for (int i = 0; i < ModCorrection::NombreValManuelles; ++i)
        Taper(f, QStringLiteral("TxtValManuelle_%1").arg(i), QString::fromLatin1(valeurs[i]));
    Choisir(f, QStringLiteral("CmbVZ"), QStringLiteral("15"));
    Choisir(f, QStringLiteral("CmbDiametre"), QStringLiteral("16x20"));
}

ModCorrection::Saisie SaisieBoucle(ModCorrection::ModeCorrection mode) {
    ModCorrection::Saisie s;
    s.ValManuelles = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
    s.PasVZ = "15";
    s.Diametre = "16x20";
    s.TempSouhaitee = "20";
    s.Mode = mode;
    return s;
}

ModCorrection::Bilan Corrigees(ModCorrection::ModeCorrection mode) {
    return ModCorrection::CalculerValeursCorrigees(SaisieBoucle(mode), [] { return std::optional<std::string>("20"); });
}

// Every label of the window shows what the calculation wrote, as text and
// as accessible name.
void ComparerLabels(const QWidget* f, const ModCorrection::Bilan& attendue) {
    for (int i = 0; i < ModCorrection::NombreResultats; ++i) {
        auto* l = Trouver<QLabel>(f, QStringLiteral("LblResultats_%1").arg(i));
        EXPECT_EQ(l->text().toStdString(), attendue.Ecrit.Resultats[i].value_or("")) << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }
    for (int i = 0; i < ModCorrection::NombrePourCent; ++i)
        EXPECT_EQ(Label(f, QStringLiteral("LblPourCent_%1").arg(i)).toStdString(),
                  attendue.Ecrit.PourCents[i].value_or("")) << i;
}

// The chart shows the curve, the point found and the wished temperature.
void ComparerCourbe(const QWidget* f, const ModCorrection::Courbe& attendue) {
    std::map<QString, QList<QPointF>> series;
    for (QAbstractSeries* s : Trouver<QChartView>(f, QStringLiteral("GraphEquilibre"))->chart()->series())
        series[s->objectName()] = qobject_cast<QXYSeries*>(s)->points();
    const QList<QPointF>& courbe = series[QStringLiteral("SerieEquilibre")];
    ASSERT_EQ(courbe.size(), static_cast<qsizetype>(attendue.Points.size()));
    for (qsizetype i = 0; i < courbe.size(); ++i)
        ASSERT_EQ(courbe[i], QPointF(attendue.Points[i].X, attendue.Points[i].TempEquilibre)) << i;
    QList<QPointF> point;
    if (attendue.Point)
        point << QPointF(attendue.Point->X, attendue.Point->TempEquilibre);
    EXPECT_EQ(series[QStringLiteral("SeriePoint")], point);
    const QList<QPointF>& cible = series[QStringLiteral("SerieSouhaitee")];
    if (attendue.Cible && !attendue.Points.empty()) {
        ASSERT_EQ(cible.size(), 2);
        EXPECT_EQ(cible[0].y(), *attendue.Cible);
        EXPECT_EQ(cible[1].y(), *attendue.Cible);
    } else {
        EXPECT_TRUE(cible.isEmpty());
    }
}

QColor CouleurTexte(const QWidget* f, const QString& nom) {
    return Trouver<QLabel>(f, nom)->palette().color(QPalette::WindowText);
}

} // namespace

// ---------------------------------------------------------------------------
// Correction module

// Each field is read out by its caption; the fields reach the calculation
// and its results reach the labels, the colour of the pressure drop and
// the chart.
TEST(FenetreCorrection, ValeursActuelles) {
    Ouverte<FrmCorrection> o;
    FrmCorrection* f = &o.fenetre;
    for (int i = 0; i < ModCorrection::NombreValManuelles; ++i)
        EXPECT_EQ(Trouver(f, QStringLiteral("TxtValManuelle_%1").arg(i))->accessibleName(),
                  Label(f, QStringLiteral("LblValManuelle_%1").arg(i)));
    SaisirBoucle(f);
    const auto attendue = ModCorrection::CalculerValeursActuelles(SaisieBoucle(ModCorrection::ModeCorrection::Aucun));
    ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    EXPECT_TRUE(o.boite.messages.empty());
    ComparerLabels(f, attendue);
    EXPECT_EQ(CouleurTexte(f, QStringLiteral("LblResultats_9")), QColor(0, 0, 255));
    ComparerCourbe(f, attendue.Trace.value());

    // A longer loop of smaller pipe: the same label turns red.
    Taper(f, QStringLiteral("TxtValManuelle_0"), QStringLiteral("120"));
    Taper(f, QStringLiteral("TxtValManuelle_5"), QStringLiteral("400"));
    Choisir(f, QStringLiteral("CmbDiametre"), QStringLiteral("13x16"));
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    EXPECT_EQ(CouleurTexte(f, QStringLiteral("LblResultats_9")), QColor(255, 0, 0));
}

// A missing field: its message, the focus on it, and the labels as they
// were. The corrected calculation asks for the wished temperature first.
TEST(FenetreCorrection, ChampManquant) {
    Ouverte<FrmCorrection> o;
    FrmCorrection* f = &o.fenetre;
    SaisirBoucle(f);
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    const QString avant = Label(f, QStringLiteral("LblResultats_0"));
    Taper(f, QStringLiteral("TxtValManuelle_7"), QStringLiteral("0"));
    Trouver(f, QStringLiteral("TxtValManuelle_0"))->setFocus();
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    EXPECT_TRUE(o.boite.seul(QStringLiteral("Coefficient H."), {}, IconeMessage::Exclamation));
    EXPECT_EQ(QApplication::focusWidget(), Trouver(f, QStringLiteral("TxtValManuelle_7")));
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_0")), avant);

    o.boite.vider();
    Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
    EXPECT_TRUE(o.boite.seul(QStringLiteral("Température d'ambiance.")));
    EXPECT_EQ(QApplication::focusWidget(), Trouver(f, QStringLiteral("TxtValSouhaitee")));
}

// Each option reaches its correction; the labels and the chart show it.
TEST(FenetreCorrection, ValeursCorrigees) {
    const std::pair<const char*, ModCorrection::ModeCorrection> cas[] = {
        {"OptCorrection_0", ModCorrection::ModeCorrection::Temperature},
        {"OptCorrection_1", ModCorrection::ModeCorrection::Debit}};
    for (auto [option, mode] : cas) {
        SCOPED_TRACE(option);
        Ouverte<FrmCorrection> o;
        FrmCorrection* f = &o.fenetre;
        SaisirBoucle(f);
        Taper(f, QStringLiteral("TxtValSouhaitee"), QStringLiteral("20"));
        Cliquer(f, QString::fromLatin1(option));
        const auto attendue = Corrigees(mode);
        ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
        Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
        EXPECT_TRUE(o.boite.messages.empty());
        ComparerLabels(f, attendue);
        ComparerCourbe(f, attendue.Trace.value());
    }
}

// Keys typed while the search runs are handled at once, and the search
// aims at the new wished temperature: 35,5 °C is out of reach at 40 °C,
// 20 °C is not.
TEST(FenetreCorrection, CibleChangeePendantLaRecherche) {
    Ouverte<FrmCorrection> o;
    FrmCorrection* f = &o.fenetre;
    SaisirBoucle(f);
    Cliquer(f, QStringLiteral("OptCorrection_1"));
    auto* souhaitee = Trouver<ChampNumerique>(f, QStringLiteral("TxtValSouhaitee"));
    souhaitee->setText(QStringLiteral("35,5"));
    souhaitee->setFocus();
    souhaitee->selectAll();
    // Typed over the selection; the keys wait in the event queue.
    for (auto [touche, texte] : {std::pair{Qt::Key_2, "2"}, std::pair{Qt::Key_0, "0"}}) {
        QCoreApplication::postEvent(souhaitee, new QKeyEvent(QEvent::KeyPress, touche, Qt::NoModifier,
                                                             QString::fromLatin1(texte)));
        QCoreApplication::postEvent(souhaitee, new QKeyEvent(QEvent::KeyRelease, touche, Qt::NoModifier,
                                                             QString::fromLatin1(texte)));
    }
    Trouver<QPushButton>(f, QStringLiteral("CmdCalcCorrigee"))->click();
    EXPECT_EQ(souhaitee->text(), QStringLiteral("20"));
    EXPECT_TRUE(o.boite.messages.empty()) << o.boite.titres().join(QLatin1Char(' ')).toStdString();
    ComparerLabels(f, Corrigees(ModCorrection::ModeCorrection::Debit));

    // Left at 35,5 °C, the search reaches its limit.
    souhaitee->setText(QStringLiteral("35,5"));
    Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
    EXPECT_TRUE(o.boite.seul(QStringLiteral("Débit trop important.")));
}

// "Fermer" during a search: the search stops at the next step, writes
// nothing and shows nothing; the window is destroyed once the search is over,
// never under it.
TEST(FenetreCorrection, FermeePendantLaRecherche) {
    BoiteMessageScriptee boite;
    QPointer<FrmCorrection> f = new FrmCorrection;
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    SaisirBoucle(f);
    Taper(f, QStringLiteral("TxtValSouhaitee"), QStringLiteral("35.5"));
    Cliquer(f, QStringLiteral("OptCorrection_0"));
    QSignalSpy fermee(f.data(), &FrmModule::fermee);
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
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_TRUE(f->EstFermee());
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_6")), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f);
}

// ---------------------------------------------------------------------------
// Uncertainty module

TEST(FenetreIncertitude, Calcul) {
    Ouverte<FrmIncertitude> o;
    FrmIncertitude* f = &o.fenetre;
    const char* valeurs[] = {"80", "150", "10.8", "40", "20", "40", "-5"};
    for (int i = 0; i < ModIncertitude::NombreValeurs; ++i)
        Taper(f, QStringLiteral("TxtValeurs_%1").arg(i), QString::fromLatin1(valeurs[i]));
    Choisir(f, QStringLiteral("CmbVZ"), QStringLiteral("15"));
    const char* pourcents[] = {"5", "10", "7.5", "15"};
    for (int i = 0; i < ModIncertitude::NombreGrandeurs; ++i)
        Taper(f, QStringLiteral("TxtPourcent_%1").arg(i), QString::fromLatin1(pourcents[i]));
    ModIncertitude::Saisie s;
    s.Valeurs = {"80", "150", "10,8", "40", "20", "40", "-5"};
    s.PasVZ = "15";
    s.Pourcents = {"5", "10", "7,5", "15"};
    const ModIncertitude::Bilan attendue = ModIncertitude::CalculerIncertitude(s);
    ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
    Cliquer(f, QStringLiteral("CmdIncertitude"));
    EXPECT_TRUE(o.boite.messages.empty());
    for (int i = 0; i < ModIncertitude::NombreResultats; ++i) {
        auto* l = Trouver<QLabel>(f, QStringLiteral("LblResultats_%1").arg(i));
        EXPECT_EQ(l->text().toStdString(), attendue.Resultats[i].value()) << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }

    // A lone "-" is no outdoor temperature: its message, the focus on it,
    // the results as they were.
    const QString avant = Label(f, QStringLiteral("LblResultats_4"));
    Taper(f, QStringLiteral("TxtValeurs_6"), QStringLiteral("-"));
    Cliquer(f, QStringLiteral("CmdIncertitude"));
    EXPECT_TRUE(o.boite.seul(QStringLiteral("Température extérieure.")));
    EXPECT_EQ(QApplication::focusWidget(), Trouver(f, QStringLiteral("TxtValeurs_6")));
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_4")), avant);
}

// A refused field gets the focus back with its whole text selected, even
// when it kept the focus through the press: the next key replaces it.
TEST(FenetresModules, ChampRefuseSelectionne) {
    Ouverte<FrmCorrection> correction;
    Ouverte<FrmIncertitude> incertitude;
    SaisirBoucle(&correction.fenetre);
    const char* valeurs[] = {"80", "150", "10.8", "40", "20", "40", "-5"};
    for (int i = 0; i < ModIncertitude::NombreValeurs; ++i)
        Taper(&incertitude.fenetre, QStringLiteral("TxtValeurs_%1").arg(i), QString::fromLatin1(valeurs[i]));
    Choisir(&incertitude.fenetre, QStringLiteral("CmbVZ"), QStringLiteral("15"));
    BoiteMessageScriptee boite; // the one in use, over those of the two windows
    const struct {
        QWidget* fenetre;
        const char* champ;
        const char* texte;
        const char* bouton;
        const char* titre;
    } cas[] = {
        {&correction.fenetre, "TxtValManuelle_7", "0", "CmdCalcActuelle", "Coefficient H."},
        {&correction.fenetre, "TxtValSouhaitee", "0", "CmdCalcCorrigee", "Température d'ambiance."},
        {&incertitude.fenetre, "TxtValeurs_6", "-", "CmdIncertitude", "Température extérieure."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.champ);
        c.fenetre->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.fenetre));
        Taper(c.fenetre, QString::fromLatin1(c.champ), QString::fromLatin1(c.texte));
        auto* champ = Trouver<QLineEdit>(c.fenetre, QString::fromLatin1(c.champ));
        boite.vider();
        Trouver<QPushButton>(c.fenetre, QString::fromLatin1(c.bouton))->click();
        EXPECT_TRUE(boite.seul(QString::fromUtf8(c.titre)));
        EXPECT_TRUE(champ->hasFocus());
        EXPECT_EQ(champ->selectedText(), QString::fromLatin1(c.texte));
        QTest::keyClicks(champ, QStringLiteral("7"));
        EXPECT_EQ(champ->text(), QStringLiteral("7"));
    }
}

// The outdoor temperatures keep a lone "-" so that "-5" can be typed; no
// other field does.
TEST(FenetresModules, SigneMoinsSeul) {
    Ouverte<FrmCorrection> correction;
    Ouverte<FrmIncertitude> incertitude;
    const std::tuple<QWidget*, const char*, const char*> cas[] = {
        {&correction.fenetre, "TxtValManuelle_4", "-"}, {&correction.fenetre, "TxtValSouhaitee", "0"},
        {&correction.fenetre, "TxtValManuelle_0", "0"}, {&incertitude.fenetre, "TxtValeurs_6", "-"},
        {&incertitude.fenetre, "TxtPourcent_0", "0"}};
    for (auto [fenetre, champ, affiche] : cas) {
        fenetre->activateWindow();
        Taper(fenetre, QString::fromLatin1(champ), QStringLiteral("-"));
        EXPECT_EQ(Trouver<QLineEdit>(fenetre, QString::fromLatin1(champ))->text(), QString::fromLatin1(affiche))
            << champ;
    }
}
