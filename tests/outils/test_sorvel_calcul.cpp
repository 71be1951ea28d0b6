// The command-line tool run as a process on study files written with the
// record encoder.

#include "commun/Nombres.h"
#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"
#include "etude/Materiel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "Exemples.h"
#include "EtudeEnregistreeTest.h"

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace sorvel;

namespace {

struct Sortie {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
};

class SorvelCalcul : public ::testing::Test {
public:
    void SetUp() override {
        dossier_ = fs::temp_directory_path()
            / ("sorvel-calcul-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dossier_);
        fs::create_directories(dossier_);
    }
    void TearDown() override { fs::remove_all(dossier_); }

    void Ecrire(const std::string& nomFichier, const std::string& octets) {
        std::ofstream f(dossier_ / nomFichier, std::ios::binary);
        f << octets;
    }
    void EcrireEtude(const std::string& nom, const DonneesGenerales& g, const std::vector<DonneesPiece>& pieces) {
        test::EcrireEtudeEnregistree(dossier_, nom, g, pieces);
    }
    static std::string Lire(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    Sortie Lancer(const std::string& arguments, const std::string& environnement = "") {
        const fs::path out = dossier_ / "sortie.txt", err = dossier_ / "erreurs.txt";
        const std::string commande = environnement + " '" SORVEL_CALCUL_EXE "' " + arguments + " > '"
            + out.string() + "' 2> '" + err.string() + "'";
        const int brut = std::system(commande.c_str());
        Sortie s;
        s.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
        s.sortie = Lire(out);
        s.erreurs = Lire(err);
        return s;
    }
    std::string Dossier() const { return "'" + dossier_.string() + "'"; }

    fs::path dossier_;
};

using exemples::Generales;

// The shared room with 1.5 m² of obstacles (a decimal for the CSV to show),
// 60 W of losses per m², and crossing pipes in the combined room.
DonneesPiece Piece(const std::string& nom, std::int16_t type, double surface, const char* pasBordure) {
    DonneesPiece p = exemples::Piece(nom, type, surface, 60 * surface);
    p.SurfaceEmprises = 1.5;
    p.PasVZBordure = pasBordure;
    p.LongDistri = type == 2 ? 3 : 0;
    return p;
}

std::vector<DonneesPiece> QuatreTypes() {
    return {Piece("Séjour; salon", 0, 28, "10"), Piece("Véranda \"sud\"", 1, 15, "5"),
            Piece("Cuisine", 2, 13, "15"), Piece("Chambre", 3, 11, "10")};
}

// The same study recalculated here from its records as the tool reads them.
ResultatEtude Recalculee(const DonneesGenerales& g) {
    std::vector<DonneesPiece> relues;
    for (const DonneesPiece& p : QuatreTypes())
        relues.push_back(DecoderPiece(Encoder(p).data()));
    return CalculEtude(relues, g);
}

TEST_F(SorvelCalcul, JsonCompletPourTousLesTypesSupportsEtTubes) {
    for (std::int16_t variante : {0, 1}) {
        SCOPED_TRACE(variante);
        const DonneesGenerales g = Generales(variante, variante);
        EcrireEtude("Maison", g, QuatreTypes());
        // A French locale must not change the numbers' form.
        const Sortie s = Lancer("--json " + Dossier() + " Maison", "LC_ALL=fr_FR.UTF-8");
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        EXPECT_TRUE(s.erreurs.empty());
        QJsonParseError erreur;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(s.sortie), &erreur);
        ASSERT_EQ(erreur.error, QJsonParseError::NoError) << erreur.errorString().toStdString() << "\n" << s.sortie;
        const QJsonObject o = doc.object();
        EXPECT_EQ(o.value("etude").toString(), "Maison");

        // Every value must come back exactly: the cells that do not exist
        // for a load type as "", names with their separators and quotes.
        const ResultatEtude attendu = Recalculee(g);
        EXPECT_EQ(o.value("PerteMaxi").toDouble(), attendu.PerteMaxi);
        EXPECT_EQ(o.value("DebitTotal").toDouble(), attendu.DebitTotal);
        const QJsonArray pieces = o.value("pieces").toArray();
        ASSERT_EQ(pieces.size(), 4);
        for (int i = 1; i <= 4; ++i) {
            const QJsonArray ligne = pieces.at(i - 1).toArray();
            ASSERT_EQ(ligne.size(), 41);
            for (int k = 1; k <= 41; ++k) {
                SCOPED_TRACE("room " + std::to_string(i) + " column " + std::to_string(k));
                const Cellule& c = attendu.Table.Cell(k, i);
                const QJsonValue v = ligne.at(k - 1);
                if (const auto* t = std::get_if<std::string>(&c))
                    EXPECT_EQ(v.toString().toStdString(), *t);
                else if (const auto x = NombreCellule(c))
                    EXPECT_TRUE(v.isDouble() && v.toDouble() == *x) << v.toDouble() << " / " << *x;
                else
                    EXPECT_EQ(v, QJsonValue(QString()));
            }
        }

        const std::vector<CelluleMateriel> materiel = Materiel(attendu.Table, g);
        const QJsonArray m = o.value("materiel").toArray();
        ASSERT_EQ(m.size(), 12);
        for (int n = 0; n < 12; ++n) {
            if (const auto* t = std::get_if<std::string>(&materiel[static_cast<std::size_t>(n)]))
                EXPECT_EQ(m.at(n).toString().toStdString(), *t);
            else
                EXPECT_EQ(m.at(n).toDouble(), std::get<double>(materiel[static_cast<std::size_t>(n)]));
        }
    }
}

TEST_F(SorvelCalcul, CsvPourUnTableurFrancais) {
    const DonneesGenerales g = Generales(0, 1);
    EcrireEtude("Maison", g, QuatreTypes());
    const Sortie s = Lancer(Dossier() + " Maison");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    std::vector<std::string> lignes;
    std::istringstream flux(s.sortie);
    for (std::string l; std::getline(flux, l);)
        lignes.push_back(l);
    ASSERT_EQ(lignes.size(), 1u + 4 + 1 + 12);
    EXPECT_EQ(lignes[0].rfind("Désignation;T° pièce;Surface pièce;", 0), 0u);
    EXPECT_EQ(std::count(lignes[0].begin(), lignes[0].end(), ';'), 40);
    // A name holding the separator or quotes is quoted.
    EXPECT_EQ(lignes[1].rfind("\"Séjour; salon\";20;28;1,5;26,5;", 0), 0u) << lignes[1];
    EXPECT_EQ(lignes[2].rfind("\"Véranda \"\"sud\"\"\";", 0), 0u) << lignes[2];
    // Numbers rounded to 2 decimals, halves to even, with a comma.
    const std::string debit = FormatGeneral(Arrondir(std::get<double>(Recalculee(g).Table.Cell(ColonneEtude::DebitNormale, 3)), 2));
    EXPECT_NE(lignes[3].find(";" + debit + ";"), std::string::npos) << debit << "\n" << lignes[3];
    EXPECT_TRUE(lignes[5].empty());
    EXPECT_EQ(lignes[6].rfind("Longueur totale de tube;", 0), 0u);
    EXPECT_EQ(lignes[7], "Diamètre du tube;16x20;mm");
    EXPECT_EQ(lignes[8], "Type de fixation;Treillis;-");
}

TEST_F(SorvelCalcul, EtudeSansPiece) {
    EcrireEtude("Vide", Generales(0, 0), {});
    const Sortie s = Lancer("--json " + Dossier() + " Vide");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(s.sortie)).object();
    EXPECT_EQ(o.value("pieces"), QJsonArray());
    EXPECT_EQ(o.value("materiel"), QJsonArray());
    EXPECT_EQ(o.value("PerteMaxi").toDouble(-1), 0);
    EXPECT_EQ(o.value("DebitTotal").toDouble(-1), 0);
}

TEST_F(SorvelCalcul, FichiersAbsentsOuEndommages) {
    struct Cas { const char* quoi; std::function<void(SorvelCalcul&)> preparer; const char* message; };
    const Cas cas[] = {
        {"pla absent", [](SorvelCalcul& t) {
             const auto g = Encoder(Generales(0, 0));
             t.Ecrire("Etude.plg", std::string(g.begin(), g.end()));
         }, "introuvable"},
        {"plg absent", [](SorvelCalcul& t) { t.Ecrire("Etude.pla", ""); }, "introuvable"},
        {"plp absent", [](SorvelCalcul& t) {
             t.EcrireEtude("Etude", Generales(0, 0), {});
             fs::remove(t.dossier_ / "Etude.plp");
         }, "Etude.plp » est introuvable"},
        {"31 pieces", [](SorvelCalcul& t) {
             t.EcrireEtude("Etude", Generales(0, 0), std::vector<DonneesPiece>(31, Piece("Salon", 0, 20, "10")));
         }, "plus de 30 pièces"},
        {"longueur incomplete", [](SorvelCalcul& t) {
             t.EcrireEtude("Etude", Generales(0, 0), {Piece("Chambre", 0, 11, "10")});
             std::ofstream(t.dossier_ / "Etude.pla", std::ios::binary | std::ios::app) << "xyz";
         }, "endommagé"},
        {"plg vide", [](SorvelCalcul& t) {
             t.EcrireEtude("Etude", Generales(0, 0), {});
             t.Ecrire("Etude.plg", "");
         }, "endommagé"},
        {"type de charge 5", [](SorvelCalcul& t) {
             DonneesPiece p = Piece("Chambre", 0, 11, "10");
             p.TypeCharge = 5;
             t.EcrireEtude("Etude", Generales(0, 0), {Piece("Salon", 0, 20, "10"), p});
         }, "pièce 2"},
        {"temperature de depart illisible", [](SorvelCalcul& t) {
             DonneesGenerales g = Generales(0, 0);
             g.TempDepart = "x";
             t.EcrireEtude("Etude", g, {Piece("Salon", 0, 20, "10")});
         }, "température de départ"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        for (const auto& f : fs::directory_iterator(dossier_))
            fs::remove(f.path());
        c.preparer(*this);
        const Sortie s = Lancer("--json " + Dossier() + " Etude");
        EXPECT_EQ(s.statut, 2);
        EXPECT_TRUE(s.sortie.empty());
        EXPECT_NE(s.erreurs.find(c.message), std::string::npos) << s.erreurs;
    }
}

TEST_F(SorvelCalcul, PieceImpossibleACalculer) {
    // Room 3's mean water temperature (42 degC) equals its room temperature.
    std::vector<DonneesPiece> pieces = QuatreTypes();
    pieces[2].TempPiece = "42";
    EcrireEtude("Etude", Generales(1, 0), pieces);
    const Sortie s = Lancer(Dossier() + " Etude");
    EXPECT_EQ(s.statut, 3);
    EXPECT_NE(s.erreurs.find("pièce 3 « Cuisine »"), std::string::npos) << s.erreurs;
    EXPECT_TRUE(s.sortie.empty());
}

TEST_F(SorvelCalcul, AideEtLigneDeCommande) {
    const Sortie aide = Lancer("--help");
    EXPECT_EQ(aide.statut, 0);
    EXPECT_NE(aide.sortie.find("Usage : sorvel-calcul [--json] DOSSIER NOM"), std::string::npos);
    EXPECT_NE(aide.sortie.find("endommagé"), std::string::npos);
    EXPECT_EQ(Lancer("").statut, 1);
    EXPECT_EQ(Lancer("--xml a b").statut, 1);
}

} // namespace
