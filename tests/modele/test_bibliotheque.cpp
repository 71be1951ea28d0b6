// The study library through the study model: storing, storing under a new
// name, renaming, opening and deleting studies in a real temporary studies
// folder, with every question and message, and what happens when a store
// fails or a stored study is damaged.

#include "Exemples.h"
#include "LimiteTailleFichier.h"
#include "QuestionsScriptees.h"
#include "etude/ExportCsv.h"
#include "modele/EtudeEnCours.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;
using namespace sorvel::test;

namespace {

using Trois = std::vector<QByteArray>;

class Bibliotheque : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        etude.Demarrer();
        etude.NommerEtude();
        QObject::connect(&etude, &EtudeEnCours::EtudeRemplacee, [this] { ++remplacements; });
        QObject::connect(&etude, &EtudeEnCours::NomChange, [this](const QString& nom) { noms << nom; });
    }

    QByteArray Contenu(const QString& nom) const {
        QFile f(dossier.Chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    Trois Stockee(const QString& nom) const {
        return {Contenu(nom + ".pla"), Contenu(nom + ".plp"), Contenu(nom + ".plg")};
    }
    Trois Travail() const { return {Contenu(FichierEtude), Contenu(FichierPerte), Contenu(FichierGenerales)}; }

    // The room `d` entered from "Ajouter une pièce" to "&OK" after a change
    // on a screen.
    ::testing::AssertionResult Saisir(const DonneesPiece& d) {
        if (!etude.CommencerNouvellePiece())
            return ::testing::AssertionFailure() << "refused";
        etude.ModifierPieceEnSaisie([&](DonneesPiece& p) { p = d; });
        etude.MarquerModifie();
        if (!etude.CalculerPiece())
            return ::testing::AssertionFailure() << "not calculated";
        if (!etude.AccepterPiece())
            return ::testing::AssertionFailure() << "not accepted";
        return ::testing::AssertionSuccess();
    }
    // A study of the given rooms, entered and stored under `nom` with the
    // general data `g`; the model is left on a new study.
    void StockerAutre(const QString& nom, std::initializer_list<DonneesPiece> pieces,
                      const DonneesGenerales& g = exemples::Generales()) {
        etude.ChangerGenerales(g);
        for (const DonneesPiece& d : pieces)
            ASSERT_TRUE(Saisir(d));
        ASSERT_EQ(etude.EnregistrerEtude(nom), ResultatEnregistrement::Enregistree);
        etude.NouvelleEtude();
        questions.posees.clear();
    }
    // The one message told since the last clear, checked.
    ::testing::AssertionResult Seul(const char* titre, const std::string& texte = {},
                                    std::optional<IconeMessage> icone = {}) const {
        if (questions.posees.size() != 1)
            return ::testing::AssertionFailure() << questions.posees.size() << " messages";
        const QuestionPosee& q = questions.posees[0];
        if (q.titre != titre || (!texte.empty() && q.texte != texte) || (icone && q.icone != *icone))
            return ::testing::AssertionFailure() << q.titre << " : " << q.texte;
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir temp_;
    const DossierEtudes dossier{temp_.path() + QStringLiteral("/Etudes")};
    QuestionsScriptees questions;
    EtudeEnCours etude{dossier, questions};
    int remplacements = 0;
    QStringList noms;
};

const DonneesPiece Sejour = exemples::Piece("Séjour", ChargeNormale, 30, 1800);
const DonneesPiece Chambre = exemples::Piece("Chambre", ChargeElevee, 14, 900);
const DonneesPiece Cuisine = exemples::Piece("Cuisine", ChargeCombinee, 12, 700);

} // namespace

// The whole cycle: store "Maison A", store it as "Maison B", rename B to C,
// change the study and open A (the save question), delete C, delete A,
// and nothing is left to open.
TEST_F(Bibliotheque, CycleComplet) {
    const DonneesGenerales g = exemples::Generales(SupportPlots, Tube13x16);
    etude.ChangerGenerales(g);
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    ASSERT_TRUE(etude.CommandeEnregistrer()) << "never stored: the save dialog opens";

    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison A"), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison A");
    EXPECT_EQ(noms.back(), "Maison A");
    EXPECT_TRUE(etude.EtudeEnregistree());
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(Stockee("Maison A"), Travail()) << "the stored files are the working files, byte for byte";
    EXPECT_EQ(dossier.LireGenerales(), g);

    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, " Maison B "), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison B");
    EXPECT_EQ(Stockee("Maison B"), Stockee("Maison A"));

    ASSERT_TRUE(etude.PeutRenommer());
    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::Renommer, "Maison C"), SuiteDialogue::Fermer);
    EXPECT_EQ(etude.Nom(), "Maison C");
    EXPECT_EQ(dossier.EtudesEnregistrees(), (QStringList{"Maison A", "Maison C"}));
    EXPECT_EQ(Stockee("Maison C"), Stockee("Maison A"));
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_TRUE(etude.EtudeEnregistree());

    // A third room; opening A asks to store C first.
    ASSERT_TRUE(Saisir(Cuisine));
    EXPECT_TRUE(etude.Modifie());
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_TRUE(etude.OuvrirEtude("Maison A"));
    ASSERT_TRUE(Seul("Enregistrer.", "Voulez vous enregistrer l'étude en cours ?", IconeMessage::Question));
    EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNon);
    EXPECT_EQ(dossier.LireEtude("Maison C").Pieces.size(), 3u);
    EXPECT_EQ(etude.Nom(), "Maison A");
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Séjour", "Chambre"}));
    EXPECT_EQ(etude.Generales(), g);
    EXPECT_EQ(Travail(), Stockee("Maison A"));
    EXPECT_TRUE(etude.EtudeEnregistree());
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(remplacements, 1);

    questions.posees.clear();
    EXPECT_EQ(etude.SupprimerEtudeEnregistree("Maison C"), std::nullopt) << "Non deletes nothing";
    ASSERT_TRUE(Seul("Suppression de l'étude.", "Voulez vous supprimer l'étude 'Maison C' ?", IconeMessage::Question));
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(etude.SupprimerEtudeEnregistree("Maison C"), QStringList{"Maison A"});
    EXPECT_EQ(Contenu("Maison C.plg"), "<absent>");

    // The study being edited deleted from the open dialog: it lives on in
    // its working files, to be stored again.
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(etude.SupprimerEtudeEnregistree("Maison A"), QStringList{});
    EXPECT_FALSE(etude.EtudeEnregistree());
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(etude.NombrePieces(), 2);

    questions.posees.clear();
    EXPECT_TRUE(etude.EtudesAOuvrir().isEmpty());
    EXPECT_TRUE(Seul("Ouverture d'une étude.", "Aucune étude n'est disponible !", IconeMessage::Aucune));
}

// "Enregistrer l'étude" on a stored study stores it again without a word.
TEST_F(Bibliotheque, EnregistrerUneEtudeDejaEnregistree) {
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(etude.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    ASSERT_TRUE(Saisir(Chambre));
    EXPECT_FALSE(etude.CommandeEnregistrer()) << "no dialog";
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(Stockee("Maison"), Travail());
    EXPECT_EQ(dossier.LireEtude("Maison").Pieces.size(), 2u);
}

// Storing over another study of that name asks first; "Non" keeps the
// study and the stored files as they were, "Oui" replaces them.
TEST_F(Bibliotheque, RemplacerUneAutreEtude) {
    StockerAutre("Maison", {Cuisine});
    const Trois autre = Stockee("Maison");
    ASSERT_TRUE(Saisir(Sejour));
    const QString nom = etude.Nom();

    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison"), SuiteDialogue::Rester);
    ASSERT_TRUE(Seul("Enregistrer.", "L'étude 'Maison' existe déjà !\nVoulez vous la remplacer ?",
                     IconeMessage::Question));
    EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNon);
    EXPECT_EQ(Stockee("Maison"), autre);
    EXPECT_EQ(etude.Nom(), nom);
    EXPECT_TRUE(etude.Modifie());
    EXPECT_FALSE(etude.EtudeEnregistree());

    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::Enregistrer, "Maison"), SuiteDialogue::Fermer);
    EXPECT_EQ(Stockee("Maison"), Travail());
    EXPECT_EQ(etude.Nom(), "Maison");
}

// "Enregistrer sous..." of a study never stored keeps it under its own name
// too; a new name already taken is refused and the field emptied.
TEST_F(Bibliotheque, EnregistrerSousEtNomPris) {
    StockerAutre("Villa", {Cuisine});
    ASSERT_TRUE(Saisir(Sejour));
    const QString nom = etude.Nom();
    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, "Villa"), SuiteDialogue::ViderNom);
    ASSERT_TRUE(Seul("Etude existante.", "Le nom 'Villa' existe déjà !", IconeMessage::Aucune));
    EXPECT_EQ(dossier.LireEtude("Villa").Pieces.size(), 1u);
    EXPECT_EQ(Stockee(nom), Travail()) << "stored under its own name first";
    EXPECT_EQ(etude.Nom(), nom);

    questions.posees.clear();
    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::EnregistrerSous, "Chalet"), SuiteDialogue::Fermer);
    EXPECT_EQ(dossier.EtudesEnregistrees(), (QStringList{"Chalet", nom, "Villa"}));
    EXPECT_EQ(etude.Nom(), "Chalet");
    EXPECT_TRUE(questions.posees.empty());
}

// A name is needed, and never holds a forbidden character.
TEST_F(Bibliotheque, NomDeLEtude) {
    ASSERT_TRUE(Saisir(Sejour));
    for (ModeEnregistrement mode : {ModeEnregistrement::Enregistrer, ModeEnregistrement::EnregistrerSous,
                                    ModeEnregistrement::Renommer}) {
        for (const char* vide : {"", "   "}) {
            questions.posees.clear();
            EXPECT_EQ(etude.ValiderEnregistrement(mode, vide), SuiteDialogue::Rester);
            EXPECT_TRUE(Seul("Nom de l'étude.", "Vous devez donner un nom à l'étude !", IconeMessage::Exclamation));
        }
        questions.posees.clear();
        EXPECT_EQ(etude.ValiderEnregistrement(mode, "../Maison"), SuiteDialogue::Rester);
        EXPECT_TRUE(Seul("Caractère incorrect."));
    }
    EXPECT_TRUE(dossier.EtudesEnregistrees().isEmpty());
}

// Each of the nine characters is removed from the field as it is typed,
// with its message; any other text is kept as it is.
TEST_F(Bibliotheque, CaracteresInterdits) {
    const std::string texte = "Caractère incorrect !\nles caractères \\ / : \" ? * | < > sont interdits pour un nom "
                              "de fichier.";
    for (QChar c : QStringLiteral("\\/:\"?*|<>")) {
        SCOPED_TRACE(QString(c).toStdString());
        questions.posees.clear();
        EXPECT_EQ(etude.CorrigerNomSaisi(QStringLiteral("Salle") + c), "Salle");
        EXPECT_TRUE(Seul("Caractère incorrect.", texte, IconeMessage::Exclamation));
    }
    questions.posees.clear();
    EXPECT_EQ(etude.CorrigerNomSaisi("Salle 1 - Étage (nord), l'été"), "Salle 1 - Étage (nord), l'été");
    EXPECT_EQ(etude.CorrigerNomSaisi("a/b:c"), "abc") << "pasted: every one goes";
    EXPECT_EQ(questions.posees.size(), 1u);
}

// Renaming the study: its files go under the new name and no file keeps
// the old one.
TEST_F(Bibliotheque, Renommer) {
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(etude.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    const Trois maison = Stockee("Maison");
    EXPECT_EQ(etude.ValiderEnregistrement(ModeEnregistrement::Renommer, "Villa"), SuiteDialogue::Fermer);
    EXPECT_EQ(Stockee("Villa"), maison);
    EXPECT_EQ(Stockee("Maison"), (Trois{"<absent>", "<absent>", "<absent>"}));
    EXPECT_EQ(etude.Nom(), "Villa");
    EXPECT_TRUE(etude.EtudeEnregistree());
    EXPECT_FALSE(etude.Modifie());
}

// A store that fails (the disk full): told in French, the stored study
// byte for byte as it was, the study still modified and still there; the
// commands that would close it keep it.
TEST_F(Bibliotheque, EnregistrementImpossible) {
    StockerAutre("Autre", {Sejour});
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(etude.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    const Trois avant = Stockee("Maison");
    ASSERT_TRUE(Saisir(Chambre));
    ASSERT_TRUE(Saisir(Cuisine));
    const Trois travail = Travail();
    const int remplacementsAvant = remplacements;

    LimiteTailleFichier limite(2 * DonneesPiece::Longueur);
    const std::string fin = "\n\nL'étude 'Maison' n'a pas été enregistrée ; ce qui était enregistré sous ce nom n'a "
                            "pas changé.";
    const struct {
        const char* quoi;
        std::function<bool()> commande; // true when the study was kept
    } cas[] = {
        {"Enregistrer", [&] { return !etude.CommandeEnregistrer(); }},
        {"Quitter", [&] { return !etude.Quitter(); }},
        {"Nouvelle étude", [&] { return !etude.CommandeNouvelleEtude(); }},
        {"Ouvrir", [&] { return !etude.OuvrirEtude("Autre"); }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        questions.posees.clear();
        questions.reponses = {ReponseMessage::Oui};
        EXPECT_TRUE(c.commande());
        ASSERT_FALSE(questions.posees.empty());
        const QuestionPosee& echec = questions.posees.back();
        EXPECT_EQ(echec.titre, TitreEnregistrementImpossible.toStdString());
        EXPECT_EQ(echec.icone, IconeMessage::Exclamation);
        EXPECT_EQ(echec.texte, "Impossible d'écrire le fichier « Maison.pla » : le fichier est trop grand." + fin);
        EXPECT_EQ(Stockee("Maison"), avant);
        EXPECT_EQ(Travail(), travail);
        EXPECT_TRUE(etude.Modifie());
        EXPECT_EQ(etude.Nom(), "Maison");
        EXPECT_EQ(remplacements, remplacementsAvant);
    }
}

// A stored study that could not have been written, or one of whose files
// is missing, is refused before anything of the current study is closed.
TEST_F(Bibliotheque, OuvrirUneEtudeAbimee) {
    StockerAutre("Maison", {Sejour, Chambre});
    ASSERT_TRUE(Saisir(Cuisine));
    etude.DefinirModifie(false);
    const Trois travail = Travail();
    const QString nom = etude.Nom();
    const int remplacementsAvant = remplacements;
    const std::string refus = "\n\nL'étude 'Maison' ne peut pas être ouverte ; l'étude en cours n'a pas changé.";

    const struct {
        const char* quoi;
        std::function<void()> abimer;
        const char* titre;
        std::string texte;
        IconeMessage icone;
    } cas[] = {
        {".pla tronqué", [&] { QFile(dossier.Chemin("Maison.pla")).resize(DonneesPiece::Longueur + 7); },
         "Etude endommagée.",
         "Le fichier « " + dossier.Chemin("Maison.pla").toStdString() +
             " » est endommagé : sa longueur n'est pas un nombre entier de pièces." + refus,
         IconeMessage::Exclamation},
        {"31 pièces", [&] { QFile(dossier.Chemin("Maison.pla")).resize(31 * DonneesPiece::Longueur); },
         "Etude endommagée.",
         "Le fichier « " + dossier.Chemin("Maison.pla").toStdString() + " » est endommagé : il contient plus de 30 "
                                                                         "pièces." + refus,
         IconeMessage::Exclamation},
        {"surface négative",
         [&] {
             // Room 2's floor area is -3 m², which no screen accepts.
             DonneesPiece chambre = Chambre;
             chambre.SurfacePiece = -3;
             const auto octets = Encoder(chambre);
             QFile f(dossier.Chemin("Maison.pla"));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(DonneesPiece::Longueur);
             f.write(octets.data(), static_cast<qint64>(octets.size()));
         },
         "Etude endommagée.",
         "Le fichier « " + dossier.Chemin("Maison.pla").toStdString() +
             " » est endommagé : pièce 2 « Chambre », champ « Surface de la pièce » : la valeur -3 est négative." +
             refus,
         IconeMessage::Exclamation},
        {".plp absent", [&] { dossier.SupprimerFichier("Maison.plp"); }, "Fichier manquant.",
         "Le fichier [Maison.plp] nécessaire à l'étude est manquant !\n\nOuverture de l'étude impossible.",
         IconeMessage::Critique},
        {".plg absent", [&] { dossier.SupprimerFichier("Maison.plg"); }, "Fichier manquant.",
         "Le fichier [Maison.plg] nécessaire à l'étude est manquant !\n\nOuverture de l'étude impossible.",
         IconeMessage::Critique},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        const Trois saine = Stockee("Maison");
        c.abimer();
        questions.posees.clear();
        EXPECT_FALSE(etude.OuvrirEtude("Maison"));
        EXPECT_TRUE(Seul(c.titre, c.texte, c.icone));
        EXPECT_EQ(Travail(), travail);
        EXPECT_EQ(etude.Nom(), nom);
        EXPECT_EQ(etude.NomsPieces(), QStringList{"Cuisine"});
        EXPECT_EQ(remplacements, remplacementsAvant);
        // Put back whole for the next case.
        for (std::size_t i = 0; i < 3; ++i) {
            QFile f(dossier.Chemin(QStringLiteral("Maison") + QStringList{".pla", ".plp", ".plg"}[i]));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(saine[i]);
        }
    }
    EXPECT_TRUE(etude.OuvrirEtude("Maison"));
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Séjour", "Chambre"}));
}

// A study whose rooms were all deleted is a study without an accepted room.
TEST_F(Bibliotheque, EtudeVideeDeSesPieces) {
    ASSERT_TRUE(Saisir(Sejour));
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(etude.SupprimerPiece(1));
    questions.posees.clear();
    EXPECT_FALSE(etude.CommandeEnregistrer());
    EXPECT_TRUE(Seul("Enregistrement.", "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"));
    questions.posees.clear();
    EXPECT_FALSE(etude.PeutEnregistrerSous());
    EXPECT_TRUE(Seul("Enregistrement."));
}

// "Oui" on quitting stores the study, then its working files go.
TEST_F(Bibliotheque, QuitterEnEnregistrant) {
    ASSERT_TRUE(Saisir(Sejour));
    const Trois travail = Travail();
    const QString nom = etude.Nom();
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_TRUE(etude.Quitter());
    EXPECT_EQ(Stockee(nom), travail);
    EXPECT_EQ(Contenu(FichierEtude), "<absent>");
}

// "Exporter…" writes the summary shown with its material list and its
// balancing, as the batch tool's CSV; the balancing window's export writes
// the balancing section alone; a file that cannot be written is told and
// nothing is left.
TEST_F(Bibliotheque, ExporterCsv) {
    etude.ChangerGenerales(exemples::Generales());
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    const auto recalculee = etude.RecalculerEtude();
    ASSERT_TRUE(recalculee);
    const QString chemin = temp_.path() + QStringLiteral("/Maison.csv");
    EXPECT_TRUE(etude.ExporterCsv(chemin, *recalculee));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(),
              CsvEtude(recalculee->Resultat, recalculee->Materiel, recalculee->Equilibrage));
    EXPECT_TRUE(questions.posees.empty());
    const QString equilibrage = temp_.path() + QStringLiteral("/Maison - équilibrage.csv");
    EXPECT_TRUE(etude.ExporterCsvEquilibrage(equilibrage, *recalculee));
    QFile e(equilibrage);
    ASSERT_TRUE(e.open(QIODevice::ReadOnly));
    EXPECT_EQ(e.readAll().toStdString(), CsvEquilibrage(recalculee->Equilibrage));
    EXPECT_TRUE(questions.posees.empty());

    const QString impossible = temp_.path() + QStringLiteral("/absent/Maison.csv");
    EXPECT_FALSE(etude.ExporterCsv(impossible, *recalculee));
    EXPECT_TRUE(Seul("Exportation impossible.",
                     "Impossible d'écrire le fichier « Maison.csv » : le fichier ou son dossier n'existe pas."));
    EXPECT_FALSE(QFile::exists(impossible));
}

// The recalculated study carries the balancing of its loops and its lowest
// supply temperature, for the general data the model holds now.
TEST_F(Bibliotheque, RecalculerAvecEquilibrage) {
    for (std::int16_t tube : {Tube13x16, Tube16x20}) {
        SCOPED_TRACE(tube);
        etude.ChangerGenerales(exemples::Generales(0, tube));
        if (etude.NombrePieces() == 0) {
            ASSERT_TRUE(Saisir(Sejour));
            ASSERT_TRUE(Saisir(Chambre));
        }
        const auto recalculee = etude.RecalculerEtude();
        ASSERT_TRUE(recalculee);
        const EquilibrageEtude& e = recalculee->Equilibrage;
        // The living room's loop, then the bedroom's normal and edge loops.
        ASSERT_EQ(e.Boucles.size(), 3u);
        EXPECT_EQ(e.Boucles[2].Boucle, TypeBoucle::Bordure);
        EXPECT_EQ(e.Tube, tube);
        EXPECT_EQ(e.Boucles[0].Vitesse, VitesseEau(e.Boucles[0].Debit, tube == Tube13x16 ? "13x16" : "16x20"));
        EXPECT_EQ(e.TempDepartMinimale, TempDepartMinimale({Sejour, Chambre}, exemples::Generales(0, tube)));
        EXPECT_TRUE(e.TempDepartMinimale.has_value());
    }
    EXPECT_TRUE(questions.posees.empty());
}
