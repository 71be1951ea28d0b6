// The losses of a study's detailed rooms as the report, the CSV and the
// batch tool show them (figures worked out in ExemplesDeperditions.h).

#include "etude/ExportCsv.h"
#include "etude/PresentationDeperditions.h"

#include "ExemplesDeperditions.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;

namespace {

DeperditionsEtude Calculer(const Etude& e) { return CalculerDeperditionsEtude(e.Climat, e.Pieces); }

// The rooms with details in room order, their figures signed and
// unrounded; the others named; the fields compared with what was typed.
TEST(PresentationDeperditions, PiecesDetaillees) {
    const DeperditionsEtude d = Calculer(exemples::EtudeDeperditions());
    const struct {
        int piece;
        double transmission, debitAir, ventilation, relance, total, plancher, champPiece, champPlancher;
        bool manuelle;
    } attendus[] = {{1, 643.62, 35, 357, 0, 1000.62, 109.62, 1001, 110, false},
                    {3, 167.4, 45, 459, 60, 686.4, 0, 686, 0, true}};
    ASSERT_EQ(d.Pieces.size(), std::size(attendus));
    for (std::size_t i = 0; i < d.Pieces.size(); ++i) {
        const DeperditionsPieceCalculees& p = d.Pieces[i];
        const auto& a = attendus[i];
        SCOPED_TRACE(p.NomPiece);
        EXPECT_EQ(p.Piece, a.piece);
        EXPECT_NEAR(p.Resultat.Transmission, a.transmission, 1e-9);
        EXPECT_NEAR(p.Resultat.DebitAir, a.debitAir, 1e-9);
        EXPECT_NEAR(p.Resultat.Ventilation, a.ventilation, 1e-9);
        EXPECT_NEAR(p.Resultat.Relance, a.relance, 1e-9);
        EXPECT_NEAR(p.Resultat.Total, a.total, 1e-9);
        EXPECT_NEAR(p.Resultat.Plancher, a.plancher, 1e-9);
        EXPECT_EQ(p.ChampPiece(), a.champPiece);
        EXPECT_EQ(p.ChampPlancher(), a.champPlancher);
        EXPECT_EQ(p.SaisieManuelle(), a.manuelle);
    }
    EXPECT_EQ(d.SansDetails, std::vector<std::string>{"Cuisine"});
    EXPECT_NEAR(d.Total, 1687.02, 1e-9);
    EXPECT_EQ(d.Retenues, 1001 + 1100 + 900);
    EXPECT_EQ(InfoPiece(d.Pieces[1]), "Température 20 °C (écart 30 K), surface 12 m², hauteur 2,4 m");
    EXPECT_EQ(RefusRapportDeperditions(d), std::nullopt);
}

// The section follows the balancing; a study with neither climate nor
// details exports as it always did.
TEST(PresentationDeperditions, SectionCsv) {
    const Etude e = exemples::EtudeDeperditions();
    EXPECT_EQ(CsvDeperditions(Calculer(e)),
              "Déperditions\n"
              "Département;69;\n"
              "Altitude;250;m\n"
              "Température extérieure de base;-10;°C\n"
              "Température moyenne annuelle;11;°C\n"
              "Ponts thermiques;0,05;W/(m².K)\n"
              "Hauteur sous plafond par défaut;2,5;m\n"
              "\n"
              "Pièce;Désignation;Nature;Contact;A (m²);U (W/(m².K));b;θ voisine (°C);H (W/K);Φ (W)\n"
              "Séjour;Mur nord;Mur;Extérieur;12,5;0,25;;;3,75;112,5\n"
              "Séjour;Baie vitrée sud;Fenêtre;Extérieur;4,2;1,4;;;6,09;182,7\n"
              "Séjour;Porte d'entrée;Porte;Extérieur;2;1,5;;;3,1;93\n"
              "Séjour;Plafond sous combles;Plafond;Local non chauffé;28;0,2;0,9;;6,3;189\n"
              "Séjour;Dalle sur terre-plein;Plancher;Terre-plein;28;0,3;;;3,65;109,62\n"
              "Séjour;Cloison salle de bains;Mur;Local chauffé;6;1,8;;24;-1,44;-43,2\n"
              "Chambre;Fenêtre ouest;Fenêtre;Extérieur;1,8;1,3;;;2,43;72,9\n"
              "Chambre;Mur ouest;Mur;Extérieur;9;0,3;;;3,15;94,5\n"
              "\n"
              "Pièce;Débit d'air (m³/h);Transmission (W);Ventilation (W);Relance (W);Total (W);Plancher (W);"
              "Déperditions de la pièce (W);Déperditions du plancher (W);Saisie manuelle\n"
              "Séjour;35;643,62;357;0;1000,62;109,62;1001;110;non\n"
              "Chambre;45;167,4;459;60;686,4;0;900;150;oui\n"
              "\n"
              "Total des pièces détaillées;1687,02;W\n"
              "Dont plancher;109,62;W\n"
              "Déperditions retenues pour l'étude (toutes les pièces);3001;W\n"
              "Pièces sans détail (déperditions saisies);Cuisine;\n");

    const EquilibrageEtude equilibrage{{}, 30, DiametreTube::D16x20};
    const std::string avant = CsvEtude({}, {}, equilibrage);
    Etude sansDetails = e;
    for (Piece& p : sansDetails.Pieces)
        p.Deperditions.reset();
    Etude sansRien = sansDetails;
    sansRien.Climat.reset();
    EXPECT_EQ(CsvEtude({}, {}, equilibrage, Calculer(sansRien)), avant);
    EXPECT_EQ(CsvEtude({}, {}, equilibrage, Calculer(e)), avant + "\n" + CsvDeperditions(Calculer(e)));
    const std::string climatSeul = CsvEtude({}, {}, equilibrage, Calculer(sansDetails));
    EXPECT_TRUE(climatSeul.ends_with("Saisie manuelle\n\nTotal des pièces détaillées;0;W\nDont plancher;0;W\n"
                                     "Déperditions retenues pour l'étude (toutes les pièces);3001;W\n"
                                     "Pièces sans détail (déperditions saisies);Séjour, Cuisine, Chambre;\n"))
        << climatSeul;
    EXPECT_EQ(RefusRapportDeperditions(Calculer(sansDetails)),
              "Une pièce au moins doit avoir le détail de ses déperditions pour avoir un aperçu ou une impression "
              "des déperditions !");
}

// A room whose losses cannot be worked out is named, with the reason.
TEST(PresentationDeperditions, PieceImpossibleNommee) {
    const struct {
        const char* quoi;
        std::function<void(Etude&)> changer;
        std::string cause;
    } cas[] = {
        {"sans climat", [](Etude& e) { e.Climat.reset(); },
         "1 « Séjour » ne peut pas être calculée : ses déperditions demandent le climat du site."},
        {"pas plus chaude que dehors", [](Etude& e) { e.Climat->TempExterieure = 20; },
         "1 « Séjour » ne peut pas être calculée : sa température (20 °C) n'est pas au-dessus de la température "
         "extérieure (20 °C)."},
        {"sans moyenne annuelle", [](Etude& e) { e.Climat->TempMoyenneAnnuelle.reset(); },
         "1 « Séjour » ne peut pas être calculée : un élément sur terre-plein demande la température moyenne "
         "annuelle du site."},
        {"sans b", [](Etude& e) { e.Pieces[2].Deperditions->Elements[1].Contact = ContactElement::NonChauffe; },
         "3 « Chambre » ne peut pas être calculée : un élément sur local non chauffé n'a pas de coefficient b."},
    };
    for (const auto& c : cas) {
        Etude e = exemples::EtudeDeperditions();
        c.changer(e);
        const auto erreur = exemples::Erreur<ErreurCalculEtude>([&] { Calculer(e); });
        ASSERT_TRUE(erreur) << c.quoi;
        EXPECT_EQ(erreur->what(), "La pièce " + c.cause) << c.quoi;
    }
    EXPECT_EQ(RefusRapportDeperditions(DeperditionsEtude{}),
              "Le climat du site doit avoir été donné (menu « Etude », « Climat du site... ») pour avoir un aperçu "
              "ou une impression des déperditions !");
}

} // namespace
