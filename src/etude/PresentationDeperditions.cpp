#include "etude/PresentationDeperditions.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "etude/PresentationResultats.h"

#include <string_view>

namespace sorvel {

const std::array<const char*, NombreColonnesElements> TitresColonnesElements = {
    "Désignation", "Nature", "Contact", "A", "U", "b", "θ voisine", "H", "Φ"};
const std::array<const char*, NombreColonnesElements> UnitesColonnesElements = {
    "", "", "", "m²", "W/(m².K)", "", "°C", "W/K", "W"};
const std::array<const char*, NombreColonnesBilans> TitresColonnesBilans = {
    "Pièce",       "Débit d'air (m³/h)",
    "Transmission (W)", "Ventilation (W)",
    "Relance (W)", "Total (W)",
    "Plancher (W)", "Déperditions de la pièce (W)",
    "Déperditions du plancher (W)", "Saisie manuelle"};

const char* TexteNature(NatureElement nature) {
    switch (nature) {
    case NatureElement::Mur: return "Mur";
    case NatureElement::Fenetre: return "Fenêtre";
    case NatureElement::Porte: return "Porte";
    case NatureElement::Plancher: return "Plancher";
    case NatureElement::Plafond: return "Plafond";
    }
    return "";
}

const char* TexteContact(ContactElement contact) {
    switch (contact) {
    case ContactElement::Exterieur: return "Extérieur";
    case ContactElement::NonChauffe: return "Local non chauffé";
    case ContactElement::Sol: return "Terre-plein";
    case ContactElement::Chauffe: return "Local chauffé";
    }
    return "";
}

namespace {

// U values are given to the thousandth (0.175 W/(m².K)).
std::string TexteU(double u) { return FormatGeneral(Arrondir(u, 3)); }

std::string Facultatif(const std::optional<double>& x) { return x ? TexteArrondi(*x) : std::string(); }

// Why the losses of `piece` cannot be worked out, from the step that failed.
std::string CauseEchec(const Piece& piece, const std::optional<ClimatSite>& climat, const ErreurArithmetique& e) {
    const std::string& etape = e.etape();
    if (etape == "Climat")
        return "ses déperditions demandent le climat du site";
    if (etape == "TempPiece")
        return "sa température n'est pas choisie";
    if (etape == "EcartDeperditions")
        return "sa température (" + TexteEntier(piece.TempPiece) + " °C) n'est pas au-dessus de la température "
               "extérieure (" + TexteArrondi(climat->TempExterieure) + " °C)";
    if (etape == "B")
        return "un élément sur local non chauffé n'a pas de coefficient b";
    if (etape == "TempAdjacente")
        return "un élément contre un local chauffé n'a pas la température de ce local";
    if (etape == "TempMoyenneAnnuelle")
        return "un élément sur terre-plein demande la température moyenne annuelle du site";
    return std::string("ses déperditions ne peuvent pas être calculées (") + ErreurArithmetique::libelle(e.nature())
           + ", " + etape + ")";
}

DeperditionsPieceCalculees Calculer(const Piece& p, const std::optional<ClimatSite>& climat) {
    const auto manque = [](const char* etape) {
        return ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    };
    if (!climat)
        throw manque("Climat");
    if (!p.TempPiece)
        throw manque("TempPiece");
    DeperditionsPieceCalculees r;
    r.NomPiece = p.NomPiece;
    r.TempPiece = *p.TempPiece;
    r.Ecart = r.TempPiece - climat->TempExterieure;
    r.SurfacePiece = p.SurfacePiece;
    r.Hauteur = p.Deperditions->Hauteur.value_or(climat->Hauteur);
    r.Details = *p.Deperditions;
    r.Resultat = CalculerDeperditions(r.Details, *climat, r.TempPiece, r.SurfacePiece);
    r.SaisiePiece = p.DeperdPiece;
    r.SaisiePlancher = p.DeperdPlancher;
    return r;
}

} // namespace

DeperditionsEtude CalculerDeperditionsEtude(const std::optional<ClimatSite>& climat,
                                            const std::vector<Piece>& pieces) {
    DeperditionsEtude d;
    d.Climat = climat;
    for (std::size_t n = 0; n < pieces.size(); ++n) {
        const Piece& p = pieces[n];
        d.Retenues += p.DeperdPiece;
        if (!p.Deperditions) {
            d.SansDetails.push_back(p.NomPiece);
            continue;
        }
        try {
            d.Pieces.push_back(Calculer(p, climat));
        } catch (const ErreurArithmetique& e) {
            throw ErreurCalculEtude(static_cast<int>(n) + 1, p.NomPiece, e, CauseEchec(p, climat, e));
        }
        d.Pieces.back().Piece = static_cast<int>(n) + 1;
        d.Total += d.Pieces.back().Resultat.Total;
        d.TotalPlancher += d.Pieces.back().Resultat.Plancher;
    }
    return d;
}

std::optional<std::string> RefusRapportDeperditions(const DeperditionsEtude& d) {
    if (!d.Climat)
        return "Le climat du site doit avoir été donné (menu « Etude », « Climat du site... ») pour avoir un aperçu "
               "ou une impression des déperditions !";
    if (d.Pieces.empty())
        return "Une pièce au moins doit avoir le détail de ses déperditions pour avoir un aperçu ou une impression "
               "des déperditions !";
    return std::nullopt;
}

std::vector<LigneDonneeGenerale> LignesClimat(const ClimatSite& c) {
    std::vector<LigneDonneeGenerale> lignes;
    if (!c.Departement.empty())
        lignes.push_back({"Département : ", c.Departement, ""});
    if (c.Altitude)
        lignes.push_back({"Altitude : ", TexteArrondi(*c.Altitude), " m"});
    lignes.push_back({"Température extérieure de base : ", TexteArrondi(c.TempExterieure), " °C"});
    if (c.TempMoyenneAnnuelle)
        lignes.push_back({"Température moyenne annuelle : ", TexteArrondi(*c.TempMoyenneAnnuelle), " °C"});
    lignes.push_back({"Ponts thermiques : ", TexteU(c.PontsThermiques), " W/(m².K)"});
    lignes.push_back({"Hauteur sous plafond par défaut : ", TexteArrondi(c.Hauteur), " m"});
    return lignes;
}

std::vector<LigneElement> LignesElements(const DeperditionsPieceCalculees& piece) {
    std::vector<LigneElement> lignes;
    const std::vector<ElementParoi>& elements = piece.Details.Elements;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ElementParoi& e = elements[i];
        const bool nonChauffe = e.Contact == ContactElement::NonChauffe;
        const bool chauffe = e.Contact == ContactElement::Chauffe;
        lignes.push_back({e.Designation, TexteNature(e.Nature), TexteContact(e.Contact), TexteArrondi(e.Surface),
                          TexteU(e.U), nonChauffe ? Facultatif(e.B) : "", chauffe ? Facultatif(e.TempAdjacente) : "",
                          TexteArrondi(piece.Resultat.H[i]), TexteArrondi(piece.Resultat.Flux[i])});
    }
    return lignes;
}

std::string InfoPiece(const DeperditionsPieceCalculees& p) {
    return "Température " + TexteArrondi(p.TempPiece) + " °C (écart " + TexteArrondi(p.Ecart) + " K), surface "
           + TexteArrondi(p.SurfacePiece) + " m², hauteur " + TexteArrondi(p.Hauteur) + " m";
}

std::vector<LigneDonneeGenerale> BilanPiece(const DeperditionsPieceCalculees& p) {
    const DeperditionsPiece& d = p.Details;
    const ResultatDeperditions& r = p.Resultat;
    std::vector<LigneDonneeGenerale> lignes = {
        {"Débit d'air (" + TexteArrondi(d.Renouvellement) + " vol/h, extraction " + TexteArrondi(d.DebitExtrait)
             + " m³/h) : ",
         TexteArrondi(r.DebitAir), " m³/h"},
        {"Transmission : ", TexteArrondi(r.Transmission), " W"},
        {"Ventilation : ", TexteArrondi(r.Ventilation), " W"},
        {"Relance (" + TexteArrondi(d.Relance) + " W/m²) : ", TexteArrondi(r.Relance), " W"},
        {"Total : ", TexteArrondi(r.Total), " W"},
        {"Dont plancher : ", TexteArrondi(r.Plancher), " W"},
        {"Champ « Déperditions de la pièce » : ", TexteArrondi(p.ChampPiece()), " W"},
        {"Champ « Déperditions du plancher » : ", TexteArrondi(p.ChampPlancher()), " W"},
    };
    if (p.SaisieManuelle())
        lignes.push_back({"Saisie manuelle, valeurs retenues : ",
                          TexteArrondi(p.SaisiePiece) + " W et " + TexteArrondi(p.SaisiePlancher), " W"});
    return lignes;
}

std::vector<LigneDonneeGenerale> BilanEtude(const DeperditionsEtude& d) {
    std::vector<LigneDonneeGenerale> lignes = {
        {"Total des pièces détaillées : ", TexteArrondi(d.Total), " W"},
        {"Dont plancher : ", TexteArrondi(d.TotalPlancher), " W"},
        {"Déperditions retenues pour l'étude (toutes les pièces) : ", TexteArrondi(d.Retenues), " W"},
    };
    if (!d.SansDetails.empty()) {
        std::string noms;
        for (const std::string& nom : d.SansDetails)
            noms += (noms.empty() ? "" : ", ") + nom;
        lignes.push_back({"Pièces sans détail (déperditions saisies) : ", noms, ""});
    }
    return lignes;
}

LigneBilanPiece LigneBilan(const DeperditionsPieceCalculees& p) {
    const ResultatDeperditions& r = p.Resultat;
    return {p.NomPiece,
            TexteArrondi(r.DebitAir),
            TexteArrondi(r.Transmission),
            TexteArrondi(r.Ventilation),
            TexteArrondi(r.Relance),
            TexteArrondi(r.Total),
            TexteArrondi(r.Plancher),
            TexteArrondi(p.SaisiePiece),
            TexteArrondi(p.SaisiePlancher),
            p.SaisieManuelle() ? "oui" : "non"};
}

} // namespace sorvel
