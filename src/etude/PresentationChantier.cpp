#include "etude/PresentationChantier.h"

#include "commun/Nombres.h"
#include "etude/PresentationRecapitulatif.h"
#include "etude/PresentationResultats.h"

namespace sorvel {

const std::array<const char*, NombreColonnesChantier> TitresColonnesChantier = {
    "Pièces", "VZ normale", "VZ bordure", "Lg normale", "Lg bordure"};
const std::array<const char*, NombreColonnesChantier> UnitesColonnesChantier = {"", "cm", "cm", "m", "m"};

double ContenanceTubes(double longueur, DiametreTube tube) {
    constexpr double Pi = 3.14159265358979;
    const double diametre = DiametreInterieur(tube); // mm
    return Pi * (diametre / 2) * (diametre / 2) * longueur / 1000.0;
}

std::vector<LigneChantier> LignesPiecesChantier(const ResultatEtude& resultat) {
    const TableEtude& table = resultat.Table;
    std::vector<LigneChantier> lignes;
    lignes.reserve(static_cast<std::size_t>(table.NombrePieces()));
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        const Cellule& normale = table.Cell(ColonneEtude::LongueurNormale, i);
        const std::optional<double> longueur = NombreCellule(normale);
        lignes.push_back({TexteCellule(table.Cell(ColonneEtude::Designation, i)),
                          TexteCellule(table.Cell(ColonneEtude::PasVZNormale, i)),
                          TexteCellule(table.Cell(ColonneEtude::PasVZBordure, i)),
                          longueur ? TexteBouclesNormales(BouclesPiece(resultat, i), *longueur) : TexteCellule(normale),
                          TexteCellule(table.Cell(ColonneEtude::LongueurBordure, i))});
    }
    return lignes;
}

namespace {

// Cells of the material list, by their place in it.
enum CaseMateriel : std::size_t {
    MatLongueurTube,
    MatDiametre,
    MatFixation,
    MatTreillis5,
    MatTreillis10,
    MatTreillis15,
    MatClips,
    MatAdjuvant,
    MatFilm,
    MatBande,
    MatPlaquesPlots,
    MatPlaquesIsolantes,
};

std::string Texte(const std::vector<CelluleMateriel>& materiel, std::size_t n) {
    return n < materiel.size() ? TexteMateriel(materiel[n]) : "-";
}

} // namespace

std::vector<LigneDonneeGenerale> DonneesGeneralesChantier(const ResultatEtude& r, const Installation& g,
                                                          const std::vector<CelluleMateriel>& materiel) {
    double longueurTube = 0;
    if (MatLongueurTube < materiel.size())
        if (const double* l = std::get_if<double>(&materiel[MatLongueurTube]))
            longueurTube = *l;
    const auto m = [&materiel](std::size_t n) { return Texte(materiel, n); };
    return {
        {"Débit total du plancher chauffant : ", FormatGeneral(ArrondiSup(r.DebitTotal)), " l/h"},
        {"Perte de charge maximale pour l'étude : ", TexteArrondi(r.PerteMaxi), " mmCE"},
        {"Température de départ du fluide : ", std::to_string(g.TempDepart), " °C"},
        {"Longueur totale de tube du plancher chauffant : ", m(MatLongueurTube), " m"},
        {"Diamètre du tube : ", TexteTube(g.Tube), " mm"},
        {"Contenance totale des tubes : ", TexteArrondi(ContenanceTubes(longueurTube, g.Tube)), " litres"},
        {"Type de support du tube : ", g.Support == Fixation::Treillis ? "Treillis" : "Plots thermoformés", ""},
        {"Surface de plaques à plots : ", m(MatPlaquesPlots), " m²"},
        {"Surface de plaques isolantes de sol : ", m(MatPlaquesIsolantes), " m²"},
        {"Surface de treillis en 5x5 : ", m(MatTreillis5), " m²"},
        {"Surface de treillis en 10x10 : ", m(MatTreillis10), " m²"},
        {"Surface de treillis en 15x15 : ", m(MatTreillis15), " m²"},
        {"Nombre total de clips : ", m(MatClips), " u"},
        {"Volume d'adjuvant (plastifiant) : ", m(MatAdjuvant), " litres"},
        {"Surface de film polyéthylène (protection de l'isolant) : ", m(MatFilm), " m²"},
        {"longueur approximative de bande périphérique : ", m(MatBande), " m"},
    };
}

} // namespace sorvel
