// Screenshots of the main window for the documentation and for a look at
// the screens: run under an X server (scripts/captures.sh starts one with
// xvfb-run), it shows the real main window, takes the whole screen as the X
// server draws it after each step, writes PNG files into the folder given
// as first argument and quits. Given a second argument, the folder of the
// 12-room example study, it also previews both reports of that study. Not
// part of the program.
//
// With "--gestionnaire" a window manager runs on that server: the main window
// is shown as the program shows it, at the size it chooses, and the window
// manager frames and places it. Without it, the window is given the whole
// screen, which nothing else would do.

#include "Captures.h"

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/BoiteMessage.h"
#include "ihm/Traduction.h"
#include "stockage/Catalogue.h"
#include "stockage/FichiersTravail.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QHelpEvent>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QLineEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QToolTip>

#include <cstdio>

namespace captures {

// The widest study line above the rooms list, at the size the window
// opened at: thermoformed studs, 13x16 mm pipe, 50 °C; then the study's
// first general data again.
void LigneEtudeLaPlusLongue(Seance& s) {
    QWidget* generales = s.fenetre.Generales();
    const auto choisir = [&](const char* support, const char* tube, const QString& temperature) {
        s.fenetre.AfficherFeuille(generales);
        Clic(generales, support);
        Clic(generales, tube);
        Choix(generales, "CmbTempDepart", temperature);
        Clic(generales, "CmdSuivant");
    };
    choisir("OptSupport_1", "OptTube_0", QStringLiteral("50"));
    s.capturer("3b-circuits-plots-13x16.png");
    choisir("OptSupport_0", "OptTube_1", QStringLiteral("40"));
}

// Start-up, the general data, the rooms list with five rooms and two menus.
void DebutEtMenus(Seance& s) {
    s.capturer("1-demarrage.png");
    s.action("MnuNouvelle")->trigger();
    s.capturer("2-donnees-generales.png");

    s.fenetre.Generales()->CmdSuivant_Click();
    // Five rooms in the working files, as if entered.
    for (const char* nom : {"Séjour", "Cuisine", "Chambre 1", "Chambre 2", "Salle de bains"}) {
        sorvel::Piece piece;
        piece.NomPiece = nom;
        s.travail.EcrirePiece(s.travail.NombrePieces() + 1, piece, sorvel::PerteCharge{});
    }
    s.fenetre.Circuits()->RemplirGrilleCircuits();
    s.fenetre.Circuits()->SelectionnerLigne(1);
    s.capturer("3-circuits.png");
    LigneEtudeLaPlusLongue(s);

    // The study menu open on its "Afficher la feuille..." sub-menu.
    QMenu* etude = s.fenetre.findChild<QMenu*>(QStringLiteral("MnuEtude"));
    s.fenetre.menuBar()->setActiveAction(etude->menuAction());
    Attendre(200);
    QMenu* afficher = s.fenetre.findChild<QMenu*>(QStringLiteral("MnuAfficher"));
    etude->setActiveAction(afficher->menuAction());
    afficher->popup(etude->mapToGlobal(etude->actionGeometry(afficher->menuAction()).topRight()));
    s.capturer("4-menu-etude.png");
    afficher->close();
    etude->close();

    QMenu* fichier = s.fenetre.findChild<QMenu*>(QStringLiteral("MnuFichier"));
    s.fenetre.menuBar()->setActiveAction(fichier->menuAction());
    s.capturer("5-menu-fichier.png");
    fichier->close();
}

// A room with an independent edge loop, through its four screens.
void PieceDeBoutEnBout(Seance& s) {
    s.viderPieces();
    s.fenetre.Circuits()->RemplirGrilleCircuits();
    s.fenetre.AfficherFeuille(s.fenetre.Circuits());
    s.fenetre.AjouterPiece();
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    Clic(feuilles.Charge, "OptCharge_1");
    Texte(feuilles.Charge, "TxtSurfaceBordure", QStringLiteral("4,5"));
    Choix(feuilles.Charge, "CmbPasVZ", QStringLiteral("10"));
    s.capturer("6-piece-charge.png");
    Clic(feuilles.Charge, "CmdComment");
    s.capturer("7-piece-charge-commentaire.png");
    Clic(feuilles.Charge, "CmdComment");

    Clic(feuilles.Charge, "CmdSuivant");
    if (auto* nom = feuilles.Piece->findChild<QComboBox*>(QStringLiteral("CmbNomPiece")))
        nom->setEditText(QStringLiteral("Séjour"));
    Choix(feuilles.Piece, "CmbTempPiece", QStringLiteral("20"));
    Texte(feuilles.Piece, "TxtSurface_0", QStringLiteral("32,5"));
    Texte(feuilles.Piece, "TxtSurface_1", QStringLiteral("1,5"));
    Texte(feuilles.Piece, "TxtDeperdPiece", QStringLiteral("1850"));
    Texte(feuilles.Piece, "TxtDeperdPlancher", QStringLiteral("240"));
    Choix(feuilles.Piece, "CmbActuelle", QStringLiteral("0.05"));
    Choix(feuilles.Piece, "CmbFuture", QStringLiteral("0.10"));
    Clic(feuilles.Piece, "CmdApport");
    Texte(feuilles.Piece, "TxtApport_Surface", QStringLiteral("12,5"));
    s.capturer("8-piece-apport.png");
    Clic(feuilles.Piece, "CmdApport_OK");
    Clic(feuilles.Piece, "CmdEmissions");
    Choix(feuilles.Piece, "CmbEmissions_Iso", QStringLiteral("6"));
    Clic(feuilles.Piece, "CmdEmission_OK");
    s.capturer("9-piece-donnees.png");

    Clic(feuilles.Piece, "CmdSuivant");
    Texte(feuilles.Conduites, "TxtLongRaccordNormale", QStringLiteral("8"));
    Texte(feuilles.Conduites, "TxtLongDistri", QStringLiteral("2,5"));
    Texte(feuilles.Conduites, "TxtLongRaccordBordure", QStringLiteral("6"));
    s.capturer("10-piece-conduites.png");

    Clic(feuilles.Conduites, "CmdSuivant");
    s.capturer("11-piece-resultats.png");
    if (QWidget* resultats = feuilles.Resultats)
        Clic(resultats, "cmdOK");
    s.capturer("12-circuits-avec-piece.png");
}

// The climate of the site, then the losses of a living room worked out from
// six elements: the dialog as typed, the room screen it fills, and the
// same screen once a value was typed over (manual entry).
void DeperditionsSejour(Seance& s) {
    s.fenetre.AfficherFeuille(s.fenetre.Circuits());
    s.fenetre.AjouterPiece();
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    Clic(feuilles.Charge, "CmdSuivant");
    if (auto* nom = feuilles.Piece->findChild<QComboBox*>(QStringLiteral("CmbNomPiece")))
        nom->setEditText(QStringLiteral("Séjour"));
    Choix(feuilles.Piece, "CmbTempPiece", QStringLiteral("20"));
    Texte(feuilles.Piece, "TxtSurface_0", QStringLiteral("32,5"));

    s.action("MnuClimat")->trigger();
    if (auto* climat = s.fenetre.findChild<QDialog*>(QStringLiteral("FrmClimat"))) {
        Texte(climat, "TxtDepartement", QStringLiteral("69"));
        Texte(climat, "TxtAltitude", QStringLiteral("250"));
        if (auto* departement = climat->findChild<QLineEdit*>(QStringLiteral("TxtDepartement")))
            emit departement->textEdited(departement->text());
        Texte(climat, "TxtTempExterieure", QStringLiteral("-10"));
        Texte(climat, "TxtTempMoyenne", QStringLiteral("11"));
        if (auto* ponts = climat->findChild<QComboBox*>(QStringLiteral("CmbPontsThermiques")))
            ponts->setCurrentIndex(1);
        s.capturer("29-climat-du-site.png");
        Clic(climat, "CmdOK");
    }

    Clic(feuilles.Piece, "CmdDeperditions");
    auto* dialogue = s.fenetre.findChild<QDialog*>(QStringLiteral("FrmDeperditions"));
    if (!dialogue) {
        s.ok = false;
        return;
    }
    const struct {
        const char *designation, *nature, *contact, *surface, *u, *complement;
    } elements[] = {
        {"Mur nord", "Mur", "Extérieur", "14,2", "0,3", ""},
        {"Mur ouest", "Mur", "Extérieur", "10,5", "0,3", ""},
        {"Baie vitrée sud", "Fenêtre", "Extérieur", "6", "1,3", ""},
        {"Cloison cellier", "Mur", "Local non chauffé", "8", "0,5", "0,6"},
        {"Plancher sur vide sanitaire", "Plancher", "Local non chauffé", "32,5", "0,25", "0,8"},
        {"Cloison chambre", "Mur", "Local chauffé", "7,5", "1,8", "18"},
    };
    int n = 0;
    for (const auto& e : elements) {
        Clic(dialogue, "CmdAjouterElement");
        const QString numero = QString::number(++n);
        const auto nom = [&](const char* prefixe) { return (QString::fromLatin1(prefixe) + numero).toLatin1(); };
        Texte(dialogue, nom("TxtDesignation_").constData(), QString::fromUtf8(e.designation));
        Choix(dialogue, nom("CmbNature_").constData(), QString::fromUtf8(e.nature));
        Choix(dialogue, nom("CmbContact_").constData(), QString::fromUtf8(e.contact));
        Texte(dialogue, nom("TxtSurfaceElement_").constData(), QString::fromLatin1(e.surface));
        Texte(dialogue, nom("TxtU_").constData(), QString::fromLatin1(e.u));
        const bool voisin = QString::fromUtf8(e.contact) == QStringLiteral("Local chauffé");
        Texte(dialogue, nom(voisin ? "TxtTempVoisin_" : "TxtB_").constData(), QString::fromLatin1(e.complement));
    }
    Texte(dialogue, "TxtRenouvellement", QStringLiteral("0,5"));
    Texte(dialogue, "TxtDebitExtrait", QStringLiteral("45"));
    s.capturer("30-deperditions-sejour.png");
    Clic(dialogue, "CmdOK");
    s.capturer("31-piece-deperditions-calculees.png");
    Texte(feuilles.Piece, "TxtDeperdPiece", QStringLiteral("1850"));
    s.capturer("32-piece-saisie-manuelle.png");
    // The room was changed: dropping it asks first, and the answer is yes.
    struct Oui : sorvel::BoiteMessage {
        sorvel::ReponseMessage afficher(QWidget*, sorvel::IconeMessage, const QString&, const QString&,
                                        sorvel::BoutonsMessage) override {
            return sorvel::ReponseMessage::Oui;
        }
    } oui;
    sorvel::InstallerBoiteMessage(&oui);
    s.fenetre.AbandonnerPiece();
    sorvel::InstallerBoiteMessage(nullptr);
}

// The correction module on an existing loop: the present values, then the
// supply temperature and the flow for a room at 20 °C, with the curve of
// the search; the uncertainty module on the same loop.
void Modules(Seance& s) {
    s.action("MnuCorrection")->trigger();
    if (QWidget* correction = s.fenetre.FeuilleAffichee()) {
        const char* boucle[] = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
        for (int i = 0; i < 8; ++i)
            Texte(correction, qPrintable(QStringLiteral("TxtValManuelle_%1").arg(i)), QString::fromLatin1(boucle[i]));
        Choix(correction, "CmbVZ", QStringLiteral("15"));
        Choix(correction, "CmbDiametre", QStringLiteral("16x20"));
        Clic(correction, "CmdCalcActuelle");
        s.capturer("13-module-correction-actuelles.png");
        Texte(correction, "TxtValSouhaitee", QStringLiteral("20"));
        Clic(correction, "OptCorrection_0");
        Clic(correction, "CmdCalcCorrigee");
        s.capturer("14-module-correction-temperature.png");
        Clic(correction, "OptCorrection_1");
        Clic(correction, "CmdCalcCorrigee");
        s.capturer("15-module-correction-debit.png");
        Clic(correction, "CmdFermer");
    }
    s.action("MnuIncertitude")->trigger();
    if (QWidget* incertitude = s.fenetre.FeuilleAffichee()) {
        const char* valeurs[] = {"80", "143,69", "10,8", "40", "20", "40", "-5"};
        for (int i = 0; i < 7; ++i)
            Texte(incertitude, qPrintable(QStringLiteral("TxtValeurs_%1").arg(i)), QString::fromLatin1(valeurs[i]));
        Choix(incertitude, "CmbVZ", QStringLiteral("15"));
        const char* pourcents[] = {"5", "10", "10", "15"};
        for (int i = 0; i < 4; ++i)
            Texte(incertitude, qPrintable(QStringLiteral("TxtPourcent_%1").arg(i)), QString::fromLatin1(pourcents[i]));
        Clic(incertitude, "CmdIncertitude");
        s.capturer("16-module-incertitude.png");
        Clic(incertitude, "CmdFermer");
    }
}

const QString Exemple = QStringLiteral("Maison 12 pièces");

// The 12-room example study of `donnees` in the working files, under its
// name; false when it cannot be read.
bool ChargerExemple(Seance& s, const QString& donnees) {
    try {
        const sorvel::Etude maison = sorvel::Catalogue(sorvel::DossierEtudes(donnees)).Lire(Exemple);
        s.viderPieces();
        for (std::size_t i = 0; i < maison.Pieces.size(); ++i)
            s.travail.EcrirePiece(static_cast<int>(i) + 1, maison.Pieces[i], maison.Pertes.at(i));
        s.fenetre.Etude().ChangerGenerales(maison.Generales);
        s.fenetre.Etude().DefinirNom(Exemple);
        s.fenetre.Circuits()->RemplirGrilleCircuits();
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ÉCHEC lecture de l'étude d'exemple : %s\n", e.what());
        return false;
    }
}

// The preview of both reports: page 1 at 50 %, then at 100 %, the second
// page, and the summary.
void Apercus(Seance& s) {
    s.action("MnuApercuChantier")->trigger();
    if (QWidget* apercu = s.fenetre.FeuilleAffichee()) {
        s.capturer("17-apercu-chantier-50.png");
        apercu->findChild<QAction*>(QStringLiteral("Mnu_100"))->trigger();
        s.capturer("18-apercu-chantier-100.png");
        Clic(apercu, "CmdSuivante");
        s.capturer("19-apercu-chantier-page-2.png");
    }
    s.action("MnuApercuRecap")->trigger();
    if (QWidget* apercu = s.fenetre.FeuilleAffichee()) {
        apercu->findChild<QAction*>(QStringLiteral("Mnu_75"))->trigger();
        s.capturer("20-apercu-recapitulatif-75.png");
        Clic(apercu, "CmdFermer");
    }
}

// The study library: the save dialog offers the study's name; the example
// study of `donnees` is then opened from the open dialog.
void Bibliotheque(Seance& s, const QString& donnees) {
    s.action("MnuEnregistrer")->trigger();
    if (auto* enregistrer = s.fenetre.findChild<QDialog*>(QStringLiteral("FrmEnregistrer"))) {
        s.capturer("21-enregistrer.png");
        Texte(enregistrer, "TxtEnregistrer", QStringLiteral("Maison Martin"));
        Clic(enregistrer, "CmdEnregistrer");
    }
    for (const char* extension : {".pla", ".plp", ".plg"}) {
        const QString nom = Exemple + QLatin1String(extension);
        QFile::copy(donnees + QLatin1Char('/') + nom, s.dossierEtudes.Chemin(nom));
    }
    for (const char* nom : {"Appartement Durand", "école maternelle", "Étage bureaux"})
        sorvel::Catalogue(s.dossierEtudes).Copier(QStringLiteral("Maison Martin"), QString::fromUtf8(nom));
    s.action("MnuOuvrir")->trigger();
    if (auto* ouvrir = s.fenetre.findChild<QDialog*>(QStringLiteral("FrmOuvrir"))) {
        if (auto* liste = ouvrir->findChild<QListWidget*>(QStringLiteral("LstOuvrir"))) {
            const auto trouvees = liste->findItems(Exemple, Qt::MatchExactly);
            if (!trouvees.isEmpty())
                liste->setCurrentItem(trouvees.first());
        }
        s.capturer("22-ouvrir.png");
        Clic(ouvrir, "CmdOuvrir");
    }
}

// The tooltip of `cellule`, as the mouse resting on it shows it.
void MontrerInfoBulle(QTableWidget* grille, const QTableWidgetItem* cellule) {
    const QPoint centre = grille->visualItemRect(cellule).center();
    const QPoint global = grille->viewport()->mapToGlobal(centre);
    QCursor::setPos(global);
    Attendre(100);
    QHelpEvent aide(QEvent::ToolTip, centre, global);
    QApplication::sendEvent(grille->viewport(), &aide);
}

// The tooltip of the first cell of `grille` shown in red, scrolled into view.
void InfoBulleRouge(QTableWidget* grille) {
    for (int l = 0; l < grille->rowCount(); ++l)
        for (int c = 0; c < grille->columnCount(); ++c) {
            const QTableWidgetItem* cellule = grille->item(l, c);
            if (!cellule || cellule->toolTip().isEmpty() || cellule->foreground().color() != QColor(255, 0, 0))
                continue;
            grille->scrollToItem(cellule, QAbstractItemView::PositionAtCenter);
            Attendre(100);
            MontrerInfoBulle(grille, cellule);
            return;
        }
}

// The summary, the material list and the balancing, then the tooltip of
// the first warning as the mouse would bring it up.
void VuesDeLEtude(Seance& s) {
    s.action("MnuRecapitulatif")->trigger();
    if (QWidget* recap = s.fenetre.FeuilleAffichee()) {
        s.capturer("23-recapitulatif.png");
        if (auto* grille = recap->findChild<QTableWidget*>(QStringLiteral("GrilleRecap"))) {
            InfoBulleRouge(grille);
            s.capturer("23b-recapitulatif-info-bulle.png");
            QToolTip::hideText();
        }
        Clic(recap, "CmdFermer");
    }
    // The correction module started from the first room of the list.
    s.fenetre.Circuits()->SelectionnerLigne(1);
    s.action("MnuCorrection")->trigger();
    if (QWidget* correction = s.fenetre.FeuilleAffichee()) {
        Clic(correction, "CmdReprendre");
        // The example has no climate: the outdoor temperature typed gives H.
        Texte(correction, "TxtValManuelle_4", QStringLiteral("-7"));
        Clic(correction, "CmdCalcActuelle");
        s.capturer("33-module-correction-reprise.png");
        Clic(correction, "CmdFermer");
    }
    s.action("MnuMateriel")->trigger();
    if (QWidget* materiel = s.fenetre.FeuilleAffichee()) {
        s.capturer("24-materiel.png");
        Clic(materiel, "CmdFermer");
    }
    s.action("MnuEquilibrage")->trigger();
    QWidget* equilibrage = s.fenetre.FeuilleAffichee();
    if (!equilibrage)
        return;
    s.capturer("25-equilibrage.png");
    if (auto* grille = equilibrage->findChild<QTableWidget*>(QStringLiteral("GrilleEquilibrage"))) {
        const int alertes = grille->columnCount() - 1;
        for (int l = 2; l < grille->rowCount(); ++l) {
            const QTableWidgetItem* cellule = grille->item(l, alertes);
            if (!cellule || cellule->toolTip().isEmpty())
                continue;
            MontrerInfoBulle(grille, cellule);
            s.capturer("26-equilibrage-info-bulle.png");
            QToolTip::hideText();
            break;
        }
    }
    Clic(equilibrage, "CmdFermer");
}

// The help of the rooms list, and the about box, as they open.
void AideEtAPropos(Seance& s) {
    Clic(s.fenetre.Circuits(), "CmdAide");
    s.capturer("27-aide.png");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("FrmAide"))
            w->close();
    s.fenetre.activateWindow();
    s.action("MnuAPropos")->trigger();
    s.capturer("28-a-propos.png");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Frm_A_Propos"))
            w->close();
}

} // namespace captures

int main(int argc, char* argv[]) {
    using namespace captures;
    QApplication application(argc, argv);
    sorvel::InstallerFrancais(application);
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        std::fprintf(stderr, "Il faut un serveur X (xvfb-run), pas la plateforme '%s'.\n",
                     qPrintable(QGuiApplication::platformName()));
        return 2;
    }
    const QStringList arguments = QApplication::arguments();
    const bool gestionnaire = arguments.contains(QStringLiteral("--gestionnaire"));
    QStringList positions; // the arguments that are not options
    for (const QString& a : arguments.mid(1))
        if (!a.startsWith(QLatin1String("--")))
            positions << a;
    const QString dossier = positions.value(0, QStringLiteral("captures"));
    QDir().mkpath(dossier);

    // A studies folder of its own: the screenshots leave nothing behind.
    QTemporaryDir etudes;
    const sorvel::DossierEtudes dossierEtudes(etudes.path());
    const sorvel::FichiersTravail travail(dossierEtudes);
    sorvel::MDIPlancher fenetre(etudes.path());
    // Without a window manager the window takes the whole screen itself.
    if (!gestionnaire)
        fenetre.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    fenetre.show();
    Attendre(gestionnaire ? 800 : 300);

    Seance s{fenetre, dossierEtudes, travail, dossier + QLatin1Char('/')};
    DebutEtMenus(s);
    PieceDeBoutEnBout(s);
    DeperditionsSejour(s);
    Modules(s);
    // The views of the 12-room example study, when its folder is given.
    if (positions.size() > 1) {
        s.ok &= ChargerExemple(s, positions[1]);
        // The rooms list with the figures of each room.
        s.fenetre.AfficherFeuille(s.fenetre.Circuits());
        s.fenetre.Circuits()->MontrerLigne(3);
        s.capturer("33-circuits-chiffres.png");
        Apercus(s);
        Bibliotheque(s, positions[1]);
        VuesDeLEtude(s);
        BouclesEtCollecteurs(s);
    }
    AideEtAPropos(s);

    // Nothing to keep: the working files go as when the user quits without storing.
    fenetre.Etude().DefinirModifie(false);
    fenetre.close();
    return s.ok ? 0 : 1;
}
