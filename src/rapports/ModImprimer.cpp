#include "rapports/ModImprimer.h"

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace sorvel {

namespace {

// Paper margins, in points: wider than any printer's unprintable edge.
constexpr double MargeGauche = 42;
constexpr double MargeDroite = 42;
constexpr double MargeHaut = 34;
constexpr double MargeBas = 34;
// Space between a text and the edge of its table cell.
constexpr double Retrait = 5;

struct Police {
    double Taille; // points, at scale 1
    bool Gras = false;
};

constexpr Police PoliceEntete{12};
constexpr Police PoliceEnteteGras{12, true};
constexpr Police PolicePied{10};
constexpr Police PoliceTitre{16, true};
constexpr Police PoliceInfo{9.5};
constexpr Police PoliceSection{14, true};
constexpr Police PoliceDonnees{12};
constexpr Police PolicePieces{11};
constexpr Police PolicePiecesGras{11, true};
constexpr Police PoliceUnites{9};
constexpr Police PoliceNote{8};

const QColor Noir(0, 0, 0);
const QColor GrisTrait(150, 150, 150);
const QColor GrisFond(238, 238, 238);

QFont Fonte(const Police& police, double taillePoints) {
    QFont fonte(FamillePolice());
    fonte.setPointSizeF(taillePoints);
    fonte.setBold(police.Gras);
    // Design widths, the same on paper and on screen.
    fonte.setHintingPreference(QFont::PreferNoHinting);
    return fonte;
}

// Measures are taken on a fixed 1200-dpi surface, then given in points: the
// layout does not depend on the device the page is drawn on.
const QPaintDevice& SurfaceDeMesure() {
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

double Largeur(const Police& p, const QString& t) { return Mesure(p).Largeur(t); }
double Hauteur(const Police& p) { return Mesure(p).Hauteur(); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor Couleur(const FormatValeur& f) {
    if (f.Couleur == CouleurValeur::TexteFenetre)
        return Noir; // black on paper
    const auto rvb = Rvb(f.Couleur);
    return QColor(rvb[0], rvb[1], rvb[2]);
}

} // namespace

// One page being drawn: positions and sizes in points at scale 1, turned
// into device pixels here; every text drawn is recorded with its box.
class ModImprimer::Feuille {
public:
    Feuille(QPainter& peintre, double echelle)
        : peintre_(peintre), echelle_(echelle), pixels_(PixelsParPoint(*peintre.device(), echelle)) {}

    // Draws `texte` (already fitted to `zone`'s width) in `zone`, aligned
    // horizontally as `alignement` says and centred vertically.
    void Texte(const QString& texte, const Police& police, const QRectF& zone, Qt::Alignment alignement,
               const QColor& couleur = Noir) {
        if (texte.isEmpty())
            return;
        const Mesure m(police);
        const double largeur = m.Largeur(texte), hauteur = m.Hauteur();
        double x = zone.left();
        if (alignement & Qt::AlignRight)
            x = zone.right() - largeur;
        else if (alignement & Qt::AlignHCenter)
            x = zone.center().x() - largeur / 2;
        const QRectF boite(x, zone.top() + (zone.height() - hauteur) / 2, largeur, hauteur);
        Boites.push_back({texte, boite});

        peintre_.setFont(Fonte(police, police.Taille * echelle_));
        peintre_.setPen(couleur);
        const int drapeaux = static_cast<int>(alignement & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter
            | Qt::TextSingleLine | Qt::TextDontClip;
        peintre_.drawText(Pixels(boite), drapeaux, texte);
    }

    void Ligne(const QPointF& a, const QPointF& b, double epaisseur, const QColor& couleur = Noir) {
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

QSizeF TailleA4() { return QPageSize(QPageSize::A4).size(QPageSize::Point); }

QString FamillePolice() {
    static const QString famille = [] {
        const QStringList familles = QFontDatabase::families();
        for (const char* nom : {"Arial", "Liberation Sans"})
            if (familles.contains(QLatin1String(nom)))
                return QString::fromLatin1(nom);
        return QFontInfo(QFont(QStringLiteral("Arial"))).family();
    }();
    return famille;
}

QString DateFrancaise(const QDate& date) {
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

double PixelsParPoint(const QPaintDevice& device, double echelle) {
    return echelle * device.logicalDpiY() / 72.0;
}

ModImprimer::ModImprimer(DonneesRapport donnees, Rapport rapport, QSizeF page)
    : donnees_(std::move(donnees)), rapport_(rapport), page_(page) {
    gauche_ = MargeGauche;
    droite_ = page_.width() - MargeDroite;
    // Header line, a rule, the title; the footer at the bottom.
    hautContenu_ = MargeHaut + Hauteur(PoliceEntete) + 10 + Hauteur(PoliceTitre) + 10;
    basContenu_ = page_.height() - MargeBas - Hauteur(PolicePied) - 12;
    if (rapport_ == Rapport::Chantier)
        MettreEnPageChantier();
    else
        MettreEnPageRecapitulatif();
}

QString ModImprimer::Titre() const {
    return rapport_ == Rapport::Chantier ? QStringLiteral("Résultats chantier") : QStringLiteral("Récapitulatif");
}

// ---------------------------------------------------------------------------
// Frame of every page: header and title above, footer below.

void ModImprimer::DessinerCadre(Feuille& f) const {
    // Header: "Sorvel. [study]" at the left, the date against the right-hand
    // limit; a long study name gives way to the date.
    const double hEntete = Hauteur(PoliceEntete);
    const QString sorvel = QStringLiteral("Sorvel.");
    const double largeurSorvel = Largeur(PoliceEnteteGras, sorvel);
    const QString date = QStringLiteral("Date : ") + DateFrancaise(donnees_.Date);
    const double largeurDate = Largeur(PoliceEntete, date);
    const Mesure entete(PoliceEntete);
    const double place = droite_ - largeurDate - 12 - (gauche_ + largeurSorvel);
    const double crochets = entete.Largeur(QStringLiteral(" []"));
    const QString nom = QStringLiteral(" [") + entete.Ajuster(Q(donnees_.NomEtude), place - crochets)
        + QStringLiteral("]");
    f.Texte(sorvel, PoliceEnteteGras, QRectF(gauche_, MargeHaut, largeurSorvel, hEntete), Qt::AlignLeft);
    f.Texte(nom, PoliceEntete, QRectF(gauche_ + largeurSorvel, MargeHaut, entete.Largeur(nom), hEntete),
            Qt::AlignLeft);
    f.Texte(date, PoliceEntete, QRectF(droite_ - largeurDate, MargeHaut, largeurDate, hEntete), Qt::AlignRight);
    const double yTrait = MargeHaut + hEntete + 4;
    f.Ligne({gauche_, yTrait}, {droite_, yTrait}, 0.8);

    // Title of the report, centred.
    f.Texte(Titre(), PoliceTitre, QRectF(0, yTrait + 6, page_.width(), Hauteur(PoliceTitre)), Qt::AlignHCenter);
}

void ModImprimer::DessinerPied(Feuille& f, int page) const {
    // "Page : n/N" centred on the page width.
    const double hPied = Hauteur(PolicePied);
    const double yPied = page_.height() - MargeBas - hPied;
    f.Ligne({gauche_, yPied - 4}, {droite_, yPied - 4}, 0.5, GrisTrait);
    f.Texte(QStringLiteral("Page : %1/%2").arg(page).arg(nombrePages_), PolicePied,
            QRectF(0, yPied, page_.width(), hPied), Qt::AlignHCenter);
}

std::vector<BoiteTexte> ModImprimer::DessinerPage(QPainter& peintre, int page, double echelle) const {
    Feuille f(peintre, echelle);
    if (page < 1 || page > nombrePages_)
        return {};
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    // In reading order, which is also the order of the text in a PDF file.
    DessinerCadre(f);
    if (rapport_ == Rapport::Recapitulatif)
        DessinerRecapitulatif(f, page);
    else if (page <= pagesPieces_)
        DessinerPieces(f, page);
    else
        DessinerDonneesGenerales(f);
    DessinerPied(f, page);
    peintre.restore();
    return std::move(f.Boites);
}

void ModImprimer::DessinerToutesLesPages(QPainter& peintre, QPagedPaintDevice& device) const {
    for (int page = 1; page <= nombrePages_; ++page) {
        if (page > 1)
            device.newPage();
        DessinerPage(peintre, page, 1.0);
    }
}

// ---------------------------------------------------------------------------
// Site results: the rooms table, continued over as many pages as it needs,
// then the general data.

namespace {
// Vertical layout of a rooms table page, below the title.
struct PlanPieces {
    double yInfo, yTitres, yUnites, yLignes;
};

PlanPieces PlanTablePieces(double hautContenu) {
    PlanPieces p;
    p.yInfo = hautContenu;
    p.yTitres = p.yInfo + Hauteur(PoliceInfo) + 12;
    p.yUnites = p.yTitres + 1.4 * Hauteur(PolicePiecesGras);
    p.yLignes = p.yUnites + 1.3 * Hauteur(PoliceUnites);
    return p;
}
} // namespace

void ModImprimer::MettreEnPageChantier() {
    pieces_ = LignesPiecesChantier(donnees_.Resultat.Table);
    generales_ = DonneesGeneralesChantier(donnees_.Resultat, donnees_.Generales, donnees_.Materiel);

    // The four value columns share one width, wide enough for their titles,
    // units and values; the room names take the rest.
    largeurValeur_ = 70;
    for (int c = 1; c < NombreColonnesChantier; ++c) {
        largeurValeur_ = std::max(largeurValeur_, Largeur(PolicePiecesGras, TitresColonnesChantier[c]) + 2 * Retrait);
        largeurValeur_ = std::max(largeurValeur_, Largeur(PoliceUnites, UnitesColonnesChantier[c]) + 2 * Retrait);
        for (const LigneChantier& l : pieces_)
            largeurValeur_ = std::max(largeurValeur_, Largeur(PolicePieces, Q(l[c])) + 2 * Retrait);
    }
    largeurNom_ = std::max(droite_ - gauche_ - 4 * largeurValeur_, 2 * Retrait);

    hauteurLigne_ = 1.5 * Hauteur(PolicePieces);
    const PlanPieces plan = PlanTablePieces(hautContenu_);
    lignesParPage_ = std::max(1, static_cast<int>(std::floor((basContenu_ - plan.yLignes) / hauteurLigne_)));
    const int n = static_cast<int>(pieces_.size());
    pagesPieces_ = std::max(1, (n + lignesParPage_ - 1) / lignesParPage_);
    nombrePages_ = pagesPieces_ + 1;
}

void ModImprimer::DessinerPieces(Feuille& f, int page) const {
    const PlanPieces plan = PlanTablePieces(hautContenu_);
    const double largeurTable = largeurNom_ + 4 * largeurValeur_;
    f.Texte(Mesure(PoliceInfo).Ajuster(Q(TexteLblRecap(donnees_.Generales)), droite_ - gauche_), PoliceInfo,
            QRectF(gauche_, plan.yInfo, droite_ - gauche_, Hauteur(PoliceInfo)), Qt::AlignLeft);

    // Column c spans [x(c), x(c + 1)).
    const auto x = [&](int c) { return gauche_ + (c == 0 ? 0 : largeurNom_ + (c - 1) * largeurValeur_); };
    const auto largeur = [&](int c) { return c == 0 ? largeurNom_ : largeurValeur_; };
    const double hTitres = plan.yUnites - plan.yTitres, hUnites = plan.yLignes - plan.yUnites;
    f.Fond(QRectF(gauche_, plan.yTitres, largeurTable, hTitres + hUnites), GrisFond);
    for (int c = 0; c < NombreColonnesChantier; ++c) {
        const Qt::Alignment a = c == 0 ? Qt::AlignLeft : Qt::AlignHCenter;
        const QRectF titre(x(c) + Retrait, plan.yTitres, largeur(c) - 2 * Retrait, hTitres);
        f.Texte(TitresColonnesChantier[c], PolicePiecesGras, titre, a);
        const QRectF unite(x(c) + Retrait, plan.yUnites, largeur(c) - 2 * Retrait, hUnites);
        f.Texte(UnitesColonnesChantier[c], PoliceUnites, unite, a);
    }
    f.Ligne({gauche_, plan.yLignes}, {gauche_ + largeurTable, plan.yLignes}, 0.8);

    const Mesure mesure(PolicePieces);
    const int premiere = (page - 1) * lignesParPage_;
    const int derniere = std::min(static_cast<int>(pieces_.size()), premiere + lignesParPage_);
    double y = plan.yLignes;
    for (int i = premiere; i < derniere; ++i) {
        const LigneChantier& l = pieces_[static_cast<std::size_t>(i)];
        for (int c = 0; c < NombreColonnesChantier; ++c) {
            const QRectF zone(x(c) + Retrait, y, largeur(c) - 2 * Retrait, hauteurLigne_);
            f.Texte(mesure.Ajuster(Q(l[static_cast<std::size_t>(c)]), zone.width()), PolicePieces, zone,
                    c == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
        }
        y += hauteurLigne_;
        f.Ligne({gauche_, y}, {gauche_ + largeurTable, y}, 0.4, GrisTrait);
    }
}

void ModImprimer::DessinerDonneesGenerales(Feuille& f) const {
    const double hSection = Hauteur(PoliceSection);
    f.Texte(QStringLiteral("Données générales"), PoliceSection, QRectF(0, hautContenu_, page_.width(), hSection),
            Qt::AlignHCenter);

    // Labels in one column, each value with its unit in the next; the block
    // centred on the page.
    const Mesure mesure(PoliceDonnees);
    const auto valeur = [](const LigneDonneeGenerale& l) { return Q(l.Valeur + l.Unite); };
    double largeurLibelles = 0, largeurValeurs = 0;
    for (const LigneDonneeGenerale& l : generales_) {
        largeurLibelles = std::max(largeurLibelles, mesure.Largeur(Q(l.Libelle).trimmed()));
        largeurValeurs = std::max(largeurValeurs, mesure.Largeur(valeur(l)));
    }
    const double ecart = mesure.Largeur(QStringLiteral("   "));
    largeurLibelles = std::min(largeurLibelles, droite_ - gauche_ - ecart - largeurValeurs);
    const double largeurBloc = largeurLibelles + ecart + largeurValeurs;
    const double x0 = std::max(gauche_, (page_.width() - largeurBloc) / 2);
    const double xValeurs = x0 + largeurLibelles + ecart;

    const double pas = 1.2 * mesure.Hauteur();
    double y = hautContenu_ + hSection + 18;
    bool fond = false;
    for (const LigneDonneeGenerale& l : generales_) {
        if (fond)
            f.Fond(QRectF(x0 - Retrait, y, largeurBloc + 2 * Retrait, pas), GrisFond);
        fond = !fond;
        f.Texte(mesure.Ajuster(Q(l.Libelle).trimmed(), largeurLibelles), PoliceDonnees,
                QRectF(x0, y, largeurLibelles, pas), Qt::AlignLeft);
        f.Texte(mesure.Ajuster(valeur(l), largeurValeurs), PoliceDonnees, QRectF(xValeurs, y, largeurValeurs, pas),
                Qt::AlignLeft);
        y += pas;
    }
}

// ---------------------------------------------------------------------------
// Summary: one row per quantity, labels and units at the left, the rooms
// side by side, as many per page as the width allows. The first row, the
// room names, heads the columns on up to two lines.

namespace {
constexpr double LargeurPieceMinimale = 46;
// Rows under the room names.
constexpr int RangeesValeurs = NombreColonnesEtude - 1;

struct PlanRecap {
    double yInfo1, yInfo2, yTable, yNote;
};

PlanRecap PlanRecapitulatif(double hautContenu, double basContenu) {
    PlanRecap p;
    p.yInfo1 = hautContenu;
    p.yInfo2 = p.yInfo1 + 1.15 * Hauteur(PoliceInfo);
    p.yTable = p.yInfo2 + Hauteur(PoliceInfo) + 10;
    p.yNote = basContenu - Hauteur(PoliceNote);
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
} // namespace

void ModImprimer::MettreEnPageRecapitulatif() {
    recap_ = PresenterRecapitulatif(donnees_.Resultat, donnees_.Generales);
    const PlanRecap plan = PlanRecapitulatif(hautContenu_, basContenu_);

    // The largest font, up to 8.5 points, whose rows fit the page with some
    // air between them.
    const double hauteurTable = plan.yNote - 6 - plan.yTable;
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
    const int n = recap_.NombrePieces();
    nombrePages_ = std::max(1, (n + piecesParPage_ - 1) / piecesParPage_);
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
    f.Texte(QStringLiteral("(*) si boucle indépendante"), PoliceNote,
            QRectF(gauche_, plan.yNote, largeurPage, Hauteur(PoliceNote)), Qt::AlignLeft);
}

} // namespace sorvel
