// The start of a run: the study of a run cut short offered back, one
// program per studies folder, the marker from start to normal end.

#include "Exemples.h"
#include "ExemplesEtude.h"
#include "QuestionsScriptees.h"
#include "modele/EtudeEnCours.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Reprise : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        dossier.PreparerDossier();
    }
    // What a run cut short leaves: its marker naming `nom` (none for
    // nullopt), the general data and `pieces` rooms in the working files.
    void RunInterrompu(std::optional<QString> nom, int pieces) {
        if (nom)
            EcrireSession(dossier, *nom);
        dossier.EcrireGenerales(exemples::Generales(SupportPlots, Tube13x16));
        for (int i = 1; i <= pieces; ++i)
            AjouterPieceExemple(dossier, i);
    }
    QByteArray Contenu(const QString& nom) const {
        QFile f(dossier.Chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    // A model of its own on the folder, with its own answers.
    std::unique_ptr<EtudeEnCours> Modele(QuestionsScriptees& q) {
        return std::make_unique<EtudeEnCours>(dossier, q);
    }

    QTemporaryDir temp_;
    const DossierEtudes dossier{temp_.path() + QStringLiteral("/Etudes")};
    QuestionsScriptees questions;
};

} // namespace

// "Oui": the rooms, the general data and the name come back, modified and
// never stored; the files stay as they are.
TEST_F(Reprise, Oui) {
    RunInterrompu(QStringLiteral("Villa"), 3);
    const QByteArray pieces = Contenu(FichierEtude);
    const QByteArray pertes = Contenu(FichierPerte);
    questions.reponses = {ReponseMessage::Oui};
    auto etude = Modele(questions);
    int remplacements = 0, piecesChangees = 0;
    QObject::connect(etude.get(), &EtudeEnCours::EtudeRemplacee, [&] { ++remplacements; });
    QObject::connect(etude.get(), &EtudeEnCours::PiecesChangees, [&] { ++piecesChangees; });

    EXPECT_EQ(etude->Demarrer(), Demarrage::Reprise);
    ASSERT_EQ(questions.posees.size(), 1u);
    EXPECT_EQ(questions.posees[0].titre, TitreReprise.toStdString());
    EXPECT_EQ(questions.posees[0].texte,
              "Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « Villa » (3 pièces) ?");
    EXPECT_EQ(questions.posees[0].icone, IconeMessage::Question);
    EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNon);

    EXPECT_EQ(etude->EtatDemarrage(), Demarrage::Reprise);
    EXPECT_EQ(etude->Nom(), QStringLiteral("Villa"));
    EXPECT_EQ(etude->Generales(), exemples::Generales(SupportPlots, Tube13x16));
    EXPECT_EQ(etude->NomsPieces(), (QStringList{"Pièce 1", "Pièce 2", "Pièce 3"}));
    EXPECT_TRUE(etude->Modifie());
    EXPECT_FALSE(etude->EtudeEnregistree());
    EXPECT_EQ(remplacements, 1);
    EXPECT_EQ(piecesChangees, 1);
    EXPECT_EQ(Contenu(FichierEtude), pieces);
    EXPECT_EQ(Contenu(FichierPerte), pertes);
    EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Villa"));
}

// "Non": the files go as at any start, and the study is a new one.
TEST_F(Reprise, Non) {
    RunInterrompu(QStringLiteral("Villa"), 2);
    questions.reponses = {ReponseMessage::Non};
    auto etude = Modele(questions);
    EXPECT_EQ(etude->Demarrer(), Demarrage::Normal);
    EXPECT_EQ(questions.posees.size(), 1u);
    for (const QString& f : {FichierEtude, FichierPerte, FichierGenerales})
        EXPECT_FALSE(dossier.Existe(f)) << f.toStdString();
    EXPECT_EQ(etude->NombrePieces(), 0);
    EXPECT_EQ(etude->Generales(), GeneralesInitiales());
    EXPECT_NE(etude->Nom(), QStringLiteral("Villa"));
    EXPECT_FALSE(etude->Modifie());
}

// When the question is asked, and what it says.
TEST_F(Reprise, QuandLaQuestionEstPosee) {
    struct Cas {
        const char* quoi;
        std::optional<QString> marque; // nullopt: the last run ended normally
        int pieces;
        bool perteEnAvance;            // a pressure drop written, its room not
        const char* question;          // nullptr: nothing asked
    };
    const Cas cas[] = {
        {"arrêt normal", std::nullopt, 2, false, nullptr},
        {"arrêt anormal sans pièce", QStringLiteral("Villa"), 0, false, nullptr},
        {"une pièce", QStringLiteral("Villa"), 1, false,
         "Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « Villa » (1 pièce) ?"},
        {"perte d'une pièce en avance", QStringLiteral("Villa"), 2, true,
         "Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « Villa » (2 pièces) ?"},
        {"étude pas encore nommée", QString(), 2, false,
         "Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « Etude 2 » (2 pièces) ?"},
    };
    QFile enregistree(dossier.Chemin(QStringLiteral("Etude 1.pla")));
    ASSERT_TRUE(enregistree.open(QIODevice::WriteOnly));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        RunInterrompu(c.marque, c.pieces);
        if (c.perteEnAvance)
            dossier.AjouterPerte(1, 0, 1, FichierPerte);
        QuestionsScriptees q;
        q.reponses = {ReponseMessage::Oui};
        {
            auto etude = Modele(q);
            etude->Demarrer();
            if (c.question) {
                ASSERT_EQ(q.posees.size(), 1u);
                EXPECT_EQ(q.posees[0].texte, c.question);
                EXPECT_EQ(etude->EtatDemarrage(), Demarrage::Reprise);
                EXPECT_EQ(dossier.LireToutesPertes().size(), static_cast<std::size_t>(c.pieces));
            } else {
                EXPECT_TRUE(q.posees.empty());
                EXPECT_EQ(etude->EtatDemarrage(), Demarrage::Normal);
                EXPECT_FALSE(dossier.Existe(FichierEtude));
            }
            etude->DefinirModifie(false);
            EXPECT_TRUE(etude->Quitter());
        }
        EXPECT_FALSE(dossier.Existe(FichierSession));
        EXPECT_FALSE(dossier.Existe(FichierEtude));
    }
}

// Values no screen could have written are not taken back: the message
// names the working file, the room and the field, and the start is a
// normal one.
TEST_F(Reprise, EtudeEndommagee) {
    RunInterrompu(QStringLiteral("Villa"), 1);
    DonneesPiece d = PieceExemple(2);
    d.SurfacePiece = -5;
    dossier.AjouterPiece(d);
    dossier.AjouterPerte(1, 0, 1, FichierPerte);
    auto etude = Modele(questions);
    EXPECT_EQ(etude->Demarrer(), Demarrage::Normal);
    ASSERT_EQ(questions.posees.size(), 1u);
    EXPECT_EQ(questions.posees[0].titre, TitreEtudeEndommagee.toStdString());
    EXPECT_EQ(questions.posees[0].texte,
              "Le fichier « Etude.tmp » est endommagé : pièce 2 « Pièce 2 », champ « Surface de la pièce » : la "
              "valeur -5 est négative.\n\nL'étude en cours ne peut pas être récupérée.");
    EXPECT_FALSE(dossier.Existe(FichierEtude));
}

// A second program on the folder says so and touches nothing: not the
// first one's rooms, not its marker. Once the first has ended, the folder
// is free.
TEST_F(Reprise, SecondProgramme) {
    QuestionsScriptees q1;
    auto premier = Modele(q1);
    ASSERT_EQ(premier->Demarrer(), Demarrage::Normal);
    premier->DefinirNom(QStringLiteral("Maison"));
    AjouterPieceExemple(dossier, 1);
    const QByteArray pieces = Contenu(FichierEtude);

    {
        auto second = Modele(questions);
        EXPECT_EQ(second->Demarrer(), Demarrage::DossierOccupe);
        ASSERT_EQ(questions.posees.size(), 1u);
        EXPECT_EQ(questions.posees[0].titre, "Sorvel déjà ouvert.");
        EXPECT_EQ(questions.posees[0].texte, MessageDossierOccupe(dossier.Chemin()).toStdString());
        EXPECT_EQ(questions.posees[0].icone, IconeMessage::Exclamation);
        EXPECT_EQ(second->EtatDemarrage(), Demarrage::DossierOccupe);
        EXPECT_TRUE(second->Quitter());
        EXPECT_EQ(questions.posees.size(), 1u);
    }
    EXPECT_EQ(Contenu(FichierEtude), pieces);
    EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Maison"));
    EXPECT_TRUE(q1.posees.empty());

    EXPECT_TRUE(premier->Quitter());
    premier.reset();
    QuestionsScriptees q3;
    EXPECT_EQ(Modele(q3)->Demarrer(), Demarrage::Normal);
    EXPECT_TRUE(q3.posees.empty());
}

// The texts of the second program, on this computer and from another one.
TEST(MessageDossierOccupe, Textes) {
    EXPECT_EQ(MessageDossierOccupe(QStringLiteral("/home/anne/Etudes")),
              QStringLiteral("Sorvel est déjà ouvert sur le dossier des études « /home/anne/Etudes ». Deux Sorvel ne "
                             "peuvent pas travailler en même temps sur le même dossier : chacun effacerait les pièces "
                             "de l'autre.\n\nRevenez à la fenêtre de Sorvel déjà ouverte ; celle-ci va se fermer."));
    const QString distant = MessageDossierOccupe(QStringLiteral("/srv/Etudes"), QStringLiteral("bureau-2"));
    EXPECT_TRUE(distant.startsWith(
        QStringLiteral("Sorvel est déjà ouvert sur le dossier des études « /srv/Etudes », depuis l'ordinateur "
                       "« bureau-2 ». ")))
        << distant.toStdString();
    EXPECT_TRUE(distant.endsWith(QStringLiteral("supprimez le fichier « Sorvel.verrou » du dossier des études.")))
        << distant.toStdString();
}

// The marker follows the study's name from the start of the run; a normal
// end removes it; a model dropped while rooms are in the working files
// leaves it, and the next start offers them back.
TEST_F(Reprise, MarqueDeLaSession) {
    {
        auto etude = Modele(questions);
        etude->Demarrer();
        EXPECT_EQ(SessionInterrompue(dossier), QString());
        etude->NommerEtude();
        EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Etude 1"));
        etude->DefinirNom(QStringLiteral("Chalet"));
        EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Chalet"));
        EXPECT_TRUE(etude->Quitter());
        EXPECT_EQ(SessionInterrompue(dossier), std::nullopt);
    }
    {
        auto etude = Modele(questions);
        etude->Demarrer();
    }
    EXPECT_EQ(SessionInterrompue(dossier), std::nullopt) << "nothing to offer back: no marker left";
    {
        auto etude = Modele(questions);
        etude->Demarrer();
        etude->DefinirNom(QStringLiteral("Chalet"));
        AjouterPieceExemple(dossier, 1);
    }
    EXPECT_EQ(SessionInterrompue(dossier), QStringLiteral("Chalet"));
    questions.reponses = {ReponseMessage::Oui};
    auto etude = Modele(questions);
    EXPECT_EQ(etude->Demarrer(), Demarrage::Reprise);
    EXPECT_EQ(etude->Nom(), QStringLiteral("Chalet"));
}
