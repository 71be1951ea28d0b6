#include "ecrans/FrmDefautsPieces.h"

#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// Name and temperature pairs side by side in the temperatures frame.
constexpr int ColonnesTemperatures = 4;
const QString LegendeLongueur = QStringLiteral("Longueur des conduites de raccordement");

QStringList Resistances() {
    QStringList l{QString()};
    for (int i = 1; i <= NombreResistances; ++i)
        l << QString::fromUtf8(TexteResistance(*ResistanceEnCentiemes(i)).data());
    return l;
}

} // namespace

FrmDefautsPieces::FrmDefautsPieces(EtudeEnCours& etude, QWidget* parent) : QDialog(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmDefautsPieces"));
    setWindowTitle(QStringLiteral("Valeurs par défaut des pièces"));
    const DefautsPieces d = etude.DefautsAffiches();
    auto* principal = new QVBoxLayout(this);
    auto* explication = Remarque(QStringLiteral("LblExplication"), this);
    explication->setText(QStringLiteral("Chaque nouvelle pièce de l'étude part de ces valeurs ; sa température "
                                        "suit le nom donné tant qu'elle n'est pas choisie à la main."));
    principal->addWidget(explication);
    principal->addWidget(CreerTemperatures(d));
    principal->addWidget(CreerValeurs());
    const BoutonsDialogue boutons = PiedDeDialogue(this, principal);
    Afficher(d);
    Relier(boutons.OK, this, &FrmDefautsPieces::CmdOK_Click);
    Relier(boutons.Aide, this, &FrmDefautsPieces::CmdAide_Click);
}

void FrmDefautsPieces::Ouvrir(EtudeEnCours& etude, QWidget* parent) {
    auto* dialogue = new FrmDefautsPieces(etude, parent);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    dialogue->open();
}

QWidget* FrmDefautsPieces::CreerTemperatures(const DefautsPieces& d) {
    auto* cadre = new QGroupBox(QStringLiteral("Température de la pièce selon son nom (°C)"), this);
    cadre->setObjectName(QStringLiteral("CdrTemperatures"));
    auto* g = new QGridLayout(cadre);
    g->setHorizontalSpacing(8);
    const int lignes = (static_cast<int>(d.Temperatures.size()) + ColonnesTemperatures - 1) / ColonnesTemperatures;
    for (std::size_t i = 0; i < d.Temperatures.size(); ++i) {
        const QString nom = QString::fromStdString(d.Temperatures[i].Nom);
        auto* l = Libelle(QStringLiteral("LblTemperature_%1").arg(i), nom, cadre);
        l->setTextFormat(Qt::PlainText);
        auto* c = Liste(QStringLiteral("CmbTemperature_%1").arg(i), nom, Entiers(TempPieceBasse, TempPieceHaute), cadre);
        c->setFixedWidth(62);
        l->setBuddy(c);
        const int ligne = static_cast<int>(i) % lignes, colonne = 2 * (static_cast<int>(i) / lignes);
        g->addWidget(l, ligne, colonne);
        g->addWidget(c, ligne, colonne + 1);
        temperatures_.emplace_back(d.Temperatures[i].Nom, c);
    }
    for (int k = 0; k < ColonnesTemperatures; ++k)
        g->setColumnStretch(2 * k, 1);
    return cadre;
}

QWidget* FrmDefautsPieces::CreerValeurs() {
    auto* cadre = new QGroupBox(QStringLiteral("Autres valeurs d'une nouvelle pièce"), this);
    cadre->setObjectName(QStringLiteral("CdrValeurs"));
    auto* g = new QGridLayout(cadre);
    g->setHorizontalSpacing(8);
    const auto liste = [&](int ligne, const char* nom, const QString& legende, const QStringList& elements,
                           const QString& unite) {
        auto* l = Libelle(QStringLiteral("Lbl") + QLatin1String(nom), legende, cadre);
        auto* c = Liste(QStringLiteral("Cmb") + QLatin1String(nom), legende, elements, cadre);
        c->setFixedWidth(90);
        LigneChamp(g, ligne, l, c, unite);
        return c;
    };
    cmbTempChute_ = liste(0, "TempChute", QStringLiteral("Chute de température du fluide (DeltaT Départ/Retour)"),
                          Entiers(ChuteBasse, ChuteHaute), QStringLiteral("°C"));
    cmbActuelle_ = liste(1, "Actuelle", QStringLiteral("Résistance actuelle"), Resistances(), QStringLiteral("m².K/W"));
    cmbFuture_ = liste(2, "Future", QStringLiteral("Résistance future"), Resistances(), QStringLiteral("m².K/W"));
    cmbApportIso_ = liste(3, "Apport_Iso", QStringLiteral("Epaisseur de l'isolant (apport par le plafond)"),
                          Entiers(2, 8), QStringLiteral("cm"));
    cmbEmissionsIso_ = liste(4, "Emissions_Iso", QStringLiteral("Epaisseur de l'isolant (émission vers le bas)"),
                             Entiers(2, 8), QStringLiteral("cm"));
    auto* l = Libelle(QStringLiteral("LblLongRaccordNormale"), LegendeLongueur, cadre);
    txtLongRaccordNormale_ = ChampNombre(QStringLiteral("TxtLongRaccordNormale"), LegendeLongueur, cadre);
    LigneChamp(g, 5, l, txtLongRaccordNormale_, QStringLiteral("m"));
    g->setColumnStretch(2, 1);
    return cadre;
}

void FrmDefautsPieces::Afficher(const DefautsPieces& d) {
    for (std::size_t i = 0; i < temperatures_.size(); ++i)
        ChoisirTexte(temperatures_[i].second, QString::number(d.Temperatures[i].Temperature));
    ChoisirTexte(cmbTempChute_, QString::number(d.TempChute));
    ChoisirTexte(cmbActuelle_, QString::fromStdString(TexteResistance(d.RthActuelle)));
    ChoisirTexte(cmbFuture_, QString::fromStdString(TexteResistance(d.RthFuture)));
    ChoisirTexte(cmbApportIso_, QString::number(d.IsoApport));
    ChoisirTexte(cmbEmissionsIso_, QString::number(d.IsoEmissions));
    txtLongRaccordNormale_->definirValeur(d.LongRaccordNormale);
}

DefautsPieces FrmDefautsPieces::Defauts() const {
    DefautsPieces d;
    for (const auto& [nom, liste] : temperatures_)
        d.Temperatures.push_back({nom, EntierChoisi(liste).value_or(TemperatureAutresPieces)});
    d.TempChute = EntierChoisi(cmbTempChute_).value_or(ChuteNouvellePiece);
    d.RthActuelle = ResistanceDepuisTexte(cmbActuelle_->currentText().toStdString());
    d.RthFuture = ResistanceDepuisTexte(cmbFuture_->currentText().toStdString());
    d.IsoApport = EntierChoisi(cmbApportIso_).value_or(IsolantNouvellePiece);
    d.IsoEmissions = EntierChoisi(cmbEmissionsIso_).value_or(IsolantNouvellePiece);
    d.LongRaccordNormale = txtLongRaccordNormale_->valeur().value_or(0.0);
    return d;
}

void FrmDefautsPieces::CmdOK_Click() {
    const DefautsPieces d = Defauts();
    Piece essai;
    essai.LongRaccordNormale = d.LongRaccordNormale;
    if (!ControlerChamps(this, {txtLongRaccordNormale_},
                         [&essai](const QString& legende) { return RefusNombreSaisi(essai, legende); }))
        return;
    if (etude_.ChangerDefautsPieces(d))
        accept();
}

void FrmDefautsPieces::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AidePiece); }

} // namespace sorvel
