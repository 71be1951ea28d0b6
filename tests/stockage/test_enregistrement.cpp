// Storing a study is all or nothing: whatever stops it (a full disk, an
// interruption after any step, a killed process), the stored study is
// afterwards either the previous save or the new one, whole, and no file
// written aside is left in the folder.

#include "ExemplesEtude.h"
#include "LimiteTailleFichier.h"
#include "stockage/ModEnregistrer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace sorvel;
using sorvel::test::LimiteTailleFichier;

namespace {

// The three files of a study, rooms, pressure drops, general data.
using Trois = std::vector<QByteArray>;

// Thrown by a step to stop a store there, as a kill would: the store
// cleans up after an ErreurFichier only.
struct Interruption {};

class Enregistrement : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        E.PreparerDemarrage();
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
    Trois Stockee(const QString& nom = QStringLiteral("Maison")) const {
        return {Contenu(nom + ".pla"), Contenu(nom + ".plp"), Contenu(nom + ".plg")};
    }
    Trois Travail() const { return {Contenu(FichierEtude), Contenu(FichierPerte), Contenu(FichierGenerales)}; }
    QStringList Dossier() const { return QDir(E.Chemin()).entryList(QDir::Files | QDir::Hidden); }

    // Working files of n rooms with the supply temperature `depart`.
    void Etude(int n, const char* depart) const {
        for (const QString& f : {FichierEtude, FichierPerte, FichierGenerales})
            E.SupprimerFichier(f);
        for (int i = 1; i <= n; ++i)
            test::AjouterPieceExemple(E, i);
        E.EcrireGenerales(DonneesGenerales{.TempDepart = depart});
    }

    QTemporaryDir temp_;
    DossierEtudes E{temp_.path() + QStringLiteral("/Etudes")};
};

const QStringList DossierTermine = {"Etude.tmp", "Generale.tmp", "Maison.pla", "Maison.plg", "Maison.plp",
                                    "Perte.tmp"};

} // namespace

// A store stopped after each of its steps: until the journal is in place
// the previous save comes back whole; from then on the new one. Either
// way the next listing leaves nothing aside, and the store can be made again.
TEST_F(Enregistrement, InterrompuApresChaqueEtape) {
    for (int k = 0; k < NombreEtapesEnregistrement; ++k) {
        const auto etape = static_cast<EtapeEnregistrement>(k);
        SCOPED_TRACE(k);
        Etude(2, "40");
        E.EnregistrerEtude("Maison");
        const Trois avant = Stockee();
        Etude(3, "45");
        const Trois nouvelle = Travail();
        ASSERT_NE(nouvelle, avant);

        E.SuivreEtapes([etape](EtapeEnregistrement e) {
            if (e == etape)
                throw Interruption{};
        });
        EXPECT_THROW(E.EnregistrerEtude("Maison"), Interruption);
        E.SuivreEtapes({});

        const bool decide = etape >= EtapeEnregistrement::JournalEnPlace;
        EXPECT_EQ(E.EtudesEnregistrees(), QStringList{"Maison"});
        EXPECT_EQ(Stockee(), decide ? nouvelle : avant);
        EXPECT_EQ(Dossier(), DossierTermine);

        E.EnregistrerEtude("Maison");
        EXPECT_EQ(Stockee(), nouvelle);
        EXPECT_EQ(Dossier(), DossierTermine);
    }
}

// The same for a study stored for the first time: until the store is
// decided there is no study at all, never a study with a missing file.
TEST_F(Enregistrement, PremierEnregistrementInterrompu) {
    for (int k = 0; k < NombreEtapesEnregistrement; ++k) {
        const auto etape = static_cast<EtapeEnregistrement>(k);
        SCOPED_TRACE(k);
        E.SupprimerEtude("Maison");
        Etude(1, "35");
        E.SuivreEtapes([etape](EtapeEnregistrement e) {
            if (e == etape)
                throw Interruption{};
        });
        EXPECT_THROW(E.EnregistrerEtude("Maison"), Interruption);
        E.SuivreEtapes({});
        // Starting the program again finishes or undoes it too.
        E.PreparerDemarrage();
        if (etape >= EtapeEnregistrement::JournalEnPlace) {
            EXPECT_EQ(E.EtudesEnregistrees(), QStringList{"Maison"});
            EXPECT_EQ(Contenu("Maison.pla").size(), DonneesPiece::Longueur);
            EXPECT_EQ(Contenu("Maison.plp").size(), PerteCharge::Longueur);
            EXPECT_EQ(Contenu("Maison.plg").size(), DonneesGenerales::Longueur);
        } else {
            EXPECT_TRUE(E.EtudesEnregistrees().isEmpty());
            EXPECT_TRUE(Dossier().isEmpty()) << Dossier().join(", ").toStdString();
        }
    }
}

// A full disk while the new files are written aside: the French message
// names the file, the previous save stays byte for byte, nothing is left.
TEST_F(Enregistrement, DisquePlein) {
    Etude(2, "40");
    E.EnregistrerEtude("Maison");
    const Trois avant = Stockee();
    Etude(5, "45");
    std::string message = "<aucune erreur>";
    {
        LimiteTailleFichier limite(3 * DonneesPiece::Longueur);
        try {
            E.EnregistrerEtude("Maison");
        } catch (const ErreurFichier& e) {
            message = e.messageFrancais().toStdString();
        }
    }
    EXPECT_EQ(message, "Impossible d'écrire le fichier « Maison.pla » : le fichier est trop grand.");
    EXPECT_EQ(Stockee(), avant);
    EXPECT_EQ(Dossier(), DossierTermine);
}

// What a store or a rewrite left aside goes at the next listing; a journal
// cut short (it never is: it is renamed into place whole) decides nothing.
TEST_F(Enregistrement, RestesNettoyes) {
    Etude(2, "40");
    E.EnregistrerEtude("Maison");
    const Trois avant = Stockee();
    Poser("Maison.pla.neuf", "restes");
    Poser("Etude.tmp.neuf", "restes");
    Poser("Enregistrement.journal.neuf", "Maison.pla\n");
    EXPECT_EQ(E.EtudesEnregistrees(), QStringList{"Maison"});
    EXPECT_EQ(Dossier(), DossierTermine);

    Poser("Maison.pla.neuf", "restes");
    Poser("Enregistrement.journal", "Maison.pla\nMaison.plp\n");
    EXPECT_EQ(E.EtudesEnregistrees(), QStringList{"Maison"});
    EXPECT_EQ(Stockee(), avant);
    EXPECT_EQ(Dossier(), DossierTermine);

    // A journal names files of the folder only.
    Poser("Enregistrement.journal", "../Maison.pla\nMaison.plg\nfin\n");
    Poser("Maison.plg.neuf", "nouveau");
    EXPECT_EQ(E.EtudesEnregistrees(), QStringList{"Maison"});
    EXPECT_EQ(Contenu("Maison.plg"), "nouveau");
    EXPECT_EQ(Dossier(), DossierTermine);
}

// Copying a stored study under another name goes the same way; the copy is
// the original byte for byte.
TEST_F(Enregistrement, CopieDUneEtudeEnregistree) {
    Etude(3, "40");
    E.EnregistrerEtude("Maison A");
    E.CopierEtudeEnregistree("Maison A", "Maison B");
    EXPECT_EQ(Stockee("Maison B"), Stockee("Maison A"));
    E.SuivreEtapes([](EtapeEnregistrement e) {
        if (e == EtapeEnregistrement::PertesRemplace)
            throw Interruption{};
    });
    Etude(1, "45");
    EXPECT_THROW(E.EnregistrerEtude("Maison B"), Interruption);
    E.SuivreEtapes({});
    EXPECT_EQ(E.EtudesEnregistrees(), (QStringList{"Maison A", "Maison B"}));
    EXPECT_EQ(Stockee("Maison B"), Travail());
    E.ChargerEtudeEnregistree("Maison A");
    EXPECT_EQ(Travail(), Stockee("Maison A"));
}

// A process killed at random moments while it stores two different studies
// in turn under one name: after each kill the stored study is one of the two
// saves, whole.
TEST_F(Enregistrement, ProcessusTue) {
    // A kill, unlike a power cut, leaves the system's cache to the disk: the
    // folder may as well be in memory, where syncing costs nothing and the
    // kills can be many.
    QTemporaryDir enMemoire(QStringLiteral("/dev/shm/sorvel-XXXXXX"));
    if (enMemoire.isValid()) {
        E = DossierEtudes(enMemoire.path());
        E.PreparerDemarrage();
    }
    Etude(2, "40");
    E.EnregistrerEtude("A");
    const Trois a = Stockee("A");
    Etude(4, "45");
    E.EnregistrerEtude("B");
    const Trois b = Stockee("B");
    E.CopierEtudeEnregistree("A", "Maison");

    // Kills spread over a few rounds of the child's loop, however fast the
    // disk syncs.
    QElapsedTimer chrono;
    chrono.start();
    E.ChargerEtudeEnregistree("B");
    E.EnregistrerEtude("Maison");
    E.CopierEtudeEnregistree("A", "Maison");
    const auto tour = std::max<qint64>(chrono.nsecsElapsed() / 1000, 200);
    std::mt19937 hasard(20240611);
    std::uniform_int_distribution<qint64> delai(0, 4 * tour); // microseconds
    int nouvelles = 0;
    const int essais = 150;
    for (int essai = 0; essai < essais; ++essai) {
        SCOPED_TRACE(essai);
        const pid_t enfant = fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            // Nothing of the test framework runs here: the child stores
            // until it is killed.
            for (int n = 0;; ++n) {
                try {
                    E.ChargerEtudeEnregistree(n % 2 ? "A" : "B");
                    E.EnregistrerEtude("Maison");
                } catch (...) {
                    _exit(3);
                }
            }
        }
        usleep(static_cast<useconds_t>(delai(hasard)));
        kill(enfant, SIGKILL);
        int etat = 0;
        ASSERT_EQ(waitpid(enfant, &etat, 0), enfant);
        ASSERT_TRUE(WIFSIGNALED(etat)) << "the child stopped by itself";

        EXPECT_EQ(E.EtudesEnregistrees(), (QStringList{"A", "B", "Maison"}));
        const Trois maison = Stockee();
        EXPECT_TRUE(maison == a || maison == b);
        if (maison == b)
            ++nouvelles;
        const QStringList restes = QDir(E.Chemin()).entryList({"*.neuf", FichierJournal}, QDir::Files);
        EXPECT_TRUE(restes.isEmpty()) << restes.join(", ").toStdString();
        // Start again from A, so that each kill can show a change.
        E.CopierEtudeEnregistree("A", "Maison");
    }
    // The kills did land after stores as well as before.
    EXPECT_GT(nouvelles, 0);
    EXPECT_LT(nouvelles, essais);
}
