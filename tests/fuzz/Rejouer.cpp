// Replays inputs through the fuzz target without the fuzzer, with the
// ordinary compiler: every file named, or every file of every folder named.
// CTest runs it on the seed corpus and on the inputs the fuzzer once found
// crashing or slow.
//
//   fuzz_etude_rejouer CHEMIN...              replays the inputs
//   fuzz_etude_rejouer --ecrire-graines DIR   writes the seed corpus, built
//                                             from the example studies

#include "Exemples.h"
#include "enregistrements/Conversion.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

namespace fs = std::filesystem;
using namespace sorvel;

namespace {

// An input of the target: the room count, then the three images.
std::string Entree(const Installation& g, const std::vector<Piece>& pieces, const std::vector<PerteCharge>& pertes) {
    std::string s(1, static_cast<char>(pieces.size()));
    const auto ajouter = [&s](const auto& octets) { s.append(octets.begin(), octets.end()); };
    ajouter(Encoder(VersEnregistrement(g)));
    for (const Piece& p : pieces)
        ajouter(Encoder(VersEnregistrement(p)));
    for (const PerteCharge& p : pertes)
        ajouter(Encoder(p));
    return s;
}

std::vector<PerteCharge> Pertes(std::size_t n) {
    std::vector<PerteCharge> v;
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(PerteChargePiece(300.0 + 40.0 * static_cast<double>(i), i % 2 ? 150.0 : 0.0));
    return v;
}

int EcrireGraines(const fs::path& dossier) {
    fs::create_directories(dossier);
    using exemples::PieceMaison;
    const Installation generales = exemples::Generales();
    const std::vector<Piece> quatre = {PieceMaison("Séjour", Charge::Normale, 28, 1600),
                                       PieceMaison("Véranda", Charge::Elevee, 15, 900),
                                       PieceMaison("Cuisine", Charge::Combinee, 13, 800),
                                       PieceMaison("Chambre", Charge::Angle, 11, 600)};
    // A room whose ceiling gain exceeds its losses: the throttling search
    // on a negative need.
    Piece gains = PieceMaison("Combles", Charge::Elevee, 10, 500);
    gains.SurfaceEmprises = 4;
    gains.SurfaceBordure = 5;
    gains.PasVZBordure = PasVZ::VZ5;
    gains.ApportPlafond = 3100;
    gains.LongDistri = 10;
    gains.TempChute = 16;
    const Piece nom = PieceMaison(std::string("Bur\0eau\x07", 8), Charge::Normale, 12, 700);
    Piece abime = PieceMaison("Abîmée", Charge::Normale, 12, 700);
    abime.TempChute = -32768;
    Installation plots30 = exemples::Generales(Fixation::Plots, DiametreTube::D13x16);
    plots30.TempDepart = 30;
    struct Graine { const char* nom; std::string octets; };
    const Graine graines[] = {
        {"vide", Entree(generales, {}, {})},
        {"une-piece", Entree(generales, {quatre[0]}, Pertes(1))},
        {"quatre-types", Entree(generales, quatre, Pertes(4))},
        {"quatre-types-plots-30", Entree(plots30, quatre, Pertes(4))},
        {"gains-au-dessus-des-pertes", Entree(generales, {gains, quatre[1]}, Pertes(2))},
        {"nom-avec-nul", Entree(generales, {nom}, Pertes(1))},
        {"chute-endommagee", Entree(generales, {quatre[0], abime}, Pertes(2))},
        {"perte-manquante", Entree(generales, quatre, Pertes(3))},
    };
    for (const Graine& g : graines) {
        std::ofstream f(dossier / g.nom, std::ios::binary);
        f.write(g.octets.data(), static_cast<std::streamsize>(g.octets.size()));
        if (!f) {
            std::fprintf(stderr, "fuzz_etude_rejouer : impossible d'écrire %s\n", (dossier / g.nom).c_str());
            return 1;
        }
    }
    return 0;
}

int Rejouer(const fs::path& fichier) {
    std::ifstream f(fichier, std::ios::binary);
    if (!f) {
        std::fprintf(stderr, "fuzz_etude_rejouer : %s illisible\n", fichier.c_str());
        return 1;
    }
    const std::vector<char> octets((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--ecrire-graines") == 0)
        return EcrireGraines(argv[2]);
    std::vector<fs::path> entrees;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i]))
            entrees.emplace_back(argv[i]);
        else
            for (const auto& f : fs::directory_iterator(argv[i]))
                if (f.is_regular_file() && f.path().filename() != "LISEZMOI")
                    entrees.push_back(f.path());
    }
    int fautes = 0;
    for (const fs::path& entree : entrees)
        fautes += Rejouer(entree);
    std::printf("%zu entrée(s) rejouée(s)\n", entrees.size());
    return fautes == 0 && !entrees.empty() ? 0 : 1;
}
