// The study's working, scratch and stored files in the folder `Etudes`.

#include "ExemplesEtude.h"
#include "LimiteTailleFichier.h"
#include "stockage/ModEnregistrer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>
#include <unistd.h>

using namespace sorvel;
using sorvel::test::LimiteTailleFichier;

namespace {

class Fichiers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier_.isValid());
        E = DossierEtudes(dossier_.path() + "/Etudes");
        E.PreparerDemarrage();
    }

    QByteArray Contenu(const QString& nom) {
        QFile f(E.Chemin(nom));
        if (!f.open(QIODevice::ReadOnly)) return QByteArray("<absent>");
        return f.readAll();
    }
    void Poser(const QString& nom, const QByteArray& octets) {
        QFile f(E.Chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    bool Existe(const QString& nom) { return QFileInfo::exists(E.Chemin(nom)); }
    QStringList Dossier() { return QDir(E.Chemin()).entryList(QDir::Files | QDir::Hidden); }
    // The French message of the file error the operation raises.
    std::string Message(const std::function<void()>& operation) {
        try {
            operation();
        } catch (const ErreurFichier& e) {
            return e.messageFrancais().toStdString();
        }
        return "<aucune erreur>";
    }
    bool Contient(const std::string& texte, const std::string& morceau) {
        return texte.find(morceau) != std::string::npos;
    }
    // The stored study "Maison" and the working files, to compare byte for byte.
    void Stocker() { E.CopierEtude("Maison.pla", "Maison.plp", "Maison.plg"); }
    std::vector<QByteArray> Stockee() {
        return {Contenu("Maison.pla"), Contenu("Maison.plp"), Contenu("Maison.plg")};
    }
    std::vector<QByteArray> Travail() {
        return {Contenu(FichierEtude), Contenu(FichierPerte), Contenu(FichierGenerales)};
    }

    // "Maison" stored with n rooms; gives its stored files.
    std::vector<QByteArray> StockerMaison(int n) {
        Remplir(n);
        E.EcrireGenerales(DonneesGenerales{});
        Stocker();
        return Stockee();
    }

    DonneesPiece Piece(int i) { return test::PieceExemple(i); }
    // A study of n rooms in the working files.
    void Remplir(int n) {
        for (int i = 1; i <= n; ++i)
            test::AjouterPieceExemple(E, i);
    }

    QTemporaryDir dossier_;
    DossierEtudes E{QString()};
};

TEST_F(Fichiers, TaillesDesFichiersDeTrentePieces) {
    Remplir(30);
    const DonneesGenerales g{.TempDepart = "45"};
    E.EcrireGenerales(g);
    E.EcrireGenerales(g); // record 1 again, not appended
    // 30 × 136 and 30 × 24 bytes, no header, no padding
    EXPECT_EQ(Contenu(FichierEtude).size(), 4080);
    EXPECT_EQ(Contenu(FichierPerte).size(), 720);
    EXPECT_EQ(Contenu(FichierGenerales).size(), 10);
    EXPECT_EQ(E.NombrePieces(), 30);
    EXPECT_EQ(E.LireGenerales(), g);
}

TEST_F(Fichiers, EcrireEtLirePieces) {
    Remplir(3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(E.LirePiece(i), Piece(i));
    }
    // An edited room is rewritten in place; its neighbours keep their bytes.
    const QByteArray avant = Contenu(FichierEtude);
    E.EcrirePiece(2, Piece(7));
    E.EcrirePerte(2, 1, 2, 2);
    const QByteArray apres = Contenu(FichierEtude);
    ASSERT_EQ(apres.size(), 3 * 136);
    EXPECT_EQ(apres.left(136), avant.left(136));
    EXPECT_EQ(apres.mid(272), avant.mid(272));
    EXPECT_EQ(E.LirePiece(2), Piece(7));
    EXPECT_EQ(E.LireToutesPertes()[1], (PerteCharge{1, 2, 2}));
    EXPECT_EQ(E.LireToutesPertes().size(), 3u);

    // Writing record count + 1 appends; beyond would leave a hole.
    E.EcrirePiece(4, Piece(4));
    EXPECT_EQ(E.LirePiece(4), Piece(4));
    EXPECT_THROW(E.EcrirePiece(6, Piece(6)), ErreurFichier);
    EXPECT_THROW(E.EcrirePiece(0, Piece(0)), ErreurFichier);
    EXPECT_THROW(E.EcrirePerte(5, 1, 1, 1), ErreurFichier);
    EXPECT_EQ(Contenu(FichierEtude).size(), 4 * 136);

    // Reading a room that does not exist is refused with a clear sentence.
    for (int n : {0, -1, 5}) {
        const std::string m = Message([&, n] { E.LirePiece(n); });
        EXPECT_TRUE(Contient(m, "« Etude.tmp »") && Contient(m, "n° " + std::to_string(n))) << m;
    }
}

TEST_F(Fichiers, DonneesGeneralesAbsentes) {
    // Generale.tmp missing or empty: no record 1 to show.
    EXPECT_THROW(E.LireGenerales(), ErreurFichier);
    EXPECT_TRUE(Existe(FichierGenerales)); // opening created it, empty
    EXPECT_EQ(Contenu(FichierGenerales).size(), 0);
}

TEST_F(Fichiers, ListerPieces) {
    struct Cas { std::vector<std::string> noms; QStringList avant; QStringList apres; };
    const Cas cas[] = {
        // an empty file leaves the list as it was
        {{}, {}, {}},
        {{}, {"ancien"}, {"ancien"}},
        // the list grows to the room count
        {{"Salon", "Cuisine"}, {}, {"Salon", "Cuisine"}},
        // elements beyond the count are kept, the others replaced
        {{"Salon", "Cuisine"}, {"a", "b", "c", "d"}, {"Salon", "Cuisine", "c", "d"}},
        // names are given trimmed
        {{"   Séjour  "}, {}, {"Séjour"}},
    };
    for (const auto& c : cas) {
        E.SupprimerFichier(FichierEtude);
        for (std::size_t i = 0; i < c.noms.size(); ++i) test::AjouterPieceExemple(E, static_cast<int>(i) + 1, c.noms[i]);
        QStringList liste = c.avant;
        E.ListerPieces(liste);
        EXPECT_EQ(liste, c.apres) << c.noms.size() << " pièces";
    }
}

TEST_F(Fichiers, PerteMaxEtude) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Cas { const char* quoi; std::vector<double> maxis; double attendu; };
    const Cas cas[] = {
        {"vide", {}, 0},
        {"toutes négatives", {-5, -0.5, -100}, 0},
        {"zéros", {0, 0}, 0},
        {"la plus grande", {120.5, 830.25, 415}, 830.25},
        {"dernière", {1, 2, 3}, 3},
        {"mêlées", {-10, 40, -50, 39.9}, 40},
        // a damaged record (NaN) is never larger than anything
        {"NaN", {nan, 12, nan}, 12},
    };
    for (const auto& c : cas) {
        Poser(FichierPteTemp, {});
        for (double m : c.maxis) E.AjouterPerte(0, 0, m, FichierPteTemp);
        EXPECT_EQ(E.PerteMaxEtude(FichierPteTemp), c.attendu) << c.quoi;
    }
    // A missing file gives 0 and is left behind empty.
    ASSERT_FALSE(Existe(QStringLiteral("Absent.tmp")));
    EXPECT_EQ(E.PerteMaxEtude(QStringLiteral("Absent.tmp")), 0);
    EXPECT_TRUE(Existe(QStringLiteral("Absent.tmp")));
    EXPECT_EQ(Contenu(QStringLiteral("Absent.tmp")).size(), 0);
}

TEST_F(Fichiers, SupprimerUnePiece) {
    // Each case: rooms in the study, room deleted, rooms left (by old number).
    struct Cas { int pieces; int k; std::vector<int> restent; };
    const Cas cas[] = {
        {4, 2, {1, 3, 4}},
        {4, 1, {2, 3, 4}},
        {4, 4, {1, 2, 3}},
        {1, 1, {}},
        {3, 9, {1, 2, 3}}, // no such room: nothing removed
    };
    for (const auto& c : cas) {
        E.SupprimerFichier(FichierEtude);
        E.SupprimerFichier(FichierPerte);
        Remplir(c.pieces);
        const QByteArray pieces = Contenu(FichierEtude);
        const QByteArray pertes = Contenu(FichierPerte);
        E.SupprimerPieceFichiers(c.k);
        QByteArray piecesAttendues, pertesAttendues;
        for (int i : c.restent) {
            piecesAttendues += pieces.mid((i - 1) * 136, 136);
            pertesAttendues += pertes.mid((i - 1) * 24, 24);
        }
        EXPECT_EQ(Contenu(FichierEtude), piecesAttendues) << c.pieces << " / " << c.k;
        EXPECT_EQ(Contenu(FichierPerte), pertesAttendues) << c.pieces << " / " << c.k;
        EXPECT_FALSE(Existe(FichierTemp));
        EXPECT_FALSE(Existe(FichierPteTemp));
    }
}

TEST_F(Fichiers, SupprimerUnePieceSurAncienBrouillon) {
    // A Temp.tmp left longer by an interrupted run must not leak old rooms
    // into the rebuilt file.
    Remplir(2);
    Poser(FichierTemp, QByteArray(136 * 5, 'x'));
    Poser(FichierPteTemp, QByteArray(24 * 5, 'x'));
    E.SupprimerPieceFichiers(1);
    EXPECT_EQ(E.LireToutesPieces().size(), 1u);
    EXPECT_EQ(E.LirePiece(1), Piece(2));
    EXPECT_EQ(E.LireToutesPertes().size(), 1u);
}

TEST_F(Fichiers, FichierTronque) {
    // Two rooms and 50 bytes of a third one cut short (an interrupted copy).
    Remplir(2);
    QByteArray octets = Contenu(FichierEtude);
    octets += Contenu(FichierEtude).left(50);
    Poser(FichierEtude, octets);
    int enTrop = -1;
    EXPECT_EQ(E.LireToutesPieces(FichierEtude, &enTrop).size(), 2u);
    EXPECT_EQ(enTrop, 50);
    enTrop = -1;
    EXPECT_EQ(E.NombreEnregistrements(FichierEtude, DonneesPiece::Longueur, &enTrop), 2);
    EXPECT_EQ(enTrop, 50);
    EXPECT_EQ(E.LirePiece(2), Piece(2));
    EXPECT_THROW(E.LirePiece(3), ErreurFichier);
    QStringList noms;
    E.ListerPieces(noms);
    EXPECT_EQ(noms.size(), 2);
    // The next room goes right after the last whole record, over the stray
    // bytes.
    E.AjouterPiece(Piece(3));
    EXPECT_EQ(Contenu(FichierEtude).size(), 3 * 136);
    EXPECT_EQ(E.LirePiece(3), Piece(3));

    Poser(FichierPerte, QByteArray(24 * 3 + 7, '\0'));
    EXPECT_EQ(E.LireToutesPertes(FichierPerte, &enTrop).size(), 3u);
    EXPECT_EQ(enTrop, 7);
}

TEST_F(Fichiers, CopierEtChargerUneEtude) {
    Remplir(3);
    const DonneesGenerales g{.Support = 1, .TempDepart = "40"};
    E.EcrireGenerales(g);
    Stocker();
    EXPECT_EQ(Stockee(), Travail());

    // A second storage replaces the files.
    E.AjouterPiece(Piece(4));
    E.AjouterPerte(1, 2, 2, FichierPerte);
    Stocker();
    EXPECT_EQ(Contenu("Maison.pla").size(), 4 * 136);
    EXPECT_EQ(Contenu("Maison.plp").size(), 4 * 24);

    const auto stockee = Stockee();
    E.PreparerDemarrage(); // the working files are gone, the stored study stays
    EXPECT_EQ(Dossier(), (QStringList{"Maison.pla", "Maison.plg", "Maison.plp"}));
    E.ChargerEtude("Maison.pla", "Maison.plp", "Maison.plg");
    EXPECT_EQ(Travail(), stockee);
    EXPECT_EQ(E.LireGenerales(), g);
    EXPECT_EQ(E.LirePiece(4), Piece(4));
    // Nothing but the study files is left in the folder.
    EXPECT_EQ(Dossier(), (QStringList{"Etude.tmp", "Generale.tmp", "Maison.pla", "Maison.plg", "Maison.plp",
                                      "Perte.tmp"}));
}

TEST_F(Fichiers, EtudeSansPieceEnregistree) {
    // No room yet: Etude.tmp and Perte.tmp do not exist; the stored study
    // gets empty room files.
    E.EcrireGenerales(DonneesGenerales{});
    E.CopierEtude("Vide.pla", "Vide.plp", "Vide.plg");
    EXPECT_EQ(Contenu("Vide.pla").size(), 0);
    EXPECT_EQ(Contenu("Vide.plp").size(), 0);
    EXPECT_EQ(Contenu("Vide.plg").size(), 10);
}

TEST_F(Fichiers, CopieEchoueeLaisseLEtudeEnregistree) {
    const auto stockee = StockerMaison(2);
    Remplir(3); // the study changes: 5 rooms now

    // Failures of each kind, at each of the three files. A folder in place
    // of a file cannot be read or replaced, even by the administrator.
    struct Cas { const char* quoi; QString dossier; std::string nomMessage; };
    const Cas cas[] = {
        {"source Perte.tmp illisible", E.Chemin(FichierPerte), "Perte.tmp"},
        {"source Generale.tmp illisible", E.Chemin(FichierGenerales), "Generale.tmp"},
        {"cible .plg impossible", E.Chemin("Maison.plg"), "Maison.plg"},
    };
    for (const auto& c : cas) {
        const QString sauve = c.dossier + ".sauve";
        ASSERT_TRUE(QFile::rename(c.dossier, sauve));
        ASSERT_TRUE(QDir().mkdir(c.dossier));
        const std::string m = Message([&] { Stocker(); });
        EXPECT_TRUE(Contient(m, "« " + c.nomMessage + " »")) << m;
        ASSERT_TRUE(QDir().rmdir(c.dossier));
        ASSERT_TRUE(QFile::rename(sauve, c.dossier));
        EXPECT_EQ(Stockee(), stockee) << c.quoi;
        EXPECT_EQ(Dossier().size(), 6) << c.quoi; // no temporary file left behind
    }
    // And the failed storage can be done again once the cause is gone.
    Stocker();
    EXPECT_EQ(Contenu("Maison.pla").size(), 5 * 136);
}

TEST_F(Fichiers, EtudesEnregistreesEtSupprimees) {
    EXPECT_TRUE(E.EtudesEnregistrees().isEmpty());
    for (const char* nom : {"Villa.pla", "Maison.pla", "Maison.plp", "Maison.plg", "Chalet.PLA", "Etude 10.pla",
                            "école.pla", "Etude 1.pla", "Étage.pla", "Etude 2.pla", "Notes.txt"}) {
        Poser(QString::fromUtf8(nom), {});
    }
    ASSERT_TRUE(QDir().mkdir(E.Chemin("Dossier.pla"))); // folders are not studies
    // Chalet.PLA is not listed: the extension is compared exactly. The
    // order is the French one, numbers by value.
    EXPECT_EQ(E.EtudesEnregistrees(), (QStringList{"école", "Étage", "Etude 1", "Etude 2", "Etude 10", "Maison",
                                                   "Villa"}));
    // A deleted study leaves the list; deleting a missing file is no error.
    E.SupprimerFichier("Villa.pla");
    EXPECT_NO_THROW(E.SupprimerFichier("Inconnu.pla"));
    EXPECT_TRUE(E.EtudeExiste("Maison"));
    E.SupprimerEtude("Maison");
    EXPECT_FALSE(E.EtudeExiste("Maison"));
    EXPECT_FALSE(Existe("Maison.plp"));
    EXPECT_FALSE(Existe("Maison.plg"));
    EXPECT_EQ(E.EtudesEnregistrees(), (QStringList{"école", "Étage", "Etude 1", "Etude 2", "Etude 10"}));
}

TEST_F(Fichiers, DemarrageCreeLeDossier) {
    QTemporaryDir autre;
    E = DossierEtudes(autre.path() + "/Etudes");
    EXPECT_FALSE(QFileInfo::exists(autre.path() + "/Etudes"));
    E.PreparerDemarrage();
    EXPECT_TRUE(QFileInfo(autre.path() + "/Etudes").isDir());
    EXPECT_EQ(E.Chemin("Etude.tmp"), autre.path() + "/Etudes/Etude.tmp");
    for (const QString& nom : {FichierEtude, FichierPerte, FichierGenerales, QStringLiteral("Maison.pla")})
        Poser(nom, "x");
    E.PreparerDemarrage(); // an existing folder is no error
    EXPECT_EQ(E.NombrePieces(), 0);
    EXPECT_EQ(Dossier(), QStringList{"Maison.pla"});
}

TEST_F(Fichiers, DossierImpossible) {
    // The program's "folder" is a regular file: `Etudes` cannot exist under
    // it, for the administrator too.
    const QString fichier = dossier_.path() + "/programme";
    {
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    E = DossierEtudes(fichier + "/Etudes");
    const std::string m = Message([&] { E.PreparerDemarrage(); });
    EXPECT_TRUE(m.starts_with("Impossible de créer le dossier") && Contient(m, "Etudes")) << m;
    struct Cas { const char* quoi; std::function<void()> operation; const char* debut; };
    const Cas cas[] = {
        {"AjouterPiece", [&] { E.AjouterPiece(DonneesPiece{}); }, "Impossible d'écrire le fichier « Etude.tmp » : "},
        {"EcrireGenerales", [&] { E.EcrireGenerales(DonneesGenerales{}); },
         "Impossible d'écrire le fichier « Generale.tmp » : "},
        {"AjouterPerte", [&] { E.AjouterPerte(1, 0, 1, FichierPerte); }, "Impossible d'écrire le fichier « Perte.tmp » : "},
        {"PerteMaxEtude", [&] { E.PerteMaxEtude(FichierPteTemp); }, "Impossible d'ouvrir le fichier « PteTemp.tmp » : "},
        {"LirePiece", [&] { E.LirePiece(1); }, "Impossible d'ouvrir le fichier « Etude.tmp » : "},
        {"CopierEtude", [&] { E.CopierEtude("A.pla", "A.plp", "A.plg"); }, "Impossible d'écrire le fichier « A.pla » : "},
    };
    for (const auto& c : cas) {
        // the file named, then the cause in French
        const std::string m = Message(c.operation);
        EXPECT_TRUE(m.starts_with(c.debut) && Contient(m, "n'est pas un dossier")) << c.quoi << " : " << m;
    }
}

TEST_F(Fichiers, CauseReelleDesErreurs) {
    // Each failure names its own cause, not a generic one.
    QDir(E.Chemin()).mkdir(FichierEtude); // a folder where the rooms file should be
    EXPECT_EQ(Message([this] { E.LireToutesPieces(); }),
              "Impossible de lire le fichier « Etude.tmp » : un dossier porte ce nom.");
    QDir(E.Chemin()).rmdir(FichierEtude);
    Remplir(1);
    const QString tropLong = QString(300, QLatin1Char('n'));
    struct Cas { const char* quoi; std::function<void()> operation; const char* cause; };
    const Cas cas[] = {
        {"nom trop long a l'enregistrement", [&] { E.CopierEtude(tropLong + ".pla", "A.plp", "A.plg"); },
         "le nom du fichier est trop long"},
        {"nom trop long a la lecture", [&] { E.LireToutesPertes(tropLong + ".plp"); },
         "le nom du fichier est trop long"},
        {"dossier absent", [this] { E.AjouterPerte(1, 0, 1, "absent/A.plp"); }, "n'existe pas"},
        {"fichier pris pour un dossier", [this] { E.LireToutesPieces(FichierEtude + "/A.pla"); },
         "un élément du chemin n'est pas un dossier"},
        // Opening a stored study: "introuvable" only for a missing file.
        {"etude sous un fichier", [this] { E.LireEtude(FichierEtude + "/Maison"); },
         "un élément du chemin n'est pas un dossier"},
        {"etude au nom trop long", [&] { E.LireEtude(tropLong); }, "le nom du fichier est trop long"},
    };
    for (const Cas& c : cas) {
        const std::string m = Message(c.operation);
        EXPECT_TRUE(Contient(m, c.cause)) << c.quoi << " : " << m;
    }
    EXPECT_TRUE(Contient(Message([this] { E.LireEtude("Absente"); }), "Absente.plg » est introuvable."));
    // The message comes back whole even when it holds a NUL.
    const QString avecNul = QStringLiteral("Le fichier « a") + QChar(0) + QStringLiteral("b » est illisible.");
    EXPECT_EQ(ErreurFichier("a", avecNul).messageFrancais(), avecNul);
}

TEST_F(Fichiers, DossierEnLectureSeule) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the administrator writes through permission bits";
    }
    Remplir(1);
    ASSERT_TRUE(QFile::setPermissions(E.Chemin(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_THROW(E.PreparerDemarrage(), ErreurFichier);
    EXPECT_EQ(Message([&] { E.CopierEtude("A.pla", "A.plp", "A.plg"); }),
              "Impossible d'écrire le fichier « A.pla » : l'accès est refusé.");
    EXPECT_THROW(E.SupprimerPieceFichiers(1), ErreurFichier);
    EXPECT_EQ(E.LireToutesPieces().size(), 1u); // reading still works
    QFile::setPermissions(E.Chemin(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(Fichiers, EcritureRefuseeEnCours) {
    const auto stockee = StockerMaison(1);
    Remplir(2);
    const QByteArray piece = Contenu(FichierEtude);
    {
        // Room 4 would end at byte 544: only part of it fits.
        LimiteTailleFichier limite(3 * 136 + 20);
        try {
            E.AjouterPiece(Piece(4));
            ADD_FAILURE() << "AjouterPiece";
        } catch (const ErreurFichier& e) {
            EXPECT_EQ(e.messageFrancais().toStdString(),
                      "Impossible d'écrire le fichier « Etude.tmp » : le fichier est trop grand.");
            EXPECT_EQ(e.fichier(), E.Chemin(FichierEtude));
        }
    }
    {
        // The stored study is written aside first: the rooms file of 3 rooms
        // does not fit, and the previous storage of 1 room stays whole.
        LimiteTailleFichier limite(200);
        EXPECT_THROW(Stocker(), ErreurFichier);
    }
    EXPECT_EQ(Stockee(), stockee);
    EXPECT_EQ(Dossier().size(), 6);
    // The three whole rooms before the failed one are still readable.
    EXPECT_EQ(E.LireToutesPieces().size(), 3u);
    EXPECT_EQ(Contenu(FichierEtude).left(3 * 136), piece);
}

} // namespace

namespace {

// A stored study "Maison" of n rooms, written straight into the folder.
void EcrireMaison(const DossierEtudes& E, int n) {
    auto ecrire = [&](const QString& nom, const QByteArray& octets) {
        QFile f(E.Chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    };
    QByteArray pieces, pertes;
    for (int i = 1; i <= n; ++i) {
        const auto p = Encoder(test::PieceExemple(i));
        pieces.append(p.data(), p.size());
        const auto q = Encoder(PerteChargePiece(10.0 * i, 0));
        pertes.append(q.data(), q.size());
    }
    const auto g = Encoder(DonneesGenerales{.TempDepart = "45", .EpaisChape = 6});
    ecrire("Maison.plg", QByteArray(g.data(), g.size()));
    ecrire("Maison.pla", pieces);
    ecrire("Maison.plp", pertes);
}

} // namespace

// A stored study reads back whole; a file that could not have been written
// by the program is refused by its size alone, before it is read (a sparse
// file of 200 MB costs nothing to make and would cost much to read).
TEST_F(Fichiers, LireUneEtudeEnregistree) {
    EcrireMaison(E, 3);
    const EtudeEnregistree lue = E.LireEtude("Maison");
    EXPECT_EQ(lue.Generales.TempDepart, "45");
    ASSERT_EQ(lue.Pieces.size(), 3u);
    EXPECT_EQ(lue.Pieces[2], Piece(3));
    ASSERT_EQ(lue.Pertes.size(), 3u);
    EXPECT_EQ(lue.Pertes[1].PerteMax, 20);

    struct Cas {
        const char* quoi;
        std::function<void()> abimer;
        const char* debut;
        const char* raison;
    };
    auto tailler = [&](const char* nom, qint64 taille) {
        QFile f(E.Chemin(nom));
        ASSERT_TRUE(f.resize(taille));
    };
    const Cas cas[] = {
        {".plp absent", [&] { E.SupprimerFichier("Maison.plp"); }, "Le fichier « ", "Maison.plp » est introuvable."},
        {".plg vide", [&] { tailler("Maison.plg", 0); }, "Le fichier « ", "ne correspond pas aux données générales."},
        {".pla entamé", [&] { tailler("Maison.pla", 3 * 136 + 5); }, "Le fichier « ",
         "n'est pas un nombre entier de pièces."},
        {"31 pièces", [&] { tailler("Maison.pla", 31 * 136); }, "Le fichier « ", "il contient plus de 30 pièces."},
        {"204 Mo", [&] { tailler("Maison.pla", 136LL * 1500000); }, "Le fichier « ", "il contient plus de 30 pièces."},
        {".plp entamé", [&] { tailler("Maison.plp", 25); }, "Le fichier « ",
         "n'est pas un nombre entier de pertes de charge."},
        // A value no screen offers: the study's check names the room and the field.
        {"surface négative", [&] {
             DonneesPiece p = Piece(2);
             p.SurfacePiece = -3;
             const auto o = Encoder(p);
             QFile f(E.Chemin("Maison.pla"));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(DonneesPiece::Longueur));
             ASSERT_EQ(f.write(o.data(), o.size()), DonneesPiece::Longueur);
         }, "Le fichier « ", "pièce 2 « Pièce 2 », champ « Surface de la pièce » : la valeur -3 est négative."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EcrireMaison(E, 3);
        c.abimer();
        std::string message = "<aucune erreur>";
        try {
            E.LireEtude("Maison");
        } catch (const ErreurSignalee& e) {
            message = e.what();
        }
        EXPECT_TRUE(message.starts_with(c.debut) && message.ends_with(c.raison)) << message;
    }
}
