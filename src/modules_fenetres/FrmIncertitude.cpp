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

// The left column, top to bottom.
const LigneDonnee LignesDonnees[] = {
    {IndexValeur(Champ::Longueur), "Longueur de la boucle dans la pièce", "m"},
    {IndexValeur(Champ::Debit), "Débit de la boucle", "l/h"},
    {IndexValeur(Champ::CoeffSurfacique), "Coefficient d'émission surfacique haut", "W/(m².K)"},
    {IndexValeur(Champ::CoeffDeperditions), "Coefficient de déperditions (H)", "W/K"},
    {IndexValeur(Champ::TempPiece), "Température de la pièce", "°C"},
    {IndexValeur(Champ::TempDepart), "Température de départ du fluide", "°C"},
    {IndexValeur(Champ::TempExterieure), "Température extérieure", "°C", Particularite::Negative},
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
    QGroupBox* donnees =
        CadreDonnees(QStringLiteral("Valeurs"), LignesDonnees, txtValeurs_, std::span(&ListeVZ, 1), std::span(&cmbVZ_, 1));

    // ---- Middle: how well each quantity is known.
    auto* milieu = new QVBoxLayout;
    auto [pourcents, p] = Cadre(QStringLiteral("CdrPourcent"), QStringLiteral("% d'incertitude"), this);
    int ligne = 0;
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
    auto [resultats, r] = Cadre(QStringLiteral("CdrResultats"), QStringLiteral("Résultats"), this, 6);
    auto* entete = Libelle(QStringLiteral("LblEntete"),
                           QStringLiteral("Incertitudes en + ou - sur la température de la pièce dues au "
                                          "différents paramètres"),
                           resultats);
    entete->setWordWrap(true);
    r->addWidget(entete, 0, 0, 1, 3);
    auto ligneResultat = [&](int i, const char* texte) {
        lblResultats_[i] = RangeeResultat(r, i + 1, QStringLiteral("Resultats_%1").arg(i), QString::fromUtf8(texte),
                                          QStringLiteral("°C"));
    };
    for (const LigneGrandeur& l : LignesGrandeurs)
        ligneResultat(static_cast<int>(l.grandeur), l.resultat);
    ligneResultat(IndexTotal, "Total");
    r->setRowStretch(IndexTotal + 2, 1);

    Colonnes(donnees, milieu, resultats);
    QPushButton* aide = BoutonsBas();

    Relier(cmdIncertitude, this, &FrmIncertitude::CmdIncertitude_Click);
    Relier(aide, this, &FrmIncertitude::CmdAide_Click);
    LierExterieureEtH(txtValeurs_[IndexValeur(Champ::TempExterieure)], txtValeurs_[IndexValeur(Champ::CoeffDeperditions)]);
}

ModIncertitude::Saisie FrmIncertitude::Saisie() const {
    ModIncertitude::Saisie s;
    s.Valeurs = Textes(txtValeurs_);
    s.PasVZ = cmbVZ_->currentText().toStdString();
    s.Pourcents = Textes(txtPourcent_);
    return s;
}

void FrmIncertitude::RemplirDepuis(const DonneesBoucle& boucle) {
    const ModIncertitude::Saisie s = modules::ReprendreIncertitude(Saisie(), boucle);
    EcrireTextes(txtValeurs_, s.Valeurs);
    ChoisirTexte(cmbVZ_, QString::fromStdString(s.PasVZ));
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
