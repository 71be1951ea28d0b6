#include "etude/RecalculEtude.h"

namespace sorvel {

EtudeRecalculee RecalculerEtude(const std::vector<Piece>& pieces, const Installation& generales,
                                const std::vector<Collecteur>& collecteurs) {
    EtudeRecalculee r;
    r.Resultat = CalculEtude(pieces, generales);
    r.Materiel = Materiel(r.Resultat.Table, generales, r.Resultat.Boucles);
    r.Equilibrage = CalculerEquilibrage(pieces, generales, r.Resultat);
    r.Collecteurs = CalculerCollecteurs(pieces, r.Equilibrage.Boucles, collecteurs);
    return r;
}

} // namespace sorvel
