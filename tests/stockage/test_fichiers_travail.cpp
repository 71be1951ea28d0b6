// The working files of the study being edited: Etude.tmp and Perte.tmp
// change together (a room written, a room deleted), what they hold is
// checked when read, and start-up puts right what a stopped program left.

#include "DossierTest.h"
#include "Environnement.h"
#include "LimiteTailleFichier.h"
#include "etude/DefautsPieces.h"
#include "stockage/Journal.h"

#include <QJsonObject>

#include <atomic>
#include <limits>
#include <sys/mman.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

const QByteArray Absent("<absent>");

// The rooms of a study as its files hold them.
struct Etat {
    QByteArray pieces;
    QByteArray pertes;
    QByteArray extension = Absent;
    int nombre() const { return static_cast<int>(pieces.size() / DonneesPiece::Longueur); }
    bool operator==(const Etat&) const = default;
};

// The files of a study holding the example rooms listed ("1,3"), then the
// stray bytes after a "+" ("1,3+xx"); null for no files.
Etat Pieces(const QJsonValue& description) {
    if (description.isNull())
        return {Absent, Absent};
    const QStringList parties = description.toString().split(QLatin1Char('+'));
    Etat e;
    for (const QString& n : parties[0].split(QLatin1Char(','), Qt::SkipEmptyParts))
        e = {e.pieces + Octets(PieceExemple(n.toInt())), e.pertes + Octets(PerteExemple(n.toInt()))};
    return {e.pieces + parties.value(1).toUtf8(), e.pertes + parties.value(1).toUtf8()};
}

class Travail : public DossierTest {
protected:
    // A file given as Absent is not made.
    void PoserSi(const QString& nom, const QByteArray& octets) const {
        if (octets != Absent)
            Poser(nom, octets);
    }
    // The folder holding nothing but the study `e`.
    void PoserEtat(const Etat& e) const {
        for (const QString& f : Fichiers())
            E.SupprimerFichier(f);
        PoserSi(FichierEtude, e.pieces);
        PoserSi(FichierPerte, e.pertes);
        PoserSi(FichierExtension, e.extension);
    }
    // The study the files of the folder `d` hold.
    static Etat Lu(const DossierEtudes& d) {
        return {test::Contenu(d, FichierEtude), test::Contenu(d, FichierPerte), test::Contenu(d, FichierExtension)};
    }

    const FichiersTravail T{E};
};

} // namespace

// A room written over its records or after the last one goes into both
// files at once, the other records unchanged, never beyond; a drop left
// one room ahead by an older program is not taken as the next room's.
TEST_F(Travail, EcrireUnePiece) {
    T.EcrirePiece(1, PieceExemple(1), PerteExemple(1));
    EXPECT_EQ(Lu(E), Pieces("1")) << "the first room of files not made yet";
    PoserEtat(Pieces("1,2,3"));
    T.EcrirePiece(2, PieceExemple(9), PerteExemple(9));
    T.EcrirePiece(4, PieceExemple(4), PerteExemple(4));
    for (int n : {0, 6})
        EXPECT_THROW(T.EcrirePiece(n, PieceExemple(1), PerteExemple(1)), ErreurFichier) << n;
    EXPECT_EQ(Lu(E), Pieces("1,9,3,4"));
    EXPECT_EQ(Fichiers(), (QStringList{FichierEtude, FichierPerte}));
    PoserEtat({Pieces("1,2").pieces, Pieces("1,2,7").pertes});
    T.EcrirePiece(3, PieceExemple(3), PerteExemple(3));
    EXPECT_EQ(Lu(E), Pieces("1,2,3"));
}

// What the files hold, read back: whole records only (the bytes of a room
// cut short count for nothing, and the next room goes over them), names
// trimmed; a room beyond the last one, or general data never written, is
// refused.
TEST_F(Travail, Lire) {
    PoserEtat({Pieces("1,2").pieces + Pieces("3").pieces.left(50), Pieces("1,2").pertes});
    EXPECT_EQ(T.NombrePieces(), 2);
    EXPECT_EQ(T.LirePieces(), (std::vector{PieceExemple(1), PieceExemple(2)}));
    for (int n : {0, 3})
        EXPECT_EQ(Message([&] { T.LirePiece(n); }), "Le fichier « Etude.tmp » ne contient pas la pièce n° " +
                                                        std::to_string(n) + " (il contient 2 pièce(s)).");
    Piece espaces = PieceExemple(3);
    espaces.NomPiece = "  Séjour ";
    T.EcrirePiece(3, espaces, PerteExemple(3));
    EXPECT_EQ(T.NomsPieces(), (QStringList{"Pièce 1", "Pièce 2", "Séjour"}));

    EXPECT_EQ(Message([&] { T.LireGenerales(); }),
              "Le fichier « Generale.tmp » ne contient pas les données générales de l'étude.");
    EXPECT_EQ(T.LireEtude().Generales, Installation{}) << "a new study's";
    const Installation g{.Support = Fixation::Plots, .TempDepart = 45, .EpaisChape = 8};
    T.EcrireGenerales(g);
    T.EcrireGenerales(g);
    EXPECT_EQ(Contenu(FichierGenerales).size(), DonneesGenerales::Longueur) << "record 1 again";
    EXPECT_EQ(T.LireGenerales(), g);
    EXPECT_EQ(T.LireEtude().Pertes, (std::vector{PerteExemple(1), PerteExemple(2), PerteExemple(3)}));
}

// A room record no screen could have written is refused wherever it is
// read, naming Etude.tmp, the room and the field.
TEST_F(Travail, PieceEndommagee) {
    PoserEtat(Pieces("1,2,3"));
    Piece abimee = PieceExemple(2);
    abimee.SurfacePiece = -5;
    E.EcrireEnregistrement(FichierEtude, DonneesPiece::Longueur, 2, Octets(abimee).constData());
    for (const std::function<void()>& lire : std::initializer_list<std::function<void()>>{
             [&] { T.LirePiece(2); }, [&] { T.LirePieces(); }, [&] { T.LireEtude(); }}) {
        const auto e = exemples::Erreur<ErreurEtudeEndommagee>(lire);
        EXPECT_EQ(e ? e->fichier() : QString(), E.Chemin(FichierEtude));
        EXPECT_STREQ(e ? e->what() : "", "Le fichier « Etude.tmp » est endommagé : pièce 2 « Pièce 2 », champ "
                                          "« Surface de la pièce » : la valeur -5 est négative.");
    }
    EXPECT_EQ(T.LirePiece(3), PieceExemple(3));
}

// The largest drop of Perte.tmp; values of a damaged record (negative,
// NaN) never win, and a study without drops gives 0.
TEST_F(Travail, PerteMaxEtude) {
    EXPECT_EQ(T.PerteMaxEtude(), 0);
    EXPECT_EQ(Contenu(FichierPerte), QByteArray()) << "a missing file is created empty";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<std::vector<double>, double> cas[] = {
        {{-5, -0.5}, 0}, {{120.5, 830.25, 415}, 830.25}, {{-10, 40, -50, 39.9}, 40}, {{nan, 12, nan}, 12}};
    for (const auto& [maxis, attendu] : cas) {
        QByteArray pertes;
        for (double m : maxis)
            pertes += Octets(PerteCharge{0, 0, m});
        Poser(FichierPerte, pertes);
        EXPECT_EQ(T.PerteMaxEtude(), attendu) << maxis.size();
    }
}

// Deleting room k moves the following rooms up in both files, byte for
// byte; a longer Temp.tmp left by an interrupted run leaks nothing in.
TEST_F(Travail, SupprimerUnePiece) {
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "supprimer")) {
        const QJsonObject c = ligne.toObject();
        PoserEtat(Pieces(c["avant"]));
        Poser(FichierTemp, QByteArray(DonneesPiece::Longueur * 5, 'x'));
        T.SupprimerPiece(c["k"].toInt());
        EXPECT_EQ(Lu(E), Pieces(c["attendu"])) << c["avant"].toString().toStdString() << " / " << c["k"].toInt();
        EXPECT_EQ(Fichiers(), (QStringList{FichierEtude, FichierPerte}));
    }
}

// The details of a room follow it: written and read with it, moved down
// when a room before it goes, dropped with it; the climate stays, and the
// file goes once it holds neither. Details that could not be read back are
// never written; a damaged file is named.
TEST_F(Travail, DetailsDesPieces) {
    PoserEtat(Pieces("1,2,3,4"));
    T.EcrireClimat(ClimatExemple);
    for (int n : {2, 4})
        T.EcrirePiece(n, PieceDetaillee(n), PerteExemple(n));
    T.SupprimerPiece(3);
    EXPECT_EQ(T.LirePieces(), (std::vector{PieceExemple(1), PieceDetaillee(2), PieceDetaillee(4)}));
    EXPECT_EQ(T.LirePiece(3), PieceDetaillee(4));
    EXPECT_EQ(T.LireEtude().Climat, ClimatExemple);
    T.SupprimerPiece(3);
    T.EcrirePiece(2, PieceExemple(2), PerteExemple(2));
    EXPECT_NE(Contenu(FichierExtension), Absent);
    T.EcrireClimat({});
    EXPECT_EQ(Lu(E), Pieces("1,2"));

    T.EcrireClimat(ClimatSite{.TempExterieure = 25});
    EXPECT_EQ(Message([&] { T.EcrirePiece(2, PieceDetaillee(2), PerteExemple(2)); }),
              "Les déperditions de l'étude ne peuvent pas être enregistrées : pièce 2 « Pièce 2 », champ "
              "« tempExterieure » : la température de la pièce (20 °C) n'est pas supérieure à la température "
              "extérieure de base (25 °C).");
    EXPECT_EQ(T.LirePiece(2), PieceExemple(2));
    Poser(FichierExtension, "{");
    EXPECT_EQ(Message([&] { T.LirePieces(); }),
              "Le fichier « Extension.tmp » est endommagé : son contenu n'est pas du JSON valide (erreur vers l'octet 2).");
}

// The manifolds of the study and of its rooms follow the rooms as their
// details do: a room deleted in the middle leaves every other room its
// manifold, a room written again keeps the one it carries. A file that
// holds manifolds is of version 2; one that holds none any more goes back
// to version 1, or goes. Manifolds that could not be read back are never
// written.
TEST_F(Travail, CollecteursDesPieces) {
    PoserEtat(Pieces("1,2,3,4"));
    T.EcrireClimat(ClimatExemple);
    const QByteArray climatSeul = Contenu(FichierExtension);
    const std::vector<Collecteur> deux = {{"Rez-de-chaussée", 12, 0}, {"Étage", 8, 150}};
    T.EcrireCollecteurs(deux, {1, 2, std::nullopt, 2});
    EXPECT_TRUE(Contenu(FichierExtension).contains("\"version\": 2"));
    T.SupprimerPiece(2);
    auto collecteurs = [&] {
        std::vector<std::optional<int>> c;
        for (const Piece& p : T.LirePieces())
            c.push_back(p.Collecteur);
        return c;
    };
    EXPECT_EQ(collecteurs(), (std::vector<std::optional<int>>{1, std::nullopt, 2}));
    Piece troisieme = T.LirePiece(3);
    troisieme.DeperdPiece = 450;
    T.EcrirePiece(3, troisieme, PerteExemple(3));
    EXPECT_EQ(T.LirePiece(3).Collecteur, 2);
    EXPECT_EQ(T.LireEtude().Collecteurs, deux);
    EXPECT_EQ(Message([&] { T.EcrireCollecteurs({{"Bas", 25, 0}}, {}); }),
              "Les collecteurs de l'étude ne peuvent pas être enregistrés : collecteur 1 « Bas », champ « sorties » : "
              "le nombre de sorties 25 n'est pas un nombre entier de 1 à 24.");
    EXPECT_EQ(Message([&] { T.EcrireCollecteurs({deux[0]}, {}); }),
              "Les collecteurs de l'étude ne peuvent pas être enregistrés : pièce 3 « Pièce 4 », champ « collecteur » : "
              "le collecteur 2 n'existe pas, l'étude en compte 1.");
    EXPECT_EQ(T.LireEtude().Collecteurs, deux);
    T.EcrireCollecteurs({}, {std::nullopt, std::nullopt, std::nullopt});
    EXPECT_EQ(Contenu(FichierExtension), climatSeul);
    T.EcrireClimat({});
    EXPECT_EQ(Contenu(FichierExtension), Absent);
}

// The defaults of the new rooms and the details of the job go into
// Extension.tmp as version 3 and stay through the rooms' changes; defaults
// the file would refuse are never written; taken away, the file is again
// what it was, or goes: a study that sets neither has no file for them.
TEST_F(Travail, DefautsEtRenseignements) {
    PoserEtat(Pieces("1,2,3"));
    T.EcrireDefautsPieces(std::nullopt);
    T.EcrireRenseignements({});
    EXPECT_EQ(Contenu(FichierExtension), Absent);
    T.EcrireRenseignements({.Client = "Dupont"});
    EXPECT_TRUE(Contenu(FichierExtension).contains("\"version\": 3"));
    T.EcrireRenseignements({});
    EXPECT_EQ(Contenu(FichierExtension), Absent);
    T.EcrireClimat(ClimatExemple);
    const QByteArray climatSeul = Contenu(FichierExtension);
    DefautsPieces defauts = DefautsProposes();
    defauts.RthActuelle = Resistance::R005;
    const RenseignementsEtude renseignements{.Client = "Dupont", .Notes = "Accès par la cour.\nClé chez le voisin."};
    T.EcrireDefautsPieces(defauts);
    T.EcrireRenseignements(renseignements);
    T.SupprimerPiece(2);
    T.EcrirePiece(3, PieceExemple(5), PerteExemple(5));
    EXPECT_EQ(T.LireEtude().Defauts, defauts);
    EXPECT_EQ(T.LireEtude().Renseignements, renseignements);
    DefautsPieces refusees = defauts;
    refusees.TempChute = 30;
    EXPECT_EQ(Message([&] { T.EcrireDefautsPieces(refusees); }),
              "Les valeurs par défaut des pièces ne peuvent pas être enregistrées : champ « tempChute » : la valeur "
              "doit être un nombre entier de 3 à 20.");
    EXPECT_EQ(T.LireEtude().Defauts, defauts);
    T.EcrireDefautsPieces(std::nullopt);
    T.EcrireRenseignements({});
    EXPECT_EQ(Contenu(FichierExtension), climatSeul);
}

// A change that fails before its point of no return (a scratch file that
// cannot be made, the disk full with room for PteTemp.tmp only) leaves the
// study as it was and no scratch file.
TEST_F(Travail, EchecAvantLeChangement) {
    for (const auto& [dossier, limite] : {std::pair{FichierTemp, RLIM_INFINITY},
                                          std::pair{FichierPteTemp, RLIM_INFINITY}, std::pair{QString(), rlim_t{100}}}) {
        PoserEtat(Pieces("1,2,3"));
        ASSERT_TRUE(dossier.isEmpty() || QDir().mkpath(E.Chemin(dossier)));
        {
            LimiteTailleFichier disque(limite);
            EXPECT_THROW(T.EcrirePiece(4, PieceExemple(4), PerteExemple(4)), ErreurFichier) << dossier.toStdString();
            EXPECT_THROW(T.SupprimerPiece(1), ErreurFichier) << dossier.toStdString();
        }
        ASSERT_TRUE(dossier.isEmpty() || QDir().rmdir(E.Chemin(dossier)));
        EXPECT_EQ(Lu(E), Pieces("1,2,3"));
        EXPECT_EQ(Fichiers(), (QStringList{FichierEtude, FichierPerte}));
    }
}

// Every working file is tried; the first that resisted is told.
TEST_F(Travail, SupprimerTout) {
    T.EcrireGenerales({});
    ASSERT_TRUE(QDir().mkpath(E.Chemin(FichierEtude + "/plein")));
    Poser(FichierPerte, {});
    const auto e = exemples::Erreur<ErreurFichier>([&] { T.SupprimerTout(); });
    EXPECT_EQ(e ? e->fichier() : QString(), E.Chemin(FichierEtude));
    EXPECT_EQ(Fichiers(), QStringList{});
}

// What start-up makes of the files a stopped program left: always the
// study before or after the interrupted change, whole.
TEST_F(Travail, ReparerAuDemarrage) {
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "reparer")) {
        const QJsonObject c = ligne.toObject();
        SCOPED_TRACE(c["cas"].toString().toStdString());
        PoserEtat({Pieces(c["etude"]).pieces, Pieces(c["perte"]).pertes});
        PoserSi(FichierTemp, Pieces(c["temp"]).pieces);
        PoserSi(FichierPteTemp, Pieces(c["pteTemp"]).pertes);
        const Etat attendu = Pieces(c["attendu"]);
        EXPECT_EQ(T.Reparer(), attendu.nombre());
        EXPECT_EQ(Lu(E), attendu);
        EXPECT_EQ(Fichiers(), attendu.pieces == Absent ? QStringList() : QStringList({FichierEtude, FichierPerte}));
    }
}

// Start-up (the journal taken up, then the working files put right)
// removes what writes of whole files left aside (name + ".neuf") and the
// folder's probe, and nothing else.
TEST_F(Travail, TemporairesInacheves) {
    PoserEtat(Pieces("1"));
    QStringList gardes = {"Etude.tmp.bak", "Maison.pla", "Sorvel.verrou", "essai.tmp", "essai_Xy12Zt5.tmp"};
    for (const QString& f : gardes + QStringList{"Etude.tmp.neuf", "Sorvel.session.neuf", "essai_Xy12Zt.tmp"})
        Poser(f, "x");
    Journal(E).Reprendre();
    EXPECT_EQ(T.Reparer(), 1);
    gardes << FichierEtude << FichierPerte;
    gardes.sort();
    EXPECT_EQ(Fichiers(), gardes);
}

namespace {

// Step i of a long edit of the study: a room added, edited or deleted, with
// or without details, chosen from i and the rooms the study holds, so that
// it can be replayed.
void Etape(const FichiersTravail& t, int i) {
    const int nombre = t.NombrePieces();
    const Piece piece = i % 4 < 2 ? PieceDetaillee(100 + i) : PieceExemple(100 + i);
    if (nombre == 0 || (i % 3 == 0 && nombre < PiecesMaximumEtude))
        t.EcrirePiece(nombre + 1, piece, PerteExemple(100 + i));
    else if (i % 3 == 1)
        t.EcrirePiece(i % nombre + 1, piece, PerteExemple(100 + i));
    else
        t.SupprimerPiece((7 * i) % nombre + 1);
}

// The study every round of the edit starts from: four rooms and the
// climate.
void Depart(const FichiersTravail& t) {
    t.Dossier().SupprimerFichier(FichierExtension);
    test::Poser(t.Dossier(), FichierEtude, Pieces("1,2,3,4").pieces);
    test::Poser(t.Dossier(), FichierPerte, Pieces("1,2,3,4").pertes);
    t.EcrireClimat(ClimatExemple);
}

} // namespace

// A child process edits the study without end and is killed at a random
// moment; once start-up has put them right, the files hold the study before
// or after the step it was in (replayed in a folder of its own), whole:
// never a missing rooms file, never two files of different counts, never
// details of another state, nothing left aside.
TEST_F(Travail, ProcessusTueAuHasard) {
    auto* fait = static_cast<std::atomic<int>*>(
        mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(fait, MAP_FAILED);
    QTemporaryDir enMemoire(QStringLiteral("/dev/shm/sorvel-XXXXXX")); // the replay needs no disk
    const FichiersTravail rejeu{DossierEtudes(enMemoire.isValid() ? enMemoire.path() : temp_.path())};
    int auMilieu = 0;
    Depart(T);
    TuerAuHasard(
        150, 12000,
        [&](int i) {
            Etape(T, i);
            fait->store(i + 1);
        },
        [&] {
            auMilieu += E.Existe(FichierTemp) || E.Existe(FichierPteTemp) || E.Existe(FichierExtTemp);
            Journal(E).Reprendre(); // as start-up does: what EcrireFichierComplet left aside goes
            const int pieces = T.Reparer();
            Depart(rejeu);
            for (int i = 0; i < fait->load(); ++i)
                Etape(rejeu, i);
            const Etat avant = Lu(rejeu.Dossier());
            Etape(rejeu, fait->load());
            const Etat lu = Lu(E);
            EXPECT_EQ(pieces, lu.nombre());
            EXPECT_TRUE(lu == avant || lu == Lu(rejeu.Dossier())) << "after step " << fait->load() << ": "
                << lu.pieces.size() << " bytes of rooms, " << lu.pertes.size() << " bytes of drops";
            EXPECT_EQ(Fichiers(), (QStringList{FichierEtude, FichierExtension, FichierPerte}));
            PoserEtat({Absent, Absent});
            Depart(T);
            fait->store(0);
        });
    munmap(fait, sizeof(std::atomic<int>));
    std::printf("150 essais : %d arrêts pendant un changement\n", auMilieu);
}
