// Screenshots of the main window for the documentation and for a look at
// the screens: run under an X server (scripts/captures.sh starts one with
// xvfb-run), it shows the real main window, takes the whole screen as the X
// server draws it after each step, writes PNG files into the folder given
// as first argument and quits. Not part of the program.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/MDIPlancher.h"
#include "ecrans/Traduction.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QThread>

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    sorvel::InstallerFrancais(application);
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        std::fprintf(stderr, "Il faut un serveur X (xvfb-run), pas la plateforme '%s'.\n",
                     qPrintable(QGuiApplication::platformName()));
        return 2;
    }
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("captures");
    QDir().mkpath(dossier);
    const QString prefixe = dossier + QLatin1Char('/');

    sorvel::MDIPlancher fenetre;
    // Without a window manager the window takes the whole screen itself.
    fenetre.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    fenetre.show();
    Attendre(300);

    bool ok = Capturer(prefixe + QStringLiteral("1-demarrage.png"));
    fenetre.findChild<QAction*>(QStringLiteral("MnuNouvelle"))->trigger();
    ok &= Capturer(prefixe + QStringLiteral("2-donnees-generales.png"));

    fenetre.Generales()->CmdSuivant_Click();
    fenetre.Circuits()->RemplirGrilleCircuits(
        {QStringLiteral("Séjour"), QStringLiteral("Cuisine"), QStringLiteral("Chambre 1"),
         QStringLiteral("Chambre 2"), QStringLiteral("Salle de bains")});
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

    // Nothing to keep: the working files go as when the user quits without storing.
    fenetre.DefinirModifie(false);
    fenetre.close();
    return ok ? 0 : 1;
}
