// The losses report: its layout and its pages (ModImprimer.h). The climate
// heads the first page; each room whose losses are detailed follows with
// its title, the table of its elements and its balance; the study's totals
// close the report. A room is kept on one page whenever a page can hold
// it; a longer one goes on over the next page, its title and headings
// repeated.

#include "rapports/Feuille.h"

#include <algorithm>
#include <cmath>

namespace sorvel {

using namespace papier;

namespace {

constexpr Police PoliceSousTitre{12, true};
constexpr Police PoliceNomPiece{11, true};
constexpr Police PoliceTable{9};
constexpr Police PoliceTableGras{9, true};
constexpr Police PoliceBilan{9.5};
// Space below a room, and between the two columns of a balance.
constexpr double EcartBlocs = 16;
constexpr double EcartColonnes = 24;
// Balance lines drawn in two columns; any further line spans the width.
constexpr std::size_t LignesEnColonnes = 8;
// Rows a room starts a page with at least, when it cannot fit one whole.
constexpr int ElementsMinimum = 2;

// Heights of the parts of the report, in points.
struct Hauteurs {
    double SousTitre = 1.7 * Hauteur(PoliceSousTitre);
    double TitrePiece = 1.7 * Hauteur(PoliceNomPiece);
    double Titres = 1.35 * Hauteur(PoliceTableGras);
    double Unites = 1.25 * Hauteur(PoliceUnites);
    double Element = 1.45 * Hauteur(PoliceTable);
    double Rangee = 1.3 * Hauteur(PoliceBilan);
};

// Rows the lines take drawn two by two, the first half at the left.
int RangeesEnColonnes(std::size_t lignes) {
    const std::size_t enColonnes = std::min(lignes, LignesEnColonnes);
    return static_cast<int>((enColonnes + 1) / 2 + (lignes - enColonnes));
}

QString Texte(const LigneDonneeGenerale& l) { return Q(l.Libelle + l.Valeur + l.Unite); }

// `texte` cut between words into lines of at most `largeur`; a word wider
// than that is shortened with "…".
QStringList Couper(const Mesure& mesure, const QString& texte, double largeur) {
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

// The study's totals as drawn: one line each, the rooms without details
// over as many lines as their names need.
QStringList LignesTotaux(const DeperditionsEtude& d, double largeur) {
    const Mesure mesure(PoliceBilan);
    QStringList lignes;
    for (const LigneDonneeGenerale& l : BilanEtude(d))
        lignes << Couper(mesure, Texte(l), largeur);
    return lignes;
}

} // namespace

// Places the parts of the report from the top of page 1 down, starting a
// new page when the next part does not fit above the footer.
class ModImprimer::MiseEnPageDeperditions {
public:
    MiseEnPageDeperditions(double haut, double bas, std::vector<std::vector<PlaceDeperditions>>& pages)
        : haut_(haut), bas_(bas), pages_(pages), y_(haut) {
        pages_.assign(1, {});
    }

    // Whether `hauteur` fits below what the page holds already.
    bool Tient(double hauteur) const { return y_ + hauteur <= bas_ + 1e-9; }
    bool PageVide() const { return pages_.back().empty(); }
    double HauteurPage() const { return bas_ - haut_; }

    void NouvellePage() {
        pages_.emplace_back();
        y_ = haut_;
    }
    void Placer(PlaceDeperditions::Genre quoi, double hauteur, int piece = 0, int ligne = 0) {
        pages_.back().push_back({quoi, piece, ligne, y_});
        y_ += hauteur;
    }
    void Sauter(double hauteur) { y_ = std::min(y_ + hauteur, bas_); }

private:
    double haut_, bas_;
    std::vector<std::vector<PlaceDeperditions>>& pages_;
    double y_;
};

void ModImprimer::MettreEnPageDeperditions() {
    using Genre = PlaceDeperditions::Genre;
    const DeperditionsEtude& d = donnees_.Deperditions;
    const Hauteurs h;

    // Every column as wide as its title, unit and values; the designation
    // takes the rest.
    for (std::size_t c = 1; c < largeursElements_.size(); ++c) {
        double& l = largeursElements_[c];
        l = std::max(Largeur(PoliceTableGras, QString::fromUtf8(TitresColonnesElements[c])),
                     Largeur(PoliceUnites, QString::fromUtf8(UnitesColonnesElements[c])));
        for (const DeperditionsPieceCalculees& p : d.Pieces)
            for (const LigneElement& e : LignesElements(p))
                l = std::max(l, Largeur(PoliceTable, Q(e[c])));
        // Whole points: the text's room, the column less its margins, is
        // then exactly the width measured.
        l = std::ceil(l) + 2 * Retrait;
    }
    double autres = 0;
    for (std::size_t c = 1; c < largeursElements_.size(); ++c)
        autres += largeursElements_[c];
    largeursElements_[0] = std::max(droite_ - gauche_ - autres, 2 * Retrait);

    MiseEnPageDeperditions mise(hautContenu_, basContenu_, pagesDeperditions_);
    if (d.Climat)
        mise.Placer(Genre::Climat,
                    h.SousTitre + RangeesEnColonnes(LignesClimat(*d.Climat).size()) * h.Rangee + EcartBlocs);
    for (std::size_t i = 0; i < d.Pieces.size(); ++i) {
        const int piece = static_cast<int>(i);
        const int elements = static_cast<int>(d.Pieces[i].Details.Elements.size());
        const double bilan = 4 + RangeesEnColonnes(BilanPiece(d.Pieces[i]).size()) * h.Rangee;
        const double debut = h.TitrePiece + h.Titres + h.Unites;
        const double bloc = debut + elements * h.Element + bilan;
        // A room that fits a page is never cut; a longer one starts where
        // its first rows fit.
        const double minimum = bloc <= mise.HauteurPage() ? bloc : debut + ElementsMinimum * h.Element;
        if (!mise.Tient(minimum) && !mise.PageVide())
            mise.NouvellePage();
        mise.Placer(Genre::TitrePiece, h.TitrePiece, piece);
        mise.Placer(Genre::Entete, h.Titres + h.Unites, piece);
        for (int e = 0; e < elements; ++e) {
            if (!mise.Tient(h.Element)) {
                mise.NouvellePage();
                mise.Placer(Genre::TitrePiece, h.TitrePiece, piece, 1);
                mise.Placer(Genre::Entete, h.Titres + h.Unites, piece);
            }
            mise.Placer(Genre::Element, h.Element, piece, e);
        }
        if (!mise.Tient(bilan)) {
            mise.NouvellePage();
            mise.Placer(Genre::TitrePiece, h.TitrePiece, piece, 1);
        }
        mise.Placer(Genre::Bilan, bilan, piece);
        mise.Sauter(EcartBlocs);
    }
    const double totaux = h.SousTitre + LignesTotaux(d, droite_ - gauche_).size() * h.Rangee;
    if (!mise.Tient(totaux))
        mise.NouvellePage();
    mise.Placer(Genre::Totaux, totaux);
    nombrePages_ = static_cast<int>(pagesDeperditions_.size());
}

void ModImprimer::DessinerDeperditions(Feuille& f, int page) const {
    for (const PlaceDeperditions& place : pagesDeperditions_[static_cast<std::size_t>(page - 1)])
        DessinerPlace(f, place);
}

// `lignes` as "label … value unit", the first LignesEnColonnes of them two
// by two (the first half at the left), the others across the width.
void ModImprimer::DessinerLignes(Feuille& f, const std::vector<LigneDonneeGenerale>& lignes, double gauche,
                                 double droite, double y, double rangee) {
    const Mesure mesure(PoliceBilan);
    const std::size_t enColonnes = std::min(lignes.size(), LignesEnColonnes);
    const std::size_t rangees = (enColonnes + 1) / 2;
    const double colonne = (droite - gauche - EcartColonnes) / 2;
    for (std::size_t n = 0; n < lignes.size(); ++n) {
        const bool large = n >= enColonnes;
        const double x = large || n < rangees ? gauche : gauche + colonne + EcartColonnes;
        const double largeur = large ? droite - gauche : colonne;
        const double yLigne = y + (large ? rangees + (n - enColonnes) : n % rangees) * rangee;
        const QString valeur = Q(lignes[n].Valeur + lignes[n].Unite);
        const double largeurValeur = std::min(mesure.Largeur(valeur), largeur);
        const QString libelle = mesure.Ajuster(Q(lignes[n].Libelle).trimmed(), largeur - largeurValeur - Retrait);
        f.Texte(libelle, PoliceBilan, QRectF(x, yLigne, largeur - largeurValeur - Retrait, rangee), Qt::AlignLeft);
        f.Texte(mesure.Ajuster(valeur, largeurValeur), PoliceBilan,
                QRectF(x + largeur - largeurValeur, yLigne, largeurValeur, rangee), Qt::AlignRight);
    }
}

void ModImprimer::DessinerPlace(Feuille& f, const PlaceDeperditions& place) const {
    using Genre = PlaceDeperditions::Genre;
    const DeperditionsEtude& d = donnees_.Deperditions;
    const Hauteurs h;
    const double largeurTable = droite_ - gauche_;
    const auto sousTitre = [&](const char* titre, double y) {
        f.Texte(QString::fromUtf8(titre), PoliceSousTitre, QRectF(gauche_, y, largeurTable, h.SousTitre),
                Qt::AlignLeft);
        return y + h.SousTitre;
    };
    if (place.Quoi == Genre::Climat) {
        DessinerLignes(f, LignesClimat(*d.Climat), gauche_, droite_, sousTitre("Climat du site", place.Y), h.Rangee);
        return;
    }
    if (place.Quoi == Genre::Totaux) {
        const double y = sousTitre("Total de l'étude", place.Y);
        const QStringList lignes = LignesTotaux(d, largeurTable);
        for (qsizetype n = 0; n < lignes.size(); ++n)
            f.Texte(lignes[n], PoliceBilan, QRectF(gauche_, y + n * h.Rangee, largeurTable, h.Rangee), Qt::AlignLeft);
        return;
    }
    const DeperditionsPieceCalculees& p = d.Pieces[static_cast<std::size_t>(place.Piece)];
    // Column c spans [x(c), x(c) + largeursElements_[c]); the texts at the
    // left, the numbers at the right.
    const auto zone = [&](std::size_t c, double y, double hauteur) {
        double x = gauche_;
        for (std::size_t k = 0; k < c; ++k)
            x += largeursElements_[k];
        return QRectF(x + Retrait, y, largeursElements_[c] - 2 * Retrait, hauteur);
    };
    const auto alignement = [](std::size_t c) { return c < 3 ? Qt::AlignLeft : Qt::AlignRight; };
    switch (place.Quoi) {
    case Genre::TitrePiece: {
        const QString titre = QStringLiteral("Pièce %1 : %2%3")
                                  .arg(p.Piece)
                                  .arg(Q(p.NomPiece), place.Ligne ? QStringLiteral(" (suite)") : QString());
        // The room's figures against the right-hand limit; a long name gives
        // way to them up to half the width.
        const Mesure info(PoliceInfo), nom(PoliceNomPiece);
        const QString texteInfo = Q(InfoPiece(p));
        const double largeurTitre = std::max(std::min(nom.Largeur(titre), largeurTable / 2),
                                             largeurTable - info.Largeur(texteInfo) - EcartColonnes);
        const double largeurInfo = largeurTable - largeurTitre - EcartColonnes;
        f.Texte(nom.Ajuster(titre, largeurTitre), PoliceNomPiece,
                QRectF(gauche_, place.Y, largeurTitre, h.TitrePiece), Qt::AlignLeft);
        f.Texte(info.Ajuster(texteInfo, largeurInfo), PoliceInfo,
                QRectF(droite_ - largeurInfo, place.Y, largeurInfo, h.TitrePiece), Qt::AlignRight);
        break;
    }
    case Genre::Entete:
        f.Fond(QRectF(gauche_, place.Y, largeurTable, h.Titres + h.Unites), GrisFond);
        for (std::size_t c = 0; c < largeursElements_.size(); ++c) {
            f.Texte(QString::fromUtf8(TitresColonnesElements[c]), PoliceTableGras, zone(c, place.Y, h.Titres),
                    alignement(c));
            f.Texte(QString::fromUtf8(UnitesColonnesElements[c]), PoliceUnites,
                    zone(c, place.Y + h.Titres, h.Unites), alignement(c));
        }
        f.Ligne({gauche_, place.Y + h.Titres + h.Unites}, {droite_, place.Y + h.Titres + h.Unites}, 0.8);
        break;
    case Genre::Element: {
        const LigneElement ligne = LignesElements(p)[static_cast<std::size_t>(place.Ligne)];
        const Mesure mesure(PoliceTable);
        for (std::size_t c = 0; c < ligne.size(); ++c) {
            const QRectF z = zone(c, place.Y, h.Element);
            f.Texte(mesure.Ajuster(Q(ligne[c]), z.width()), PoliceTable, z, alignement(c));
        }
        f.Ligne({gauche_, place.Y + h.Element}, {droite_, place.Y + h.Element}, 0.4, GrisTrait);
        break;
    }
    case Genre::Bilan:
        DessinerLignes(f, BilanPiece(p), gauche_, droite_, place.Y + 4, h.Rangee);
        break;
    case Genre::Climat:
    case Genre::Totaux:
        break;
    }
}

} // namespace sorvel
