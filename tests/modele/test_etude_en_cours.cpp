// The study being edited, through its commands alone: no window, no
// application object. The working files are those of a real temporary
// studies folder.

#include "Exemples.h"
#include "ExemplesEtude.h"
#include "QuestionsScriptees.h"
#include "etude/CalculEtude.h"
#include "modele/EtudeEnCours.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Etude : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        etude.Demarrer();
        etude.NommerEtude();
        QObject::connect(&etude, &EtudeEnCours::PiecesChangees, [this] { ++piecesChangees; });
        QObject::connect(&etude, &EtudeEnCours::EtudeRemplacee, [this] { ++remplacements; });
    }

    QByteArray Contenu(const QString& nom) const {
        QFile f(dossier.Chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    static QByteArray Octets(const DonneesPiece& d) {
        const auto o = Encoder(d);
        return QByteArray(o.data(), static_cast<qsizetype>(o.size()));
    }
    // The room `d` entered from "Ajouter une pièce" to "&OK", as the screens
    // hand it over page after page.
    ::testing::AssertionResult Saisir(const DonneesPiece& d) {
        if (!etude.CommencerNouvellePiece())
            return ::testing::AssertionFailure() << "refused";
        etude.ModifierPieceEnSaisie([&](DonneesPiece& p) { p = d; });
        if (!etude.CalculerPiece())
            return ::testing::AssertionFailure() << "not calculated";
        if (!etude.AccepterPiece())
            return ::testing::AssertionFailure() << "not accepted";
        return ::testing::AssertionSuccess();
    }
    QString Nom(const DonneesPiece& d) const { return QString::fromStdString(d.NomPiece); }

    QTemporaryDir temp_;
    const DossierEtudes dossier{temp_.path() + QStringLiteral("/Etudes")};
    QuestionsScriptees questions;
    EtudeEnCours etude{dossier, questions};
    int piecesChangees = 0;
    int remplacements = 0;
};

const DonneesPiece Sejour = exemples::Piece("Séjour", ChargeNormale, 30, 1800);
const DonneesPiece Chambre = exemples::Piece("Chambre", ChargeElevee, 14, 900);
const DonneesPiece Cuisine = exemples::Piece("Cuisine", ChargeCombinee, 12, 700);

} // namespace

// A new room goes in as record 1 of both files with the general data; once
// edited, record 1 is written over and room 2 keeps its bytes.
TEST_F(Etude, AccepterUnePieceNeuvePuisLaModifier) {
    etude.ChangerGenerales(exemples::Generales());
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    EXPECT_EQ(Contenu(FichierEtude), Octets(Sejour) + Octets(Chambre));
    EXPECT_EQ(dossier.LireGenerales(), exemples::Generales());
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Séjour", "Chambre"}));
    EXPECT_EQ(piecesChangees, 2);
    const PerteCharge perteChambre = dossier.LireToutesPertes()[1];

    ASSERT_TRUE(etude.OuvrirPiece(1));
    EXPECT_FALSE(etude.NouvellePiece());
    EXPECT_EQ(etude.PieceCourante(), 1);
    EXPECT_EQ(etude.PieceEnSaisie(), Sejour);
    DonneesPiece plusFroid = Sejour;
    plusFroid.DeperdPiece = 2400;
    etude.ModifierPieceEnSaisie([&](DonneesPiece& p) { p.DeperdPiece = 2400; });
    ASSERT_TRUE(etude.CalculerPiece());
    const PerteCharge perteSejour = PerteChargePiece(etude.Resultats().PerteNormale, etude.Resultats().PerteBordure);
    ASSERT_TRUE(etude.AccepterPiece());

    EXPECT_EQ(Contenu(FichierEtude), Octets(plusFroid) + Octets(Chambre));
    const auto pertes = dossier.LireToutesPertes();
    ASSERT_EQ(pertes.size(), 2u);
    EXPECT_EQ(pertes[1], perteChambre);
    EXPECT_EQ(pertes[0], perteSejour);
    EXPECT_FALSE(etude.SaisieEnCours());
}

// Room i is balanced against the largest drop of the rooms accepted before
// it, never against its own.
TEST_F(Etude, PerteMaxDesPiecesDejaAcceptees) {
    etude.ChangerGenerales(exemples::Generales());
    double maxi = 0;
    for (const DonneesPiece& d : {Sejour, Cuisine, Chambre}) {
        SCOPED_TRACE(d.NomPiece);
        const ResultatsPiece attendu = CalculPiece(EntreesDepuisEnregistrements(d, exemples::Generales(), maxi));
        ASSERT_TRUE(etude.CommencerNouvellePiece());
        etude.ModifierPieceEnSaisie([&](DonneesPiece& p) { p = d; });
        ASSERT_TRUE(etude.CalculerPiece());
        EXPECT_EQ(etude.Resultats().PerteArtificielleNormale, attendu.PerteArtificielleNormale);
        EXPECT_EQ(etude.Resultats().PerteLaPlusElevee, attendu.PerteLaPlusElevee);
        ASSERT_TRUE(etude.AccepterPiece());
        maxi = std::max(maxi, PerteChargePiece(attendu.PerteNormale, attendu.PerteBordure).PerteMax);
    }
    EXPECT_EQ(dossier.PerteMaxEtude(FichierPerte), maxi);
}

// Deleting room 2 of 4 asks first; "Non" keeps everything, "Oui" moves rooms 3
// and 4 up in both files, byte for byte, and marks the study modified.
TEST_F(Etude, SupprimerLaPiece2Sur4) {
    for (int i = 1; i <= 4; ++i)
        AjouterPieceExemple(dossier, i);
    const QByteArray pieces = Contenu(FichierEtude);
    const QByteArray pertes = Contenu(FichierPerte);

    EXPECT_FALSE(etude.SupprimerPiece(2));
    EXPECT_EQ(Contenu(FichierEtude), pieces);
    EXPECT_FALSE(etude.Modifie());

    questions.reponses = {ReponseMessage::Oui};
    EXPECT_TRUE(etude.SupprimerPiece(2));
    ASSERT_EQ(questions.posees.size(), 2u);
    EXPECT_EQ(questions.posees[1].titre, "Suppression.");
    EXPECT_EQ(questions.posees[1].texte, "Voulez vous supprimer la pièce 'Pièce 2' de l'étude ?");
    EXPECT_EQ(questions.posees[1].icone, IconeMessage::Question);
    EXPECT_EQ(questions.posees[1].boutons, BoutonsMessage::OuiNon);

    const int P = DonneesPiece::Longueur, Q = PerteCharge::Longueur;
    EXPECT_EQ(Contenu(FichierEtude), pieces.left(P) + pieces.mid(2 * P));
    EXPECT_EQ(Contenu(FichierPerte), pertes.left(Q) + pertes.mid(2 * Q));
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Pièce 1", "Pièce 3", "Pièce 4"}));
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(piecesChangees, 1);
    EXPECT_FALSE(dossier.Existe(FichierTemp));
    EXPECT_FALSE(dossier.Existe(FichierPteTemp));
}

// Rows without a room: opening or deleting one is refused with its message.
TEST_F(Etude, LignesSansPiece) {
    AjouterPieceExemple(dossier, 1);
    struct Cas {
        const char* quoi;
        std::function<bool()> commande;
        const char* titre;
        const char* texte;
        IconeMessage icone;
    };
    const Cas cas[] = {
        {"ouvrir 0", [&] { return etude.OuvrirPiece(0); }, "Modification.",
         "La ligne sélectionnée dans la feuille circuits est vide !", IconeMessage::Aucune},
        {"ouvrir 2", [&] { return etude.OuvrirPiece(2); }, "Modification.",
         "La ligne sélectionnée dans la feuille circuits est vide !", IconeMessage::Aucune},
        {"supprimer 2", [&] { return etude.SupprimerPiece(2); }, "Suppression.",
         "La ligne sélectionnée est vide, aucune suppression ne peut être faite !", IconeMessage::Exclamation},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        questions.posees.clear();
        EXPECT_FALSE(c.commande());
        ASSERT_EQ(questions.posees.size(), 1u);
        EXPECT_EQ(questions.posees[0].titre, c.titre);
        EXPECT_EQ(questions.posees[0].texte, c.texte);
        EXPECT_EQ(questions.posees[0].icone, c.icone);
        EXPECT_FALSE(etude.SaisieEnCours());
    }
    EXPECT_EQ(dossier.NombrePieces(), 1);
}

// 29 rooms leave room for one more; the 30th fills the study.
TEST_F(Etude, TrentePiecesAuPlus) {
    for (int i = 1; i <= PiecesMaximumEtude - 1; ++i)
        AjouterPieceExemple(dossier, i);
    EXPECT_TRUE(etude.CommencerNouvellePiece());
    etude.AbandonnerPiece();
    AjouterPieceExemple(dossier, PiecesMaximumEtude);
    EXPECT_FALSE(etude.CommencerNouvellePiece());
    ASSERT_EQ(questions.posees.size(), 1u);
    EXPECT_EQ(questions.posees[0].titre, "30 Pièces maximum.");
    EXPECT_EQ(questions.posees[0].texte, "Il n'est plus possible d'ajouter de pièce à l'étude !");
    EXPECT_EQ(questions.posees[0].icone, IconeMessage::Information);
    EXPECT_FALSE(etude.SaisieEnCours());
}

// Abandoning a room, new or opened, leaves the study as modified as it was
// before: what was typed for the room counts for nothing. Accepting keeps
// the flag as it is when "&OK" is pressed.
TEST_F(Etude, AbandonnerOuAccepterEtModifie) {
    AjouterPieceExemple(dossier, 1);
    for (bool avant : {false, true}) {
        for (bool nouvelle : {true, false}) {
            SCOPED_TRACE(testing::Message() << "avant " << avant << " nouvelle " << nouvelle);
            etude.DefinirModifie(avant);
            ASSERT_TRUE(nouvelle ? etude.CommencerNouvellePiece() : etude.OuvrirPiece(1));
            EXPECT_EQ(etude.Modifie(), avant) << "starting is no change";
            etude.MarquerModifie();
            etude.AbandonnerPiece();
            EXPECT_EQ(etude.Modifie(), avant);
            EXPECT_FALSE(etude.SaisieEnCours());
        }
    }
    for (bool auOK : {false, true}) {
        ASSERT_TRUE(etude.CommencerNouvellePiece());
        etude.ModifierPieceEnSaisie([](DonneesPiece& p) { p = Sejour; });
        ASSERT_TRUE(etude.CalculerPiece());
        etude.DefinirModifie(auOK);
        ASSERT_TRUE(etude.AccepterPiece());
        EXPECT_EQ(etude.Modifie(), auOK);
    }
}

// While the screens are being filled from the model, their change signals
// count for nothing; an edit afterwards does.
TEST_F(Etude, RemplirLesEcransNEstPasModifier) {
    {
        EtudeEnCours::SansMarquage remplissage(etude);
        etude.MarquerModifie();
        etude.ChangerGenerales(exemples::Generales(SupportPlots, Tube13x16));
    }
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(etude.Generales(), exemples::Generales(SupportPlots, Tube13x16));
    etude.ChangerGenerales(exemples::Generales());
    EXPECT_TRUE(etude.Modifie());
}

// A room that cannot be calculated is refused with a message that names it
// and says why in plain words; nothing can be accepted.
TEST_F(Etude, PieceIncalculable) {
    ASSERT_TRUE(etude.CommencerNouvellePiece());
    etude.ModifierPieceEnSaisie([](DonneesPiece& p) {
        p = Sejour;
        p.SurfacePiece = 0;
    });
    EXPECT_FALSE(etude.CalculerPiece());
    ASSERT_EQ(questions.posees.size(), 1u);
    EXPECT_EQ(questions.posees[0].titre, "Calcul impossible.");
    EXPECT_EQ(questions.posees[0].texte, "La pièce 'Séjour' ne peut pas être calculée : la surface de la pièce est "
                                         "nulle.\nCorriger les données de la pièce puis recommencer.");
    EXPECT_TRUE(etude.SaisieEnCours());
}

// A rooms file that cannot be written: the French message names it, the
// room stays in entry, and accepting again once the file is usable stores
// it once.
TEST_F(Etude, FichierRefuseALAcceptation) {
    ASSERT_TRUE(etude.CommencerNouvellePiece());
    etude.ModifierPieceEnSaisie([](DonneesPiece& p) { p = Sejour; });
    ASSERT_TRUE(etude.CalculerPiece());
    ASSERT_TRUE(QDir().mkpath(dossier.Chemin(FichierEtude)));
    EXPECT_FALSE(etude.AccepterPiece());
    ASSERT_EQ(questions.titres(), std::vector<std::string>{TitreErreurFichier.toStdString()});
    EXPECT_NE(questions.posees[0].texte.find("« Etude.tmp »"), std::string::npos) << questions.posees[0].texte;
    EXPECT_TRUE(etude.SaisieEnCours());

    ASSERT_TRUE(QDir(dossier.Chemin(FichierEtude)).removeRecursively());
    EXPECT_TRUE(etude.AccepterPiece());
    EXPECT_EQ(Contenu(FichierEtude), Octets(Sejour));
    EXPECT_EQ(dossier.LireToutesPertes().size(), 1u);
}

// A new study: the working files go, the general data are those of a new
// study but for the screed thickness, the name is the first free one.
TEST_F(Etude, NouvelleEtude) {
    for (const char* nom : {"Etude 1.pla", "Etude 2.pla"}) {
        QFile f(dossier.Chemin(QString::fromUtf8(nom)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    AjouterPieceExemple(dossier, 1);
    DonneesGenerales g = exemples::Generales(SupportPlots, Tube13x16);
    g.Chape = ChapeLiquide;
    g.EpaisChape = 8;
    etude.ChangerGenerales(g);
    etude.DefinirEtudeEnregistree(true);

    etude.NouvelleEtude();
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_EQ(etude.Nom(), "Etude 3");
    EXPECT_FALSE(dossier.Existe(FichierEtude));
    EXPECT_EQ(etude.NombrePieces(), 0);
    DonneesGenerales attendues = GeneralesInitiales();
    attendues.EpaisChape = 8;
    EXPECT_EQ(etude.Generales(), attendues);
    EXPECT_FALSE(etude.Modifie());
    EXPECT_FALSE(etude.EtudeEnregistree());
    EXPECT_EQ(remplacements, 1);
    EXPECT_EQ(piecesChangees, 1);
}

// "Nouvelle étude" on a modified study offers to store it first.
TEST_F(Etude, CommandeNouvelleEtude) {
    etude.CommandeNouvelleEtude();
    EXPECT_TRUE(questions.posees.empty());
    etude.MarquerModifie();
    questions.reponses = {ReponseMessage::Non};
    etude.CommandeNouvelleEtude();
    ASSERT_EQ(questions.posees.size(), 1u);
    EXPECT_EQ(questions.posees[0].titre, "Enregistrer.");
    EXPECT_EQ(questions.posees[0].texte, "Voulez vous enregistrer l'étude en cours ?");
    EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNon);
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(remplacements, 2);
}

// Shut-down: nothing asked for an unmodified study; "Annuler" keeps the
// program open with its files; "Non" ends it; the working files go.
TEST_F(Etude, Quitter) {
    struct Cas {
        bool modifie;
        std::deque<ReponseMessage> reponses;
        bool fin;
        std::size_t questionsPosees;
    };
    const Cas cas[] = {
        {false, {}, true, 0},
        {true, {ReponseMessage::Annuler}, false, 1},
        {true, {ReponseMessage::Non}, true, 1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.modifie);
        questions.posees.clear();
        AjouterPieceExemple(dossier, 1);
        etude.DefinirModifie(c.modifie);
        questions.reponses = c.reponses;
        EXPECT_EQ(etude.Quitter(), c.fin);
        ASSERT_EQ(questions.posees.size(), c.questionsPosees);
        if (c.questionsPosees) {
            EXPECT_EQ(questions.posees[0].titre, "Enregistrement.");
            EXPECT_EQ(questions.posees[0].texte,
                      "Voulez vous enregistrer les modifications apportées à l'étude '" + etude.Nom().toStdString() +
                          "' ?");
            EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNonAnnuler);
        }
        EXPECT_EQ(dossier.Existe(FichierEtude), !c.fin);
    }
}

// The file commands that need a room or a stored study say so otherwise.
TEST_F(Etude, ConditionsDesCommandesDEtude) {
    struct Cas {
        const char* quoi;
        std::function<bool()> commande;
        const char* titre;
        const char* texte;
    };
    const Cas cas[] = {
        {"enregistrer", [&] { return etude.CommandeEnregistrer(); }, "Enregistrement.",
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"},
        {"enregistrer sous", [&] { return etude.PeutEnregistrerSous(); }, "Enregistrement.",
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude sous un autre nom !"},
        {"renommer", [&] { return etude.PeutRenommer(); }, "Renommer.",
         "L'étude 'Etude 1' n'est pas encore enregistrée !"},
        {"imprimer", [&] { return etude.PeutImprimer(); }, "Impression.",
         "Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"},
        {"ouvrir", [&] { return !etude.EtudesAOuvrir().isEmpty(); }, "Ouverture d'une étude.",
         "Aucune étude n'est disponible !"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        questions.posees.clear();
        EXPECT_FALSE(c.commande());
        ASSERT_EQ(questions.posees.size(), 1u);
        EXPECT_EQ(questions.posees[0].titre, c.titre);
        EXPECT_EQ(questions.posees[0].texte, c.texte);
    }
    // With a room, the dialogs may open.
    AjouterPieceExemple(dossier, 1);
    questions.posees.clear();
    EXPECT_TRUE(etude.CommandeEnregistrer());
    EXPECT_TRUE(etude.PeutEnregistrerSous());
    EXPECT_TRUE(etude.PeutImprimer());
    EXPECT_TRUE(questions.posees.empty());
}

// "Supprimer l'étude": refused for a study never stored; otherwise asked,
// then its three files go and a new study starts.
TEST_F(Etude, SupprimerLEtudeEnregistree) {
    etude.SupprimerEtude();
    ASSERT_EQ(questions.titres(), std::vector<std::string>{"Suppression impossible."});
    for (const char* extension : {".pla", ".plp", ".plg"}) {
        QFile f(dossier.Chemin(QStringLiteral("Etude 1") + QLatin1String(extension)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    questions.posees.clear();
    etude.SupprimerEtude();
    EXPECT_TRUE(dossier.Existe(QStringLiteral("Etude 1.pla")));
    questions.reponses = {ReponseMessage::Oui};
    etude.SupprimerEtude();
    ASSERT_EQ(questions.posees.size(), 2u);
    EXPECT_EQ(questions.posees[1].texte, "Voulez vous supprimer l'étude 'Etude 1' ?");
    EXPECT_TRUE(dossier.EtudesEnregistrees().isEmpty());
    EXPECT_FALSE(dossier.Existe(QStringLiteral("Etude 1.plg")));
    EXPECT_EQ(remplacements, 1);
}

// The line above the rooms list and the results.
TEST(ResumeEtude, Texte) {
    DonneesGenerales g = GeneralesInitiales();
    EXPECT_EQ(ResumeEtude(g), QStringLiteral("Etude : tube de diamètre 16x20 mm sur Trellis avec température de "
                                             "départ du fluide de 40°C"));
    g = exemples::Generales(SupportPlots, Tube13x16);
    g.TempDepart = "35";
    EXPECT_EQ(ResumeEtude(g), QStringLiteral("Etude : tube de diamètre 13x16 mm sur Plots thermoformés avec "
                                             "température de départ du fluide de 35°C"));
}

// The whole study recalculated as the summary and reports show it; a room
// that cannot be calculated is named and nothing is given.
TEST_F(Etude, RecalculerLEtude) {
    etude.ChangerGenerales(exemples::Generales());
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    const auto r = etude.RecalculerEtude();
    ASSERT_TRUE(r.has_value());
    const ResultatEtude attendu = CalculEtude({Sejour, Chambre}, exemples::Generales());
    EXPECT_EQ(r->Resultat.Table.Pieces, attendu.Table.Pieces);
    EXPECT_EQ(r->Resultat.PerteMaxi, attendu.PerteMaxi);
    EXPECT_EQ(r->Materiel, Materiel(attendu.Table, exemples::Generales()));
    EXPECT_TRUE(questions.posees.empty());

    DonneesPiece vide = Cuisine;
    vide.SurfacePiece = 0;
    dossier.AjouterPiece(vide);
    dossier.AjouterPerte(0, 0, 0, FichierPerte);
    EXPECT_FALSE(etude.RecalculerEtude().has_value());
    ASSERT_EQ(questions.titres(), std::vector<std::string>{"Calcul impossible."});
    EXPECT_EQ(questions.posees[0].texte,
              "La pièce 3 « Cuisine » ne peut pas être calculée : la surface de la pièce est nulle.");
}
