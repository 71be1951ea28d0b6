// What the tool refuses, and how: its exit status, a message naming the
// file, the room and the field, nothing on its output and no PDF left
// behind, in every mode.

#include <QByteArray>
#include <QUtf8StringView>

#include <unistd.h>

#include <gtest/gtest.h>

#include "TableCas.h"
#include "enregistrements/ChampsEnregistrements.h"
#include "outils/Outil.h"

#include <algorithm>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Refus : public Outil {
protected:
    // The study `nom` of the folder `etudes` run in each mode: CSV, JSON and
    // each report; each gives `statut`, nothing on the output, a message
    // holding `message` on one printable line, and leaves no PDF.
    void Verifier(const std::string& etudes, const std::string& nom, int statut, const std::string& message) {
        fs::create_directories(dossier_ / "pdf");
        const std::string pdf = (dossier_ / "pdf" / "Etude.pdf").string();
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{etudes, nom}, {"--json", etudes, nom}, {"--pdf", "chantier", pdf, etudes, nom},
              {"--pdf", "recapitulatif", pdf, etudes, nom}}) {
            SCOPED_TRACE(arguments.front());
            const Sortie s = Lancer(arguments);
            EXPECT_EQ(s.statut, statut) << s.erreurs;
            EXPECT_TRUE(s.sortie.empty());
            EXPECT_NE(s.erreurs.find(message), std::string::npos) << s.erreurs;
            // One line of valid UTF-8, its controls made visible.
            EXPECT_TRUE(QUtf8StringView(QByteArray::fromStdString(s.erreurs)).isValidUtf8()) << s.erreurs;
            EXPECT_TRUE(std::all_of(s.erreurs.begin(), s.erreurs.end() - 1,
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x20; }));
            EXPECT_TRUE(fs::is_empty(dossier_ / "pdf"));
        }
    }
};

// One damaged study per kind of fault the check finds: refused with status
// 2 before anything is calculated.
TEST_F(Refus, EtudesEndommagees) {
    for (const cas::Ligne& l : cas::Lire("endommagees.txt")) {
        SCOPED_TRACE(l.ou);
        Vider();
        EtudeStockee e = Stocker(exemples::Generales(), QuatreTypes());
        const std::string& fichier = l[0];
        const std::size_t piece = static_cast<std::size_t>(l.Entier(1));
        if (l[2] == "enregistrements") {
            e.pertes.resize(static_cast<std::size_t>(l.Entier(3)), e.pertes.back());
            if (fichier == ".pla")
                e.pieces.resize(e.pertes.size(), e.pieces.back());
        } else if (l[2] != "octets" && l[2] != "longueur") {
            ASSERT_TRUE(fichier == ".plg" ? ChampsGenerales.Poser(e.generales, l, 2)
                        : fichier == ".pla" ? ChampsPiece.Poser(e.pieces.at(piece - 1), l, 2)
                                            : ChampsPerte.Poser(e.pertes.at(piece - 1), l, 2));
        }
        Ecrire("Etude", e);
        const fs::path chemin = dossier_ / ("Etude" + fichier);
        if (l[2] == "octets")
            std::ofstream(chemin, std::ios::binary | std::ios::app) << l[3];
        if (l[2] == "longueur")
            fs::resize_file(chemin, static_cast<std::uintmax_t>(l.Entier(3)));
        Verifier(Dossier(), "Etude", 2, "sorvel-calcul : Le fichier « " + chemin.string() + " » est endommagé : " + l[4]);
    }
}

// A file missing, unreadable or in the wrong place: status 2 and the real
// cause.
TEST_F(Refus, FichiersAbsentsOuIllisibles) {
    const auto etude = [this] { Ecrire("Etude", Stocker(exemples::Generales(), QuatreTypes())); };
    for (const cas::Ligne& l : cas::Lire("fichiers.txt")) {
        SCOPED_TRACE(l.ou);
        Vider();
        etude();
        for (const std::string& fichier : {l[0], l[1]})
            if (!fichier.empty())
                fs::remove(dossier_ / fichier);
        if (!l[1].empty())
            fs::create_directory(dossier_ / l[1]);
        Verifier(Remplacer(l[2]), "Etude", 2, "sorvel-calcul : " + Remplacer(l[3]) + "\n");
    }
    // A study name that is no UTF-8 names no file.
    Verifier(Dossier(), "Etude \xFF\x01", 2, "Etude �␁.plg » est introuvable.");
    // A file the user may not read (the administrator reads everything).
    if (::geteuid() != 0) {
        Vider();
        etude();
        fs::permissions(dossier_ / "Etude.pla", fs::perms::none);
        Verifier(Dossier(), "Etude", 2, "Etude.pla » : l'accès est refusé.");
    }
}

// Every value is one the screens offer, yet a room cannot be calculated:
// with a 12 K drop from a 30 °C supply, room 3's mean water temperature
// (24 °C) is its room temperature. Its name, with a NUL and control bytes,
// is shown whole with its controls made visible.
TEST_F(Refus, PieceImpossibleACalculer) {
    Installation g = exemples::Generales();
    g.TempDepart = 30;
    std::vector<Piece> pieces = QuatreTypes();
    pieces[2].TempPiece = 24;
    pieces[2].TempChute = 12;
    pieces[2].NomPiece = std::string("Cui\0sine\x07\n", 10);
    Ecrire("Etude", Stocker(g, pieces));
    Verifier(Dossier(), "Etude", 3, "pièce 3 « Cui␀sine␇␊ » ne peut pas être calculée : la température moyenne de l'eau");
}

TEST_F(Refus, LigneDeCommande) {
    Ecrire("Maison", Stocker(exemples::Generales(), QuatreTypes()));
    for (const cas::Ligne& l : cas::Lire("ligne-de-commande.txt", "refusee")) {
        std::vector<std::string> arguments;
        for (std::size_t i = 1; i < l.size(); ++i)
            arguments.push_back(Remplacer(l[i]));
        const Sortie s = Lancer(arguments);
        EXPECT_EQ(s.statut, 1) << l.ou;
        EXPECT_TRUE(s.sortie.empty());
        EXPECT_EQ(s.erreurs.rfind("sorvel-calcul : ligne de commande incorrecte.\nUsage : ", 0), 0u) << s.erreurs;
        EXPECT_FALSE(fs::exists(Remplacer("{pdf}")));
    }
    const Sortie aide = Lancer({"--help"});
    EXPECT_EQ(aide.statut, 0);
    for (const cas::Ligne& l : cas::Lire("ligne-de-commande.txt", "aide"))
        EXPECT_NE(aide.sortie.find(l[1]), std::string::npos) << l.ou;
}

} // namespace
