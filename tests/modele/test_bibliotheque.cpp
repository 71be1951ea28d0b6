// The library of stored studies through the study model: storing, storing
// under a new name, renaming, opening and deleting studies in a real
// studies folder, with every question and message, and what happens when a
// store fails or a stored study cannot be opened.

#include "LimiteTailleFichier.h"
#include "ModeleTest.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Bibliotheque : public ModeleTest {
protected:
    // A study of the given rooms stored under `nom`; the model is left on a
    // new study, nothing told.
    void StockerAutre(const QString& nom, std::initializer_list<Piece> pieces) {
        for (const Piece& p : pieces)
            ASSERT_TRUE(Saisir(p));
        ASSERT_EQ(B.EnregistrerEtude(nom), ResultatEnregistrement::Enregistree);
        etude.NouvelleEtude();
        questions.posees.clear();
    }
};

} // namespace

// The whole cycle: store "Maison A", store it as "Maison B", rename B to C,
// change the study and open A (the save question), delete C, then A while
// it is being edited.
TEST_F(Bibliotheque, CycleComplet) {
    const Installation g = exemples::Generales(Fixation::Plots, DiametreTube::D13x16);
    etude.ChangerGenerales(g);
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    ASSERT_TRUE(B.CommandeEnregistrer()) << "never stored: the save dialog opens";
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison A"), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison A");
    EXPECT_TRUE(etude.EtudeEnregistree() && !etude.Modifie());
    EXPECT_EQ(Stockee("Maison A"), Travail()) << "the working files, byte for byte";

    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, " Maison B "), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison B");
    ASSERT_TRUE(B.PeutRenommer());
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::Renommer, "Maison C"), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison C");
    EXPECT_EQ(Stockee("Maison B"), Aucun);
    EXPECT_EQ(Stockee("Maison C"), Stockee("Maison A"));
    EXPECT_TRUE(questions.posees.empty());

    ASSERT_TRUE(Saisir(Cuisine));
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_TRUE(B.OuvrirEtude("Maison A"));
    EXPECT_TRUE(questions.Seul("Enregistrer.", "Voulez vous enregistrer l'étude en cours ?"));
    EXPECT_EQ(etude.EtudesStockees().Lire("Maison C").Pieces.size(), 3u);
    EXPECT_EQ(etude.Nom(), "Maison A");
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Séjour", "Chambre"}));
    EXPECT_EQ(etude.Generales(), g);
    EXPECT_EQ(Travail(), Stockee("Maison A"));
    EXPECT_TRUE(etude.EtudeEnregistree() && !etude.Modifie());
    EXPECT_EQ(remplacements, 1);

    EXPECT_EQ(B.SupprimerEtudeEnregistree("Maison C"), std::nullopt) << "Non deletes nothing";
    EXPECT_TRUE(questions.Seul("Suppression de l'étude.", "Voulez vous supprimer l'étude 'Maison C' ?",
                               IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
    questions.reponses = {ReponseMessage::Oui, ReponseMessage::Oui};
    EXPECT_EQ(B.SupprimerEtudeEnregistree("Maison C"), QStringList{"Maison A"});
    // The study being edited, deleted from the open dialog, lives on in its
    // working files, to be stored again.
    EXPECT_EQ(B.SupprimerEtudeEnregistree("Maison A"), QStringList{});
    EXPECT_EQ(Stockee("Maison A"), Aucun);
    EXPECT_TRUE(!etude.EtudeEnregistree() && etude.Modifie());
    EXPECT_EQ(etude.NombrePieces(), 2);
}

// A study stored before extension files existed opens, and is stored
// again, byte for byte and without one. Given a climate and a room's
// details, it keeps them in its extension file, which follows it when
// stored as, renamed, opened and deleted.
TEST_F(Bibliotheque, FichierDExtension) {
    const QString maison = QStringLiteral("Maison 12 pièces");
    for (const QString& extension : {ExtensionPieces, ExtensionPertes, ExtensionGenerales})
        ASSERT_TRUE(QFile::copy(QStringLiteral(SORVEL_DONNEES_TESTS "/") + maison + extension,
                                dossier.Chemin(maison + extension)));
    const Jeu origine = Stockee(maison);
    ASSERT_TRUE(B.OuvrirEtude(maison));
    EXPECT_EQ(etude.Climat(), std::nullopt);
    ASSERT_EQ(B.EnregistrerEtude(maison), ResultatEnregistrement::Enregistree);
    EXPECT_EQ(Stockee(maison), origine);

    ASSERT_TRUE(etude.ChangerClimat(ClimatExemple));
    ASSERT_TRUE(S.OuvrirPiece(2));
    S.ModifierPieceEnSaisie([](Piece& p) { p.Deperditions = DetailsExemple(2); });
    ASSERT_TRUE(S.CalculerPiece() && S.AccepterPiece());
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, "Villa"), SuiteDialogue::Fermer);
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::Renommer, "Chalet"), SuiteDialogue::Fermer);
    EXPECT_EQ(Stockee("Chalet"), Stockee(maison));
    EXPECT_NE(Stockee("Chalet")[3], Aucun[3]);
    EXPECT_EQ(Stockee("Villa"), Aucun);
    etude.NouvelleEtude();
    EXPECT_EQ(etude.Climat(), std::nullopt);
    ASSERT_TRUE(B.OuvrirEtude("Chalet"));
    EXPECT_EQ(etude.Climat(), ClimatExemple);
    ASSERT_TRUE(S.OuvrirPiece(2));
    EXPECT_EQ(S.PieceEnSaisie().Deperditions, DetailsExemple(2));
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(B.SupprimerEtudeEnregistree("Chalet"), QStringList{maison});
    EXPECT_EQ(Stockee("Chalet"), Aucun);
    EXPECT_TRUE(questions.Seul("Suppression de l'étude."));
}

// A stored study: "Enregistrer l'étude" stores it again without a word;
// "Supprimer l'étude" asks, then its three files go and a new study starts.
TEST_F(Bibliotheque, EtudeEnregistree) {
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    ASSERT_TRUE(Saisir(Chambre));
    EXPECT_FALSE(B.CommandeEnregistrer()) << "no dialog";
    EXPECT_TRUE(questions.posees.empty() && !etude.Modifie());
    EXPECT_EQ(Stockee("Maison"), Travail());
    B.SupprimerEtude();
    EXPECT_TRUE(questions.Seul("Suppression de l'étude.", "Voulez vous supprimer l'étude 'Maison' ?",
                               IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
    questions.reponses = {ReponseMessage::Oui};
    B.SupprimerEtude();
    EXPECT_EQ(Stockee("Maison"), Aucun);
    EXPECT_EQ(remplacements, 1) << "a new study";
}

// Storing over another study of that name asks first; "Non" keeps the study
// and the stored files as they were, "Oui" replaces them. "Enregistrer
// sous..." stores the study under its own name first, and refuses a new
// name already taken.
TEST_F(Bibliotheque, NomDejaPris) {
    StockerAutre("Maison", {Cuisine});
    const Jeu autre = Stockee("Maison");
    ASSERT_TRUE(Saisir(Sejour));
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison"), SuiteDialogue::Rester);
    EXPECT_TRUE(questions.Seul("Enregistrer.", "L'étude 'Maison' existe déjà !\nVoulez vous la remplacer ?",
                               IconeMessage::Question, BoutonsMessage::OuiNon));
    EXPECT_EQ(Stockee("Maison"), autre);
    EXPECT_EQ(etude.Nom(), "Etude 1");
    EXPECT_TRUE(etude.Modifie() && !etude.EtudeEnregistree());

    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, "Maison"), SuiteDialogue::ViderNom);
    EXPECT_TRUE(questions.Seul("Etude existante.", "Le nom 'Maison' existe déjà !", IconeMessage::Aucune));
    EXPECT_EQ(Stockee("Maison"), autre);
    EXPECT_EQ(Stockee("Etude 1"), Travail()) << "stored under its own name first";

    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(B.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison"), SuiteDialogue::Fermer);
    EXPECT_EQ(Stockee("Maison"), Travail());
    EXPECT_EQ(etude.Nom(), "Maison");
}

// A name is needed, and never holds one of the nine forbidden characters:
// the field drops each as it is typed, with its message; the dialog refuses
// a name that still holds one.
TEST_F(Bibliotheque, NomDeLEtude) {
    const std::string interdit = "Caractère incorrect !\nles caractères \\ / : \" ? * | < > sont interdits pour un "
                                 "nom de fichier.";
    for (QChar c : CaracteresInterdits) {
        EXPECT_EQ(B.CorrigerNomSaisi(QStringLiteral("Salle") + c), "Salle");
        EXPECT_TRUE(questions.Seul("Caractère incorrect.", interdit, IconeMessage::Exclamation)) << c.toLatin1();
    }
    EXPECT_EQ(B.CorrigerNomSaisi("Salle 1 - Étage (nord), l'été"), "Salle 1 - Étage (nord), l'été");
    EXPECT_EQ(B.CorrigerNomSaisi("a/b:c"), "abc") << "pasted: every one goes";
    EXPECT_TRUE(questions.Seul("Caractère incorrect."));

    ASSERT_TRUE(Saisir(Sejour));
    for (ModeEnregistrement mode : {ModeEnregistrement::Enregistrer, ModeEnregistrement::EnregistrerSous,
                                    ModeEnregistrement::Renommer}) {
        EXPECT_EQ(B.ValiderEnregistrement(mode, "   "), SuiteDialogue::Rester);
        EXPECT_TRUE(questions.Seul("Nom de l'étude.", "Vous devez donner un nom à l'étude !"));
        EXPECT_EQ(B.ValiderEnregistrement(mode, "../Maison"), SuiteDialogue::Rester);
        EXPECT_TRUE(questions.Seul("Caractère incorrect.", interdit));
    }
    EXPECT_TRUE(etude.EtudesStockees().Etudes().isEmpty());
}

// A store that fails (the disk full) is told; the stored study stays byte
// for byte, the study stays as it was, and the commands that would close
// it keep it.
TEST_F(Bibliotheque, EnregistrementImpossible) {
    StockerAutre("Autre", {Sejour});
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    const Jeu avant = Stockee("Maison");
    ASSERT_TRUE(Saisir(Chambre));
    ASSERT_TRUE(Saisir(Cuisine));
    const Jeu travail = Travail();
    LimiteTailleFichier limite(2 * DonneesPiece::Longueur);
    const std::pair<const char*, std::function<bool()>> cas[] = {
        {"Enregistrer", [&] { return B.CommandeEnregistrer(); }},
        {"Quitter", [&] { return etude.Programme().Quitter(); }},
        {"Nouvelle étude", [&] { return B.CommandeNouvelleEtude(); }},
        {"Ouvrir", [&] { return B.OuvrirEtude("Autre"); }},
    };
    for (const auto& [quoi, commande] : cas) {
        SCOPED_TRACE(quoi);
        questions.reponses = {ReponseMessage::Oui};
        EXPECT_FALSE(commande());
        ASSERT_FALSE(questions.posees.empty());
        questions.posees.erase(questions.posees.begin(), questions.posees.end() - 1);
        EXPECT_TRUE(questions.Seul(TitreEnregistrementImpossible.toStdString(),
                                   "Impossible d'écrire le fichier « Maison.pla » : le fichier est trop grand.\n\n"
                                   "L'étude 'Maison' n'a pas été enregistrée ; ce qui était enregistré sous ce nom "
                                   "n'a pas changé.",
                                   IconeMessage::Exclamation));
        EXPECT_EQ(Stockee("Maison"), avant);
        EXPECT_EQ(Travail(), travail);
        EXPECT_TRUE(etude.Modifie() && etude.Nom() == "Maison");
        EXPECT_EQ(remplacements, 1);
    }
}

// A stored study that cannot be opened (a file the program could not have
// written, an extension file of a later version, a file missing, names not
// in UTF-8) is listed, then refused, saying why, before anything of the
// current study is closed.
TEST_F(Bibliotheque, OuvrirUneEtudeImpossible) {
    StockerAutre("Maison", {Sejour, Chambre});
    ASSERT_TRUE(Saisir(Cuisine));
    etude.DefinirModifie(false);
    const Jeu travail = Travail();
    const std::string refus = "\n\nL'étude 'Maison' ne peut pas être ouverte ; l'étude en cours n'a pas changé.";
    const QByteArray brut = QFile::encodeName(dossier.Chemin({})) + "Ma\xEFson";
    const struct {
        std::function<void()> abimer;
        QString ouverte;
        const char* titre;
        std::string texte;
    } cas[] = {
        {[&] { QFile(dossier.Chemin("Maison.plg")).resize(3); }, "Maison", "Etude endommagée.",
         "Le fichier « " + dossier.Chemin("Maison.plg").toStdString() +
             " » est endommagé : sa longueur ne correspond pas aux données générales." + refus},
        {[&] { Poser(dossier, "Maison.plx", R"({"format": "sorvel-extension", "version": 4})"); }, "Maison",
         "Etude trop récente.",
         "Le fichier « " + dossier.Chemin("Maison.plx").toStdString() +
             " » ne peut pas être lu : l'étude a été créée par une version plus récente de Sorvel (format de "
             "version 4 ; cette version de Sorvel lit la version 3). Mettez Sorvel à jour pour ouvrir cette étude." +
             refus},
        {[&] { dossier.SupprimerFichier("Maison.plp"); }, "Maison", "Fichier manquant.",
         "Le fichier [Maison.plp] nécessaire à l'étude est manquant !\n\nOuverture de l'étude impossible."},
        {[&] {
             for (const char* extension : {".pla", ".plp", ".plg"})
                 ::close(::open(brut + extension, O_CREAT | O_WRONLY, 0644));
         },
         QStringLiteral("Ma\uFFFDson"), "Erreur de fichier.",
         "Impossible de lire le fichier « " + dossier.Chemin(QStringLiteral("Ma\uFFFDson.plg")).toStdString() +
             " » : son nom n'est pas écrit en UTF-8 (il vient sans doute d'un autre système). Renommez les fichiers "
             "de l'étude pour l'ouvrir.\n\nL'étude 'Ma\uFFFDson' ne peut pas être ouverte ; l'étude en cours n'a "
             "pas changé."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.titre);
        const Jeu saine = Stockee("Maison");
        c.abimer();
        EXPECT_TRUE(B.EtudesAOuvrir().contains(c.ouverte));
        EXPECT_FALSE(B.OuvrirEtude(c.ouverte));
        EXPECT_TRUE(questions.Seul(c.titre, c.texte));
        EXPECT_EQ(Travail(), travail);
        EXPECT_EQ(etude.Nom(), "Etude 1");
        EXPECT_EQ(remplacements, 1);
        for (std::size_t i = 0; i < 3; ++i)
            Poser(dossier, "Maison" + QStringList{ExtensionPieces, ExtensionPertes, ExtensionGenerales}[i], saine[i]);
        dossier.SupprimerFichier("Maison.plx");
    }
    for (const char* extension : {".pla", ".plp", ".plg"})
        ::unlink(brut + extension); // beyond what QTemporaryDir can name
}
