#pragma once

// sorvel-calcul run as a process, in a folder of its own for each test, on
// study files written here as the program writes them.

#include "enregistrements/Conversion.h"
#include "enregistrements/Enregistrements.h"
#include "etude/CalculEtude.h"

#include "Exemples.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sorvel::test {

namespace fs = std::filesystem;

// A study as its three files hold it.
struct EtudeStockee {
    DonneesGenerales generales;
    std::vector<DonneesPiece> pieces;
    std::vector<PerteCharge> pertes;
};

// Four rooms, one of each load type, whose names hold the CSV's separator
// and quotes; 1.5 m² of obstacles (a decimal for the CSV to show), edge
// zones at each pitch, pipes crossing the combined room.
inline std::vector<Piece> QuatreTypes() {
    std::vector<Piece> pieces{exemples::PieceMaison("Séjour; salon", Charge::Normale, 28, 1680),
                              exemples::PieceMaison("Véranda \"sud\"", Charge::Elevee, 15, 900),
                              exemples::PieceMaison("Cuisine", Charge::Combinee, 13, 780),
                              exemples::PieceMaison("Chambre", Charge::Angle, 11, 660)};
    const PasVZ pas[] = {PasVZ::VZ10, PasVZ::VZ5, PasVZ::VZ15, PasVZ::VZ10};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i].SurfaceEmprises = 1.5;
        pieces[i].PasVZBordure = pas[i];
    }
    pieces[2].LongDistri = 3;
    return pieces;
}

// The records the program stores for these rooms, with the pressure drops
// their recalculation gives (left at zero for a study that cannot be
// calculated: its rooms were never accepted).
inline EtudeStockee Stocker(const Installation& generales, const std::vector<Piece>& pieces) {
    EtudeStockee e{VersEnregistrement(generales), {}, std::vector<PerteCharge>(pieces.size())};
    for (const Piece& p : pieces)
        e.pieces.push_back(VersEnregistrement(p));
    try {
        const ResultatEtude r = CalculEtude(pieces, generales);
        for (int n = 1; n <= r.Table.NombrePieces(); ++n)
            e.pertes[static_cast<std::size_t>(n - 1)] =
                PerteChargePiece(NombreCellule(r.Table.Cell(ColonneEtude::PerteNormale, n)).value_or(0),
                                 NombreCellule(r.Table.Cell(ColonneEtude::PerteBordure, n)).value_or(0));
    } catch (const std::exception&) {
    }
    return e;
}

template <class R>
std::string Octets(const std::vector<R>& enregistrements) {
    std::string octets;
    for (const R& r : enregistrements) {
        const auto o = Encoder(r);
        octets.append(o.begin(), o.end());
    }
    return octets;
}

inline std::string Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Any text as one word of the shell.
inline std::string Citer(const std::string& s) {
    std::string c = "'";
    for (char x : s)
        c += x == '\'' ? std::string("'\\''") : std::string(1, x);
    return c + "'";
}

struct Sortie {
    int statut = -1;
    std::string sortie, erreurs;
};

class Outil : public ::testing::Test {
public:
    void Ecrire(const std::string& fichier, const std::string& octets) {
        std::ofstream(dossier_ / fichier, std::ios::binary) << octets;
    }
    void Ecrire(const std::string& nom, const EtudeStockee& e) {
        Ecrire(nom + ".plg", Octets(std::vector{e.generales}));
        Ecrire(nom + ".pla", Octets(e.pieces));
        Ecrire(nom + ".plp", Octets(e.pertes));
    }
    void Vider() {
        for (const auto& f : fs::directory_iterator(dossier_))
            fs::remove_all(f.path());
    }

    // The tool (or `programme`) with these arguments, `avant` prefixed to
    // the command (variables of the environment), its outputs captured.
    Sortie Lancer(const std::vector<std::string>& arguments, const std::string& avant = "",
                  const fs::path& programme = SORVEL_CALCUL_EXE) {
        const fs::path out = dossier_ / "sortie.txt", err = dossier_ / "erreurs.txt";
        std::string commande = avant + " " + Citer(programme.string());
        for (const std::string& a : arguments)
            commande += " " + Citer(a);
        const int brut = std::system((commande + " > " + Citer(out.string()) + " 2> " + Citer(err.string())).c_str());
        Sortie s{WIFEXITED(brut) ? WEXITSTATUS(brut) : -1, Lire(out), Lire(err)};
        fs::remove(out);
        fs::remove(err);
        return s;
    }
    std::string Dossier() const { return dossier_.string(); }
    // `texte` with {d} made the test's folder, {pdf} a PDF file in it and
    // {long} a name of 300 letters.
    std::string Remplacer(std::string texte) const {
        for (const auto& [de, par] : {std::pair<std::string, std::string>{"{pdf}", Dossier() + "/r.pdf"},
                                      {"{d}", Dossier()}, {"{long}", std::string(300, 'n')}})
            for (std::size_t p = 0; (p = texte.find(de, p)) != std::string::npos; p += par.size())
                texte.replace(p, de.size(), par);
        return texte;
    }

    QTemporaryDir temporaire_;
    const fs::path dossier_ = temporaire_.path().toStdString();
};

} // namespace sorvel::test
