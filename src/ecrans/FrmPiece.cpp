#include "ecrans/FrmPiece.h"

#include "commun/Nombres.h"
#include "ihm/BoiteMessage.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "ihm/Panneau.h"
#include "modele/EtudeEnCours.h"
#include "modele/SaisieDeperditions.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace sorvel {

const QStringList FrmPiece::NomsProposes = NomsProposesPiece();

namespace {

QStringList Resistances() {
    QStringList l;
    for (int i = 1; i <= 15; ++i)
        l << QStringLiteral("0.%1").arg(i, 2, 10, QLatin1Char('0'));
    return l;
}

} // namespace

FrmPiece::FrmPiece(EtudeEnCours& etude, QWidget* parent) : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmPiece"));
    setWindowTitle(LegendePiece(QString()));

    auto* lblTitre = Titre(QStringLiteral("Surfaces et déperditions"), this);
    CreerNomEtTemperature();
    QGroupBox* cdrSurfaces = CreerSurfaces();
    QGroupBox* cdrDeperdition = CreerDeperditions();
    QGroupBox* cdrResistances = CreerResistances();
    AlignerCadres({cdrSurfaces, cdrDeperdition, cdrResistances});

    auto* principal = Disposition(this);
    principal->addWidget(lblTitre);
    principal->addLayout(haut_);
    principal->addWidget(cdrSurfaces);
    principal->addWidget(cdrDeperdition);
    principal->addWidget(cdrResistances);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 2/4"), true, Avancer::Suivant);

    QPushButton* cmdApportOK = CreerPanneauApport();
    QPushButton* cmdEmissionOK = CreerPanneauEmissions();
    // Escape puts an open panel away without filling anything, wherever the
    // focus is in the screen's window.
    echapPanneau_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    echapPanneau_->setContext(Qt::WindowShortcut);
    echapPanneau_->setEnabled(false);
    connect(echapPanneau_, &QShortcut::activated, this, [this] {
        FermerPanneau(cdrApport_->isHidden() ? cmdEmissions_ : cmdApport_);
    });

    // First load.
    cmbApportIso_->setCurrentText(QStringLiteral("4"));
    cmbEmissionsIso_->setCurrentText(QStringLiteral("4"));
    SuivreModifications();

    Relier(cmdDeperditions_, this, &FrmPiece::CmdDeperditions_Click);
    Relier(cmdApport_, this, &FrmPiece::CmdApport_Click);
    Relier(cmdApportOK, this, &FrmPiece::CmdApport_OK_Click);
    Relier(cmdEmissions_, this, &FrmPiece::CmdEmissions_Click);
    Relier(cmdEmissionOK, this, &FrmPiece::CmdEmission_OK_Click);
    Relier(boutons.Precedent, this, &FrmPiece::CmdPrecedent_Click);
    Relier(boutons.Suivant, this, &FrmPiece::CmdSuivant_Click);
    Relier(boutons.Annuler, this, &FrmPiece::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmPiece::CmdAide_Click);
    EchapAnnule(boutons);
}

void FrmPiece::CreerNomEtTemperature() {
    auto* lblPiece = Libelle(QStringLiteral("LblPiece"), QStringLiteral("Nom de la pièce"), this);
    cmbNomPiece_ = new QComboBox(this);
    cmbNomPiece_->setObjectName(QStringLiteral("CmbNomPiece"));
    cmbNomPiece_->setAccessibleName(lblPiece->text());
    cmbNomPiece_->setEditable(true);
    cmbNomPiece_->setInsertPolicy(QComboBox::NoInsert);
    // The name stays as typed: completing "Chambre" into "Chambre 1" would
    // give the room a name the user never chose. The suggestions are in the list.
    cmbNomPiece_->setCompleter(nullptr);
    cmbNomPiece_->addItems(NomsProposes);
    cmbNomPiece_->setMaxVisibleItems(12);
    cmbNomPiece_->setCurrentIndex(-1);
    cmbNomPiece_->setEditText(QString());
    cmbNomPiece_->lineEdit()->setMaxLength(30);
    cmbNomPiece_->setMinimumWidth(180);
    auto* lblTemperature =
        Libelle(QStringLiteral("LblTemperature"), QStringLiteral("Température ambiante de la pièce"), this);
    cmbTempPiece_ = Liste(QStringLiteral("CmbTempPiece"), lblTemperature->text(), Entiers(TempPieceBasse, TempPieceHaute), this);
    cmbTempPiece_->setFixedWidth(90);

    haut_ = new QGridLayout;
    haut_->setHorizontalSpacing(8);
    lblPiece->setBuddy(cmbNomPiece_);
    haut_->addWidget(lblPiece, 0, 0);
    haut_->addWidget(cmbNomPiece_, 0, 1, 1, 3);
    LigneChamp(haut_, 1, lblTemperature, cmbTempPiece_, QStringLiteral("°C"));
    haut_->setColumnStretch(3, 1);
}

QGroupBox* FrmPiece::CreerSurfaces() {
    auto* cdrSurfaces = new QGroupBox(QStringLiteral("Surfaces"), this);
    cdrSurfaces->setObjectName(QStringLiteral("CdrSurfaces"));
    auto* gSurfaces = new QGridLayout(cdrSurfaces);
    const char* libellesSurface[] = {"Surface de la pièce", "Surface des emprises"};
    for (int i = 0; i < 2; ++i) {
        auto* l = Libelle(QStringLiteral("LblSurface_%1").arg(i), QString::fromUtf8(libellesSurface[i]), cdrSurfaces);
        txtSurface_[i] = ChampNombre(QStringLiteral("TxtSurface_%1").arg(i), l->text(), cdrSurfaces);
        LigneChamp(gSurfaces, i, l, txtSurface_[i], QStringLiteral("m²"));
    }
    gSurfaces->setColumnStretch(0, 1);
    return cdrSurfaces;
}

QGroupBox* FrmPiece::CreerDeperditions() {
    auto* cdrDeperdition = new QGroupBox(QStringLiteral("Déperditions"), this);
    cdrDeperdition->setObjectName(QStringLiteral("CdrDeperdition"));
    auto* gDeperd = new QGridLayout(cdrDeperdition);
    auto* lblDeperdPiece =
        Libelle(QStringLiteral("LblDeperdPiece"), QStringLiteral("Déperditions de la pièce"), cdrDeperdition);
    txtDeperdPiece_ = ChampNombre(QStringLiteral("TxtDeperdPiece"), lblDeperdPiece->text(), cdrDeperdition);
    cmdDeperditions_ = Bouton(QStringLiteral("CmdDeperditions"), QStringLiteral("..."), cdrDeperdition);
    cmdDeperditions_->setAccessibleName(QStringLiteral("Calculer les déperditions de la pièce"));
    cmdDeperditions_->setFixedWidth(36);
    LigneChamp(gDeperd, 0, lblDeperdPiece, txtDeperdPiece_, QStringLiteral("W"), QString(), cmdDeperditions_);
    auto* lblDeperdPlancher =
        Libelle(QStringLiteral("LblDeperdPlancher"), QStringLiteral("Déperditions du plancher"), cdrDeperdition);
    txtDeperdPlancher_ = ChampNombre(QStringLiteral("TxtDeperdPlancher"), lblDeperdPlancher->text(), cdrDeperdition);
    LigneChamp(gDeperd, 1, lblDeperdPlancher, txtDeperdPlancher_, QStringLiteral("W"));
    // Whether the two values come from the room's details; hidden without
    // details.
    lblEtatDeperditions_ = Remarque(QStringLiteral("LblEtatDeperditions"), cdrDeperdition);
    lblEtatDeperditions_->hide();
    gDeperd->addWidget(lblEtatDeperditions_, 2, 0, 1, 4);
    auto* lblApport = Libelle(QStringLiteral("LblApport"), QStringLiteral("Apport par le plafond"), cdrDeperdition);
    txtApport_ = ChampNombre(QStringLiteral("TxtApport"), lblApport->text(), cdrDeperdition);
    cmdApport_ = Bouton(QStringLiteral("CmdApport"), QStringLiteral("..."), cdrDeperdition);
    cmdApport_->setAccessibleName(QStringLiteral("Calculer l'apport par le plafond"));
    cmdApport_->setFixedWidth(36);
    LigneChamp(gDeperd, 3, lblApport, txtApport_, QStringLiteral("W"), QString(), cmdApport_);
    auto* lblEmissions =
        Libelle(QStringLiteral("LblEmissions"), QStringLiteral("Emission vers le bas"), cdrDeperdition);
    txtEmissions_ = ChampNombre(QStringLiteral("TxtEmissions"), lblEmissions->text(), cdrDeperdition);
    cmdEmissions_ = Bouton(QStringLiteral("CmdEmissions"), QStringLiteral("..."), cdrDeperdition);
    cmdEmissions_->setAccessibleName(QStringLiteral("Calculer l'émission vers le bas"));
    cmdEmissions_->setFixedWidth(36);
    LigneChamp(gDeperd, 4, lblEmissions, txtEmissions_, QStringLiteral("W"), QString(), cmdEmissions_);
    gDeperd->setColumnStretch(0, 1);
    gDeperd->setColumnMinimumWidth(3, 36);
    return cdrDeperdition;
}

QGroupBox* FrmPiece::CreerResistances() {
    auto* cdrResistances = new QGroupBox(QStringLiteral("Résistances des revêtements (Rth)"), this);
    cdrResistances->setObjectName(QStringLiteral("CdrResistances"));
    auto* gRth = new QGridLayout(cdrResistances);
    auto* lblActuelle = Libelle(QStringLiteral("LblActuelle"), QStringLiteral("Résistance actuelle"), cdrResistances);
    cmbActuelle_ = Liste(QStringLiteral("CmbActuelle"), lblActuelle->text(), Resistances(), cdrResistances);
    cmbActuelle_->setFixedWidth(90);
    LigneChamp(gRth, 0, lblActuelle, cmbActuelle_, QStringLiteral("m².K/W"));
    auto* lblFuture = Libelle(QStringLiteral("LblFuture"), QStringLiteral("Résistance future"), cdrResistances);
    cmbFuture_ = Liste(QStringLiteral("CmbFuture"), lblFuture->text(), Resistances(), cdrResistances);
    cmbFuture_->setFixedWidth(90);
    LigneChamp(gRth, 1, lblFuture, cmbFuture_, QStringLiteral("m².K/W"));
    gRth->setColumnStretch(0, 1);
    return cdrResistances;
}

void FrmPiece::AlignerCadres(std::initializer_list<QGroupBox*> cadres) {
    // An empty column takes no spacing: the frames without "..." buttons
    // hold a blank of the buttons' width instead.
    for (QGroupBox* cadre : cadres) {
        auto* g = static_cast<QGridLayout*>(cadre->layout());
        g->setHorizontalSpacing(8);
        g->setColumnMinimumWidth(0, 260);
        g->setColumnMinimumWidth(2, 64);
        g->setColumnMinimumWidth(3, 36);
        bool boutons = false;
        for (int ligne = 0; ligne < g->rowCount(); ++ligne)
            boutons = boutons || g->itemAtPosition(ligne, 3);
        if (!boutons) {
            auto* blanc = new QWidget(cadre);
            blanc->setFixedSize(36, 1);
            g->addWidget(blanc, 0, 3);
        }
    }
}

QPushButton* FrmPiece::CreerPanneauApport() {
    auto* panneauApport = new Panneau(QStringLiteral("CdrApport"), QStringLiteral("Apport par le plafond"), this);
    cdrApport_ = panneauApport;
    QGridLayout* gApport = panneauApport->grille;
    auto* lblApportSurface =
        Libelle(QStringLiteral("LblApport_Surface"), QStringLiteral("Surface du plancher haut"), cdrApport_);
    txtApportSurface_ = ChampNombre(QStringLiteral("TxtApport_Surface"), lblApportSurface->text(), cdrApport_);
    LigneChamp(gApport, 0, lblApportSurface, txtApportSurface_, QStringLiteral("m²"));
    auto* lblApportIso = Libelle(QStringLiteral("LblApport_Iso"), QStringLiteral("Epaisseur de l'isolant"), cdrApport_);
    cmbApportIso_ = Liste(QStringLiteral("CmbApport_Iso"), lblApportIso->text(), Entiers(2, 8), cdrApport_);
    cmbApportIso_->setFixedWidth(90);
    LigneChamp(gApport, 1, lblApportIso, cmbApportIso_, QStringLiteral("cm"));
    auto* cmdApportOK = Bouton(QStringLiteral("CmdApport_OK"), QStringLiteral("OK"), cdrApport_);
    gApport->addWidget(cmdApportOK, 2, 1, 1, 2, Qt::AlignRight);
    panneauApport->ok = cmdApportOK;
    return cmdApportOK;
}

QPushButton* FrmPiece::CreerPanneauEmissions() {
    auto* panneauEmissions =
        new Panneau(QStringLiteral("CdrEmissions"), QStringLiteral("Emissions vers le bas"), this);
    cdrEmissions_ = panneauEmissions;
    QGridLayout* gEmissions = panneauEmissions->grille;
    auto* lblNette =
        Libelle(QStringLiteral("LblEmissions_Surface"), QStringLiteral("Surface nette du plancher"), cdrEmissions_);
    // Shows the net floor area, which is what a screen reader reads out of
    // it; the caption beside it says what it is.
    lblEmissionsBas_ = Libelle(QStringLiteral("LblEmissions_Bas"), QStringLiteral("0"), cdrEmissions_);
    lblEmissionsBas_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEmissionsBas_->setFrameShape(QFrame::StyledPanel);
    lblEmissionsBas_->setFixedWidth(90);
    LigneChamp(gEmissions, 0, lblNette, lblEmissionsBas_, QStringLiteral("m²"));
    auto* lblEmissionsIso =
        Libelle(QStringLiteral("LblEmissions_Iso"), QStringLiteral("Epaisseur de l'isolant"), cdrEmissions_);
    cmbEmissionsIso_ = Liste(QStringLiteral("CmbEmissions_Iso"), lblEmissionsIso->text(), Entiers(2, 8), cdrEmissions_);
    cmbEmissionsIso_->setFixedWidth(90);
    LigneChamp(gEmissions, 1, lblEmissionsIso, cmbEmissionsIso_, QStringLiteral("cm"));
    auto* cmdEmissionOK = Bouton(QStringLiteral("CmdEmission_OK"), QStringLiteral("OK"), cdrEmissions_);
    gEmissions->addWidget(cmdEmissionOK, 2, 1, 1, 2, Qt::AlignRight);
    panneauEmissions->ok = cmdEmissionOK;
    return cmdEmissionOK;
}

void FrmPiece::SuivreModifications() {
    // The caption follows the name; typing it is a change, picking a
    // suggestion alone is not.
    connect(cmbNomPiece_, &QComboBox::editTextChanged, this, [this](const QString& nom) {
        setWindowTitle(LegendePiece(nom.trimmed()));
    });
    connect(cmbNomPiece_->lineEdit(), &QLineEdit::textEdited, &etude_, &EtudeEnCours::MarquerModifie);
    // A new room takes the temperature the study's defaults give its name,
    // until the user chooses one.
    connect(cmbNomPiece_, &QComboBox::editTextChanged, this, [this](const QString& nom) {
        if (const auto t = etude_.Saisie().TemperatureProposee(nom)) {
            EtudeEnCours::SansMarquage proposition(etude_);
            ChoisirTexte(cmbTempPiece_, QString::number(*t));
        }
    });
    connect(cmbTempPiece_, &QComboBox::activated, this, [this] { etude_.Saisie().NoterTemperatureChoisie(); });
    for (ChampNumerique* c : {txtSurface_[0], txtSurface_[1], txtDeperdPiece_, txtDeperdPlancher_, txtApport_,
                              txtEmissions_, txtApportSurface_})
        connect(c, &ChampNumerique::modifie, &etude_, &EtudeEnCours::MarquerModifie);
    for (QComboBox* l : {cmbTempPiece_, cmbActuelle_, cmbFuture_, cmbApportIso_, cmbEmissionsIso_})
        connect(l, &QComboBox::currentIndexChanged, &etude_, &EtudeEnCours::MarquerModifie);
    // What the room's details give follows its temperature and surface.
    for (ChampNumerique* c : {txtSurface_[0], txtDeperdPiece_, txtDeperdPlancher_})
        connect(c, &ChampNumerique::modifie, this, &FrmPiece::ActualiserEtatDeperditions);
    connect(cmbTempPiece_, &QComboBox::currentIndexChanged, this, &FrmPiece::ActualiserEtatDeperditions);
    for (ChampNumerique* c : {txtSurface_[0], txtSurface_[1], txtApportSurface_})
        connect(c, &ChampNumerique::modifie, this, &FrmPiece::SuivreEstimations);
    for (QComboBox* l : {cmbApportIso_, cmbEmissionsIso_})
        connect(l, &QComboBox::currentIndexChanged, this, &FrmPiece::SuivreEstimations);
    // A value typed by hand is the user's: it follows nothing any more.
    connect(txtApport_, &QLineEdit::textEdited, this, [this] { estimees_.Apport = false; });
    connect(txtEmissions_, &QLineEdit::textEdited, this, [this] { estimees_.Emissions = false; });
}

void FrmPiece::SuivreEstimations() {
    if (ecriture_ || estimees_ == Estimations{})
        return;
    Piece d;
    Remplir(d);
    const Piece suivie = EstimationsSuivies(d, estimees_);
    ecriture_ = true;
    if (suivie.ApportPlafond != d.ApportPlafond)
        txtApport_->definirValeur(suivie.ApportPlafond);
    if (suivie.EmissionsBas != d.EmissionsBas)
        txtEmissions_->definirValeur(suivie.EmissionsBas);
    ecriture_ = false;
}

QString FrmPiece::NomPiece() const {
    // Spaces around a name are no part of it: a name of spaces alone is no
    // name, and would leave a row of the rooms list looking empty.
    return cmbNomPiece_->currentText().trimmed();
}

double FrmPiece::Valeur(const ChampNumerique* champ) const { return champ->valeur().value_or(0.0); }

void FrmPiece::Remplir(Piece& d) const {
    d.NomPiece = NomPiece().toStdString();
    d.TempPiece = EntierChoisi(cmbTempPiece_);
    d.SurfacePiece = Valeur(txtSurface_[0]);
    d.SurfaceEmprises = Valeur(txtSurface_[1]);
    d.SurfacePlafond = Valeur(txtApportSurface_);
    d.DeperdPiece = Valeur(txtDeperdPiece_);
    d.DeperdPlancher = Valeur(txtDeperdPlancher_);
    d.ApportPlafond = Valeur(txtApport_);
    d.EmissionsBas = Valeur(txtEmissions_);
    d.RthActuelle = ResistanceDepuisTexte(cmbActuelle_->currentText().toStdString());
    d.RthFuture = ResistanceDepuisTexte(cmbFuture_->currentText().toStdString());
    d.IsoApport = EntierChoisi(cmbApportIso_);
    d.IsoEmissions = EntierChoisi(cmbEmissionsIso_);
}

void FrmPiece::Afficher(const Piece& d) {
    // The room as stored: nothing of it follows anything while it is written.
    ecriture_ = true;
    cmbNomPiece_->setEditText(QString::fromStdString(d.NomPiece).trimmed());
    ChoisirTexte(cmbTempPiece_, QString::fromStdString(TexteEntier(d.TempPiece)));
    txtSurface_[0]->definirValeur(d.SurfacePiece);
    txtSurface_[1]->definirValeur(d.SurfaceEmprises);
    txtApportSurface_->definirValeur(d.SurfacePlafond);
    txtDeperdPiece_->definirValeur(d.DeperdPiece);
    txtDeperdPlancher_->definirValeur(d.DeperdPlancher);
    txtApport_->definirValeur(d.ApportPlafond);
    txtEmissions_->definirValeur(d.EmissionsBas);
    ChoisirTexte(cmbActuelle_, QString::fromStdString(TexteResistance(d.RthActuelle)));
    ChoisirTexte(cmbFuture_, QString::fromStdString(TexteResistance(d.RthFuture)));
    ChoisirTexte(cmbApportIso_, QString::fromStdString(TexteEntier(d.IsoApport)));
    ChoisirTexte(cmbEmissionsIso_, QString::fromStdString(TexteEntier(d.IsoEmissions)));
    ecriture_ = false;
    estimees_ = EstimationsPiece(d);
    ActualiserEtatDeperditions();
}

void FrmPiece::ActualiserEtatDeperditions() {
    Piece d = etude_.Saisie().PieceEnSaisie();
    Remplir(d);
    const QString etat = TexteEtatDeperditions(EtatChampsDeperditions(d, etude_.Climat()));
    lblEtatDeperditions_->setText(etat);
    lblEtatDeperditions_->setVisible(!etat.isEmpty());
}

void FrmPiece::CmdDeperditions_Click() {
    if (!TemperatureChoisie())
        return;
    Piece d = etude_.Saisie().PieceEnSaisie();
    Remplir(d);
    if (SurfacesDonnees(d))
        emit deperditionsDemandees(d);
}

void FrmPiece::AfficherDeperditions(double piece, double plancher) {
    txtDeperdPiece_->definirValeur(piece);
    txtDeperdPlancher_->definirValeur(plancher);
    ActualiserEtatDeperditions();
}

void FrmPiece::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    if (cdrApport_->isVisible())
        cdrApport_->PlacerSous(cmdApport_);
    if (cdrEmissions_->isVisible())
        cdrEmissions_->PlacerSous(cmdEmissions_);
}

void FrmPiece::showEvent(QShowEvent* evenement) {
    QWidget::showEvent(evenement);
    // The site's climate may have changed meanwhile.
    ActualiserEtatDeperditions();
    // Laid out by now: the name and the temperature line their fields up with
    // those of the frames below.
    const int champs = txtSurface_[0]->mapTo(haut_->parentWidget(), QPoint()).x();
    haut_->setColumnMinimumWidth(0, qMax(0, champs - haut_->geometry().left() - haut_->horizontalSpacing()));
}

void FrmPiece::hideEvent(QHideEvent* evenement) {
    // Leaving the page puts an open panel away.
    FermerPanneau(nullptr);
    QWidget::hideEvent(evenement);
}

void FrmPiece::OuvrirPanneau(Panneau* panneau, QWidget* bouton, QWidget* focus) {
    FermerPanneau(nullptr);
    // The panel lies over part of the form: the rest of the screen waits
    // until it is put away, so that nothing it hides can be reached.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != panneau)
            w->setEnabled(false);
    panneau->PlacerSous(bouton);
    panneau->show();
    panneau->raise();
    echapPanneau_->setEnabled(true);
    DonnerFocus(focus);
}

void FrmPiece::FermerPanneau(QWidget* focus) {
    // isHidden, not isVisible: a page being left counts as hidden already.
    const bool ouvert = PanneauOuvert();
    cdrApport_->hide();
    cdrEmissions_->hide();
    echapPanneau_->setEnabled(false);
    if (!ouvert)
        return;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->setEnabled(true);
    if (focus)
        DonnerFocus(focus);
}

bool FrmPiece::PanneauOuvert() const { return !cdrApport_->isHidden() || !cdrEmissions_->isHidden(); }

void FrmPiece::CmdApport_Click() { OuvrirPanneau(cdrApport_, cmdApport_, txtApportSurface_); }

void FrmPiece::CmdApport_OK_Click() {
    Piece d;
    Remplir(d);
    if (!ControlerChamps(this, {txtApportSurface_},
                         [&d](const QString& legende) { return RefusNombreSaisi(d, legende); }))
        return;
    txtApport_->definirValeur(FluxAtraversIsolant(Valeur(txtApportSurface_), EntierChoisi(cmbApportIso_)));
    estimees_.Apport = true;
    FermerPanneau(txtApport_);
}

void FrmPiece::CmdEmissions_Click() {
    Piece d;
    Remplir(d);
    lblEmissionsBas_->setText(QString::fromStdString(FormatGeneral(SurfaceUtilePiece(d))));
    OuvrirPanneau(cdrEmissions_, cmdEmissions_, cmbEmissionsIso_);
}

void FrmPiece::CmdEmission_OK_Click() {
    const double surface = LireNombre(lblEmissionsBas_->text().toStdString()).value_or(0.0);
    txtEmissions_->definirValeur(FluxAtraversIsolant(surface, EntierChoisi(cmbEmissionsIso_)));
    estimees_.Emissions = true;
    FermerPanneau(txtEmissions_);
}

bool FrmPiece::Refuser(const QString& texte, const QString& titre, QWidget* champ) {
    Message(this, IconeMessage::Exclamation, titre, texte);
    DonnerFocus(champ);
    return false;
}

bool FrmPiece::TemperatureChoisie() {
    return cmbTempPiece_->currentIndex() >= 0 ||
           Refuser(QStringLiteral("Choisir une température pour la pièce !"),
                   QStringLiteral("Température de la pièce."), cmbTempPiece_);
}

bool FrmPiece::SurfacesDonnees(const Piece& d) {
    if (!ControlerChamps(this, {txtSurface_[0], txtSurface_[1]},
                         [&d](const QString& legende) { return RefusNombreSaisi(d, legende); }))
        return false;
    return d.SurfacePiece != 0 || Refuser(QStringLiteral("Entrer la surface de la pièce !"),
                                          QStringLiteral("Surface de la pièce."), txtSurface_[0]);
}

bool FrmPiece::Controle() {
    if (!TemperatureChoisie())
        return false;
    if (NomPiece().isEmpty())
        return Refuser(QStringLiteral("Donner un nom à la pièce !"), QStringLiteral("Nom de la pièce."), cmbNomPiece_);
    Piece d = etude_.Saisie().PieceEnSaisie();
    Remplir(d);
    // A number the study could not hold is refused before it is judged.
    const RefusChamp refus = [&d](const QString& legende) { return RefusNombreSaisi(d, legende); };
    if (!ControlerChamps(this, {txtSurface_[0], txtSurface_[1], txtDeperdPiece_, txtDeperdPlancher_, txtApport_,
                                txtEmissions_},
                         refus))
        return false;
    // The ceiling's area lies in its panel, which opens to show it.
    if (refus(txtApportSurface_->accessibleName())) {
        CmdApport_Click();
        return ControlerChamps(this, {txtApportSurface_}, refus);
    }
    if (!SurfacesDonnees(d))
        return false;
    // The edge zone may take at most half of the heated floor.
    if (SurfaceUtilePiece(d) / 2 < d.SurfaceBordure)
        return Refuser(QStringLiteral("La surface de la zone de bordure ne peut pas excéder la moitié de la surface "
                                      "utile !"),
                       QStringLiteral("Surface de bordure."), txtSurface_[0]);
    if (Valeur(txtDeperdPiece_) == 0)
        return Refuser(QStringLiteral("Entrer les déperditions de la pièce !"),
                       QStringLiteral("Déperditions de la pièce."), txtDeperdPiece_);
    if (Valeur(txtEmissions_) == 0)
        return Refuser(QStringLiteral("Définir les émissions du plancher en cliquant sur le bouton !"),
                       QStringLiteral("Emissions du plancher."), txtEmissions_);
    if (cmbActuelle_->currentIndex() < 0)
        return Refuser(QStringLiteral("Choisir une résistance thermique pour le revêtement actuel !"),
                       QStringLiteral("Rth actuelle"), cmbActuelle_);
    // Without a future covering the present one stays.
    if (cmbFuture_->currentIndex() < 0)
        cmbFuture_->setCurrentIndex(cmbActuelle_->currentIndex());
    return true;
}

void FrmPiece::CmdPrecedent_Click() { emit precedent(); }

void FrmPiece::CmdSuivant_Click() {
    if (!Controle())
        return;
    etude_.Saisie().ModifierPieceEnSaisie([this](Piece& d) { Remplir(d); });
    emit suivant();
}

void FrmPiece::CmdAnnuler_Click() { emit annulee(); }

void FrmPiece::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AidePiece); }

} // namespace sorvel
