// One program per studies folder (the lock) and the marker of a run in
// progress.

#include "stockage/SessionEtudes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvel;

namespace {

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        E.PreparerDossier();
    }
    void Poser(const QString& nom, const QByteArray& octets) const {
        QFile f(E.Chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    // A process that has ended: its number names no running program.
    static pid_t ProcessusTermine() {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(0);
        waitpid(pid, nullptr, 0);
        return pid;
    }

    QTemporaryDir temp_;
    const DossierEtudes E{temp_.path() + "/Etudes"};
};

} // namespace

// The marker names the study from the start of a run to its normal end.
TEST_F(Session, MarqueDeLaSessionEnCours) {
    EXPECT_EQ(SessionInterrompue(E), std::nullopt);
    EXPECT_NO_THROW(TerminerSession(E));
    for (const QString& nom : {QStringLiteral("Villa"), QStringLiteral("Séjour « été »"), QString(),
                               QStringLiteral("deux\nlignes")}) {
        EcrireSession(E, nom);
        EXPECT_EQ(SessionInterrompue(E), nom);
    }
    TerminerSession(E);
    EXPECT_EQ(SessionInterrompue(E), std::nullopt);
    EXPECT_FALSE(E.Existe(FichierSession));
    // A file of that name not written by the program still says that a run
    // did not end, but names no study.
    Poser(FichierSession, "n'importe quoi");
    EXPECT_EQ(SessionInterrompue(E), QString());
}

// Two locks on one folder in one process: the second is refused until the
// first is given back.
TEST_F(Session, UnSeulProgrammeParDossier) {
    VerrouEtudes premier(E);
    VerrouEtudes second(E);
    EXPECT_EQ(premier.Prendre(), VerrouEtudes::Issue::Pris);
    EXPECT_EQ(premier.Prendre(), VerrouEtudes::Issue::Pris); // taken again: still held
    EXPECT_EQ(second.Prendre(), VerrouEtudes::Issue::Occupe);
    EXPECT_EQ(second.OrdinateurDetenteur(), QSysInfo::machineHostName());
    EXPECT_FALSE(second.DetenteurDistant());
    EXPECT_FALSE(second.Pris());
    premier.Rendre();
    EXPECT_FALSE(E.Existe(FichierVerrou));
    EXPECT_EQ(second.Prendre(), VerrouEtudes::Issue::Pris);
    EXPECT_TRUE(second.Pris());
}

// Another process holds the folder while it runs; once it is killed, its
// lock is taken over.
TEST_F(Session, VerrouDUnAutreProcessus) {
    int tube[2];
    ASSERT_EQ(pipe(tube), 0);
    const pid_t autre = fork();
    ASSERT_GE(autre, 0);
    if (autre == 0) {
        VerrouEtudes verrou(E);
        const char pret = verrou.Prendre() == VerrouEtudes::Issue::Pris ? '1' : '0';
        (void)!write(tube[1], &pret, 1);
        pause();
        _exit(0);
    }
    char pret = 0;
    ASSERT_EQ(read(tube[0], &pret, 1), 1);
    ASSERT_EQ(pret, '1');
    VerrouEtudes verrou(E);
    EXPECT_EQ(verrou.Prendre(), VerrouEtudes::Issue::Occupe);
    kill(autre, SIGKILL);
    waitpid(autre, nullptr, 0);
    close(tube[0]);
    close(tube[1]);
    EXPECT_TRUE(E.Existe(FichierVerrou)); // left behind, as after a crash
    EXPECT_EQ(verrou.Prendre(), VerrouEtudes::Issue::Pris);
}

// A lock file left by a program that no longer runs is taken over; one
// written on another computer is not, however old.
TEST_F(Session, VerrouAbandonneOuDistant) {
    const QByteArray ici = QSysInfo::machineHostName().toUtf8();
    Poser(FichierVerrou, QByteArray::number(ProcessusTermine()) + "\nsorvel\n" + ici + "\n");
    {
        VerrouEtudes verrou(E);
        EXPECT_EQ(verrou.Prendre(), VerrouEtudes::Issue::Pris);
    }
    Poser(FichierVerrou, "4242\nsorvel\nautre-ordinateur\n");
    VerrouEtudes verrou(E);
    EXPECT_EQ(verrou.Prendre(), VerrouEtudes::Issue::Occupe);
    EXPECT_TRUE(verrou.DetenteurDistant());
    EXPECT_EQ(verrou.OrdinateurDetenteur(), QStringLiteral("autre-ordinateur"));
}
