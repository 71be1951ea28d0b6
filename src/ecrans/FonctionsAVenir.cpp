// The commands of the windows still being written: the print-outs. Each
// one tells the user it is not available yet; replacing one means replacing
// its body here.

#include "ecrans/FonctionsAVenir.h"

#include "ecrans/MDIPlancher.h"
#include "ihm/BoiteMessage.h"
#include "modele/EtudeEnCours.h"

namespace sorvel {

void FonctionIndisponible(QWidget* parent) {
    Message(parent, IconeMessage::Information, TitreFonctionIndisponible, TexteFonctionIndisponible);
}

void MDIPlancher::LancerImpression(Impression impression) {
    (void)impression;
    if (etude_->PeutImprimer())
        FonctionIndisponible(this);
}

} // namespace sorvel
