// The run of the program on its studies folder: the study of a run cut
// short offered back, one program per folder, the marker from start to
// normal end, and quitting.

#include "Environnement.h"
#include "ModeleTest.h"

#include <QJsonObject>


using namespace sorvel;
using namespace sorvel::test;

namespace {

const Installation Plots = exemples::Generales(Fixation::Plots, DiametreTube::D13x16);

class Marche : public ModeleTest {
protected:
    // Nothing started: each test starts the models it needs.
    void SetUp() override { dossier.PreparerDossier(); }
    // What a run cut short leaves: its marker naming `nom` (none for
    // nullopt), the general data, the climate, two manifolds and `pieces`
    // rooms, the first with its details, in the working files.
    void RunInterrompu(std::optional<QString> nom, int pieces) const {
        if (nom)
            EcrireSession(dossier, *nom);
        etude.Travail().EcrireGenerales(Plots);
        etude.Travail().EcrireClimat(ClimatExemple);
        for (int i = 1; i <= pieces; ++i)
            etude.Travail().EcrirePiece(i, i == 1 ? PieceDetaillee(1) : PieceExemple(i), PerteExemple(i));
        etude.Travail().EcrireCollecteurs(DeuxCollecteurs, {});
    }
    inline static const std::vector<Collecteur> DeuxCollecteurs = {{}, {"Étage", 8, 150}};
    // A model of its own on the folder, with its own answers.
    std::unique_ptr<EtudeEnCours> Modele(QuestionsScriptees& q) const {
        return std::make_unique<EtudeEnCours>(dossier.Chemin(), q);
    }
};

} // namespace

// "Oui": the rooms with their details, the general data, the climate, the
// manifolds and the name come back, modified and never stored, the files as they were;
// "Non": the files go as at any start, and the study is a new one.
TEST_F(Marche, Reprise) {
    for (const bool oui : {true, false}) {
        etude.Travail().SupprimerTout();
        RunInterrompu(QStringLiteral("Villa"), 3);
        const Jeu travail = Travail();
        questions.reponses = {oui ? ReponseMessage::Oui : ReponseMessage::Non};
        const auto reprise = Modele(questions);
        int remplacees = 0;
        QObject::connect(reprise.get(), &EtudeEnCours::EtudeRemplacee, [&] { ++remplacees; });
        EXPECT_EQ(reprise->Programme().Demarrer(), oui ? Demarrage::Reprise : Demarrage::Normal);
        EXPECT_TRUE(questions.Seul(TitreReprise.toStdString(),
                                   "Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours "
                                   "« Villa » (3 pièces) ?",
                                   IconeMessage::Question, BoutonsMessage::OuiNon));
        EXPECT_EQ(reprise->Nom() == QStringLiteral("Villa"), oui);
        EXPECT_EQ(reprise->Generales(), oui ? Plots : Installation{});
        EXPECT_EQ(reprise->Climat(), oui ? std::optional(ClimatExemple) : std::nullopt);
        EXPECT_EQ(reprise->Collecteurs(), oui ? DeuxCollecteurs : std::vector{Collecteur{}});
        EXPECT_EQ(Travail(), oui ? travail : Aucun);
        EXPECT_TRUE(!oui || reprise->Pieces()->front() == PieceDetaillee(1));
        EXPECT_EQ(reprise->Modifie(), oui);
        EXPECT_FALSE(reprise->EtudeEnregistree());
        EXPECT_EQ(remplacees, oui ? 1 : 0);
    }
}

// When the question is asked, and what it says: each case of the data file
// gives the marker a run left (null: none, it ended normally), the rooms in
// the working files, and the study the question names (null: nothing
// asked). A normal end afterwards leaves neither the working files nor the
// marker.
TEST_F(Marche, QuandLaQuestionEstPosee) {
    Poser(dossier, QStringLiteral("Etude 1.pla"), {});
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "reprise")) {
        const QJsonObject c = ligne.toObject();
        const int pieces = c["pieces"].toInt();
        RunInterrompu(c["marque"].isNull() ? std::nullopt : std::optional(c["marque"].toString()), pieces);
        if (c["perteEnAvance"].toBool())
            Poser(dossier, FichierPerte, Contenu(dossier, FichierPerte) + QByteArray(LongueurPerteCharge, '\0'));
        questions.reponses = {ReponseMessage::Oui};
        const auto reprise = Modele(questions);
        const bool question = !c["etude"].isNull();
        EXPECT_EQ(reprise->Programme().Demarrer(), question ? Demarrage::Reprise : Demarrage::Normal) << pieces;
        if (question) {
            EXPECT_TRUE(questions.Seul(TitreReprise.toStdString(), "Sorvel ne s'est pas arrêté normalement. "
                                                                   "Voulez-vous récupérer l'étude en cours " +
                                                                       c["etude"].toString().toStdString() + " ?"));
        }
        EXPECT_TRUE(questions.posees.empty());
        EXPECT_EQ(reprise->Travail().LireEtude().Pertes.size(), static_cast<std::size_t>(question ? pieces : 0));
        reprise->DefinirModifie(false);
        EXPECT_TRUE(reprise->Programme().Quitter());
        EXPECT_FALSE(dossier.Existe(FichierSession) || dossier.Existe(FichierEtude));
    }
}

// Values no screen could have written are not taken back: the message
// names the working file, the room and the field, and the start is a
// normal one.
TEST_F(Marche, EtudeEndommagee) {
    RunInterrompu(QStringLiteral("Villa"), 2);
    Piece abimee = PieceExemple(2);
    abimee.SurfacePiece = -5;
    etude.Travail().EcrirePiece(2, abimee, PerteExemple(2));
    EXPECT_EQ(Modele(questions)->Programme().Demarrer(), Demarrage::Normal);
    EXPECT_TRUE(questions.Seul(TitreEtudeEndommagee.toStdString(),
                               "Le fichier « Etude.tmp » est endommagé : pièce 2 « Pièce 2 », champ « Surface de la "
                               "pièce » : la valeur -5 est négative.\n\nL'étude en cours ne peut pas être récupérée."));
}

// A second program on the folder says so and touches nothing: not the
// first one's rooms, not its marker. Once the first has ended, the folder
// is free.
TEST_F(Marche, SecondProgramme) {
    QuestionsScriptees q1;
    auto premier = Modele(q1);
    ASSERT_EQ(premier->Programme().Demarrer(), Demarrage::Normal);
    premier->DefinirNom(QStringLiteral("Maison"));
    AjouterPieceExemple(dossier, 1);
    const Jeu travail = Travail();
    {
        const auto second = Modele(questions);
        EXPECT_EQ(second->Programme().Demarrer(), Demarrage::DossierOccupe);
        EXPECT_TRUE(questions.Seul("Sorvel déjà ouvert.", MessageDossierOccupe(dossier.Chemin()).toStdString(),
                                   IconeMessage::Exclamation));
        EXPECT_TRUE(second->Programme().Quitter());
    }
    EXPECT_TRUE(questions.posees.empty() && q1.posees.empty());
    EXPECT_EQ(Travail(), travail);
    EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Maison"));
    EXPECT_TRUE(premier->Programme().Quitter());
    premier.reset();
    EXPECT_EQ(Modele(questions)->Programme().Demarrer(), Demarrage::Normal);
}

// The texts of the second program, on this computer and from another one
// (the holder's computer named).
TEST(MessageDossierOccupe, Textes) {
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "dossier_occupe")) {
        const QJsonObject k = ligne.toObject();
        EXPECT_EQ(MessageDossierOccupe(k["dossier"].toString(), k["ordinateur"].toString()), k["texte"].toString());
    }
}

// The marker follows the study's name from the start of the run; a model
// dropped while rooms are in the working files leaves it (the next start
// offers them back), one dropped without rooms does not.
TEST_F(Marche, MarqueDeLaSession) {
    for (const int pieces : {0, 1}) {
        {
            const auto modele = Modele(questions);
            modele->Programme().Demarrer();
            modele->DefinirNom(QStringLiteral("Chalet"));
            EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Chalet"));
            if (pieces)
                AjouterPieceExemple(dossier, 1);
        }
        EXPECT_EQ(SessionInterrompue(dossier), pieces ? std::optional(QStringLiteral("Chalet")) : std::nullopt);
    }
}

// A study being opened when the program was killed, past the point where
// its copy over the working files was decided: the next start finishes the
// copy first, and offers back the opened study.
TEST_F(Marche, OuvertureInterrompue) {
    RunInterrompu(QStringLiteral("Maison"), 2);
    etude.EtudesStockees().Enregistrer("Maison");
    etude.Travail().SupprimerPiece(2);
    etude.EtudesStockees().JournalEnregistrement().SuivreEtapes([](EtapeEnregistrement e) {
        if (e == EtapeEnregistrement::JournalEnPlace)
            throw e; // as a kill would stop it
    });
    EXPECT_THROW(etude.EtudesStockees().Charger("Maison"), EtapeEnregistrement);
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_EQ(Modele(questions)->Programme().Demarrer(), Demarrage::Reprise);
    EXPECT_TRUE(questions.Seul(TitreReprise.toStdString(), QuestionReprise("Maison", 2).toStdString()));
}

// Shut-down: nothing asked for an unmodified study; "Annuler" keeps the
// program open with its files; "Non" ends it; "Oui" stores the study. When
// it ends, the working files go.
TEST_F(Marche, Quitter) {
    const std::pair<bool, std::optional<ReponseMessage>> cas[] = {
        {false, {}}, {true, ReponseMessage::Annuler}, {true, ReponseMessage::Non}, {true, ReponseMessage::Oui}};
    const auto modele = Modele(questions);
    modele->Programme().Demarrer();
    modele->Bibliotheque().NommerEtude();
    for (const auto& [modifie, reponse] : cas) {
        AjouterPieceExemple(dossier, 1);
        modele->EcrireGenerales();
        const Jeu travail = Travail();
        modele->DefinirModifie(modifie);
        questions.reponses = {reponse.value_or(ReponseMessage::OK)};
        const bool fin = reponse != ReponseMessage::Annuler;
        EXPECT_EQ(modele->Programme().Quitter(), fin);
        if (reponse) {
            EXPECT_TRUE(questions.Seul("Enregistrement.", "Voulez vous enregistrer les modifications apportées à "
                                                          "l'étude 'Etude 1' ?",
                                       IconeMessage::Question, BoutonsMessage::OuiNonAnnuler));
        }
        EXPECT_TRUE(questions.posees.empty());
        EXPECT_EQ(Travail(), fin ? Aucun : travail);
        EXPECT_EQ(Stockee("Etude 1"), reponse == ReponseMessage::Oui ? travail : Aucun);
    }
}
