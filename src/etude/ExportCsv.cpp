#include "etude/ExportCsv.h"

#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "etude/PresentationCollecteurs.h"
#include "etude/PresentationEquilibrage.h"
#include "etude/PresentationRecapitulatif.h"

#include <algorithm>
#include <array>

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

// Cell `c` of column `k` (from 1) of the study table.
std::string TexteCsv(const Cellule& c, int k) {
    if (const auto* t = std::get_if<std::string>(&c)) {
        // A covering's resistance is kept as its list shows it ("0.05"); a
        // spreadsheet reads it as a number with the decimal comma.
        const std::optional<Resistance> rth = k == ColonneEtude::RthActuelle || k == ColonneEtude::RthFuture
            ? ResistanceDepuisTexte(*t) : std::nullopt;
        return rth ? FormatGeneral(ValeurResistance(*rth)) : ChampCsv(*t);
    }
    if (const auto* x = std::get_if<double>(&c))
        return FormatGeneral(Arrondir(*x, 2));
    if (const auto* n = std::get_if<std::int32_t>(&c))
        return std::to_string(*n);
    return "";
}

// One line of text fields, separated by ";".
template <class Champs>
std::string LigneCsv(const Champs& champs) {
    std::string s;
    bool premier = true;
    for (const auto& c : champs) {
        if (!premier)
            s += ';';
        premier = false;
        s += ChampCsv(c);
    }
    return s + '\n';
}

// "Libellé;valeur;unité" from a line drawn "Libellé : valeur unité".
std::string LigneCsv(const LigneDonneeGenerale& l) {
    std::string libelle = l.Libelle;
    if (libelle.ends_with(" : "))
        libelle.resize(libelle.size() - 3);
    const std::string unite = l.Unite.starts_with(' ') ? l.Unite.substr(1) : l.Unite;
    return LigneCsv(std::array{libelle, l.Valeur, unite});
}

// The texts of a row of cells.
template <std::size_t N>
std::array<std::string, N> Textes(const std::array<CelluleEquilibrage, N>& cellules) {
    std::array<std::string, N> textes;
    for (std::size_t k = 0; k < N; ++k)
        textes[k] = cellules[k].Texte;
    return textes;
}

} // namespace

std::string CsvEquilibrage(const EquilibrageEtude& equilibrage) {
    std::string s = "Équilibrage\n";
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        if (c)
            s += ';';
        s += ChampCsv(LibelleAvecUnite(c));
    }
    s += ";Boucles\n";
    const std::vector<LigneEquilibrage> lignes = PresenterEquilibrage(equilibrage.Boucles, equilibrage.Tube);
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        std::string ligne = LigneCsv(Textes(lignes[i]));
        ligne.insert(ligne.size() - 1, ";" + RangBoucle(equilibrage.Boucles[i]));
        s += ligne;
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
                     const EquilibrageEtude& equilibrage, const DeperditionsEtude& deperditions) {
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
            s += TexteCsv(ligne[k], static_cast<int>(k) + 1);
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
    if (AvecDeperditions(deperditions))
        s += '\n' + CsvDeperditions(deperditions);
    return s;
}

std::string CsvEtude(const EtudeRecalculee& etude, const DeperditionsEtude& deperditions) {
    std::string s = CsvEtude(etude.Resultat, etude.Materiel, etude.Equilibrage, deperditions);
    if (!etude.Materiel.empty()) {
        s += '\n' + CsvCollecteurs(etude.Collecteurs);
        s += '\n' + CsvBoucles(etude.Resultat);
    }
    return s;
}

std::string CsvBoucles(const ResultatEtude& r) {
    std::string s = "Boucles\nPièce;Boucles\n";
    for (int i = 1; i <= r.Table.NombrePieces(); ++i)
        s += LigneCsv(std::array{TexteCellule(r.Table.Cell(ColonneEtude::Designation, i)),
                                 std::to_string(BouclesPiece(r, i))});
    return s;
}

std::string CsvCollecteurs(const std::vector<FiguresCollecteur>& collecteurs) {
    std::string s = "Collecteurs\n";
    std::array<std::string, NombreColonnesCollecteurs> titres;
    for (std::size_t k = 0; k < titres.size(); ++k)
        titres[k] = LibelleAvecUnite(ColonnesCollecteurs[k]);
    s += LigneCsv(titres);
    for (const FiguresCollecteur& c : collecteurs)
        s += LigneCsv(Textes(PresenterCollecteur(c)));
    std::array<std::string, NombreColonnesSorties + 2> colonnes{"Collecteur"};
    for (std::size_t k = 0; k < ColonnesSorties.size(); ++k)
        colonnes[k + 1] = LibelleAvecUnite(ColonnesSorties[k]);
    colonnes.back() = "Boucles";
    s += '\n' + LigneCsv(colonnes);
    for (const FiguresCollecteur& c : collecteurs) {
        const std::vector<LigneSortie> sorties = PresenterSorties(c);
        for (std::size_t i = 0; i < sorties.size(); ++i) {
            std::array<std::string, NombreColonnesSorties + 2> ligne{c.Definition.Nom};
            const auto textes = Textes(sorties[i]);
            std::copy(textes.begin(), textes.end(), ligne.begin() + 1);
            ligne.back() = RangBoucle(c.Boucles[i].Boucle);
            s += LigneCsv(ligne);
        }
    }
    s += '\n';
    for (const LigneMaterielCollecteur& m : MaterielCollecteurs(collecteurs))
        s += LigneCsv(std::array{m.Designation, std::to_string(m.Nombre), std::string("u")});
    return s;
}

std::string CsvDeperditions(const DeperditionsEtude& d) {
    std::string s = "Déperditions\n";
    if (d.Climat)
        for (const LigneDonneeGenerale& l : LignesClimat(*d.Climat))
            s += LigneCsv(l);
    std::array<std::string, NombreColonnesElements + 1> titres{"Pièce"};
    for (int c = 0; c < NombreColonnesElements; ++c) {
        const std::string unite = UnitesColonnesElements[static_cast<std::size_t>(c)];
        titres[static_cast<std::size_t>(c) + 1] =
            TitresColonnesElements[static_cast<std::size_t>(c)] + (unite.empty() ? "" : " (" + unite + ")");
    }
    s += '\n' + LigneCsv(titres);
    for (const DeperditionsPieceCalculees& p : d.Pieces)
        for (const LigneElement& e : LignesElements(p)) {
            std::array<std::string, NombreColonnesElements + 1> ligne{p.NomPiece};
            std::copy(e.begin(), e.end(), ligne.begin() + 1);
            s += LigneCsv(ligne);
        }
    s += '\n' + LigneCsv(TitresColonnesBilans);
    for (const DeperditionsPieceCalculees& p : d.Pieces)
        s += LigneCsv(LigneBilan(p));
    s += '\n';
    for (const LigneDonneeGenerale& l : BilanEtude(d))
        s += LigneCsv(l);
    return s;
}

} // namespace sorvel
