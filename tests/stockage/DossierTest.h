#pragma once

// What the storage tests share: a studies folder of the test's own, the
// bytes its files hold, the error an operation raises, and a child process
// killed while it works on the folder.

#include "Exemples.h"
#include "ExemplesEtude.h"
#include "enregistrements/Conversion.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace sorvel::test {

// The bytes of a record: a room's, its pressure drops'.
template <class Enregistrement>
QByteArray Octets(const Enregistrement& e) {
    const auto o = Encoder(e);
    return QByteArray(o.data(), o.size());
}
inline QByteArray Octets(const Piece& p) { return Octets(VersEnregistrement(p)); }

// The French sentence of the error the operation raises.
inline std::string Message(const std::function<void()>& operation) {
    const auto e = exemples::Erreur<ErreurSignalee>(operation);
    return e ? e->what() : "<aucune erreur>";
}

// Thrown by a step to stop a store there, as a kill would: the store cleans
// up after an ErreurFichier only.
struct Interruption {};

// `essais` times over: a child process repeats travail(0), travail(1)...
// until it is killed (SIGKILL) after a random time up to `maxi` µs, then
// `verifier` looks at what it left.
inline void TuerAuHasard(int essais, useconds_t maxi, const std::function<void(int)>& travail,
                         const std::function<void()>& verifier) {
    std::mt19937 hasard(20240611);
    std::uniform_int_distribution<useconds_t> delai(0, maxi);
    for (int essai = 0; essai < essais; ++essai) {
        SCOPED_TRACE(essai);
        std::fflush(nullptr);
        const pid_t enfant = fork();
        if (enfant == 0) {
            // Nothing of the test framework runs here.
            try {
                for (int i = 0;; ++i)
                    travail(i);
            } catch (...) {
                _exit(3);
            }
        }
        ASSERT_GT(enfant, 0) << "no child process"; // and no kill(-1)
        usleep(delai(hasard));
        kill(enfant, SIGKILL);
        int statut = 0;
        ASSERT_TRUE(waitpid(enfant, &statut, 0) == enfant && WIFSIGNALED(statut)) << "the child stopped by itself";
        verifier();
    }
}

class DossierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        E.PreparerDossier();
    }
    QByteArray Contenu(const QString& nom) const { return test::Contenu(E, nom); }
    void Poser(const QString& nom, const QByteArray& octets) const { test::Poser(E, nom, octets); }
    // The files of the folder, by name.
    QStringList Fichiers() const {
        return QDir(E.Chemin()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir temp_;
    DossierEtudes E{temp_.path() + QStringLiteral("/Etudes")};
};

} // namespace sorvel::test
