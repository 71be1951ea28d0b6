#include "ecrans/FrmDeperditions.h"

#include "commun/Nombres.h"
#include "ecrans/GrilleElements.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "modele/SaisieDeperditions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvel {

namespace {

QString Nombre(double x) { return QString::fromStdString(FormatGeneral(x)); }

// A result: its caption, then its value in a label named `nom` that a
// screen reader reads as that value.
QLabel* ValeurResultat(QGridLayout* g, int ligne, int colonne, const char* nom, const QString& libelle) {
    auto* l = Libelle(QString::fromLatin1(nom) + QStringLiteral("_Libelle"), libelle, g->parentWidget());
    auto* v = Libelle(QString::fromLatin1(nom), QStringLiteral("—"), g->parentWidget());
    v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    v->setMinimumWidth(90);
    QFont f = v->font();
    f.setBold(true);
    v->setFont(f);
    g->addWidget(l, ligne, colonne);
    g->addWidget(v, ligne, colonne + 1);
    return v;
}

} // namespace

FrmDeperditions::FrmDeperditions(EtudeEnCours& etude, const Piece& piece, QWidget* parent)
    : QDialog(parent), etude_(etude), piece_(piece),
      hauteurClimat_(etude.Climat().value_or(ClimatSite{}).Hauteur) {
    setObjectName(QStringLiteral("FrmDeperditions"));
    const QString nom = QString::fromStdString(piece.NomPiece).trimmed();
    setWindowTitle(LegendeDeperditions(nom));

    const ClimatSite climat = etude.Climat().value_or(ClimatSite{});
    auto* lblContexte = Libelle(
        QStringLiteral("LblContexte"),
        (nom.isEmpty() ? QStringLiteral("Pièce") : nom) + QStringLiteral(" : ") +
            Nombre(piece.TempPiece.value_or(0)) + QStringLiteral(" °C, ") + Nombre(piece.SurfacePiece) +
            QStringLiteral(" m² ; extérieur ") + Nombre(climat.TempExterieure) + QStringLiteral(" °C, ponts thermiques ") +
            Nombre(climat.PontsThermiques) + QStringLiteral(" W/(m².K)."),
        this);

    auto* cdrElements = new QGroupBox(QStringLiteral("Parois, baies et planchers de la pièce"), this);
    cdrElements->setObjectName(QStringLiteral("CdrElements"));
    grille_ = new GrilleElements(cdrElements);
    grille_->setMinimumHeight(grille_->horizontalHeader()->sizeHint().height() +
                              6 * grille_->verticalHeader()->defaultSectionSize() + 4);
    auto* cmdAjouter = Bouton(QStringLiteral("CmdAjouterElement"), QStringLiteral("A&jouter un élément"), cdrElements);
    auto* cmdSupprimer =
        Bouton(QStringLiteral("CmdSupprimerElement"), QStringLiteral("Supprimer l'élé&ment"), cdrElements);
    auto* gElements = new QVBoxLayout(cdrElements);
    gElements->addWidget(grille_, 1);
    auto* boutonsElements = new QHBoxLayout;
    boutonsElements->addWidget(cmdAjouter);
    boutonsElements->addWidget(cmdSupprimer);
    boutonsElements->addStretch();
    gElements->addLayout(boutonsElements);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(lblContexte);
    principal->addWidget(cdrElements, 1);
    auto* milieu = new QHBoxLayout;
    milieu->addWidget(CreerAir());
    milieu->addWidget(CreerResultats(), 1);
    principal->addLayout(milieu);
    const BoutonsDialogue boutons = PiedDeDialogue(this, principal);

    Afficher(piece.Deperditions.value_or(DeperditionsPiece{}));
    connect(grille_, &GrilleElements::modifie, this, &FrmDeperditions::Actualiser);
    for (ChampNumerique* c : {txtRenouvellement_, txtDebitExtrait_, txtHauteur_, txtRelance_})
        connect(c, &ChampNumerique::modifie, this, &FrmDeperditions::Actualiser);
    RelierClic(cmdAjouter, this, [this] { grille_->Ajouter(); });
    RelierClic(cmdSupprimer, this, [this] { grille_->Supprimer(); });
    Relier(boutons.OK, this, &FrmDeperditions::CmdOK_Click);
    Relier(boutons.Aide, this, &FrmDeperditions::CmdAide_Click);
    resize(sizeHint().expandedTo(QSize(740, 0)));
}

QWidget* FrmDeperditions::CreerAir() {
    auto* cdrAir = new QGroupBox(QStringLiteral("Air et relance"), this);
    cdrAir->setObjectName(QStringLiteral("CdrAir"));
    auto* g = new QGridLayout(cdrAir);
    g->setHorizontalSpacing(8);
    const struct {
        const char* nom;
        const QString& legende;
        const char* unite;
        ChampNumerique** champ;
    } lignes[] = {
        {"TxtRenouvellement", LegendeRenouvellement, "vol/h", &txtRenouvellement_},
        {"TxtDebitExtrait", LegendeDebitExtrait, "m³/h", &txtDebitExtrait_},
        {"TxtHauteur", LegendeHauteur, "m", &txtHauteur_},
        {"TxtRelance", LegendeRelance, "W/m²", &txtRelance_},
    };
    int ligne = 0;
    for (const auto& l : lignes) {
        const QString nom = QString::fromLatin1(l.nom);
        auto* libelle = Libelle(QStringLiteral("Lbl") + nom.mid(3), l.legende, cdrAir);
        *l.champ = ChampNombre(nom, l.legende, cdrAir, 80);
        LigneChamp(g, ligne++, libelle, *l.champ, QString::fromUtf8(l.unite));
    }
    return cdrAir;
}

QWidget* FrmDeperditions::CreerResultats() {
    auto* cdrResultats = new QGroupBox(QStringLiteral("Résultats"), this);
    cdrResultats->setObjectName(QStringLiteral("CdrResultats"));
    auto* g = new QGridLayout(cdrResultats);
    g->setHorizontalSpacing(10);
    lblTransmission_ = ValeurResultat(g, 0, 0, "LblTransmission", QStringLiteral("Transmission"));
    lblVentilation_ = ValeurResultat(g, 1, 0, "LblVentilation", QStringLiteral("Ventilation"));
    lblRelance_ = ValeurResultat(g, 2, 0, "LblRelance", QStringLiteral("Relance"));
    lblTotal_ = ValeurResultat(g, 0, 2, "LblTotal", QStringLiteral("Total de la pièce"));
    lblPlancher_ = ValeurResultat(g, 1, 2, "LblPlancher", QStringLiteral("Dont plancher"));
    lblDebitAir_ = ValeurResultat(g, 2, 2, "LblDebitAir", QStringLiteral("Débit d'air"));
    g->setColumnMinimumWidth(2, 110);
    lblSuite_ = Remarque(QStringLiteral("LblSuite"), cdrResultats);
    lblSuite_->setMinimumHeight(lblSuite_->fontMetrics().lineSpacing() * 3);
    lblSuite_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    g->addWidget(lblSuite_, 3, 0, 1, 4);
    g->setRowStretch(3, 1);
    return cdrResultats;
}

void FrmDeperditions::Afficher(const DeperditionsPiece& details) {
    grille_->Afficher(details.Elements);
    txtRenouvellement_->definirValeur(details.Renouvellement);
    txtDebitExtrait_->definirValeur(details.DebitExtrait);
    txtHauteur_->definirValeur(details.Hauteur.value_or(hauteurClimat_));
    txtRelance_->definirValeur(details.Relance);
    Actualiser();
}

DeperditionsPiece FrmDeperditions::Details() const {
    DeperditionsPiece d;
    d.Elements = grille_->Elements();
    d.Renouvellement = txtRenouvellement_->valeur().value_or(0.0);
    d.DebitExtrait = txtDebitExtrait_->valeur().value_or(0.0);
    d.Relance = txtRelance_->valeur().value_or(0.0);
    // The climate's height stays the climate's: a room that gives the same
    // one follows it when it changes.
    const double hauteur = txtHauteur_->valeur().value_or(0.0);
    if (hauteur != hauteurClimat_)
        d.Hauteur = hauteur;
    return d;
}

void FrmDeperditions::Actualiser() {
    const BilanDeperditions bilan = BilanDetails(Details(), etude_.Climat(), piece_);
    const std::optional<ResultatDeperditions>& r = bilan.Resultat;
    const auto montrer = [&](QLabel* l, double x, QString (*texte)(double)) {
        l->setText(r ? texte(x) : QStringLiteral("—"));
    };
    montrer(lblTransmission_, r ? r->Transmission : 0, TexteWatts);
    montrer(lblVentilation_, r ? r->Ventilation : 0, TexteWatts);
    montrer(lblRelance_, r ? r->Relance : 0, TexteWatts);
    montrer(lblTotal_, r ? r->Total : 0, TexteWatts);
    montrer(lblPlancher_, r ? r->Plancher : 0, TexteWatts);
    montrer(lblDebitAir_, r ? r->DebitAir : 0, TexteDebitAir);
    lblSuite_->setText(TexteSuiteDetails(piece_, bilan));
}

void FrmDeperditions::CmdOK_Click() {
    const DeperditionsPiece d = Details();
    const RefusChamp refus = [&d](const QString& legende) { return RefusDetailSaisi(d, legende); };
    std::vector<ChampNumerique*> champs = grille_->Champs();
    champs.insert(champs.end(), {txtRenouvellement_, txtDebitExtrait_, txtHauteur_, txtRelance_});
    if (!ControlerChamps(this, champs, refus))
        return;
    const std::optional<std::pair<double, double>> valeurs = AppliquerDetails(etude_, d, piece_);
    if (!valeurs)
        return;
    emit deperditionsCalculees(valeurs->first, valeurs->second);
    accept();
}

void FrmDeperditions::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideDeperditions); }

} // namespace sorvel
