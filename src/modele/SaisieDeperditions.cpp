#include "modele/SaisieDeperditions.h"

#include "etude/PresentationDeperditions.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "etude/BornesSaisie.h"
#include "modele/EtudeEnCours.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace sorvel {

namespace {

// Common U values by nature, W/(m².K): a few steps from well insulated to
// not insulated at all, the insulant taken at about 0.035 W/(m.K).
constexpr ValeurUsuelle UMurs[] = {
    {0.20, "mur très isolé (16 à 20 cm d'isolant)"},
    {0.30, "mur isolé (12 cm d'isolant)"},
    {0.50, "mur peu isolé (6 cm d'isolant)"},
    {2.50, "mur non isolé (parpaing, béton)"},
};
constexpr ValeurUsuelle UFenetres[] = {
    {0.80, "triple vitrage"},
    {1.30, "double vitrage récent à isolation renforcée"},
    {2.90, "double vitrage ancien"},
    {5.00, "simple vitrage"},
};
constexpr ValeurUsuelle UPortes[] = {
    {1.50, "porte isolée"},
    {3.50, "porte pleine non isolée"},
};
constexpr ValeurUsuelle UPlanchers[] = {
    {0.20, "plancher très isolé (15 cm d'isolant)"},
    {0.35, "plancher isolé (8 à 10 cm d'isolant)"},
    {2.00, "dalle non isolée"},
};
constexpr ValeurUsuelle UPlafonds[] = {
    {0.12, "combles très isolés (30 cm d'isolant et plus)"},
    {0.20, "combles isolés (20 cm d'isolant)"},
    {0.40, "plafond peu isolé (8 cm d'isolant)"},
    {2.50, "plafond non isolé"},
};

// The bounds of the dialog's numbers, by caption (without the element's
// number).
const BorneDeperditions BornesDetails[] = {
    {LegendeSurface, 0, false, SurfaceMaximale, "m²"},
    {LegendeU, 0, false, 20, "W/(m².K)"},
    {LegendeB, 0, false, 1, ""},
    {LegendeTempVoisin, -50, false, 50, "°C"},
    {LegendeRenouvellement, 0, false, 50, "vol/h"},
    {LegendeDebitExtrait, 0, false, 100'000, "m³/h"},
    {LegendeHauteur, 0, true, 20, "m"},
    {LegendeRelance, 0, false, 1'000, "W/m²"},
};

QString Nombre(double x) { return QString::fromStdString(FormatGeneral(x)); }

// The number `details` hold under a caption without its element's number:
// of the element `numero` (from 1), or of the room for 0. Nothing for a
// value not given, or a caption of neither.
std::optional<double> ValeurDetail(const DeperditionsPiece& d, const QString& colonne, int numero) {
    if (numero > 0) {
        if (numero > static_cast<int>(d.Elements.size()))
            return std::nullopt;
        const ElementParoi& e = d.Elements[numero - 1];
        if (colonne == LegendeSurface)
            return e.Surface;
        if (colonne == LegendeU)
            return e.U;
        if (colonne == LegendeB)
            return e.B;
        if (colonne == LegendeTempVoisin)
            return e.TempAdjacente;
        return std::nullopt;
    }
    if (colonne == LegendeRenouvellement)
        return d.Renouvellement;
    if (colonne == LegendeDebitExtrait)
        return d.DebitExtrait;
    if (colonne == LegendeHauteur)
        return d.Hauteur;
    if (colonne == LegendeRelance)
        return d.Relance;
    return std::nullopt;
}

// Why the details cannot be worked out before any calculation; empty when
// nothing is missing.
QString Manque(const DeperditionsPiece& d, const std::optional<ClimatSite>& climat, const Piece& piece) {
    if (!piece.TempPiece)
        return QStringLiteral("Choisir la température de la pièce.");
    if (!climat)
        return QStringLiteral("Définir le climat du site (menu « Etude », « Climat du site... »).");
    if (!(*piece.TempPiece > climat->TempExterieure))
        return QStringLiteral("La pièce (") + Nombre(*piece.TempPiece) +
               QStringLiteral(" °C) doit être plus chaude que l'extérieur (") + Nombre(climat->TempExterieure) +
               QStringLiteral(" °C).");
    for (std::size_t i = 0; i < d.Elements.size(); ++i) {
        const ElementParoi& e = d.Elements[i];
        const QString numero = Nombre(static_cast<double>(i + 1));
        if (e.Contact == ContactElement::Sol && !climat->TempMoyenneAnnuelle)
            return QStringLiteral("L'élément ") + numero +
                   QStringLiteral(" est sur terre-plein : donner la température moyenne annuelle du site.");
        if (e.Contact == ContactElement::NonChauffe && !e.B)
            return QStringLiteral("Donner le facteur b de l'élément ") + numero + QLatin1Char('.');
        if (e.Contact == ContactElement::Chauffe && !e.TempAdjacente)
            return QStringLiteral("Donner la température du local voisin de l'élément ") + numero + QLatin1Char('.');
    }
    return {};
}

} // namespace

QString LibelleNature(NatureElement nature) { return QString::fromUtf8(TexteNature(nature)); }

QString LibelleContact(ContactElement contact) { return QString::fromUtf8(TexteContact(contact)); }

std::span<const ValeurUsuelle> ValeursUUsuelles(NatureElement nature) {
    switch (nature) {
    case NatureElement::Mur: return UMurs;
    case NatureElement::Fenetre: return UFenetres;
    case NatureElement::Porte: return UPortes;
    case NatureElement::Plancher: return UPlanchers;
    case NatureElement::Plafond: break;
    }
    return UPlafonds;
}

QString TexteValeurUsuelle(const ValeurUsuelle& valeur) {
    return Nombre(valeur.U) + QStringLiteral(" W/(m².K) : ") + QString::fromUtf8(valeur.Description);
}

std::optional<std::pair<QString, QString>> RefusBorneDeperditions(const BorneDeperditions& borne, const QString& legende,
                                                                  double valeur) {
    const bool dessous = borne.MinimumExclu ? !(valeur > borne.Minimum) : !(valeur >= borne.Minimum);
    if (std::isfinite(valeur) && !dessous && valeur <= borne.Maximum)
        return std::nullopt;
    const QString unite = *borne.Unite ? QLatin1Char(' ') + QString::fromUtf8(borne.Unite) : QString();
    const QString debut = QStringLiteral("La valeur de « ") + legende + QStringLiteral(" » doit être ");
    const QString texte =
        borne.MinimumExclu
            ? debut + QStringLiteral("supérieure à ") + Nombre(borne.Minimum) + QStringLiteral(" et au plus égale à ") +
                  Nombre(borne.Maximum) + unite + QStringLiteral(" !")
            : debut + QStringLiteral("comprise entre ") + Nombre(borne.Minimum) + QStringLiteral(" et ") +
                  Nombre(borne.Maximum) + unite + QStringLiteral(" !");
    return std::pair{legende + QLatin1Char('.'), texte};
}

QString LegendeElement(const QString& colonne, int numero) {
    return colonne + QStringLiteral(" de l'élément ") + Nombre(numero);
}

std::optional<std::pair<QString, QString>> RefusDetailSaisi(const DeperditionsPiece& details, const QString& legende) {
    static const QRegularExpression element(QStringLiteral("^(.+) de l'élément (\\d+)$"));
    const QRegularExpressionMatch m = element.match(legende);
    const QString colonne = m.hasMatch() ? m.captured(1) : legende;
    const int numero = m.hasMatch() ? m.captured(2).toInt() : 0;
    const auto borne = std::find_if(std::begin(BornesDetails), std::end(BornesDetails),
                                    [&](const BorneDeperditions& b) { return b.Legende == colonne; });
    const std::optional<double> valeur = ValeurDetail(details, colonne, numero);
    if (!valeur && numero > 0 && numero <= static_cast<int>(details.Elements.size())) {
        // A value the element's contact cannot do without.
        const ContactElement contact = details.Elements[numero - 1].Contact;
        if ((colonne == LegendeB && contact == ContactElement::NonChauffe) ||
            (colonne == LegendeTempVoisin && contact == ContactElement::Chauffe))
            return std::pair{legende + QLatin1Char('.'),
                             QStringLiteral("Donner ") + (colonne == LegendeB ? QStringLiteral("le facteur b")
                                                                               : QStringLiteral("la température du local voisin")) +
                                 QStringLiteral(" de l'élément ") + Nombre(numero) + QStringLiteral(" !")};
    }
    if (borne == std::end(BornesDetails) || !valeur)
        return std::nullopt;
    return RefusBorneDeperditions(*borne, legende, *valeur);
}

BilanDeperditions BilanDetails(const DeperditionsPiece& details, const std::optional<ClimatSite>& climat,
                               const Piece& piece) {
    BilanDeperditions bilan;
    bilan.Raison = Manque(details, climat, piece);
    if (!bilan.Raison.isEmpty())
        return bilan;
    try {
        bilan.Resultat = CalculerDeperditions(details, *climat, *piece.TempPiece, piece.SurfacePiece);
    } catch (const ErreurArithmetique& e) {
        bilan.Raison = QStringLiteral("Les valeurs données conduisent à un calcul impossible (") +
                       QString::fromUtf8(ErreurArithmetique::libelle(e.nature())) + QStringLiteral(").");
    }
    return bilan;
}

QString LegendeDeperditions(const QString& nom) {
    return nom.isEmpty() ? QStringLiteral("Déperditions de la pièce")
                         : QStringLiteral("Déperditions de la pièce (") + nom + QStringLiteral(")");
}

QString TexteSuiteDetails(const Piece& piece, const BilanDeperditions& bilan) {
    if (!bilan.Resultat)
        return bilan.Raison;
    const double total = ValeurChampDeperditions(bilan.Resultat->Total);
    const double plancher = ValeurChampDeperditions(bilan.Resultat->Plancher);
    const QString suite = QStringLiteral("« OK » mettra ") + Nombre(total) +
                          QStringLiteral(" W dans les déperditions de la pièce et ") + Nombre(plancher) +
                          QStringLiteral(" W dans celles du plancher.");
    const bool vides = piece.DeperdPiece == 0 && piece.DeperdPlancher == 0;
    if (vides || (piece.DeperdPiece == total && piece.DeperdPlancher == plancher))
        return suite;
    return QStringLiteral("Saisie manuelle sur la page : ") + Nombre(piece.DeperdPiece) + QStringLiteral(" W et ") +
           Nombre(piece.DeperdPlancher) + QStringLiteral(" W. ") + suite;
}

QString TexteWatts(double watts) { return Nombre(Arrondir(watts, 1)) + QStringLiteral(" W"); }

QString TexteDebitAir(double debit) { return Nombre(Arrondir(debit, 1)) + QStringLiteral(" m³/h"); }

EtatDeperditions EtatChampsDeperditions(const Piece& piece, const std::optional<ClimatSite>& climat) {
    EtatDeperditions etat;
    if (!piece.Deperditions)
        return etat;
    etat.Bilan = BilanDetails(*piece.Deperditions, climat, piece);
    const std::optional<ResultatDeperditions>& r = etat.Bilan.Resultat;
    const bool memes = r && ValeurChampDeperditions(r->Total) == piece.DeperdPiece &&
                       ValeurChampDeperditions(r->Plancher) == piece.DeperdPlancher;
    etat.Origine = memes ? OrigineDeperditions::Detail : OrigineDeperditions::SaisieManuelle;
    return etat;
}

QString TexteEtatDeperditions(const EtatDeperditions& etat) {
    switch (etat.Origine) {
    case OrigineDeperditions::Saisie:
        return {};
    case OrigineDeperditions::Detail:
        return QStringLiteral("Valeurs calculées d'après le détail des parois.");
    case OrigineDeperditions::SaisieManuelle:
        break;
    }
    const std::optional<ResultatDeperditions>& r = etat.Bilan.Resultat;
    if (!r)
        return QStringLiteral("Saisie manuelle : le détail des parois ne peut pas être calculé. ") + etat.Bilan.Raison;
    return QStringLiteral("Saisie manuelle : le détail des parois donne ") +
           Nombre(ValeurChampDeperditions(r->Total)) + QStringLiteral(" W et ") +
           Nombre(ValeurChampDeperditions(r->Plancher)) + QStringLiteral(" W.");
}

AvantDeperditions PreparerDeperditions(EtudeEnCours& etude) {
    if (etude.Climat())
        return AvantDeperditions::Pret;
    const ReponseMessage r = etude.Dire(
        IconeMessage::Question, QStringLiteral("Climat du site."),
        QStringLiteral("Le climat du site n'est pas encore défini : le calcul des déperditions a besoin de sa "
                       "température extérieure de base.\nDéfinir le climat du site maintenant ?"),
        BoutonsMessage::OuiNon);
    return r == ReponseMessage::Oui ? AvantDeperditions::DefinirClimat : AvantDeperditions::Renoncer;
}

std::optional<std::pair<double, double>> AppliquerDetails(EtudeEnCours& etude, const DeperditionsPiece& details,
                                                          const Piece& piece) {
    const BilanDeperditions bilan = BilanDetails(details, etude.Climat(), piece);
    if (!bilan.Resultat) {
        etude.Dire(IconeMessage::Exclamation, QStringLiteral("Déperditions de la pièce."),
                   QStringLiteral("Les déperditions ne peuvent pas être calculées. ") + bilan.Raison);
        return std::nullopt;
    }
    if (etude.Saisie().PieceEnSaisie().Deperditions != details) {
        etude.Saisie().ModifierPieceEnSaisie([&](Piece& p) { p.Deperditions = details; });
        etude.MarquerModifie();
    }
    return std::pair{ValeurChampDeperditions(bilan.Resultat->Total), ValeurChampDeperditions(bilan.Resultat->Plancher)};
}

} // namespace sorvel
