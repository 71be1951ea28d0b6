// The two module windows: their fields reach the calculation, its results
// reach their labels, the searches keep the window responsive.

#include "ihm/BoiteMessage.h"
#include "ihm/ChampNumerique.h"
#include "ihm/FrmAide.h"
#include "ihm/ModAide.h"
#include "modules/FrmCorrection.h"
#include "modules/FrmIncertitude.h"
#include "ihm/Ressources.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using namespace sorvel;

namespace {

// Records the message boxes and answers OK.
class BoiteEnregistree : public BoiteMessage {
public:
    BoiteEnregistree() { InstallerBoiteMessage(this); }
    ~BoiteEnregistree() override { InstallerBoiteMessage(nullptr); }
    ReponseMessage afficher(QWidget*, IconeMessage icone, const QString& titre, const QString& texte,
                            BoutonsMessage) override {
        icones.push_back(icone);
        titres << titre;
        textes << texte;
        return ReponseMessage::OK;
    }
    std::vector<IconeMessage> icones;
    QStringList titres, textes;
};

template <class T = QWidget>
T* Enfant(const QWidget* fenetre, const QString& nom) {
    T* w = fenetre->findChild<T*>(nom);
    EXPECT_NE(w, nullptr) << nom.toStdString();
    return w;
}

void Taper(QWidget* fenetre, const QString& nom, const QString& texte) {
    auto* champ = Enfant<QLineEdit>(fenetre, nom);
    champ->setFocus(Qt::TabFocusReason);
    champ->selectAll();
    QTest::keyClicks(champ, texte);
}

void Choisir(QWidget* fenetre, const QString& nom, const QString& texte) {
    auto* liste = Enfant<QComboBox>(fenetre, nom);
    liste->setCurrentIndex(liste->findText(texte));
}

void Cliquer(QWidget* fenetre, const QString& nom) {
    QTest::mouseClick(Enfant<QAbstractButton>(fenetre, nom), Qt::LeftButton);
}

QString Label(const QWidget* fenetre, const QString& nom) { return Enfant<QLabel>(fenetre, nom)->text(); }

template <class Fenetre>
struct Ouverte {
    Fenetre fenetre;
    BoiteEnregistree boite;
    Ouverte() {
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
    }
};

// The loop typed as a user would: "." for the decimal separator, the
// outdoor temperature sign first.
void SaisirBoucle(QWidget* f) {
    const char* valeurs[] = {"80", "6", "40", "8", "-5", "150", "10.8", "40"};
    for (int i = 0; i < ModCorrection::NombreValManuelles; ++i)
        Taper(f, QStringLiteral("TxtValManuelle_%1").arg(i), QString::fromLatin1(valeurs[i]));
    Choisir(f, QStringLiteral("CmbVZ"), QStringLiteral("15"));
    Choisir(f, QStringLiteral("CmbDiametre"), QStringLiteral("16x20"));
}

ModCorrection::Saisie SaisieBoucle(ModCorrection::ModeCorrection mode, const char* souhaitee) {
    ModCorrection::Saisie s;
    s.ValManuelles = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
    s.PasVZ = "15";
    s.Diametre = "16x20";
    s.TempSouhaitee = souhaitee;
    s.Mode = mode;
    return s;
}

// Every label of the window shows what the calculation wrote, as text and
// as accessible name.
void ComparerLabels(const QWidget* f, const ModCorrection::Bilan& attendue) {
    for (int i = 0; i < ModCorrection::NombreResultats; ++i) {
        auto* l = Enfant<QLabel>(f, QStringLiteral("LblResultats_%1").arg(i));
        EXPECT_EQ(l->text().toStdString(), attendue.Ecrit.Resultats[i].value_or("")) << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }
    for (int i = 0; i < ModCorrection::NombrePourCent; ++i) {
        auto* l = Enfant<QLabel>(f, QStringLiteral("LblPourCent_%1").arg(i));
        EXPECT_EQ(l->text().toStdString(), attendue.Ecrit.PourCents[i].value_or("")) << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }
}

template <class Serie>
Serie* SerieDuGraphe(const QWidget* f, const QString& nom) {
    auto* vue = Enfant<QChartView>(f, QStringLiteral("GraphEquilibre"));
    for (QAbstractSeries* s : vue->chart()->series())
        if (s->objectName() == nom)
            return qobject_cast<Serie*>(s);
    ADD_FAILURE() << "pas de série " << nom.toStdString();
    return nullptr;
}

void ComparerCourbe(const QWidget* f, const ModCorrection::Courbe& attendue) {
    const QList<QPointF> courbe = SerieDuGraphe<QLineSeries>(f, QStringLiteral("SerieEquilibre"))->points();
    ASSERT_EQ(courbe.size(), static_cast<qsizetype>(attendue.Points.size()));
    for (qsizetype i = 0; i < courbe.size(); ++i)
        ASSERT_EQ(courbe[i], QPointF(attendue.Points[i].X, attendue.Points[i].TempEquilibre)) << i;
    const QList<QPointF> point = SerieDuGraphe<QScatterSeries>(f, QStringLiteral("SeriePoint"))->points();
    ASSERT_EQ(point.size(), attendue.Point ? 1 : 0);
    if (attendue.Point) {
        EXPECT_EQ(point[0], QPointF(attendue.Point->X, attendue.Point->TempEquilibre));
    }
    const QList<QPointF> cible = SerieDuGraphe<QLineSeries>(f, QStringLiteral("SerieSouhaitee"))->points();
    if (attendue.Cible && !attendue.Points.empty()) {
        ASSERT_EQ(cible.size(), 2);
        EXPECT_EQ(cible[0].y(), *attendue.Cible);
        EXPECT_EQ(cible[1].y(), *attendue.Cible);
    } else {
        EXPECT_TRUE(cible.isEmpty());
    }
}

QColor CouleurTexte(const QWidget* f, const QString& nom) {
    return Enfant<QLabel>(f, nom)->palette().color(QPalette::WindowText);
}

} // namespace

// ---------------------------------------------------------------------------
// Correction module

TEST(FenetreCorrection, EtatInitial) {
    FrmCorrection f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Sorvel. [Module de correction]"));
    for (int i = 0; i < ModCorrection::NombreValManuelles; ++i) {
        auto* champ = Enfant<QLineEdit>(&f, QStringLiteral("TxtValManuelle_%1").arg(i));
        EXPECT_EQ(champ->text(), QStringLiteral("0"));
        // Its accessible name is its caption, a label of its own.
        EXPECT_EQ(champ->accessibleName(), Label(&f, QStringLiteral("LblValManuelle_%1").arg(i)));
    }
    EXPECT_EQ(Enfant<QLineEdit>(&f, QStringLiteral("TxtValSouhaitee"))->text(), QStringLiteral("0"));
    EXPECT_EQ(Enfant<QComboBox>(&f, QStringLiteral("CmbVZ"))->currentText(), QString());
    EXPECT_EQ(Enfant<QComboBox>(&f, QStringLiteral("CmbDiametre"))->currentText(), QString());
    EXPECT_FALSE(Enfant<QRadioButton>(&f, QStringLiteral("OptCorrection_0"))->isChecked());
    EXPECT_FALSE(Enfant<QRadioButton>(&f, QStringLiteral("OptCorrection_1"))->isChecked());
    ComparerLabels(&f, {});
}

// The fields reach the calculation and its results reach the labels, the
// colour of the pressure drop and the chart.
TEST(FenetreCorrection, ValeursActuelles) {
    Ouverte<FrmCorrection> o;
    FrmCorrection* f = &o.fenetre;
    SaisirBoucle(f);
    const auto attendue = ModCorrection::CalculerValeursActuelles(SaisieBoucle(ModCorrection::ModeCorrection::Aucun, "0"));
    ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    EXPECT_TRUE(o.boite.titres.isEmpty());
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

// A missing field: its message, the focus on it, and the labels as they were.
TEST(FenetreCorrection, ChampManquant) {
    Ouverte<FrmCorrection> o;
    FrmCorrection* f = &o.fenetre;
    SaisirBoucle(f);
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    const QString avant = Label(f, QStringLiteral("LblResultats_0"));
    Taper(f, QStringLiteral("TxtValManuelle_7"), QStringLiteral("0"));
    Enfant<QWidget>(f, QStringLiteral("TxtValManuelle_0"))->setFocus();
    Cliquer(f, QStringLiteral("CmdCalcActuelle"));
    ASSERT_EQ(o.boite.titres, QStringList{QStringLiteral("Coefficient H.")});
    EXPECT_EQ(o.boite.icones[0], IconeMessage::Exclamation);
    EXPECT_EQ(QApplication::focusWidget(), Enfant<QWidget>(f, QStringLiteral("TxtValManuelle_7")));
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_0")), avant);

    // The wished temperature is asked first by the corrected calculation.
    o.boite.titres.clear();
    Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
    EXPECT_EQ(o.boite.titres, QStringList{QStringLiteral("Température d'ambiance.")});
    EXPECT_EQ(QApplication::focusWidget(), Enfant<QWidget>(f, QStringLiteral("TxtValSouhaitee")));
}

TEST(FenetreCorrection, ValeursCorrigees) {
    const struct {
        const char* option;
        ModCorrection::ModeCorrection mode;
    } cas[] = {{"OptCorrection_0", ModCorrection::ModeCorrection::Temperature},
               {"OptCorrection_1", ModCorrection::ModeCorrection::Debit}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.option);
        Ouverte<FrmCorrection> o;
        FrmCorrection* f = &o.fenetre;
        SaisirBoucle(f);
        Taper(f, QStringLiteral("TxtValSouhaitee"), QStringLiteral("20"));
        Cliquer(f, QString::fromLatin1(c.option));
        const auto attendue = ModCorrection::CalculerValeursCorrigees(
            SaisieBoucle(c.mode, "20"), [] { return std::optional<std::string>("20"); });
        ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
        Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
        EXPECT_TRUE(o.boite.titres.isEmpty());
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
    auto* souhaitee = Enfant<ChampNumerique>(f, QStringLiteral("TxtValSouhaitee"));
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
    Enfant<QPushButton>(f, QStringLiteral("CmdCalcCorrigee"))->click();
    EXPECT_EQ(souhaitee->text(), QStringLiteral("20"));
    EXPECT_TRUE(o.boite.titres.isEmpty()) << o.boite.titres.join(QLatin1Char(' ')).toStdString();
    ComparerLabels(f, ModCorrection::CalculerValeursCorrigees(SaisieBoucle(ModCorrection::ModeCorrection::Debit, "20"),
                                                              [] { return std::optional<std::string>("20"); }));

    // Left at 35,5 °C, the search reaches its limit.
    souhaitee->setText(QStringLiteral("35,5"));
    Cliquer(f, QStringLiteral("CmdCalcCorrigee"));
    EXPECT_EQ(o.boite.titres, QStringList{QStringLiteral("Débit trop important.")});
}

// "Fermer" during a search: the search stops at the next step, writes
// nothing and shows nothing; the window is destroyed once the search is over,
// never under it.
TEST(FenetreCorrection, FermeePendantLaRecherche) {
    BoiteEnregistree boite;
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
    QPushButton* fermer = Enfant<QPushButton>(f, QStringLiteral("CmdFermer"));
    QTimer::singleShot(0, fermer, [fermer] {
        fermer->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    Enfant<QPushButton>(f, QStringLiteral("CmdCalcCorrigee"))->click();
    ASSERT_TRUE(f);
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_TRUE(f->EstFermee());
    EXPECT_TRUE(boite.titres.isEmpty());
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_6")), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f);
}

// The outdoor temperature keeps a lone "-" so that "-5" can be typed; the
// wished temperature does not.
TEST(FenetreCorrection, SigneMoinsSeul) {
    Ouverte<FrmCorrection> o;
    Taper(&o.fenetre, QStringLiteral("TxtValManuelle_4"), QStringLiteral("-"));
    EXPECT_EQ(Enfant<QLineEdit>(&o.fenetre, QStringLiteral("TxtValManuelle_4"))->text(), QStringLiteral("-"));
    Taper(&o.fenetre, QStringLiteral("TxtValSouhaitee"), QStringLiteral("-"));
    EXPECT_EQ(Enfant<QLineEdit>(&o.fenetre, QStringLiteral("TxtValSouhaitee"))->text(), QStringLiteral("0"));
    Taper(&o.fenetre, QStringLiteral("TxtValManuelle_0"), QStringLiteral("-"));
    EXPECT_EQ(Enfant<QLineEdit>(&o.fenetre, QStringLiteral("TxtValManuelle_0"))->text(), QStringLiteral("0"));
}

// ---------------------------------------------------------------------------
// Uncertainty module

namespace {

void SaisirIncertitude(QWidget* f) {
    const char* valeurs[] = {"80", "150", "10.8", "40", "20", "40", "-5"};
    for (int i = 0; i < ModIncertitude::NombreValeurs; ++i)
        Taper(f, QStringLiteral("TxtValeurs_%1").arg(i), QString::fromLatin1(valeurs[i]));
    Choisir(f, QStringLiteral("CmbVZ"), QStringLiteral("15"));
    const char* pourcents[] = {"5", "10", "7.5", "15"};
    for (int i = 0; i < ModIncertitude::NombreGrandeurs; ++i)
        Taper(f, QStringLiteral("TxtPourcent_%1").arg(i), QString::fromLatin1(pourcents[i]));
}

} // namespace

TEST(FenetreIncertitude, Calcul) {
    Ouverte<FrmIncertitude> o;
    FrmIncertitude* f = &o.fenetre;
    EXPECT_EQ(f->windowTitle(),
              QStringLiteral("Sorvel. [Module d'incertitude sur la température d'ambiance de la pièce]"));
    SaisirIncertitude(f);
    ModIncertitude::Saisie s;
    s.Valeurs = {"80", "150", "10,8", "40", "20", "40", "-5"};
    s.PasVZ = "15";
    s.Pourcents = {"5", "10", "7,5", "15"};
    const ModIncertitude::Bilan attendue = ModIncertitude::CalculerIncertitude(s);
    ASSERT_EQ(attendue.Fin, modules::Arret::Aucun);
    Cliquer(f, QStringLiteral("CmdIncertitude"));
    EXPECT_TRUE(o.boite.titres.isEmpty());
    for (int i = 0; i < ModIncertitude::NombreResultats; ++i) {
        auto* l = Enfant<QLabel>(f, QStringLiteral("LblResultats_%1").arg(i));
        EXPECT_EQ(l->text().toStdString(), attendue.Resultats[i].value()) << i;
        EXPECT_EQ(l->accessibleName(), l->text()) << i;
    }
}

TEST(FenetreIncertitude, ChampManquantEtSigne) {
    Ouverte<FrmIncertitude> o;
    FrmIncertitude* f = &o.fenetre;
    SaisirIncertitude(f);
    Taper(f, QStringLiteral("TxtValeurs_6"), QStringLiteral("-"));
    EXPECT_EQ(Enfant<QLineEdit>(f, QStringLiteral("TxtValeurs_6"))->text(), QStringLiteral("-"));
    Taper(f, QStringLiteral("TxtPourcent_0"), QStringLiteral("-"));
    EXPECT_EQ(Enfant<QLineEdit>(f, QStringLiteral("TxtPourcent_0"))->text(), QStringLiteral("0"));
    // A lone "-" is no outdoor temperature.
    Cliquer(f, QStringLiteral("CmdIncertitude"));
    EXPECT_EQ(o.boite.titres, QStringList{QStringLiteral("Température extérieure.")});
    EXPECT_EQ(QApplication::focusWidget(), Enfant<QWidget>(f, QStringLiteral("TxtValeurs_6")));
    EXPECT_EQ(Label(f, QStringLiteral("LblResultats_4")), QString());
}
