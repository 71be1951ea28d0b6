#include "etude/Materiel.h"

#include "commun/Nombres.h"

namespace sorvel {

const std::array<LigneMateriel, 12> LignesMateriel = {{
    {"Longueur totale de tube", "m"},
    {"Diamètre du tube", "mm"},
    {"Type de fixation", "-"},
    {"Surface de treillis en 5x5", "m²"},
    {"Surface de treillis en 10x10", "m²"},
    {"Surface de treillis en 15x15", "m²"},
    {"Nombre total de clips", "u"},
    {"Volume d'adjuvant (plastifiant)", "L"},
    {"Film polyéthylène (protection de l'isolant)", "m²"},
    {"longueur approximative de bande périphérique", "m"},
    {"Surface de plaques à plots", "m²"},
    {"Surface de plaques isolantes de sol", "m²"},
}};

namespace {

// A pitch cell read as a number of cm; nothing for an empty cell or a text
// that is no number.
std::optional<double> Pas(const Cellule& c) {
    if (const std::string* t = std::get_if<std::string>(&c))
        return LireNombre(*t);
    return NombreCellule(c);
}

double Somme(const TableEtude& table, int k) {
    double s = 0;
    for (int i = 1; i <= table.NombrePieces(); ++i)
        if (const auto x = NombreCellule(table.Cell(k, i)))
            s += *x;
    return s;
}

} // namespace

std::string TexteMateriel(const CelluleMateriel& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return *t;
    return FormatGeneral(std::get<double>(c));
}

std::array<double, 3> SurfacesTreillis(const TableEtude& table, const Installation& generales) {
    std::array<double, 3> m{0, 0, 0};
    if (generales.Support != Fixation::Treillis)
        return m; // the studs hold the pipe: no trellis
    // Mesh by pitch: 5x5 for 5 cm, 10x10 for 10 and 20 cm, 15x15 for 15 and 30 cm.
    auto maille = [](std::optional<double> pas) -> int {
        if (!pas)
            return -1;
        if (*pas == 5) return 0;
        if (*pas == 10 || *pas == 20) return 1;
        if (*pas == 15 || *pas == 30) return 2;
        return -1;
    };
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        // The normal zone has no 5-cm pitch.
        const int normale = maille(Pas(table.Cell(ColonneEtude::PasVZNormale, i)));
        if (normale > 0)
            if (const auto s = NombreCellule(table.Cell(ColonneEtude::SurfaceNormale, i)))
                m[static_cast<std::size_t>(normale)] += *s;
        const int bordure = maille(Pas(table.Cell(ColonneEtude::PasVZBordure, i)));
        if (bordure >= 0)
            if (const auto s = NombreCellule(table.Cell(ColonneEtude::SurfaceBordure, i)))
                m[static_cast<std::size_t>(bordure)] += *s;
    }
    return m;
}

std::vector<CelluleMateriel> Materiel(const TableEtude& table, const Installation& generales,
                                      const std::vector<int>& boucles) {
    std::vector<CelluleMateriel> c;
    if (table.NombrePieces() == 0)
        return c;
    const bool treillis = generales.Support == Fixation::Treillis;
    const double s = Somme(table, ColonneEtude::SurfacePiece); // floor of the rooms
    const double u = Somme(table, ColonneEtude::SurfaceUtile); // heated floor

    double tube = 0;
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        const auto n = static_cast<std::size_t>(i - 1);
        if (const auto x = NombreCellule(table.Cell(ColonneEtude::LongueurNormale, i)))
            tube += *x * (n < boucles.size() ? boucles[n] : 1);
        if (const auto x = NombreCellule(table.Cell(ColonneEtude::LongueurBordure, i)))
            tube += *x;
    }
    const double longueurTube = ArrondiSup(tube);
    const std::string tiret = "-";

    c.reserve(12);
    c.emplace_back(longueurTube);
    c.emplace_back(std::string(TexteTube(generales.Tube)));
    c.emplace_back(std::string(treillis ? "Treillis" : "Plots thermoformés"));
    for (double m : SurfacesTreillis(table, generales)) // 5 % of trellis for the overlaps
        c.emplace_back(m == 0 ? CelluleMateriel(tiret) : CelluleMateriel(ArrondiSup(m * 1.05)));
    c.emplace_back(treillis ? CelluleMateriel(ArrondiSup(longueurTube * 3.1)) : CelluleMateriel(tiret));
    // Plasticiser: 3.5 L per m³ of traditional screed.
    c.emplace_back(generales.Chape == NatureChape::Traditionnelle
                       ? CelluleMateriel(ArrondiSup(static_cast<double>(generales.EpaisChape) / 100.0 * s * 3.5))
                       : CelluleMateriel(tiret));
    c.emplace_back(treillis ? CelluleMateriel(ArrondiSup(s * 1.1)) : CelluleMateriel(tiret));
    c.emplace_back(ArrondiSup(s * 1.2));
    c.emplace_back(treillis ? CelluleMateriel(tiret) : CelluleMateriel(ArrondiSup(u * 1.1)));
    c.emplace_back(treillis ? ArrondiSup(s * 1.1) : ArrondiSup((s - u) * 1.05));
    return c;
}

} // namespace sorvel
