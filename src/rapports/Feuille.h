#pragma once

// What the drawing of both reports shares, for the reports' own sources:
// the margins, the fonts and their measures on paper, the colours, and the
// page being drawn (ModImprimer::Feuille), which records every text with
// its box.

#include "rapports/ModImprimer.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>

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

} // namespace sorvel
