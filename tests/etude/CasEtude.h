#pragma once

// What the tables of cases of the study tests name: pipes, formats of a
// shown value, cells of the study table and its columns by heading.

#include "etude/CalculEtude.h"
#include "etude/PresentationResultats.h"

#include "TableCas.h"

#include <algorithm>
#include <map>
#include <string>

namespace sorvel::test {

inline DiametreTube Tube(const std::string& texte) {
    return texte == "13x16" ? DiametreTube::D13x16 : DiametreTube::D16x20;
}

// "normal", "gras", or the colour of a bold value.
inline FormatValeur Format(const std::string& nom) {
    static const std::map<std::string, FormatValeur> formats = {
        {"normal", {}}, {"gras", {true, CouleurValeur::TexteFenetre}}, {"bleu", {true, CouleurValeur::Bleu}},
        {"orange", {true, CouleurValeur::Orange}}, {"rouge", {true, CouleurValeur::Rouge}},
        {"vert", {true, CouleurValeur::Vert}}};
    return formats.at(nom);
}

// "vide", "texte:...", "entier:..." or a real.
inline Cellule CelluleCas(const cas::Ligne& l, std::size_t i) {
    const std::string& t = l[i];
    if (t == "vide")
        return {};
    if (t.starts_with("texte:"))
        return t.substr(6);
    if (t.starts_with("entier:"))
        return std::int32_t{std::stoi(t.substr(7))};
    return l.Reel(i);
}

// The column (from 1) of the study table with this heading.
inline int Colonne(const std::string& titre) {
    const auto k = std::find(TitresColonnesEtude.begin(), TitresColonnesEtude.end(), titre);
    if (k == TitresColonnesEtude.end())
        throw std::invalid_argument("colonne inconnue : " + titre);
    return static_cast<int>(k - TitresColonnesEtude.begin()) + 1;
}

} // namespace sorvel::test
