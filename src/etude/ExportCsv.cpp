#include "etude/ExportCsv.h"

#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "etude/PresentationEquilibrage.h"

namespace sorvel {

std::string ChampCsv(std::string_view brut) {
    const std::string texte = TexteAffichable(brut);
    if (texte.find_first_of(";\"") == std::string::npos)
        return texte;
    std::string r = "\"";
    for (char c : texte) {
        if (c == '"')
            r += '"';
        r += c;
    }
    return r + "\"";
}

namespace {

std::string TexteCsv(const Cellule& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return ChampCsv(*t);
    if (const auto* x = std::get_if<double>(&c))
        return FormatGeneral(Arrondir(*x, 2));
    if (const auto* n = std::get_if<std::int32_t>(&c))
        return std::to_string(*n);
    return "";
}

} // namespace

std::string CsvEquilibrage(const EquilibrageEtude& equilibrage) {
    std::string s = "Équilibrage\n";
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        if (c)
            s += ';';
        s += ChampCsv(LibelleAvecUnite(c));
    }
    s += '\n';
    for (const LigneEquilibrage& ligne : PresenterEquilibrage(equilibrage.Boucles, equilibrage.Tube)) {
        for (std::size_t c = 0; c < ligne.size(); ++c) {
            if (c)
                s += ';';
            s += ChampCsv(ligne[c].Texte);
        }
        s += '\n';
    }
    s += '\n';
    s += ChampCsv(LibelleTempDepartMinimale);
    s += ';';
    if (equilibrage.TempDepartMinimale)
        s += std::to_string(*equilibrage.TempDepartMinimale) + ";°C";
    else
        s += ChampCsv(ValeurTempDepartMinimale(std::nullopt)) + ";";
    s += '\n';
    return s;
}

std::string CsvEtude(const ResultatEtude& r, const std::vector<CelluleMateriel>& materiel,
                     const EquilibrageEtude& equilibrage) {
    std::string s;
    for (int k = 0; k < NombreColonnesEtude; ++k) {
        if (k)
            s += ';';
        s += ChampCsv(TitresColonnesEtude[static_cast<std::size_t>(k)]);
    }
    s += '\n';
    for (const LigneEtude& ligne : r.Table.Pieces) {
        for (std::size_t k = 0; k < ligne.size(); ++k) {
            if (k)
                s += ';';
            s += TexteCsv(ligne[k]);
        }
        s += '\n';
    }
    if (!materiel.empty()) {
        s += '\n';
        for (std::size_t n = 0; n < materiel.size() && n < LignesMateriel.size(); ++n) {
            s += ChampCsv(LignesMateriel[n].Designation);
            s += ';';
            s += ChampCsv(TexteMateriel(materiel[n]));
            s += ';';
            s += ChampCsv(LignesMateriel[n].Unite);
            s += '\n';
        }
        s += '\n';
        s += CsvEquilibrage(equilibrage);
    }
    return s;
}

} // namespace sorvel
