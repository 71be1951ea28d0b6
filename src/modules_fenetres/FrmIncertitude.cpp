#include "modules_fenetres/FrmIncertitude.h"

#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

using namespace ModIncertitude;

namespace {

constexpr int LargeurLibelle = 175;

QLabel* LibelleLong(const QString& nom, const char* texte, QWidget* parent) {
    auto* l = Libelle(nom, QString::fromUtf8(texte), parent);
    l->setWordWrap(true);
    l->setFixedWidth(LargeurLibelle);
    return l;
}

struct LigneSaisie {
    Champ champ;
    const char* libelle;
    const char* unite;
};

const LigneSaisie LignesSaisie[] = {
    {Champ::Longueur, "Longueur de la boucle dans la pièce", "m"},
    {Champ::Debit, "Débit de la boucle", "l/h"},
    {Champ::CoeffSurfacique, "Coefficient d'émission surfacique haut", "W/(m².K)"},
    {Champ::CoeffDeperditions, "Coefficient de déperditions (H)", "W/K"},
    {Champ::TempPiece, "Température de la pièce", "°C"},
    {Champ::TempDepart, "Température de départ du fluide", "°C"},
    {Champ::TempExterieure, "Température extérieure", "°C"},
};

struct LigneGrandeur {
    Grandeur grandeur;
    const char* pourcent;  // caption of TxtPourcent
    const char* resultat;  // caption of LblResultats
};

const LigneGrandeur LignesGrandeurs[] = {
    {Grandeur::Longueur, "Longueur de la boucle", "Incertitude due à la longueur"},
    {Grandeur::Debit, "Débit de la boucle", "Incertitude due au débit"},
    {Grandeur::CoeffSurfacique, "Coefficient surfacique", "Incertitude due au coefficient surfacique"},
    {Grandeur::CoeffH, "Coefficient H", "Incertitude due au coefficient H"},
};

} // namespace

FrmIncertitude::FrmIncertitude(QWidget* parent) : FrmModule(parent) {
    setObjectName(QStringLiteral("FrmIncertitude"));
    setWindowTitle(QStringLiteral("Sorvel. [Module d'incertitude sur la température d'ambiance de la pièce]"));

    // ---- Left: the data of the loop.
    auto* donnees = new QGroupBox(QStringLiteral("Données d'entrée"), this);
    donnees->setObjectName(QStringLiteral("CdrDonnees"));
    auto* g = new QGridLayout(donnees);
    g->setVerticalSpacing(4);
    int ligne = 0;
    for (const LigneSaisie& l : LignesSaisie) {
        const int i = IndexValeur(l.champ);
        auto* libelle = LibelleLong(QStringLiteral("LblValeurs_%1").arg(i), l.libelle, donnees);
        txtValeurs_[i] = ChampNombre(QStringLiteral("TxtValeurs_%1").arg(i), libelle->text(), donnees, 70);
        LigneChamp(g, ligne++, libelle, txtValeurs_[i], QString::fromUtf8(l.unite),
                   QStringLiteral("LblUniteValeurs_%1").arg(i));
    }
    // A negative outdoor temperature is typed sign first.
    txtValeurs_[IndexValeur(Champ::TempExterieure)]->accepterMoinsSeul(true);
    auto* lblVZ = LibelleLong(QStringLiteral("LblVZ"), "Pas (VZ) en centimètre", donnees);
    cmbVZ_ = Liste(QStringLiteral("CmbVZ"), lblVZ->text(),
                   {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
                    QStringLiteral("30")},
                   donnees);
    cmbVZ_->setFixedWidth(70);
    LigneChamp(g, ligne++, lblVZ, cmbVZ_, QStringLiteral("cm"), QStringLiteral("LblUniteVZ"));
    g->setRowStretch(ligne, 1);

    // ---- Middle: how well each quantity is known.
    auto* milieu = new QVBoxLayout;
    auto* pourcents = new QGroupBox(QStringLiteral("% d'incertitude"), this);
    pourcents->setObjectName(QStringLiteral("CdrPourcent"));
    auto* p = new QGridLayout(pourcents);
    p->setVerticalSpacing(4);
    ligne = 0;
    for (const LigneGrandeur& l : LignesGrandeurs) {
        const int i = static_cast<int>(l.grandeur);
        auto* libelle = Libelle(QStringLiteral("LblPourcent_%1").arg(i), QString::fromUtf8(l.pourcent), pourcents);
        txtPourcent_[i] = ChampNombre(QStringLiteral("TxtPourcent_%1").arg(i), libelle->text(), pourcents, 60);
        LigneChamp(p, ligne++, libelle, txtPourcent_[i], QStringLiteral("%"),
                   QStringLiteral("LblUnitePourcent_%1").arg(i));
    }
    milieu->addWidget(pourcents);
    auto* cmdIncertitude = Bouton(QStringLiteral("CmdIncertitude"), QStringLiteral("Calculer l'incertitude >>"), this);
    milieu->addWidget(cmdIncertitude);
    milieu->addStretch();

    // ---- Right: the results.
    auto* resultats = new QGroupBox(QStringLiteral("Résultats"), this);
    resultats->setObjectName(QStringLiteral("CdrResultats"));
    auto* r = new QGridLayout(resultats);
    r->setVerticalSpacing(6);
    auto* entete = Libelle(QStringLiteral("LblEntete"),
                           QStringLiteral("Incertitudes en + ou - sur la température de la pièce dues au "
                                          "différents paramètres"),
                           resultats);
    entete->setWordWrap(true);
    r->addWidget(entete, 0, 0, 1, 3);
    auto ligneResultat = [&](int i, const char* texte) {
        auto* libelle = LibelleLong(QStringLiteral("LblLibelleResultats_%1").arg(i), texte, resultats);
        lblResultats_[i] = LabelResultat(QStringLiteral("LblResultats_%1").arg(i), resultats);
        r->addWidget(libelle, i + 1, 0);
        r->addWidget(lblResultats_[i], i + 1, 1, Qt::AlignVCenter);
        r->addWidget(Libelle(QStringLiteral("LblUniteResultats_%1").arg(i), QStringLiteral("°C"), resultats), i + 1, 2);
    };
    for (const LigneGrandeur& l : LignesGrandeurs)
        ligneResultat(static_cast<int>(l.grandeur), l.resultat);
    ligneResultat(IndexTotal, "Total");
    r->setRowStretch(IndexTotal + 2, 1);

    QGridLayout* principal = Grille();
    principal->addWidget(donnees, 0, 0);
    principal->addLayout(milieu, 0, 1);
    principal->addWidget(resultats, 0, 2);
    QPushButton* aide = BoutonsBas();

    Relier(cmdIncertitude, this, &FrmIncertitude::CmdIncertitude_Click);
    Relier(aide, this, &FrmIncertitude::CmdAide_Click);
}

ModIncertitude::Saisie FrmIncertitude::Saisie() const {
    ModIncertitude::Saisie s;
    for (int i = 0; i < NombreValeurs; ++i)
        s.Valeurs[i] = txtValeurs_[i]->text().toStdString();
    s.PasVZ = cmbVZ_->currentText().toStdString();
    for (int i = 0; i < NombreGrandeurs; ++i)
        s.Pourcents[i] = txtPourcent_[i]->text().toStdString();
    return s;
}

QWidget* FrmIncertitude::ChampDe(Champ champ) const {
    if (champ == Champ::PasVZ)
        return cmbVZ_;
    return txtValeurs_[IndexValeur(champ)];
}

void FrmIncertitude::CmdIncertitude_Click() {
    const Bilan bilan = CalculerIncertitude(Saisie());
    for (int i = 0; i < NombreResultats; ++i)
        if (bilan.Resultats[i])
            AfficherResultat(lblResultats_[i], QString::fromStdString(*bilan.Resultats[i]));
    Signaler(bilan.Message, bilan.Focus ? ChampDe(*bilan.Focus) : nullptr);
}

void FrmIncertitude::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideIncertitude); }

} // namespace sorvel
