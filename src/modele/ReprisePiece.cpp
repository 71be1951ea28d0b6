#include "modele/ReprisePiece.h"

#include "etude/ReprisePiece.h"
#include "modele/EtudeEnCours.h"
#include "stockage/FichiersTravail.h"

namespace sorvel {

std::optional<DonneesBoucle> ReprendrePiece(EtudeEnCours& etude, int n) {
    if (n < 1 || n > etude.NombrePieces()) {
        etude.Dire(IconeMessage::Information, QStringLiteral("Reprendre la pièce."),
                   QStringLiteral("Aucune pièce n'est sélectionnée : choisir la pièce à reprendre dans la feuille "
                                  "circuits (liste des pièces)."));
        return std::nullopt;
    }
    Piece piece;
    if (!etude.Signaler([&] { piece = etude.Travail().LirePiece(n); }))
        return std::nullopt;
    // The loop does not depend on the balancing: no study-wide drop needed.
    const std::optional<ResultatsPiece> resultats = etude.Saisie().Calculer(piece, 0);
    if (!resultats)
        return std::nullopt;
    const std::optional<ClimatSite>& climat = etude.Climat();
    return BouclePiece(piece, etude.Generales(), *resultats,
                       climat ? std::optional<double>(climat->TempExterieure) : std::nullopt);
}

Estimations EstimationsPiece(const Piece& piece) { return EstimationsDe(piece); }

Piece EstimationsSuivies(const Piece& piece, Estimations estimees) { return AppliquerEstimations(piece, estimees); }

} // namespace sorvel
