// The summary report: its layout and its pages (ModImprimer.h).

#include "rapports/Feuille.h"

#include <algorithm>
#include <cmath>

namespace sorvel {

using namespace papier;

// ---------------------------------------------------------------------------
// Summary: one row per quantity, labels and units at the left, the rooms
// side by side, as many per page as the width allows. The first row, the
// room names, heads the columns on up to two lines.

namespace {
constexpr double LargeurPieceMinimale = 46;
// Rows under the room names.
constexpr int RangeesValeurs = NombreColonnesEtude - 1;

struct PlanRecap {
    double yInfo1, yInfo2, yTable, yLegende, yNote;
};

// The legend of the colours, under the table, takes up to this many lines.
constexpr int LignesLegende = 3;
constexpr double InterligneNote = 1.15;

PlanRecap PlanRecapitulatif(double hautContenu, double basContenu) {
    PlanRecap p;
    p.yInfo1 = hautContenu;
    p.yInfo2 = p.yInfo1 + 1.15 * Hauteur(PoliceInfo);
    p.yTable = p.yInfo2 + Hauteur(PoliceInfo) + 10;
    p.yNote = basContenu - Hauteur(PoliceNote);
    p.yLegende = p.yNote - LignesLegende * InterligneNote * Hauteur(PoliceNote);
    return p;
}


// Room names take up to three lines in the heading row.
constexpr int LignesNomMax = 3;
double HauteurNoms(double taille) { return (LignesNomMax + 0.4) * Hauteur(Police{taille, true}); }

// A room name cut between words into lines of at most `largeur`, at most
// LignesNomMax of them, the last one shortened with "…" when the name is
// still too long; a word wider than the column is cut inside.
QStringList LignesNom(const Mesure& mesure, const QString& nom, double largeur) {
    QStringList lignes;
    QStringList mots = nom.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (!mots.isEmpty()) {
        if (lignes.size() == LignesNomMax - 1) {
            lignes << mesure.Ajuster(mots.join(QLatin1Char(' ')), largeur);
            break;
        }
        QString ligne;
        int n = 0;
        for (; n < mots.size(); ++n) {
            const QString essai = ligne.isEmpty() ? mots[n] : ligne + QLatin1Char(' ') + mots[n];
            if (mesure.Largeur(essai) > largeur)
                break;
            ligne = essai;
        }
        if (ligne.isEmpty()) {
            // A word wider than the column goes on over the next line.
            const QString mot = mots.first();
            qsizetype coupe = 1;
            while (coupe < mot.size() && mesure.Largeur(mot.left(coupe + 1)) <= largeur)
                ++coupe;
            lignes << mot.left(coupe);
            mots.first() = mot.mid(coupe);
            if (mots.first().isEmpty())
                mots.removeFirst();
            continue;
        }
        lignes << ligne;
        mots = mots.mid(n);
    }
    return lignes;
}
// The normal zones of `resultat` laid as several equal loops: their cells
// of the loop length in `recap` put in the short form ("3 × 98,6"), which
// the columns are measured on; returned with their text in words ("3
// boucles de 98,6 m"), printed instead where the column holds it.
std::vector<std::pair<CelluleRecapitulatif*, QString>> BouclesEnCourt(Recapitulatif& recap,
                                                                      const ResultatEtude& resultat) {
    std::vector<std::pair<CelluleRecapitulatif*, QString>> enMots;
    for (int i = 1; i <= recap.NombrePieces(); ++i) {
        const int boucles = BouclesPiece(resultat, i);
        const std::optional<double> longueur = NombreCellule(resultat.Table.Cell(ColonneEtude::LongueurNormale, i));
        if (boucles < 2 || !longueur)
            continue;
        CelluleRecapitulatif& c =
            recap.Pieces[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(ColonneEtude::LongueurNormale - 1)];
        c.Texte = TexteBouclesNormalesCourt(boucles, *longueur);
        enMots.emplace_back(&c, Q(TexteBouclesNormales(boucles, *longueur)));
    }
    return enMots;
}
} // namespace

void ModImprimer::MettreEnPageRecapitulatif() {
    recap_ = PresenterRecapitulatif(donnees_.Resultat, donnees_.Generales);
    const auto enMots = BouclesEnCourt(recap_, donnees_.Resultat);
    const PlanRecap plan = PlanRecapitulatif(hautContenu_, basContenu_);

    // The largest font, up to 8.5 points, whose rows fit the page with some
    // air between them.
    const double hauteurTable = plan.yLegende - 6 - plan.yTable;
    for (taille_ = 8.5; taille_ > 4; taille_ -= 0.5)
        if ((hauteurTable - HauteurNoms(taille_)) / RangeesValeurs >= 1.25 * Hauteur(Police{taille_}))
            break;
    hauteurRangee_ =
        std::min((hauteurTable - HauteurNoms(taille_)) / RangeesValeurs, 1.6 * Hauteur(Police{taille_}));

    const Police normale{taille_}, grasse{taille_, true};
    largeurLibelle_ = 0;
    largeurUnite_ = 0;
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        largeurLibelle_ = std::max(largeurLibelle_, Largeur(k == 1 ? grasse : normale,
                                                            QString::fromUtf8(LibellesColonnesEtude[k - 1])));
        largeurUnite_ = std::max(largeurUnite_, Largeur(normale, QString::fromUtf8(UnitesColonnesEtude[k - 1])));
    }
    largeurLibelle_ += 2 * Retrait;
    largeurUnite_ += 2 * Retrait;

    // A room column holds its widest value in full; the names are shortened.
    double largeurMinimale = LargeurPieceMinimale;
    for (const LigneRecapitulatif& ligne : recap_.Pieces)
        for (int k = 2; k <= NombreColonnesEtude; ++k) {
            const CelluleRecapitulatif& c = ligne[static_cast<std::size_t>(k - 1)];
            largeurMinimale =
                std::max(largeurMinimale, Largeur(c.Format.Gras ? grasse : normale, Q(c.Texte)) + 2 * Retrait);
        }
    // On a narrow sheet the labels give way to one room column at least.
    largeurLibelle_ = std::min(largeurLibelle_, droite_ - gauche_ - largeurUnite_ - largeurMinimale);
    const double place = droite_ - gauche_ - largeurLibelle_ - largeurUnite_;
    piecesParPage_ = std::max(1, static_cast<int>(std::floor(place / largeurMinimale)));
    largeurPiece_ = place / piecesParPage_;
    for (const auto& [cellule, texte] : enMots)
        if (Largeur(cellule->Format.Gras ? grasse : normale, texte) + 2 * Retrait <= largeurPiece_)
            cellule->Texte = texte.toStdString();
    const int n = recap_.NombrePieces();
    nombrePages_ = std::max(1, (n + piecesParPage_ - 1) / piecesParPage_);
}

// The legend of the colours from `y` down, each colour's name in its
// colour; a part that does not fit on its line goes to the next one.
void ModImprimer::DessinerLegendeRecap(Feuille& f, double y) const {
    const double hLigne = InterligneNote * Hauteur(PoliceNote);
    double xLegende = gauche_, yLegende = y;
    int ligneLegende = 0;
    for (std::size_t n = 0; n < recap_.Legende.size(); ++n) {
        const SegmentLegende& s = recap_.Legende[n];
        const Police police{PoliceNote.Taille, s.Gras};
        QString texte = Q(s.Texte);
        // A colour's name stays on the line of what it means.
        double place = Largeur(police, texte);
        if (s.Couleur != CouleurValeur::TexteFenetre && n + 1 < recap_.Legende.size())
            place += Largeur(Police{PoliceNote.Taille, recap_.Legende[n + 1].Gras}, Q(recap_.Legende[n + 1].Texte));
        if (xLegende > gauche_ && xLegende + place > droite_) {
            if (++ligneLegende == LignesLegende)
                break;
            xLegende = gauche_;
            yLegende += hLigne;
            texte = texte.trimmed();
        }
        const double l = Largeur(police, texte);
        f.Texte(texte, police, QRectF(xLegende, yLegende, l, Hauteur(PoliceNote)), Qt::AlignLeft,
                Couleur(FormatValeur{s.Gras, s.Couleur}));
        xLegende += l;
    }
}

void ModImprimer::DessinerRecapitulatif(Feuille& f, int page) const {
    const PlanRecap plan = PlanRecapitulatif(hautContenu_, basContenu_);
    const Mesure info(PoliceInfo);
    const double largeurPage = droite_ - gauche_;
    f.Texte(info.Ajuster(Q(recap_.LblRecap), largeurPage), PoliceInfo,
            QRectF(gauche_, plan.yInfo1, largeurPage, Hauteur(PoliceInfo)), Qt::AlignLeft);
    f.Texte(info.Ajuster(Q(recap_.LblPerte), largeurPage), PoliceInfo,
            QRectF(gauche_, plan.yInfo2, largeurPage, Hauteur(PoliceInfo)), Qt::AlignLeft);

    const Police normale{taille_}, grasse{taille_, true};
    const Mesure mesureNormale(normale), mesureGrasse(grasse);
    const int premiere = (page - 1) * piecesParPage_ + 1;
    const int derniere = std::min(recap_.NombrePieces(), premiere + piecesParPage_ - 1);
    const int colonnes = std::max(0, derniere - premiere + 1);
    const double xUnite = gauche_ + largeurLibelle_;
    const double xPieces = xUnite + largeurUnite_;
    const double largeurTable = largeurLibelle_ + largeurUnite_ + colonnes * largeurPiece_;
    const double largeurTexteLibelle = largeurLibelle_ - 2 * Retrait;
    const auto zonePiece = [&](int i, double y, double hauteur) {
        return QRectF(xPieces + (i - premiere) * largeurPiece_ + Retrait, y, largeurPiece_ - 2 * Retrait, hauteur);
    };

    // Heading row: "Pièce" and the room names.
    double y = plan.yTable;
    const double hNoms = HauteurNoms(taille_);
    f.Fond(QRectF(gauche_, y, largeurTable, hNoms), GrisFond);
    f.Texte(mesureGrasse.Ajuster(QString::fromUtf8(LibellesColonnesEtude[ColonneEtude::Designation - 1]),
                                 largeurTexteLibelle),
            grasse, QRectF(gauche_ + Retrait, y, largeurTexteLibelle, hNoms), Qt::AlignLeft);
    for (int i = premiere; i <= derniere; ++i) {
        const CelluleRecapitulatif& c = recap_.Case(ColonneEtude::Designation, i);
        const Mesure& mesure = c.Format.Gras ? mesureGrasse : mesureNormale;
        // The names may come closer to the rules than the figures.
        const QRectF zone = zonePiece(i, y, hNoms).adjusted(-Retrait / 2, 0, Retrait / 2, 0);
        const QStringList lignes = LignesNom(mesure, Q(c.Texte), zone.width());
        const double hLigne = hNoms / (LignesNomMax + 0.4);
        double yLigne = y + (hNoms - lignes.size() * hLigne) / 2;
        for (const QString& ligne : lignes) {
            f.Texte(ligne, c.Format.Gras ? grasse : normale, QRectF(zone.x(), yLigne, zone.width(), hLigne),
                    Qt::AlignHCenter, Couleur(c.Format));
            yLigne += hLigne;
        }
    }
    y += hNoms;
    f.Ligne({gauche_, y}, {gauche_ + largeurTable, y}, 0.8);

    for (int k = ColonneEtude::Designation + 1; k <= NombreColonnesEtude; ++k) {
        if (k % 2 == 0)
            f.Fond(QRectF(gauche_, y, largeurTable, hauteurRangee_), GrisFond);
        f.Texte(mesureNormale.Ajuster(QString::fromUtf8(LibellesColonnesEtude[k - 1]), largeurTexteLibelle), normale,
                QRectF(gauche_ + Retrait, y, largeurTexteLibelle, hauteurRangee_), Qt::AlignLeft);
        f.Texte(QString::fromUtf8(UnitesColonnesEtude[k - 1]), normale,
                QRectF(xUnite + Retrait, y, largeurUnite_ - 2 * Retrait, hauteurRangee_), Qt::AlignHCenter);
        for (int i = premiere; i <= derniere; ++i) {
            const CelluleRecapitulatif& c = recap_.Case(k, i);
            const QRectF zone = zonePiece(i, y, hauteurRangee_);
            f.Texte((c.Format.Gras ? mesureGrasse : mesureNormale).Ajuster(Q(c.Texte), zone.width()),
                    c.Format.Gras ? grasse : normale, zone, Qt::AlignHCenter, Couleur(c.Format));
        }
        y += hauteurRangee_;
        f.Ligne({gauche_, y}, {gauche_ + largeurTable, y}, 0.3, GrisTrait);
    }
    // Columns: a rule between the units and the rooms, and between rooms.
    for (int c = 0; c <= colonnes; ++c) {
        const double xc = xPieces + c * largeurPiece_;
        f.Ligne({xc, plan.yTable}, {xc, y}, 0.3, GrisTrait);
    }
    DessinerLegendeRecap(f, plan.yLegende);
    f.Texte(QStringLiteral("(*) si boucle indépendante"), PoliceNote,
            QRectF(gauche_, plan.yNote, largeurPage, Hauteur(PoliceNote)), Qt::AlignLeft);
}

} // namespace sorvel
