#include "ihm/ModAide.h"

#include "ihm/BoiteMessage.h"
#include "ihm/FrmAide.h"
#include "ihm/Ressources.h"

#include <QFileInfo>

namespace sorvel {

QString CheminAide() { return DossierProgramme() + QStringLiteral("/Sorvel.chm"); }

void AfficherAide(const QString& chemin, const QString& typeFenetre, std::optional<int> contexte) {
    if (!QFileInfo::exists(chemin.trimmed())) {
        Message(nullptr, IconeMessage::Critique, QStringLiteral("FICHIER D'AIDE MANQUANT."),
                QStringLiteral("Le fichier d'aide 'Sorvel.chm' ne se trouve plus dans le dossier du "
                               "programme, faite une recherche sur votre système et replacez le dans "
                               "le dossier de l'application. Si vous ne le trouvez plus, contactez moi, "
                               "je vous le ferai parvenir."));
        return;
    }
    // The help window stands on its own, owned by no screen, and is raised
    // again rather than duplicated.
    sorvel::FrmAide* fenetre = sorvel::FrmAide::Instance();
    // A damaged file may open and still hold no page to show.
    if (!fenetre->ouvrir(chemin.trimmed()) || fenetre->afficher(typeFenetre, contexte).isEmpty()) {
        Message(nullptr, IconeMessage::Critique, QStringLiteral("FICHIER D'AIDE ILLISIBLE."),
                QStringLiteral("Le fichier d'aide '") + QFileInfo(chemin.trimmed()).fileName() +
                    QStringLiteral("' est endommagé et ne peut pas être lu. Remplacez le par une "
                                   "copie en bon état dans le dossier de l'application."));
        return;
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

} // namespace sorvel
