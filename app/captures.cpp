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

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/MDIPlancher.h"
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

namespace {

void Attendre(int millisecondes) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < millisecondes) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool Capturer(const QString& chemin) {
    Attendre(400);
    const QPixmap image = QGuiApplication::primaryScreen()->grabWindow(0);
    const bool ok = !image.isNull() && image.save(chemin, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "capture" : "ÉCHEC", qPrintable(chemin));
    return ok;
}

void Texte(QWidget* ecran, const char* nom, const QString& texte) {
    if (auto* champ = ecran->findChild<QLineEdit*>(QString::fromLatin1(nom)))
        champ->setText(texte);
}

void Choix(QWidget* ecran, const char* nom, const QString& texte) {
    if (auto* liste = ecran->findChild<QComboBox*>(QString::fromLatin1(nom)))
        liste->setCurrentIndex(liste->findText(texte));
}

void Clic(QWidget* ecran, const char* nom) {
    if (auto* bouton = ecran->findChild<QAbstractButton*>(QString::fromLatin1(nom)))
        bouton->click();
}

} // namespace

int main(int argc, char* argv[]) {
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
    const QString prefixe = dossier + QLatin1Char('/');

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

    bool ok = Capturer(prefixe + QStringLiteral("1-demarrage.png"));
    fenetre.findChild<QAction*>(QStringLiteral("MnuNouvelle"))->trigger();
    ok &= Capturer(prefixe + QStringLiteral("2-donnees-generales.png"));

    fenetre.Generales()->CmdSuivant_Click();
    // Five rooms in the working files, as if entered.
    for (const char* nom : {"Séjour", "Cuisine", "Chambre 1", "Chambre 2", "Salle de bains"}) {
        sorvel::Piece piece;
        piece.NomPiece = nom;
        travail.EcrirePiece(travail.NombrePieces() + 1, piece, sorvel::PerteCharge{});
    }
    fenetre.Circuits()->RemplirGrilleCircuits();
    fenetre.Circuits()->SelectionnerLigne(1);
    ok &= Capturer(prefixe + QStringLiteral("3-circuits.png"));

    // The study menu open on its "Afficher la feuille..." sub-menu.
    QMenu* etude = fenetre.findChild<QMenu*>(QStringLiteral("MnuEtude"));
    fenetre.menuBar()->setActiveAction(etude->menuAction());
    Attendre(200);
    QMenu* afficher = fenetre.findChild<QMenu*>(QStringLiteral("MnuAfficher"));
    etude->setActiveAction(afficher->menuAction());
    afficher->popup(etude->mapToGlobal(etude->actionGeometry(afficher->menuAction()).topRight()));
    ok &= Capturer(prefixe + QStringLiteral("4-menu-etude.png"));
    afficher->close();
    etude->close();

    QMenu* fichier = fenetre.findChild<QMenu*>(QStringLiteral("MnuFichier"));
    fenetre.menuBar()->setActiveAction(fichier->menuAction());
    ok &= Capturer(prefixe + QStringLiteral("5-menu-fichier.png"));
    fichier->close();

    // A room with an independent edge loop, through its four screens.
    for (const QString& f : {sorvel::FichierEtude, sorvel::FichierPerte})
        dossierEtudes.SupprimerFichier(f);
    fenetre.Circuits()->RemplirGrilleCircuits();
    fenetre.AfficherFeuille(fenetre.Circuits());
    fenetre.AjouterPiece();
    const sorvel::FeuillesPiece& feuilles = fenetre.FeuillesDePiece();
    Clic(feuilles.Charge, "OptCharge_1");
    Texte(feuilles.Charge, "TxtSurfaceBordure", QStringLiteral("4,5"));
    Choix(feuilles.Charge, "CmbPasVZ", QStringLiteral("10"));
    ok &= Capturer(prefixe + QStringLiteral("6-piece-charge.png"));
    Clic(feuilles.Charge, "CmdComment");
    ok &= Capturer(prefixe + QStringLiteral("7-piece-charge-commentaire.png"));
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
    ok &= Capturer(prefixe + QStringLiteral("8-piece-apport.png"));
    Clic(feuilles.Piece, "CmdApport_OK");
    Clic(feuilles.Piece, "CmdEmissions");
    Choix(feuilles.Piece, "CmbEmissions_Iso", QStringLiteral("6"));
    Clic(feuilles.Piece, "CmdEmission_OK");
    ok &= Capturer(prefixe + QStringLiteral("9-piece-donnees.png"));

    Clic(feuilles.Piece, "CmdSuivant");
    Texte(feuilles.Conduites, "TxtLongRaccordNormale", QStringLiteral("8"));
    Texte(feuilles.Conduites, "TxtLongDistri", QStringLiteral("2,5"));
    Texte(feuilles.Conduites, "TxtLongRaccordBordure", QStringLiteral("6"));
    ok &= Capturer(prefixe + QStringLiteral("10-piece-conduites.png"));

    Clic(feuilles.Conduites, "CmdSuivant");
    ok &= Capturer(prefixe + QStringLiteral("11-piece-resultats.png"));
    if (QWidget* resultats = feuilles.Resultats)
        Clic(resultats, "cmdOK");
    ok &= Capturer(prefixe + QStringLiteral("12-circuits-avec-piece.png"));

    // The correction module on an existing loop: the present values, then
    // the supply temperature and the flow for a room at 20 °C, with the
    // curve of the search.
    fenetre.findChild<QAction*>(QStringLiteral("MnuCorrection"))->trigger();
    if (QWidget* correction = fenetre.FeuilleAffichee()) {
        const char* boucle[] = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
        for (int i = 0; i < 8; ++i)
            correction->findChild<QLineEdit*>(QStringLiteral("TxtValManuelle_%1").arg(i))
                ->setText(QString::fromLatin1(boucle[i]));
        Choix(correction, "CmbVZ", QStringLiteral("15"));
        Choix(correction, "CmbDiametre", QStringLiteral("16x20"));
        Clic(correction, "CmdCalcActuelle");
        ok &= Capturer(prefixe + QStringLiteral("13-module-correction-actuelles.png"));
        Texte(correction, "TxtValSouhaitee", QStringLiteral("20"));
        Clic(correction, "OptCorrection_0");
        Clic(correction, "CmdCalcCorrigee");
        ok &= Capturer(prefixe + QStringLiteral("14-module-correction-temperature.png"));
        Clic(correction, "OptCorrection_1");
        Clic(correction, "CmdCalcCorrigee");
        ok &= Capturer(prefixe + QStringLiteral("15-module-correction-debit.png"));
        Clic(correction, "CmdFermer");
    }

    // The uncertainty module on the same loop.
    fenetre.findChild<QAction*>(QStringLiteral("MnuIncertitude"))->trigger();
    if (QWidget* incertitude = fenetre.FeuilleAffichee()) {
        const char* valeurs[] = {"80", "143,69", "10,8", "40", "20", "40", "-5"};
        for (int i = 0; i < 7; ++i)
            incertitude->findChild<QLineEdit*>(QStringLiteral("TxtValeurs_%1").arg(i))
                ->setText(QString::fromLatin1(valeurs[i]));
        Choix(incertitude, "CmbVZ", QStringLiteral("15"));
        const char* pourcents[] = {"5", "10", "10", "15"};
        for (int i = 0; i < 4; ++i)
            incertitude->findChild<QLineEdit*>(QStringLiteral("TxtPourcent_%1").arg(i))
                ->setText(QString::fromLatin1(pourcents[i]));
        Clic(incertitude, "CmdIncertitude");
        ok &= Capturer(prefixe + QStringLiteral("16-module-incertitude.png"));
        Clic(incertitude, "CmdFermer");
    }

    // The preview of both reports on the 12-room example study, when its
    // folder is given: page 1 at 50 %, then at 100 %, the second page, and
    // the summary.
    const QString exemple = QStringLiteral("Maison 12 pièces");
    if (positions.size() > 1) {
        try {
            const sorvel::Etude maison = sorvel::Catalogue(sorvel::DossierEtudes(positions[1])).Lire(exemple);
            for (const QString& f : {sorvel::FichierEtude, sorvel::FichierPerte})
                dossierEtudes.SupprimerFichier(f);
            for (std::size_t i = 0; i < maison.Pieces.size(); ++i)
                travail.EcrirePiece(static_cast<int>(i) + 1, maison.Pieces[i], maison.Pertes.at(i));
            fenetre.Etude().ChangerGenerales(maison.Generales);
            fenetre.Etude().DefinirNom(exemple);
            fenetre.Circuits()->RemplirGrilleCircuits();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "ÉCHEC lecture de l'étude d'exemple : %s\n", e.what());
            ok = false;
        }
        fenetre.findChild<QAction*>(QStringLiteral("MnuApercuChantier"))->trigger();
        if (QWidget* apercu = fenetre.FeuilleAffichee()) {
            ok &= Capturer(prefixe + QStringLiteral("17-apercu-chantier-50.png"));
            apercu->findChild<QAction*>(QStringLiteral("Mnu_100"))->trigger();
            ok &= Capturer(prefixe + QStringLiteral("18-apercu-chantier-100.png"));
            Clic(apercu, "CmdSuivante");
            ok &= Capturer(prefixe + QStringLiteral("19-apercu-chantier-page-2.png"));
        }
        fenetre.findChild<QAction*>(QStringLiteral("MnuApercuRecap"))->trigger();
        if (QWidget* apercu = fenetre.FeuilleAffichee()) {
            apercu->findChild<QAction*>(QStringLiteral("Mnu_75"))->trigger();
            ok &= Capturer(prefixe + QStringLiteral("20-apercu-recapitulatif-75.png"));
            Clic(apercu, "CmdFermer");
        }

        // The study library: the save dialog offers the study's name; the
        // example study is then opened from the open dialog, and its summary
        // and material list shown.
        fenetre.findChild<QAction*>(QStringLiteral("MnuEnregistrer"))->trigger();
        if (auto* enregistrer = fenetre.findChild<QDialog*>(QStringLiteral("FrmEnregistrer"))) {
            ok &= Capturer(prefixe + QStringLiteral("21-enregistrer.png"));
            Texte(enregistrer, "TxtEnregistrer", QStringLiteral("Maison Martin"));
            Clic(enregistrer, "CmdEnregistrer");
        }
        for (const char* extension : {".pla", ".plp", ".plg"}) {
            const QString nom = exemple + QLatin1String(extension);
            QFile::copy(QString::fromLocal8Bit(argv[2]) + QLatin1Char('/') + nom, dossierEtudes.Chemin(nom));
        }
        for (const char* nom : {"Appartement Durand", "école maternelle", "Étage bureaux"})
            sorvel::Catalogue(dossierEtudes).Copier(QStringLiteral("Maison Martin"), QString::fromUtf8(nom));
        fenetre.findChild<QAction*>(QStringLiteral("MnuOuvrir"))->trigger();
        if (auto* ouvrir = fenetre.findChild<QDialog*>(QStringLiteral("FrmOuvrir"))) {
            if (auto* liste = ouvrir->findChild<QListWidget*>(QStringLiteral("LstOuvrir"))) {
                const auto trouvees = liste->findItems(exemple, Qt::MatchExactly);
                if (!trouvees.isEmpty())
                    liste->setCurrentItem(trouvees.first());
            }
            ok &= Capturer(prefixe + QStringLiteral("22-ouvrir.png"));
            Clic(ouvrir, "CmdOuvrir");
        }
        fenetre.findChild<QAction*>(QStringLiteral("MnuRecapitulatif"))->trigger();
        if (QWidget* recap = fenetre.FeuilleAffichee()) {
            ok &= Capturer(prefixe + QStringLiteral("23-recapitulatif.png"));
            Clic(recap, "CmdFermer");
        }
        fenetre.findChild<QAction*>(QStringLiteral("MnuMateriel"))->trigger();
        if (QWidget* materiel = fenetre.FeuilleAffichee()) {
            ok &= Capturer(prefixe + QStringLiteral("24-materiel.png"));
            Clic(materiel, "CmdFermer");
        }
        // The balancing, then the tooltip of the first warning as the mouse
        // would bring it up.
        fenetre.findChild<QAction*>(QStringLiteral("MnuEquilibrage"))->trigger();
        if (QWidget* equilibrage = fenetre.FeuilleAffichee()) {
            ok &= Capturer(prefixe + QStringLiteral("25-equilibrage.png"));
            if (auto* grille = equilibrage->findChild<QTableWidget*>(QStringLiteral("GrilleEquilibrage"))) {
                const int alertes = grille->columnCount() - 1;
                for (int l = 0; l < grille->rowCount(); ++l) {
                    const QTableWidgetItem* cellule = grille->item(l, alertes);
                    if (l < 2 || !cellule || cellule->toolTip().isEmpty())
                        continue;
                    const QPoint centre = grille->visualItemRect(cellule).center();
                    const QPoint global = grille->viewport()->mapToGlobal(centre);
                    QCursor::setPos(global);
                    Attendre(100);
                    QHelpEvent aide(QEvent::ToolTip, centre, global);
                    QApplication::sendEvent(grille->viewport(), &aide);
                    ok &= Capturer(prefixe + QStringLiteral("26-equilibrage-info-bulle.png"));
                    QToolTip::hideText();
                    break;
                }
            }
            Clic(equilibrage, "CmdFermer");
        }
    }

    // The help of the rooms list, and the about box, as they open.
    Clic(fenetre.Circuits(), "CmdAide");
    ok &= Capturer(prefixe + QStringLiteral("27-aide.png"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("FrmAide"))
            w->close();
    fenetre.activateWindow();
    fenetre.findChild<QAction*>(QStringLiteral("MnuAPropos"))->trigger();
    ok &= Capturer(prefixe + QStringLiteral("28-a-propos.png"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Frm_A_Propos"))
            w->close();

    // Nothing to keep: the working files go as when the user quits without storing.
    fenetre.Etude().DefinirModifie(false);
    fenetre.close();
    return ok ? 0 : 1;
}
