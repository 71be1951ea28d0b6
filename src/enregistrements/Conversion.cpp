#include "enregistrements/Conversion.h"

#include "commun/Nombres.h"

#include <stdexcept>
#include <utility>

namespace sorvel {

namespace {

// A whole number written in a list text ("20", "4"), nothing otherwise.
std::optional<int> Entier(const std::string& texte) {
    const std::optional<double> x = LireNombre(texte);
    if (!x || *x != static_cast<double>(static_cast<int>(*x)))
        return std::nullopt;
    return static_cast<int>(*x);
}

// An edge-zone pitch: 5, 10 or 15 cm.
std::optional<PasVZ> PasDeBordure(const std::string& texte) {
    const std::optional<int> cm = Entier(texte);
    for (PasVZ pas : sorvel::PasBordure)
        if (cm == Centimetres(pas))
            return pas;
    return std::nullopt;
}

// The numbers a room holds as they are, on both sides.
constexpr std::pair<double DonneesPiece::*, double Piece::*> Reels[] = {
    {&DonneesPiece::SurfaceBordure, &Piece::SurfaceBordure},
    {&DonneesPiece::SurfacePiece, &Piece::SurfacePiece},
    {&DonneesPiece::SurfaceEmprises, &Piece::SurfaceEmprises},
    {&DonneesPiece::SurfacePlafond, &Piece::SurfacePlafond},
    {&DonneesPiece::DeperdPiece, &Piece::DeperdPiece},
    {&DonneesPiece::DeperdPlancher, &Piece::DeperdPlancher},
    {&DonneesPiece::ApportPlafond, &Piece::ApportPlafond},
    {&DonneesPiece::EmissionsBas, &Piece::EmissionsBas},
    {&DonneesPiece::LongRaccordNormale, &Piece::LongRaccordNormale},
    {&DonneesPiece::LongDistri, &Piece::LongDistri},
    {&DonneesPiece::LongRaccordBordure, &Piece::LongRaccordBordure},
};

template <class E>
E Option(std::int16_t index, int nombre, const char* champ) {
    if (index < 0 || index >= nombre)
        throw std::invalid_argument(std::string("option hors de la liste : ") + champ);
    return static_cast<E>(index);
}

} // namespace

DonneesGenerales VersEnregistrement(const Installation& g) {
    return {.Support = static_cast<std::int16_t>(g.Support),
            .Tube = static_cast<std::int16_t>(g.Tube),
            .TempDepart = std::to_string(g.TempDepart),
            .EpaisChape = static_cast<std::int16_t>(g.EpaisChape),
            .Chape = static_cast<std::int16_t>(g.Chape)};
}

DonneesPiece VersEnregistrement(const Piece& p) {
    DonneesPiece d;
    for (const auto& [enregistrement, piece] : Reels)
        d.*enregistrement = p.*piece;
    d.TypeCharge = static_cast<std::int16_t>(p.TypeCharge);
    d.PasVZBordure = TextePas(p.PasVZBordure);
    d.NomPiece = p.NomPiece;
    d.TempPiece = TexteEntier(p.TempPiece);
    d.RthActuelle = TexteResistance(p.RthActuelle);
    d.RthFuture = TexteResistance(p.RthFuture);
    d.IsoApport = TexteEntier(p.IsoApport);
    d.IsoEmissions = TexteEntier(p.IsoEmissions);
    d.TempChute = static_cast<std::int16_t>(p.TempChute);
    return d;
}

Installation VersInstallation(const DonneesGenerales& d) {
    const std::optional<int> depart = Entier(d.TempDepart);
    if (!depart)
        throw std::invalid_argument("température de départ hors de la liste");
    return {.Support = Option<Fixation>(d.Support, 2, "Support"),
            .Tube = Option<DiametreTube>(d.Tube, 2, "Tube"),
            .TempDepart = *depart,
            .EpaisChape = d.EpaisChape,
            .Chape = Option<NatureChape>(d.Chape, 2, "Chape")};
}

Piece VersPiece(const DonneesPiece& d) {
    Piece p;
    for (const auto& [enregistrement, piece] : Reels)
        p.*piece = d.*enregistrement;
    p.TypeCharge = Option<Charge>(d.TypeCharge, NombreTypesCharge, "TypeCharge");
    p.PasVZBordure = PasDeBordure(d.PasVZBordure);
    p.NomPiece = d.NomPiece;
    p.TempPiece = Entier(d.TempPiece);
    p.RthActuelle = ResistanceDepuisTexte(d.RthActuelle);
    p.RthFuture = ResistanceDepuisTexte(d.RthFuture);
    p.IsoApport = Entier(d.IsoApport);
    p.IsoEmissions = Entier(d.IsoEmissions);
    p.TempChute = d.TempChute;
    return p;
}

} // namespace sorvel
