// The site's commissioning sheet: its layout and its pages (ModImprimer.h).
// A line on the study and how to read the sheet heads the first page; each
// manifold follows with its title and the outlets it uses, its figures, its
// warnings and the table of its outlets. A manifold is kept on one page
// whenever a page can hold it; a longer one goes on over the next page, its
// title and headings repeated.

#include "rapports/Feuille.h"

namespace sorvel {

using namespace papier;

namespace {

constexpr Police PoliceAlerte{9.5, true};

const QString Lecture = QStringLiteral(
    "Régler le débitmètre de chaque sortie sur son débit en l/min, puis chaque vanne sur son Kv en m³/h ; "
    "« ouverte » : grande ouverte.");

// The warnings of a manifold as drawn, each over as many lines as it needs.
QStringList LignesAlertes(const FiguresCollecteur& c, double largeur) {
    const Mesure mesure(PoliceAlerte);
    QStringList lignes;
    for (const std::string& alerte : AlertesReglage(c))
        lignes << Couper(mesure, Q(alerte), largeur);
    return lignes;
}

// The study's line and how to read the sheet, each over the lines it needs.
std::pair<QStringList, QStringList> LignesEtude(const Installation& generales, double largeur) {
    return {Couper(Mesure(PoliceInfo), Q(TexteLblRecap(generales)), largeur),
            Couper(Mesure(PoliceNote), Lecture, largeur)};
}

double HauteurEtude(const std::pair<QStringList, QStringList>& lignes) {
    return lignes.first.size() * 1.3 * Hauteur(PoliceInfo) + lignes.second.size() * 1.3 * Hauteur(PoliceNote)
           + EcartBlocs;
}

} // namespace

void ModImprimer::MettreEnPageReglage() {
    using Genre = PlaceReglage::Genre;
    const std::vector<FiguresCollecteur>& collecteurs = donnees_.Collecteurs;
    const Hauteurs h;

    // Every column as wide as its title, unit and values; the room takes the
    // rest. The outlet centred, the texts at the left, the numbers at the
    // right.
    std::vector<LigneReglage> lignes;
    for (const FiguresCollecteur& c : collecteurs)
        for (const LigneReglage& l : LignesReglage(c))
            lignes.push_back(l);
    std::vector<Qt::Alignment> alignements(NombreColonnesReglage, Qt::AlignRight);
    alignements[ColonneReglage::Sortie] = Qt::AlignHCenter;
    for (int c : {ColonneReglage::Piece, ColonneReglage::Boucle, ColonneReglage::Remarque})
        alignements[static_cast<std::size_t>(c)] = Qt::AlignLeft;
    sorties_ = MesurerColonnes(TitresColonnesReglage, UnitesColonnesReglage, lignes, ColonneReglage::Piece,
                               droite_ - gauche_, std::move(alignements));

    MiseEnPage<PlaceReglage> mise(hautContenu_, basContenu_, pagesReglage_);
    mise.Placer({Genre::Etude}, HauteurEtude(LignesEtude(donnees_.Generales, droite_ - gauche_)));
    for (std::size_t i = 0; i < collecteurs.size(); ++i) {
        const FiguresCollecteur& c = collecteurs[i];
        const int collecteur = static_cast<int>(i);
        const int rangees = static_cast<int>(c.Boucles.size());
        const double figures = 4 + RangeesEnColonnes(FiguresReglage(c).size()) * h.Rangee
                               + LignesAlertes(c, droite_ - gauche_).size() * h.Rangee + 4;
        const double entete = rangees > 0 ? h.Titres + h.Unites : 0;
        const double debut = h.TitreBloc + figures + entete;
        mise.Commencer(debut + rangees * h.Element, debut + RangeesMinimum * h.Element);
        mise.Placer({Genre::Titre, collecteur}, h.TitreBloc);
        mise.Placer({Genre::Figures, collecteur}, figures);
        if (rangees > 0)
            mise.Placer({Genre::Entete, collecteur}, entete);
        mise.PlacerRangees(rangees, h.Element,
                           [&](int r) { return PlaceReglage{Genre::Sortie, collecteur, r}; },
                           {{{Genre::Titre, collecteur, 1}, h.TitreBloc}, {{Genre::Entete, collecteur}, entete}});
        mise.Sauter(EcartBlocs);
    }
    nombrePages_ = static_cast<int>(pagesReglage_.size());
}

void ModImprimer::DessinerPlace(Feuille& f, const PlaceReglage& place) const {
    using Genre = PlaceReglage::Genre;
    const Hauteurs h;
    const double largeur = droite_ - gauche_;
    if (place.Quoi == Genre::Etude) {
        const auto [etude, lecture] = LignesEtude(donnees_.Generales, largeur);
        double y = place.Y;
        for (const auto& [textes, police] : {std::pair{etude, PoliceInfo}, std::pair{lecture, PoliceNote}})
            for (const QString& t : textes) {
                const double hauteur = 1.3 * Hauteur(police);
                f.Texte(t, police, QRectF(gauche_, y, largeur, hauteur), Qt::AlignLeft);
                y += hauteur;
            }
        return;
    }
    const FiguresCollecteur& c = donnees_.Collecteurs[static_cast<std::size_t>(place.Collecteur)];
    switch (place.Quoi) {
    case Genre::Titre:
        DessinerTitreBloc(f, Q(c.Definition.Nom), Q(InfoCollecteur(c)), place.Ligne, place.Y);
        break;
    case Genre::Figures: {
        const std::vector<LigneDonneeGenerale> figures = FiguresReglage(c);
        DessinerLignes(f, figures, gauche_, droite_, place.Y + 4, h.Rangee);
        double y = place.Y + 4 + RangeesEnColonnes(figures.size()) * h.Rangee;
        const QColor rouge = Couleur({true, CouleurValeur::Rouge});
        for (const QString& alerte : LignesAlertes(c, largeur)) {
            f.Texte(alerte, PoliceAlerte, QRectF(gauche_, y, largeur, h.Rangee), Qt::AlignLeft, rouge);
            y += h.Rangee;
        }
        break;
    }
    case Genre::Entete:
        DessinerEntete(f, sorties_, TitresColonnesReglage, UnitesColonnesReglage, place.Y);
        break;
    case Genre::Sortie:
        DessinerRangee(f, sorties_, LignesReglage(c)[static_cast<std::size_t>(place.Ligne)], place.Y);
        break;
    case Genre::Etude:
        break;
    }
}

} // namespace sorvel
