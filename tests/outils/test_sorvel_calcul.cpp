// The command-line tool run as a process on study files written with the
// record encoder.

#include "commun/Nombres.h"
#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Materiel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUtf8StringView>

#include <gtest/gtest.h>

#include "Exemples.h"
#include "EtudeEnregistreeTest.h"

#include <sys/wait.h>
#include <unistd.h>

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
    // The three files of a stored study as the program writes them, or with
    // the pressure-drop records given.
    void EcrireEtude(const std::string& nom, const DonneesGenerales& g, const std::vector<DonneesPiece>& pieces,
                     const std::vector<PerteCharge>& pertes = {}) {
        test::EcrireEtudeEnregistree(dossier_, nom, g, pieces);
        if (pertes.empty())
            return;
        std::string plp;
        for (const PerteCharge& p : pertes) {
            const auto op = Encoder(p);
            plp.append(op.begin(), op.end());
        }
        Ecrire(nom + ".plp", plp);
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
    void Vider() {
        for (const auto& f : fs::directory_iterator(dossier_))
            fs::remove_all(f.path());
    }

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

// The same study's rooms as the tool reads them back from their records.
std::vector<DonneesPiece> Relues(const std::vector<DonneesPiece>& pieces) {
    std::vector<DonneesPiece> relues;
    for (const DonneesPiece& p : pieces)
        relues.push_back(DecoderPiece(Encoder(p).data()));
    return relues;
}

// The same study recalculated here from its records as the tool reads them.
ResultatEtude Recalculee(const DonneesGenerales& g) { return CalculEtude(Relues(QuatreTypes()), g); }

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

        // The balancing of every loop, room by room, the normal loop first,
        // every number exactly; the open valve's Kv is null.
        const EquilibrageEtude equilibrage = CalculerEquilibrage(Relues(QuatreTypes()), g, attendu);
        const QJsonArray boucles = o.value("equilibrage").toArray();
        ASSERT_EQ(boucles.size(), 5); // the room of type 1 has two loops
        ASSERT_EQ(static_cast<std::size_t>(boucles.size()), equilibrage.Boucles.size());
        int ouvertes = 0;
        for (int n = 0; n < boucles.size(); ++n) {
            SCOPED_TRACE("loop " + std::to_string(n));
            const ReglageBoucle& b = equilibrage.Boucles[static_cast<std::size_t>(n)];
            const QJsonObject j = boucles.at(n).toObject();
            EXPECT_EQ(j.keys(), (QStringList{"alertes", "boucle", "bouclesConseillees", "debit", "kv", "perte",
                                             "perteArtificielle", "piece", "vitesse"}));
            EXPECT_EQ(j.value("piece").toInt(), n < 2 ? n + 1 : n);
            EXPECT_EQ(j.value("boucle").toString(), n == 2 ? "bordure" : "normale");
            EXPECT_EQ(j.value("debit").toDouble(), b.Debit);
            EXPECT_EQ(j.value("perte").toDouble(), b.Perte);
            EXPECT_EQ(j.value("perteArtificielle").toDouble(), b.PerteArtificielle);
            EXPECT_EQ(j.value("vitesse").toDouble(), b.Vitesse);
            if (b.Kv)
                EXPECT_EQ(j.value("kv").toDouble(), *b.Kv);
            else
                ouvertes += j.value("kv").isNull() ? 1 : 100;
            EXPECT_EQ(j.value("bouclesConseillees").toInt(), b.BouclesConseillees);
            QJsonArray alertes;
            if (b.AlerteVitesse)
                alertes.append("vitesse");
            if (b.AlerteLaminaire)
                alertes.append("laminaire");
            if (b.AlerteLongueur)
                alertes.append("longueur");
            EXPECT_EQ(j.value("alertes").toArray(), alertes);
        }
        EXPECT_EQ(ouvertes, 1);
        ASSERT_TRUE(equilibrage.TempDepartMinimale);
        EXPECT_EQ(o.value("TempDepartMinimale"), QJsonValue(*equilibrage.TempDepartMinimale));
    }
}

// The lowest supply temperature: a whole number, or null when even 50 °C
// needs supplementary heat; a loop over the red length is advised as equal
// loops.
TEST_F(SorvelCalcul, JsonTempDepartMinimaleEtBouclesTropLongues) {
    struct Cas { const char* quoi; std::vector<DonneesPiece> pieces; QJsonValue temperature; };
    const Cas cas[] = {
        {"38 °C", {exemples::Piece("Séjour", 0, 30, 2000), exemples::Piece("Chambre", 0, 12, 600)}, 38},
        {"aucune", {exemples::Piece("Véranda", 0, 30, 4000)}, QJsonValue(QJsonValue::Null)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EcrireEtude("Maison", Generales(0, Tube16x20), c.pieces);
        const Sortie s = Lancer("--json " + Dossier() + " Maison");
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(s.sortie)).object();
        ASSERT_TRUE(o.contains("TempDepartMinimale"));
        EXPECT_EQ(o.value("TempDepartMinimale"), c.temperature);
    }
    // The 30 m² living room at a 10 cm pitch lays a loop of over 160 m.
    EcrireEtude("Maison", Generales(0, Tube16x20), {exemples::Piece("Séjour", 0, 30, 3500)});
    const ResultatEtude r = CalculEtude(Relues({exemples::Piece("Séjour", 0, 30, 3500)}), Generales(0, Tube16x20));
    const double longueur = *NombreCellule(r.Table.Cell(ColonneEtude::LongueurNormale, 1));
    ASSERT_GT(longueur, 160);
    ASSERT_LE(longueur, 320);
    const Sortie s = Lancer("--json " + Dossier() + " Maison");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    const QJsonObject boucle =
        QJsonDocument::fromJson(QByteArray::fromStdString(s.sortie)).object().value("equilibrage").toArray().at(0).toObject();
    EXPECT_TRUE(boucle.value("alertes").toArray().contains(QJsonValue("longueur")));
    EXPECT_EQ(boucle.value("bouclesConseillees").toInt(), 2);
    EXPECT_TRUE(boucle.value("kv").isNull());
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
    // Rooms, material, then the balancing of the five loops.
    ASSERT_EQ(lignes.size(), 1u + 4 + 1 + 12 + 1 + 1 + 1 + 5 + 1 + 1);
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
    EXPECT_TRUE(lignes[18].empty());
    EXPECT_EQ(lignes[19], "Équilibrage");
    EXPECT_EQ(lignes[20].rfind("Pièce;Boucle;Débit (l/h);", 0), 0u) << lignes[20];
    EXPECT_EQ(lignes[21].rfind("\"Séjour; salon\";normale;", 0), 0u) << lignes[21];
    EXPECT_EQ(lignes[23].rfind("\"Véranda \"\"sud\"\"\";bordure;", 0), 0u) << lignes[23];
    EXPECT_TRUE(lignes[26].empty());
    const auto t = TempDepartMinimale(Relues(QuatreTypes()), g);
    ASSERT_TRUE(t);
    EXPECT_EQ(lignes[27], "Température de départ minimale sans appoint;" + std::to_string(*t) + ";°C");
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
    EXPECT_EQ(o.value("equilibrage"), QJsonArray());
    // No room needs supplementary heat at the lowest temperature.
    EXPECT_EQ(o.value("TempDepartMinimale"), QJsonValue(30));
}

TEST_F(SorvelCalcul, FichiersAbsentsOuIllisibles) {
    // Each file error gives its real cause: "introuvable" only for a file or
    // folder that does not exist.
    struct Cas { const char* quoi; std::function<void(SorvelCalcul&)> preparer; std::string dossier; std::string message; };
    const std::string d = dossier_.string();
    auto etude = [](SorvelCalcul& t) { t.EcrireEtude("Etude", Generales(0, 0), {Piece("Chambre", 0, 11, "10")}); };
    const Cas cas[] = {
        {"pla absent", [&](SorvelCalcul& t) { etude(t); fs::remove(t.dossier_ / "Etude.pla"); }, d,
         "Le fichier « " + d + "/Etude.pla » est introuvable."},
        {"plg absent", [&](SorvelCalcul& t) { etude(t); fs::remove(t.dossier_ / "Etude.plg"); }, d,
         "Le fichier « " + d + "/Etude.plg » est introuvable."},
        {"plp absent", [&](SorvelCalcul& t) { etude(t); fs::remove(t.dossier_ / "Etude.plp"); }, d,
         "Le fichier « " + d + "/Etude.plp » est introuvable."},
        {"dossier absent", etude, d + "/absent", "Le fichier « " + d + "/absent/Etude.plg » est introuvable."},
        {"un dossier au nom du fichier", [&](SorvelCalcul& t) {
             etude(t);
             fs::remove(t.dossier_ / "Etude.pla");
             fs::create_directory(t.dossier_ / "Etude.pla");
         }, d, "« " + d + "/Etude.pla » n'est pas un fichier."},
        {"un fichier pris pour le dossier", etude, d + "/Etude.plg",
         "Impossible de lire le fichier « " + d + "/Etude.plg/Etude.plg » : un élément du chemin n'est pas un dossier."},
        {"nom trop long", etude, d + "/" + std::string(300, 'n'),
         "Impossible de lire le fichier « " + d + "/" + std::string(300, 'n') + "/Etude.plg » : le nom du fichier est "
         "trop long."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Vider();
        c.preparer(*this);
        const Sortie s = Lancer("--json '" + c.dossier + "' Etude");
        EXPECT_EQ(s.statut, 2);
        EXPECT_TRUE(s.sortie.empty());
        EXPECT_EQ(s.erreurs, "sorvel-calcul : " + c.message + "\n");
    }
    // A file the user may not read (the administrator reads everything).
    if (::geteuid() != 0) {
        Vider();
        etude(*this);
        fs::permissions(dossier_ / "Etude.pla", fs::perms::none);
        const Sortie s = Lancer(Dossier() + " Etude");
        EXPECT_EQ(s.statut, 2);
        EXPECT_NE(s.erreurs.find("Etude.pla » : l'accès est refusé."), std::string::npos) << s.erreurs;
    }
}

TEST_F(SorvelCalcul, LongueursIncompletes) {
    struct Cas { const char* quoi; const char* fichier; const char* ajout; const char* message; };
    const Cas cas[] = {
        {"pla incomplet", "Etude.pla", "xyz", "sa longueur n'est pas un nombre entier de pièces"},
        {"plp incomplet", "Etude.plp", "x", "sa longueur n'est pas un nombre entier de pertes de charge"},
        {"plg trop long", "Etude.plg", "12345", "sa longueur ne correspond pas aux données générales"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Vider();
        EcrireEtude("Etude", Generales(0, 0), {Piece("Chambre", 0, 11, "10")});
        std::ofstream(dossier_ / c.fichier, std::ios::binary | std::ios::app) << c.ajout;
        const Sortie s = Lancer(Dossier() + " Etude");
        EXPECT_EQ(s.statut, 2);
        EXPECT_TRUE(s.sortie.empty());
        EXPECT_NE(s.erreurs.find(std::string(c.fichier) + " » est endommagé : " + c.message), std::string::npos)
            << s.erreurs;
    }
    Vider();
    EcrireEtude("Etude", Generales(0, 0), {});
    Ecrire("Etude.plg", "");
    EXPECT_EQ(Lancer(Dossier() + " Etude").statut, 2);
}

// One damaged study per category of the check: every one is refused with
// status 2, nothing on the output, and a message naming the file, the room
// and the field by its caption.
TEST_F(SorvelCalcul, EtudesEndommagees) {
    using P = std::vector<DonneesPiece>&;
    using G = DonneesGenerales&;
    using T = std::vector<PerteCharge>&;
    struct Cas {
        const char* quoi;
        std::function<void(G, P, T)> abimer;
        const char* fichier;
        const char* piece; // "" for the general data and the whole file
        const char* champ;
    };
    const Cas cas[] = {
        {"option 7", [](G g, P, T) { g.Support = 7; }, "Etude.plg", "", "champ « Support (type de fixation des tubes) »"},
        {"option -3", [](G g, P, T) { g.Chape = -3; }, "Etude.plg", "", "champ « Chape »"},
        {"depart 99", [](G g, P, T) { g.TempDepart = "99"; }, "Etude.plg", "",
         "champ « Température de départ du fluide »"},
        {"chape 9 cm", [](G g, P, T) { g.EpaisChape = 9; }, "Etude.plg", "", "champ « Epaisseur moyenne de la chape »"},
        {"type de charge 5", [](G, P p, T) { p[1].TypeCharge = 5; }, "Etude.pla", "pièce 2 « Véranda \"sud\" »",
         "champ « Type de charge du panneau »"},
        {"chute -32768", [](G, P p, T) { p[0].TempChute = -32768; }, "Etude.pla", "pièce 1 « Séjour; salon »",
         "champ « Chute de température du fluide (DeltaT Départ/Retour) »"},
        {"temperature de piece 30", [](G, P p, T) { p[2].TempPiece = "30"; }, "Etude.pla", "pièce 3 « Cuisine »",
         "champ « Température ambiante de la pièce »"},
        {"pas de bordure 7", [](G, P p, T) { p[3].PasVZBordure = "7"; }, "Etude.pla", "pièce 4 « Chambre »",
         "champ « Pas VZ zone de bordure (élevée/limite) »"},
        {"resistance 9.99", [](G, P p, T) { p[3].RthFuture = "9.99"; }, "Etude.pla", "pièce 4 « Chambre »",
         "champ « Résistance future »"},
        {"isolant 9", [](G, P p, T) { p[2].IsoApport = "9"; }, "Etude.pla", "pièce 3 « Cuisine »",
         "champ « Epaisseur de l'isolant (Apport par le plafond) »"},
        {"surface negative", [](G, P p, T) { p[1].SurfacePiece = -20.72; }, "Etude.pla",
         "pièce 2 « Véranda \"sud\" »", "champ « Surface de la pièce »"},
        {"plafond 1,7E308", [](G, P p, T) { p[0].SurfacePlafond = 1.7e308; }, "Etude.pla",
         "pièce 1 « Séjour; salon »", "champ « Surface du plancher haut »"},
        {"deperditions NaN", [](G, P p, T) { p[2].DeperdPiece = std::nan(""); }, "Etude.pla", "pièce 3 « Cuisine »",
         "champ « Déperditions de la pièce »"},
        {"raccord infini", [](G, P p, T) { p[1].LongRaccordBordure = INFINITY; }, "Etude.pla",
         "pièce 2 « Véranda \"sud\" »", "champ « Longueur des conduites de raccordement (si boucle indépendante) »"},
        {"31 pieces", [](G, P p, T) { p.resize(31, p[3]); }, "Etude.pla", "", "il contient plus de 30 pièces"},
        {"une perte de charge de trop", [](G, P, T t) { t.push_back(PerteChargePiece(10, 0)); }, "Etude.plp", "",
         "il contient 5 pertes de charge pour 4 pièces"},
        {"perte de charge NaN", [](G, P, T t) { t[2].PerteMax = std::nan(""); }, "Etude.plp", "pièce 3 « Cuisine »",
         "champ « Perte de charge la plus élevée de la pièce »"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Vider();
        DonneesGenerales g = Generales(0, 1);
        std::vector<DonneesPiece> pieces = QuatreTypes();
        std::vector<PerteCharge> pertes(4, PerteChargePiece(350, 0));
        c.abimer(g, pieces, pertes);
        pertes.resize(std::max(pertes.size(), pieces.size()), PerteChargePiece(350, 0));
        EcrireEtude("Etude", g, pieces, pertes);
        const Sortie s = Lancer("--json " + Dossier() + " Etude");
        EXPECT_EQ(s.statut, 2);
        EXPECT_TRUE(s.sortie.empty());
        const std::string debut =
            "sorvel-calcul : Le fichier « " + (dossier_ / c.fichier).string() + " » est endommagé : ";
        EXPECT_EQ(s.erreurs.rfind(debut, 0), 0u) << s.erreurs;
        EXPECT_NE(s.erreurs.find(c.piece), std::string::npos) << s.erreurs;
        EXPECT_NE(s.erreurs.find(c.champ), std::string::npos) << s.erreurs;
    }
}

TEST_F(SorvelCalcul, PieceImpossibleACalculer) {
    // Room 3, with a 12 K drop from a 30 degC supply, has its mean water
    // temperature (24 degC) equal to its room temperature: every value is
    // one the screens offer, yet the room cannot be calculated.
    DonneesGenerales g = Generales(1, 0);
    g.TempDepart = "30";
    std::vector<DonneesPiece> pieces = QuatreTypes();
    pieces[2].TempPiece = "24";
    pieces[2].TempChute = 12;
    EcrireEtude("Etude", g, pieces);
    const Sortie s = Lancer(Dossier() + " Etude");
    EXPECT_EQ(s.statut, 3);
    EXPECT_NE(s.erreurs.find("pièce 3 « Cuisine » ne peut pas être calculée : la température moyenne"),
              std::string::npos) << s.erreurs;
    EXPECT_TRUE(s.sortie.empty());

    // A name holding a NUL and control bytes still gives the whole message,
    // its controls shown by their symbols.
    pieces[2].NomPiece = std::string("Cui\0sine\x07\n", 10);
    EcrireEtude("Etude", g, pieces);
    const Sortie n = Lancer(Dossier() + " Etude");
    EXPECT_EQ(n.statut, 3);
    EXPECT_NE(n.erreurs.find("pièce 3 « Cui␀sine␇␊ » ne peut pas être calculée : la température moyenne de l'eau"),
              std::string::npos) << n.erreurs;
    EXPECT_EQ(n.erreurs.find('\0'), std::string::npos);
}

// Room names and study names holding any characters: the CSV carries no raw
// control byte, the JSON is valid UTF-8 and keeps the names exactly
// (escaped).
TEST_F(SorvelCalcul, NomsQuelconques) {
    std::vector<DonneesPiece> pieces = QuatreTypes();
    pieces[0].NomPiece = std::string("Bur\0eau\tnord\r\n", 14);
    // Record bytes 0x81 (no character in Windows-1252, kept as U+0081) and
    // 0x1B, written as they would be found in a damaged file.
    pieces[1].NomPiece = "Salle \xC2\x81\x1B";
    const std::string nom = "Etude \x01\x7F";
    EcrireEtude(nom, Generales(0, 1), pieces);

    const Sortie csv = Lancer(Dossier() + " '" + nom + "'");
    ASSERT_EQ(csv.statut, 0) << csv.erreurs;
    for (const char c : csv.sortie)
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << static_cast<int>(c);
    EXPECT_EQ(std::count(csv.sortie.begin(), csv.sortie.end(), '\n'), 1 + 4 + 1 + 12 + 10);
    EXPECT_NE(csv.sortie.find("\nBur␀eau␉nord␍␊;20;"), std::string::npos) << csv.sortie;
    EXPECT_NE(csv.sortie.find("\nSalle �␛;"), std::string::npos) << csv.sortie;

    const Sortie json = Lancer("--json " + Dossier() + " '" + nom + "'");
    ASSERT_EQ(json.statut, 0) << json.erreurs;
    const QByteArray octets = QByteArray::fromStdString(json.sortie);
    EXPECT_TRUE(QUtf8StringView(octets).isValidUtf8());
    QJsonParseError erreur;
    const QJsonObject o = QJsonDocument::fromJson(octets, &erreur).object();
    ASSERT_EQ(erreur.error, QJsonParseError::NoError) << erreur.errorString().toStdString();
    EXPECT_EQ(o.value("etude").toString(), QString::fromUtf8(nom));
    const QJsonArray lignes = o.value("pieces").toArray();
    EXPECT_EQ(lignes.at(0).toArray().at(0).toString(), QString::fromUtf8(pieces[0].NomPiece.data(), 14));
    EXPECT_EQ(lignes.at(1).toArray().at(0).toString(), QString::fromUtf8("Salle \xC2\x81\x1B"));

    // A study name that is no UTF-8 cannot be opened; the message says so in
    // valid UTF-8, without raw control bytes.
    const Sortie invalide = Lancer("--json " + Dossier() + " 'Etude \xFF\x01'");
    EXPECT_EQ(invalide.statut, 2);
    EXPECT_TRUE(invalide.sortie.empty());
    EXPECT_TRUE(QUtf8StringView(QByteArray::fromStdString(invalide.erreurs)).isValidUtf8()) << invalide.erreurs;
    for (std::size_t i = 0; i + 1 < invalide.erreurs.size(); ++i)
        EXPECT_GE(static_cast<unsigned char>(invalide.erreurs[i]), 0x20) << invalide.erreurs;
}

TEST_F(SorvelCalcul, AideEtLigneDeCommande) {
    const Sortie aide = Lancer("--help");
    EXPECT_EQ(aide.statut, 0);
    EXPECT_NE(aide.sortie.find("Usage : sorvel-calcul [--json] DOSSIER NOM"), std::string::npos);
    EXPECT_NE(aide.sortie.find("endommagé"), std::string::npos);
    for (const char* mot : {"Équilibrage", "\"equilibrage\"", "\"TempDepartMinimale\"", "\"perteArtificielle\"",
                            "\"kv\"", "\"alertes\""})
        EXPECT_NE(aide.sortie.find(mot), std::string::npos) << mot;
    EXPECT_EQ(Lancer("").statut, 1);
    EXPECT_EQ(Lancer("--xml a b").statut, 1);
}

} // namespace
