// sorvel-calcul --pdf run as a process, without any display, on study files
// written with the record encoder.

#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"

#include <gtest/gtest.h>

#include "Exemples.h"
#include "EtudeEnregistreeTest.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace sorvel;

namespace {

struct Resultat {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
};

std::string Lire(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Runs `commande` through the shell, its output captured.
Resultat Executer(const std::string& commande, const fs::path& dossier) {
    const fs::path out = dossier / "sortie.txt", err = dossier / "erreurs.txt";
    const int brut = std::system((commande + " > '" + out.string() + "' 2> '" + err.string() + "'").c_str());
    Resultat r;
    r.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
    r.sortie = Lire(out);
    r.erreurs = Lire(err);
    fs::remove(out);
    fs::remove(err);
    return r;
}

class SorvelCalculPdf : public ::testing::Test {
public:
    void SetUp() override {
        dossier_ = fs::temp_directory_path()
            / ("sorvel-calcul-pdf-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dossier_);
        fs::create_directories(dossier_ / "etudes");
        fs::create_directories(dossier_ / "pdf");
    }
    void TearDown() override { fs::remove_all(dossier_); }

    void Ecrire(const std::string& nomFichier, const std::string& octets) {
        std::ofstream f(dossier_ / "etudes" / nomFichier, std::ios::binary);
        f << octets;
    }
    void EcrireEtude(const std::string& nom, const DonneesGenerales& g, const std::vector<DonneesPiece>& pieces) {
        test::EcrireEtudeEnregistree(dossier_ / "etudes", nom, g, pieces);
    }
    // The tool with no display at all and no platform chosen for it.
    Resultat Lancer(const std::string& arguments) {
        return Executer("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" SORVEL_CALCUL_EXE "' " + arguments,
                        dossier_);
    }
    std::string Etudes() const { return "'" + (dossier_ / "etudes").string() + "'"; }
    fs::path Pdf(const std::string& nom) const { return dossier_ / "pdf" / nom; }
    bool DossierPdfVide() const { return fs::is_empty(dossier_ / "pdf"); }
    std::string Texte(const fs::path& pdf) {
        return Executer("pdftotext -layout '" + pdf.string() + "' -", dossier_).sortie;
    }
    int Pages(const fs::path& pdf) {
        const std::string info = Executer("pdfinfo '" + pdf.string() + "'", dossier_).sortie;
        const auto p = info.find("Pages:");
        return p == std::string::npos ? -1 : std::atoi(info.c_str() + p + 6);
    }

    fs::path dossier_;
};

TEST_F(SorvelCalculPdf, RapportsSansEcran) {
    EcrireEtude("Maison", exemples::Generales(0, 1), exemples::Maison12Pieces());
    const struct {
        const char* rapport;
        const char* titre;
        const char* contenu;
    } cas[] = {
        {"chantier", "Résultats chantier", "Contenance totale des tubes"},
        {"recapitulatif", "Récapitulatif", "Température superficielle en zone de bordure"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.rapport);
        const fs::path pdf = Pdf(std::string(c.rapport) + ".pdf");
        const Resultat r = Lancer(std::string("--pdf ") + c.rapport + " '" + pdf.string() + "' " + Etudes() + " Maison");
        ASSERT_EQ(r.statut, 0) << r.erreurs;
        EXPECT_TRUE(r.sortie.empty());
        EXPECT_TRUE(r.erreurs.empty()) << r.erreurs;
        ASSERT_TRUE(fs::exists(pdf));
        const int pages = Pages(pdf);
        if (std::string(c.rapport) == "chantier")
            EXPECT_EQ(pages, 2);
        else
            EXPECT_GE(pages, 2); // 12 rooms side by side do not fit one sheet
        const std::string texte = Texte(pdf);
        EXPECT_NE(texte.find("Sorvel. [Maison]"), std::string::npos) << texte;
        EXPECT_NE(texte.find(c.titre), std::string::npos);
        EXPECT_NE(texte.find(c.contenu), std::string::npos);
        EXPECT_NE(texte.find("Page : " + std::to_string(pages) + "/" + std::to_string(pages)), std::string::npos);
        EXPECT_NE(texte.find("Véranda"), std::string::npos);
    }
}

// A study that cannot be read leaves no PDF behind, not even an empty one.
TEST_F(SorvelCalculPdf, EtudeEndommageeOuImpossibleACalculer) {
    struct Cas {
        const char* quoi;
        std::function<void(SorvelCalculPdf&)> preparer;
        int statut;
        const char* message;
    };
    const Cas cas[] = {
        {"pla absent", [](SorvelCalculPdf& t) {
             const auto g = Encoder(exemples::Generales());
             t.Ecrire("Etude.plg", std::string(g.begin(), g.end()));
         }, 2, "introuvable"},
        {"longueur incomplete", [](SorvelCalculPdf& t) {
             t.EcrireEtude("Etude", exemples::Generales(), exemples::Maison12Pieces());
             std::ofstream(t.dossier_ / "etudes" / "Etude.pla", std::ios::binary | std::ios::app) << "xyz";
         }, 2, "endommagé"},
        {"temperature de depart illisible", [](SorvelCalculPdf& t) {
             DonneesGenerales g = exemples::Generales();
             g.TempDepart = "x";
             t.EcrireEtude("Etude", g, exemples::Maison12Pieces());
         }, 2, "champ « Température de départ du fluide »"},
        {"piece impossible a calculer", [](SorvelCalculPdf& t) {
             // Mean water temperature (30 - 12 / 2 = 24 degC) equal to the
             // room's: values the screens offer, a room that cannot be
             // calculated.
             DonneesGenerales g = exemples::Generales();
             g.TempDepart = "30";
             std::vector<DonneesPiece> pieces = exemples::Maison12Pieces();
             pieces[1].TempPiece = "24";
             pieces[1].TempChute = 12;
             t.EcrireEtude("Etude", g, pieces);
         }, 3, "pièce 2 « Cuisine »"},
        {"aucune piece", [](SorvelCalculPdf& t) { t.EcrireEtude("Etude", exemples::Generales(), {}); }, 3,
         "Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        fs::remove_all(dossier_ / "etudes");
        fs::create_directories(dossier_ / "etudes");
        c.preparer(*this);
        for (const char* rapport : {"chantier", "recapitulatif"}) {
            const Resultat r =
                Lancer(std::string("--pdf ") + rapport + " '" + Pdf("Etude.pdf").string() + "' " + Etudes() + " Etude");
            EXPECT_EQ(r.statut, c.statut) << r.erreurs;
            EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << r.erreurs;
            EXPECT_TRUE(DossierPdfVide());
        }
    }
}

// A PDF that cannot be written: its own status, a message, no file.
TEST_F(SorvelCalculPdf, FichierPdfImpossibleAEcrire) {
    EcrireEtude("Maison", exemples::Generales(), exemples::Maison12Pieces());
    for (const fs::path& sortie : {Pdf("absent") / "rapport.pdf", Pdf("")}) {
        SCOPED_TRACE(sortie.string());
        const Resultat r = Lancer("--pdf chantier '" + sortie.string() + "' " + Etudes() + " Maison");
        EXPECT_EQ(r.statut, 4);
        EXPECT_NE(r.erreurs.find("ne peut pas être écrit"), std::string::npos) << r.erreurs;
        EXPECT_TRUE(DossierPdfVide());
    }
}

TEST_F(SorvelCalculPdf, LigneDeCommande) {
    EcrireEtude("Maison", exemples::Generales(), exemples::Maison12Pieces());
    const std::string sortie = "'" + Pdf("r.pdf").string() + "'";
    for (const std::string& arguments : std::vector<std::string>{
             "--pdf", "--pdf chantier", "--pdf facture " + sortie + " " + Etudes() + " Maison",
             "--pdf chantier " + sortie + " " + Etudes(),
             "--json --pdf chantier " + sortie + " " + Etudes() + " Maison",
             "--pdf chantier " + sortie + " --pdf recapitulatif " + sortie + " " + Etudes() + " Maison"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(Lancer(arguments).statut, 1);
        EXPECT_TRUE(DossierPdfVide());
    }
    const Resultat aide = Lancer("--help");
    EXPECT_EQ(aide.statut, 0);
    EXPECT_NE(aide.sortie.find("sorvel-calcul --pdf chantier|recapitulatif SORTIE.pdf DOSSIER NOM"), std::string::npos);
    EXPECT_NE(aide.sortie.find("4  le fichier PDF ne peut pas être écrit"), std::string::npos);
}

// The 12-room study kept with the sources (the screenshots print it) is the
// example house, as the record encoder writes it today.
TEST(EtudeExemple, MaisonDouzePieces) {
    const fs::path base = fs::path(SORVEL_DONNEES_TESTS) / "Maison 12 pièces";
    const std::string plg = Lire(base.string() + ".plg"), pla = Lire(base.string() + ".pla");
    const auto g = Encoder(exemples::Generales(0, 1));
    EXPECT_EQ(plg, std::string(g.begin(), g.end()));
    std::string attendu;
    for (const DonneesPiece& p : exemples::Maison12Pieces()) {
        const auto o = Encoder(p);
        attendu.append(o.begin(), o.end());
    }
    EXPECT_EQ(pla, attendu);
    EXPECT_EQ(Lire(base.string() + ".plp"), test::OctetsPertes(exemples::Maison12Pieces(), exemples::Generales(0, 1)));
}

} // namespace
