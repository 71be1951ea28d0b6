// The printed reports for the studies of cas/etudes.txt, the losses report
// for a study with detailed rooms, and the commissioning sheet of a house on
// two or three manifolds: as PDF documents read back with pdftotext, and as
// the text boxes the drawing routines record.

// ModImprimer.h brings the study's calculation and presentation.
#include "etude/RecalculEtude.h"
#include "rapports/ExportPdf.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Exemples.h"
#include "ExemplesDeperditions.h"
#include "LecturePdf.h"
#include "TableCas.h"

#include <cmath>
#include <map>
#include <set>

using namespace sorvel;
using namespace sorvel::test;

namespace {

struct EtudeExemple {
    std::string cas, nom;
    Installation generales;
    std::vector<Piece> pieces;
    std::string noms = "maison"; // or "longs", "capitales"
};

std::vector<EtudeExemple> Etudes() {
    std::vector<EtudeExemple> etudes;
    for (const cas::Ligne& l : cas::Lire("etudes.txt")) {
        EtudeExemple e{l[0], l[1], exemples::Generales(exemples::Support(l[2]), exemples::Tube(l[3])),
                       exemples::EtudeDePieces(l.Entier(4)), l[5]};
        for (int n = 1; l[5] != "maison" && n <= l.Entier(4); ++n)
            e.pieces[static_cast<std::size_t>(n - 1)].NomPiece =
                l[5] == "longs" ? exemples::NomLong(n) : "CHAMBRE-D'AMIS-DU-2E-ETAGE-N" + std::to_string(100 + n).substr(1);
        etudes.push_back(std::move(e));
    }
    return etudes;
}

DonneesRapport Donnees(const EtudeExemple& e) {
    const ResultatEtude r = CalculEtude(e.pieces, e.generales);
    return {.NomEtude = e.nom, .Date = QDate(2026, 12, 6), .Generales = e.generales, .Resultat = r,
            .Materiel = Materiel(r.Table, e.generales)};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Afficher(const QStringList& lignes) { return lignes.join(QLatin1Char('\n')).toStdString(); }

// The report as a PDF file in `dossier`, for poppler's tools to read.
QString Pdf(const QTemporaryDir& dossier, const DonneesRapport& d, Rapport rapport) {
    const std::optional<QByteArray> octets = DocumentPdf(d, rapport);
    QFile f(dossier.filePath(QStringLiteral("rapport.pdf")));
    EXPECT_TRUE(octets && f.open(QIODevice::WriteOnly) && f.write(*octets) == octets->size());
    return f.fileName();
}

// The lines of a page of the report (see LignesPage), after checking its
// header and footer.
QStringList Page(const QString& pdf, int page, int pages, const EtudeExemple& e, const char* titre,
                 const QString& mode = QStringLiteral("-layout")) {
    const QStringList lignes = LignesPage(pdf, page, mode);
    EXPECT_EQ(lignes.value(0), "Sorvel. [" + Q(e.nom) + "] Date : 06/12/2026") << "page " << page;
    EXPECT_EQ(lignes.value(1), QString::fromUtf8(titre)) << "page " << page;
    EXPECT_EQ(lignes.value(lignes.size() - 1), QStringLiteral("Page : %1/%2").arg(page).arg(pages));
    return lignes;
}

// The site results: the rooms fit one page, one line per room with its full
// name in the study's order; then the general data in the order they are
// drawn ("-raw": the sheet's layout would glue a lone "-" to its unit).
void VerifierChantier(const QString& pdf, const EtudeExemple& e, const DonneesRapport& d) {
    // Real text in the Arial metrics, embedded in the file.
    EXPECT_TRUE(Lancer(QStringLiteral("pdffonts"), {pdf}).contains(QString(FamillePolice()).remove(' ') + "-Bold"));
    ASSERT_EQ(PagesPdf(pdf), 2);
    const QStringList p1 = Page(pdf, 1, 2, e, "Résultats chantier");
    const QStringList p2 = Page(pdf, 2, 2, e, "Résultats chantier", QStringLiteral("-raw"));
    for (const std::string& t : {std::string("Pièces VZ normale VZ bordure Lg normale Lg bordure"),
                                 std::string("cm cm m m"), TexteLblRecap(e.generales)})
        EXPECT_TRUE(p1.contains(Q(t))) << t << "\n" << Afficher(p1);
    const std::vector<LigneChantier> pieces = LignesPiecesChantier(d.Resultat);
    ASSERT_EQ(pieces.size(), e.pieces.size());
    qsizetype precedente = -1;
    for (const LigneChantier& ligne : pieces) {
        std::string texte;
        for (const std::string& c : ligne)
            texte += c + ' ';
        const qsizetype n = p1.indexOf(Q(texte).simplified());
        EXPECT_GT(n, precedente) << texte << "\n" << Afficher(p1);
        precedente = n;
    }
    const std::vector<LigneDonneeGenerale> generales = DonneesGeneralesChantier(d.Resultat, d.Generales, d.Materiel);
    ASSERT_EQ(p2.size(), 3 + static_cast<qsizetype>(generales.size()) + 1) << Afficher(p2);
    EXPECT_EQ(p2.at(2), QStringLiteral("Données générales"));
    for (std::size_t n = 0; n < generales.size(); ++n)
        EXPECT_EQ(p2.at(3 + static_cast<qsizetype>(n)),
                  (Q(generales[n].Libelle) + Q(generales[n].Valeur) + Q(generales[n].Unite)).simplified());
}

// The summary: as many pages as the preview announces, each labelling the
// 41 rows with their units; the values of the rooms follow one another from
// page to page.
void VerifierRecapitulatif(const QString& pdf, const EtudeExemple& e, const DonneesRapport& d) {
    const int pages = PagesPdf(pdf);
    EXPECT_EQ(pages, ModImprimer(d, Rapport::Recapitulatif).NombrePages());
    const Recapitulatif recap = PresenterRecapitulatif(d.Resultat, d.Generales);
    std::map<int, QStringList> valeurs, attendues;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lignes = Page(pdf, page, pages, e, "Récapitulatif");
        for (const std::string& texte : {recap.LblRecap, recap.LblPerte, std::string("(*) si boucle indépendante")})
            EXPECT_TRUE(lignes.contains(Q(texte))) << texte;
        for (int k = 2; k <= NombreColonnesEtude; ++k) {
            const QString debut = (QString::fromUtf8(LibellesColonnesEtude[k - 1]) + ' '
                                   + QString::fromUtf8(UnitesColonnesEtude[k - 1])).trimmed();
            const QStringList rangee =
                lignes.filter(QRegularExpression('^' + QRegularExpression::escape(debut) + "( |$)"));
            ASSERT_EQ(rangee.size(), 1) << debut.toStdString() << " page " << page << "\n" << Afficher(lignes);
            valeurs[k] << rangee[0].mid(debut.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
    }
    for (int k = 2; k <= NombreColonnesEtude; ++k) {
        for (int i = 1; i <= recap.NombrePieces(); ++i)
            if (!recap.Case(k, i).Texte.empty())
                attendues[k] << Q(recap.Case(k, i).Texte);
        EXPECT_EQ(valeurs[k], attendues[k]) << LibellesColonnesEtude[k - 1];
    }
}

TEST(RapportsPdf, ResultatsChantierEtRecapitulatif) {
    const QString famille = FamillePolice();
    EXPECT_TRUE(famille == "Arial" || famille == "Liberation Sans") << famille.toStdString();
    QTemporaryDir dossier;
    for (const EtudeExemple& e : Etudes()) {
        SCOPED_TRACE(e.cas);
        const DonneesRapport d = Donnees(e);
        VerifierRecapitulatif(Pdf(dossier, d, Rapport::Recapitulatif), e, d);
        VerifierChantier(Pdf(dossier, d, Rapport::Chantier), e, d);
    }
}

// ---------------------------------------------------------------------------
// Text boxes recorded by the drawing routines.

using Pages = std::vector<std::vector<BoiteTexte>>;

// Every page drawn at `echelle` on an image of the whole sheet at scale 1
// (96 dpi); `dehors` counts the pixels inked beyond the sheet at `echelle`.
Pages Dessiner(const ModImprimer& m, double echelle = 1.0, int* dehors = nullptr) {
    QImage image(1, 1, QImage::Format_RGB32);
    const QSizeF feuille = m.TaillePage() * PixelsParPoint(image, 1.0);
    image = QImage(feuille.toSize(), QImage::Format_RGB32);
    Pages pages;
    for (int page = 1; page <= m.NombrePages(); ++page) {
        image.fill(Qt::white);
        QPainter peintre(&image);
        pages.push_back(m.DessinerPage(peintre, page, echelle));
        peintre.end();
        for (int y = 0; dehors && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                *dehors += image.pixel(x, y) != qRgb(255, 255, 255)
                    && (x >= feuille.width() * echelle || y >= feuille.height() * echelle);
    }
    return pages;
}

// Every box holds a text, lies on the sheet and overlaps no other.
void VerifierBoites(const std::vector<BoiteTexte>& boites, const QSizeF& page) {
    ASSERT_FALSE(boites.empty());
    for (std::size_t i = 0; i < boites.size(); ++i) {
        const BoiteTexte& b = boites[i];
        EXPECT_FALSE(b.Texte.isEmpty());
        EXPECT_TRUE(b.Cadre.width() > 0 && QRectF(QPointF(0, 0), page).contains(b.Cadre)) << b.Texte.toStdString();
        for (std::size_t j = i + 1; j < boites.size(); ++j) {
            const QRectF commun = b.Cadre.intersected(boites[j].Cadre);
            EXPECT_FALSE(commun.width() > 0.01 && commun.height() > 0.01)
                << "« " << b.Texte.toStdString() << " » overlaps « " << boites[j].Texte.toStdString() << " »";
        }
    }
}

const BoiteTexte* Trouver(const std::vector<BoiteTexte>& boites, const QString& texte) {
    const auto b = std::find_if(boites.begin(), boites.end(), [&](const BoiteTexte& x) { return x.Texte == texte; });
    return b == boites.end() ? nullptr : &*b;
}

// The page is laid out on paper: drawn at half scale it has the same boxes,
// and its ink stays within half the sheet.
TEST(Boites, AucuneNeQuitteLaPageNiNeChevaucheUneAutre) {
    std::vector<EtudeExemple> etudes = Etudes();
    // A study name longer than the header's room gives way to the date.
    etudes.push_back({"nom d'étude très long", std::string(150, 'N'), exemples::Generales(), exemples::EtudeDePieces(3)});
    for (const EtudeExemple& e : etudes)
        for (Rapport r : {Rapport::Chantier, Rapport::Recapitulatif}) {
            SCOPED_TRACE(e.cas + (r == Rapport::Chantier ? " chantier" : " récapitulatif"));
            const ModImprimer m(Donnees(e), r);
            int dehors = 0;
            const Pages pages = Dessiner(m), demi = Dessiner(m, 0.5, &dehors);
            ASSERT_EQ(static_cast<int>(pages.size()), m.NombrePages());
            EXPECT_EQ(dehors, 0);
            for (std::size_t p = 0; p < pages.size(); ++p) {
                VerifierBoites(pages[p], m.TaillePage());
                EXPECT_TRUE(Trouver(pages[p], QStringLiteral("Page : %1/%2").arg(p + 1).arg(pages.size())));
                EXPECT_TRUE(Trouver(pages[p], QStringLiteral("Date : 06/12/2026")));
                EXPECT_TRUE(demi[p] == pages[p]);
            }
        }
}

// Whether `dessine` is `nom`, or its beginning followed by "…".
bool NomOuDebut(const QString& dessine, const QString& nom) {
    return dessine == nom || (dessine.endsWith(QChar(0x2026)) && nom.startsWith(dessine.chopped(1)));
}

// On an A5 sheet the rooms table goes on over the next pages, every room in
// turn, the general data come last; the names give way to the figures.
TEST(Boites, TableauDesPiecesContinueSurLaPageSuivante) {
    const EtudeExemple e = Etudes()[2]; // 30 rooms
    const QSizeF a5 = QPageSize(QPageSize::A5).size(QPageSize::Point);
    const Pages pages = Dessiner(ModImprimer(Donnees(e), Rapport::Chantier, a5));
    ASSERT_GT(pages.size(), 2u);
    std::size_t suivante = 0; // the next room to find
    for (std::size_t p = 0; p < pages.size(); ++p) {
        VerifierBoites(pages[p], a5);
        const bool derniere = p + 1 == pages.size();
        EXPECT_EQ(Trouver(pages[p], QStringLiteral("Données générales")) != nullptr, derniere);
        EXPECT_EQ(Trouver(pages[p], QStringLiteral("Pièces")) != nullptr, !derniere);
        for (const BoiteTexte& b : pages[p])
            if (!derniere && suivante < e.pieces.size() && NomOuDebut(b.Texte, Q(e.pieces[suivante].NomPiece)))
                ++suivante;
    }
    EXPECT_EQ(suivante, e.pieces.size());
}

// Room names of 30 characters in a summary column: over up to three lines,
// cut between words (inside a word wider than the column), the last line
// shortened with "…" when the name still does not fit; never into the next
// column. (The site report's wide first column holds them in full: see
// VerifierChantier.)
TEST(Boites, NomsLongsDansLeRecapitulatif) {
    for (const EtudeExemple& e : Etudes()) {
        if (e.noms == "maison")
            continue;
        SCOPED_TRACE(e.cas);
        const ModImprimer m(Donnees(e), Rapport::Recapitulatif);
        std::vector<QString> noms; // by column, every page in turn
        for (const std::vector<BoiteTexte>& page : Dessiner(m)) {
            const BoiteTexte* piece = Trouver(page, QStringLiteral("Pièce"));
            const BoiteTexte* premiere = Trouver(page, QStringLiteral("Température de la pièce"));
            ASSERT_TRUE(piece && premiere);
            // The heading row is centred on "Pièce" and ends where the first row begins.
            const double haut = 2 * piece->Cadre.center().y() - premiere->Cadre.top();
            std::map<double, QStringList> colonnes; // by the centre of the column
            for (const BoiteTexte& b : page)
                if (b.Cadre.left() > piece->Cadre.right() && b.Cadre.top() >= haut - 0.01
                    && b.Cadre.bottom() <= premiere->Cadre.top())
                    colonnes[std::round(b.Cadre.center().x())] << b.Texte;
            for (const auto& [x, lignes] : colonnes) {
                EXPECT_LE(lignes.size(), 3);
                noms.push_back(lignes.join(QString()).remove(' '));
            }
        }
        ASSERT_EQ(noms.size(), e.pieces.size());
        for (std::size_t i = 0; i < noms.size(); ++i) {
            ASSERT_EQ(Q(e.pieces[i].NomPiece).size(), 30);
            // Lines cut between words lose their space: compared without spaces.
            EXPECT_TRUE(NomOuDebut(noms[i], Q(e.pieces[i].NomPiece).remove(' '))) << noms[i].toStdString();
            EXPECT_TRUE(e.noms == "longs" || noms[i].endsWith(QChar(0x2026))) << noms[i].toStdString();
        }
    }
}

// ---------------------------------------------------------------------------
// The losses report.

DonneesRapport DonneesDeperditions(const Etude& e) {
    return {.NomEtude = "Maison", .Date = QDate(2026, 12, 6), .Generales = e.Generales,
            .Deperditions = CalculerDeperditionsEtude(e.Climat, e.Pieces)};
}

QString Texte(const LigneDonneeGenerale& l) { return Q(l.Libelle + l.Valeur + l.Unite).simplified(); }

// The texts `suite` one after the other in the page's `texte`, and the
// texts `ailleurs` anywhere in it (lines drawn two by two). Compared without
// spaces: the sheet's layout spaces its columns and glues a lone "0" to its
// unit.
void VerifierTexte(const QString& texte, const std::vector<QString>& suite, const std::vector<QString>& ailleurs) {
    const auto serre = [](QString t) { return t.remove(' '); };
    qsizetype suivant = 0;
    for (const QString& t : suite) {
        const qsizetype n = serre(texte).indexOf(serre(t), suivant);
        EXPECT_GE(n, 0) << t.toStdString() << "\n" << texte.toStdString();
        suivant = n < 0 ? suivant : n + 1;
    }
    for (const QString& t : ailleurs)
        EXPECT_TRUE(serre(texte).contains(serre(t))) << t.toStdString() << "\n" << texte.toStdString();
}

// The climate, then each detailed room in turn (its title and figures, its
// elements' rows, its balance), then the study's totals naming the rooms
// without details: the text of the page, in reading order.
TEST(RapportsPdf, Deperditions) {
    const Etude e = exemples::EtudeDeperditions();
    const DonneesRapport d = DonneesDeperditions(e);
    QTemporaryDir dossier;
    const QString pdf = Pdf(dossier, d, Rapport::Deperditions);
    ASSERT_EQ(PagesPdf(pdf), 1);
    const QString texte = Page(pdf, 1, 1, {"déperditions", "Maison"}, "Déperditions").join(' ');
    std::vector<QString> suite{QStringLiteral("Climat du site")}, ailleurs;
    for (const LigneDonneeGenerale& l : LignesClimat(*e.Climat))
        ailleurs.push_back(Texte(l)); // two by two
    for (const DeperditionsPieceCalculees& p : d.Deperditions.Pieces) {
        suite.push_back(QStringLiteral("Pièce %1 : %2 %3").arg(p.Piece).arg(Q(p.NomPiece), Q(InfoPiece(p))));
        for (const LigneElement& ligne : LignesElements(p)) {
            QString cellules;
            for (const std::string& c : ligne)
                cellules += Q(c) + ' ';
            suite.push_back(cellules.simplified());
        }
        for (const LigneDonneeGenerale& l : BilanPiece(p))
            ailleurs.push_back(Texte(l));
    }
    suite.push_back(QStringLiteral("Total de l'étude"));
    for (const LigneDonneeGenerale& l : BilanEtude(d.Deperditions))
        suite.push_back(Texte(l));
    VerifierTexte(texte, suite, ailleurs);
    // What the rows hold, as worked out by hand.
    for (const char* t : {"Cloison salle de bains Mur Local chauffé 6 1,8 24 -1,44 -43,2", "Total : 1000,62 W",
                          "Champ « Déperditions de la pièce » : 686 W",
                          "Saisie manuelle, valeurs retenues : 900 W et 150 W",
                          "Pièces sans détail (déperditions saisies) : Cuisine"})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(t))) << t << "\n" << texte.toStdString();
}

// A room too long for a page goes on over the next ones, its title marked
// "(suite)" and the headings repeated, every element once and in order; a
// room that fits a page is never cut. Every box lies on the sheet, overlaps
// no other, and is the same at half scale.
TEST(Boites, DeperditionsSurPlusieursPages) {
    Etude e = exemples::EtudeDeperditions();
    std::vector<ElementParoi>& elements = e.Pieces[0].Deperditions->Elements;
    for (int n = 1; elements.size() < 70; ++n)
        elements.push_back({"Fenêtre " + std::to_string(n), NatureElement::Fenetre, 1.5, 1.4});
    const ModImprimer m(DonneesDeperditions(e), Rapport::Deperditions);
    const Pages pages = Dessiner(m), demi = Dessiner(m, 0.5);
    ASSERT_GE(pages.size(), 2u);
    std::vector<QString> designations; // every page in turn
    std::set<std::size_t> pagesChambre;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        VerifierBoites(pages[p], m.TaillePage());
        EXPECT_TRUE(demi[p] == pages[p]);
        // The designations: the boxes below the heading, in its column.
        const BoiteTexte* colonne = Trouver(pages[p], QStringLiteral("Désignation"));
        const std::size_t premiere = designations.size();
        for (const BoiteTexte& b : pages[p]) {
            if (colonne && &b != colonne && b.Cadre.left() == colonne->Cadre.left())
                designations.push_back(b.Texte);
            if (b.Texte.startsWith(QStringLiteral("Pièce 3 : Chambre")) || b.Texte == QStringLiteral("Mur ouest"))
                pagesChambre.insert(p);
        }
        // A page that goes on with the living room's rows says so.
        const bool suite = Trouver(pages[p], QStringLiteral("Pièce 1 : Séjour (suite)"));
        EXPECT_TRUE(!suite || p > 0);
        if (p > 0 && designations.size() > premiere && premiere < elements.size()) {
            EXPECT_TRUE(suite) << "page " << p + 1;
        }
    }
    std::vector<QString> attendues;
    for (const Piece& piece : e.Pieces)
        if (piece.Deperditions)
            for (const ElementParoi& el : piece.Deperditions->Elements)
                attendues.push_back(Q(el.Designation));
    EXPECT_EQ(designations, attendues);
    EXPECT_EQ(pagesChambre.size(), 1u);
}

// ---------------------------------------------------------------------------
// The commissioning sheet: the 12-room house has 14 loops (the bathroom and
// the veranda have an edge loop of their own).

// The house's manifolds: filled in room order on manifolds of 12 outlets,
// or laid by hand, one manifold a floor, the upstairs one short of an
// outlet, and an empty one.
struct CasFiche {
    const char* cas;
    std::vector<Collecteur> collecteurs;
    std::vector<int> affectation; // the manifold of each room, from 1; empty: filled in room order
    std::vector<const char*> textes; // worked out by hand
};

const CasFiche CasFiches[] = {
    {"rempli dans l'ordre", {}, {},
     {"Collecteur 1 12 départs sur 12 sorties", "Collecteur 2 2 départs sur 12 sorties",
      // 500.52 l/h = 8.34 l/min, beyond a flow meter's 5 l/min.
      "1 Séjour normale 133,8 500,52 8,34 ouverte débit > 5 l/min",
      "Débit hors de l'échelle d'un débitmètre ordinaire (0,5 à 5 l/min) : sortie 1.",
      // 92.52 l/h = 1.54 l/min; both loops of manifold 2 drop 60.63 mmCE.
      "2 Buanderie normale 25 92,52 1,54 ouverte",
      // 185.05 l/h with 6363.01 - 60.63 = 6302.38 mmCE = 0.61805 bar:
      // 0.18505 / √0.61805 = 0.2354 m³/h.
      "Kv de la vanne du collecteur : 0,24 m³/h"}},
    {"un collecteur par étage", {{"Rez-de-chaussée", 8, 120}, {"Étage", 6, 0}, {"Garage", 4, 0}},
     {1, 1, 1, 2, 2, 2, 2, 2, 1, 1, 2, 1},
     {"Rez-de-chaussée 7 départs sur 8 sorties", "Étage 7 départs sur 6 sorties",
      "Plus de boucles que de sorties : 7 boucles pour 6 sorties, 1 boucle sans sortie.",
      // Upstairs the parents' bedroom drops the most, 1349.6 mmCE; the
      // passage's 92.52 l/h with 1349.6 - 60.63 = 1288.97 mmCE = 0.12640
      // bar: 0.09252 / √0.12640 = 0.2602 m³/h.
      "3 Chambre parents normale 101,08 245,33 4,09 ouverte", "7 Dégagement normale 25 92,52 1,54 0,26 sans sortie",
      "Garage 0 départ sur 4 sorties", "Collecteur vide : aucune boucle n'y est raccordée.",
      // The ground floor needs 6363.01 + 120 = 6483.01 mmCE, the most.
      "Hauteur nécessaire : 6483,01 mmCE", "Perte de charge du collecteur : 120 mmCE",
      // Upstairs: 903.35 l/h with 6483.01 - 1349.6 = 5133.41 mmCE = 0.50342
      // bar: 0.90335 / √0.50342 = 1.2732 m³/h.
      "Kv de la vanne du collecteur : 1,27 m³/h"}},
};

DonneesRapport DonneesFiche(const CasFiche& c) {
    const Installation g = exemples::Generales();
    std::vector<Piece> pieces = exemples::Maison12Pieces();
    for (std::size_t i = 0; i < c.affectation.size(); ++i)
        pieces[i].Collecteur = c.affectation[i];
    const EtudeRecalculee r = RecalculerEtude(pieces, g, c.collecteurs);
    return {.NomEtude = "Maison", .Date = QDate(2026, 12, 6), .Generales = g, .Resultat = r.Resultat,
            .Collecteurs = r.Collecteurs};
}

// Each manifold in turn: its title with the outlets it uses, its figures,
// its warnings, then its rows by outlet; the texts worked out by hand.
TEST(RapportsPdf, FicheDeReglage) {
    QTemporaryDir dossier;
    for (const CasFiche& c : CasFiches) {
        SCOPED_TRACE(c.cas);
        const DonneesRapport d = DonneesFiche(c);
        const QString pdf = Pdf(dossier, d, Rapport::Reglage);
        ASSERT_EQ(PagesPdf(pdf), 1);
        const QString texte = Page(pdf, 1, 1, {"fiche", "Maison"}, "Fiche de réglage").join(' ');
        std::vector<QString> suite{Q(TexteLblRecap(d.Generales))}, ailleurs;
        for (const FiguresCollecteur& f : d.Collecteurs) {
            suite.push_back(Q(f.Definition.Nom + " " + InfoCollecteur(f)));
            for (const LigneDonneeGenerale& l : FiguresReglage(f))
                ailleurs.push_back(Texte(l)); // two by two
            for (const std::string& alerte : AlertesReglage(f))
                suite.push_back(Q(alerte));
            for (const LigneReglage& ligne : LignesReglage(f)) {
                QString cellules;
                for (const std::string& cellule : ligne)
                    cellules += Q(cellule) + ' ';
                suite.push_back(cellules.simplified());
            }
        }
        for (const char* t : c.textes)
            ailleurs.push_back(QString::fromUtf8(t));
        VerifierTexte(texte, suite, ailleurs);
    }
}

// On smaller sheets the manifolds go on over the next pages: a manifold that
// fits a page is never cut, one that does not goes on with its title marked
// "(suite)" and its headings; every outlet is drawn once, in order, below
// its manifold's title on the same page. Every box lies on the sheet,
// overlaps no other, and is the same at half scale.
TEST(Boites, FicheDeReglageSurPlusieursPages) {
    const DonneesRapport d = DonneesFiche(CasFiches[0]);
    // A4, US Letter, A5 across: the first manifold's 12 rows do not fit the
    // last one.
    const QSizeF a5 = QPageSize(QPageSize::A5).size(QPageSize::Point);
    const std::pair<QSizeF, bool> cas[] = {
        {TailleA4(), false}, {QPageSize(QPageSize::Letter).size(QPageSize::Point), false}, {a5.transposed(), true}};
    for (const auto& [papier, coupe] : cas) {
        SCOPED_TRACE(papier.width());
        const ModImprimer m(d, Rapport::Reglage, papier);
        const Pages pages = Dessiner(m);
        EXPECT_TRUE(Dessiner(m, 0.5) == pages);
        std::vector<QString> pieces, attendues;
        std::map<QString, int> pagesCollecteur; // the pages each manifold's title is on
        for (std::size_t p = 0; p < pages.size(); ++p) {
            VerifierBoites(pages[p], papier);
            const BoiteTexte* colonne = Trouver(pages[p], QStringLiteral("Pièce"));
            QString titre; // the manifold whose rows the page shows now
            for (const BoiteTexte& b : pages[p]) {
                for (const FiguresCollecteur& f : d.Collecteurs)
                    if (const QString nom = Q(f.Definition.Nom); b.Texte == nom || b.Texte == nom + " (suite)") {
                        EXPECT_EQ(b.Texte == nom, pagesCollecteur[nom]++ == 0) << b.Texte.toStdString();
                        titre = nom;
                    }
                if (colonne && b.Texte != colonne->Texte && b.Cadre.left() == colonne->Cadre.left()) {
                    EXPECT_FALSE(titre.isEmpty()) << "page " << p + 1;
                    pieces.push_back(b.Texte);
                }
            }
        }
        for (const FiguresCollecteur& f : d.Collecteurs)
            for (const BoucleCollecteur& b : f.Boucles)
                attendues.push_back(Q(b.Boucle.NomPiece));
        EXPECT_EQ(pieces, attendues);
        EXPECT_EQ(pages.size() == 1, !coupe);
        EXPECT_EQ(pagesCollecteur[QStringLiteral("Collecteur 1")] > 1, coupe);
        EXPECT_EQ(pagesCollecteur[QStringLiteral("Collecteur 2")], 1);
    }
}

// The living room laid as three equal loops takes three outlets, each row
// saying which loop it is; the rows fit the sheet with their longer text.
TEST(Boites, FicheDeReglageBouclesEgales) {
    std::vector<Piece> pieces = exemples::Maison12Pieces();
    pieces[0].Boucles = 3;
    const Installation g = exemples::Generales();
    const EtudeRecalculee r = RecalculerEtude(pieces, g, {});
    const std::vector<LigneReglage> lignes = LignesReglage(r.Collecteurs.at(0));
    ASSERT_GE(lignes.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(lignes[i][2], i < 3 ? "normale (" + std::to_string(i + 1) + " sur 3)" : "normale") << i;
    const DonneesRapport d{.NomEtude = "Maison", .Date = QDate(2026, 12, 6), .Generales = g,
                           .Resultat = r.Resultat, .Collecteurs = r.Collecteurs};
    const ModImprimer m(d, Rapport::Reglage, TailleA4());
    for (const auto& page : Dessiner(m))
        VerifierBoites(page, m.TaillePage());
}

} // namespace
