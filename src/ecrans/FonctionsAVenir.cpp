// The commands of the windows still being written: the study library's
// dialogs, the summary and the material list. Each one tells the user it is not available yet; replacing one
// means replacing its body here.

#include "ecrans/FonctionsAVenir.h"

#include "ecrans/MDIPlancher.h"
#include "ihm/BoiteMessage.h"
#include "modele/EtudeEnCours.h"

namespace sorvel {

void FonctionIndisponible(QWidget* parent) {
    Message(parent, IconeMessage::Information, TitreFonctionIndisponible, TexteFonctionIndisponible);
}

void MDIPlancher::OuvrirDialogueOuverture(const QStringList& etudes) {
    (void)etudes;
    FonctionIndisponible(this);
}

void MDIPlancher::OuvrirDialogueEnregistrement(ModeEnregistrement mode) {
    (void)mode;
    FonctionIndisponible(this);
}

void MDIPlancher::OuvrirRecapitulatif() { FonctionIndisponible(this); }
void MDIPlancher::OuvrirMateriel() { FonctionIndisponible(this); }

} // namespace sorvel
