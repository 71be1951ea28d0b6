// sorvel-calcul: recalculates a stored study and prints its summary and
// material list, as CSV for a French spreadsheet or as JSON, so that a
// design office can recalculate studies in batch.
//
// Exit status: 0 done; 1 wrong command line; 2 a study file is missing,
// unreadable or damaged (nothing is calculated then); 3 a room cannot be
// calculated.
//
// Reading the files, checking the study, and writing the results are kept
// apart: the output never depends on how the study was read.

#include "commun/ErreurArithmetique.h"
#include "commun/ErreurSysteme.h"
#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"
#include "etude/Materiel.h"
#include "etude/VerificationEtude.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace sorvel;

namespace {

constexpr int SortieUsage = 1;
constexpr int SortieFichier = 2;
constexpr int SortieCalcul = 3;

const char* const Aide =
    "Usage : sorvel-calcul [--json] DOSSIER NOM\n"
    "\n"
    "Recalcule l'étude enregistrée NOM du dossier DOSSIER (fichiers NOM.plg,\n"
    "NOM.pla et NOM.plp) et affiche son tableau récapitulatif puis sa liste de\n"
    "matériel.\n"
    "\n"
    "L'étude est d'abord vérifiée : chaque champ choisi dans une liste doit\n"
    "porter une valeur que les écrans proposent, chaque nombre doit être fini,\n"
    "positif ou nul et dans les bornes de la saisie, l'étude compte au plus\n"
    "30 pièces et autant de pertes de charge que de pièces. Une étude qui ne\n"
    "passe pas est endommagée : rien n'est calculé, le message nomme le\n"
    "fichier, la pièce (numéro et nom) et le champ.\n"
    "\n"
    "Sans option, la sortie est au format CSV pour un tableur français :\n"
    "séparateur « ; », une ligne d'en-têtes, une ligne par pièce (nombres\n"
    "arrondis à 2 décimales, virgule décimale), puis une ligne vide et les\n"
    "lignes « désignation;valeur;unité » du matériel. Les caractères de\n"
    "contrôle d'un nom y sont montrés par leur symbole (␀, ␊...).\n"
    "\n"
    "Options :\n"
    "  --json   affiche un objet JSON (UTF-8 valide) : {\"etude\", \"PerteMaxi\",\n"
    "           \"DebitTotal\", \"pieces\" (41 valeurs par pièce), \"materiel\"\n"
    "           (12 valeurs)} ; les nombres sont en pleine précision.\n"
    "  --help   affiche cette aide.\n"
    "\n"
    "Codes de sortie :\n"
    "  0  calcul effectué ;\n"
    "  1  ligne de commande incorrecte ;\n"
    "  2  fichier de l'étude absent, illisible ou endommagé ;\n"
    "  3  le calcul d'une pièce est impossible.\n";

// A study file that cannot be used; the message is ready for the user.
struct ErreurEtude {
    std::string message;
};

// A path as the messages show it.
std::string Montrer(const fs::path& chemin) {
    return TexteAffichable(chemin.string());
}

// The whole content of a study file, or the real reason why it cannot be
// read: "introuvable" only when the file (or its folder) does not exist.
std::vector<char> LireFichier(const fs::path& chemin) {
    std::error_code ec;
    const fs::file_status etat = fs::status(chemin, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory) {
            std::error_code ecDossier;
            const fs::path dossier = chemin.parent_path();
            if (!dossier.empty() && !fs::exists(dossier, ecDossier) && !ecDossier)
                throw ErreurEtude{"Le dossier « " + Montrer(dossier) + " » est introuvable."};
            throw ErreurEtude{"Le fichier « " + Montrer(chemin) + " » est introuvable."};
        }
        throw ErreurEtude{"Impossible de lire le fichier « " + Montrer(chemin) + " » : "
                          + LibelleErreurSysteme(ec.value()) + "."};
    }
    if (fs::is_directory(etat))
        throw ErreurEtude{"« " + Montrer(chemin) + " » est un dossier, pas un fichier d'étude."};
    if (!fs::is_regular_file(etat))
        throw ErreurEtude{"« " + Montrer(chemin) + " » n'est pas un fichier ordinaire."};
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(chemin.c_str(), "rb"), &std::fclose);
    if (!f)
        throw ErreurEtude{"Impossible de lire le fichier « " + Montrer(chemin) + " » : "
                          + LibelleErreurSysteme(errno != 0 ? errno : DiagnostiquerLecture(chemin)) + "."};
    std::vector<char> octets;
    char tampon[1 << 16];
    for (;;) {
        errno = 0;
        const std::size_t lus = std::fread(tampon, 1, sizeof tampon, f.get());
        octets.insert(octets.end(), tampon, tampon + lus);
        if (lus < sizeof tampon)
            break;
    }
    if (std::ferror(f.get()))
        throw ErreurEtude{"Impossible de lire le fichier « " + Montrer(chemin) + " » : "
                          + LibelleErreurSysteme(errno) + "."};
    return octets;
}

// The study as its three files hold it, before any check of its values.
struct EtudeLue {
    DonneesGenerales generales;
    std::vector<DonneesPiece> pieces;
    std::vector<PerteCharge> pertes;
    std::array<fs::path, 3> chemins; // by FichierEtude, for the messages

    const fs::path& Chemin(FichierEtude f) const { return chemins[static_cast<std::size_t>(f)]; }
};

// Reads the three files and decodes their records; a missing or unreadable
// file, or one whose length is not a whole number of records, raises
// ErreurEtude.
EtudeLue LireEtude(const fs::path& dossier, const std::string& nom) {
    EtudeLue etude;
    for (FichierEtude f : {FichierEtude::Generales, FichierEtude::Pieces, FichierEtude::Pertes})
        etude.chemins[static_cast<std::size_t>(f)] = dossier / (nom + ExtensionFichier(f));

    const fs::path& cheminGenerales = etude.Chemin(FichierEtude::Generales);
    const std::vector<char> generales = LireFichier(cheminGenerales);
    if (generales.empty() || generales.size() % DonneesGenerales::Longueur != 0)
        throw ErreurEtude{"Le fichier « " + Montrer(cheminGenerales)
                          + " » est endommagé : sa longueur ne correspond pas aux données générales."};
    etude.generales = DecoderGenerales(generales.data());

    const fs::path& cheminPieces = etude.Chemin(FichierEtude::Pieces);
    const std::vector<char> pieces = LireFichier(cheminPieces);
    if (pieces.size() % DonneesPiece::Longueur != 0)
        throw ErreurEtude{"Le fichier « " + Montrer(cheminPieces)
                          + " » est endommagé : sa longueur n'est pas un nombre entier de pièces."};
    for (std::size_t i = 0; i < pieces.size(); i += DonneesPiece::Longueur)
        etude.pieces.push_back(DecoderPiece(pieces.data() + i));

    const fs::path& cheminPertes = etude.Chemin(FichierEtude::Pertes);
    const std::vector<char> pertes = LireFichier(cheminPertes);
    if (pertes.size() % PerteCharge::Longueur != 0)
        throw ErreurEtude{"Le fichier « " + Montrer(cheminPertes)
                          + " » est endommagé : sa longueur n'est pas un nombre entier de pertes de charge."};
    for (std::size_t i = 0; i < pertes.size(); i += PerteCharge::Longueur)
        etude.pertes.push_back(DecoderPerte(pertes.data() + i));
    return etude;
}

// ---------------------------------------------------------------------------
// CSV

// A text cell: control characters shown by their symbols (a CSV line holds
// no raw control byte), quoted when it holds the separator or a quote.
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

std::string TexteCsv(const Cellule& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return ChampCsv(*t);
    if (const auto* x = std::get_if<double>(&c))
        return FormatGeneral(Arrondir(*x, 2));
    if (const auto* n = std::get_if<std::int32_t>(&c))
        return std::to_string(*n);
    return "";
}

std::string TexteCsv(const CelluleMateriel& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return ChampCsv(*t);
    return FormatGeneral(std::get<double>(c));
}

std::string Csv(const ResultatEtude& r, const std::vector<CelluleMateriel>& materiel) {
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
        for (std::size_t n = 0; n < materiel.size(); ++n) {
            s += ChampCsv(LignesMateriel[n].Designation);
            s += ';';
            s += TexteCsv(materiel[n]);
            s += ';';
            s += ChampCsv(LignesMateriel[n].Unite);
            s += '\n';
        }
    }
    return s;
}

// ---------------------------------------------------------------------------
// JSON

// A JSON string of any bytes: valid UTF-8 (a byte that begins no
// well-formed sequence becomes U+FFFD), control characters escaped.
void ChaineJson(std::string& s, std::string_view brut) {
    s += '"';
    for (char c : Utf8Valide(brut)) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': s += "\\\""; break;
        case '\\': s += "\\\\"; break;
        case '\n': s += "\\n"; break;
        case '\r': s += "\\r"; break;
        case '\t': s += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                char tampon[8];
                std::snprintf(tampon, sizeof tampon, "\\u%04x", u);
                s += tampon;
            } else {
                s += c;
            }
        }
    }
    s += '"';
}

// Shortest text that reads back to the same double.
void NombreJson(std::string& s, double x) {
    char tampon[32];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, x);
    s.append(tampon, r.ptr);
}

void CelluleJson(std::string& s, const Cellule& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        ChaineJson(s, *t);
    else if (const auto* x = std::get_if<double>(&c))
        NombreJson(s, *x);
    else if (const auto* n = std::get_if<std::int32_t>(&c))
        s += std::to_string(*n);
    else
        s += "\"\"";
}

std::string Json(const std::string& nom, const ResultatEtude& r, const std::vector<CelluleMateriel>& materiel) {
    std::string s = "{\"etude\": ";
    ChaineJson(s, nom);
    s += ", \"PerteMaxi\": ";
    NombreJson(s, r.PerteMaxi);
    s += ", \"DebitTotal\": ";
    NombreJson(s, r.DebitTotal);
    s += ", \"pieces\": [";
    for (std::size_t i = 0; i < r.Table.Pieces.size(); ++i) {
        s += i ? ", [" : "[";
        const LigneEtude& ligne = r.Table.Pieces[i];
        for (std::size_t k = 0; k < ligne.size(); ++k) {
            if (k)
                s += ", ";
            CelluleJson(s, ligne[k]);
        }
        s += ']';
    }
    s += "], \"materiel\": [";
    for (std::size_t n = 0; n < materiel.size(); ++n) {
        if (n)
            s += ", ";
        if (const auto* t = std::get_if<std::string>(&materiel[n]))
            ChaineJson(s, *t);
        else
            NombreJson(s, std::get<double>(materiel[n]));
    }
    s += "]}\n";
    return s;
}

void Ecrire(std::FILE* f, const std::string& texte) {
    std::fwrite(texte.data(), 1, texte.size(), f);
}

} // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            Ecrire(stdout, Aide);
            return 0;
        }
        if (a == "--json")
            json = true;
        else if (a.size() > 1 && a.front() == '-')
            arguments.push_back("?" + std::string(a)); // unknown option, refused below
        else
            arguments.emplace_back(a);
    }
    if (arguments.size() != 2 || arguments[0].front() == '?' || arguments[1].front() == '?') {
        Ecrire(stderr, "sorvel-calcul : ligne de commande incorrecte.\n"
                       "Usage : sorvel-calcul [--json] DOSSIER NOM (sorvel-calcul --help pour l'aide).\n");
        return SortieUsage;
    }
    const std::string& nom = arguments[1];
    try {
        const EtudeLue etude = LireEtude(fs::path(arguments[0]), nom);
        // A damaged study is refused as a whole, before any room is calculated.
        if (const auto defaut = VerifierEtude(etude.generales, etude.pieces, etude.pertes)) {
            Ecrire(stderr, "sorvel-calcul : " + MessageDefautEtude(*defaut, etude.Chemin(defaut->Fichier).string())
                               + "\n");
            return SortieFichier;
        }
        const ResultatEtude resultat = CalculEtude(etude.pieces, etude.generales);
        const std::vector<CelluleMateriel> materiel = Materiel(resultat.Table, etude.generales);
        Ecrire(stdout, json ? Json(nom, resultat, materiel) : Csv(resultat, materiel));
        if (std::fflush(stdout) != 0) {
            Ecrire(stderr, "sorvel-calcul : impossible d'écrire le résultat.\n");
            return SortieFichier;
        }
        return 0;
    } catch (const ErreurEtude& e) {
        Ecrire(stderr, "sorvel-calcul : " + e.message + "\n");
        return SortieFichier;
    } catch (const ErreurCalculEtude& e) {
        // what() names the room with its control characters made visible: never cut short.
        Ecrire(stderr, std::string("sorvel-calcul : ") + e.what() + "\n");
        return SortieCalcul;
    } catch (const ErreurArithmetique& e) {
        Ecrire(stderr, std::string("sorvel-calcul : les données générales de l'étude sont inutilisables : ")
                           + e.what() + ".\n");
        return SortieFichier;
    } catch (const std::exception& e) {
        Ecrire(stderr, std::string("sorvel-calcul : erreur inattendue : ") + TexteAffichable(e.what()) + "\n");
        return SortieFichier;
    }
}
