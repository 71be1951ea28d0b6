#include "ecrans/FrmD_Generales.h"

#include "commun/Nombres.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "modele/EtudeEnCours.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sorvel {

namespace {

const char* const LibellesSupport[] = {"Treillis ou plaques pré tracées", "Plots thermoformés"};
const char* const LibellesTube[] = {"13x16 mm", "16x20 mm"};
const char* const LibellesChape[] = {"Chape traditionnelle", "Chape liquide"};

QRadioButton* Option(const char* prefixe, int index, const char* libelle, QWidget* parent) {
    auto* o = new QRadioButton(QString::fromUtf8(libelle), parent);
    o->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(prefixe)).arg(index));
    o->setAccessibleName(o->text());
    return o;
}

// Option 0 when it is set, and 1 otherwise.
std::int16_t IndexOption(const std::array<QRadioButton*, 2>& options) { return options[0]->isChecked() ? 0 : 1; }

} // namespace

FrmD_Generales::FrmD_Generales(EtudeEnCours& etude, QWidget* parent)
    : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmD_Generales"));
    setWindowTitle(QStringLiteral("Données générales."));

    auto* lblNomEtude = Libelle(QStringLiteral("LblNomEtude"), QStringLiteral("Nom de l'étude :"), this);
    lblEtude_ = Libelle(QStringLiteral("LblEtude"), etude_.Nom(), this);
    QFont gras = lblEtude_->font();
    gras.setBold(true);
    lblEtude_->setFont(gras);
    lblEtude_->setMinimumWidth(220);

    auto* cdrSupport = new QGroupBox(QStringLiteral("Support (type de fixation des tubes)"), this);
    cdrSupport->setObjectName(QStringLiteral("CdrSupport"));
    auto* lSupport = new QVBoxLayout(cdrSupport);
    for (int i = 0; i < 2; ++i) {
        optSupport_[i] = Option("OptSupport", i, LibellesSupport[i], cdrSupport);
        lSupport->addWidget(optSupport_[i]);
    }

    auto* cdrTube = new QGroupBox(QStringLiteral("Diamètre du tube"), this);
    cdrTube->setObjectName(QStringLiteral("CdrTube"));
    auto* lTube = new QHBoxLayout(cdrTube);
    for (int i = 0; i < 2; ++i) {
        optTube_[i] = Option("OptTube", i, LibellesTube[i], cdrTube);
        lTube->addWidget(optTube_[i]);
    }
    lTube->addStretch();

    auto* lblTemp = Libelle(QStringLiteral("LblTempMoyenne"),
                            QStringLiteral("Température de départ du fluide"), this);
    cmbTempDepart_ = Liste(QStringLiteral("CmbTempDepart"), lblTemp->text(), Entiers(TempDepartBasse, TempDepartHaute), this);
    lblTemp->setBuddy(cmbTempDepart_);
    lblValeur_[0] = Libelle(QStringLiteral("LblValeur_0"), QStringLiteral("°C"), this);

    QGroupBox* cadreChape = CreerChape();


    // Layout, top to bottom.
    auto* principal = Disposition(this);
    auto* ligneNom = new QHBoxLayout;
    ligneNom->addWidget(lblNomEtude);
    ligneNom->addWidget(lblEtude_, 1);
    principal->addLayout(ligneNom);
    principal->addWidget(cdrSupport);
    principal->addWidget(cdrTube);
    auto* ligneTemp = new QHBoxLayout;
    ligneTemp->addWidget(lblTemp);
    ligneTemp->addSpacing(8);
    ligneTemp->addWidget(cmbTempDepart_);
    ligneTemp->addWidget(lblValeur_[0]);
    ligneTemp->addStretch();
    principal->addLayout(ligneTemp);
    principal->addWidget(cadreChape);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 1/1"), false, Avancer::Suivant);

    // The study's values, then every change goes to the study.
    Recharger();
    ActiverEpaisseur();

    SuivreModifications();


    Relier(boutons.Suivant, this, &FrmD_Generales::CmdSuivant_Click);
    Relier(boutons.Annuler, this, &FrmD_Generales::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmD_Generales::CmdAide_Click);

    connect(&etude_, &EtudeEnCours::NomChange, lblEtude_, &QLabel::setText);
    connect(&etude_, &EtudeEnCours::EtudeRemplacee, this, &FrmD_Generales::Recharger);
}

QGroupBox* FrmD_Generales::CreerChape() {
    auto* cadreChape = new QGroupBox(QStringLiteral("Chape"), this);
    cadreChape->setObjectName(QStringLiteral("CadreChape"));
    auto* lChape = new QGridLayout(cadreChape);
    for (int i = 0; i < 2; ++i) {
        optChape_[i] = Option("OptChape", i, LibellesChape[i], cadreChape);
        lChape->addWidget(optChape_[i], 0, i * 2, 1, 2);
    }
    lblEpais_ = Libelle(QStringLiteral("LblEpais"), QStringLiteral("Epaisseur moyenne de la chape"),
                        cadreChape);
    cmbEpais_ = Liste(QStringLiteral("CmbEpais"), lblEpais_->text(), Entiers(EpaisChapeBasse, EpaisChapeHaute), cadreChape);
    lblEpais_->setBuddy(cmbEpais_);
    lblValeur_[1] = Libelle(QStringLiteral("LblValeur_1"), QStringLiteral("cm"), cadreChape);
    lChape->addWidget(lblEpais_, 1, 0, 1, 2);
    lChape->addWidget(cmbEpais_, 1, 2);
    lChape->addWidget(lblValeur_[1], 1, 3);
    lChape->setColumnStretch(4, 1);
    return cadreChape;
}

void FrmD_Generales::SuivreModifications() {
    auto marquer = [this] {
        if (!remplissage_)
            etude_.ChangerGenerales(Donnees());
    };
    for (auto* groupe : {&optSupport_, &optTube_, &optChape_})
        for (QRadioButton* o : *groupe)
            connect(o, &QRadioButton::toggled, this, [marquer](bool coche) {
                if (coche)
                    marquer();
            });
    connect(optChape_[0], &QRadioButton::toggled, this, &FrmD_Generales::ActiverEpaisseur);
    connect(cmbTempDepart_, &QComboBox::currentIndexChanged, this, marquer);
    connect(cmbEpais_, &QComboBox::currentIndexChanged, this, marquer);
}

void FrmD_Generales::Recharger() {
    // The fields are set one by one: none of them is handed back to the
    // study until all hold the study's values.
    const Installation g = etude_.Generales();
    remplissage_ = true;
    Afficher(g);
    remplissage_ = false;
}

void FrmD_Generales::ActiverEpaisseur() {
    // Liquid screed levels itself: its thickness is not chosen, but the value
    // last chosen is kept and still stored.
    const bool traditionnelle = optChape_[static_cast<std::size_t>(NatureChape::Traditionnelle)]->isChecked();
    lblEpais_->setEnabled(traditionnelle);
    cmbEpais_->setEnabled(traditionnelle);
    lblValeur_[1]->setEnabled(traditionnelle);
}

Installation FrmD_Generales::Donnees() const {
    // The options are two each: the second is set whenever the first is not.
    Installation g;
    g.Support = IndexOption(optSupport_) == 0 ? Fixation::Treillis : Fixation::Plots;
    g.Tube = IndexOption(optTube_) == 0 ? DiametreTube::D13x16 : DiametreTube::D16x20;
    g.TempDepart = cmbTempDepart_->currentText().toInt();
    g.EpaisChape = cmbEpais_->currentText().toInt();
    g.Chape = IndexOption(optChape_) == 0 ? NatureChape::Traditionnelle : NatureChape::Liquide;
    return g;
}

void FrmD_Generales::Afficher(const Installation& g) {
    auto choisir = [](std::array<QRadioButton*, 2>& options, auto valeur) {
        options[static_cast<std::size_t>(valeur)]->setChecked(true);
    };
    choisir(optSupport_, g.Support);
    choisir(optTube_, g.Tube);
    choisir(optChape_, g.Chape);
    ChoisirTexte(cmbTempDepart_, QString::number(g.TempDepart));
    ChoisirTexte(cmbEpais_, QString::number(g.EpaisChape));
}

void FrmD_Generales::CmdSuivant_Click() {
    if (etude_.EcrireGenerales())
        emit suivant();
}

void FrmD_Generales::CmdAnnuler_Click() {
    // A modified study is offered for storing; "Annuler" keeps it.
    if (etude_.Bibliotheque().AbandonnerEtude())
        emit quitter();
}

void FrmD_Generales::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideDonneesGenerales); }

} // namespace sorvel
