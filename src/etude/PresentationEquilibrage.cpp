#include "etude/PresentationEquilibrage.h"

#include "calcul/ModCalcul.h"
#include "commun/Nombres.h"

namespace sorvel {

const std::array<const char*, NombreColonnesEquilibrage> TitresColonnesEquilibrage = {
    "Pièce", "Boucle", "Débit", "Perte", "Perte art.", "Vitesse", "Kv", "Alertes"};
const std::array<const char*, NombreColonnesEquilibrage> LibellesColonnesEquilibrage = {
    "Pièce", "Boucle", "Débit", "Perte de charge", "Perte de charge artificielle", "Vitesse de l'eau",
    "Kv de la vanne", "Alertes"};
const std::array<const char*, NombreColonnesEquilibrage> UnitesColonnesEquilibrage = {
    "", "", "l/h", "mmCE", "mmCE", "m/s", "m³/h", ""};

namespace {

constexpr FormatValeur Normal{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};
constexpr FormatValeur Alerte{true, CouleurValeur::Orange};

std::string Entier(double x) { return FormatGeneral(Arrondir(x, 0)); }

std::string PhraseVitesse(const ReglageBoucle& b) {
    return "La vitesse de l'eau (" + TexteArrondi(b.Vitesse) + " m/s) est inférieure à "
           + FormatGeneral(VitesseMinimaleEau)
           + " m/s : elle n'entraîne plus les bulles d'air vers les purgeurs du collecteur.";
}

std::string PhraseLaminaire(const ReglageBoucle& b) {
    return "L'écoulement est laminaire (nombre de Reynolds " + Entier(b.Reynolds) + ", "
           + Entier(ReynoldsLaminaire)
           + " au plus) : l'eau glisse en couches sans se mélanger et cède moins bien sa chaleur au tube.";
}

std::string PhraseLongueur(const ReglageBoucle& b, DiametreTube tube) {
    return "La boucle mesure " + TexteArrondi(b.Longueur) + " m, plus que la limite de "
           + FormatGeneral(LongueurBoucleRouge(tube)) + " m du tube " + TexteTube(tube)
           + " : la partager en " + std::to_string(b.BouclesConseillees) + " boucles égales de "
           + TexteArrondi(b.Longueur * b.Rangs / b.BouclesConseillees) + " m.";
}

void Ajouter(std::string& texte, const std::string& ajout, const char* separateur) {
    if (!texte.empty())
        texte += separateur;
    texte += ajout;
}

} // namespace

std::vector<LigneEquilibrage> PresenterEquilibrage(const std::vector<ReglageBoucle>& boucles, DiametreTube tube) {
    std::vector<LigneEquilibrage> lignes;
    lignes.reserve(boucles.size());
    for (const ReglageBoucle& b : boucles) {
        LigneEquilibrage l;
        auto cellule = [&l](int c) -> CelluleEquilibrage& { return l[static_cast<std::size_t>(c)]; };
        cellule(ColonneEquilibrage::Piece) = {b.NomPiece, Gras, {}};
        cellule(ColonneEquilibrage::Boucle) = {TexteBoucle(b.Boucle), Normal, {}};
        cellule(ColonneEquilibrage::Debit) = {TexteArrondi(b.Debit), Normal, {}};
        cellule(ColonneEquilibrage::Perte) = {TexteArrondi(b.Perte), Normal, {}};
        cellule(ColonneEquilibrage::PerteArtificielle) = {
            TexteArrondi(b.PerteArtificielle), FormatSiPositif(b.PerteArtificielle),
            InfoBulleSiPositif(ValeurARegler::PerteArtificielle, b.PerteArtificielle)};
        cellule(ColonneEquilibrage::Vitesse) = {TexteArrondi(b.Vitesse), b.AlerteVitesse ? Alerte : Normal,
                                                b.AlerteVitesse ? PhraseVitesse(b) : std::string()};
        cellule(ColonneEquilibrage::Kv) =
            b.Kv ? CelluleEquilibrage{TexteArrondi(*b.Kv), Gras, {}}
                 : CelluleEquilibrage{TexteVanneOuverte, Gras,
                                      "Aucune perte de charge à ajouter : la vanne de cette boucle reste grande "
                                      "ouverte."};
        CelluleEquilibrage& alertes = cellule(ColonneEquilibrage::Alertes);
        if (b.AlerteVitesse) {
            Ajouter(alertes.Texte, "vitesse faible", ", ");
            Ajouter(alertes.InfoBulle, PhraseVitesse(b), "\n");
        }
        if (b.AlerteLaminaire) {
            Ajouter(alertes.Texte, "laminaire", ", ");
            Ajouter(alertes.InfoBulle, PhraseLaminaire(b), "\n");
        }
        if (b.AlerteLongueur) {
            Ajouter(alertes.Texte, "trop longue : " + std::to_string(b.BouclesConseillees) + " boucles", ", ");
            Ajouter(alertes.InfoBulle, PhraseLongueur(b, tube), "\n");
        }
        alertes.Format = alertes.Texte.empty() ? Normal : Alerte;
        lignes.push_back(std::move(l));
    }
    return lignes;
}

std::string LibelleAvecUnite(int colonne) {
    const auto c = static_cast<std::size_t>(colonne);
    std::string libelle = LibellesColonnesEquilibrage.at(c);
    if (const std::string unite = UnitesColonnesEquilibrage.at(c); !unite.empty())
        libelle += " (" + unite + ")";
    return libelle;
}

std::string ValeurTempDepartMinimale(std::optional<int> temperature) {
    if (temperature)
        return std::to_string(*temperature) + " °C";
    return "aucune (appoint nécessaire même à " + std::to_string(TempDepartHaute) + " °C)";
}

std::string TexteTempDepartMinimale(std::optional<int> temperature) {
    return std::string(LibelleTempDepartMinimale) + " : " + ValeurTempDepartMinimale(temperature);
}

} // namespace sorvel
