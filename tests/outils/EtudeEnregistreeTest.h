#pragma once

// A stored study written as the program writes one: the general data, the
// rooms, and for each room the pressure drops of its loops as the study's
// recalculation gives them (the values the program records when a room is
// accepted; zero for a study that cannot be calculated).

#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace sorvel::test {

inline std::string OctetsPertes(const std::vector<DonneesPiece>& pieces, const DonneesGenerales& g) {
    std::vector<PerteCharge> pertes(pieces.size());
    try {
        const ResultatEtude r = CalculEtude(pieces, g);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            pertes[i] = PerteChargePiece(NombreCellule(r.Table.Cell(ColonneEtude::PerteNormale, n)).value_or(0),
                                         NombreCellule(r.Table.Cell(ColonneEtude::PerteBordure, n)).value_or(0));
        }
    } catch (const std::exception&) {
        // Left at zero: such a study never had its rooms accepted anyway.
    }
    std::string octets;
    for (const PerteCharge& p : pertes) {
        const auto o = Encoder(p);
        octets.append(o.begin(), o.end());
    }
    return octets;
}

inline void EcrireFichier(const std::filesystem::path& chemin, const std::string& octets) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << octets;
}

inline void EcrireEtudeEnregistree(const std::filesystem::path& dossier, const std::string& nom,
                                   const DonneesGenerales& g, const std::vector<DonneesPiece>& pieces) {
    const auto og = Encoder(g);
    EcrireFichier(dossier / (nom + ".plg"), std::string(og.begin(), og.end()));
    std::string pla;
    for (const DonneesPiece& p : pieces) {
        const auto op = Encoder(p);
        pla.append(op.begin(), op.end());
    }
    EcrireFichier(dossier / (nom + ".pla"), pla);
    EcrireFichier(dossier / (nom + ".plp"), OctetsPertes(pieces, g));
}

} // namespace sorvel::test
