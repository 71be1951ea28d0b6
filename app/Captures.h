#pragma once

// What the steps of the screenshot tool (captures.cpp) share: waiting for
// the X server to draw, grabbing the screen, acting on a screen's controls
// by their names, and the session every step works on. Not part of the
// program.

#include "ecrans/MDIPlancher.h"
#include "stockage/FichiersTravail.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace captures {

inline void Attendre(int millisecondes) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < millisecondes) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

inline bool Capturer(const QString& chemin) {
    Attendre(400);
    const QPixmap image = QGuiApplication::primaryScreen()->grabWindow(0);
    const bool ok = !image.isNull() && image.save(chemin, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "capture" : "ÉCHEC", qPrintable(chemin));
    return ok;
}

inline void Texte(QWidget* ecran, const char* nom, const QString& texte) {
    if (auto* champ = ecran->findChild<QLineEdit*>(QString::fromLatin1(nom)))
        champ->setText(texte);
}

inline void Choix(QWidget* ecran, const char* nom, const QString& texte) {
    if (auto* liste = ecran->findChild<QComboBox*>(QString::fromLatin1(nom)))
        liste->setCurrentIndex(liste->findText(texte));
}

inline void Clic(QWidget* ecran, const char* nom) {
    if (auto* bouton = ecran->findChild<QAbstractButton*>(QString::fromLatin1(nom)))
        bouton->click();
}

// What every step works on: the main window, its studies folder and where
// the pictures go. Each step adds its pictures and leaves `ok` false when
// one failed.
struct Seance {
    sorvel::MDIPlancher& fenetre;
    const sorvel::DossierEtudes& dossierEtudes;
    const sorvel::FichiersTravail& travail;
    QString prefixe;
    bool ok = true;
    void capturer(const char* nom) { ok &= Capturer(prefixe + QString::fromLatin1(nom)); }
    QAction* action(const char* nom) const { return fenetre.findChild<QAction*>(QString::fromLatin1(nom)); }
    // The rooms and pressure drops of the working files emptied.
    void viderPieces() const {
        for (const QString& f : {sorvel::FichierEtude, sorvel::FichierPerte})
            dossierEtudes.SupprimerFichier(f);
    }
};

// The rooms screens' way through the menus and the views of the study with
// equal loops and manifolds: page 3/4 with its proposal, the results of a
// room on 3 loops, the balancing and the manifolds window.
void BouclesEtCollecteurs(Seance& s);

} // namespace captures
