// Etude.tmp and Perte.tmp change together: a room written, a room deleted,
// and what start-up makes of the files a stopped program left.

#include "ExemplesEtude.h"
#include "stockage/FichiersTravail.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvel;

namespace {

QByteArray Octets(const DonneesPiece& d) {
    const auto o = Encoder(d);
    return QByteArray(o.data(), static_cast<qsizetype>(o.size()));
}
QByteArray Octets(const PerteCharge& p) {
    const auto o = Encoder(p);
    return QByteArray(o.data(), static_cast<qsizetype>(o.size()));
}
PerteCharge PerteExemple(int i) { return PerteChargePiece(10.0 * i, i % 4 == 1 ? 3.0 * i : 0); }

// The rooms of a study as its two files hold them.
struct Etat {
    QByteArray pieces;
    QByteArray pertes;
    int nombre() const { return static_cast<int>(pieces.size() / DonneesPiece::Longueur); }
    bool operator==(const Etat&) const = default;
};

// Rooms 1 to n of the examples.
Etat EtatExemple(int n) {
    Etat e;
    for (int i = 1; i <= n; ++i) {
        e.pieces += Octets(test::PieceExemple(i));
        e.pertes += Octets(PerteExemple(i));
    }
    return e;
}

class FichiersTravail : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        E = DossierEtudes(temp_.path() + "/Etudes");
        E.PreparerDossier();
    }
    QByteArray Contenu(const QString& nom) const {
        QFile f(E.Chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    void Poser(const QString& nom, const QByteArray& octets) const {
        QFile f(E.Chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    void PoserEtat(const Etat& e) const {
        Poser(FichierEtude, e.pieces);
        Poser(FichierPerte, e.pertes);
    }
    Etat Lu() const { return {Contenu(FichierEtude), Contenu(FichierPerte)}; }
    QStringList Dossier() const {
        QStringList l = QDir(E.Chemin()).entryList(QDir::Files | QDir::Hidden);
        l.sort();
        return l;
    }

    QTemporaryDir temp_;
    DossierEtudes E{QString()};
};

} // namespace

// A room rewritten in place or appended: both files at once, the other
// records unchanged, no scratch file left.
TEST_F(FichiersTravail, EcrireUnePieceDansLesDeuxFichiers) {
    PoserEtat(EtatExemple(3));
    EcrirePieceEtPerte(E, 2, test::PieceExemple(9), PerteExemple(9));
    Etat attendu = EtatExemple(3);
    attendu.pieces.replace(136, 136, Octets(test::PieceExemple(9)));
    attendu.pertes.replace(24, 24, Octets(PerteExemple(9)));
    EXPECT_EQ(Lu(), attendu);

    EcrirePieceEtPerte(E, 4, test::PieceExemple(4), PerteExemple(4));
    attendu.pieces += Octets(test::PieceExemple(4));
    attendu.pertes += Octets(PerteExemple(4));
    EXPECT_EQ(Lu(), attendu);
    EXPECT_EQ(Dossier(), (QStringList{FichierEtude, FichierPerte}));

    // Beyond count + 1 would leave a hole; nothing is written.
    for (int n : {0, 6}) {
        EXPECT_THROW(EcrirePieceEtPerte(E, n, test::PieceExemple(1), PerteExemple(1)), ErreurFichier) << n;
        EXPECT_EQ(Lu(), attendu) << n;
    }
    // The first room of a study whose files do not exist yet.
    QFile::remove(E.Chemin(FichierEtude));
    QFile::remove(E.Chemin(FichierPerte));
    EcrirePieceEtPerte(E, 1, test::PieceExemple(1), PerteExemple(1));
    EXPECT_EQ(Lu(), EtatExemple(1));
}

// A pressure drop left one room ahead by an older program is not kept as
// the drop of the next room.
TEST_F(FichiersTravail, EcrireAlignerLesDeuxFichiers) {
    Etat e = EtatExemple(2);
    e.pertes += Octets(PerteExemple(7));
    PoserEtat(e);
    EcrirePieceEtPerte(E, 3, test::PieceExemple(3), PerteExemple(3));
    EXPECT_EQ(Lu(), EtatExemple(3));
}

// A write that fails before the change is made leaves the study as it was
// and no scratch file.
TEST_F(FichiersTravail, EchecAvantLeChangement) {
    PoserEtat(EtatExemple(2));
    ASSERT_TRUE(QDir().mkpath(E.Chemin(FichierTemp))); // Temp.tmp cannot be written
    EXPECT_THROW(EcrirePieceEtPerte(E, 3, test::PieceExemple(3), PerteExemple(3)), ErreurFichier);
    EXPECT_EQ(Lu(), EtatExemple(2));
    EXPECT_FALSE(QFileInfo::exists(E.Chemin(FichierPteTemp)));
    ASSERT_TRUE(QDir(E.Chemin(FichierTemp)).removeRecursively());
    EXPECT_EQ(Dossier(), (QStringList{FichierEtude, FichierPerte}));
}

// What start-up makes of the files a stopped program left: each case gives
// the files found and the whole study expected, always the one before or
// the one after the interrupted change.
TEST_F(FichiersTravail, ReparerAuDemarrage) {
    const Etat trois = EtatExemple(3);
    Etat sansLaDeuxieme;
    sansLaDeuxieme.pieces = trois.pieces.left(136) + trois.pieces.mid(272);
    sansLaDeuxieme.pertes = trois.pertes.left(24) + trois.pertes.mid(48);
    struct Cas {
        const char* quoi;
        Etat trouve;
        QByteArray temp, pteTemp; // "<absent>" for no file
        Etat attendu;
    };
    const QByteArray absent("<absent>");
    const Cas cas[] = {
        {"rien à réparer", trois, absent, absent, trois},
        {"suppression arrêtée avant la décision", trois, sansLaDeuxieme.pieces, sansLaDeuxieme.pertes, trois},
        {"suppression arrêtée pendant Temp.tmp", trois, absent, sansLaDeuxieme.pertes, trois},
        {"suppression décidée, Etude.tmp pas encore remplacé", {trois.pieces, sansLaDeuxieme.pertes},
         sansLaDeuxieme.pieces, absent, sansLaDeuxieme},
        {"Temp.tmp seul qui ne correspond pas", trois, EtatExemple(5).pieces, absent, trois},
        {"Temp.tmp seul inachevé", trois, sansLaDeuxieme.pieces + "xx", absent, trois},
        {"perte d'une pièce en avance", {trois.pieces, EtatExemple(4).pertes}, absent, absent, trois},
        {"pièce en avance", {EtatExemple(4).pieces, trois.pertes}, absent, absent, trois},
        {"enregistrements inachevés", {trois.pieces + QByteArray(50, 'x'), trois.pertes + "abc"}, absent, absent,
         trois},
        {"pertes sans pièce", {QByteArray(), trois.pertes}, absent, absent, Etat{}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        for (const QString& f : Dossier())
            QFile::remove(E.Chemin(f));
        PoserEtat(c.trouve);
        if (c.temp != absent)
            Poser(FichierTemp, c.temp);
        if (c.pteTemp != absent)
            Poser(FichierPteTemp, c.pteTemp);
        EXPECT_EQ(ReparerFichiersTravail(E), c.attendu.nombre());
        EXPECT_EQ(Lu(), c.attendu);
        EXPECT_EQ(Dossier(), (QStringList{FichierEtude, FichierPerte}));
    }
}

// Start-up removes what writes of whole files left aside (name + ".neuf"),
// finishes a decided store into the working files, removes the folder
// probe, and nothing else.
TEST_F(FichiersTravail, TemporairesInacheves) {
    PoserEtat(EtatExemple(1));
    const QStringList gardes = {"Etude.tmp.bak", "Maison.pla", "Sorvel.verrou", "essai.tmp", "essai_Xy12Zt5.tmp"};
    const QStringList retires = {"Etude.tmp.neuf", "PteTemp.tmp.neuf", "Sorvel.session.neuf", "essai_Xy12Zt.tmp"};
    for (const QString& f : gardes + retires)
        Poser(f, "x");
    EXPECT_EQ(ReparerFichiersTravail(E), 1);
    QStringList attendus = gardes + QStringList{FichierEtude, FichierPerte};
    attendus.sort();
    EXPECT_EQ(Dossier(), attendus);

    // A study being opened when the program stopped, past the point where
    // the copy was decided: the working files are the opened study's.
    Poser(FichierEtude + SuffixeNouveau, EtatExemple(2).pieces);
    Poser(FichierPerte + SuffixeNouveau, EtatExemple(2).pertes);
    Poser(FichierJournal, (FichierEtude + "\n" + FichierPerte + "\nfin\n").toUtf8());
    EXPECT_EQ(ReparerFichiersTravail(E), 2);
    EXPECT_EQ(Lu(), EtatExemple(2));
    EXPECT_EQ(Dossier(), attendus);
}

// No working file at all: nothing is made.
TEST_F(FichiersTravail, ReparerSansFichier) {
    EXPECT_EQ(ReparerFichiersTravail(E), 0);
    EXPECT_TRUE(Dossier().isEmpty());
}

namespace {

// One step of the child's work on the study: a room added, edited or
// deleted, chosen from the step's number and the study as it stands, so
// that the parent can replay the same steps in memory.
struct Operation {
    enum Genre { Ajouter, Modifier, Supprimer } genre;
    int n;
    DonneesPiece piece;
    PerteCharge perte;
};

Operation Choisir(const Etat& e, int i) {
    const int nombre = e.nombre();
    const int exemple = 100 + i;
    if (nombre == 0 || (i % 3 == 0 && nombre < PiecesMaximumEtude))
        return {Operation::Ajouter, nombre + 1, test::PieceExemple(exemple), PerteExemple(exemple)};
    if (i % 3 == 1)
        return {Operation::Modifier, i % nombre + 1, test::PieceExemple(exemple), PerteExemple(exemple)};
    return {Operation::Supprimer, (7 * i) % nombre + 1, {}, {}};
}

Etat Appliquer(Etat e, const Operation& op) {
    const qsizetype p = static_cast<qsizetype>(op.n - 1) * DonneesPiece::Longueur;
    const qsizetype q = static_cast<qsizetype>(op.n - 1) * PerteCharge::Longueur;
    switch (op.genre) {
    case Operation::Ajouter:
        e.pieces += Octets(op.piece);
        e.pertes += Octets(op.perte);
        break;
    case Operation::Modifier:
        e.pieces.replace(p, DonneesPiece::Longueur, Octets(op.piece));
        e.pertes.replace(q, PerteCharge::Longueur, Octets(op.perte));
        break;
    case Operation::Supprimer:
        e.pieces.remove(p, DonneesPiece::Longueur);
        e.pertes.remove(q, PerteCharge::Longueur);
        break;
    }
    return e;
}

void Executer(const DossierEtudes& E, const Operation& op) {
    if (op.genre == Operation::Supprimer)
        E.SupprimerPieceFichiers(op.n);
    else
        EcrirePieceEtPerte(E, op.n, op.piece, op.perte);
}

} // namespace

// A child process adds, edits and deletes rooms without end and is killed
// (SIGKILL) at a random moment; the files it leaves, once start-up has put
// them right, hold the study before or after the step it was in, whole:
// never a missing rooms file, never two files of different counts.
TEST_F(FichiersTravail, ProcessusTueAuHasard) {
    constexpr int Essais = 150;
    constexpr int PiecesAuDepart = 4;
    auto* fait = static_cast<std::atomic<int>*>(
        mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(fait, MAP_FAILED);
    std::mt19937 hasard(20240611);
    std::uniform_int_distribution<int> delai(0, 12000); // µs
    int auMilieu = 0;
    int apresDecision = 0;
    for (int essai = 0; essai < Essais; ++essai) {
        SCOPED_TRACE(essai);
        const Etat depart = EtatExemple(PiecesAuDepart);
        PoserEtat(depart);
        fait->store(0);
        std::fflush(nullptr);
        const pid_t enfant = fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            try {
                Etat e = depart;
                for (int i = 0; i < 1000000; ++i) {
                    const Operation op = Choisir(e, i);
                    Executer(E, op);
                    e = Appliquer(e, op);
                    fait->store(i + 1);
                }
            } catch (...) {
                _exit(3);
            }
            _exit(0);
        }
        usleep(static_cast<useconds_t>(delai(hasard)));
        kill(enfant, SIGKILL);
        int statut = 0;
        ASSERT_EQ(waitpid(enfant, &statut, 0), enfant);
        ASSERT_TRUE(WIFSIGNALED(statut)) << "the child stopped by itself, status " << WEXITSTATUS(statut);

        const int j = fait->load();
        const bool temp = QFileInfo::exists(E.Chemin(FichierTemp));
        const bool pteTemp = QFileInfo::exists(E.Chemin(FichierPteTemp));
        auMilieu += temp || pteTemp;
        apresDecision += temp && !pteTemp;
        Etat avant = depart;
        for (int i = 0; i < j; ++i)
            avant = Appliquer(avant, Choisir(avant, i));
        const Etat apres = Appliquer(avant, Choisir(avant, j));

        const int pieces = ReparerFichiersTravail(E);
        const Etat lu = Lu();
        ASSERT_TRUE(lu == avant || lu == apres)
            << "after step " << j << ": " << lu.pieces.size() << " bytes of rooms, " << lu.pertes.size()
            << " bytes of drops; expected " << avant.nombre() << " or " << apres.nombre() << " rooms";
        EXPECT_EQ(pieces, lu.nombre());
        EXPECT_EQ(Dossier(), (QStringList{FichierEtude, FichierPerte}));
    }
    munmap(fait, sizeof(std::atomic<int>));
    // How often the kill fell inside a change of the two files.
    std::printf("%d essais : %d arrêts pendant un changement, dont %d après la décision\n", Essais, auMilieu,
                apresDecision);
}
