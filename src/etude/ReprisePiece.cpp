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

double Apport(const Piece& p) { return FluxIsolant(p.SurfacePlafond, p.IsoApport); }
double Emissions(const Piece& p) { return FluxIsolant(SurfaceUtile(p), p.IsoEmissions); }

} // namespace

Estimations EstimationsDe(const Piece& p) {
    return {p.ApportPlafond != 0 && Egales(p.ApportPlafond, Apport(p)),
            p.EmissionsBas != 0 && Egales(p.EmissionsBas, Emissions(p))};
}

Piece AppliquerEstimations(const Piece& piece, Estimations estimees) {
    Piece p = piece;
    if (estimees.Apport)
        p.ApportPlafond = Apport(p);
    if (estimees.Emissions)
        p.EmissionsBas = Emissions(p);
    return p;
}

} // namespace sorvel
