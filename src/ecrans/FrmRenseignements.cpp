#include "ecrans/FrmRenseignements.h"

#include "ihm/Controles.h"
#include "ihm/ModAide.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// Longest text of a one-line field, characters.
constexpr int LongueurLigne = 120;

QLineEdit* Ligne(const QString& nom, const QString& legende, QWidget* parent) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(nom);
    t->setAccessibleName(legende);
    t->setMaxLength(LongueurLigne);
    return t;
}

// A text of a few lines; Tab leaves it, as it leaves a one-line field.
QPlainTextEdit* Texte(const QString& nom, const QString& legende, int lignes, QWidget* parent) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(nom);
    t->setAccessibleName(legende);
    t->setTabChangesFocus(true);
    t->setFixedHeight(QFontMetrics(t->font()).lineSpacing() * lignes + 12);
    return t;
}

std::string Utf8(const QString& texte) { return texte.toStdString(); }

} // namespace

FrmRenseignements::FrmRenseignements(EtudeEnCours& etude, QWidget* parent) : QDialog(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmRenseignements"));
    setWindowTitle(QStringLiteral("Renseignements de l'étude"));
    auto* principal = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    principal->addLayout(g);
    const auto ligne = [&](int rang, const char* nom, const QString& legende, QWidget* champ) {
        auto* l = Libelle(QStringLiteral("Lbl") + QLatin1String(nom), legende, this);
        l->setBuddy(champ);
        g->addWidget(l, rang, 0, Qt::AlignTop);
        g->addWidget(champ, rang, 1);
    };
    txtClient_ = Ligne(QStringLiteral("TxtClient"), QStringLiteral("Client"), this);
    ligne(0, "Client", QStringLiteral("&Client"), txtClient_);
    txtChantier_ = Texte(QStringLiteral("TxtChantier"), QStringLiteral("Adresse du chantier"), 2, this);
    ligne(1, "Chantier", QStringLiteral("Adresse du c&hantier"), txtChantier_);
    txtInstallateur_ = Ligne(QStringLiteral("TxtInstallateur"), QStringLiteral("Installateur"), this);
    ligne(2, "Installateur", QStringLiteral("&Installateur"), txtInstallateur_);
    txtCoordonnees_ =
        Texte(QStringLiteral("TxtCoordonnees"), QStringLiteral("Coordonnées de l'installateur"), 3, this);
    ligne(3, "Coordonnees", QStringLiteral("C&oordonnées de l'installateur"), txtCoordonnees_);
    txtNotes_ = Texte(QStringLiteral("TxtNotes"), QStringLiteral("Notes"), 5, this);
    ligne(4, "Notes", QStringLiteral("&Notes"), txtNotes_);
    g->setColumnMinimumWidth(1, 380);
    auto* remarque = Remarque(QStringLiteral("LblImpression"), this);
    remarque->setText(QStringLiteral("Le client, le chantier et l'installateur sont imprimés en tête de chaque page "
                                     "des rapports ; les notes, à la fin des résultats chantier."));
    principal->addWidget(remarque);
    const BoutonsDialogue boutons = PiedDeDialogue(this, principal);

    const RenseignementsEtude& r = etude.Renseignements();
    txtClient_->setText(QString::fromStdString(r.Client));
    txtChantier_->setPlainText(QString::fromStdString(r.Chantier));
    txtInstallateur_->setText(QString::fromStdString(r.Installateur));
    txtCoordonnees_->setPlainText(QString::fromStdString(r.Coordonnees));
    txtNotes_->setPlainText(QString::fromStdString(r.Notes));
    Relier(boutons.OK, this, &FrmRenseignements::CmdOK_Click);
    Relier(boutons.Aide, this, &FrmRenseignements::CmdAide_Click);
}

void FrmRenseignements::Ouvrir(EtudeEnCours& etude, QWidget* parent) {
    auto* dialogue = new FrmRenseignements(etude, parent);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    dialogue->open();
}

RenseignementsEtude FrmRenseignements::Renseignements() const {
    return {Utf8(txtClient_->text()), Utf8(txtChantier_->toPlainText()), Utf8(txtInstallateur_->text()),
            Utf8(txtCoordonnees_->toPlainText()), Utf8(txtNotes_->toPlainText())};
}

void FrmRenseignements::CmdOK_Click() {
    if (etude_.ChangerRenseignements(Renseignements()))
        accept();
}

void FrmRenseignements::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideDonneesGenerales); }

} // namespace sorvel
