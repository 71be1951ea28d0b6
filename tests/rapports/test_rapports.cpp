// Both printed reports rendered for studies of 1, 12 and 30 rooms and for
// rooms with 30-character names: as PDF files read back with pdftotext, and
// as the text boxes the drawing routines record.

#include "etude/CalculEtude.h"
#include "etude/Materiel.h"
#include "etude/PresentationChantier.h"
#include "etude/PresentationRecapitulatif.h"
#include "rapports/ExportPdf.h"
#include "rapports/ModImprimer.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Exemples.h"
#include "LecturePdf.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace sorvel;
using namespace sorvel::test;

namespace {

struct EtudeExemple {
    const char* cas;
    std::string nom;
    DonneesGenerales generales;
    std::vector<DonneesPiece> pieces;
};

std::vector<DonneesPiece> PiecesAuxNomsLongs() {
    std::vector<DonneesPiece> pieces = exemples::EtudeDePieces(12);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i].NomPiece = exemples::NomLong(static_cast<int>(i) + 1);
    return pieces;
}

std::vector<EtudeExemple> Etudes() {
    return {
        {"1 pièce", "Studio", exemples::Generales(0, 1), exemples::EtudeDePieces(1)},
        {"12 pièces", "Maison 12 pièces", exemples::Generales(0, 0), exemples::EtudeDePieces(12)},
        {"30 pièces", "Résidence des Tilleuls", exemples::Generales(1, 1), exemples::EtudeDePieces(30)},
        {"noms de 30 caractères", "Maison aux noms longs", exemples::Generales(0, 1), PiecesAuxNomsLongs()},
    };
}

DonneesRapport Donnees(const EtudeExemple& e) {
    DonneesRapport d;
    d.NomEtude = e.nom;
    d.Date = QDate(2026, 12, 6);
    d.Generales = e.generales;
    d.Resultat = CalculEtude(e.pieces, e.generales);
    d.Materiel = Materiel(d.Resultat.Table, e.generales);
    return d;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Afficher(const QStringList& lignes) { return lignes.join(QLatin1Char('\n')).toStdString(); }

class RapportsPdf : public ::testing::Test {
protected:
    QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
    QTemporaryDir dossier_;
};

// Header and footer of every page.
void VerifierCadre(const QStringList& lignes, const EtudeExemple& e, int page, int pages, const char* titre) {
    ASSERT_GE(lignes.size(), 3) << "page " << page;
    EXPECT_EQ(lignes.first(), "Sorvel. [" + Q(e.nom) + "] Date : 06/12/2026") << "page " << page;
    EXPECT_EQ(lignes.last(), QStringLiteral("Page : %1/%2").arg(page).arg(pages));
    EXPECT_EQ(lignes.at(1), QString::fromUtf8(titre)) << "page " << page;
}

TEST_F(RapportsPdf, ResultatsChantier) {
    for (const EtudeExemple& e : Etudes()) {
        SCOPED_TRACE(e.cas);
        const DonneesRapport d = Donnees(e);
        const QString pdf = Chemin(QStringLiteral("chantier.pdf"));
        QString erreur;
        ASSERT_TRUE(EcrirePdf(d, Rapport::Chantier, pdf, &erreur)) << erreur.toStdString();
        // The rooms fit one page: the rooms table, then the general data.
        ASSERT_EQ(PagesPdf(pdf), 2);
        // The general data in the order they are drawn: a label, then its
        // value and unit (the sheet's layout would glue a lone "-" to its unit).
        const QStringList p1 = LignesPage(pdf, 1), p2 = LignesPage(pdf, 2, QStringLiteral("-raw"));
        VerifierCadre(p1, e, 1, 2, "Résultats chantier");
        VerifierCadre(p2, e, 2, 2, "Résultats chantier");

        EXPECT_TRUE(p1.contains(QStringLiteral("Pièces VZ normale VZ bordure Lg normale Lg bordure"))) << Afficher(p1);
        EXPECT_TRUE(p1.contains(QStringLiteral("cm cm m m"))) << Afficher(p1);
        EXPECT_TRUE(p1.contains(Q(TexteLblRecap(e.generales)))) << Afficher(p1);
        // One line per room, with its full name, in the study's order.
        const std::vector<LigneChantier> lignes = LignesPiecesChantier(d.Resultat.Table);
        ASSERT_EQ(lignes.size(), e.pieces.size());
        int precedente = -1;
        for (std::size_t i = 0; i < lignes.size(); ++i) {
            EXPECT_EQ(lignes[i][0], e.pieces[i].NomPiece);
            QStringList cellules;
            for (const std::string& c : lignes[i])
                if (!c.empty())
                    cellules << Q(c);
            const int ligne = static_cast<int>(p1.indexOf(cellules.join(QLatin1Char(' '))));
            EXPECT_GT(ligne, precedente) << cellules.join(QLatin1Char(' ')).toStdString() << "\n" << Afficher(p1);
            precedente = ligne;
        }

        // Every line of the general data with its value and unit.
        EXPECT_EQ(p2.at(2), QStringLiteral("Données générales"));
        const std::vector<LigneDonneeGenerale> generales = DonneesGeneralesChantier(d.Resultat, d.Generales, d.Materiel);
        ASSERT_EQ(generales.size(), 16u);
        ASSERT_EQ(p2.size(), 3 + 16 + 1) << Afficher(p2);
        for (std::size_t n = 0; n < generales.size(); ++n) {
            const QString attendue = (Q(generales[n].Libelle) + Q(generales[n].Valeur) + Q(generales[n].Unite)).simplified();
            EXPECT_EQ(p2.at(3 + static_cast<int>(n)), attendue);
        }
    }
}

TEST_F(RapportsPdf, Recapitulatif) {
    for (const EtudeExemple& e : Etudes()) {
        SCOPED_TRACE(e.cas);
        const DonneesRapport d = Donnees(e);
        const QString pdf = Chemin(QStringLiteral("recapitulatif.pdf"));
        ASSERT_TRUE(EcrirePdf(d, Rapport::Recapitulatif, pdf));
        const int pages = PagesPdf(pdf);
        const int n = static_cast<int>(e.pieces.size());
        // The preview announces the same count as the paper.
        EXPECT_EQ(pages, ModImprimer(d, Rapport::Recapitulatif).NombrePages());
        // An A4 sheet holds three rooms side by side at least.
        EXPECT_GE(pages, 1);
        EXPECT_LE(pages, (n + 2) / 3);
        if (n == 1) {
            EXPECT_EQ(pages, 1);
        }

        // Every page labels the 41 rows with their units; the values of
        // the rooms follow one another from page to page.
        const Recapitulatif recap = PresenterRecapitulatif(d.Resultat, d.Generales);
        std::map<int, QStringList> valeurs;
        for (int page = 1; page <= pages; ++page) {
            SCOPED_TRACE(page);
            const QStringList lignes = LignesPage(pdf, page);
            VerifierCadre(lignes, e, page, pages, "Récapitulatif");
            EXPECT_TRUE(lignes.contains(Q(recap.LblRecap)));
            EXPECT_TRUE(lignes.contains(Q(recap.LblPerte)));
            EXPECT_TRUE(lignes.contains(QStringLiteral("(*) si boucle indépendante")));
            for (int k = 2; k <= NombreColonnesEtude; ++k) {
                QString debut = QString::fromUtf8(LibellesColonnesEtude[k - 1]);
                if (*UnitesColonnesEtude[k - 1])
                    debut += ' ' + QString::fromUtf8(UnitesColonnesEtude[k - 1]);
                int trouvees = 0;
                for (const QString& l : lignes)
                    if (l == debut || l.startsWith(debut + ' ')) {
                        ++trouvees;
                        valeurs[k] << l.mid(debut.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
                    }
                EXPECT_EQ(trouvees, 1) << debut.toStdString() << "\n" << Afficher(lignes);
            }
        }
        for (int k = 2; k <= NombreColonnesEtude; ++k) {
            QStringList attendues;
            for (int i = 1; i <= n; ++i)
                if (!recap.Case(k, i).Texte.empty())
                    attendues << Q(recap.Case(k, i).Texte);
            EXPECT_EQ(valeurs[k], attendues) << LibellesColonnesEtude[k - 1];
        }
    }
}

// The text is real text in the Arial metrics, embedded in the file.
TEST_F(RapportsPdf, Police) {
    const QString famille = FamillePolice();
    EXPECT_TRUE(famille == "Arial" || famille == "Liberation Sans") << famille.toStdString();
    const QString pdf = Chemin(QStringLiteral("police.pdf"));
    ASSERT_TRUE(EcrirePdf(Donnees(Etudes()[0]), Rapport::Chantier, pdf));
    const QString polices = Lancer(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(polices.contains(QString(famille).remove(' '))) << polices.toStdString();
    EXPECT_TRUE(polices.contains(QString(famille).remove(' ') + "-Bold")) << polices.toStdString();
}

// A file that cannot be written: a message, false, and nothing left behind.
TEST_F(RapportsPdf, FichierImpossibleAEcrire) {
    const DonneesRapport d = Donnees(Etudes()[0]);
    for (const QString& chemin : {Chemin(QStringLiteral("absent/rapport.pdf")), dossier_.path()}) {
        SCOPED_TRACE(chemin.toStdString());
        QString erreur;
        EXPECT_FALSE(EcrirePdf(d, Rapport::Recapitulatif, chemin, &erreur));
        EXPECT_TRUE(erreur.contains(QStringLiteral("ne peut pas être écrit"))) << erreur.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("absent/rapport.pdf"))));
    EXPECT_TRUE(QDir(dossier_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(Rapports, DateFrancaise) {
    EXPECT_EQ(DateFrancaise(QDate(2026, 12, 6)), "06/12/2026");
    EXPECT_EQ(DateFrancaise(QDate(2027, 1, 31)), "31/01/2027");
    EXPECT_EQ(DateFrancaise(QDate()), "");
}

// ---------------------------------------------------------------------------
// Text boxes recorded by the drawing routines.

using Pages = std::vector<std::vector<BoiteTexte>>;

// Every page drawn on an image at `echelle`.
Pages Dessiner(const ModImprimer& m, double echelle = 1.0) {
    QImage image(1, 1, QImage::Format_RGB32);
    const double pixels = PixelsParPoint(image, echelle);
    image = QImage((m.TaillePage() * pixels).toSize(), QImage::Format_RGB32);
    Pages pages;
    for (int page = 1; page <= m.NombrePages(); ++page) {
        image.fill(Qt::white);
        QPainter peintre(&image);
        pages.push_back(m.DessinerPage(peintre, page, echelle));
    }
    return pages;
}

void VerifierBoites(const std::vector<BoiteTexte>& boites, const QSizeF& page) {
    ASSERT_FALSE(boites.empty());
    const QRectF feuille(QPointF(0, 0), page);
    for (const BoiteTexte& b : boites) {
        EXPECT_FALSE(b.Texte.isEmpty());
        EXPECT_GT(b.Cadre.width(), 0) << b.Texte.toStdString();
        EXPECT_TRUE(feuille.contains(b.Cadre)) << b.Texte.toStdString() << " leaves the page";
    }
    for (std::size_t i = 0; i < boites.size(); ++i)
        for (std::size_t j = i + 1; j < boites.size(); ++j) {
            const QRectF commun = boites[i].Cadre.intersected(boites[j].Cadre);
            EXPECT_FALSE(commun.width() > 0.01 && commun.height() > 0.01)
                << "« " << boites[i].Texte.toStdString() << " » overlaps « " << boites[j].Texte.toStdString() << " »";
        }
}

const BoiteTexte* Trouver(const std::vector<BoiteTexte>& boites, const QString& texte) {
    for (const BoiteTexte& b : boites)
        if (b.Texte == texte)
            return &b;
    return nullptr;
}

TEST(Boites, AucuneNeQuitteLaPageNiNeChevaucheUneAutre) {
    std::vector<EtudeExemple> etudes = Etudes();
    // A study name longer than the header's room gives way to the date.
    etudes.push_back({"nom d'étude très long", std::string(150, 'N'), exemples::Generales(0, 0),
                      exemples::EtudeDePieces(3)});
    for (const EtudeExemple& e : etudes)
        for (Rapport r : {Rapport::Chantier, Rapport::Recapitulatif}) {
            SCOPED_TRACE(std::string(e.cas) + (r == Rapport::Chantier ? " chantier" : " récapitulatif"));
            const ModImprimer m(Donnees(e), r);
            const Pages pages = Dessiner(m);
            ASSERT_EQ(static_cast<int>(pages.size()), m.NombrePages());
            for (std::size_t p = 0; p < pages.size(); ++p) {
                SCOPED_TRACE("page " + std::to_string(p + 1));
                VerifierBoites(pages[p], m.TaillePage());
                EXPECT_NE(Trouver(pages[p], "Page : " + QString::number(p + 1) + "/"
                                                + QString::number(m.NombrePages())),
                          nullptr);
                EXPECT_NE(Trouver(pages[p], QStringLiteral("Date : 06/12/2026")), nullptr);
            }
        }
}

// The page is laid out on paper: drawn at half scale, it has the same boxes
// and stays within half the sheet.
TEST(Boites, MemeMiseEnPageAToutesLesEchelles) {
    const ModImprimer m(Donnees(Etudes()[1]), Rapport::Recapitulatif);
    for (int page = 1; page <= m.NombrePages(); ++page) {
        SCOPED_TRACE(page);
        // 1 point = 1/72 inch: at 96 dpi and half scale, 2/3 of a pixel.
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        ASSERT_EQ(image.logicalDpiY(), 96);
        const QSize demiPage = (m.TaillePage() * (0.5 * 96 / 72)).toSize();
        image = image.scaled(demiPage * 2);
        image.fill(Qt::white);
        std::vector<BoiteTexte> demi;
        {
            QPainter peintre(&image);
            demi = m.DessinerPage(peintre, page, 0.5);
        }
        const std::vector<BoiteTexte> plein = Dessiner(m).at(static_cast<std::size_t>(page - 1));
        ASSERT_EQ(demi.size(), plein.size());
        for (std::size_t i = 0; i < demi.size(); ++i) {
            EXPECT_EQ(demi[i].Texte, plein[i].Texte);
            EXPECT_EQ(demi[i].Cadre, plein[i].Cadre);
        }
        int encreDedans = 0, encreDehors = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ++(x < demiPage.width() && y < demiPage.height() ? encreDedans : encreDehors);
        EXPECT_GT(encreDedans, 1000);
        EXPECT_EQ(encreDehors, 0);
    }
}

// Whether `dessine` is `nom`, or its beginning followed by "…".
bool NomOuDebut(const QString& dessine, const QString& nom) {
    return dessine == nom || (dessine.endsWith(QChar(0x2026)) && nom.startsWith(dessine.chopped(1)));
}

// On a smaller sheet the rooms table goes on over the next page, the page
// count follows and the general data come last; the names give way to the
// figures.
TEST(Boites, TableauDesPiecesContinueSurLaPageSuivante) {
    const EtudeExemple e = Etudes()[2]; // 30 rooms
    const QSizeF a5 = QPageSize(QPageSize::A5).size(QPageSize::Point);
    const ModImprimer m(Donnees(e), Rapport::Chantier, a5);
    ASSERT_GT(m.NombrePages(), 2);
    const Pages pages = Dessiner(m);
    QStringList noms;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        VerifierBoites(pages[p], a5);
        const bool derniere = p + 1 == pages.size();
        EXPECT_EQ(Trouver(pages[p], QStringLiteral("Données générales")) != nullptr, derniere);
        EXPECT_EQ(Trouver(pages[p], QStringLiteral("VZ normale")) != nullptr, !derniere);
        if (derniere)
            continue;
        // The names are the texts of the first column under its title.
        const BoiteTexte* titre = Trouver(pages[p], QStringLiteral("Pièces"));
        ASSERT_NE(titre, nullptr);
        const BoiteTexte* pied = Trouver(pages[p], QStringLiteral("Page : %1/%2").arg(p + 1).arg(pages.size()));
        ASSERT_NE(pied, nullptr);
        for (const BoiteTexte& b : pages[p])
            if (b.Cadre.left() == titre->Cadre.left() && b.Cadre.top() > titre->Cadre.bottom()
                && b.Cadre.bottom() < pied->Cadre.top())
                noms << b.Texte;
    }
    ASSERT_EQ(noms.size(), static_cast<qsizetype>(e.pieces.size())) << noms.join(", ").toStdString();
    for (std::size_t i = 0; i < e.pieces.size(); ++i)
        EXPECT_TRUE(NomOuDebut(noms[static_cast<qsizetype>(i)], Q(e.pieces[i].NomPiece)))
            << noms[static_cast<qsizetype>(i)].toStdString();
}

// Room names in a summary column: over up to three lines, cut between
// words (inside a word wider than the column), the last line shortened with
// "…" when the name still does not fit; never into the next column.
TEST(Boites, NomsLongsDansLeRecapitulatif) {
    const struct {
        const char* cas;
        std::function<std::string(int)> nom;
        bool raccourcis; // every name must be shortened
    } cas[] = {
        {"30 caractères en mots", [](int i) { return exemples::NomLong(i); }, false},
        {"30 capitales sans espace", [](int i) {
             char n[8];
             std::snprintf(n, sizeof n, "%02d", i);
             return "CHAMBRE-D'AMIS-DU-2E-ETAGE-N" + std::string(n);
         }, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        EtudeExemple e{c.cas, "Noms", exemples::Generales(0, 1), exemples::EtudeDePieces(9)};
        for (std::size_t i = 0; i < e.pieces.size(); ++i) {
            e.pieces[i].NomPiece = c.nom(static_cast<int>(i) + 1);
            ASSERT_EQ(Q(e.pieces[i].NomPiece).size(), 30);
        }
        const ModImprimer m(Donnees(e), Rapport::Recapitulatif);
        const Pages pages = Dessiner(m);
        std::vector<QString> noms; // by column, every page in turn
        for (const std::vector<BoiteTexte>& page : pages) {
            VerifierBoites(page, m.TaillePage());
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
            // Lines cut between words lose their space: compare without spaces.
            const QString complet = Q(e.pieces[i].NomPiece).remove(' ');
            EXPECT_TRUE(NomOuDebut(noms[i], complet)) << noms[i].toStdString();
            if (c.raccourcis) {
                EXPECT_TRUE(noms[i].endsWith(QChar(0x2026))) << noms[i].toStdString();
            }
        }
        // The site report's wide first column holds them in full.
        const Pages chantier = Dessiner(ModImprimer(Donnees(e), Rapport::Chantier));
        for (const DonneesPiece& p : e.pieces)
            EXPECT_NE(Trouver(chantier[0], Q(p.NomPiece)), nullptr) << p.NomPiece;
    }
}

} // namespace
