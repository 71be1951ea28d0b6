#include "etude/RecalculEtude.h"

namespace sorvel {

EtudeRecalculee RecalculerEtude(const std::vector<Piece>& pieces, const Installation& generales) {
    EtudeRecalculee r;
    r.Resultat = CalculEtude(pieces, generales);
    r.Materiel = Materiel(r.Resultat.Table, generales);
    r.Equilibrage = CalculerEquilibrage(pieces, generales, r.Resultat);
    return r;
}

} // namespace sorvel
