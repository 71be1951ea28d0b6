#include "ihm/BoiteMessage.h"

#include <QMessageBox>

namespace sorvel {

namespace {

class BoiteMessageQt : public BoiteMessage {
public:
    ReponseMessage afficher(QWidget* parent, IconeMessage icone, const QString& titre,
                            const QString& texte, BoutonsMessage boutons) override {
        QMessageBox boite(parent);
        boite.setWindowTitle(titre);
        boite.setText(texte);
        switch (icone) {
        case IconeMessage::Aucune: boite.setIcon(QMessageBox::NoIcon); break;
        case IconeMessage::Information: boite.setIcon(QMessageBox::Information); break;
        case IconeMessage::Question: boite.setIcon(QMessageBox::Question); break;
        case IconeMessage::Exclamation: boite.setIcon(QMessageBox::Warning); break;
        case IconeMessage::Critique: boite.setIcon(QMessageBox::Critical); break;
        }
        switch (boutons) {
        case BoutonsMessage::OK: boite.setStandardButtons(QMessageBox::Ok); break;
        case BoutonsMessage::OuiNon: boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case BoutonsMessage::OuiNonDefautNon:
            boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            boite.setDefaultButton(QMessageBox::No);
            break;
        case BoutonsMessage::OuiNonAnnuler:
            boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (boite.exec()) {
        case QMessageBox::Yes: return ReponseMessage::Oui;
        case QMessageBox::No: return ReponseMessage::Non;
        case QMessageBox::Cancel: return ReponseMessage::Annuler;
        default: return boutons == BoutonsMessage::OK ? ReponseMessage::OK : ReponseMessage::Annuler;
        }
    }
};

BoiteMessage* installee = nullptr;

} // namespace

BoiteMessage& Messages() {
    static BoiteMessageQt reelle;
    return installee ? *installee : reelle;
}

void InstallerBoiteMessage(BoiteMessage* boite) { installee = boite; }

ReponseMessage Message(QWidget* parent, IconeMessage icone, const QString& titre,
                       const QString& texte, BoutonsMessage boutons) {
    return Messages().afficher(parent, icone, titre, texte, boutons);
}

} // namespace sorvel
