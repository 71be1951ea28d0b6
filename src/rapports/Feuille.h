#pragma once

// What the drawing of the reports shares, for the reports' own sources:
// the margins, the fonts and their measures on paper, the colours, the page
// being drawn (ModImprimer::Feuille), which records every text with its
// box, and the placing of a report's parts one below the other.

#include "rapports/ModImprimer.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace sorvel {

namespace papier {

// Paper margins, in points: wider than any printer's unprintable edge.
inline constexpr double MargeGauche = 42;
inline constexpr double MargeDroite = 42;
inline constexpr double MargeHaut = 34;
inline constexpr double MargeBas = 34;
// Space between a text and the edge of its table cell.
inline constexpr double Retrait = 5;

struct Police {
    double Taille; // points, at scale 1
    bool Gras = false;
};

inline constexpr Police PoliceEntete{12};
inline constexpr Police PoliceEnteteGras{12, true};
inline constexpr Police PolicePied{10};
inline constexpr Police PoliceTitre{16, true};
inline constexpr Police PoliceInfo{9.5};
inline constexpr Police PoliceSection{14, true};
inline constexpr Police PoliceDonnees{12};
inline constexpr Police PolicePieces{11};
inline constexpr Police PolicePiecesGras{11, true};
inline constexpr Police PoliceUnites{9};
inline constexpr Police PoliceNote{8};

// The blocks of the losses report and of the commissioning sheet: a
// title, tables, labelled lines.
inline constexpr Police PoliceSousTitre{12, true};
inline constexpr Police PoliceTitreBloc{11, true};
inline constexpr Police PoliceTable{9};
inline constexpr Police PoliceTableGras{9, true};
inline constexpr Police PoliceBilan{9.5};
// Space below a block, and between the two columns of its lines.
inline constexpr double EcartBlocs = 16;
inline constexpr double EcartColonnes = 24;
// Lines drawn two by two (ModImprimer::DessinerLignes); any further line
// spans the width.
inline constexpr std::size_t LignesEnColonnes = 8;
// Rows a table starts a page with at least, when its block cannot fit one
// whole.
inline constexpr int RangeesMinimum = 2;

inline const QColor Noir(0, 0, 0);
inline const QColor GrisTrait(150, 150, 150);
inline const QColor GrisFond(238, 238, 238);

inline QFont Fonte(const Police& police, double taillePoints) {
    QFont fonte(FamillePolice());
    fonte.setPointSizeF(taillePoints);
    fonte.setBold(police.Gras);
    // Design widths, the same on paper and on screen.
    fonte.setHintingPreference(QFont::PreferNoHinting);
    return fonte;
}

// Measures are taken on a fixed 1200-dpi surface, then given in points: the
// layout does not depend on the device the page is drawn on.
inline const QPaintDevice& SurfaceDeMesure() {
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(47244); // 1200 dpi
        i.setDotsPerMeterY(47244);
        return i;
    }();
    return image;
}

class Mesure {
public:
    explicit Mesure(const Police& police)
        : fm_(Fonte(police, police.Taille), &SurfaceDeMesure()),
          pointsParPixel_(72.0 / SurfaceDeMesure().logicalDpiY()) {}
    double Largeur(const QString& texte) const { return fm_.horizontalAdvance(texte) * pointsParPixel_; }
    // The line height: the height of "ABCDE" in this font.
    double Hauteur() const { return fm_.size(Qt::TextSingleLine, QStringLiteral("ABCDE")).height() * pointsParPixel_; }
    // The text, shortened with "…" when it is wider than `largeur`.
    QString Ajuster(const QString& texte, double largeur) const {
        if (Largeur(texte) <= largeur)
            return texte;
        return fm_.elidedText(texte, Qt::ElideRight, largeur / pointsParPixel_);
    }

private:
    QFontMetricsF fm_;
    double pointsParPixel_;
};

inline double Largeur(const Police& p, const QString& t) { return Mesure(p).Largeur(t); }
inline double Hauteur(const Police& p) { return Mesure(p).Hauteur(); }

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// Heights of the parts of a block, in points.
struct Hauteurs {
    double SousTitre = 1.7 * Hauteur(PoliceSousTitre);
    double TitreBloc = 1.7 * Hauteur(PoliceTitreBloc);
    double Titres = 1.35 * Hauteur(PoliceTableGras);
    double Unites = 1.25 * Hauteur(PoliceUnites);
    double Element = 1.45 * Hauteur(PoliceTable); // a row of a table
    double Rangee = 1.3 * Hauteur(PoliceBilan);   // a labelled line
};

// Rows the lines take drawn two by two, the first half at the left.
inline int RangeesEnColonnes(std::size_t lignes) {
    const std::size_t enColonnes = std::min(lignes, LignesEnColonnes);
    return static_cast<int>((enColonnes + 1) / 2 + (lignes - enColonnes));
}

// `texte` cut between words into lines of at most `largeur`; a word wider
// than that is shortened with "…".
inline QStringList Couper(const Mesure& mesure, const QString& texte, double largeur) {
    QStringList lignes;
    QString ligne;
    for (const QString& mot : texte.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString essai = ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot;
        if (ligne.isEmpty() || mesure.Largeur(essai) <= largeur) {
            ligne = essai;
            continue;
        }
        lignes << mesure.Ajuster(ligne, largeur);
        ligne = mot;
    }
    if (!ligne.isEmpty())
        lignes << mesure.Ajuster(ligne, largeur);
    return lignes;
}

// The columns of a table `largeur` wide whose rows are `lignes`: every
// column as wide as its title, its unit and its values, the column `libre`
// taking what the others leave.
template <std::size_t N>
ColonnesTable MesurerColonnes(const std::array<const char*, N>& titres, const std::array<const char*, N>& unites,
                              const std::vector<std::array<std::string, N>>& lignes, std::size_t libre,
                              double largeur, std::vector<Qt::Alignment> alignements) {
    ColonnesTable t{std::vector<double>(N, 0.0), std::move(alignements)};
    double autres = 0;
    for (std::size_t c = 0; c < N; ++c) {
        if (c == libre)
            continue;
        double& l = t.Largeurs[c];
        l = std::max(Largeur(PoliceTableGras, QString::fromUtf8(titres[c])),
                     Largeur(PoliceUnites, QString::fromUtf8(unites[c])));
        for (const std::array<std::string, N>& ligne : lignes)
            l = std::max(l, Largeur(PoliceTable, Q(ligne[c])));
        // Whole points: the text's room, the column less its margins, is
        // then exactly the width measured.
        l = std::ceil(l) + 2 * Retrait;
        autres += l;
    }
    t.Largeurs[libre] = std::max(largeur - autres, 2 * Retrait);
    return t;
}

inline QColor Couleur(const FormatValeur& f) {
    if (f.Couleur == CouleurValeur::TexteFenetre)
        return Noir; // black on paper
    const auto rvb = Rvb(f.Couleur);
    return QColor(rvb[0], rvb[1], rvb[2]);
}

} // namespace papier

// One page being drawn: positions and sizes in points at scale 1, turned
// into device pixels here; every text drawn is recorded with its box.
class ModImprimer::Feuille {
public:
    Feuille(QPainter& peintre, double echelle)
        : peintre_(peintre), echelle_(echelle), pixels_(PixelsParPoint(*peintre.device(), echelle)) {}

    // Draws `texte` (already fitted to `zone`'s width) in `zone`, aligned
    // horizontally as `alignement` says and centred vertically.
    void Texte(const QString& texte, const papier::Police& police, const QRectF& zone, Qt::Alignment alignement,
               const QColor& couleur = papier::Noir) {
        if (texte.isEmpty())
            return;
        const papier::Mesure m(police);
        const double largeur = m.Largeur(texte), hauteur = m.Hauteur();
        double x = zone.left();
        if (alignement & Qt::AlignRight)
            x = zone.right() - largeur;
        else if (alignement & Qt::AlignHCenter)
            x = zone.center().x() - largeur / 2;
        const QRectF boite(x, zone.top() + (zone.height() - hauteur) / 2, largeur, hauteur);
        Boites.push_back({texte, boite});

        peintre_.setFont(papier::Fonte(police, police.Taille * echelle_));
        peintre_.setPen(couleur);
        const int drapeaux = static_cast<int>(alignement & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter
            | Qt::TextSingleLine | Qt::TextDontClip;
        peintre_.drawText(Pixels(boite), drapeaux, texte);
    }

    void Ligne(const QPointF& a, const QPointF& b, double epaisseur, const QColor& couleur = papier::Noir) {
        QPen stylo(couleur);
        stylo.setWidthF(epaisseur * pixels_);
        stylo.setCapStyle(Qt::FlatCap);
        peintre_.setPen(stylo);
        peintre_.drawLine(a * pixels_, b * pixels_);
    }

    void Fond(const QRectF& zone, const QColor& couleur) { peintre_.fillRect(Pixels(zone), couleur); }

    std::vector<BoiteTexte> Boites;

private:
    QRectF Pixels(const QRectF& r) const { return {r.topLeft() * pixels_, r.size() * pixels_}; }

    QPainter& peintre_;
    double echelle_;
    double pixels_;
};

// Places the parts of a report from the top of page 1 down, starting a new
// page when the next part does not fit above the footer. `Place` is what a
// report records of a part; its member Y receives the part's top, in points
// from the sheet's top.
template <class Place>
class MiseEnPage {
public:
    MiseEnPage(double haut, double bas, std::vector<std::vector<Place>>& pages)
        : haut_(haut), bas_(bas), pages_(pages), y_(haut) {
        pages_.assign(1, {});
    }

    // Whether `hauteur` fits below what the page holds already.
    bool Tient(double hauteur) const { return y_ + hauteur <= bas_ + 1e-9; }
    bool PageVide() const { return pages_.back().empty(); }
    double HauteurPage() const { return bas_ - haut_; }

    // Before a block of `bloc` points: a block that fits a page is never
    // cut, a longer one starts where its first `debut` points fit.
    void Commencer(double bloc, double debut) {
        if (!Tient(bloc <= HauteurPage() ? bloc : debut) && !PageVide())
            NouvellePage();
    }
    void NouvellePage() {
        pages_.emplace_back();
        y_ = haut_;
    }
    void Placer(Place place, double hauteur) {
        place.Y = y_;
        pages_.back().push_back(place);
        y_ += hauteur;
    }
    void Sauter(double hauteur) { y_ = std::min(y_ + hauteur, bas_); }
    // The `n` rows of a table, `hauteur` each, as `rangee(r)` makes them; a
    // row that does not fit goes on a new page after `reprise`: the block's
    // title marked as going on and the table's headings, with their heights.
    template <class Rangee>
    void PlacerRangees(int n, double hauteur, Rangee rangee, const std::vector<std::pair<Place, double>>& reprise) {
        for (int r = 0; r < n; ++r) {
            if (!Tient(hauteur)) {
                NouvellePage();
                for (const auto& [place, h] : reprise)
                    Placer(place, h);
            }
            Placer(rangee(r), hauteur);
        }
    }

private:
    double haut_, bas_;
    std::vector<std::vector<Place>>& pages_;
    double y_;
};

} // namespace sorvel
