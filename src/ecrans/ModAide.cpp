#include "ecrans/ModAide.h"

#include "ecrans/BoiteMessage.h"
#include "etude/ModEnregistrer.h"

#include <QFileInfo>

namespace sorvel {

QString CheminAide() { return DossierProgramme() + QStringLiteral("/Sorvel.chm"); }

void AfficherAide(const QString& chemin, const QString& typeFenetre, std::optional<int> contexte) {
    (void)typeFenetre;
    (void)contexte;
    if (!QFileInfo::exists(CheminAide())) {
        Message(nullptr, IconeMessage::Critique, QStringLiteral("FICHIER D'AIDE MANQUANT."),
                QStringLiteral("Le fichier d'aide 'Sorvel.chm' ne se trouve plus dans le dossier du "
                               "programme, faite une recherche sur votre système et replacez le dans "
                               "le dossier de l'application. Si vous ne le trouvez plus, contactez moi, "
                               "je vous le ferai parvenir."));
        return;
    }
    (void)chemin; // the help window comes with the help file reader
}

} // namespace sorvel
