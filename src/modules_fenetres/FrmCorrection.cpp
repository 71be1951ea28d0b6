#include "modules_fenetres/FrmCorrection.h"

#include "commun/Nombres.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRadioButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace sorvel {

using namespace ModCorrection;

namespace {

QString Texte(const std::string& s) { return QString::fromStdString(s); }

// The left column, top to bottom.
const LigneDonnee LignesDonnees[] = {
    {IndexValManuelle(Champ::LongueurBoucle), "Longueur de tube (boucle seule)", "m"},
    {IndexValManuelle(Champ::LongueurRaccordement), "Longueur des conduites de raccordement", "m",
     Particularite::Facultative},
    {IndexValManuelle(Champ::TempDepart), "Température de départ du fluide", "°C"},
    {IndexValManuelle(Champ::ChuteActuelle), "Chute de température actuelle", "°C", Particularite::Facultative},
    {IndexValManuelle(Champ::TempExterieure), "Température extérieure", "°C", Particularite::Negative},
    {IndexValManuelle(Champ::DebitTotal), "Débit total du fluide caloporteur (boucle + conduites de raccordement)",
     "l/h"},
    {IndexValManuelle(Champ::CoeffSurfacique), "Coefficient d'émission surfacique haut", "W/(m².K)"},
    {IndexValManuelle(Champ::CoeffDeperditions), "Coefficient de déperditions (H)", "W/K"},
};

const QString TitreAxeTempDepart = QStringLiteral("Température de départ du fluide (°C)");
const QString TitreAxeDebit = QStringLiteral("Débit de la boucle (l/h)");
const QString TitreAxeEquilibre = QStringLiteral("Pièce (°C)");
const QString NomPointTrouve = QStringLiteral("Point trouvé");
const QString NomPointActuel = QStringLiteral("Valeurs actuelles");

} // namespace

FrmCorrection::FrmCorrection(QWidget* parent) : FrmModule(parent) {
    setObjectName(QStringLiteral("FrmCorrection"));
    setWindowTitle(QStringLiteral("Sorvel. [Module de correction]"));

    // ---- Left: the data of the loop.
    const ListeDonnee listes[] = {
        ListeVZ,
        {"Diametre", "Diamètre du tube (13x16 ou 16x20)", {QStringLiteral("13x16"), QStringLiteral("16x20")}, "mm"},
    };
    std::array<QComboBox*, 2> combos{};
    QGroupBox* donnees = CadreDonnees(QStringLiteral("ValManuelle"), LignesDonnees, txtValManuelle_, listes, combos);
    cmbVZ_ = combos[0];
    cmbDiametre_ = combos[1];

    QVBoxLayout* milieu = ColonneMilieu();
    QGroupBox* resultats = ColonneResultats();
    graphe_ = Graphe();
    Colonnes(donnees, milieu, resultats);
    Grille()->addWidget(graphe_, 1, 0, 1, 3);
    Grille()->setRowStretch(1, 1);
    Relier(BoutonsBas(), this, &FrmCorrection::CmdAide_Click);
    LierExterieureEtH(txtValManuelle_[IndexValManuelle(Champ::TempExterieure)],
                      txtValManuelle_[IndexValManuelle(Champ::CoeffDeperditions)]);
}

// The middle column: the wished temperature, the two calculations and the
// choice of what to correct, over the legend of the optional values.
QVBoxLayout* FrmCorrection::ColonneMilieu() {
    auto* milieu = new QVBoxLayout;
    auto* souhait = new QGridLayout;
    auto* lblSouhaitee =
        Libelle(QStringLiteral("LblValSouhaitee"), QStringLiteral("Température souhaitée dans la pièce"), this);
    txtValSouhaitee_ = ChampNombre(QStringLiteral("TxtValSouhaitee"), lblSouhaitee->text(), this, 70);
    lblSouhaitee->setBuddy(txtValSouhaitee_);
    souhait->addWidget(lblSouhaitee, 0, 0, 1, 3);
    souhait->addWidget(txtValSouhaitee_, 1, 0);
    souhait->addWidget(Libelle(QStringLiteral("LblUniteValSouhaitee"), QStringLiteral("°C"), this), 1, 1);
    souhait->setColumnStretch(2, 1);
    milieu->addLayout(souhait);
    auto* cmdActuelle = Bouton(QStringLiteral("CmdCalcActuelle"), QStringLiteral("Calculer les valeurs actuelles >>"), this);
    milieu->addWidget(cmdActuelle);
    auto* cadreOptions = new QGroupBox(this);
    cadreOptions->setObjectName(QStringLiteral("CdrCorrection"));
    auto* options = new QVBoxLayout(cadreOptions);
    const char* libellesOptions[] = {"Corriger la température du fluide", "Corriger le débit du fluide"};
    for (int i = 0; i < 2; ++i) {
        optCorrection_[i] = new QRadioButton(QString::fromUtf8(libellesOptions[i]), cadreOptions);
        optCorrection_[i]->setObjectName(QStringLiteral("OptCorrection_%1").arg(i));
        optCorrection_[i]->setAccessibleName(optCorrection_[i]->text());
        options->addWidget(optCorrection_[i]);
    }
    milieu->addWidget(cadreOptions);
    auto* cmdCorrigee = Bouton(QStringLiteral("CmdCalcCorrigee"), QStringLiteral("Calculer les valeurs corrigées >>"), this);
    milieu->addWidget(cmdCorrigee);
    milieu->addStretch();
    auto* legende = new QHBoxLayout;
    legende->addWidget(Libelle(QStringLiteral("LblEtoile"), QStringLiteral("*"), this));
    legende->addWidget(Libelle(QStringLiteral("LblFacultatives"), QStringLiteral("Valeurs facultatives"), this));
    legende->addStretch();
    milieu->addLayout(legende);

    Relier(cmdActuelle, this, &FrmCorrection::CmdCalcActuelle_Click);
    Relier(cmdCorrigee, this, &FrmCorrection::CmdCalcCorrigee_Click);
    return milieu;
}

// The right column: the results, in the rows of LignesResultats.
QGroupBox* FrmCorrection::ColonneResultats() {
    auto [resultats, r] = Cadre(QStringLiteral("CdrResultats"), QStringLiteral("Résultats"), this);
    int ligne = 0;
    for (const LigneResultat& l : LignesResultats) {
        const QString suffixe = (l.PourCent ? QStringLiteral("PourCent_") : QStringLiteral("Resultats_")) +
                                QString::number(l.Index);
        (l.PourCent ? lblPourCent_[l.Index] : lblResultats_[l.Index]) =
            RangeeResultat(r, ligne++, suffixe, QString::fromUtf8(l.Libelle), QString::fromUtf8(l.Unite));
    }
    r->setRowStretch(ligne, 1);

    return resultats;
}

// Below the columns: the room's equilibrium temperature against the supply
// temperature or the loop flow.
QChartView* FrmCorrection::Graphe() {
    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::French, QLocale::France));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    serieCourbe_ = new QLineSeries(chart);
    serieCourbe_->setObjectName(QStringLiteral("SerieEquilibre"));
    serieCourbe_->setName(QStringLiteral("Température d'équilibre"));
    serieCible_ = new QLineSeries(chart);
    serieCible_->setObjectName(QStringLiteral("SerieSouhaitee"));
    serieCible_->setName(QStringLiteral("Température souhaitée"));
    QPen tirets(QColor(200, 0, 0));
    tirets.setStyle(Qt::DashLine);
    tirets.setWidth(2);
    serieCible_->setPen(tirets);
    seriePoint_ = new QScatterSeries(chart);
    seriePoint_->setObjectName(QStringLiteral("SeriePoint"));
    seriePoint_->setName(NomPointTrouve);
    seriePoint_->setMarkerSize(11);
    seriePoint_->setColor(QColor(0, 0, 255));
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{serieCourbe_, serieCible_, seriePoint_})
        chart->addSeries(s);
    axeX_ = new QValueAxis(chart);
    axeX_->setTitleText(TitreAxeTempDepart);
    axeX_->setLabelFormat(QStringLiteral("%.0f"));
    axeY_ = new QValueAxis(chart);
    axeY_->setTitleText(TitreAxeEquilibre);
    axeY_->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(axeX_, Qt::AlignBottom);
    chart->addAxis(axeY_, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(axeX_);
        s->attachAxis(axeY_);
    }
    auto* graphe = new QChartView(chart, this);
    graphe->setObjectName(QStringLiteral("GraphEquilibre"));
    graphe->setAccessibleName(QStringLiteral("Courbe de la température intérieure d'équilibre"));
    graphe->setRenderHint(QPainter::Antialiasing);
    graphe->setMinimumHeight(230);

    return graphe;
}

ModCorrection::Saisie FrmCorrection::Saisie() const {
    ModCorrection::Saisie s;
    s.ValManuelles = Textes(txtValManuelle_);
    s.PasVZ = cmbVZ_->currentText().toStdString();
    s.Diametre = cmbDiametre_->currentText().toStdString();
    s.TempSouhaitee = txtValSouhaitee_->text().toStdString();
    s.Mode = optCorrection_[0]->isChecked()   ? ModeCorrection::Temperature
             : optCorrection_[1]->isChecked() ? ModeCorrection::Debit
                                              : ModeCorrection::Aucun;
    return s;
}

void FrmCorrection::RemplirDepuis(const DonneesBoucle& boucle) {
    const ModCorrection::Saisie s = modules::ReprendreCorrection(Saisie(), boucle);
    EcrireTextes(txtValManuelle_, s.ValManuelles);
    ChoisirTexte(cmbVZ_, QString::fromStdString(s.PasVZ));
    ChoisirTexte(cmbDiametre_, QString::fromStdString(s.Diametre));
    txtValSouhaitee_->setText(QString::fromStdString(s.TempSouhaitee));
}

QWidget* FrmCorrection::ChampDe(Champ champ) const {
    switch (champ) {
    case Champ::PasVZ: return cmbVZ_;
    case Champ::Diametre: return cmbDiametre_;
    case Champ::TempSouhaitee: return txtValSouhaitee_;
    default: return txtValManuelle_[IndexValManuelle(champ)];
    }
}

void FrmCorrection::CmdCalcActuelle_Click() { Afficher(CalculerValeursActuelles(Saisie())); }

void FrmCorrection::CmdCalcCorrigee_Click() {
    Bilan bilan;
    // Between two steps the window handles its events, and the wished
    // temperature is read again: the user may change it meanwhile.
    const RelireCible relire = [this]() -> std::optional<std::string> {
        if (!TraiterEvenements())
            return std::nullopt;
        return txtValSouhaitee_->text().toStdString();
    };
    if (!Rechercher([&] { bilan = CalculerValeursCorrigees(Saisie(), relire); }))
        return;
    Afficher(bilan);
}

void FrmCorrection::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideCorrection); }

void FrmCorrection::Afficher(const Bilan& bilan) {
    if (bilan.Fin == modules::Arret::Abandon)
        return;
    for (int i = 0; i < NombreResultats; ++i)
        if (bilan.Ecrit.Resultats[i])
            AfficherResultat(lblResultats_[i], Texte(*bilan.Ecrit.Resultats[i]));
    for (int i = 0; i < NombrePourCent; ++i)
        if (bilan.Ecrit.PourCents[i])
            AfficherResultat(lblPourCent_[i], Texte(*bilan.Ecrit.PourCents[i]));
    if (bilan.Ecrit.Couleur) {
        QLabel* perte = lblResultats_[static_cast<int>(Resultat::PerteChargeTotale)];
        QPalette p = perte->palette();
        p.setColor(QPalette::WindowText,
                   *bilan.Ecrit.Couleur == CouleurPerte::Rouge ? QColor(255, 0, 0) : QColor(0, 0, 255));
        perte->setPalette(p);
    }
    if (bilan.Trace)
        Tracer(*bilan.Trace);
    Signaler(bilan.Message, bilan.Focus ? ChampDe(*bilan.Focus) : nullptr);
}

void FrmCorrection::Tracer(const Courbe& courbe) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(courbe.Points.size()));
    for (const PointCourbe& p : courbe.Points)
        points.append(QPointF(p.X, p.TempEquilibre));
    serieCourbe_->replace(points);

    // The range covers the curve, the target and the point, from a flow or
    // a supply temperature of 0.
    double xMax = 0, yMin = 0, yMax = 0;
    bool premier = true;
    auto inclure = [&](double x, double y) {
        xMax = std::max(xMax, x);
        yMin = premier ? y : std::min(yMin, y);
        yMax = premier ? y : std::max(yMax, y);
        premier = false;
    };
    for (const PointCourbe& p : courbe.Points)
        inclure(p.X, p.TempEquilibre);
    if (courbe.Point)
        inclure(courbe.Point->X, courbe.Point->TempEquilibre);
    if (courbe.Cible)
        inclure(courbe.Points.empty() ? 0.0 : courbe.Points.front().X, *courbe.Cible);

    serieCible_->clear();
    if (courbe.Cible && !courbe.Points.empty())
        serieCible_->replace({QPointF(courbe.Points.front().X, *courbe.Cible),
                              QPointF(courbe.Points.back().X, *courbe.Cible)});
    seriePoint_->clear();
    seriePoint_->setName(courbe.Points.empty() ? NomPointActuel : NomPointTrouve);
    if (courbe.Point)
        seriePoint_->append(courbe.Point->X, courbe.Point->TempEquilibre);

    // The legend names only what is drawn.
    QChart* chart = graphe_->chart();
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{serieCourbe_, serieCible_, seriePoint_})
        for (QLegendMarker* m : chart->legend()->markers(s))
            m->setVisible(s->count() > 0);

    axeX_->setTitleText(courbe.Axe == AxeCourbe::DebitBoucle ? TitreAxeDebit : TitreAxeTempDepart);
    // A lone point stands inside its range, not on its edge.
    const double marge = courbe.Points.empty() ? 0.25 : 0.02;
    axeX_->setRange(0, xMax > 0 ? xMax * (1 + marge) : 1);
    axeY_->setRange(yMin - 1, yMax + 1);
    axeX_->applyNiceNumbers();
    axeY_->applyNiceNumbers();
}

} // namespace sorvel
