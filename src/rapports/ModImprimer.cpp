#include "rapports/Feuille.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPageSize>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>

namespace sorvel {

using namespace papier;

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

QString LigneRenseignements(const RenseignementsEtude& r) {
    QStringList parties;
    for (const auto& [libelle, texte] : {std::pair{"Client : ", &r.Client}, std::pair{"Chantier : ", &r.Chantier},
                                         std::pair{"Installateur : ", &r.Installateur}}) {
        QStringList lignes;
        for (const QString& ligne : Q(*texte).split(QLatin1Char('\n')))
            if (!ligne.trimmed().isEmpty())
                lignes << ligne.trimmed();
        if (!lignes.isEmpty())
            parties << QString::fromUtf8(libelle) + lignes.join(QStringLiteral(", "));
    }
    return parties.join(QStringLiteral(" — "));
}

double PixelsParPoint(const QPaintDevice& device, double echelle) {
    return echelle * device.logicalDpiY() / 72.0;
}

ModImprimer::ModImprimer(DonneesRapport donnees, Rapport rapport, QSizeF page)
    : donnees_(std::move(donnees)), rapport_(rapport), page_(page) {
    gauche_ = MargeGauche;
    droite_ = page_.width() - MargeDroite;
    // Header line, the study's details, a rule, the title; the footer at the
    // bottom.
    if (!LigneRenseignements(donnees_.Renseignements).isEmpty())
        hauteurRenseignements_ = Hauteur(PoliceInfo) + 3;
    hautContenu_ = MargeHaut + Hauteur(PoliceEntete) + hauteurRenseignements_ + 10 + Hauteur(PoliceTitre) + 10;
    basContenu_ = page_.height() - MargeBas - Hauteur(PolicePied) - 12;
    if (rapport_ == Rapport::Chantier)
        MettreEnPageChantier();
    else if (rapport_ == Rapport::Recapitulatif)
        MettreEnPageRecapitulatif();
    else if (rapport_ == Rapport::Deperditions)
        MettreEnPageDeperditions();
    else
        MettreEnPageReglage();
}

QString ModImprimer::Titre() const {
    switch (rapport_) {
    case Rapport::Chantier: return QStringLiteral("Résultats chantier");
    case Rapport::Recapitulatif: return QStringLiteral("Récapitulatif");
    case Rapport::Deperditions: return QStringLiteral("Déperditions");
    case Rapport::Reglage: break;
    }
    return QStringLiteral("Fiche de réglage");
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
    if (hauteurRenseignements_ > 0)
        f.Texte(Mesure(PoliceInfo).Ajuster(LigneRenseignements(donnees_.Renseignements), droite_ - gauche_),
                PoliceInfo, QRectF(gauche_, MargeHaut + hEntete + 3, droite_ - gauche_, Hauteur(PoliceInfo)),
                Qt::AlignLeft);
    const double yTrait = MargeHaut + hEntete + hauteurRenseignements_ + 4;
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

template <class Place>
void ModImprimer::DessinerPlaces(Feuille& f, const std::vector<std::vector<Place>>& pages, int page) const {
    for (const Place& place : pages[static_cast<std::size_t>(page - 1)])
        DessinerPlace(f, place);
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
    else if (rapport_ == Rapport::Deperditions)
        DessinerPlaces(f, pagesDeperditions_, page);
    else if (rapport_ == Rapport::Reglage)
        DessinerPlaces(f, pagesReglage_, page);
    else if (page <= pagesPieces_)
        DessinerPieces(f, page);
    else if (page == pagesPieces_ + 1)
        DessinerDonneesGenerales(f);
    if (rapport_ == Rapport::Chantier)
        DessinerNotes(f, page);
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
// Tables of the blocks: headings on a grey ground, rows under a grey rule.

QRectF ColonnesTable::Zone(double gauche, std::size_t c, double y, double hauteur) const {
    double x = gauche;
    for (std::size_t k = 0; k < c; ++k)
        x += Largeurs[k];
    return QRectF(x + Retrait, y, Largeurs[c] - 2 * Retrait, hauteur);
}

void ModImprimer::DessinerTitreBloc(Feuille& f, const QString& titre, const QString& info, bool suite,
                                    double y) const {
    const Hauteurs h;
    const double largeurTable = droite_ - gauche_;
    const QString texte = suite ? titre + QStringLiteral(" (suite)") : titre;
    // A long title gives way to the figures up to half the width. The
    // figures' room is their measured width itself whenever they fit, so
    // that no rounding of the subtraction shortens them.
    const Mesure mesureInfo(PoliceInfo), nom(PoliceTitreBloc);
    const double largeurInfo = std::min(mesureInfo.Largeur(info),
                                        largeurTable - EcartColonnes - std::min(nom.Largeur(texte), largeurTable / 2));
    const double largeurTitre = largeurTable - largeurInfo - EcartColonnes;
    f.Texte(nom.Ajuster(texte, largeurTitre), PoliceTitreBloc, QRectF(gauche_, y, largeurTitre, h.TitreBloc),
            Qt::AlignLeft);
    f.Texte(mesureInfo.Ajuster(info, largeurInfo), PoliceInfo,
            QRectF(droite_ - largeurInfo, y, largeurInfo, h.TitreBloc), Qt::AlignRight);
}

void ModImprimer::DessinerEntete(Feuille& f, const ColonnesTable& t, std::span<const char* const> titres,
                                 std::span<const char* const> unites, double y) const {
    const Hauteurs h;
    f.Fond(QRectF(gauche_, y, droite_ - gauche_, h.Titres + h.Unites), GrisFond);
    for (std::size_t c = 0; c < t.Largeurs.size(); ++c) {
        f.Texte(QString::fromUtf8(titres[c]), PoliceTableGras, t.Zone(gauche_, c, y, h.Titres), t.Alignements[c]);
        f.Texte(QString::fromUtf8(unites[c]), PoliceUnites, t.Zone(gauche_, c, y + h.Titres, h.Unites),
                t.Alignements[c]);
    }
    f.Ligne({gauche_, y + h.Titres + h.Unites}, {droite_, y + h.Titres + h.Unites}, 0.8);
}

void ModImprimer::DessinerRangee(Feuille& f, const ColonnesTable& t, std::span<const std::string> cellules,
                                 double y) const {
    const Hauteurs h;
    const Mesure mesure(PoliceTable);
    for (std::size_t c = 0; c < cellules.size(); ++c) {
        const QRectF z = t.Zone(gauche_, c, y, h.Element);
        f.Texte(mesure.Ajuster(Q(cellules[c]), z.width()), PoliceTable, z, t.Alignements[c]);
    }
    f.Ligne({gauche_, y + h.Element}, {droite_, y + h.Element}, 0.4, GrisTrait);
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
    pieces_ = LignesPiecesChantier(donnees_.Resultat);
    generales_ = DonneesGeneralesChantier(donnees_.Resultat, donnees_.Generales, donnees_.Materiel);

    // The four value columns share one width, wide enough for their titles,
    // units and values; a normal zone laid as several loops ("3 boucles de
    // 98,6 m") widens its own column alone. The room names take the rest.
    constexpr int LongueurNormale = 3;
    double commune = 70, boucles = 0;
    for (int c = 1; c < NombreColonnesChantier; ++c) {
        commune = std::max(commune, Largeur(PolicePiecesGras, TitresColonnesChantier[c]) + 2 * Retrait);
        commune = std::max(commune, Largeur(PoliceUnites, UnitesColonnesChantier[c]) + 2 * Retrait);
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            const double l = Largeur(PolicePieces, Q(pieces_[i][static_cast<std::size_t>(c)])) + 2 * Retrait;
            if (c == LongueurNormale && BouclesPiece(donnees_.Resultat, static_cast<int>(i) + 1) > 1)
                boucles = std::max(boucles, l);
            else
                commune = std::max(commune, l);
        }
    }
    largeursChantier_.fill(commune);
    largeursChantier_[LongueurNormale] = std::max(commune, boucles);
    double valeurs = 0;
    for (int c = 1; c < NombreColonnesChantier; ++c)
        valeurs += largeursChantier_[static_cast<std::size_t>(c)];
    largeursChantier_[0] = std::max(droite_ - gauche_ - valeurs, 2 * Retrait);

    hauteurLigne_ = 1.5 * Hauteur(PolicePieces);
    const PlanPieces plan = PlanTablePieces(hautContenu_);
    lignesParPage_ = std::max(1, static_cast<int>(std::floor((basContenu_ - plan.yLignes) / hauteurLigne_)));
    const int n = static_cast<int>(pieces_.size());
    pagesPieces_ = std::max(1, (n + lignesParPage_ - 1) / lignesParPage_);
    nombrePages_ = pagesPieces_ + 1;
    MettreEnPageNotes();
}

void ModImprimer::DessinerPieces(Feuille& f, int page) const {
    const PlanPieces plan = PlanTablePieces(hautContenu_);
    double largeurTable = 0;
    for (double l : largeursChantier_)
        largeurTable += l;
    f.Texte(Mesure(PoliceInfo).Ajuster(Q(TexteLblRecap(donnees_.Generales)), droite_ - gauche_), PoliceInfo,
            QRectF(gauche_, plan.yInfo, droite_ - gauche_, Hauteur(PoliceInfo)), Qt::AlignLeft);

    // Column c spans [x(c), x(c + 1)).
    const auto largeur = [&](int c) { return largeursChantier_[static_cast<std::size_t>(c)]; };
    const auto x = [&](int c) {
        double xc = gauche_;
        for (int avant = 0; avant < c; ++avant)
            xc += largeur(avant);
        return xc;
    };
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
// Site results: the study's notes after the general data, on the pages after
// them where they do not fit.

void ModImprimer::MettreEnPageNotes() {
    notes_.clear();
    if (donnees_.Renseignements.Notes.empty())
        return;
    const Mesure mesure(PoliceDonnees);
    const double pas = 1.2 * mesure.Hauteur(), titre = Hauteurs().SousTitre;
    int page = pagesPieces_ + 1;
    // Below the general data, as DessinerDonneesGenerales places them.
    double y = hautContenu_ + Hauteur(PoliceSection) + 18 + static_cast<double>(generales_.size()) * pas + EcartBlocs;
    const auto placer = [&](const QString& texte, bool estTitre, double hauteur, double garde) {
        if (y + garde > basContenu_) {
            ++page;
            y = hautContenu_;
        }
        notes_.push_back({page, y, texte, estTitre});
        y += hauteur;
    };
    // The title never ends a page alone.
    placer(QStringLiteral("Notes"), true, titre, titre + pas);
    for (const QString& paragraphe : Q(donnees_.Renseignements.Notes).split(QLatin1Char('\n'))) {
        QStringList lignes = Couper(mesure, paragraphe, droite_ - gauche_);
        if (lignes.isEmpty())
            lignes << QString();
        for (const QString& ligne : lignes)
            placer(ligne, false, pas, pas);
    }
    nombrePages_ = page;
}

void ModImprimer::DessinerNotes(Feuille& f, int page) const {
    const double pas = 1.2 * Hauteur(PoliceDonnees);
    for (const PlaceNote& n : notes_)
        if (n.Page == page)
            f.Texte(n.Texte, n.Titre ? PoliceSousTitre : PoliceDonnees,
                    QRectF(gauche_, n.Y, droite_ - gauche_, n.Titre ? Hauteurs().SousTitre : pas), Qt::AlignLeft);
}

} // namespace sorvel
