#include "modele/EtudeEnCours.h"

#include "calcul/Isolation.h"
#include "commun/ErreurArithmetique.h"
#include "commun/ErreurSignalee.h"
#include "etude/CalculEtude.h"
#include "etude/BornesSaisie.h"
#include "etude/ExportCsv.h"
#include "etude/PresentationRecapitulatif.h"
#include "etude/VerificationEtude.h"
#include "stockage/FichiersTravail.h"

#include <QDir>

namespace sorvel {

DonneesGenerales GeneralesInitiales() {
    return {.Support = SupportTreillis, .Tube = Tube16x20, .TempDepart = "40", .EpaisChape = 6,
            .Chape = ChapeTraditionnelle};
}

QString ResumeEtude(const DonneesGenerales& g) { return QString::fromStdString(TexteLblRecap(g)); }

double FluxAtraversIsolant(double surface, const QString& epaisseur) {
    return FluxIsolant(surface, epaisseur.toStdString());
}

QString LegendePiece(const QString& nom) {
    return nom.isEmpty() ? QStringLiteral("Données de la pièce")
                         : QStringLiteral("Données de la pièce (") + nom + QStringLiteral(")");
}

std::optional<std::pair<QString, QString>> RefusNombreSaisi(const DonneesPiece& piece, const QString& legende) {
    const std::string texte = legende.toStdString();
    const BorneSaisie* borne = PremierNombreRefuse(piece, {texte});
    if (!borne)
        return std::nullopt;
    return std::pair{legende + QLatin1Char('.'), QString::fromStdString(MessageBorne(*borne))};
}

QString QuestionReprise(const QString& nom, int pieces) {
    return QStringLiteral("Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « %1 » "
                          "(%2 %3) ?")
        .arg(nom)
        .arg(pieces)
        .arg(pieces > 1 ? QStringLiteral("pièces") : QStringLiteral("pièce"));
}

QString MessageDossierOccupe(const QString& dossier, const QString& ordinateur) {
    QString texte = QStringLiteral("Sorvel est déjà ouvert sur le dossier des études « %1 »")
                        .arg(QDir::toNativeSeparators(dossier));
    if (!ordinateur.isEmpty())
        texte += QStringLiteral(", depuis l'ordinateur « %1 »").arg(ordinateur);
    texte += QStringLiteral(". Deux Sorvel ne peuvent pas travailler en même temps sur le même dossier : "
                            "chacun effacerait les pièces de l'autre.\n\n"
                            "Revenez à la fenêtre de Sorvel déjà ouverte ; celle-ci va se fermer.");
    if (!ordinateur.isEmpty())
        texte += QStringLiteral("\n\nSi Sorvel n'est plus ouvert sur cet ordinateur, supprimez le fichier « %1 » "
                                "du dossier des études.")
                     .arg(FichierVerrou);
    return texte;
}

EtudeEnCours::EtudeEnCours(DossierEtudes dossier, Questions& questions, QObject* parent)
    : QObject(parent), dossier_(std::move(dossier)), questions_(questions), generales_(GeneralesInitiales()) {}

EtudeEnCours::~EtudeEnCours() {
    if (sessionOuverte_ && dossier_.NombrePieces() == 0)
        FinirSession();
}

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
    NoterSession();
    emit NomChange(nom_);
}

// ---- Start and end of a run ------------------------------------------------

Demarrage EtudeEnCours::Demarrer() {
    demarrage_ = Demarrage::Normal;
    auto dossierInutilisable = [this](const QString& erreur) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Dossier des études."),
             erreur + QStringLiteral("\n\nLes études ne pourront pas être enregistrées tant que "
                                     "le dossier 'Etudes' n'est pas utilisable."));
    };
    try {
        dossier_.PreparerDossier();
    } catch (const ErreurFichier& e) {
        dossierInutilisable(e.messageFrancais());
        return demarrage_;
    }
    // Nothing of the folder is touched before its lock is held: the working
    // files may be another program's.
    verrou_ = std::make_unique<VerrouEtudes>(dossier_);
    if (verrou_->Prendre() == VerrouEtudes::Issue::Occupe) {
        Dire(IconeMessage::Exclamation, TitreDossierOccupe,
             MessageDossierOccupe(dossier_.Chemin(),
                                  verrou_->DetenteurDistant() ? verrou_->OrdinateurDetenteur() : QString()));
        verrou_.reset();
        demarrage_ = Demarrage::DossierOccupe;
        return demarrage_;
    }
    const std::optional<QString> interrompue = SessionInterrompue(dossier_);
    int pieces = 0;
    try {
        pieces = ReparerFichiersTravail(dossier_);
    } catch (const ErreurFichier& e) {
        dossierInutilisable(e.messageFrancais());
    }
    if (!(interrompue && pieces > 0 && ProposerReprise(*interrompue, pieces))) {
        const QString erreur = SupprimerFichiersTravail();
        if (!erreur.isEmpty())
            dossierInutilisable(erreur);
        // A rooms list made before the start must not show them.
        if (pieces > 0)
            emit PiecesChangees();
    }
    sessionOuverte_ = true;
    NoterSession();
    return demarrage_;
}

bool EtudeEnCours::ProposerReprise(const QString& nomInterrompu, int pieces) {
    // What a run cut short left is checked as a stored study is: values no
    // screen could have written are not taken back.
    DonneesGenerales generales = GeneralesInitiales();
    std::vector<DonneesPiece> lues;
    std::vector<PerteCharge> pertes;
    try {
        if (dossier_.NombreEnregistrements(FichierGenerales, DonneesGenerales::Longueur) > 0)
            generales = dossier_.LireGenerales();
        lues = dossier_.LireToutesPieces();
        pertes = dossier_.LireToutesPertes();
    } catch (const ErreurFichier& e) {
        Dire(IconeMessage::Exclamation, TitreErreurFichier, e.messageFrancais());
        return false;
    }
    if (const auto defaut = VerifierEtude(generales, lues, pertes)) {
        const QString& fichier = defaut->Fichier == FichierStocke::Generales ? FichierGenerales
                                 : defaut->Fichier == FichierStocke::Pieces  ? FichierEtude
                                                                             : FichierPerte;
        Dire(IconeMessage::Exclamation, TitreEtudeEndommagee,
             QString::fromStdString(MessageDefautEtude(*defaut, fichier.toStdString())) +
                 QStringLiteral("\n\nL'étude en cours ne peut pas être récupérée."));
        return false;
    }
    // A run cut short before its study had a name.
    const QString nom = nomInterrompu.trimmed().isEmpty() ? PremierNomLibre() : nomInterrompu;
    if (Dire(IconeMessage::Question, TitreReprise, QuestionReprise(nom, pieces), BoutonsMessage::OuiNon) !=
        ReponseMessage::Oui)
        return false;
    DefinirNom(nom);
    generales_ = generales;
    pieceCourante_ = 0;
    // Never stored as it now stands: storing it asks before replacing a
    // stored study of that name.
    etudeEnregistree_ = false;
    demarrage_ = Demarrage::Reprise;
    emit EtudeRemplacee();
    emit PiecesChangees();
    modifie_ = true;
    return true;
}

void EtudeEnCours::NoterSession() {
    if (!sessionOuverte_)
        return;
    try {
        EcrireSession(dossier_, nom_);
    } catch (const ErreurFichier&) {
    }
}

void EtudeEnCours::FinirSession() {
    sessionOuverte_ = false;
    try {
        TerminerSession(dossier_);
    } catch (const ErreurFichier&) {
        // A marker that stays only offers the next run an empty study back,
        // which it does not: without rooms nothing is asked.
    }
}

void EtudeEnCours::NommerEtude() { DefinirNom(PremierNomLibre()); }

QString EtudeEnCours::PremierNomLibre() const {
    QString nom;
    for (int n = 1;; ++n) {
        nom = QStringLiteral("Etude %1").arg(n);
        // A folder that cannot be listed would never give a free name.
        if (!dossier_.Existe(nom + QStringLiteral(".pla")) || n == 1000000)
            break;
    }
    return nom;
}

QString EtudeEnCours::SupprimerFichiersTravail() {
    QString erreur;
    for (const QString& f : {FichierEtude, FichierPerte, FichierGenerales}) {
        try {
            dossier_.SupprimerFichier(f);
        } catch (const ErreurFichier& e) {
            if (erreur.isEmpty())
                erreur = e.messageFrancais();
        }
    }
    return erreur;
}

bool EtudeEnCours::Quitter() {
    // The folder is another program's: nothing here is this run's to delete.
    if (demarrage_ == Demarrage::DossierOccupe)
        return true;
    if (modifie_) {
        const ReponseMessage r =
            Dire(IconeMessage::Question, QStringLiteral("Enregistrement."),
                 QStringLiteral("Voulez vous enregistrer les modifications apportées à l'étude '") + nom_ +
                     QStringLiteral("' ?"),
                 BoutonsMessage::OuiNonAnnuler);
        if (r == ReponseMessage::Annuler)
            return false;
        // Not stored: the study stays open rather than being lost.
        if (r == ReponseMessage::Oui && EnregistrerEtude(nom_) != ResultatEnregistrement::Enregistree)
            return false;
    }
    // A working file that resists now is deleted at the next start.
    SupprimerFichiersTravail();
    FinirSession();
    return true;
}

// ---- The whole study -------------------------------------------------------

void EtudeEnCours::NouvelleEtude() {
    FinirSaisie();
    // Rooms left in a working file would come back in the new study: the
    // user must know.
    const QString erreur = SupprimerFichiersTravail();
    if (!erreur.isEmpty())
        Dire(IconeMessage::Exclamation, TitreErreurFichier,
             erreur + QStringLiteral("\n\nLa nouvelle étude risque de reprendre des pièces de "
                                     "l'étude précédente."));
    // The screed thickness is the one choice a new study keeps.
    const std::int16_t epaisseur = generales_.EpaisChape;
    generales_ = GeneralesInitiales();
    generales_.EpaisChape = epaisseur;
    NommerEtude();
    pieceCourante_ = 0;
    etudeEnregistree_ = false;
    emit EtudeRemplacee();
    emit PiecesChangees();
    modifie_ = false;
}

bool EtudeEnCours::DemanderEnregistrement() {
    if (!modifie_ || Dire(IconeMessage::Question, QStringLiteral("Enregistrer."),
                          QStringLiteral("Voulez vous enregistrer l'étude en cours ?"),
                          BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return true;
    // Declining to replace a study of that name is the user's choice; a
    // store that failed leaves the study where it is.
    return EnregistrerEtude(nom_) != ResultatEnregistrement::Echouee;
}

bool EtudeEnCours::CommandeNouvelleEtude() {
    if (!DemanderEnregistrement())
        return false;
    NouvelleEtude();
    return true;
}

void EtudeEnCours::SupprimerEtude() {
    if (!dossier_.EtudeExiste(nom_)) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Suppression impossible."),
             QStringLiteral("Cette étude n'a pas encore été enregistrée, elle ne peut donc pas être supprimée !"));
        return;
    }
    if (Dire(IconeMessage::Question, QStringLiteral("Suppression de l'étude."),
             QStringLiteral("Voulez vous supprimer l'étude '") + nom_ + QStringLiteral("' ?"),
             BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return;
    if (!Signaler([&] { dossier_.SupprimerEtude(nom_); }))
        return;
    NouvelleEtude();
}

QStringList EtudeEnCours::EtudesAOuvrir() {
    const QStringList etudes = dossier_.EtudesEnregistrees();
    if (etudes.isEmpty())
        Dire(IconeMessage::Aucune, QStringLiteral("Ouverture d'une étude."),
             QStringLiteral("Aucune étude n'est disponible !"));
    return etudes;
}

bool EtudeEnCours::CommandeEnregistrer() {
    if (etudeEnregistree_) {
        EnregistrerEtude(nom_);
        return false;
    }
    // A study emptied of its rooms has no accepted room either.
    if (NombrePieces() > 0)
        return true;
    Dire(IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
         QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"));
    return false;
}

bool EtudeEnCours::PeutEnregistrerSous() {
    if (NombrePieces() > 0)
        return true;
    Dire(IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
         QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude sous un "
                        "autre nom !"));
    return false;
}

bool EtudeEnCours::PeutRenommer() {
    if (dossier_.EtudeExiste(nom_))
        return true;
    Dire(IconeMessage::Aucune, QStringLiteral("Renommer."),
         QStringLiteral("L'étude '") + nom_ + QStringLiteral("' n'est pas encore enregistrée !"));
    return false;
}

ResultatEnregistrement EtudeEnCours::EnregistrerEtude(const QString& nom) {
    // This study stored under its own name is simply stored again.
    const bool autre = dossier_.EtudeExiste(nom) && !(etudeEnregistree_ && nom == nom_);
    if (autre && Dire(IconeMessage::Question, QStringLiteral("Enregistrer."),
                      QStringLiteral("L'étude '") + nom +
                          QStringLiteral("' existe déjà !\nVoulez vous la remplacer ?"),
                      BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return ResultatEnregistrement::Refusee;
    try {
        dossier_.EcrireGenerales(generales_);
        dossier_.EnregistrerEtude(nom);
    } catch (const ErreurSignalee& e) {
        Dire(IconeMessage::Exclamation, TitreEnregistrementImpossible,
             QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                 QStringLiteral("' n'a pas été enregistrée ; ce qui était enregistré sous ce nom n'a pas changé."));
        return ResultatEnregistrement::Echouee;
    }
    etudeEnregistree_ = true;
    modifie_ = false;
    DefinirNom(nom);
    return ResultatEnregistrement::Enregistree;
}

// ---- The save dialog ---------------------------------------------------------

namespace {

bool ContientInterdit(const QString& texte) {
    for (QChar c : texte)
        if (CaracteresInterdits.contains(c))
            return true;
    return false;
}

} // namespace

void EtudeEnCours::DireCaractereIncorrect() {
    Dire(IconeMessage::Exclamation, QStringLiteral("Caractère incorrect."),
         QStringLiteral("Caractère incorrect !\nles caractères \\ / : \" ? * | < > sont interdits pour un nom de "
                        "fichier."));
}

QString EtudeEnCours::CorrigerNomSaisi(const QString& texte) {
    if (!ContientInterdit(texte))
        return texte;
    DireCaractereIncorrect();
    QString propre;
    for (QChar c : texte)
        if (!CaracteresInterdits.contains(c))
            propre += c;
    return propre;
}

SuiteDialogue EtudeEnCours::ValiderEnregistrement(ModeEnregistrement mode, const QString& texte) {
    const QString nom = texte.trimmed();
    if (nom.isEmpty()) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Nom de l'étude."),
             QStringLiteral("Vous devez donner un nom à l'étude !"));
        return SuiteDialogue::Rester;
    }
    // The field refuses them as they are typed; a name never reaches the
    // folder with one.
    if (ContientInterdit(nom)) {
        DireCaractereIncorrect();
        return SuiteDialogue::Rester;
    }
    if (mode == ModeEnregistrement::Enregistrer)
        return EnregistrerEtude(nom) == ResultatEnregistrement::Enregistree ? SuiteDialogue::Fermer
                                                                            : SuiteDialogue::Rester;

    // The stored files of the current name hold the study, then they are
    // copied under the new name.
    if (EnregistrerEtude(nom_) != ResultatEnregistrement::Enregistree)
        return SuiteDialogue::Rester;
    if (dossier_.EtudeExiste(nom)) {
        Dire(IconeMessage::Aucune, QStringLiteral("Etude existante."),
             QStringLiteral("Le nom '") + nom + QStringLiteral("' existe déjà !"));
        return SuiteDialogue::ViderNom;
    }
    try {
        dossier_.CopierEtudeEnregistree(nom_, nom);
    } catch (const ErreurSignalee& e) {
        Dire(IconeMessage::Exclamation, TitreEnregistrementImpossible,
             QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                 QStringLiteral("' n'a pas été créée ; l'étude '") + nom_ + QStringLiteral("' est enregistrée."));
        return SuiteDialogue::Rester;
    }
    if (mode == ModeEnregistrement::Renommer) {
        try {
            dossier_.SupprimerEtude(nom_);
        } catch (const ErreurSignalee& e) {
            // The study goes on under its new name; the old files are told.
            Dire(IconeMessage::Exclamation, QStringLiteral("Renommer."),
                 QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude est enregistrée sous le nom '") + nom +
                     QStringLiteral("', mais l'étude '") + nom_ + QStringLiteral("' n'a pas pu être supprimée."));
        }
    }
    DefinirNom(nom);
    return SuiteDialogue::Fermer;
}

// ---- The open dialog -----------------------------------------------------------

bool EtudeEnCours::OuvrirEtude(const QString& nom) {
    if (!DemanderEnregistrement())
        return false;
    // Everything is checked before the current study is closed: a study
    // that cannot be opened leaves it as it is.
    auto refuser = [&](const ErreurSignalee& e) {
        Dire(IconeMessage::Exclamation, QString::fromStdString(e.titre()),
             QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                 QStringLiteral("' ne peut pas être ouverte ; l'étude en cours n'a pas changé."));
        return false;
    };
    try {
        dossier_.ReprendreEnregistrement();
    } catch (const ErreurSignalee& e) {
        return refuser(e);
    }
    for (const QString& extension : {ExtensionPertes, ExtensionGenerales}) {
        if (!dossier_.Existe(nom + extension)) {
            Dire(IconeMessage::Critique, QStringLiteral("Fichier manquant."),
                 QStringLiteral("Le fichier [") + nom + extension +
                     QStringLiteral("] nécessaire à l'étude est manquant !\n\nOuverture de l'étude impossible."));
            return false;
        }
    }
    sorvel::EtudeEnregistree lue;
    try {
        // Sizes and values: a study the program could never have written is
        // refused here.
        lue = dossier_.LireEtude(nom);
        // The current study is closed here: its working files are replaced,
        // all or nothing.
        dossier_.ChargerEtudeEnregistree(nom);
    } catch (const ErreurSignalee& e) {
        return refuser(e);
    }
    FinirSaisie();
    generales_ = lue.Generales;
    pieceCourante_ = 0;
    etudeEnregistree_ = true;
    DefinirNom(nom);
    emit EtudeRemplacee();
    emit PiecesChangees();
    modifie_ = false;
    return true;
}

std::optional<QStringList> EtudeEnCours::SupprimerEtudeEnregistree(const QString& nom) {
    if (nom.isEmpty() ||
        Dire(IconeMessage::Question, QStringLiteral("Suppression de l'étude."),
             QStringLiteral("Voulez vous supprimer l'étude '") + nom + QStringLiteral("' ?"),
             BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return std::nullopt;
    Signaler([&] { dossier_.SupprimerEtude(nom); });
    // The study being edited was that one: it now lives in its working
    // files alone, and quitting asks to store it.
    if (etudeEnregistree_ && nom == nom_ && !dossier_.EtudeExiste(nom)) {
        etudeEnregistree_ = false;
        modifie_ = true;
    }
    return dossier_.EtudesEnregistrees();
}

bool EtudeEnCours::PeutImprimer() {
    if (NombrePieces() > 0)
        return true;
    Dire(IconeMessage::Aucune, QStringLiteral("Impression."),
         QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"));
    return false;
}

// ---- General data ------------------------------------------------------------

void EtudeEnCours::ChangerGenerales(const DonneesGenerales& g) {
    generales_ = g;
    MarquerModifie();
}

bool EtudeEnCours::EcrireGenerales() {
    return Signaler([&] { dossier_.EcrireGenerales(generales_); });
}

// ---- Rooms of the study --------------------------------------------------------

int EtudeEnCours::NombrePieces() const { return dossier_.NombrePieces(); }

QStringList EtudeEnCours::NomsPieces() const {
    QStringList noms;
    // Listing a study without rooms creates no empty rooms file.
    if (NombrePieces() == 0)
        return noms;
    try {
        dossier_.ListerPieces(noms);
    } catch (const ErreurFichier&) {
        // An unreadable rooms file lists nothing; the commands on a room say why.
    }
    return noms;
}

std::optional<EtudeRecalculee> EtudeEnCours::RecalculerEtude() {
    std::vector<DonneesPiece> pieces;
    if (!Signaler([&] { pieces = dossier_.LireToutesPieces(); }))
        return std::nullopt;
    try {
        EtudeRecalculee r;
        r.Resultat = CalculEtude(pieces, generales_);
        r.Materiel = Materiel(r.Resultat.Table, generales_);
        r.Equilibrage = CalculerEquilibrage(pieces, generales_, r.Resultat);
        return r;
    } catch (const ErreurCalculEtude& e) {
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."), QString::fromUtf8(e.what()));
    } catch (const ErreurArithmetique& e) {
        // The general data themselves (a supply temperature that is no number).
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."),
             QStringLiteral("Les données générales de l'étude ne permettent pas le calcul (%1).")
                 .arg(QString::fromStdString(e.etape())));
    }
    return std::nullopt;
}

bool EtudeEnCours::ExporterCsv(const QString& chemin, const EtudeRecalculee& etude) {
    return EcrireCsv(chemin, CsvEtude(etude.Resultat, etude.Materiel, etude.Equilibrage));
}

bool EtudeEnCours::ExporterCsvEquilibrage(const QString& chemin, const EtudeRecalculee& etude) {
    return EcrireCsv(chemin, CsvEquilibrage(etude.Equilibrage));
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

// ---- The room being entered ----------------------------------------------------

void EtudeEnCours::FinirSaisie() {
    saisie_ = false;
    piece_ = DonneesPiece{};
    resultats_ = ResultatsPiece{};
}

bool EtudeEnCours::CommencerNouvellePiece() {
    if (NombrePieces() >= PiecesMaximumEtude) {
        Dire(IconeMessage::Information, QStringLiteral("30 Pièces maximum."),
             QStringLiteral("Il n'est plus possible d'ajouter de pièce à l'étude !"));
        return false;
    }
    FinirSaisie();
    saisie_ = true;
    modifieAvantSaisie_ = modifie_;
    nouvellePiece_ = true;
    piece_.TempChute = ChuteNouvellePiece;
    return true;
}

bool EtudeEnCours::OuvrirPiece(int n) {
    if (n < 1 || n > NombrePieces()) {
        Dire(IconeMessage::Aucune, QStringLiteral("Modification."),
             QStringLiteral("La ligne sélectionnée dans la feuille circuits est vide !"));
        return false;
    }
    DonneesPiece piece;
    if (!Signaler([&] { piece = dossier_.LirePiece(n); }))
        return false;
    FinirSaisie();
    saisie_ = true;
    modifieAvantSaisie_ = modifie_;
    nouvellePiece_ = false;
    pieceCourante_ = n;
    piece_ = piece;
    return true;
}

void EtudeEnCours::AbandonnerPiece() {
    // What was typed for the room is gone: the study is as it was before.
    if (saisie_)
        modifie_ = modifieAvantSaisie_;
    FinirSaisie();
}

void EtudeEnCours::ModifierPieceEnSaisie(const std::function<void(DonneesPiece&)>& modification) {
    modification(piece_);
}

bool EtudeEnCours::CalculerPiece() {
    double perteMax = 0;
    if (!Signaler([&] { perteMax = dossier_.PerteMaxEtude(FichierPerte); }))
        return false;
    try {
        resultats_ = CalculPiece(EntreesDepuisEnregistrements(piece_, generales_, perteMax));
        return true;
    } catch (const ErreurArithmetique& erreur) {
        // The user stays on the room to correct what made it incalculable.
        Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."),
             QStringLiteral("La pièce '") + QString::fromStdString(piece_.NomPiece) +
                 QStringLiteral("' ne peut pas être calculée : ") +
                 QString::fromStdString(ExpliquerEchecPiece(piece_, generales_, erreur)) +
                 QStringLiteral(".\nCorriger les données de la pièce puis recommencer."));
    }
    return false;
}

bool EtudeEnCours::AccepterPiece() {
    const PerteCharge perte = PerteChargePiece(resultats_.PerteNormale, resultats_.PerteBordure);
    const bool ok = Signaler([&] {
        // The room and its pressure drops go into their two files together
        // or not at all: accepting again after a failed write (full disk)
        // stores the room once, and a program stopped in between leaves the
        // study as it was before or after.
        const int n = nouvellePiece_ ? dossier_.NombrePieces() + 1 : pieceCourante_;
        dossier_.EcrireGenerales(generales_);
        EcrirePieceEtPerte(dossier_, n, piece_, perte);
    });
    if (!ok)
        return false;
    FinirSaisie();
    emit PiecesChangees();
    return true;
}

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
    if (!Signaler([&] { dossier_.SupprimerPieceFichiers(k); }))
        return false;
    modifie_ = true;
    emit PiecesChangees();
    return true;
}

} // namespace sorvel
