#include "etude/ReprisePiece.h"

#include "calcul/Isolation.h"
#include "etude/CalculEtude.h"

#include <algorithm>
#include <cmath>

namespace sorvel {

DonneesBoucle BouclePiece(const Piece& d, const Installation& g, const ResultatsPiece& r,
                          std::optional<double> tempExterieure) {
    const int boucles = std::max(1, d.Boucles);
    // An independent edge loop heats its own zone; the normal loop the rest.
    const double chaleur =
        r.DeperdCorrigees - (BoucleBordureIndependante(d.TypeCharge) ? r.PuissanceBordure : 0.0);
    DonneesBoucle b;
    b.NomPiece = d.NomPiece;
    b.LongueurBoucle = r.LongueurNormale / boucles;
    b.LongueurRaccordement = d.LongRaccordNormale;
    b.Debit = r.DebitNormale / boucles;
    b.Chaleur = chaleur / boucles;
    b.CoeffSurfacique = r.EmissionUtiliseeNormale;
    b.Pas = r.PasVZNormale;
    b.Tube = g.Tube;
    b.TempDepart = g.TempDepart;
    b.Chute = d.TempChute;
    b.TempPiece = d.TempPiece.value_or(0);
    b.TempExterieure = tempExterieure;
    return b;
}

namespace {

// Two heats the user reads alike: the same to the centiwatt, whatever the
// single precision of the records did to their last digits.
bool Egales(double a, double b) { return std::abs(a - b) < 0.01; }

// `valeur` was the panel's estimate `ancienne` and the estimate is now
// `nouvelle`: the value to show.
double Suivre(double valeur, double ancienne, double nouvelle) {
    return valeur != 0 && Egales(valeur, ancienne) && !Egales(ancienne, nouvelle) ? nouvelle : valeur;
}

} // namespace

Piece SuivreEstimations(const Piece& avant, const Piece& apres) {
    Piece p = apres;
    p.ApportPlafond = Suivre(apres.ApportPlafond, FluxIsolant(avant.SurfacePlafond, avant.IsoApport),
                             FluxIsolant(apres.SurfacePlafond, apres.IsoApport));
    p.EmissionsBas = Suivre(apres.EmissionsBas, FluxIsolant(SurfaceUtile(avant), avant.IsoEmissions),
                            FluxIsolant(SurfaceUtile(apres), apres.IsoEmissions));
    return p;
}

} // namespace sorvel
