#include "etude/Deperditions.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <algorithm>

namespace sorvel {

namespace {

// Heat carried by the air, W per m³/h and per kelvin.
constexpr double ChaleurAir = 0.34;
// A floor on the ground loses by the difference to the annual mean
// temperature, raised by this factor for its yearly swing.
constexpr double FacteurSol = 1.45;

template <class T>
T Requis(const std::optional<T>& valeur, const char* etape) {
    if (!valeur)
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return *valeur;
}

// H of one element, W/K.
double CoefficientH(const ElementParoi& e, const ClimatSite& c, double tempPiece, double ecart) {
    const double ponts = e.U + c.PontsThermiques;
    switch (e.Contact) {
    case ContactElement::Exterieur:
        return e.Surface * ponts;
    case ContactElement::NonChauffe:
        return e.Surface * ponts * Requis(e.B, "B");
    case ContactElement::Sol:
        return Diviser(e.Surface * e.U * FacteurSol * (tempPiece - Requis(c.TempMoyenneAnnuelle, "TempMoyenneAnnuelle")),
                       ecart, "EcartDeperditions");
    case ContactElement::Chauffe:
        return Diviser(e.Surface * e.U * (tempPiece - Requis(e.TempAdjacente, "TempAdjacente")), ecart,
                       "EcartDeperditions");
    }
    return 0;
}

} // namespace

ResultatDeperditions CalculerDeperditions(const DeperditionsPiece& d, const ClimatSite& c, double tempPiece,
                                          double surfacePiece) {
    const double ecart = tempPiece - c.TempExterieure;
    if (!(ecart > 0))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, "EcartDeperditions");
    ResultatDeperditions r;
    for (const ElementParoi& e : d.Elements) {
        const double h = Verifier(CoefficientH(e, c, tempPiece, ecart), "Transmission");
        const double flux = h * ecart;
        r.H.push_back(h);
        r.Flux.push_back(flux);
        r.Transmission += flux;
        if (e.Nature == NatureElement::Plancher)
            r.Plancher += flux;
    }
    const double hauteur = d.Hauteur.value_or(c.Hauteur);
    r.DebitAir = std::max(d.Renouvellement * surfacePiece * hauteur, d.DebitExtrait);
    r.Ventilation = ChaleurAir * r.DebitAir * ecart;
    r.Relance = d.Relance * surfacePiece;
    r.Total = Verifier(r.Transmission + r.Ventilation + r.Relance, "Deperditions");
    return r;
}

double ValeurChampDeperditions(double flux) {
    const double watts = ArrondiPair(flux);
    return watts > 0 ? watts : 0.0;
}

} // namespace sorvel
