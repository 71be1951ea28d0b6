// The two expert modules open from the "&Modules" menu as auxiliary
// windows: created when they do not exist, shown again unchanged when they
// do; either way they remember the screen then showing, and "Fermer" shows
// that screen again and destroys the window, so that the next opening
// starts afresh.

#include "ecrans/MDIPlancher.h"

#include "modules/FrmCorrection.h"
#include "modules/FrmIncertitude.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace sorvel {

namespace {

// The module window of type Fenetre living in the main window, unless it
// has been closed and is only waiting to be destroyed.
template <class Fenetre>
Fenetre* FenetreOuverte(const MDIPlancher& plancher) {
    for (Fenetre* f : plancher.findChildren<Fenetre*>())
        if (!f->EstFermee())
            return f;
    return nullptr;
}

template <class Fenetre>
void OuvrirFenetreModule(MDIPlancher& plancher) {
    Fenetre* fenetre = FenetreOuverte<Fenetre>(plancher);
    if (!fenetre) {
        fenetre = new Fenetre;
        plancher.AjouterFeuille(fenetre);
        QObject::connect(fenetre, &FrmModule::fermee, &plancher, [&plancher, fenetre] {
            plancher.AfficherFeuille(fenetre->FeuilleOrigine());
            fenetre->deleteLater(); // its window in the client area follows
        });
    }
    // Opened again over itself, it keeps the screen it came from.
    QWidget* affichee = plancher.FeuilleAffichee();
    if (affichee != fenetre)
        fenetre->DefinirFeuilleOrigine(affichee);
    // As large as it needs within the client area; on a small screen its
    // contents scroll.
    if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget()))
        if (QMdiArea* zone = sous->mdiArea())
            sous->resize(sous->sizeHint().boundedTo(zone->viewport()->size()));
    plancher.CentrerFeuille(fenetre);
    plancher.AfficherFeuille(fenetre);
}

} // namespace

void MDIPlancher::OuvrirModuleCorrection() { OuvrirFenetreModule<FrmCorrection>(*this); }
void MDIPlancher::OuvrirModuleIncertitude() { OuvrirFenetreModule<FrmIncertitude>(*this); }

} // namespace sorvel
