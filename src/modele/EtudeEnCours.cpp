#include "modele/EtudeEnCours.h"

#include "commun/ErreurArithmetique.h"
#include "commun/ErreurSignalee.h"
#include "etude/ExportCsv.h"
#include "etude/PresentationRecapitulatif.h"
#include "modele/BibliothequeEtudes.h"
#include "modele/MarcheProgramme.h"
#include "modele/SaisiePiece.h"
#include "stockage/Catalogue.h"
#include "stockage/EmplacementEtudes.h"
#include "stockage/Fichiers.h"
#include "stockage/FichiersTravail.h"

namespace sorvel {

QString ResumeEtude(const Installation& g) { return QString::fromStdString(TexteLblRecap(g)); }

EtudeEnCours::EtudeEnCours(const QString& dossier, Questions& questions, QObject* parent)
    : QObject(parent), travail_(std::make_unique<FichiersTravail>(DossierEtudes(dossier))),
      catalogue_(std::make_unique<Catalogue>(DossierEtudes(dossier))), questions_(questions),
      programme_(std::make_unique<MarcheProgramme>(*this)),
      bibliotheque_(std::make_unique<BibliothequeEtudes>(*this)), saisie_(std::make_unique<SaisiePiece>(*this)) {}

EtudeEnCours::~EtudeEnCours() = default;

const DossierEtudes& EtudeEnCours::Dossier() const { return travail_->Dossier(); }
QString EtudeEnCours::CheminDossier() const { return Dossier().Chemin(); }
int EtudeEnCours::NombrePieces() const { return travail_->NombrePieces(); }
QStringList EtudeEnCours::NomsPieces() const { return travail_->NomsPieces(); }

ReponseMessage EtudeEnCours::Dire(IconeMessage icone, const QString& titre, const QString& texte,
                                  BoutonsMessage boutons) {
    return questions_.Poser(icone, titre.toStdString(), texte.toStdString(), boutons);
}

bool EtudeEnCours::Signaler(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const ErreurSignalee& e) {
        Dire(IconeMessage::Exclamation, QString::fromStdString(e.titre()), QString::fromUtf8(e.what()));
    }
    return false;
}

void EtudeEnCours::MarquerModifie() {
    if (remplissages_ == 0)
        modifie_ = true;
}

void EtudeEnCours::DefinirNom(const QString& nom) {
    nom_ = nom;
    programme_->NoterSession();
    emit NomChange(nom_);
}

QString EtudeEnCours::SupprimerFichiersTravail() {
    try {
        travail_->SupprimerTout();
    } catch (const ErreurFichier& e) {
        return e.messageFrancais();
    }
    return {};
}

void EtudeEnCours::Remplacer(const Installation& generales, const std::optional<ClimatSite>& climat,
                             const QString& nom, bool enregistree, bool modifiee) {
    saisie_->Reinitialiser();
    generales_ = generales;
    climat_ = climat;
    etudeEnregistree_ = enregistree;
    DefinirNom(nom);
    emit EtudeRemplacee();
    emit PiecesChangees();
    modifie_ = modifiee;
}

// ---- The whole study -------------------------------------------------------

void EtudeEnCours::NouvelleEtude() {
    saisie_->Finir();
    // Rooms left in a working file would come back in the new study: the
    // user must know.
    const QString erreur = SupprimerFichiersTravail();
    if (!erreur.isEmpty())
        Dire(IconeMessage::Exclamation, TitreErreurFichier,
             erreur + QStringLiteral("\n\nLa nouvelle étude risque de reprendre des pièces de "
                                     "l'étude précédente."));
    // The screed thickness is the one choice a new study keeps.
    Installation generales;
    generales.EpaisChape = generales_.EpaisChape;
    Remplacer(generales, std::nullopt, bibliotheque_->PremierNomLibre(), false, false);
}

bool EtudeEnCours::PeutImprimer() {
    if (NombrePieces() > 0)
        return true;
    Dire(IconeMessage::Aucune, QStringLiteral("Impression."),
         QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"));
    return false;
}

// ---- General data ------------------------------------------------------------

void EtudeEnCours::ChangerGenerales(const Installation& g) {
    generales_ = g;
    MarquerModifie();
}

bool EtudeEnCours::ChangerClimat(const std::optional<ClimatSite>& climat) {
    if (climat == climat_)
        return true;
    if (!Signaler([&] { travail_->EcrireClimat(climat); }))
        return false;
    climat_ = climat;
    MarquerModifie();
    return true;
}

bool EtudeEnCours::EcrireGenerales() {
    return Signaler([&] { travail_->EcrireGenerales(generales_); });
}

// ---- Rooms of the study --------------------------------------------------------

bool EtudeEnCours::SupprimerPiece(int k) {
    const QStringList noms = NomsPieces();
    if (k < 1 || k > noms.size()) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Suppression."),
             QStringLiteral("La ligne sélectionnée est vide, aucune suppression ne peut être faite !"));
        return false;
    }
    if (Dire(IconeMessage::Question, QStringLiteral("Suppression."),
             QStringLiteral("Voulez vous supprimer la pièce '") + noms[k - 1] + QStringLiteral("' de l'étude ?"),
             BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return false;
    if (!Signaler([&] { travail_->SupprimerPiece(k); }))
        return false;
    modifie_ = true;
    emit PiecesChangees();
    return true;
}

std::optional<std::vector<Piece>> EtudeEnCours::Pieces() {
    std::vector<Piece> pieces;
    if (!Signaler([&] { pieces = travail_->LirePieces(); }))
        return std::nullopt;
    return pieces;
}

std::optional<EtudeRecalculee> EtudeEnCours::RecalculerEtude() {
    const std::optional<std::vector<Piece>> lues = Pieces();
    if (!lues)
        return std::nullopt;
    const std::vector<Piece>& pieces = *lues;
    try {
        return sorvel::RecalculerEtude(pieces, generales_);
    } catch (const ErreurCalculEtude& e) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."), QString::fromUtf8(e.what()));
    } catch (const ErreurArithmetique& e) {
        // A figure of the balancing that no room's calculation stumbled on.
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."),
             QStringLiteral("Les données générales de l'étude ne permettent pas le calcul (%1).")
                 .arg(QString::fromStdString(e.etape())));
    }
    return std::nullopt;
}

bool EtudeEnCours::ExporterCsv(const QString& chemin, const EtudeRecalculee& etude) {
    // The losses section comes from the rooms' details and the climate.
    const std::optional<std::vector<Piece>> pieces = Pieces();
    if (!pieces)
        return false;
    try {
        const DeperditionsEtude deperditions = CalculerDeperditionsEtude(climat_, *pieces);
        return EcrireCsv(chemin, CsvEtude(etude.Resultat, etude.Materiel, etude.Equilibrage, deperditions));
    } catch (const ErreurCalculEtude& e) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."), QString::fromUtf8(e.what()));
    }
    return false;
}

bool EtudeEnCours::ExporterCsvEquilibrage(const QString& chemin, const EtudeRecalculee& etude) {
    return EcrireCsv(chemin, CsvEquilibrage(etude.Equilibrage));
}

QString EtudeEnCours::CheminExportPropose(const QString& nomFichier) const {
    return DossierExportations() + QLatin1Char('/') + nomFichier;
}

bool EtudeEnCours::EcrireDocument(const QString& chemin, const std::optional<QByteArray>& octets) {
    try {
        if (octets) {
            EcrireFichierComplet(chemin, *octets);
            return true;
        }
    } catch (const ErreurSignalee&) {
    }
    Dire(IconeMessage::Exclamation, QStringLiteral("Impression."),
         QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(chemin));
    return false;
}

bool EtudeEnCours::EcrireCsv(const QString& chemin, const std::string& csv) {
    try {
        EcrireFichierComplet(chemin, QByteArray::fromStdString(csv));
    } catch (const ErreurSignalee& e) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Exportation impossible."), QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

} // namespace sorvel
