#include "ecrans/FrmConduites.h"

#include "commun/Nombres.h"
#include "ecrans/VuesCommunes.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "modele/EtudeEnCours.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvel {

FrmConduites::FrmConduites(EtudeEnCours& etude, QWidget* parent) : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmConduites"));
    setWindowTitle(QStringLiteral("Données de la piéce"));

    auto* lblTitre = Titre(QStringLiteral("Conduites"), this);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(8);
    auto* lblCircuit = Libelle(QStringLiteral("LblConduites_4"), QStringLiteral("Désignation du circuit"), this);
    // Shows the room's name, which is what a screen reader reads out of it;
    // the caption beside it says what it is.
    lblDesignation_ = Libelle(QStringLiteral("LblDesignation"), QString(), this);
    QFont gras = lblDesignation_->font();
    gras.setBold(true);
    lblDesignation_->setFont(gras);
    g->addWidget(lblCircuit, 0, 0);
    g->addWidget(lblDesignation_, 0, 1, 1, 3);

    const char* libelles[] = {"Longueur des conduites de raccordement",
                              "Longueur des conduites de distribution (traversantes)",
                              "Longueur des conduites de raccordement (si boucle indépendante)",
                              "Chute de température du fluide (DeltaT Départ/Retour)"};
    std::array<QLabel*, 4> lbl{};
    for (int i = 0; i < 4; ++i)
        lbl[i] = Libelle(QStringLiteral("LblConduites_%1").arg(i), QString::fromUtf8(libelles[i]), this);
    txtLongRaccordNormale_ = ChampNombre(QStringLiteral("TxtLongRaccordNormale"), lbl[0]->text(), this);
    txtLongDistri_ = ChampNombre(QStringLiteral("TxtLongDistri"), lbl[1]->text(), this);
    txtLongRaccordBordure_ = ChampNombre(QStringLiteral("TxtLongRaccordBordure"), lbl[2]->text(), this);
    cmbTempChute_ = Liste(QStringLiteral("CmbTempChute"), lbl[3]->text(), Entiers(3, 20), this);
    cmbTempChute_->setFixedWidth(90);

    QWidget* champs[] = {txtLongRaccordNormale_, txtLongDistri_, txtLongRaccordBordure_, cmbTempChute_};
    const char* unites[] = {"m", "m", "m", "°C"};
    int ligne = 1;
    for (int i = 0; i < 4; ++i) {
        auto* trait = Trait(this, QStringLiteral("LinConduites_%1").arg(i));
        g->addWidget(trait, ligne++, 0, 1, 4);
        auto* unite = LigneChamp(g, ligne++, lbl[i], champs[i], QString::fromUtf8(unites[i]),
                                 QStringLiteral("LblValeur_%1").arg(i));
        if (i == 2)
            ligneBordure_ = {lbl[i], champs[i], unite, trait};
    }

    // The normal zone laid as equal loops, each with its own connecting
    // pipes; with the count, the fewest loops the summary would not show red.
    auto* lblBoucles = Libelle(QStringLiteral("LblBoucles"), QStringLiteral("Nombre de boucles (zone normale)"), this);
    cmbBoucles_ = Liste(QStringLiteral("CmbBoucles"), lblBoucles->text(), Entiers(1, BouclesMaximum), this);
    cmbBoucles_->setFixedWidth(90);
    cmbBoucles_->setCurrentIndex(0);
    // On one line under the list it speaks of.
    lblProposition_ = Remarque(QStringLiteral("LblProposition"), this);
    lblProposition_->setWordWrap(false);
    g->addWidget(Trait(this, QStringLiteral("LinConduites_4")), ligne++, 0, 1, 4);
    lblBoucles->setBuddy(cmbBoucles_);
    g->addWidget(lblBoucles, ligne, 0);
    g->addWidget(cmbBoucles_, ligne++, 1);
    g->addWidget(lblProposition_, ligne++, 1, 1, 3);

    g->setColumnStretch(3, 1);
    g->setColumnMinimumWidth(2, 30);

    auto* principal = Disposition(this);
    principal->addWidget(lblTitre);
    principal->addLayout(g);
    principal->addStretch();
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 3/4"), true, Avancer::Suivant);
    setMinimumWidth(560);

    for (ChampNumerique* c : {txtLongRaccordNormale_, txtLongDistri_, txtLongRaccordBordure_})
        connect(c, &ChampNumerique::modifie, &etude_, &EtudeEnCours::MarquerModifie);
    connect(cmbTempChute_, &QComboBox::currentIndexChanged, &etude_, &EtudeEnCours::MarquerModifie);
    connect(cmbBoucles_, &QComboBox::currentIndexChanged, &etude_, &EtudeEnCours::MarquerModifie);
    // Every input of this screen changes the room's loop length.
    for (ChampNumerique* c : {txtLongRaccordNormale_, txtLongDistri_, txtLongRaccordBordure_})
        connect(c, &ChampNumerique::modifie, this, &FrmConduites::ActualiserProposition);
    for (QComboBox* l : {cmbTempChute_, cmbBoucles_})
        connect(l, &QComboBox::currentIndexChanged, this, &FrmConduites::ActualiserProposition);

    Relier(boutons.Precedent, this, &FrmConduites::CmdPrecedent_Click);
    Relier(boutons.Suivant, this, &FrmConduites::CmdSuivant_Click);
    Relier(boutons.Annuler, this, &FrmConduites::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmConduites::CmdAide_Click);
    EchapAnnule(boutons);
}

void FrmConduites::Remplir(Piece& d) const {
    d.LongRaccordNormale = txtLongRaccordNormale_->valeur().value_or(0.0);
    d.LongDistri = txtLongDistri_->valeur().value_or(0.0);
    d.LongRaccordBordure = txtLongRaccordBordure_->valeur().value_or(0.0);
    d.TempChute = CInt(LireNombre(cmbTempChute_->currentText().toStdString()).value_or(0), "TempChute");
    d.Boucles = EntierChoisi(cmbBoucles_).value_or(1);
}

void FrmConduites::Afficher(const Piece& d) {
    txtLongRaccordNormale_->definirValeur(d.LongRaccordNormale);
    txtLongDistri_->definirValeur(d.LongDistri);
    txtLongRaccordBordure_->definirValeur(d.LongRaccordBordure);
    ChoisirTexte(cmbTempChute_, QString::fromStdString(FormatGeneral(d.TempChute)));
    ChoisirTexte(cmbBoucles_, QString::number(d.Boucles));
}

void FrmConduites::Preparer() {
    const Piece& d = etude_.Saisie().PieceEnSaisie();
    const QString nom = QString::fromStdString(d.NomPiece);
    setWindowTitle(LegendePiece(nom));
    lblDesignation_->setText(nom);
    // Only an independent edge loop has connecting pipes of its own.
    AfficherBoucleBordure(BoucleBordureIndependante(d.TypeCharge));
    ActualiserProposition();
}

void FrmConduites::ActualiserProposition() {
    if (!etude_.Saisie().EnCours())
        return;
    Piece d = etude_.Saisie().PieceEnSaisie();
    Remplir(d);
    const PropositionBoucles p = etude_.Saisie().ProposerBoucles(d);
    lblProposition_->setText(p.Texte);
    lblProposition_->setToolTip(p.InfoBulle);
    lblProposition_->setAccessibleName(p.Texte);
    QFont police = lblProposition_->font();
    police.setBold(p.Format.Gras);
    lblProposition_->setFont(police);
    QPalette palette = lblProposition_->palette();
    palette.setColor(QPalette::WindowText, CouleurAffichee(p.Format.Couleur));
    lblProposition_->setPalette(palette);
}

void FrmConduites::AfficherBoucleBordure(bool visible) {
    for (QWidget* w : ligneBordure_)
        w->setVisible(visible);
    if (!visible)
        txtLongRaccordBordure_->setText(QStringLiteral("0"));
}

bool FrmConduites::Controle() {
    Piece d;
    Remplir(d);
    return ControlerChamps(this, {txtLongRaccordNormale_, txtLongDistri_, txtLongRaccordBordure_},
                           [&d](const QString& legende) { return RefusNombreSaisi(d, legende); });
}

void FrmConduites::CmdSuivant_Click() {
    if (!Controle())
        return;
    etude_.Saisie().ModifierPieceEnSaisie([this](Piece& d) { Remplir(d); });
    // A room that cannot be calculated stays here, the study model having
    // said why.
    if (etude_.Saisie().CalculerPiece())
        emit suivant();
}

void FrmConduites::CmdPrecedent_Click() { emit precedent(); }

void FrmConduites::CmdAnnuler_Click() { emit annulee(); }

void FrmConduites::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideConduites); }

} // namespace sorvel
