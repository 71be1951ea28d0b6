#include "modele/ListePieces.h"

#include "commun/ErreurArithmetique.h"
#include "commun/ErreurSignalee.h"
#include "commun/Nombres.h"
#include "etude/PresentationRecapitulatif.h"
#include "etude/RecalculEtude.h"
#include "modele/EtudeEnCours.h"
#include "stockage/FichiersTravail.h"

#include <QStringList>

#include <algorithm>

namespace sorvel {

namespace {

const QString TitreSuppression = QStringLiteral("Suppression.");
const QString TitreDuplication = QStringLiteral("Duplication.");
const QString TitreDeplacement = QStringLiteral("Déplacement.");
const QString TitreAnnulation = QStringLiteral("Annulation de la suppression.");

// The study is full: no room can be added to it.
void DireEtudePleine(EtudeEnCours& etude) {
    etude.Dire(IconeMessage::Information, QStringLiteral("30 Pièces maximum."),
               QStringLiteral("Il n'est plus possible d'ajouter de pièce à l'étude !"));
}

// Heat in whole watts, as a list has room for it ("1533").
std::string WattsEntiers(double x) { return FormatGeneral(Arrondir(x, 0) + 0.0); }

// The figures of room `i` (from 1) of the summary `recap`.
ChiffresPiece ChiffresLigne(const Recapitulatif& recap, const ResultatEtude& resultat, int i) {
    using namespace ColonneEtude;
    auto texte = [&](int k) { return QString::fromStdString(recap.Case(k, i).Texte); };
    auto watts = [&](int k) {
        return QString::fromStdString(WattsEntiers(NombreCellule(resultat.Table.Cell(k, i)).value_or(0))) +
               QStringLiteral(" W");
    };
    ChiffresPiece c;
    c.Surface = texte(SurfacePiece) + QStringLiteral(" m²");
    c.Chaleur = watts(DeperdCorrigees);
    const int boucles = BouclesPiece(resultat, i);
    c.Boucle = (boucles > 1 ? QStringLiteral("%1 × ").arg(boucles) : QString()) + texte(LongueurNormale) +
               QStringLiteral(" m");
    c.FormatBoucle = recap.Case(LongueurNormale, i).Format;
    // The worse of the two coverings.
    const int appoint = NombreCellule(resultat.Table.Cell(AppointFuture, i)).value_or(0) >
                                NombreCellule(resultat.Table.Cell(AppointActuelle, i)).value_or(0)
                            ? AppointFuture
                            : AppointActuelle;
    if (recap.Case(appoint, i).Format.Couleur == CouleurValeur::Bleu) {
        c.Appoint = watts(appoint);
        c.FormatAppoint = recap.Case(appoint, i).Format;
    }
    return c;
}

} // namespace

QString NomCopie(const QString& nom, const QStringList& pris, int longueur) {
    for (int n = 1;; ++n) {
        const QString suffixe =
            n == 1 ? QStringLiteral(" (copie)") : QStringLiteral(" (copie %1)").arg(n);
        const QString copie = nom.left(std::max<qsizetype>(0, longueur - suffixe.size())).trimmed() + suffixe;
        if (!pris.contains(copie))
            return copie;
    }
}

ListePieces::ListePieces(EtudeEnCours& etude) : etude_(etude) {
    // A deletion in another study is nothing to undo in this one.
    QObject::connect(&etude_, &EtudeEnCours::EtudeRemplacee, &etude_, [this] { retiree_.reset(); });
}

ListePieces::~ListePieces() = default;

void ListePieces::Changee() {
    etude_.DefinirModifie(true);
    emit etude_.PiecesChangees();
}

bool ListePieces::PieceExiste(int k, const QString& titre, const QString& participe) {
    if (k >= 1 && k <= etude_.NombrePieces())
        return true;
    etude_.Dire(IconeMessage::Exclamation, titre,
                QStringLiteral("La ligne sélectionnée est vide, aucune pièce ne peut être %1 !").arg(participe));
    return false;
}

bool ListePieces::Supprimer(int k) {
    const QStringList noms = etude_.NomsPieces();
    if (k < 1 || k > noms.size()) {
        etude_.Dire(IconeMessage::Exclamation, TitreSuppression,
                    QStringLiteral("La ligne sélectionnée est vide, aucune suppression ne peut être faite !"));
        return false;
    }
    if (etude_.Dire(IconeMessage::Question, TitreSuppression,
                    QStringLiteral("Voulez vous supprimer la pièce '") + noms[k - 1] + QStringLiteral("' de l'étude ?"),
                    BoutonsMessage::OuiNonDefautNon) != ReponseMessage::Oui)
        return false;
    PieceRetiree retiree;
    if (!etude_.Signaler([&] { retiree = etude_.Travail().SupprimerPiece(k); }))
        return false;
    retiree_ = std::make_unique<PieceRetiree>(std::move(retiree));
    // The room being edited keeps its record; the deleted one is edited no more.
    etude_.Saisie().Renumeroter([k](int n) { return n > k ? n - 1 : n == k ? 0 : n; });
    Changee();
    return true;
}

std::optional<int> ListePieces::AnnulerSuppression() {
    if (!retiree_) {
        etude_.Dire(IconeMessage::Information, TitreAnnulation,
                    QStringLiteral("Aucune suppression de pièce n'est à annuler."));
        return std::nullopt;
    }
    const int nombre = etude_.NombrePieces();
    if (nombre >= PiecesMaximumEtude) {
        DireEtudePleine(etude_);
        return std::nullopt;
    }
    if (!etude_.Signaler([&] { etude_.Travail().RetablirPiece(*retiree_); }))
        return std::nullopt;
    const int n = std::clamp(retiree_->Numero, 1, nombre + 1);
    retiree_.reset();
    etude_.Saisie().Renumeroter([n](int m) { return m >= n ? m + 1 : m; });
    Changee();
    return n;
}

std::optional<int> ListePieces::Dupliquer(int k) {
    if (!PieceExiste(k, TitreDuplication, QStringLiteral("dupliquée")))
        return std::nullopt;
    if (etude_.NombrePieces() >= PiecesMaximumEtude) {
        DireEtudePleine(etude_);
        return std::nullopt;
    }
    const bool fait = etude_.Signaler([&] {
        const std::vector<Piece> pieces = etude_.Travail().LirePieces();
        const std::vector<PerteCharge> pertes = etude_.Travail().LireEtude().Pertes;
        Piece copie = pieces.at(static_cast<std::size_t>(k - 1));
        copie.NomPiece = NomCopie(QString::fromStdString(copie.NomPiece), etude_.NomsPieces(), LongueurNomPiece)
                             .toStdString();
        etude_.Travail().InsererPiece(k + 1, copie, pertes.at(static_cast<std::size_t>(k - 1)));
    });
    if (!fait)
        return std::nullopt;
    etude_.Saisie().Renumeroter([k](int n) { return n > k ? n + 1 : n; });
    Changee();
    return k + 1;
}

bool ListePieces::Echanger(int k) {
    if (!etude_.Signaler([&] { etude_.Travail().EchangerPieces(k); }))
        return false;
    etude_.Saisie().Renumeroter([k](int n) { return n == k ? k + 1 : n == k + 1 ? k : n; });
    Changee();
    return true;
}

std::optional<int> ListePieces::Monter(int k) {
    if (!PieceExiste(k, TitreDeplacement, QStringLiteral("déplacée")) || k == 1 || !Echanger(k - 1))
        return std::nullopt;
    return k - 1;
}

std::optional<int> ListePieces::Descendre(int k) {
    if (!PieceExiste(k, TitreDeplacement, QStringLiteral("déplacée")) || k == etude_.NombrePieces() || !Echanger(k))
        return std::nullopt;
    return k + 1;
}

std::vector<ChiffresPiece> ListePieces::Chiffres() const {
    // Reading a rooms file that does not exist would create it.
    if (etude_.NombrePieces() == 0)
        return {};
    std::vector<Piece> pieces;
    try {
        pieces = etude_.Travail().LirePieces();
    } catch (const ErreurSignalee&) {
        return {};
    }
    std::vector<ChiffresPiece> chiffres(pieces.size());
    // Each room is calculated against the rooms before it: those before one
    // that cannot be calculated have their figures all the same.
    for (std::size_t n = pieces.size(); n > 0; --n) {
        const std::vector<Piece> debut(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(n));
        try {
            const EtudeRecalculee r = RecalculerEtude(debut, etude_.Generales(), etude_.Collecteurs());
            const Recapitulatif recap = PresenterRecapitulatif(r.Resultat, etude_.Generales());
            for (int i = 1; i <= static_cast<int>(n); ++i)
                chiffres[static_cast<std::size_t>(i - 1)] = ChiffresLigne(recap, r.Resultat, i);
            break;
        } catch (const ErreurCalculEtude& e) {
            n = static_cast<std::size_t>(std::clamp(e.Piece(), 1, static_cast<int>(n)));
        } catch (const ErreurArithmetique&) {
            // A figure of the balancing: the rooms' own figures stand, the
            // study does not; a shorter study is tried.
        }
    }
    return chiffres;
}

} // namespace sorvel
