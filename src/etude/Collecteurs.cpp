#include "etude/Collecteurs.h"

#include "commun/Nombres.h"

#include <algorithm>
#include <map>

namespace sorvel {

namespace {

// A valve whose drop shows as 0 (2 decimals) stays open, as in the
// balancing of the whole study.
std::optional<double> KvReglage(double debit, double perte) {
    if (Arrondir(perte, 2) > 0.0)
        return KvVanne(debit, perte);
    return std::nullopt;
}

// Loops of every room, from the balancing's loops.
std::vector<int> BouclesParPiece(std::size_t pieces, const std::vector<ReglageBoucle>& boucles) {
    std::vector<int> nombre(pieces, 0);
    for (const ReglageBoucle& b : boucles)
        ++nombre.at(static_cast<std::size_t>(b.Piece - 1));
    return nombre;
}

void EquilibrerCollecteur(FiguresCollecteur& c) {
    c.Departs = static_cast<int>(c.Boucles.size());
    c.AlerteSorties = c.Departs > c.Definition.Sorties;
    // The largest drop starts at 0, as the study's does.
    for (const BoucleCollecteur& b : c.Boucles) {
        c.PerteMaxi = std::max(c.PerteMaxi, b.Boucle.Perte);
        c.Debit += b.Boucle.Debit;
    }
    c.HauteurNecessaire = c.PerteMaxi + c.Definition.PerteCollecteur;
    for (BoucleCollecteur& b : c.Boucles) {
        b.PerteArtificielle = c.PerteMaxi - b.Boucle.Perte;
        b.Kv = KvReglage(b.Boucle.Debit, b.PerteArtificielle);
    }
}

} // namespace

std::vector<Collecteur> CollecteursEtude(const std::vector<Collecteur>& liste) {
    return liste.empty() ? std::vector<Collecteur>{Collecteur{}} : liste;
}

std::vector<int> AffecterCollecteurs(const std::vector<Piece>& pieces, const std::vector<int>& boucles,
                                     std::vector<Collecteur>& collecteurs) {
    std::vector<int> affectation;
    if (std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.Collecteur.has_value(); })) {
        for (const Piece& p : pieces)
            affectation.push_back(p.Collecteur.value_or(1) - 1);
        return affectation;
    }
    std::size_t courant = 0;
    int libres = collecteurs.at(0).Sorties;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int n = boucles.at(i);
        if (n > libres) {
            if (++courant == collecteurs.size())
                collecteurs.push_back({"Collecteur " + std::to_string(courant + 1), 12, 0});
            libres = collecteurs[courant].Sorties;
        }
        libres -= n;
        affectation.push_back(static_cast<int>(courant));
    }
    return affectation;
}

std::vector<FiguresCollecteur> CalculerCollecteurs(const std::vector<Piece>& pieces,
                                                   const std::vector<ReglageBoucle>& boucles,
                                                   const std::vector<Collecteur>& liste) {
    std::vector<Collecteur> collecteurs = CollecteursEtude(liste);
    const std::vector<int> affectation =
        AffecterCollecteurs(pieces, BouclesParPiece(pieces.size(), boucles), collecteurs);
    std::vector<FiguresCollecteur> figures;
    for (const Collecteur& c : collecteurs)
        figures.push_back({.Definition = c});
    for (const ReglageBoucle& b : boucles) {
        FiguresCollecteur& c = figures.at(static_cast<std::size_t>(affectation.at(static_cast<std::size_t>(b.Piece - 1))));
        const double debitLmin = b.Debit / 60.0;
        c.Boucles.push_back({.Sortie = static_cast<int>(c.Boucles.size()) + 1, .Boucle = b, .DebitLmin = debitLmin,
                             .AlerteDebitmetre = debitLmin < DebitmetreMinimum || debitLmin > DebitmetreMaximum});
    }
    double hauteurMaxi = 0;
    for (FiguresCollecteur& c : figures) {
        EquilibrerCollecteur(c);
        hauteurMaxi = std::max(hauteurMaxi, c.HauteurNecessaire);
    }
    // Every manifold is throttled up to the one that needs the most head.
    for (FiguresCollecteur& c : figures)
        c.KvCollecteur = KvReglage(c.Debit, hauteurMaxi - c.HauteurNecessaire);
    return figures;
}

std::vector<LigneMaterielCollecteur> MaterielCollecteurs(const std::vector<FiguresCollecteur>& figures) {
    std::map<int, int> parTaille;
    for (const FiguresCollecteur& c : figures)
        if (c.Departs > 0)
            ++parTaille[c.Definition.Sorties];
    std::vector<LigneMaterielCollecteur> lignes;
    for (const auto& [sorties, nombre] : parTaille)
        lignes.push_back({"Collecteur " + std::to_string(sorties) + " départs", nombre});
    return lignes;
}

} // namespace sorvel
