// The study being edited, through the model's commands alone: its rooms
// entered, accepted, opened again, abandoned or deleted; a new study; the
// commands that need a room; the whole study recalculated and exported.
// The working files are those of a real studies folder.

#include "Environnement.h"
#include "ModeleTest.h"

#include "commun/Nombres.h"
#include "etude/CalculEtude.h"
#include "etude/ExportCsv.h"
#include "modele/VuesEtude.h"

#include <QDir>
#include <QJsonObject>
#include <QVariant>

#include <map>

using namespace sorvel;
using namespace sorvel::test;

using Saisie = ModeleTest;

// A new room goes into both working files with the general data; opened
// again and changed, it is written over its own records and the other room
// keeps its own. Each room is calculated against the largest drop of the
// rooms accepted before it, never against its own.
TEST_F(Saisie, AccepterPuisModifier) {
    etude.ChangerGenerales(exemples::Generales());
    std::vector<PerteCharge> pertes;
    double maxi = 0;
    for (const Piece& p : {Sejour, Cuisine, Chambre}) {
        const ResultatsPiece attendu = CalculPiece(EntreesDepuisPiece(p, exemples::Generales(), maxi));
        ASSERT_TRUE(Calculer(p));
        EXPECT_EQ(S.Resultats().PerteArtificielleNormale, attendu.PerteArtificielleNormale) << p.NomPiece;
        EXPECT_EQ(S.Resultats().PerteLaPlusElevee, attendu.PerteLaPlusElevee) << p.NomPiece;
        pertes.push_back(PerteChargePiece(attendu.PerteNormale, attendu.PerteBordure));
        maxi = std::max(maxi, pertes.back().PerteMax);
        ASSERT_TRUE(S.AccepterPiece());
    }
    EXPECT_EQ(etude.Travail().LireEtude().Pertes, pertes);
    EXPECT_EQ(etude.Travail().LireGenerales(), exemples::Generales());
    EXPECT_EQ(etude.NomsPieces(), (QStringList{"Séjour", "Cuisine", "Chambre"}));
    EXPECT_EQ(piecesChangees, 3);

    ASSERT_TRUE(S.OuvrirPiece(1));
    EXPECT_EQ(S.PieceCourante(), 1);
    EXPECT_EQ(S.PieceEnSaisie(), Sejour);
    S.ModifierPieceEnSaisie([](Piece& p) { p.DeperdPiece = 2400; });
    ASSERT_TRUE(S.CalculerPiece());
    pertes[0] = PerteChargePiece(S.Resultats().PerteNormale, S.Resultats().PerteBordure);
    ASSERT_TRUE(S.AccepterPiece());
    Piece plusFroid = Sejour;
    plusFroid.DeperdPiece = 2400;
    EXPECT_EQ(etude.Travail().LirePieces(), (std::vector{plusFroid, Cuisine, Chambre}));
    EXPECT_EQ(etude.Travail().LireEtude().Pertes, pertes);
}

// Deleting room 2 of 4 asks first; "Non" keeps everything, "Oui" moves
// rooms 3 and 4 up and marks the study modified.
TEST_F(Saisie, SupprimerLaPiece2Sur4) {
    for (int i = 1; i <= 4; ++i)
        AjouterPieceExemple(dossier, i);
    EXPECT_FALSE(etude.SupprimerPiece(2));
    EXPECT_TRUE(questions.Seul("Suppression.", "Voulez vous supprimer la pièce 'Pièce 2' de l'étude ?",
                               IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
    EXPECT_FALSE(etude.Modifie());
    questions.reponses = {ReponseMessage::Oui};
    EXPECT_TRUE(etude.SupprimerPiece(2));
    EXPECT_EQ(etude.Travail().LirePieces(), (std::vector{PieceExemple(1), PieceExemple(3), PieceExemple(4)}));
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(piecesChangees, 1);
}

// Each room keeps its own number of equal loops when a room before it is
// deleted, in the working files and in the study stored and opened again.
TEST_F(Saisie, BouclesApresSuppression) {
    etude.ChangerGenerales(exemples::Generales());
    for (int i = 1; i <= 4; ++i) {
        Piece p = PieceExemple(i);
        p.Boucles = i;
        ASSERT_TRUE(Saisir(p)) << i;
    }
    const auto boucles = [](const std::vector<Piece>& pieces) {
        std::vector<int> n;
        for (const Piece& p : pieces)
            n.push_back(p.Boucles);
        return n;
    };
    EXPECT_EQ(boucles(etude.Travail().LirePieces()), (std::vector{1, 2, 3, 4}));
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(etude.SupprimerPiece(2));
    EXPECT_EQ(boucles(etude.Travail().LirePieces()), (std::vector{1, 3, 4}));
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    etude.NouvelleEtude();
    ASSERT_TRUE(B.OuvrirEtude("Maison"));
    const std::vector<Piece> relues = etude.Travail().LirePieces();
    EXPECT_EQ(boucles(relues), (std::vector{1, 3, 4}));
    EXPECT_EQ(RecalculerEtude(relues, exemples::Generales()).Resultat.Boucles, (std::vector{1, 3, 4}));
}

// The site's climate is kept in the working files at once, and marks the
// study modified; one the rooms' details cannot hold with is refused,
// naming the room, and nothing changes.
TEST_F(Saisie, ClimatDuSite) {
    ASSERT_TRUE(etude.ChangerClimat(ClimatExemple));
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(etude.Travail().LireEtude().Climat, ClimatExemple);
    Piece sejour = Sejour;
    sejour.Deperditions = DetailsExemple(1);
    ASSERT_TRUE(Saisir(sejour));
    etude.DefinirModifie(false);
    EXPECT_FALSE(etude.ChangerClimat(ClimatSite{.TempExterieure = 21}));
    EXPECT_TRUE(questions.Seul("Déperditions.", "Les déperditions de l'étude ne peuvent pas être enregistrées : pièce 1 "
                                                "« Séjour », champ « tempExterieure » : la température de la pièce "
                                                "(20 °C) n'est pas supérieure à la température extérieure de base "
                                                "(21 °C)."));
    EXPECT_FALSE(etude.ChangerClimat(std::nullopt));
    EXPECT_TRUE(questions.Seul("Déperditions."));
    EXPECT_EQ(etude.Climat(), ClimatExemple);
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(etude.Pieces(), std::vector{sejour});
}

// Commands that need a room (also in a study emptied of its rooms), on a
// row without a room, on a room no screen could have written, or on a full
// study are refused with their message, and no room is entered.
TEST_F(Saisie, CommandesRefusees) {
    const std::string vide = "La ligne sélectionnée dans la feuille circuits est vide !";
    const std::pair<std::function<bool()>, std::string> sansPiece[] = {
        {[&] { return B.CommandeEnregistrer(); },
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"},
        {[&] { return B.PeutEnregistrerSous(); },
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude sous un autre nom !"},
        {[&] { return etude.PeutImprimer(); },
         "Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"},
        {[&] { return B.PeutRenommer(); }, "L'étude 'Etude 1' n'est pas encore enregistrée !"},
        {[&] { return !B.EtudesAOuvrir().isEmpty(); }, "Aucune étude n'est disponible !"},
        {[&] { B.SupprimerEtude(); return false; },
         "Cette étude n'a pas encore été enregistrée, elle ne peut donc pas être supprimée !"},
        {[&] { return S.OuvrirPiece(0); }, vide},
    };
    AjouterPieceExemple(dossier, 1);
    etude.Travail().SupprimerPiece(1); // emptied of its rooms, as a new study
    for (const auto& [commande, texte] : sansPiece) {
        EXPECT_FALSE(commande());
        EXPECT_EQ(questions.posees.size() == 1 ? questions.posees[0].texte : "", texte);
        questions.posees.clear();
    }
    for (int i = 1; i < PiecesMaximumEtude; ++i)
        AjouterPieceExemple(dossier, i);
    EXPECT_TRUE(S.CommencerNouvellePiece()) << "room for one more";
    S.AbandonnerPiece();
    AjouterPieceExemple(dossier, PiecesMaximumEtude);
    Piece abimee = PieceExemple(2);
    abimee.SurfacePiece = -5;
    etude.Travail().EcrirePiece(2, abimee, PerteExemple(2));
    const std::tuple<std::function<bool()>, const char*, std::string> pleine[] = {
        {[&] { return S.OuvrirPiece(PiecesMaximumEtude + 1); }, "Modification.", vide},
        {[&] { return etude.SupprimerPiece(PiecesMaximumEtude + 1); }, "Suppression.",
         "La ligne sélectionnée est vide, aucune suppression ne peut être faite !"},
        {[&] { return S.OuvrirPiece(2); }, "Etude endommagée.",
         "Le fichier « Etude.tmp » est endommagé : pièce 2 « Pièce 2 », champ « Surface de la pièce » : la valeur -5 "
         "est négative."},
        {[&] { return S.CommencerNouvellePiece(); }, "30 Pièces maximum.",
         "Il n'est plus possible d'ajouter de pièce à l'étude !"},
    };
    for (const auto& [commande, titre, texte] : pleine) {
        EXPECT_FALSE(commande());
        EXPECT_TRUE(questions.Seul(titre, texte));
        EXPECT_FALSE(S.EnCours());
    }
}

// Abandoning a room, new or opened, leaves the study as modified as it was
// before: what was typed for the room counts for nothing. Accepting keeps
// the flag as it is when "&OK" is pressed. Filling the screens from the
// model counts for nothing either.
TEST_F(Saisie, Modifie) {
    AjouterPieceExemple(dossier, 1);
    for (bool avant : {false, true}) {
        for (bool nouvelle : {true, false}) {
            etude.DefinirModifie(avant);
            ASSERT_TRUE(nouvelle ? S.CommencerNouvellePiece() : S.OuvrirPiece(1));
            EXPECT_EQ(etude.Modifie(), avant) << "starting is no change";
            etude.MarquerModifie();
            S.AbandonnerPiece();
            EXPECT_EQ(etude.Modifie(), avant) << nouvelle;
            EXPECT_FALSE(S.EnCours());
        }
        ASSERT_TRUE(Calculer(Sejour));
        etude.DefinirModifie(avant);
        ASSERT_TRUE(S.AccepterPiece());
        EXPECT_EQ(etude.Modifie(), avant);
    }
    etude.DefinirModifie(false);
    {
        EtudeEnCours::SansMarquage remplissage(etude);
        etude.ChangerGenerales(exemples::Generales(Fixation::Plots, DiametreTube::D13x16));
    }
    EXPECT_FALSE(etude.Modifie());
    EXPECT_EQ(etude.Generales(), exemples::Generales(Fixation::Plots, DiametreTube::D13x16));
    etude.ChangerGenerales(exemples::Generales());
    EXPECT_TRUE(etude.Modifie());
}

// A room that cannot be calculated is refused with a message that names it
// and says why; a rooms file that cannot be written is named. Either way
// the room stays on screen, and accepting again once the file is usable
// stores it once.
TEST_F(Saisie, PieceRefusee) {
    Piece nulle = Sejour;
    nulle.SurfacePiece = 0;
    EXPECT_FALSE(Calculer(nulle));
    EXPECT_TRUE(questions.Seul("Calcul impossible.", "La pièce 'Séjour' ne peut pas être calculée : la surface de la "
                                                     "pièce est nulle.\nCorriger les données de la pièce puis "
                                                     "recommencer."));
    EXPECT_TRUE(S.EnCours());
    ASSERT_TRUE(Calculer(Sejour));
    ASSERT_TRUE(QDir().mkpath(dossier.Chemin(FichierEtude)));
    EXPECT_FALSE(S.AccepterPiece());
    EXPECT_TRUE(questions.Seul(TitreErreurFichier.toStdString(),
                               "Impossible de lire le fichier « Etude.tmp » : un dossier porte ce nom."));
    EXPECT_TRUE(S.EnCours());
    ASSERT_TRUE(QDir().rmdir(dossier.Chemin(FichierEtude)));
    EXPECT_TRUE(S.AccepterPiece());
    EXPECT_EQ(etude.Travail().LirePieces(), std::vector{Sejour});
}

// The entry screens refuse a number the study check would refuse later,
// with the field's caption; a number within or on its bounds, or a field
// without bounds, passes. Each case of the data file sets one field of a
// room (an infinite value is written "inf") and gives the refusal, if any.
TEST(NombresSaisis, MessageDeRefus) {
    const std::map<QString, double Piece::*> champs = {
        {"SurfacePiece", &Piece::SurfacePiece}, {"SurfacePlafond", &Piece::SurfacePlafond},
        {"DeperdPiece", &Piece::DeperdPiece}, {"LongRaccordBordure", &Piece::LongRaccordBordure},
        {"EmissionsBas", &Piece::EmissionsBas}};
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "nombres_saisis")) {
        const QJsonObject k = ligne.toObject();
        Piece p = Sejour;
        p.*champs.at(k["champ"].toString()) = k["valeur"].toVariant().toDouble();
        using Refus = std::optional<std::pair<QString, QString>>;
        const QString legende = k["legende"].toString();
        const Refus refus = k.contains("refus") ? Refus({legende + '.', k["refus"].toString()}) : Refus();
        EXPECT_EQ(RefusNombreSaisi(p, legende), refus) << legende.toStdString();
    }
}

// A new study: the working files go, the general data are those of a new
// study but for the screed thickness, the name is the first free one.
// "Nouvelle étude" on a modified study offers to store it first.
TEST_F(Saisie, NouvelleEtude) {
    for (const char* nom : {"Etude 1.pla", "Etude 2.pla"})
        Poser(dossier, QString::fromUtf8(nom), {});
    AjouterPieceExemple(dossier, 1);
    etude.ChangerGenerales({.Support = Fixation::Plots, .EpaisChape = 8, .Chape = NatureChape::Liquide});
    etude.DefinirEtudeEnregistree(true);
    EXPECT_TRUE(B.CommandeNouvelleEtude());
    EXPECT_TRUE(questions.Seul("Enregistrer.", "Voulez vous enregistrer l'étude en cours ?", IconeMessage::Question,
                               BoutonsMessage::OuiNon));
    EXPECT_EQ(etude.Nom(), "Etude 3");
    EXPECT_EQ(Travail(), Aucun);
    EXPECT_EQ(etude.Generales(), Installation{.EpaisChape = 8});
    EXPECT_FALSE(etude.Modifie() || etude.EtudeEnregistree());
    EXPECT_EQ(remplacements, 1);
    EXPECT_EQ(piecesChangees, 1);
}

// The whole study recalculated from its rooms and the general data the
// model holds now, as the summary, the reports and the exports show it; a
// room that cannot be calculated is named and nothing is given.
TEST_F(Saisie, RecalculerEtExporter) {
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    etude.ChangerGenerales(exemples::Generales(Fixation::Plots, DiametreTube::D13x16));
    const EtudeRecalculee attendue = RecalculerEtude({Sejour, Chambre}, etude.Generales());
    const auto r = etude.RecalculerEtude();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(CsvEtude(*r), CsvEtude(attendue));
    const DossierEtudes exports(temp_.path());
    EXPECT_TRUE(etude.ExporterCsv(exports.Chemin("Maison.csv"), *r) &&
                etude.ExporterCsvEquilibrage(exports.Chemin("Maison - équilibrage.csv"), *r));
    EXPECT_EQ(Contenu(exports, "Maison.csv").toStdString(), CsvEtude(*r));
    EXPECT_EQ(Contenu(exports, "Maison - équilibrage.csv").toStdString(), CsvEquilibrage(r->Equilibrage));
    EXPECT_FALSE(etude.ExporterCsv(exports.Chemin("absent/Maison.csv"), *r));
    EXPECT_TRUE(questions.Seul("Exportation impossible.", "Impossible d'écrire le fichier « Maison.csv » : le "
                                                          "fichier ou son dossier n'existe pas."));

    Piece nulle = Cuisine;
    nulle.SurfacePiece = 0;
    etude.Travail().EcrirePiece(3, nulle, {});
    EXPECT_FALSE(etude.RecalculerEtude().has_value());
    EXPECT_TRUE(questions.Seul("Calcul impossible.",
                               "La pièce 3 « Cuisine » ne peut pas être calculée : la surface de la pièce est nulle."));
}

// The balancing's advice applied to room 1: its normal zone laid as 3 loops,
// the room calculated against the study's largest drop and written back as
// "&OK" writes it, the study modified. Refused with its message beyond 8
// loops, and while that room is open on the room screens; another room
// open does not stop it, and abandoning that room keeps the change.
TEST_F(Saisie, PartagerZoneNormale) {
    etude.ChangerGenerales(exemples::Generales());
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    etude.DefinirModifie(false);
    piecesChangees = 0;
    const Jeu avant = Travail();
    const std::string titre = "Nombre de boucles.";

    EXPECT_FALSE(S.PartagerZoneNormale(1, BouclesMaximum + 1));
    EXPECT_TRUE(questions.Seul(titre, "La pièce 'Séjour' demanderait 9 boucles : une pièce en compte 8 au plus. "
                                      "La partager en plusieurs pièces."));
    ASSERT_TRUE(S.OuvrirPiece(1));
    EXPECT_FALSE(S.PartagerZoneNormale(1, 2));
    EXPECT_TRUE(questions.Seul(titre, "La pièce 'Séjour' est ouverte dans les écrans de saisie : l'accepter ou "
                                      "l'abandonner avant de changer son nombre de boucles."));
    S.AbandonnerPiece();
    EXPECT_EQ(Travail(), avant);
    EXPECT_FALSE(etude.Modifie());

    ASSERT_TRUE(S.OuvrirPiece(2));
    const double perteMax = etude.Travail().PerteMaxEtude();
    ASSERT_TRUE(S.PartagerZoneNormale(1, 3));
    S.AbandonnerPiece();
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(piecesChangees, 1);
    Piece partagee = Sejour;
    partagee.Boucles = 3;
    EXPECT_EQ(etude.Travail().LirePieces(), (std::vector{partagee, Chambre}));
    const ResultatsPiece r = CalculPiece(EntreesDepuisPiece(partagee, exemples::Generales(), perteMax));
    const PerteCharge perte = PerteChargePiece(r.PerteNormale, r.PerteBordure);
    EXPECT_EQ(etude.Travail().LireEtude().Pertes.at(0), perte);
    EXPECT_NE(perte.PerteNormale, CalculPiece(EntreesDepuisPiece(Sejour, exemples::Generales(), perteMax)).PerteNormale);
    // The balancing and the manifolds tell the room's three loops apart.
    const EtudeRecalculee recalculee = etude.RecalculerEtude().value();
    const std::vector<LigneEquilibrage> lignes = LignesEquilibrage(recalculee);
    const std::vector<LigneSortie> sorties = LignesCollecteurs(recalculee).at(0).Sorties;
    ASSERT_GE(lignes.size(), 4u);
    for (int rang = 1; rang <= 3; ++rang) {
        const std::string attendu = "normale (" + std::to_string(rang) + " sur 3)";
        EXPECT_EQ(lignes[rang - 1][ColonneEquilibrage::Boucle].Texte, attendu);
        EXPECT_EQ(sorties.at(rang - 1)[ColonneSortie::Boucle].Texte, attendu);
    }
    EXPECT_EQ(lignes[3][ColonneEquilibrage::Boucle].Texte, "normale");
    // The same count again writes nothing.
    etude.DefinirModifie(false);
    EXPECT_TRUE(S.PartagerZoneNormale(1, 3));
    EXPECT_FALSE(etude.Modifie());
    EXPECT_TRUE(questions.posees.empty());
}

// Page 3/4 proposes the fewest equal loops whose length, connecting pipes
// included, stays within the red limit of the pipe (160 m for the 16x20);
// a room too long even in 8 loops is told so, in orange.
TEST_F(Saisie, ProposerBoucles) {
    etude.ChangerGenerales(exemples::Generales());
    const struct {
        double surface, deperd;
    } cas[] = {{12, 700}, {60, 2500}, {100, 4000}};
    for (const auto& k : cas) {
        SCOPED_TRACE(k.surface);
        Piece p = exemples::PieceMaison("Salon", Charge::Normale, k.surface, k.deperd);
        const double zone = CalculPiece(EntreesDepuisPiece(p, exemples::Generales(), 0)).LongueurNormale;
        int m = 1;
        while (Arrondir(zone / m + p.LongRaccordNormale, 2) > LongueurBoucleRouge(DiametreTube::D16x20))
            ++m;
        EXPECT_EQ(m > 1, k.surface > 20);
        const PropositionBoucles proposition = S.ProposerBoucles(p);
        EXPECT_EQ(proposition.Boucles, m);
        const std::string longueur = TexteArrondi(zone / m + p.LongRaccordNormale) + " m";
        EXPECT_EQ(proposition.Texte.toStdString(),
                  m == 1 ? "Proposition : 1 boucle de " + longueur
                         : "Proposition : " + std::to_string(m) + " boucles de " + longueur);
        EXPECT_EQ(proposition.Format, FormatValeur{});
    }
    Piece immense = exemples::PieceMaison("Hall", Charge::Normale, 400, 30000);
    const PropositionBoucles trop = S.ProposerBoucles(immense);
    EXPECT_EQ(trop.Boucles, std::nullopt);
    EXPECT_EQ(trop.Texte.toStdString(), "Trop longue même en 8 boucles");
    EXPECT_EQ(trop.Format, (FormatValeur{true, CouleurValeur::Orange}));
    EXPECT_TRUE(questions.posees.empty());
}
