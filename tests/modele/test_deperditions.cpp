// The room losses and the site's climate as the dialogs use them: what the
// details of a room give as it is typed, and why not when they cannot;
// where the two losses fields come from ("saisie manuelle"); "OK" of the
// losses dialog on the room being entered; the refusals of their numbers;
// the base outdoor temperature proposed from a table.

#include "ModeleTest.h"

#include "modele/SaisieClimat.h"
#include "modele/SaisieDeperditions.h"

#include <QDir>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// A living room of 32.5 m² at 20 °C, -10 °C outside, thermal bridges 0.05,
// worked by hand: H = 14.2 x 0.35 + 10.5 x 0.35 + 6 x 1.35 + 8 x 0.55 x 0.6
// + 32.5 x 0.30 x 0.8 + 7.5 x 1.8 x (20 - 18) / 30 = 28.085 W/K, so 842.55 W
// through 30 K; air max(0.5 x 32.5 x 2.5, 45) = 45 m³/h, 0.34 x 45 x 30 =
// 459 W; total 1301.55 W (1302 in the field); floor 7.8 x 30 = 234 W.
const ClimatSite Lyon{.Departement = "69", .Altitude = 250, .TempExterieure = -10, .TempMoyenneAnnuelle = 11,
                      .PontsThermiques = 0.05};
DeperditionsPiece DetailsSejour() {
    using enum NatureElement;
    using enum ContactElement;
    return {.Renouvellement = 0.5, .DebitExtrait = 45,
            .Elements = {{"Mur nord", Mur, 14.2, 0.3, Exterieur},
                         {"Mur ouest", Mur, 10.5, 0.3, Exterieur},
                         {"Baie vitrée sud", Fenetre, 6, 1.3, Exterieur},
                         {"Cloison cellier", Mur, 8, 0.5, NonChauffe, 0.6},
                         {"Plancher sur vide sanitaire", Plancher, 32.5, 0.25, NonChauffe, 0.8},
                         {"Cloison chambre", Mur, 7.5, 1.8, Chauffe, {}, 18}}};
}
Piece PieceSejour(double deperdPiece = 1302, double deperdPlancher = 234) {
    Piece p;
    p.NomPiece = "Séjour";
    p.TempPiece = 20;
    p.SurfacePiece = 32.5;
    p.DeperdPiece = deperdPiece;
    p.DeperdPlancher = deperdPlancher;
    p.Deperditions = DetailsSejour();
    return p;
}

} // namespace

TEST(BilanDetails, PieceTypeeEtRaisons) {
    const BilanDeperditions sejour = BilanDetails(DetailsSejour(), Lyon, PieceSejour());
    ASSERT_TRUE(sejour.Resultat) << sejour.Raison.toStdString();
    EXPECT_NEAR(sejour.Resultat->Transmission, 842.55, 1e-9);
    EXPECT_NEAR(sejour.Resultat->Ventilation, 459, 1e-9);
    EXPECT_NEAR(sejour.Resultat->Total, 1301.55, 1e-9);
    EXPECT_NEAR(sejour.Resultat->Plancher, 234, 1e-9);
    EXPECT_EQ(TexteWatts(sejour.Resultat->Total), QStringLiteral("1301,6 W"));

    Piece sansTemperature = PieceSejour();
    sansTemperature.TempPiece.reset();
    DeperditionsPiece surTerrePlein = DetailsSejour();
    surTerrePlein.Elements[4].Contact = ContactElement::Sol;
    ClimatSite chaud = Lyon;
    chaud.TempExterieure = 20;
    ClimatSite sansMoyenne = Lyon;
    sansMoyenne.TempMoyenneAnnuelle.reset();
    const struct {
        DeperditionsPiece details;
        std::optional<ClimatSite> climat;
        Piece piece;
        const char* raison;
    } cas[] = {
        {DetailsSejour(), Lyon, sansTemperature, "Choisir la température de la pièce."},
        {DetailsSejour(), std::nullopt, PieceSejour(),
         "Définir le climat du site (menu « Etude », « Climat du site... »)."},
        {DetailsSejour(), chaud, PieceSejour(), "La pièce (20 °C) doit être plus chaude que l'extérieur (20 °C)."},
        {surTerrePlein, sansMoyenne, PieceSejour(),
         "L'élément 5 est sur terre-plein : donner la température moyenne annuelle du site."},
    };
    for (const auto& k : cas) {
        const BilanDeperditions b = BilanDetails(k.details, k.climat, k.piece);
        EXPECT_FALSE(b.Resultat) << k.raison;
        EXPECT_EQ(b.Raison, QString::fromUtf8(k.raison));
    }
}

// The fields come from the details while they hold what the details give,
// rounded and never below 0; otherwise the typed values are used and said.
TEST(EtatChampsDeperditions, DetailOuSaisieManuelle) {
    Piece sansDetail = PieceSejour();
    sansDetail.Deperditions.reset();
    // Over a room at 23 °C the floor gains 20 x 0.5 x 3 = 30 W: its field
    // holds 0, the room's 1301.55 - 234 - 30 = 1037.55, so 1038.
    Piece surPlusChaud = PieceSejour(1038, 0);
    surPlusChaud.Deperditions->Elements[4] = {"Plancher sur chambre", NatureElement::Plancher, 20, 0.5,
                                             ContactElement::Chauffe, {}, 23};
    const struct {
        Piece piece;
        std::optional<ClimatSite> climat;
        OrigineDeperditions origine;
        const char* texte;
    } cas[] = {
        {sansDetail, Lyon, OrigineDeperditions::Saisie, ""},
        {PieceSejour(), Lyon, OrigineDeperditions::Detail, "Valeurs calculées d'après le détail des parois."},
        {surPlusChaud, Lyon, OrigineDeperditions::Detail, "Valeurs calculées d'après le détail des parois."},
        {PieceSejour(1850), Lyon, OrigineDeperditions::SaisieManuelle,
         "Saisie manuelle : le détail des parois donne 1302 W et 234 W."},
        {PieceSejour(), std::nullopt, OrigineDeperditions::SaisieManuelle,
         "Saisie manuelle : le détail des parois ne peut pas être calculé. Définir le climat du site (menu « Etude », "
         "« Climat du site... »)."},
    };
    for (const auto& k : cas) {
        const EtatDeperditions etat = EtatChampsDeperditions(k.piece, k.climat);
        EXPECT_EQ(etat.Origine, k.origine) << k.texte;
        EXPECT_EQ(TexteEtatDeperditions(etat), QString::fromUtf8(k.texte));
    }
    EXPECT_EQ(TexteSuiteDetails(PieceSejour(1850), BilanDetails(DetailsSejour(), Lyon, PieceSejour())),
              QStringLiteral("Saisie manuelle sur la page : 1850 W et 234 W. « OK » mettra 1302 W dans les "
                             "déperditions de la pièce et 234 W dans celles du plancher."));
}

using Deperditions = ModeleTest;

// Without a climate the dialog asks first; "OK" keeps the details with the
// room being entered and gives the fields' values, or tells why it cannot.
TEST_F(Deperditions, ClimatPuisDetailsDeLaPiece) {
    for (const auto& [reponse, suite] : {std::pair{ReponseMessage::Non, AvantDeperditions::Renoncer},
                                         std::pair{ReponseMessage::Oui, AvantDeperditions::DefinirClimat}}) {
        questions.reponses = {reponse};
        EXPECT_EQ(PreparerDeperditions(etude), suite);
        EXPECT_TRUE(questions.Seul("Climat du site.", {}, IconeMessage::Question, BoutonsMessage::OuiNon));
    }
    etude.ChangerClimat(Lyon);
    EXPECT_EQ(PreparerDeperditions(etude), AvantDeperditions::Pret);
    EXPECT_TRUE(questions.posees.empty());

    ASSERT_TRUE(S.CommencerNouvellePiece());
    etude.DefinirModifie(false);
    Piece ecran = PieceSejour(0, 0);
    ecran.Deperditions.reset();
    DeperditionsPiece impossible = DetailsSejour();
    impossible.Elements[3].B.reset();
    EXPECT_EQ(AppliquerDetails(etude, impossible, ecran), std::nullopt);
    EXPECT_TRUE(questions.Seul("Déperditions de la pièce.",
                               "Les déperditions ne peuvent pas être calculées. Donner le facteur b de l'élément 4."));
    EXPECT_FALSE(S.PieceEnSaisie().Deperditions);
    EXPECT_FALSE(etude.Modifie());

    EXPECT_EQ(AppliquerDetails(etude, DetailsSejour(), ecran), (std::pair{1302.0, 234.0}));
    EXPECT_EQ(S.PieceEnSaisie().Deperditions, DetailsSejour());
    EXPECT_TRUE(etude.Modifie());
}

// Each number refused is named, with its bounds, or asked for when its
// contact needs it.
TEST(RefusDetailSaisi, BornesEtValeursDemandees) {
    DeperditionsPiece d = DetailsSejour();
    d.Elements[0].Surface = -1;
    d.Elements[3].B = 1.5;
    d.Elements[4].B.reset();
    d.Elements[5].TempAdjacente = 60;
    d.Hauteur = 0;
    const std::pair<const char*, const char*> cas[] = {
        {"Surface de l'élément 1", "La valeur de « Surface de l'élément 1 » doit être comprise entre 0 et 10000 m² !"},
        {"U de l'élément 1", nullptr},
        {"Facteur b de l'élément 4", "La valeur de « Facteur b de l'élément 4 » doit être comprise entre 0 et 1 !"},
        {"Facteur b de l'élément 5", "Donner le facteur b de l'élément 5 !"},
        {"Température du local voisin de l'élément 6",
         "La valeur de « Température du local voisin de l'élément 6 » doit être comprise entre -50 et 50 °C !"},
        {"Facteur b de l'élément 1", nullptr},
        {"Surface de l'élément 9", nullptr},
        {"Hauteur sous plafond",
         "La valeur de « Hauteur sous plafond » doit être supérieure à 0 et au plus égale à 20 m !"},
        {"Débit extrait", nullptr},
    };
    for (const auto& [legende, texte] : cas) {
        const auto refus = RefusDetailSaisi(d, QString::fromUtf8(legende));
        ASSERT_EQ(refus.has_value(), texte != nullptr) << legende;
        if (refus) {
            EXPECT_EQ(refus->first, QString::fromUtf8(legende) + QLatin1Char('.'));
            EXPECT_EQ(refus->second, QString::fromUtf8(texte));
        }
    }
    ClimatSite tiede = Lyon;
    tiede.TempExterieure = 15;
    EXPECT_EQ(RefusClimatSaisi(tiede, LegendeTempExterieure)->second,
              QStringLiteral("La valeur de « Température extérieure de base » doit être comprise entre -60 et 14 °C !"));
    EXPECT_FALSE(RefusClimatSaisi(Lyon, LegendeTempExterieure));
}

// A table of made-up zones and values: a department leads to its zone, an
// altitude to the first band that holds it.
TEST(TemperaturesBase, PropositionParDepartementEtAltitude) {
    const auto table = TableTemperaturesBase::Lire(QStringLiteral("# essai\n[zones]\n69;X\n2a;Y\n01;Y\n"
                                                                  "[temperatures]\nX;400;-2\nX;200;-1\nY;1000;-3.5\n"));
    ASSERT_TRUE(table);
    const struct {
        const char* departement;
        std::optional<double> altitude, proposee;
        const char* texte;
    } cas[] = {
        {" 69 ", 200, -1, "Proposée par la table : -1 °C (zone X, jusqu'à 200 m)."},
        {"69", 201, -2, "Proposée par la table : -2 °C (zone X, de 200 à 400 m)."},
        {"2A", 0, -3.5, "Proposée par la table : -3,5 °C (zone Y, jusqu'à 1000 m)."},
        {"1", 10, -3.5, "Proposée par la table : -3,5 °C (zone Y, jusqu'à 1000 m)."},
        {"69", 401, {}, "La table n'a pas de valeur pour cette altitude dans la zone X : saisir celle du site."},
        {"69", {}, {}, "Donner l'altitude du site pour une proposition de la table."},
        {"75", 10, {}, "Aucune valeur de la table pour le département « 75 » : saisir celle du site."},
        {"", 10, {}, "Donner le département et l'altitude pour une proposition de la table."},
    };
    for (const auto& k : cas) {
        const PropositionTempBase p = ProposerTempExterieure(table, QString::fromUtf8(k.departement), k.altitude);
        EXPECT_EQ(p.TempExterieure, k.proposee) << k.texte;
        EXPECT_EQ(p.Texte, QString::fromUtf8(k.texte));
    }
    for (const char* illisible : {"X;200;-1", "[temperatures]\nX;deux cents;-1", "[zones]\n69;X;Y"})
        EXPECT_FALSE(TableTemperaturesBase::Lire(QString::fromUtf8(illisible))) << illisible;
    EXPECT_EQ(ProposerTempExterieure(std::nullopt, QStringLiteral("69"), 10).Texte,
              QStringLiteral("La table des températures de base est absente ou illisible : saisir celle du site."));

    // The table shipped beside the program reads, and proposes nothing.
    const auto livree = ChargerTemperaturesBase(QStringLiteral(SORVEL_DOSSIER_SOURCES) +
                                                QStringLiteral("/ressources/donnees/TemperaturesBase.txt"));
    ASSERT_TRUE(livree);
    EXPECT_EQ(ProposerTempExterieure(livree, QStringLiteral("69"), 10).Texte,
              QStringLiteral("La table des températures de base ne contient aucune valeur : saisir celle du site."));
}
