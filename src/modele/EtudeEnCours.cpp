#include "modele/EtudeEnCours.h"

#include "commun/ErreurArithmetique.h"
#include "commun/ErreurSignalee.h"
#include "commun/Nombres.h"
#include "etude/ExportCsv.h"
#include "etude/PresentationRecapitulatif.h"
#include "modele/BibliothequeEtudes.h"
#include "modele/MarcheProgramme.h"
#include "modele/SaisiePiece.h"
#include "stockage/Catalogue.h"
#include "stockage/EmplacementEtudes.h"
#include "stockage/Extension.h"
#include "stockage/Fichiers.h"
#include "stockage/FichiersTravail.h"

#include <algorithm>

namespace sorvel {

QString ResumeEtude(const Installation& g) { return QString::fromStdString(TexteLblRecap(g)); }

EtudeEnCours::EtudeEnCours(const QString& dossier, Questions& questions, QObject* parent)
    : QObject(parent), travail_(std::make_unique<FichiersTravail>(DossierEtudes(dossier))),
      catalogue_(std::make_unique<Catalogue>(DossierEtudes(dossier))), questions_(questions),
      programme_(std::make_unique<MarcheProgramme>(*this)),
      bibliotheque_(std::make_unique<BibliothequeEtudes>(*this)), saisie_(std::make_unique<SaisiePiece>(*this)),
      liste_(std::make_unique<ListePieces>(*this)) {}

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
        DefinirModifie(true);
}

void EtudeEnCours::MarquerChangementEtude() {
    MarquerModifie();
    saisie_->NoterChangementEtude();
}

void EtudeEnCours::DefinirModifie(bool valeur) {
    if (valeur == modifie_)
        return;
    modifie_ = valeur;
    emit ModifieChange(modifie_);
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

void EtudeEnCours::Remplacer(const Etude& etude, const QString& nom, bool enregistree, bool modifiee) {
    saisie_->Reinitialiser();
    generales_ = etude.Generales;
    climat_ = etude.Climat;
    collecteurs_ = etude.Collecteurs;
    defauts_ = etude.Defauts;
    renseignements_ = etude.Renseignements;
    etudeEnregistree_ = enregistree;
    DefinirNom(nom);
    emit EtudeRemplacee();
    emit PiecesChangees();
    DefinirModifie(modifiee);
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
    Remplacer(Etude{.Generales = generales}, bibliotheque_->PremierNomLibre(), false, false);
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
    MarquerChangementEtude();
    return true;
}

bool EtudeEnCours::EcrireGenerales() {
    return Signaler([&] { travail_->EcrireGenerales(generales_); });
}

// ---- Manifolds of the site ---------------------------------------------------

std::vector<Collecteur> EtudeEnCours::Collecteurs() const { return CollecteursEtude(collecteurs_); }

bool EtudeEnCours::GarderCollecteurs(const std::vector<Collecteur>& liste,
                                     const std::vector<std::optional<int>>& affectations) {
    if (!Signaler([&] { travail_->EcrireCollecteurs(liste, affectations); }))
        return false;
    collecteurs_ = liste;
    // Accepting the room being edited must not bring its former manifold back.
    const auto n = static_cast<std::size_t>(saisie_->PieceCourante());
    if (saisie_->EnCours() && !saisie_->NouvellePiece() && n >= 1 && n <= affectations.size())
        saisie_->ModifierPieceEnSaisie([&](Piece& p) { p.Collecteur = affectations[n - 1]; });
    MarquerChangementEtude();
    return true;
}

bool EtudeEnCours::AjouterCollecteur() {
    std::vector<Collecteur> liste = Collecteurs();
    auto pris = [&](const std::string& nom) {
        return std::any_of(liste.begin(), liste.end(), [&](const Collecteur& c) { return c.Nom == nom; });
    };
    std::size_t n = liste.size() + 1;
    while (pris("Collecteur " + std::to_string(n)))
        ++n;
    liste.push_back({.Nom = "Collecteur " + std::to_string(n)});
    return GarderCollecteurs(liste, {});
}

bool EtudeEnCours::ModifierCollecteur(int k, const Collecteur& collecteur) {
    std::vector<Collecteur> liste = Collecteurs();
    if (!CollecteurExiste(k, liste.size()))
        return false;
    Collecteur nouveau = collecteur;
    nouveau.Nom = Nettoyer(nouveau.Nom);
    if (liste[static_cast<std::size_t>(k - 1)] == nouveau)
        return true;
    liste[static_cast<std::size_t>(k - 1)] = nouveau;
    return GarderCollecteurs(liste, {});
}

bool EtudeEnCours::SupprimerCollecteur(int k) {
    std::vector<Collecteur> liste = Collecteurs();
    if (!CollecteurExiste(k, liste.size()))
        return false;
    const QString nom = QString::fromStdString(liste[static_cast<std::size_t>(k - 1)].Nom);
    if (liste.size() == 1) {
        Dire(IconeMessage::Exclamation, TitreCollecteurs,
             QStringLiteral("Le collecteur « %1 » est le seul de l'étude : il ne peut pas être supprimé.").arg(nom));
        return false;
    }
    const std::optional<std::vector<Piece>> pieces = Pieces();
    if (!pieces)
        return false;
    QStringList alimentees;
    std::vector<std::optional<int>> affectations;
    for (const Piece& p : *pieces) {
        if (p.Collecteur == k)
            alimentees << QStringLiteral("« %1 »").arg(QString::fromStdString(p.NomPiece));
        affectations.push_back(p.Collecteur == k ? std::nullopt
                               : p.Collecteur > k ? std::optional(*p.Collecteur - 1)
                                                  : p.Collecteur);
    }
    liste.erase(liste.begin() + (k - 1));
    if (!alimentees.isEmpty()) {
        const bool une = alimentees.size() == 1;
        const bool choisies = std::any_of(affectations.begin(), affectations.end(),
                                          [](const std::optional<int>& a) { return a.has_value(); });
        const QString suite =
            choisies ? (une ? QStringLiteral("elle ira") : QStringLiteral("elles iront")) +
                           QStringLiteral(" au collecteur « %1 ».").arg(QString::fromStdString(liste[0].Nom))
                     : QStringLiteral("plus aucune pièce n'ayant de collecteur choisi, toutes les pièces seront "
                                      "réparties sur les collecteurs dans leur ordre.");
        if (Dire(IconeMessage::Question, TitreCollecteurs,
                 QStringLiteral("Le collecteur « %1 » alimente %2 %3. Voulez vous le supprimer ?\n\n%4 : %5")
                     .arg(nom, une ? QStringLiteral("la pièce") : QStringLiteral("les pièces"),
                          alimentees.join(QStringLiteral(", ")),
                          une ? QStringLiteral("Cette pièce n'aura plus de collecteur choisi")
                              : QStringLiteral("Ces pièces n'auront plus de collecteur choisi"),
                          suite),
                 BoutonsMessage::OuiNonDefautNon) != ReponseMessage::Oui)
            return false;
    }
    return GarderCollecteurs(liste, affectations);
}

bool EtudeEnCours::AffecterCollecteur(int piece, std::optional<int> collecteur) {
    const std::optional<std::vector<Piece>> pieces = Pieces();
    if (!pieces)
        return false;
    if (piece < 1 || piece > static_cast<int>(pieces->size())) {
        Dire(IconeMessage::Exclamation, TitreCollecteurs, QStringLiteral("L'étude n'a pas de pièce n° %1.").arg(piece));
        return false;
    }
    std::vector<Collecteur> liste = collecteurs_;
    std::vector<std::optional<int>> affectations;
    for (const Piece& p : *pieces)
        affectations.push_back(p.Collecteur);
    if (affectations[static_cast<std::size_t>(piece - 1)] == collecteur)
        return true;
    if (std::none_of(affectations.begin(), affectations.end(), [](const auto& a) { return a.has_value(); })) {
        // The others stay where the study's filling put them.
        const std::optional<EtudeRecalculee> r = RecalculerEtude();
        if (!r)
            return false;
        liste.clear();
        for (std::size_t c = 0; c < r->Collecteurs.size(); ++c) {
            liste.push_back(r->Collecteurs[c].Definition);
            for (const BoucleCollecteur& b : r->Collecteurs[c].Boucles)
                affectations.at(static_cast<std::size_t>(b.Boucle.Piece - 1)) = static_cast<int>(c) + 1;
        }
    }
    affectations[static_cast<std::size_t>(piece - 1)] = collecteur;
    return GarderCollecteurs(liste, affectations);
}

bool EtudeEnCours::CollecteurExiste(int k, std::size_t nombre) {
    if (k >= 1 && k <= static_cast<int>(nombre))
        return true;
    Dire(IconeMessage::Exclamation, TitreCollecteurs, QStringLiteral("L'étude n'a pas de collecteur n° %1.").arg(k));
    return false;
}

// ---- Rooms of the study --------------------------------------------------------

bool EtudeEnCours::SupprimerPiece(int k) { return liste_->Supprimer(k); }

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
        return sorvel::RecalculerEtude(pieces, generales_, collecteurs_);
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
        return EcrireCsv(chemin, CsvEtude(etude, deperditions));
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
