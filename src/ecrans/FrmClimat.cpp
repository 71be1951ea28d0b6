#include "ecrans/FrmClimat.h"

#include "ihm/BoiteMessage.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <iterator>

namespace sorvel {

FrmClimat::FrmClimat(EtudeEnCours& etude, const std::optional<TableTemperaturesBase>& table, QWidget* parent)
    : QDialog(parent), etude_(etude), table_(table) {
    setObjectName(QStringLiteral("FrmClimat"));
    setWindowTitle(QStringLiteral("Climat du site"));

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(CreerChamps());
    const BoutonsDialogue boutons = PiedDeDialogue(this, principal);

    Afficher(etude.Climat());
    connect(txtDepartement_, &QLineEdit::textEdited, this, &FrmClimat::Proposer);
    connect(txtAltitude_, &QLineEdit::textEdited, this, &FrmClimat::Proposer);
    Relier(boutons.OK, this, &FrmClimat::CmdOK_Click);
    Relier(boutons.Aide, this, &FrmClimat::CmdAide_Click);
}

QWidget* FrmClimat::CreerChamps() {
    auto* champs = new QWidget(this);
    auto* g = new QGridLayout(champs);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    auto* lblDepartement = Libelle(QStringLiteral("LblDepartement"), LegendeDepartement, champs);
    txtDepartement_ = new QLineEdit(champs);
    txtDepartement_->setObjectName(QStringLiteral("TxtDepartement"));
    txtDepartement_->setAccessibleName(LegendeDepartement);
    txtDepartement_->setMaxLength(3);
    txtDepartement_->setFixedWidth(90);
    LigneChamp(g, 0, lblDepartement, txtDepartement_, QStringLiteral("(numéro : 69, 2A…)"));

    auto* lblAltitude = Libelle(QStringLiteral("LblAltitude"), LegendeAltitude, champs);
    txtAltitude_ = ChampNombre(QStringLiteral("TxtAltitude"), LegendeAltitude, champs);
    txtAltitude_->accepterVide(true);
    LigneChamp(g, 1, lblAltitude, txtAltitude_, QStringLiteral("m"));

    auto* lblTempExterieure = Libelle(QStringLiteral("LblTempExterieure"), LegendeTempExterieure, champs);
    txtTempExterieure_ = ChampNombre(QStringLiteral("TxtTempExterieure"), LegendeTempExterieure, champs);
    txtTempExterieure_->accepterVide(true);
    txtTempExterieure_->accepterMoinsSeul(true);
    LigneChamp(g, 2, lblTempExterieure, txtTempExterieure_, QStringLiteral("°C"));
    // What the table proposes, or why it proposes nothing.
    lblProposition_ = Remarque(QStringLiteral("LblProposition"), champs);
    g->addWidget(lblProposition_, 3, 0, 1, 3);

    auto* lblTempMoyenne = Libelle(QStringLiteral("LblTempMoyenne"), LegendeTempMoyenne, champs);
    txtTempMoyenne_ = ChampNombre(QStringLiteral("TxtTempMoyenne"), LegendeTempMoyenne, champs);
    txtTempMoyenne_->accepterVide(true);
    txtTempMoyenne_->accepterMoinsSeul(true);
    LigneChamp(g, 4, lblTempMoyenne, txtTempMoyenne_, QStringLiteral("°C (pour les planchers sur terre-plein)"));

    auto* lblPonts = Libelle(QStringLiteral("LblPontsThermiques"), LegendePontsThermiques, champs);
    QStringList niveaux;
    for (double valeur : PontsThermiquesProposes)
        niveaux << TextePontsThermiques(valeur);
    cmbPontsThermiques_ = Liste(QStringLiteral("CmbPontsThermiques"), LegendePontsThermiques, niveaux, champs);
    for (int i = 0; i < static_cast<int>(std::size(PontsThermiquesProposes)); ++i)
        cmbPontsThermiques_->setItemData(i, PontsThermiquesProposes[i]);
    lblPonts->setBuddy(cmbPontsThermiques_);
    g->addWidget(lblPonts, 5, 0);
    g->addWidget(cmbPontsThermiques_, 5, 1, 1, 2);

    auto* lblHauteur = Libelle(QStringLiteral("LblHauteurDefaut"), LegendeHauteurDefaut, champs);
    txtHauteur_ = ChampNombre(QStringLiteral("TxtHauteurDefaut"), LegendeHauteurDefaut, champs);
    LigneChamp(g, 6, lblHauteur, txtHauteur_, QStringLiteral("m"));
    g->setColumnStretch(2, 1);
    return champs;
}

void FrmClimat::Afficher(const std::optional<ClimatSite>& climat) {
    const ClimatSite c = climat.value_or(ClimatSite{});
    txtDepartement_->setText(QString::fromStdString(c.Departement));
    txtAltitude_->definirValeur(c.Altitude);
    // A new climate has no outdoor temperature until the table or the user
    // gives one.
    txtTempExterieure_->definirValeur(climat ? std::optional(c.TempExterieure) : std::nullopt);
    txtTempMoyenne_->definirValeur(c.TempMoyenneAnnuelle);
    int niveau = cmbPontsThermiques_->findData(c.PontsThermiques);
    if (climat && niveau < 0) {
        // A value of the study that the list does not offer stays as it is.
        cmbPontsThermiques_->addItem(TextePontsThermiques(c.PontsThermiques), c.PontsThermiques);
        niveau = cmbPontsThermiques_->count() - 1;
    }
    cmbPontsThermiques_->setCurrentIndex(climat ? niveau : -1);
    txtHauteur_->definirValeur(c.Hauteur);
    lblProposition_->setText(ProposerTempExterieure(table_, txtDepartement_->text(), txtAltitude_->valeur()).Texte);
}

void FrmClimat::Proposer() {
    const PropositionTempBase p = ProposerTempExterieure(table_, txtDepartement_->text(), txtAltitude_->valeur());
    lblProposition_->setText(p.Texte);
    if (p.TempExterieure)
        txtTempExterieure_->definirValeur(*p.TempExterieure);
}

ClimatSite FrmClimat::Climat() const {
    ClimatSite c;
    c.Departement = txtDepartement_->text().trimmed().toStdString();
    c.Altitude = txtAltitude_->valeur();
    c.TempExterieure = txtTempExterieure_->valeur().value_or(0.0);
    c.TempMoyenneAnnuelle = txtTempMoyenne_->valeur();
    c.PontsThermiques = cmbPontsThermiques_->currentData().toDouble();
    c.Hauteur = txtHauteur_->valeur().value_or(0.0);
    return c;
}

void FrmClimat::CmdOK_Click() {
    const ClimatSite c = Climat();
    const RefusChamp refus = [&c](const QString& legende) { return RefusClimatSaisi(c, legende); };
    auto echec = [this](const QString& texte, const QString& titre, QWidget* champ) {
        Message(this, IconeMessage::Exclamation, titre, texte);
        DonnerFocus(champ);
    };
    if (!ControlerChamps(this, {txtAltitude_}, refus))
        return;
    if (!txtTempExterieure_->valeur())
        return echec(QStringLiteral("Entrer la température extérieure de base du site !"),
                     LegendeTempExterieure + QLatin1Char('.'), txtTempExterieure_);
    if (!ControlerChamps(this, {txtTempExterieure_, txtTempMoyenne_}, refus))
        return;
    if (cmbPontsThermiques_->currentIndex() < 0)
        return echec(QStringLiteral("Choisir le niveau des ponts thermiques !"),
                     LegendePontsThermiques + QLatin1Char('.'), cmbPontsThermiques_);
    if (!ControlerChamps(this, {txtHauteur_}, refus))
        return;
    etude_.ChangerClimat(c);
    accept();
}

void FrmClimat::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideDeperditions); }

} // namespace sorvel
