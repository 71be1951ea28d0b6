// The stored studies of a folder: storing, copying and loading through the
// journal are all or nothing, whatever stops them (a full disk, an
// interruption after any step, a killed process); the list of studies; a
// stored study read and checked.

#include "DossierTest.h"
#include "Environnement.h"
#include "LimiteTailleFichier.h"
#include "stockage/Catalogue.h"
#include "stockage/Extension.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QVariant>

#include <fcntl.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// The files of a study: rooms, pressure drops, general data, extension file.
using Jeu = std::vector<QByteArray>;
const QByteArray Absent("<absent>");

class Stockees : public DossierTest {
protected:
    Jeu Stockee(const QString& nom) const {
        return {Contenu(nom + ExtensionPieces), Contenu(nom + ExtensionPertes), Contenu(nom + ExtensionGenerales),
                Contenu(nom + ExtensionComplements)};
    }
    Jeu Travail() const {
        return {Contenu(FichierEtude), Contenu(FichierPerte), Contenu(FichierGenerales), Contenu(FichierExtension)};
    }
    // Working files of n rooms with the supply temperature `depart`; with
    // `details`, room 1's details and the climate in Extension.tmp.
    void EtudeTravail(int n, int depart, bool details = false) const {
        T.SupprimerTout();
        for (int i = 1; i <= n; ++i)
            AjouterPieceExemple(E, i);
        T.EcrireGenerales({.TempDepart = depart});
        if (details) {
            T.EcrireClimat(ClimatExemple);
            T.EcrirePiece(1, PieceDetaillee(1), PerteExemple(1));
        }
    }
    // Maison stored from working files of n rooms; its files.
    Jeu StockerMaison(int n, int depart) {
        EtudeTravail(n, depart);
        C.Enregistrer("Maison");
        return Stockee("Maison");
    }

    // The studies folder in memory, where syncing costs nothing: a kill or
    // an interrupted store, unlike a power cut, leaves the system's cache to
    // the disk.
    void EnMemoire() {
        if (memoire_.isValid())
            E = DossierEtudes(memoire_.path()), C = Catalogue(E), T = FichiersTravail(E);
    }

    Catalogue C{E};
    FichiersTravail T{E};
    QTemporaryDir memoire_{QStringLiteral("/dev/shm/sorvel-XXXXXX")};
};

const QStringList AvecMaison = {"Etude.tmp", "Generale.tmp", "Maison.pla", "Maison.plg", "Maison.plp", "Perte.tmp"};

} // namespace

// A study stored, copied, then loaded is the working files byte for byte;
// a study without rooms has empty room files. Its extension file goes with
// it, and a study stored or loaded without one leaves none of the earlier
// one; deleting a study deletes them all.
TEST_F(Stockees, EnregistrerCopierCharger) {
    T.EcrireGenerales({});
    C.Enregistrer("Vide");
    EXPECT_EQ(Stockee("Vide"), (Jeu{"", "", Contenu(FichierGenerales), Absent}));
    EtudeTravail(4, 45, true);
    C.Enregistrer("Maison");
    const Jeu quatre = Travail();
    C.Copier("Maison", "Villa");
    C.Charger("Vide");
    EXPECT_EQ(Travail()[3], Absent);
    C.Charger("Villa");
    EXPECT_EQ(Travail(), quatre);
    EXPECT_EQ(Stockee("Villa"), quatre);
    const Etude lue = C.Lire("Villa");
    EXPECT_EQ(lue.Climat, ClimatExemple);
    EXPECT_EQ(lue.Pieces, (std::vector{PieceDetaillee(1), PieceExemple(2), PieceExemple(3), PieceExemple(4)}));
    C.Copier("Vide", "Villa");
    EXPECT_EQ(Stockee("Villa")[3], Absent);
    C.Supprimer("Maison");
    EXPECT_EQ(Stockee("Maison"), (Jeu{Absent, Absent, Absent, Absent}));
}

// A store stopped after each of its steps, over an earlier save or as the
// first one, each with or without an extension file: until the journal is
// in place the earlier state comes back whole (no study at all the first
// time, never a study with a file missing or one of the other save); from
// then on the new one. Nothing is left aside, and the store can be made
// again.
TEST_F(Stockees, InterrompuApresChaqueEtape) {
    EnMemoire();
    for (int cas = 0; cas < 6; ++cas) {
        const bool premier = cas >= 4, extensionAvant = cas & 1, extensionApres = cas & 2;
        for (int k = 0;; ++k) {
            SCOPED_TRACE(testing::Message() << cas << " " << k);
            C.Supprimer("Maison");
            EtudeTravail(2, 40, extensionAvant);
            if (!premier)
                C.Enregistrer("Maison");
            const Jeu avant = Stockee("Maison");
            EtudeTravail(3, 45, extensionApres);
            std::optional<EtapeEnregistrement> arret;
            int etape = 0;
            C.JournalEnregistrement().SuivreEtapes([&](EtapeEnregistrement e) {
                if (etape++ == k) {
                    arret = e;
                    throw Interruption{};
                }
            });
            try {
                C.Enregistrer("Maison");
            } catch (const Interruption&) {
            }
            C.JournalEnregistrement().SuivreEtapes({});
            if (!arret)
                break; // every step has been walked
            const bool decide = *arret >= EtapeEnregistrement::JournalEnPlace;
            EXPECT_EQ(C.Etudes(), premier && !decide ? QStringList() : QStringList({"Maison"}));
            EXPECT_EQ(Stockee("Maison"), decide ? Travail() : avant);
            EXPECT_EQ(QDir(E.Chemin()).entryList({"*.neuf", FichierJournal}, QDir::Files), QStringList{});
            C.Enregistrer("Maison");
            EXPECT_EQ(Stockee("Maison"), Travail());
        }
    }
}

// A store that fails before it is decided (a source that cannot be read,
// a target that cannot be written, the disk full): the message names the
// file, the previous save stays byte for byte, nothing is left aside; once
// the cause is gone the store succeeds.
TEST_F(Stockees, EchecLaisseLEtudeEnregistree) {
    const Jeu avant = StockerMaison(2, 40);
    EtudeTravail(5, 45);
    const std::pair<QString, std::string> cas[] = {
        {FichierPerte, "Impossible de lire le fichier « Perte.tmp » : un dossier porte ce nom."},
        {"Maison.plg", "Impossible d'écrire le fichier « Maison.plg » : un dossier porte ce nom."},
        {"", "Impossible d'écrire le fichier « Maison.pla » : le fichier est trop grand."}, // the disk full
    };
    for (const auto& [dossier, message] : cas) {
        const QByteArray octets = Contenu(dossier);
        ASSERT_TRUE(dossier.isEmpty() || (QFile::remove(E.Chemin(dossier)) && QDir().mkdir(E.Chemin(dossier))));
        {
            LimiteTailleFichier disque(dossier.isEmpty() ? 3 * DonneesPiece::Longueur : RLIM_INFINITY);
            EXPECT_EQ(Message([&] { C.Enregistrer("Maison"); }), message);
        }
        ASSERT_TRUE(dossier.isEmpty() || QDir().rmdir(E.Chemin(dossier)));
        if (!dossier.isEmpty())
            Poser(dossier, octets);
        EXPECT_EQ(Stockee("Maison"), avant);
        EXPECT_EQ(Fichiers(), AvecMaison);
    }
    C.Enregistrer("Maison");
    EXPECT_EQ(Stockee("Maison"), Travail());
}

// What a store or a rewrite left aside goes at the next listing; a journal
// without its last line decides nothing; a journal names files of the
// folder only.
TEST_F(Stockees, RestesNettoyes) {
    const Jeu avant = StockerMaison(2, 40);
    const std::pair<QByteArray, QByteArray> cas[] = {
        {{}, avant[2]}, {"Maison.pla\nMaison.plg\n", avant[2]}, {"../Maison.pla\nMaison.plg\nfin\n", "nouveau"}};
    for (const auto& [journal, plg] : cas) {
        for (const char* reste : {"Maison.pla.neuf", "Etude.tmp.neuf", "Enregistrement.journal.neuf"})
            Poser(reste, "restes");
        Poser("Maison.plg.neuf", "nouveau");
        if (!journal.isEmpty())
            Poser(FichierJournal, journal);
        EXPECT_EQ(C.Etudes(), QStringList{"Maison"});
        EXPECT_EQ(Stockee("Maison"), (Jeu{avant[0], avant[1], plg, Absent}));
        EXPECT_EQ(Fichiers(), AvecMaison);
    }
}

// The stored studies are the files ending in "pla" exactly, listed in
// French order, numbers by their value.
TEST_F(Stockees, ListeDesEtudes) {
    const QStringList attendus = QVariant(TableCas(SORVEL_CAS, "ordre").toVariantList()).toStringList();
    for (const QString& nom : attendus)
        Poser(nom + ExtensionPieces, {});
    for (const char* autre : {"Chalet.PLA", ".pla", "Notes.txt", "Maison.plp", "Maison.plg"})
        Poser(autre, {});
    ASSERT_TRUE(QDir().mkdir(E.Chemin("Dossier.pla")));
    EXPECT_EQ(C.Etudes(), attendus);
}

// A stored study whose names are not UTF-8 (files copied from an older
// system) is listed; reading it says why it cannot be opened, never that
// it is missing.
TEST_F(Stockees, NomHorsUtf8) {
    const QByteArray brut = QFile::encodeName(E.Chemin({})) + "Maison \xE9t\xE9";
    for (const char* extension : {".pla", ".plp", ".plg"})
        ASSERT_EQ(::close(::open(brut + extension, O_CREAT | O_WRONLY, 0644)), 0);
    const QString nom = QStringLiteral("Maison \uFFFDt\uFFFD");
    const QStringList etudes = C.Etudes();
    const std::string message = Message([&] { C.Lire(nom); });
    for (const char* extension : {".pla", ".plp", ".plg"})
        ::unlink(brut + extension); // beyond what QTemporaryDir can name
    EXPECT_EQ(etudes, QStringList{nom});
    EXPECT_EQ(message, "Impossible de lire le fichier « " + E.Chemin(nom + ".plg").toStdString() +
                           " » : son nom n'est pas écrit en UTF-8 (il vient sans doute d'un autre système). "
                           "Renommez les fichiers de l'étude pour l'ouvrir.");
}

// A stored study reads back whole. One that could not have been written is
// refused, naming the file and why: by its size alone, before a byte is
// read (a sparse file of 200 MB costs nothing to make and much to read),
// then by its values. "introuvable" only for a file that does not exist.
TEST_F(Stockees, Lire) {
    StockerMaison(3, 45);
    const Etude lue = C.Lire("Maison");
    EXPECT_EQ(lue.Generales, Installation{.TempDepart = 45});
    EXPECT_EQ(lue.Pieces, (std::vector{PieceExemple(1), PieceExemple(2), PieceExemple(3)}));
    EXPECT_EQ(lue.Pertes, (std::vector{PerteExemple(1), PerteExemple(2), PerteExemple(3)}));
    Piece abimee = PieceExemple(2);
    abimee.SurfacePiece = -3;
    const struct {
        QString fichier;
        qint64 taille; // -1: removed; -2: a folder in its place
        QByteArray octets;
        std::string fin; // of "Le fichier « …/<fichier> » <fin>"
    } cas[] = {
        {"Maison.plp", -1, {}, "est introuvable."},
        {"Maison.plp", -2, {}, "n'est pas un fichier."},
        {"Maison.plg", 0, {}, "est endommagé : sa longueur ne correspond pas aux données générales."},
        {"Maison.pla", 3 * 136 + 5, {}, "est endommagé : sa longueur n'est pas un nombre entier de pièces."},
        {"Maison.pla", 31 * 136, {}, "est endommagé : il contient plus de 30 pièces."},
        {"Maison.pla", 136LL * 1500000, {}, "est endommagé : il contient plus de 30 pièces."},
        {"Maison.plp", 25, {}, "est endommagé : sa longueur n'est pas un nombre entier de pertes de charge."},
        {"Maison.pla", 136, Octets(abimee),
         "est endommagé : pièce 2 « Pièce 2 », champ « Surface de la pièce » : la valeur -3 est négative."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.fin);
        if (c.taille < 0)
            E.SupprimerFichier(c.fichier);
        ASSERT_TRUE(c.taille != -2 || QDir().mkdir(E.Chemin(c.fichier)));
        ASSERT_TRUE(c.taille < 0 || QFile(E.Chemin(c.fichier)).resize(c.taille));
        if (!c.octets.isEmpty())
            E.EcrireEnregistrement(c.fichier, DonneesPiece::Longueur, 2, c.octets.constData());
        const std::string m = Message([&] { C.Lire("Maison"); });
        EXPECT_TRUE(m.ends_with(c.fichier.toStdString() + " » " + c.fin)) << m;
        QDir().rmdir(E.Chemin(c.fichier));
        C.Enregistrer("Maison");
    }
    EXPECT_TRUE(Message([&] { C.Lire(QString(300, 'n')); }).ends_with(" : le nom du fichier est trop long."));
}

namespace {

// `valeur` put at `chemin` ("pieces/0/deperditions/b") in `v`; an undefined
// value removes what is there.
QJsonValue Modifier(const QJsonValue& v, QStringList chemin, const QJsonValue& valeur) {
    if (chemin.isEmpty())
        return valeur;
    const QString cle = chemin.takeFirst();
    const bool retirer = chemin.isEmpty() && valeur.isUndefined();
    if (v.isArray()) {
        QJsonArray a = v.toArray();
        if (retirer)
            a.removeAt(cle.toInt());
        else
            a[cle.toInt()] = Modifier(a[cle.toInt()], chemin, valeur);
        return a;
    }
    QJsonObject o = v.toObject();
    if (retirer)
        o.remove(cle);
    else
        o[cle] = Modifier(o[cle], chemin, valeur);
    return o;
}

// The rooms of `etude` as their records alone give them.
std::vector<Piece> StockerPiecesSansExtension(const Etude& etude) {
    std::vector<Piece> pieces = etude.Pieces;
    for (Piece& p : pieces) {
        p.Deperditions.reset();
        p.Collecteur.reset();
        p.Boucles = 1;
    }
    return pieces;
}

} // namespace

// The extension file of a study read with its defaults; one that is not
// JSON, of a later version, or breaks a rule is refused, naming the file,
// the room or the manifold, the element and the key. Each case of the data file changes the
// sound file given there.
TEST_F(Stockees, ExtensionEndommagee) {
    StockerMaison(3, 45);
    const QJsonObject saine = TableCas(SORVEL_CAS, "extension_saine")[0].toObject();
    Poser("Maison.plx", QJsonDocument(saine).toJson());
    const Etude lue = C.Lire("Maison");
    EXPECT_EQ(lue.Climat, ClimatExemple);
    EXPECT_EQ(lue.Pieces[0].Deperditions->Elements.size(), 3u);
    EXPECT_EQ(lue.Pieces[1].Deperditions, std::nullopt);
    EXPECT_EQ(lue.Pieces[2].Deperditions, (DeperditionsPiece{.Elements = {{.Nature = NatureElement::Plancher,
                                                              .Surface = 14, .U = 0.4, .Contact = ContactElement::Sol}}}));
    EXPECT_EQ(lue.Collecteurs, (std::vector<Collecteur>{{"Rez-de-chaussée", 12, 0}, {"Étage", 8, 150}}));
    EXPECT_EQ(lue.Pieces[0].Collecteur, 2);
    EXPECT_EQ(lue.Pieces[1].Collecteur, 1) << "a room object may hold its manifold alone";
    EXPECT_EQ(lue.Pieces[2].Collecteur, std::nullopt);
    EXPECT_EQ(lue.Pieces[1].Boucles, 3);
    EXPECT_EQ(lue.Pieces[0].Boucles, 1) << "one loop unless told";
    ASSERT_TRUE(lue.Defauts);
    EXPECT_EQ(lue.Defauts->Temperatures, (std::vector<TemperatureNommee>{{"Séjour", 20}, {"Salle de bain", 22},
                                                                         {"Chambre 1", 19}}));
    EXPECT_EQ(lue.Defauts->RthFuture, Resistance::R010);
    EXPECT_EQ(lue.Defauts->LongRaccordNormale, 4.5);
    EXPECT_EQ(lue.Renseignements.Chantier, "12 rue des Lilas\n69003 Lyon");
    // Written back, the file reads the same study.
    Etude relue{.Pieces = StockerPiecesSansExtension(lue)};
    LireExtension(*EcrireExtension(lue), E.Chemin("Maison.plx"), "Maison.plx", relue);
    EXPECT_EQ(relue.Pieces, lue.Pieces);
    EXPECT_EQ(relue.Collecteurs, lue.Collecteurs);
    EXPECT_EQ(relue.Climat, lue.Climat);
    EXPECT_EQ(relue.Defauts, lue.Defauts);
    EXPECT_EQ(relue.Renseignements, lue.Renseignements);
    // Keys left out take the values of a study that sets none.
    Poser("Maison.plx", R"({"format": "sorvel-extension", "version": 3, "defautsPieces": {}, "renseignements": {}})");
    EXPECT_EQ(C.Lire("Maison").Defauts, DefautsPieces{});
    EXPECT_TRUE(C.Lire("Maison").Renseignements.Vides());
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "extension_endommagee")) {
        const QJsonObject c = ligne.toObject();
        QJsonValue fichier = saine;
        for (const QJsonValue& chemin : c["retirer"].toArray())
            fichier = Modifier(fichier, chemin.toString().split('/'), QJsonValue::Undefined);
        const QJsonObject poser = c["poser"].toObject();
        for (auto i = poser.begin(); i != poser.end(); ++i)
            fichier = Modifier(fichier, i.key().split('/'), i.value());
        Poser("Maison.plx",
              c.contains("texte") ? c["texte"].toString().toUtf8() : QJsonDocument(fichier.toObject()).toJson());
        EXPECT_EQ(Message([&] { C.Lire("Maison"); }),
                  "Le fichier « " + E.Chemin("Maison.plx").toStdString() + " » " + c["message"].toString().toStdString());
    }
}

// A process killed at random moments while it stores two different studies
// in turn under one name: after each kill the stored study is one of the
// two saves, whole, and nothing is left aside.
TEST_F(Stockees, ProcessusTue) {
    EnMemoire();
    EtudeTravail(2, 40);
    C.Enregistrer("A");
    EtudeTravail(4, 45);
    C.Enregistrer("B");
    // Kills spread over a few rounds of the child's loop, however fast the
    // disk syncs.
    QElapsedTimer chrono;
    chrono.start();
    C.Enregistrer("Maison");
    C.Charger("A");
    int nouvelles = 0;
    C.Copier("A", "Maison");
    TuerAuHasard(
        150, 4 * std::max<useconds_t>(chrono.nsecsElapsed() / 1000, 200),
        [&](int n) {
            C.Charger(n % 2 ? "A" : "B");
            C.Enregistrer("Maison");
        },
        [&] {
            EXPECT_EQ(C.Etudes(), (QStringList{"A", "B", "Maison"}));
            EXPECT_TRUE(Stockee("Maison") == Stockee("A") || Stockee("Maison") == Stockee("B"));
            nouvelles += Stockee("Maison") == Stockee("B");
            EXPECT_EQ(QDir(E.Chemin()).entryList({"*.neuf", FichierJournal}, QDir::Files), QStringList{});
            C.Copier("A", "Maison"); // each kill may show a change
        });
    // The kills did land after stores as well as before.
    EXPECT_GT(nouvelles, 0);
    EXPECT_LT(nouvelles, 150);
}
