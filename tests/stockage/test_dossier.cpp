// The studies folder: what every file operation shares (the cause of a
// failure, a whole file written), its files of fixed-length records, where
// it lies, and the lock and the marker of the run working in it.

#include "DossierTest.h"
#include "Environnement.h"
#include "LimiteTailleFichier.h"
#include "stockage/Catalogue.h"
#include "stockage/EmplacementEtudes.h"
#include "stockage/SessionEtudes.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QSysInfo>

#include <cerrno>

using namespace sorvel;
using namespace sorvel::test;

using Dossier = DossierTest;

// The cause of a failed read is the path's own, as the system reports it;
// "n'existe pas" only for what does not exist. The message names the file
// and that cause.
TEST_F(Dossier, DiagnostiquerLecture) {
    Poser("Maison.pla", "x");
    Poser("Illisible.pla", "x");
    ASSERT_TRUE(QFile::setPermissions(E.Chemin("Illisible.pla"), {}));
    ASSERT_TRUE(QDir().mkdir(E.Chemin("Maison.plg")));
    ASSERT_TRUE(QFile::link(E.Chemin("Boucle.pla"), E.Chemin("Boucle.pla")));
    const QString tropLong(300, QLatin1Char('n'));
    // Each case: the file, its error number, and the cause that ends
    // "Impossible de lire le fichier « … » : ".
    const std::tuple<QString, int, const char*> cas[] = {
        {"Maison.pla", 0, nullptr},
        {"Absent.pla", ENOENT, "le fichier ou son dossier n'existe pas"},
        {"absent/Maison.pla", ENOENT, "le fichier ou son dossier n'existe pas"},
        {"Maison.pla/Maison.plp", ENOTDIR, "un élément du chemin n'est pas un dossier"},
        {"Maison.plg", EISDIR, "un dossier porte ce nom"},
        {"Illisible.pla", EACCES, "l'accès est refusé"},
        {tropLong, ENAMETOOLONG, "le nom du fichier est trop long"},
        {"Boucle.pla", ELOOP, "le chemin tourne en rond (liens symboliques)"},
    };
    for (const auto& [nom, code, cause] : cas) {
        SCOPED_TRACE(nom.left(20).toStdString());
        if (code == EACCES && geteuid() == 0)
            continue; // the administrator reads through permission bits
        EXPECT_EQ(DiagnostiquerLecture(E.Chemin(nom)), code);
        if (cause) {
            EXPECT_EQ(Message([&] { LireFichier(E.Chemin(nom)); }),
                      "Impossible de lire le fichier « " + QFileInfo(nom).fileName().toStdString() + " » : " + cause +
                          ".");
        }
    }
    // The message comes back whole even when it holds a NUL.
    const QString avecNul = QStringLiteral("Le fichier « a") + QChar(0) + QStringLiteral("b » est illisible.");
    EXPECT_EQ(ErreurFichier("a", avecNul).messageFrancais(), avecNul);
}

// A whole file replaces the previous one; a write the disk refuses part-way
// leaves the previous content and nothing aside.
TEST_F(Dossier, EcrireFichierComplet) {
    const QString note = E.Chemin("Note.txt");
    EcrireFichierComplet(note, "ancien");
    EcrireFichierComplet(note, "nouveau");
    {
        LimiteTailleFichier limite(4);
        EXPECT_EQ(Message([&] { EcrireFichierComplet(note, "trop long"); }),
                  "Impossible d'écrire le fichier « Note.txt » : le fichier est trop grand.");
    }
    EXPECT_EQ(Contenu("Note.txt"), "nouveau");
    EXPECT_EQ(Fichiers(), QStringList{"Note.txt"});
}

// Records are written in place or right after the last whole one, never
// beyond; the bytes of an unfinished last record are left out and counted;
// a missing file holds none, and reading it makes it.
TEST_F(Dossier, Enregistrements) {
    const QString a = QStringLiteral("A.tmp");
    int enTrop = -1;
    EXPECT_EQ(E.NombreEnregistrements(a, 4, &enTrop), 0);
    EXPECT_EQ(E.LireEnregistrements(a, 4), QByteArray());
    EXPECT_EQ(Contenu(a), QByteArray());
    for (const auto& [n, octets] : {std::pair{1, "aaaa"}, std::pair{2, "bbbb"}, std::pair{1, "cccc"}})
        E.EcrireEnregistrement(a, 4, n, octets);
    EXPECT_EQ(Message([&] { E.EcrireEnregistrement(a, 4, 4, "dddd"); }),
              "Impossible d'écrire l'enregistrement n° 4 du fichier « A.tmp » : il ne contient que 2 "
              "enregistrement(s).");
    EXPECT_THROW(E.EcrireEnregistrement(a, 4, 0, "dddd"), ErreurFichier);
    Poser(a, Contenu(a) + "xyz");
    EXPECT_EQ(E.NombreEnregistrements(a, 4, &enTrop), 2);
    EXPECT_EQ(enTrop, 3);
    EXPECT_EQ(E.LireEnregistrements(a, 4, &enTrop), "ccccbbbb");
    EXPECT_EQ(enTrop, 3);
    E.EcrireEnregistrement(a, 4, 3, "dddd");
    EXPECT_EQ(Contenu(a), "ccccbbbbdddd") << "over the stray bytes";
}

// Below a regular file the folder cannot exist, whoever asks: the folder
// and the operations in it say why, naming their file.
TEST_F(Dossier, DossierImpossible) {
    Poser("programme", "x");
    EXPECT_EQ(Message([&] { DossierEtudes(E.Chemin("programme")).PreparerDossier(); }),
              "Impossible de créer le dossier « " + E.Chemin("programme").toStdString() +
                  " » : un fichier porte déjà ce nom.");
    const DossierEtudes sous(E.Chemin("programme/Etudes"));
    const std::pair<std::function<void()>, QString> cas[] = {
        {[&] { sous.PreparerDossier(); }, sous.Chemin()},
        {[&] { FichiersTravail(sous).EcrirePiece(1, PieceExemple(1), PerteExemple(1)); }, FichierPteTemp},
        {[&] { FichiersTravail(sous).LirePiece(1); }, FichierEtude},
        {[&] { Catalogue(sous).Enregistrer("A"); }, "A.pla"},
        {[&] { Catalogue(sous).Lire("A"); }, sous.Chemin("A.plg")},
    };
    for (const auto& [operation, fichier] : cas) {
        const std::string m = Message(operation);
        EXPECT_TRUE(m.starts_with("Impossible d") && m.find("« " + fichier.toStdString() + " »") != std::string::npos &&
                    m.ends_with(" : un élément du chemin n'est pas un dossier."))
            << m;
    }
}

// Where the studies folder lies: beside a program whose folder takes new
// files, in the user's documents otherwise, wherever SORVEL_ETUDES says.
TEST_F(Dossier, EmplacementEtudes) {
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "emplacement")) {
        const QJsonObject k = ligne.toObject();
        SCOPED_TRACE(k["cas"].toString().toStdString());
        const SituationEtudes s{.dossierProgramme = k["programme"].toString(),
                                .programmeInscriptible = k["inscriptible"].toBool(),
                                .dossierImpose = k["impose"].toString(),
                                .dossierDocuments = QStringLiteral("/home/anne/Documents"),
                                .repertoireCourant = QStringLiteral("/home/anne/chantiers")};
        EXPECT_EQ(ChoisirDossierEtudes(s), k["attendu"].toString());
    }
}

// The probe makes a real file: it answers for what the disk does, and
// leaves nothing behind. Below a regular file no folder can exist, whoever
// asks.
TEST_F(Dossier, SondeDuDossier) {
    EXPECT_TRUE(DossierInscriptible(E.Chemin()));
    EXPECT_EQ(Fichiers(), QStringList{});
    Poser("fichier", "x");
    for (const QString& refuse : {QString(), E.Chemin("absent"), E.Chemin("fichier"), E.Chemin("fichier/programme")})
        EXPECT_FALSE(DossierInscriptible(refuse)) << refuse.toStdString();
    // The administrator writes through permission bits.
    if (geteuid() != 0 && QFile::setPermissions(E.Chemin(), QFile::ReadOwner | QFile::ExeOwner)) {
        EXPECT_FALSE(DossierInscriptible(E.Chemin()));
        QFile::setPermissions(E.Chemin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// At start-up the documents folder is the desktop's: the one the user's
// configuration names, or Documents in the home folder.
TEST_F(Dossier, EmplacementAuDemarrage) {
    MaisonTemporaire environnement(E.Chemin());
    const auto refuse = [](const QString&) { return false; };
    EXPECT_EQ(DossierEtudesDemarrage(temp_.path(), refuse), E.Chemin("Documents/Sorvel/Etudes"));
    EXPECT_EQ(DossierEtudesDemarrage(temp_.path()), E.Chemin()) << "a temporary folder takes files";
    EXPECT_FALSE(E.Existe("Documents")) << "choosing the folder makes nothing";
    ASSERT_TRUE(QDir().mkpath(E.Chemin(".config")));
    Poser(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
    EXPECT_EQ(DossierEtudesDemarrage(temp_.path(), refuse), E.Chemin("Mes documents/Sorvel/Etudes"));
    VariableEnvironnement partage("SORVEL_ETUDES", QByteArray("/srv/bureau/etudes"));
    EXPECT_EQ(DossierEtudesDemarrage(temp_.path(), refuse), QStringLiteral("/srv/bureau/etudes"));
}

// The marker names the study from the start of a run to its normal end.
TEST_F(Dossier, MarqueDeLaSessionEnCours) {
    EXPECT_EQ(SessionInterrompue(E), std::nullopt);
    for (const QString& nom : {QStringLiteral("Villa"), QStringLiteral("Séjour « été »"), QString(),
                               QStringLiteral("deux\nlignes")}) {
        EcrireSession(E, nom);
        EXPECT_EQ(SessionInterrompue(E), nom);
    }
    TerminerSession(E);
    EXPECT_EQ(SessionInterrompue(E), std::nullopt);
    // A file of that name not written by the program still says that a run
    // did not end, but names no study.
    Poser(FichierSession, "n'importe quoi");
    EXPECT_EQ(SessionInterrompue(E), QString());
}

// Two locks on one folder in one process: the second is refused until the
// first is given back. A lock written on another computer is not taken
// over, however old.
TEST_F(Dossier, UnSeulProgrammeParDossier) {
    VerrouEtudes premier(E);
    VerrouEtudes second(E);
    EXPECT_EQ(premier.Prendre(), VerrouEtudes::Issue::Pris);
    EXPECT_EQ(premier.Prendre(), VerrouEtudes::Issue::Pris) << "taken again: still held";
    EXPECT_EQ(second.Prendre(), VerrouEtudes::Issue::Occupe);
    EXPECT_EQ(second.OrdinateurDetenteur(), QSysInfo::machineHostName());
    EXPECT_FALSE(second.DetenteurDistant() || second.Pris());
    premier.Rendre();
    EXPECT_FALSE(E.Existe(FichierVerrou));
    EXPECT_EQ(second.Prendre(), VerrouEtudes::Issue::Pris);
    second.Rendre();

    Poser(FichierVerrou, "4242\nsorvel\nautre-ordinateur\n");
    EXPECT_EQ(premier.Prendre(), VerrouEtudes::Issue::Occupe);
    EXPECT_TRUE(premier.DetenteurDistant());
    EXPECT_EQ(premier.OrdinateurDetenteur(), QStringLiteral("autre-ordinateur"));
}

// Another process holds the folder while it runs; once it is killed, the
// lock it left behind is taken over.
TEST_F(Dossier, VerrouDUnAutreProcessus) {
    int tube[2];
    ASSERT_EQ(pipe(tube), 0);
    const pid_t autre = fork();
    if (autre == 0) {
        VerrouEtudes verrou(E);
        const char pret = verrou.Prendre() == VerrouEtudes::Issue::Pris ? '1' : '0';
        (void)!write(tube[1], &pret, 1);
        pause();
        _exit(0);
    }
    ASSERT_GT(autre, 0);
    char pret = 0;
    const bool pris = read(tube[0], &pret, 1) == 1 && pret == '1';
    VerrouEtudes verrou(E);
    const VerrouEtudes::Issue pendant = verrou.Prendre();
    kill(autre, SIGKILL);
    waitpid(autre, nullptr, 0);
    close(tube[0]);
    close(tube[1]);
    ASSERT_TRUE(pris);
    EXPECT_EQ(pendant, VerrouEtudes::Issue::Occupe);
    EXPECT_TRUE(E.Existe(FichierVerrou));
    EXPECT_EQ(verrou.Prendre(), VerrouEtudes::Issue::Pris);
}
