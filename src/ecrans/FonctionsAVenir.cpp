// The commands of the windows still being written: the study library's
// dialogs, the print-outs, the summary and the material list. Each one tells the user it is not available yet; replacing one
// means replacing its body here.

#include "ecrans/FonctionsAVenir.h"

#include "ihm/BoiteMessage.h"
#include "ecrans/MDIPlancher.h"
#include "stockage/ModEnregistrer.h"

namespace sorvel {

void FonctionIndisponible(QWidget* parent) {
    Message(parent, IconeMessage::Information, TitreFonctionIndisponible, TexteFonctionIndisponible);
}

void MDIPlancher::EnregistrerEtude(const QString& nom, bool& refuse) {
    (void)nom;
    FonctionIndisponible(this);
    // Nothing was stored: whoever asked must not go on as if it had been.
    refuse = true;
}

void MDIPlancher::OuvrirDialogueOuverture(const QStringList& etudes) {
    (void)etudes;
    FonctionIndisponible(this);
}

void MDIPlancher::OuvrirDialogueEnregistrement(ModeEnregistrement mode) {
    (void)mode;
    FonctionIndisponible(this);
}

void MDIPlancher::LancerImpression(Impression impression) {
    (void)impression;
    // A report needs at least one accepted room to recalculate.
    if (NombrePieces() == 0) {
        Message(this, IconeMessage::Aucune, QStringLiteral("Impression."),
                QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une "
                               "impression !"));
        return;
    }
    FonctionIndisponible(this);
}

void MDIPlancher::OuvrirRecapitulatif() { FonctionIndisponible(this); }
void MDIPlancher::OuvrirMateriel() { FonctionIndisponible(this); }

} // namespace sorvel
