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

QString Texte(const LigneDonneeGenerale& l) { return Q(l.Libelle + l.Valeur + l.Unite); }

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

void ModImprimer::MettreEnPageDeperditions() {
    using Genre = PlaceDeperditions::Genre;
    const DeperditionsEtude& d = donnees_.Deperditions;
    const Hauteurs h;

    // Every column as wide as its title, unit and values; the designation
    // takes the rest. The texts at the left, the numbers at the right.
    std::vector<LigneElement> lignes;
    for (const DeperditionsPieceCalculees& p : d.Pieces)
        for (const LigneElement& e : LignesElements(p))
            lignes.push_back(e);
    std::vector<Qt::Alignment> alignements(NombreColonnesElements, Qt::AlignRight);
    std::fill_n(alignements.begin(), 3, Qt::AlignLeft);
    elements_ = MesurerColonnes(TitresColonnesElements, UnitesColonnesElements, lignes, 0, droite_ - gauche_,
                                std::move(alignements));

    MiseEnPage<PlaceDeperditions> mise(hautContenu_, basContenu_, pagesDeperditions_);
    if (d.Climat)
        mise.Placer({Genre::Climat},
                    h.SousTitre + RangeesEnColonnes(LignesClimat(*d.Climat).size()) * h.Rangee + EcartBlocs);
    for (std::size_t i = 0; i < d.Pieces.size(); ++i) {
        const int piece = static_cast<int>(i);
        const int elements = static_cast<int>(d.Pieces[i].Details.Elements.size());
        const double bilan = 4 + RangeesEnColonnes(BilanPiece(d.Pieces[i]).size()) * h.Rangee;
        const double debut = h.TitreBloc + h.Titres + h.Unites;
        const double bloc = debut + elements * h.Element + bilan;
        mise.Commencer(bloc, debut + RangeesMinimum * h.Element);
        mise.Placer({Genre::TitrePiece, piece}, h.TitreBloc);
        mise.Placer({Genre::Entete, piece}, h.Titres + h.Unites);
        mise.PlacerRangees(elements, h.Element, [&](int e) { return PlaceDeperditions{Genre::Element, piece, e}; },
                           {{{Genre::TitrePiece, piece, 1}, h.TitreBloc}, {{Genre::Entete, piece}, h.Titres + h.Unites}});
        if (!mise.Tient(bilan)) {
            mise.NouvellePage();
            mise.Placer({Genre::TitrePiece, piece, 1}, h.TitreBloc);
        }
        mise.Placer({Genre::Bilan, piece}, bilan);
        mise.Sauter(EcartBlocs);
    }
    const double totaux = h.SousTitre + LignesTotaux(d, droite_ - gauche_).size() * h.Rangee;
    if (!mise.Tient(totaux))
        mise.NouvellePage();
    mise.Placer({Genre::Totaux}, totaux);
    nombrePages_ = static_cast<int>(pagesDeperditions_.size());
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
    switch (place.Quoi) {
    case Genre::TitrePiece:
        DessinerTitreBloc(f, QStringLiteral("Pièce %1 : %2").arg(p.Piece).arg(Q(p.NomPiece)), Q(InfoPiece(p)),
                          place.Ligne, place.Y);
        break;
    case Genre::Entete:
        DessinerEntete(f, elements_, TitresColonnesElements, UnitesColonnesElements, place.Y);
        break;
    case Genre::Element:
        DessinerRangee(f, elements_, LignesElements(p)[static_cast<std::size_t>(place.Ligne)], place.Y);
        break;
    case Genre::Bilan:
        DessinerLignes(f, BilanPiece(p), gauche_, droite_, place.Y + 4, h.Rangee);
        break;
    case Genre::Climat:
    case Genre::Totaux:
        break;
    }
}

} // namespace sorvel
