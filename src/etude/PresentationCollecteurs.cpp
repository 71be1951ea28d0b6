#include "etude/PresentationCollecteurs.h"

#include "commun/Nombres.h"

namespace sorvel {

const std::array<ColonnePresentee, NombreColonnesCollecteurs> ColonnesCollecteurs = {{
    {"Collecteur", "Collecteur", ""},
    {"Sorties", "Sorties", ""},
    {"Départs", "Départs", ""},
    {"Débit", "Débit total", "l/h"},
    {"Perte maxi", "Perte de charge maximale des boucles", "mmCE"},
    {"Perte propre", "Perte de charge propre du collecteur", "mmCE"},
    {"Hauteur", "Hauteur nécessaire", "mmCE"},
    {"Kv", "Kv de la vanne du collecteur", "m³/h"},
    {"Alertes", "Alertes", ""},
}};

const std::array<ColonnePresentee, NombreColonnesSorties> ColonnesSorties = {{
    {"Sortie", "Sortie", ""},
    {"Pièce", "Pièce", ""},
    {"Boucle", "Boucle", ""},
    {"Longueur", "Longueur", "m"},
    {"Débit", "Débit", "l/h"},
    {"Débitmètre", "Débit au débitmètre", "l/min"},
    {"Perte", "Perte de charge", "mmCE"},
    {"Perte art.", "Perte de charge artificielle", "mmCE"},
    {"Kv", "Kv de la vanne", "m³/h"},
    {"Alertes", "Alertes", ""},
}};

namespace {

constexpr FormatValeur Normal{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};
constexpr FormatValeur Alerte{true, CouleurValeur::Orange};

CelluleEquilibrage Kv(const std::optional<double>& kv, const char* ouverte) {
    return kv ? CelluleEquilibrage{TexteArrondi(*kv), Gras, {}} : CelluleEquilibrage{TexteVanneOuverte, Gras, ouverte};
}

} // namespace

std::string LibelleAvecUnite(const ColonnePresentee& colonne) {
    const std::string unite = colonne.Unite;
    return colonne.Libelle + (unite.empty() ? std::string() : " (" + unite + ")");
}

LigneCollecteur PresenterCollecteur(const FiguresCollecteur& c) {
    LigneCollecteur l;
    auto cellule = [&l](int k) -> CelluleEquilibrage& { return l[static_cast<std::size_t>(k)]; };
    cellule(ColonneCollecteur::Nom) = {c.Definition.Nom, Gras, {}};
    cellule(ColonneCollecteur::Sorties) = {std::to_string(c.Definition.Sorties), Normal, {}};
    cellule(ColonneCollecteur::Departs) = {std::to_string(c.Departs), c.AlerteSorties ? Alerte : Normal, {}};
    cellule(ColonneCollecteur::Debit) = {TexteArrondi(c.Debit), Normal, {}};
    cellule(ColonneCollecteur::PerteMaxi) = {TexteArrondi(c.PerteMaxi), Normal, {}};
    cellule(ColonneCollecteur::PerteCollecteur) = {TexteArrondi(c.Definition.PerteCollecteur), Normal, {}};
    cellule(ColonneCollecteur::HauteurNecessaire) = {TexteArrondi(c.HauteurNecessaire), Normal, {}};
    cellule(ColonneCollecteur::Kv) =
        Kv(c.KvCollecteur, "Ce collecteur demande la plus grande hauteur : la vanne de son départ reste grande ouverte.");
    if (c.AlerteSorties) {
        const std::string boucles = std::to_string(c.Departs), sorties = std::to_string(c.Definition.Sorties);
        cellule(ColonneCollecteur::Alertes) = {
            "trop de boucles : " + boucles + " pour " + sorties + " sorties", Alerte,
            boucles + " boucles arrivent sur ce collecteur de " + sorties +
                " sorties : prendre un collecteur plus grand ou passer des pièces sur un autre collecteur."};
    }
    return l;
}

std::vector<LigneSortie> PresenterSorties(const FiguresCollecteur& c) {
    std::vector<LigneSortie> lignes;
    lignes.reserve(c.Boucles.size());
    for (const BoucleCollecteur& b : c.Boucles) {
        LigneSortie l;
        auto cellule = [&l](int k) -> CelluleEquilibrage& { return l[static_cast<std::size_t>(k)]; };
        const FormatValeur debitmetre = b.AlerteDebitmetre ? Alerte : Normal;
        cellule(ColonneSortie::Sortie) = {std::to_string(b.Sortie), Gras, {}};
        cellule(ColonneSortie::Piece) = {b.Boucle.NomPiece, Gras, {}};
        cellule(ColonneSortie::Boucle) = {TexteBoucle(b.Boucle.Boucle), Normal, {}};
        cellule(ColonneSortie::Longueur) = {TexteArrondi(b.Boucle.Longueur), Normal, {}};
        cellule(ColonneSortie::Debit) = {TexteArrondi(b.Boucle.Debit), Normal, {}};
        cellule(ColonneSortie::DebitLmin) = {TexteArrondi(b.DebitLmin), debitmetre, {}};
        cellule(ColonneSortie::Perte) = {TexteArrondi(b.Boucle.Perte), Normal, {}};
        cellule(ColonneSortie::PerteArtificielle) = {TexteArrondi(b.PerteArtificielle),
                                                      FormatSiPositif(b.PerteArtificielle), {}};
        cellule(ColonneSortie::Kv) =
            Kv(b.Kv, "La boucle la plus résistante du collecteur : sa vanne reste grande ouverte.");
        if (b.AlerteDebitmetre)
            cellule(ColonneSortie::Alertes) = {
                "hors débitmètre", Alerte,
                "Le débit de la boucle (" + TexteArrondi(b.DebitLmin) +
                    " l/min) sort de l'échelle d'un débitmètre ordinaire (" + FormatGeneral(DebitmetreMinimum) +
                    " à " + FormatGeneral(DebitmetreMaximum) + " l/min) : il ne pourra pas y être lu."};
        lignes.push_back(std::move(l));
    }
    return lignes;
}

} // namespace sorvel
