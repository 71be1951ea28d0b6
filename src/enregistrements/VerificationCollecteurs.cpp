#include "enregistrements/VerificationCollecteurs.h"

#include "commun/Nombres.h"
#include "etude/Collecteurs.h"

#include <cmath>

namespace sorvel {

namespace {

bool Entier(double x) { return std::isfinite(x) && x == std::floor(x); }

std::optional<std::string> RefusPerte(double perte) {
    if (!std::isfinite(perte))
        return "la valeur n'est pas un nombre fini";
    if (perte < 0)
        return "la valeur " + FormatGeneral(perte) + " est négative";
    return std::nullopt;
}

} // namespace

std::optional<std::string> RefusSorties(double sorties) {
    if (Entier(sorties) && sorties >= 1 && sorties <= SortiesCollecteurMaximum)
        return std::nullopt;
    return "le nombre de sorties " + FormatGeneral(sorties) + " n'est pas un nombre entier de 1 à " +
           std::to_string(SortiesCollecteurMaximum);
}

std::optional<std::string> RefusNumeroCollecteur(double numero, std::size_t nombre) {
    if (!Entier(numero) || numero < 1)
        return FormatGeneral(numero) + " n'est pas un numéro de collecteur, ils sont numérotés à partir de 1";
    if (numero > static_cast<double>(nombre))
        return "le collecteur " + FormatGeneral(numero) + " n'existe pas, l'étude en compte " +
               std::to_string(nombre);
    return std::nullopt;
}

std::optional<DefautEtude> VerifierCollecteurs(const std::vector<Collecteur>& collecteurs,
                                               const std::vector<Piece>& pieces) {
    for (std::size_t k = 0; k < collecteurs.size(); ++k) {
        const Collecteur& c = collecteurs[k];
        const char* champ = "nom";
        std::optional<std::string> raison;
        if (Nettoyer(c.Nom).empty())
            raison = "le nom du collecteur est vide";
        else if ((raison = RefusSorties(c.Sorties)))
            champ = "sorties";
        else if ((raison = RefusPerte(c.PerteCollecteur)))
            champ = "perteCollecteur";
        if (raison)
            return DefautEtude{.Fichier = FichierStocke::Extension, .Champ = champ, .Raison = *raison,
                               .Collecteur = static_cast<int>(k) + 1, .NomCollecteur = c.Nom};
    }
    const std::size_t nombre = CollecteursEtude(collecteurs).size();
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].Collecteur)
            if (auto raison = RefusNumeroCollecteur(*pieces[i].Collecteur, nombre))
                return DefautEtude{FichierStocke::Extension, static_cast<int>(i) + 1, pieces[i].NomPiece,
                                   "collecteur", *raison};
    return std::nullopt;
}

} // namespace sorvel
