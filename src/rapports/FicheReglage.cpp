#include "rapports/FicheReglage.h"

#include "commun/Nombres.h"
#include "etude/PresentationEquilibrage.h"
#include "etude/PresentationResultats.h"

namespace sorvel {

const std::array<const char*, NombreColonnesReglage> TitresColonnesReglage = {
    "Sortie", "Pièce", "Boucle", "Longueur", "Débit", "Débit", "Kv", "Remarque"};
const std::array<const char*, NombreColonnesReglage> UnitesColonnesReglage = {
    "", "", "", "m", "l/h", "l/min", "m³/h", ""};

namespace {

std::string TexteKv(const std::optional<double>& kv) { return kv ? TexteArrondi(*kv) : TexteVanneOuverte; }

// " l/min" limits of the flow meter's scale: "0,5", "5".
std::string Limite(double debit) { return FormatGeneral(debit); }

std::string Remarque(const BoucleCollecteur& b, int sorties) {
    std::string texte;
    const auto ajouter = [&texte](const std::string& t) { texte += (texte.empty() ? "" : ", ") + t; };
    if (b.Sortie > sorties)
        ajouter("sans sortie");
    if (b.AlerteDebitmetre)
        ajouter(b.DebitLmin < DebitmetreMinimum ? "débit < " + Limite(DebitmetreMinimum) + " l/min"
                                                : "débit > " + Limite(DebitmetreMaximum) + " l/min");
    return texte;
}

// "3", "3 et 7", "3, 7 et 9".
std::string Enumeration(const std::vector<int>& nombres) {
    std::string texte;
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        if (i > 0)
            texte += i + 1 == nombres.size() ? " et " : ", ";
        texte += std::to_string(nombres[i]);
    }
    return texte;
}

} // namespace

std::vector<LigneReglage> LignesReglage(const FiguresCollecteur& c) {
    std::vector<LigneReglage> lignes;
    lignes.reserve(c.Boucles.size());
    for (const BoucleCollecteur& b : c.Boucles)
        lignes.push_back({std::to_string(b.Sortie), b.Boucle.NomPiece, TexteBoucleRang(b.Boucle),
                          TexteArrondi(b.Boucle.Longueur), TexteArrondi(b.Boucle.Debit), TexteArrondi(b.DebitLmin),
                          TexteKv(b.Kv), Remarque(b, c.Definition.Sorties)});
    return lignes;
}

std::string InfoCollecteur(const FiguresCollecteur& c) {
    return std::to_string(c.Departs) + (c.Departs > 1 ? " départs sur " : " départ sur ")
           + std::to_string(c.Definition.Sorties) + (c.Definition.Sorties > 1 ? " sorties" : " sortie");
}

std::vector<LigneDonneeGenerale> FiguresReglage(const FiguresCollecteur& c) {
    if (c.Boucles.empty())
        return {};
    const std::string mmCE = " mmCE";
    return {{"Débit total : ", TexteArrondi(c.Debit), " l/h"},
            {"Hauteur nécessaire : ", TexteArrondi(c.HauteurNecessaire), mmCE},
            {"Kv de la vanne du collecteur : ", TexteKv(c.KvCollecteur), c.KvCollecteur ? " m³/h" : ""},
            {"Perte de charge maximale des boucles : ", TexteArrondi(c.PerteMaxi), mmCE},
            {"Perte de charge du collecteur : ", TexteArrondi(c.Definition.PerteCollecteur), mmCE}};
}

std::vector<std::string> AlertesReglage(const FiguresCollecteur& c) {
    if (c.Boucles.empty())
        return {"Collecteur vide : aucune boucle n'y est raccordée."};
    std::vector<std::string> alertes;
    if (c.AlerteSorties) {
        const int sans = c.Departs - c.Definition.Sorties;
        alertes.push_back("Plus de boucles que de sorties : " + std::to_string(c.Departs) + " boucles pour "
                          + std::to_string(c.Definition.Sorties) + " sorties, " + std::to_string(sans)
                          + (sans > 1 ? " boucles sans sortie." : " boucle sans sortie."));
    }
    std::vector<int> horsEchelle;
    for (const BoucleCollecteur& b : c.Boucles)
        if (b.AlerteDebitmetre)
            horsEchelle.push_back(b.Sortie);
    if (!horsEchelle.empty())
        alertes.push_back("Débit hors de l'échelle d'un débitmètre ordinaire (" + Limite(DebitmetreMinimum) + " à "
                          + Limite(DebitmetreMaximum) + " l/min) : sortie" + (horsEchelle.size() > 1 ? "s " : " ")
                          + Enumeration(horsEchelle) + ".");
    return alertes;
}

} // namespace sorvel
