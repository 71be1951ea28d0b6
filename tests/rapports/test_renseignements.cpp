// The details of the job on the reports: client, site and installer under
// the header of every page of the four reports, the notes after the general
// data of the site results, going on over the next pages where they do not
// fit; nothing of it for a study without them.

#include "etude/RecalculEtude.h"
#include "rapports/ExportPdf.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ExemplesDeperditions.h"
#include "LecturePdf.h"

using namespace sorvel;
using namespace sorvel::test;

namespace {

const RenseignementsEtude Dupont{.Client = "M. et Mme Dupont", .Chantier = "12 rue des Lilas\n69003 Lyon",
                                 .Installateur = "Thermo Services", .Coordonnees = "04 78 00 00 00",
                                 .Notes = "Accès par la cour.\n\nClé chez le voisin."};
const QString LigneDupont =
    QStringLiteral("Client : M. et Mme Dupont — Chantier : 12 rue des Lilas, 69003 Lyon — Installateur : Thermo Services");

DonneesRapport Donnees(const RenseignementsEtude& r) {
    const Etude e = exemples::EtudeDeperditions();
    const EtudeRecalculee calcul = RecalculerEtude(e.Pieces, e.Generales, e.Collecteurs);
    return {.NomEtude = "Maison", .Date = QDate(2026, 12, 6), .Generales = e.Generales, .Resultat = calcul.Resultat,
            .Materiel = calcul.Materiel, .Deperditions = CalculerDeperditionsEtude(e.Climat, e.Pieces),
            .Collecteurs = calcul.Collecteurs, .Renseignements = r};
}

// The texts of every page, in the order drawn.
std::vector<QStringList> Textes(const ModImprimer& m) {
    QImage image(m.TaillePage().toSize(), QImage::Format_RGB32);
    std::vector<QStringList> pages;
    for (int page = 1; page <= m.NombrePages(); ++page) {
        QPainter peintre(&image);
        QStringList textes;
        for (const BoiteTexte& b : m.DessinerPage(peintre, page))
            textes << b.Texte;
        pages.push_back(textes);
    }
    return pages;
}

} // namespace

// Client, site (its lines joined) and installer under the header of every
// page, the layout of the pages otherwise the same; only what is given.
TEST(Renseignements, SousLEnteteDeChaquePage) {
    for (Rapport r : {Rapport::Chantier, Rapport::Recapitulatif, Rapport::Deperditions, Rapport::Reglage}) {
        const ModImprimer avec(Donnees(Dupont), r), sans(Donnees({}), r);
        SCOPED_TRACE(avec.Titre().toStdString());
        EXPECT_EQ(avec.NombrePages(), sans.NombrePages()) << "a short note fits below the general data";
        for (const QStringList& page : Textes(avec))
            EXPECT_EQ(page.count(LigneDupont), 1) << page.join(" | ").toStdString();
        for (const QStringList& page : Textes(sans))
            EXPECT_TRUE(page.filter(QStringLiteral("Client")).isEmpty());
    }
    // Only what is given, in the PDF text too.
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("chantier.pdf"));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(*DocumentPdf(Donnees({.Installateur = "Thermo Services", .Notes = Dupont.Notes}), Rapport::Chantier));
    f.close();
    const QStringList p2 = LignesPage(pdf, 2);
    EXPECT_EQ(p2.value(1), QStringLiteral("Installateur : Thermo Services"));
    // The notes close the last page, a blank line kept, before the footer.
    EXPECT_EQ(p2.mid(p2.size() - 4), (QStringList{"Notes", "Accès par la cour.", "Clé chez le voisin.", "Page : 2/2"}));
}

// Notes too long for the page of the general data go on over the next ones,
// every line once and in order, the title on the first.
TEST(Renseignements, NotesLonguesSurLesPagesSuivantes) {
    RenseignementsEtude r;
    QStringList lignes;
    for (int n = 1; n <= 90; ++n)
        lignes << QStringLiteral("Remarque %1 du chantier.").arg(n);
    r.Notes = lignes.join('\n').toStdString();
    const ModImprimer m(Donnees(r), Rapport::Chantier);
    ASSERT_GT(m.NombrePages(), 3);
    QStringList lues;
    const std::vector<QStringList> pages = Textes(m);
    for (std::size_t p = 1; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].contains(QStringLiteral("Données générales")), p == 1);
        EXPECT_EQ(pages[p].contains(QStringLiteral("Notes")), p == 1);
        lues << pages[p].filter(QStringLiteral("Remarque "));
    }
    EXPECT_EQ(lues, lignes);
}
