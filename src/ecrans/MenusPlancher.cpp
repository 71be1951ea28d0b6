// The main window's menus: their commands, shortcuts and what each opens.
#include "ecrans/MDIPlancher.h"

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmCollecteurs.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmDefautsPieces.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmMateriel.h"
#include "ecrans/FrmRecap.h"
#include "ecrans/FrmRenseignements.h"
#include "ihm/Controles.h"
#include "ihm/Installation.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "ihm/Ressources.h"
#include "modele/ReprisePiece.h"
#include "modele/SaisieDeperditions.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules_fenetres/FrmIncertitude.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace sorvel {

// ---- Menus ------------------------------------------------------------

QAction* MDIPlancher::Action(QMenu* menu, const char* nom, const QString& libelle, const QKeySequence& raccourci,
                             const std::function<void()>& commande) {
    QAction* a = menu->addAction(libelle);
    a->setObjectName(QString::fromLatin1(nom));
    if (!raccourci.isEmpty())
        a->setShortcut(raccourci);
    connect(a, &QAction::triggered, this, [this, commande] { Proteger(this, commande); });
    return a;
}

QMenu* MDIPlancher::Menu(QMenu* parent, const char* nom, const QString& titre) {
    QMenu* m = parent ? parent->addMenu(titre) : menuBar()->addMenu(titre);
    m->setObjectName(QString::fromLatin1(nom));
    if (parent)
        m->menuAction()->setObjectName(QString::fromLatin1(nom) + QStringLiteral("_Action"));
    return m;
}

namespace {
QKeySequence Ctrl(char lettre) { return QKeySequence(Qt::CTRL | Qt::Key(lettre)); }
} // namespace

void MDIPlancher::CreerMenuFichier() {
    QMenu* fichier = Menu(nullptr, "MnuFichier", QStringLiteral("&Fichier"));
    Action(fichier, "MnuNouvelle", QStringLiteral("Nouvelle étude"), Ctrl('N'), [this] { MnuNouvelle_Click(); });
    Action(fichier, "MnuOuvrir", QStringLiteral("Ouvrir une étude..."), Ctrl('O'), [this] { MnuOuvrir_Click(); });
    fichier->addSeparator();
    Action(fichier, "MnuEnregistrer", QStringLiteral("Enregistrer l'étude"), Ctrl('S'),
           [this] { MnuEnregistrer_Click(); });
    Action(fichier, "MnuEnregistrerSous", QStringLiteral("Enregistrer l'étude sous..."), {},
           [this] { MnuEnregistrerSous_Click(); });
    Action(fichier, "MnuRenommer", QStringLiteral("Renommer l'étude..."), {}, [this] { MnuRenommer_Click(); });
    Action(fichier, "MnuSupprimerEtude", QStringLiteral("Supprimer l'étude"), {},
           [this] { etude_->Bibliotheque().SupprimerEtude(); });
    fichier->addSeparator();
    QMenu* impression = Menu(fichier, "MnuImpression", QStringLiteral("&Impression..."));
    Action(impression, "MnuApercuChantier", QStringLiteral("Aperçu résultats &chantier"), {},
           [this] { LancerImpression(Impression::ApercuChantier); });
    // No print, deletion or discard on a key of the text fields (Ctrl+C,
    // Ctrl+D or Ctrl+E are copy, delete and end of line there).
    Action(impression, "MnuImprimerChantier", QStringLiteral("Imprimer résultats chantier"), Ctrl('P'),
           [this] { LancerImpression(Impression::ImprimerChantier); });
    impression->addSeparator();
    Action(impression, "MnuApercuRecap", QStringLiteral("Aperçu &récapitulatif"), {},
           [this] { LancerImpression(Impression::ApercuRecapitulatif); });
    Action(impression, "MnuImprimerRecap", QStringLiteral("Imprimer récapitulatif"), Ctrl('R'),
           [this] { LancerImpression(Impression::ImprimerRecapitulatif); });
    impression->addSeparator();
    Action(impression, "MnuApercuDeperditions", QStringLiteral("Aperçu &déperditions"), {},
           [this] { LancerImpression(Impression::ApercuDeperditions); });
    Action(impression, "MnuImprimerDeperditions", QStringLiteral("Imprimer déperditions"),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
           [this] { LancerImpression(Impression::ImprimerDeperditions); });
    impression->addSeparator();
    Action(impression, "MnuApercuReglage", QStringLiteral("Aperçu fiche de ré&glage"), {},
           [this] { LancerImpression(Impression::ApercuReglage); });
    Action(impression, "MnuImprimerReglage", QStringLiteral("Imprimer fiche de réglage"), Ctrl('G'),
           [this] { LancerImpression(Impression::ImprimerReglage); });
    fichier->addSeparator();
    Action(fichier, "MnuQuitter", QStringLiteral("Quitter"), Ctrl('Q'), [this] { close(); });
}

void MDIPlancher::CreerMenusEtude() {
    QMenu* etude = Menu(nullptr, "MnuEtude", QStringLiteral("&Etude"));
    QMenu* afficher = Menu(etude, "MnuAfficher", QStringLiteral("&Afficher la feuille..."));
    Action(afficher, "MnuDonneesGenerales", QStringLiteral("&Données générales"), {},
           [this] { QuitterFeuillesPour(generales_); });
    Action(afficher, "MnuCircuits", QStringLiteral("&Circuits"), {}, [this] { QuitterFeuillesPour(circuits_); });
    mnuFeuilleCalcul_ = Action(afficher, "MnuFeuilleCalcul", QStringLiteral("&Feuille de calcul..."), {},
                               [this] { MnuFeuilleCalcul_Click(); });
    QMenu* piece = Menu(etude, "MnuPiece", QStringLiteral("&Pièce..."));
    const auto modifier = [this] { ModifierPiece(circuits_->LigneSelectionnee()); };
    mnuAjouterPiece_ =
        Action(piece, "MnuAjouterPiece", QStringLiteral("&Ajouter une pièce"), {}, [this] { AjouterPiece(); });
    mnuModifierPiece_ =
        Action(piece, "MnuModifierPiece", QStringLiteral("&Modifier/Visionner une pièce..."), {}, modifier);
    mnuSupprimerPiece_ = Action(piece, "MnuSupprimerPiece", QStringLiteral("&Supprimer une pièce..."), {}, [this] {
        AfficherFeuille(circuits_);
        circuits_->SupprimerPiece();
    });
    // Ctrl+Z where the focus is no text field, which keeps it for itself.
    mnuAnnulerSuppression_ = Action(etude, "MnuAnnulerSuppression", QStringLiteral("Annuler la &suppression"),
                                    Ctrl('Z'), [this] { AnnulerSuppression(); });
    etude->addSeparator();
    Action(etude, "MnuClimat", QStringLiteral("&Climat du site..."), {}, [this] { OuvrirClimat(); });
    Action(etude, "MnuDefautsPieces", QStringLiteral("&Valeurs par défaut des pièces..."), {},
           [this] { FrmDefautsPieces::Ouvrir(*etude_, this); });
    Action(etude, "MnuRenseignements", QStringLiteral("&Renseignements de l'étude..."), {},
           [this] { FrmRenseignements::Ouvrir(*etude_, this); });

    QMenu* consulter = Menu(nullptr, "MnuConsulter", QStringLiteral("&Consulter"));
    Action(consulter, "MnuPieceSelectionnee", QStringLiteral("&Pièce sélectionnée"), {}, modifier);
    Action(consulter, "MnuRecapitulatif", QStringLiteral("&Récapitulatif"), {}, [this] {
        OuvrirFenetreAuxiliaire<FrmRecap>([this] {
            auto* recap = new FrmRecap(*etude_);
            recap->RemplirRecapitulatif();
            // A double click on a room: the summary gives way to that room.
            connect(recap, &FrmRecap::ouvrirPiece, this, [this, recap](int n) {
                Proteger(this, [this, recap, n] {
                    recap->CmdFermer_Click();
                    ModifierPiece(n);
                });
            });
            return recap;
        });
    });
    Action(consulter, "MnuMateriel", QStringLiteral("&Matériel"), {},
           [this] { OuvrirFenetreAuxiliaire<FrmMateriel>([this] { return new FrmMateriel(*etude_); }); });
    Action(consulter, "MnuEquilibrage", QStringLiteral("É&quilibrage"), {},
           [this] { OuvrirFenetreAuxiliaire<FrmEquilibrage>([this] { return new FrmEquilibrage(*etude_); }); });
    Action(consulter, "MnuCollecteurs", QStringLiteral("C&ollecteurs"), {},
           [this] { OuvrirFenetreAuxiliaire<FrmCollecteurs>([this] { return new FrmCollecteurs(*etude_); }); });

    QMenu* modules = Menu(nullptr, "MnuModules", QStringLiteral("&Modules"));
    Action(modules, "MnuCorrection", QStringLiteral("Module de &correction"), {}, [this] {
        OuvrirFenetreAuxiliaire<FrmCorrection>([this] { return RelierReprise(new FrmCorrection); });
    });
    Action(modules, "MnuIncertitude", QStringLiteral("Module d'&incertitude Ti"), {}, [this] {
        OuvrirFenetreAuxiliaire<FrmIncertitude>([this] { return RelierReprise(new FrmIncertitude); });
    });

    QMenu* aide = Menu(nullptr, "MnuAide", QStringLiteral("&Aide"));
    Action(aide, "MnuAideSorvel", QStringLiteral("&Aide sur Sorvel"), {}, [] { AfficherAide(CheminAide()); });
    Action(aide, "MnuAPropos", QStringLiteral("À &propos de Sorvel"), {}, [this] { MnuAPropos_Click(); });
}

template <class F>
F* MDIPlancher::RelierReprise(F* module) {
    // The room chosen in the rooms list, as "Pièce sélectionnée" takes it.
    connect(module, &FrmModule::repriseDemandee, this, [this, module] {
        Proteger(this, [this, module] {
            if (const std::optional<DonneesBoucle> boucle = ReprendrePiece(*etude_, circuits_->LigneSelectionnee()))
                module->Reprendre(*boucle);
        });
    });
    return module;
}

} // namespace sorvel
