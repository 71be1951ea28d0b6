#pragma once

// The fields of the three records by name, so that a table of cases sets
// any of them from its text.

#include "enregistrements/Enregistrements.h"

#include "TableCas.h"

#include <map>
#include <string>

namespace sorvel::test {

template <class R>
struct ChampsEnregistrement {
    std::map<std::string, std::int16_t R::*> entiers;
    std::map<std::string, double R::*> reels;
    std::map<std::string, std::string R::*> textes;

    // Sets the field named l[i] to the value l[i + 1]; false for a name the
    // record does not have.
    bool Poser(R& r, const cas::Ligne& l, std::size_t i) const {
        if (const auto e = entiers.find(l[i]); e != entiers.end())
            r.*e->second = static_cast<std::int16_t>(l.Entier(i + 1));
        else if (const auto x = reels.find(l[i]); x != reels.end())
            r.*x->second = l.Reel(i + 1);
        else if (const auto t = textes.find(l[i]); t != textes.end())
            r.*t->second = l[i + 1];
        else
            return false;
        return true;
    }
};

using G = DonneesGenerales;
inline const ChampsEnregistrement<G> ChampsGenerales{
    {{"Support", &G::Support}, {"Tube", &G::Tube}, {"EpaisChape", &G::EpaisChape}, {"Chape", &G::Chape}}, {},
    {{"TempDepart", &G::TempDepart}}};

using P = DonneesPiece;
inline const ChampsEnregistrement<P> ChampsPiece{
    {{"TypeCharge", &P::TypeCharge}, {"TempChute", &P::TempChute}},
    {{"SurfaceBordure", &P::SurfaceBordure}, {"SurfacePiece", &P::SurfacePiece}, {"SurfaceEmprises", &P::SurfaceEmprises},
     {"SurfacePlafond", &P::SurfacePlafond}, {"DeperdPiece", &P::DeperdPiece}, {"DeperdPlancher", &P::DeperdPlancher},
     {"ApportPlafond", &P::ApportPlafond}, {"EmissionsBas", &P::EmissionsBas}, {"LongDistri", &P::LongDistri},
     {"LongRaccordNormale", &P::LongRaccordNormale}, {"LongRaccordBordure", &P::LongRaccordBordure}},
    {{"PasVZBordure", &P::PasVZBordure}, {"NomPiece", &P::NomPiece}, {"TempPiece", &P::TempPiece},
     {"RthActuelle", &P::RthActuelle}, {"RthFuture", &P::RthFuture}, {"IsoApport", &P::IsoApport},
     {"IsoEmissions", &P::IsoEmissions}}};

using T = PerteCharge;
inline const ChampsEnregistrement<T> ChampsPerte{
    {}, {{"PerteNormale", &T::PerteNormale}, {"PerteBordure", &T::PerteBordure}, {"PerteMax", &T::PerteMax}}, {}};

} // namespace sorvel::test
