// sorvel-calcul --pdf without any display: the reports drawn by the module
// beside the program, written whole or not at all; the calculation paths
// need neither the module nor Qt Gui.

#include <QDate>

#include "LecturePdf.h"
#include "outils/Outil.h"

using namespace sorvel;
using namespace sorvel::test;

namespace {

const fs::path Programme = SORVEL_CALCUL_EXE;

class Pdf : public Outil {
public:
    void SetUp() override {
        Outil::SetUp();
        Ecrire("Maison", Stocker(exemples::Generales(), exemples::Maison12Pieces()));
        Ecrire("Vide", Stocker(exemples::Generales(), {}));
        // The program alone in a folder, without the module.
        seul_ = dossier_ / "seul" / "sorvel-calcul";
        fs::create_directories(seul_.parent_path());
        fs::copy_file(Programme, seul_);
    }
    // The report of a study of the folder, by the tool with no display at
    // all and no platform chosen for it.
    Sortie Rapport(const std::string& rapport, const fs::path& sortie, const std::string& etude = "Maison",
                   const fs::path& programme = Programme) {
        return Lancer({"--pdf", rapport, sortie.string(), Dossier(), etude},
                      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", programme);
    }
    fs::path seul_;
};

// Every page of the reports of the 12-room house: the header with the
// study's name and the date, the title, the footer with the page count, and
// what the report shows: every room by its name in the site report, short
// names in the summary's narrow columns, the manifolds and their outlets on
// the commissioning sheet.
TEST_F(Pdf, RapportsSansEcran) {
    const QString date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    std::vector<std::string> chantier{"Contenance totale des tubes"};
    for (const Piece& p : exemples::Maison12Pieces())
        chantier.push_back(p.NomPiece);
    const struct {
        const char* rapport;
        const char* titre;
        std::vector<std::string> textes;
        int pagesMin, pagesMax;
    } cas[] = {
        // The rooms table fits one sheet; 12 rooms side by side do not.
        {"chantier", "Résultats chantier", chantier, 2, 2},
        {"recapitulatif", "Récapitulatif", {"Température superficielle en zone de bordure", "Séjour", "Véranda"}, 2, 4},
        // 14 loops: the last two rooms fill a second manifold.
        {"reglage", "Fiche de réglage", {"Collecteur 1 12 départs sur 12 sorties", "1 Séjour normale",
                                         "Collecteur 2 2 départs sur 12 sorties", "2 Buanderie normale"}, 1, 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.rapport);
        const fs::path pdf = dossier_ / (std::string(c.rapport) + ".pdf");
        const Sortie s = Rapport(c.rapport, pdf);
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        EXPECT_EQ(s.sortie + s.erreurs, "");
        const QString chemin = QString::fromStdString(pdf.string());
        const int pages = PagesPdf(chemin);
        EXPECT_TRUE(pages >= c.pagesMin && pages <= c.pagesMax) << pages;
        QString texte;
        for (int page = 1; page <= pages; ++page) {
            const QStringList lignes = LignesPage(chemin, page);
            ASSERT_GE(lignes.size(), 3);
            EXPECT_EQ(lignes[0], "Sorvel. [Maison] Date : " + date);
            EXPECT_EQ(lignes[1], QString::fromUtf8(c.titre));
            EXPECT_EQ(lignes.last(), QStringLiteral("Page : %1/%2").arg(page).arg(pages));
            texte += lignes.join(' ');
        }
        for (const std::string& t : c.textes)
            EXPECT_TRUE(texte.contains(QString::fromStdString(t))) << t;
    }
}

// The details of the job kept beside the study (Maison.plx) head every
// page of its reports; the notes close the site results.
TEST_F(Pdf, RenseignementsDeLEtude) {
    Ecrire("Maison.plx", R"({"format": "sorvel-extension", "version": 3, "renseignements": {
        "client": "M. et Mme Dupont", "chantier": "12 rue des Lilas\n69003 Lyon", "installateur": "Thermo Services",
        "notes": "Accès par la cour."}})");
    const QString entete = QStringLiteral(
        "Client : M. et Mme Dupont — Chantier : 12 rue des Lilas, 69003 Lyon — Installateur : Thermo Services");
    for (const char* rapport : {"chantier", "reglage"}) {
        const fs::path pdf = dossier_ / (std::string(rapport) + ".pdf");
        ASSERT_EQ(Rapport(rapport, pdf).statut, 0);
        const QString chemin = QString::fromStdString(pdf.string());
        for (int page = 1; page <= PagesPdf(chemin); ++page)
            EXPECT_EQ(LignesPage(chemin, page).value(1), entete) << rapport << " page " << page;
    }
    const QStringList fin = LignesPage(QString::fromStdString((dossier_ / "chantier.pdf").string()), 2);
    EXPECT_EQ(fin.mid(fin.size() - 3), (QStringList{"Notes", "Accès par la cour.", "Page : 2/2"}));
}

// A report that cannot be made: its status, its message, and no new file
// (a file already there keeps its content).
TEST_F(Pdf, RapportRefuse) {
    const fs::path pdf = dossier_ / "pdf";
    fs::create_directories(pdf);
    Ecrire("pdf/existant.pdf", "ancien");
    const struct {
        std::string etude;
        fs::path sortie, programme;
        int statut;
        std::string message;
    } cas[] = {
        {"Vide", pdf / "r.pdf", Programme, 3,
         "Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"},
        {"Maison", pdf / "absent" / "r.pdf", Programme, 4,
         "Impossible d'écrire le fichier « r.pdf » : le fichier ou son dossier n'existe pas."},
        {"Maison", pdf, Programme, 4, "Impossible d'écrire le fichier « pdf » : un dossier porte ce nom."},
        {"Maison", pdf / "existant.pdf", seul_, 4,
         "Le fichier « " + (pdf / "existant.pdf").string() + " » ne peut pas être écrit : le module d'impression « "
             + seul_.parent_path().string() + "/sorvel-calcul-pdf.so » est absent."},
    };
    for (const auto& c : cas)
        for (const char* rapport : {"chantier", "recapitulatif", "reglage"}) {
            const Sortie s = Rapport(rapport, c.sortie, c.etude, c.programme);
            EXPECT_EQ(s.statut, c.statut);
            EXPECT_EQ(s.erreurs, "sorvel-calcul : " + c.message + "\n");
        }
    // The losses need a room, a climate and a detailed room, before the
    // module or the file are looked at.
    const std::pair<std::string, std::string> deperditions[] = {
        {"Vide", cas[0].message},
        {"Maison", "Le climat du site doit avoir été donné (menu « Etude », « Climat du site... ») pour avoir un "
                   "aperçu ou une impression des déperditions !"}};
    for (const auto& [etude, message] : deperditions) {
        const Sortie s = Rapport("deperditions", pdf / "absent" / "r.pdf", etude, seul_);
        EXPECT_EQ(s.statut, 3);
        EXPECT_EQ(s.erreurs, "sorvel-calcul : " + message + "\n");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(pdf), {}), 1);
    EXPECT_EQ(Lire(pdf / "existant.pdf"), "ancien");
}

// The calculation needs neither the module nor Qt Gui: the program alone
// prints the same CSV, and links Qt Core, never Qt Gui.
TEST_F(Pdf, CalculSansQtGui) {
    EXPECT_EQ(Lancer({Dossier(), "Maison"}, "", seul_).sortie, Lancer({Dossier(), "Maison"}).sortie);
    const std::string liens = Lancer({"-d", Programme.string()}, "", "/usr/bin/readelf").sortie;
    EXPECT_NE(liens.find("[libQt6Core.so.6]"), std::string::npos) << liens;
    EXPECT_EQ(liens.find("libQt6Gui"), std::string::npos) << liens;
}

// The 12-room study kept with the sources (the screenshots print it) is the
// example house as the program stores it today.
TEST(EtudeExemple, MaisonDouzePieces) {
    const std::string base = fs::path(SORVEL_DONNEES_TESTS) / "Maison 12 pièces";
    const EtudeStockee e = Stocker(exemples::Generales(), exemples::Maison12Pieces());
    EXPECT_EQ(Lire(base + ".plg"), Octets(std::vector{e.generales}));
    EXPECT_EQ(Lire(base + ".pla"), Octets(e.pieces));
    EXPECT_EQ(Lire(base + ".plp"), Octets(e.pertes));
}

} // namespace
