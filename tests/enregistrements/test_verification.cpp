// The check of a loaded study: list values, bounds, counts, and the message
// naming the file, the room and the field.

#include "etude/BornesSaisie.h"
#include "etude/VerificationEtude.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// A sound study of three rooms, one of each edge arrangement.
struct Etude {
    DonneesGenerales generales = exemples::Generales(0, 1);
    std::vector<DonneesPiece> pieces{exemples::Piece("Séjour", 0, 28, 1600), exemples::Piece("Véranda", 1, 15, 900),
                                     exemples::Piece("Cuisine", 3, 12, 700)};
    std::vector<PerteCharge> pertes{PerteChargePiece(850, 0), PerteChargePiece(620, 410), PerteChargePiece(300, 0)};
    std::optional<DefautEtude> Verifier() const { return VerifierEtude(generales, pieces, pertes); }
};

TEST(VerificationEtude, EtudeSaineEtToutesLesValeursProposees) {
    Etude e;
    EXPECT_EQ(e.Verifier(), std::nullopt);
    EXPECT_EQ(VerifierEtude(e.generales, {}, {}), std::nullopt); // a study without rooms

    // Every value each list offers is accepted, in every field that takes it.
    auto accepte = [](const std::function<void(Etude&)>& poser) {
        Etude e;
        poser(e);
        return !e.Verifier().has_value();
    };
    for (int t = 30; t <= 50; ++t)
        EXPECT_TRUE(accepte([t](Etude& e) { e.generales.TempDepart = std::to_string(t); })) << t;
    for (int t = 15; t <= 24; ++t)
        EXPECT_TRUE(accepte([t](Etude& e) { e.pieces[1].TempPiece = std::to_string(t); })) << t;
    for (const char* r : {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.10", "0.11",
                          "0.12", "0.13", "0.14", "0.15"}) {
        EXPECT_TRUE(accepte([r](Etude& e) { e.pieces[0].RthActuelle = r; e.pieces[2].RthFuture = r; })) << r;
    }
    for (const char* pas : {"5", "10", "15", ""})
        EXPECT_TRUE(accepte([pas](Etude& e) { e.pieces[1].PasVZBordure = pas; })) << pas;
    for (const char* iso : {"2", "3", "4", "5", "6", "7", "8", ""})
        EXPECT_TRUE(accepte([iso](Etude& e) { e.pieces[0].IsoApport = iso; e.pieces[0].IsoEmissions = iso; })) << iso;
    for (std::int16_t n : {3, 8, 20})
        EXPECT_TRUE(accepte([n](Etude& e) { e.pieces[2].TempChute = n; })) << n;
    for (std::int16_t n : {6, 7, 8})
        EXPECT_TRUE(accepte([n](Etude& e) { e.generales.EpaisChape = n; })) << n;
    for (std::int16_t n : {0, 1, 2, 3})
        EXPECT_TRUE(accepte([n](Etude& e) { e.pieces[0].TypeCharge = n; })) << n;
    EXPECT_TRUE(accepte([](Etude& e) { e.generales.Support = 1; e.generales.Tube = 0; e.generales.Chape = 1; }));
    // Bounds are reached, not passed; any finite pressure drop is a result.
    EXPECT_TRUE(accepte([](Etude& e) {
        e.pieces[0].SurfacePiece = SurfaceMaximale;
        e.pieces[0].ApportPlafond = PuissanceMaximale;
        e.pieces[0].LongDistri = LongueurMaximale;
        e.pieces[0].EmissionsBas = 0;
        e.pertes[0] = PerteChargePiece(-12.5, 0);
    }));
}

TEST(VerificationEtude, UnDefautParChamp) {
    using E = Etude&;
    struct Cas {
        std::function<void(E)> abimer;
        FichierStocke fichier;
        int piece;
        const char* champ;
        const char* raison;
    };
    const Cas cas[] = {
        {[](E e) { e.generales.Support = 7; }, FichierStocke::Generales, 0, "Support (type de fixation des tubes)",
         "7 n'est pas une valeur proposée (0 ou 1)"},
        {[](E e) { e.generales.Tube = -3; }, FichierStocke::Generales, 0, "Diamètre du tube",
         "-3 n'est pas une valeur proposée (0 ou 1)"},
        {[](E e) { e.generales.TempDepart = "99"; }, FichierStocke::Generales, 0, "Température de départ du fluide",
         "« 99 » n'est pas une valeur proposée (30 à 50)"},
        {[](E e) { e.generales.TempDepart = "-9"; }, FichierStocke::Generales, 0, "Température de départ du fluide",
         "« -9 » n'est pas une valeur proposée (30 à 50)"},
        {[](E e) { e.generales.EpaisChape = 5; }, FichierStocke::Generales, 0, "Epaisseur moyenne de la chape",
         "5 n'est pas une valeur proposée (6, 7 ou 8)"},
        {[](E e) { e.generales.Chape = 2; }, FichierStocke::Generales, 0, "Chape",
         "2 n'est pas une valeur proposée (0 ou 1)"},
        {[](E e) { e.pieces[1].TypeCharge = 4; }, FichierStocke::Pieces, 2, "Type de charge du panneau",
         "4 n'est pas une valeur proposée (0 à 3)"},
        {[](E e) { e.pieces[1].SurfaceBordure = -1; }, FichierStocke::Pieces, 2,
         "Surface zone de bordure (élevée/limite)", "la valeur -1 est négative"},
        {[](E e) { e.pieces[1].PasVZBordure = "20"; }, FichierStocke::Pieces, 2,
         "Pas VZ zone de bordure (élevée/limite)", "« 20 » n'est pas une valeur proposée (5, 10 ou 15, ou vide)"},
        {[](E e) { e.pieces[0].TempPiece = "25"; }, FichierStocke::Pieces, 1, "Température ambiante de la pièce",
         "« 25 » n'est pas une valeur proposée (15 à 24)"},
        {[](E e) { e.pieces[0].SurfacePiece = -20.72; }, FichierStocke::Pieces, 1, "Surface de la pièce",
         "la valeur -20,72 est négative"},
        {[](E e) { e.pieces[0].SurfaceEmprises = Nan; }, FichierStocke::Pieces, 1, "Surface des emprises",
         "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pieces[0].SurfacePlafond = 1.7e308; }, FichierStocke::Pieces, 1, "Surface du plancher haut",
         "la valeur 1,7E+308 dépasse 10000 m²"},
        {[](E e) { e.pieces[2].DeperdPiece = Inf; }, FichierStocke::Pieces, 3, "Déperditions de la pièce",
         "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pieces[2].DeperdPlancher = 2e6; }, FichierStocke::Pieces, 3, "Déperditions du plancher",
         "la valeur 2000000 dépasse 1000000 W"},
        {[](E e) { e.pieces[2].ApportPlafond = -Inf; }, FichierStocke::Pieces, 3, "Apport par le plafond",
         "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pieces[2].EmissionsBas = -0.5; }, FichierStocke::Pieces, 3, "Emission vers le bas",
         "la valeur -0,5 est négative"},
        {[](E e) { e.pieces[0].RthActuelle = "9.99"; }, FichierStocke::Pieces, 1, "Résistance actuelle",
         "« 9.99 » n'est pas une valeur proposée (0.01 à 0.15)"},
        {[](E e) { e.pieces[0].RthFuture = "0.1"; }, FichierStocke::Pieces, 1, "Résistance future",
         "« 0.1 » n'est pas une valeur proposée (0.01 à 0.15)"},
        {[](E e) { e.pieces[0].IsoApport = "9"; }, FichierStocke::Pieces, 1,
         "Epaisseur de l'isolant (Apport par le plafond)", "« 9 » n'est pas une valeur proposée (2 à 8, ou vide)"},
        {[](E e) { e.pieces[0].IsoEmissions = "1"; }, FichierStocke::Pieces, 1,
         "Epaisseur de l'isolant (Emissions vers le bas)", "« 1 » n'est pas une valeur proposée (2 à 8, ou vide)"},
        {[](E e) { e.pieces[1].LongRaccordNormale = 1001; }, FichierStocke::Pieces, 2,
         "Longueur des conduites de raccordement", "la valeur 1001 dépasse 1000 m"},
        {[](E e) { e.pieces[1].LongDistri = -3; }, FichierStocke::Pieces, 2,
         "Longueur des conduites de distribution (traversantes)", "la valeur -3 est négative"},
        {[](E e) { e.pieces[1].LongRaccordBordure = Nan; }, FichierStocke::Pieces, 2,
         "Longueur des conduites de raccordement (si boucle indépendante)", "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pieces[1].TempChute = -32768; }, FichierStocke::Pieces, 2,
         "Chute de température du fluide (DeltaT Départ/Retour)", "-32768 n'est pas une valeur proposée (3 à 20)"},
        {[](E e) { e.pertes[2].PerteNormale = Nan; }, FichierStocke::Pertes, 3,
         "Perte de charge du circuit zone normale (normale ou combinée)", "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pertes[1].PerteBordure = Inf; }, FichierStocke::Pertes, 2,
         "Perte de charge du circuit zone de bordure (si boucle indépendante)", "la valeur n'est pas un nombre fini"},
        {[](E e) { e.pertes[0].PerteMax = -Inf; }, FichierStocke::Pertes, 1, "Perte de charge la plus élevée de la pièce",
         "la valeur n'est pas un nombre fini"},
        // Whole files: too many rooms, one pressure drop missing.
        {[](E e) { e.pieces.resize(31, e.pieces[0]); e.pertes.resize(31, e.pertes[0]); }, FichierStocke::Pieces, 0, "",
         "il contient 31 pièces, une étude en compte au plus 30"},
        {[](E e) { e.pertes.pop_back(); }, FichierStocke::Pertes, 0, "", "il contient 2 pertes de charge pour 3 pièces"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.champ);
        Etude e;
        c.abimer(e);
        const auto d = e.Verifier();
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->Fichier, c.fichier);
        EXPECT_EQ(d->Piece, c.piece);
        EXPECT_EQ(d->NomPiece, c.piece > 0 ? e.pieces[static_cast<std::size_t>(c.piece - 1)].NomPiece : "");
        EXPECT_EQ(d->Champ, c.champ);
        EXPECT_EQ(d->Raison, c.raison);
    }
}

TEST(VerificationEtude, PremierDefautDansLOrdreDesFichiers) {
    // General data before rooms, rooms in order, pressure drops last.
    Etude e;
    e.pertes[0].PerteNormale = Nan;
    e.pieces[2].TempPiece = "";
    e.pieces[1].TempChute = 0;
    EXPECT_EQ(e.Verifier()->Piece, 2);
    e.generales.Chape = 9;
    EXPECT_EQ(e.Verifier()->Fichier, FichierStocke::Generales);
    // 30 rooms are allowed, with as many pressure drops.
    Etude trente;
    trente.pieces.resize(PiecesMaximumEtude, trente.pieces[1]);
    trente.pertes.resize(PiecesMaximumEtude, trente.pertes[1]);
    EXPECT_EQ(trente.Verifier(), std::nullopt);
}

TEST(VerificationEtude, Message) {
    DefautEtude d{FichierStocke::Pieces, 2, "Séjour", "Surface de la pièce", "la valeur -3 est négative"};
    EXPECT_EQ(MessageDefautEtude(d, "/etudes/Maison.pla"),
              "Le fichier « /etudes/Maison.pla » est endommagé : pièce 2 « Séjour », champ « Surface de la pièce » : "
              "la valeur -3 est négative.");
    EXPECT_EQ(MessageDefautEtude({FichierStocke::Generales, 0, "", "Chape", "2 n'est pas une valeur proposée (0 ou 1)"},
                                 "Maison.plg"),
              "Le fichier « Maison.plg » est endommagé : champ « Chape » : 2 n'est pas une valeur proposée (0 ou 1).");
    EXPECT_EQ(MessageDefautEtude({FichierStocke::Pertes, 0, "", "", "il contient 2 pertes de charge pour 3 pièces"},
                                 "Maison.plp"),
              "Le fichier « Maison.plp » est endommagé : il contient 2 pertes de charge pour 3 pièces.");
    // A name holding a NUL, a line feed or a stray byte: the whole message,
    // with the controls visible, in valid UTF-8 and without a NUL.
    d.NomPiece = std::string("Bur\0eau\n\xFF", 9);
    const std::string m = MessageDefautEtude(d, std::string("Mai\x01son.pla"));
    EXPECT_EQ(m, "Le fichier « Mai␁son.pla » est endommagé : pièce 2 « Bur␀eau␊� », champ « Surface de la pièce » : "
                 "la valeur -3 est négative.");
    EXPECT_EQ(m.find('\0'), std::string::npos);
    EXPECT_EQ(std::string(ExtensionFichier(FichierStocke::Generales)) + ExtensionFichier(FichierStocke::Pieces)
                  + ExtensionFichier(FichierStocke::Pertes),
              ".plg.pla.plp");
}

TEST(BornesSaisie, TableParLegendeEtRefus) {
    // Every field of the table is found by its caption; others have no bound.
    for (const BorneSaisie& b : BornesSaisie)
        EXPECT_EQ(BornePourLegende(b.Legende), &b) << b.Legende;
    EXPECT_EQ(BornePourLegende("Nom de la pièce"), nullptr);

    const BorneSaisie& surface = *BornePourLegende("Surface de la pièce");
    EXPECT_EQ(surface.Maximum, SurfaceMaximale);
    struct Cas { double valeur; std::optional<std::string> refus; };
    const Cas cas[] = {
        {0, std::nullopt},
        {-0.0, std::nullopt},
        {SurfaceMaximale, std::nullopt},
        {12.5, std::nullopt},
        {-1e-9, "la valeur -1E-09 est négative"},
        {10000.5, "la valeur 10000,5 dépasse 10000 m²"},
        {Nan, "la valeur n'est pas un nombre fini"},
        {Inf, "la valeur n'est pas un nombre fini"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(RefusBorne(surface, c.valeur), c.refus) << c.valeur;
    EXPECT_TRUE(RefusBorne(surface, std::nextafter(SurfaceMaximale, Inf)).has_value());
    EXPECT_EQ(MessageBorne(*BornePourLegende("Apport par le plafond")),
              "La valeur de « Apport par le plafond » doit être comprise entre 0 et 1000000 W !");
    // The ceiling and downward panels compute at most 9.26 W per m² of
    // floor: their results stay within the heat bound for any area allowed.
    EXPECT_LE(9.26 * SurfaceMaximale, PuissanceMaximale);
}

} // namespace
