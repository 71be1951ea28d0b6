#include "modele/SaisiePiece.h"

#include "calcul/Isolation.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "etude/BornesSaisie.h"
#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"
#include "modele/EtudeEnCours.h"
#include "stockage/Catalogue.h"
#include "stockage/FichiersTravail.h"

namespace sorvel {

double FluxAtraversIsolant(double surface, std::optional<int> epaisseur) { return FluxIsolant(surface, epaisseur); }

double SurfaceUtilePiece(const Piece& piece) { return SurfaceUtile(piece); }

QStringList NomsProposesPiece() {
    QStringList noms;
    for (std::string_view nom : NomsPiecesProposes)
        noms << QString::fromUtf8(nom.data(), static_cast<qsizetype>(nom.size()));
    return noms;
}

QString LegendePiece(const QString& nom) {
    return nom.isEmpty() ? QStringLiteral("Données de la pièce")
                         : QStringLiteral("Données de la pièce (") + nom + QStringLiteral(")");
}

std::optional<std::pair<QString, QString>> RefusNombreSaisi(const Piece& piece, const QString& legende) {
    const std::string texte = legende.toStdString();
    const BorneSaisie* borne = PremierNombreRefuse(piece, {texte});
    if (!borne)
        return std::nullopt;
    return std::pair{legende + QLatin1Char('.'), QString::fromStdString(MessageBorne(*borne))};
}

QString QuestionAbandonPiece(const QString& nom) {
    if (nom.isEmpty())
        return QStringLiteral("Abandonner les modifications de la nouvelle pièce ?");
    return QStringLiteral("Abandonner les modifications de la pièce « %1 » ?").arg(nom);
}

namespace {

// `piece` with each number its screens show in a field as the field writes
// it back (15 significant digits).
Piece CommeAffichee(Piece piece) {
    for (double Piece::*champ :
         {&Piece::SurfaceBordure, &Piece::SurfacePiece, &Piece::SurfaceEmprises, &Piece::SurfacePlafond,
          &Piece::DeperdPiece, &Piece::DeperdPlancher, &Piece::ApportPlafond, &Piece::EmissionsBas,
          &Piece::LongRaccordNormale, &Piece::LongDistri, &Piece::LongRaccordBordure})
        piece.*champ = LireNombre(FormatGeneral(piece.*champ)).value_or(piece.*champ);
    return piece;
}

const QString TitreBoucles = QStringLiteral("Nombre de boucles.");

QString Metres(double longueur) { return QString::fromStdString(TexteArrondi(longueur)) + QStringLiteral(" m"); }

// "…: même en 8 boucles égales, chacune mesurerait 170,5 m, plus que la
// limite de 160 m du tube 16x20." for a zone of `longueurZone` m whose
// loops each need `raccord` m of connecting pipes.
QString PhraseBouclesRouges(double longueurZone, double raccord, DiametreTube tube) {
    return QStringLiteral("La zone normale demande %1 de tube, et chaque boucle %2 de conduites de raccordement : "
                          "même en %3 boucles égales, chacune mesurerait %4, plus que la limite de %5 du tube %6.")
        .arg(Metres(longueurZone), Metres(raccord))
        .arg(BouclesMaximum)
        .arg(Metres(longueurZone / BouclesMaximum + raccord), Metres(LongueurBoucleRouge(tube)),
             QString::fromLatin1(TexteTube(tube)));
}

} // namespace

void SaisiePiece::Finir() {
    saisie_ = false;
    temperatureChoisie_ = false;
    piece_ = Piece{};
    resultats_ = ResultatsPiece{};
}

void SaisiePiece::Reinitialiser() {
    Finir();
    pieceCourante_ = 0;
}

bool SaisiePiece::CommencerNouvellePiece() {
    if (etude_.NombrePieces() >= PiecesMaximumEtude) {
        etude_.Dire(IconeMessage::Information, QStringLiteral("30 Pièces maximum."),
                    QStringLiteral("Il n'est plus possible d'ajouter de pièce à l'étude !"));
        return false;
    }
    Finir();
    saisie_ = true;
    modifieAvantSaisie_ = etude_.Modifie();
    nouvellePiece_ = true;
    piece_ = PieceDepuisDefauts(etude_.Defauts().value_or(DefautsPieces{}));
    piece_.PasVZBordure = PasBordureNouvellePiece;
    depart_ = piece_;
    return true;
}

std::optional<int> SaisiePiece::TemperatureProposee(const QString& nom) const {
    if (!saisie_ || !nouvellePiece_ || temperatureChoisie_ || !etude_.Defauts())
        return std::nullopt;
    return TemperatureParNom(*etude_.Defauts(), nom.toStdString());
}

bool SaisiePiece::OuvrirPiece(int n) {
    if (n < 1 || n > etude_.NombrePieces()) {
        etude_.Dire(IconeMessage::Aucune, QStringLiteral("Modification."),
                    QStringLiteral("La ligne sélectionnée dans la feuille circuits est vide !"));
        return false;
    }
    Piece piece;
    if (!etude_.Signaler([&] { piece = etude_.Travail().LirePiece(n); }))
        return false;
    Finir();
    saisie_ = true;
    modifieAvantSaisie_ = etude_.Modifie();
    nouvellePiece_ = false;
    pieceCourante_ = n;
    piece_ = piece;
    depart_ = piece_;
    return true;
}

bool SaisiePiece::PieceChangee(const Piece& affichee) const {
    return saisie_ && CommeAffichee(affichee) != CommeAffichee(depart_);
}

bool SaisiePiece::DemanderAbandon(const Piece& affichee) {
    if (PieceChangee(affichee)) {
        const QString nom = QString::fromStdString(affichee.NomPiece.empty() ? depart_.NomPiece : affichee.NomPiece);
        if (etude_.Dire(IconeMessage::Question, TitreAbandonPiece, QuestionAbandonPiece(nom),
                        BoutonsMessage::OuiNonDefautNon) != ReponseMessage::Oui)
            return false;
    }
    AbandonnerPiece();
    return true;
}

void SaisiePiece::Renumeroter(const std::function<int(int)>& nouveau) {
    if (pieceCourante_ > 0)
        pieceCourante_ = nouveau(pieceCourante_);
}

void SaisiePiece::AbandonnerPiece() {
    // What was typed for the room is gone: the study is as it was before.
    if (saisie_)
        etude_.DefinirModifie(modifieAvantSaisie_);
    Finir();
}

std::optional<ResultatsPiece> SaisiePiece::Calculer(const Piece& piece, double perteMax) const {
    try {
        return CalculPiece(EntreesDepuisPiece(piece, etude_.Generales(), perteMax));
    } catch (const ErreurArithmetique& erreur) {
        // The user stays on the room to correct what made it incalculable.
        etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."),
                    QStringLiteral("La pièce '") + QString::fromStdString(piece.NomPiece) +
                        QStringLiteral("' ne peut pas être calculée : ") +
                        QString::fromStdString(ExpliquerEchecPiece(piece, etude_.Generales(), erreur)) +
                        QStringLiteral(".\nCorriger les données de la pièce puis recommencer."));
    }
    return std::nullopt;
}

bool SaisiePiece::CalculerPiece() {
    double perteMax = 0;
    if (!etude_.Signaler([&] { perteMax = etude_.Travail().PerteMaxEtude(); }))
        return false;
    const std::optional<ResultatsPiece> resultats = Calculer(piece_, perteMax);
    if (resultats)
        resultats_ = *resultats;
    return resultats.has_value();
}

PropositionBoucles SaisiePiece::ProposerBoucles(const Piece& piece) const {
    const DiametreTube tube = etude_.Generales().Tube;
    ResultatsPiece r;
    try {
        // The length of the zone does not depend on the study's drops.
        r = CalculPiece(EntreesDepuisPiece(piece, etude_.Generales(), 0));
    } catch (const ErreurArithmetique& erreur) {
        return {std::nullopt, QStringLiteral("Pas de proposition : calcul impossible"),
                QStringLiteral("La pièce ne peut pas être calculée : ") +
                    QString::fromStdString(ExpliquerEchecPiece(piece, etude_.Generales(), erreur)) +
                    QLatin1Char('.'),
                {}};
    }
    const double raccord = piece.LongRaccordNormale;
    const std::optional<int> m = BouclesProposees(r.LongueurNormale, raccord, tube);
    if (!m)
        return {std::nullopt, QStringLiteral("Trop longue même en %1 boucles").arg(BouclesMaximum),
                PhraseBouclesRouges(r.LongueurNormale, raccord, tube), {true, CouleurValeur::Orange}};
    const QString boucle = Metres(r.LongueurNormale / *m + raccord);
    const QString limite = QStringLiteral("la limite de %1 du tube %2")
                               .arg(Metres(LongueurBoucleRouge(tube)), QString::fromLatin1(TexteTube(tube)));
    if (*m == 1)
        return {m, QStringLiteral("Proposition : 1 boucle de ") + boucle,
                QStringLiteral("Avec ses conduites de raccordement, la boucle mesure %1 : elle ne dépasse pas %2.")
                    .arg(boucle, limite),
                {}};
    return {m, QStringLiteral("Proposition : %1 boucles de %2").arg(*m).arg(boucle),
            QStringLiteral("La zone normale demande %1 de tube, et chaque boucle %2 de conduites de raccordement : "
                           "en %3 boucles égales, chacune mesure %4 et ne dépasse pas %5.")
                .arg(Metres(r.LongueurNormale), Metres(raccord))
                .arg(*m)
                .arg(boucle, limite),
            {}};
}

bool SaisiePiece::PartagerZoneNormale(int n, int boucles) {
    if (saisie_ && !nouvellePiece_ && pieceCourante_ == n) {
        // Its screens would write their own count back over this one.
        etude_.Dire(IconeMessage::Exclamation, TitreBoucles,
                    QStringLiteral("La pièce '%1' est ouverte dans les écrans de saisie : l'accepter ou l'abandonner "
                                   "avant de changer son nombre de boucles.")
                        .arg(QString::fromStdString(piece_.NomPiece)));
        return false;
    }
    Piece piece;
    double perteMax = 0;
    if (!etude_.Signaler([&] {
            piece = etude_.Travail().LirePiece(n);
            perteMax = etude_.Travail().PerteMaxEtude();
        }))
        return false;
    if (boucles < 1 || boucles > BouclesMaximum) {
        etude_.Dire(IconeMessage::Exclamation, TitreBoucles,
                    QStringLiteral("La pièce '%1' demanderait %2 boucles : une pièce en compte %3 au plus. "
                                   "La partager en plusieurs pièces.")
                        .arg(QString::fromStdString(piece.NomPiece))
                        .arg(boucles)
                        .arg(BouclesMaximum));
        return false;
    }
    if (boucles == piece.Boucles)
        return true;
    piece.Boucles = boucles;
    // As "&OK" on the room would: against the study's largest drop.
    const std::optional<ResultatsPiece> resultats = Calculer(piece, perteMax);
    if (!resultats || !Ecrire(n, piece, *resultats))
        return false;
    etude_.DefinirModifie(true);
    NoterChangementEtude();
    emit etude_.PiecesChangees();
    return true;
}

std::array<LigneResultatPiece, NombreLignesResultats> SaisiePiece::LignesResultats() const {
    return LignesResultatsPiece(piece_, etude_.Generales().Tube, resultats_);
}

bool SaisiePiece::Ecrire(int n, const Piece& piece, const ResultatsPiece& resultats) {
    const PerteCharge perte = PerteChargePiece(resultats.PerteNormale, resultats.PerteBordure);
    return etude_.Signaler([&] {
        // The room and its pressure drops go into their two files together
        // or not at all: accepting again after a failed write (full disk)
        // stores the room once, and a program stopped in between leaves the
        // study as it was before or after.
        etude_.Travail().EcrireGenerales(etude_.Generales());
        etude_.Travail().EcrirePiece(n, piece, perte);
    });
}

bool SaisiePiece::AccepterPiece() {
    if (!Ecrire(nouvellePiece_ ? etude_.NombrePieces() + 1 : pieceCourante_, piece_, resultats_))
        return false;
    Finir();
    emit etude_.PiecesChangees();
    return true;
}

} // namespace sorvel
