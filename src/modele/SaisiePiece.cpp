#include "modele/SaisiePiece.h"

#include "calcul/Isolation.h"
#include "commun/ErreurArithmetique.h"
#include "etude/BornesSaisie.h"
#include "etude/CalculEtude.h"
#include "modele/EtudeEnCours.h"
#include "stockage/Catalogue.h"
#include "stockage/FichiersTravail.h"

namespace sorvel {

double FluxAtraversIsolant(double surface, std::optional<int> epaisseur) { return FluxIsolant(surface, epaisseur); }

double SurfaceUtilePiece(const Piece& piece) { return SurfaceUtile(piece); }

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

void SaisiePiece::Finir() {
    saisie_ = false;
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
    piece_.TempChute = ChuteNouvellePiece;
    return true;
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
    return true;
}

void SaisiePiece::AbandonnerPiece() {
    // What was typed for the room is gone: the study is as it was before.
    if (saisie_)
        etude_.DefinirModifie(modifieAvantSaisie_);
    Finir();
}

bool SaisiePiece::CalculerPiece() {
    double perteMax = 0;
    if (!etude_.Signaler([&] { perteMax = etude_.Travail().PerteMaxEtude(); }))
        return false;
    try {
        resultats_ = CalculPiece(EntreesDepuisPiece(piece_, etude_.Generales(), perteMax));
        return true;
    } catch (const ErreurArithmetique& erreur) {
        // The user stays on the room to correct what made it incalculable.
        etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."),
                    QStringLiteral("La pièce '") + QString::fromStdString(piece_.NomPiece) +
                        QStringLiteral("' ne peut pas être calculée : ") +
                        QString::fromStdString(ExpliquerEchecPiece(piece_, etude_.Generales(), erreur)) +
                        QStringLiteral(".\nCorriger les données de la pièce puis recommencer."));
    }
    return false;
}

std::array<LigneResultatPiece, NombreLignesResultats> SaisiePiece::LignesResultats() const {
    return LignesResultatsPiece(piece_, etude_.Generales().Tube, resultats_);
}

bool SaisiePiece::AccepterPiece() {
    const PerteCharge perte = PerteChargePiece(resultats_.PerteNormale, resultats_.PerteBordure);
    const bool ok = etude_.Signaler([&] {
        // The room and its pressure drops go into their two files together
        // or not at all: accepting again after a failed write (full disk)
        // stores the room once, and a program stopped in between leaves the
        // study as it was before or after.
        const int n = nouvellePiece_ ? etude_.NombrePieces() + 1 : pieceCourante_;
        etude_.Travail().EcrireGenerales(etude_.Generales());
        etude_.Travail().EcrirePiece(n, piece_, perte);
    });
    if (!ok)
        return false;
    Finir();
    emit etude_.PiecesChangees();
    return true;
}

} // namespace sorvel
