#pragma once

// Every message box of the program goes through this small interface, so that
// tests can answer them by script and record what was asked.

#include <QString>

class QWidget;

namespace sorvel {

enum class IconeMessage { Aucune, Information, Question, Exclamation, Critique };
enum class BoutonsMessage { OK, OuiNon, OuiNonAnnuler };
enum class ReponseMessage { OK, Oui, Non, Annuler };

class BoiteMessage {
public:
    virtual ~BoiteMessage() = default;
    virtual ReponseMessage afficher(QWidget* parent, IconeMessage icone, const QString& titre,
                                    const QString& texte, BoutonsMessage boutons) = 0;
};

// The one in use: a QMessageBox unless a test installed its own.
BoiteMessage& Messages();
// Installs `boite` (not owned) in place of the real one; nullptr restores it.
void InstallerBoiteMessage(BoiteMessage* boite);

// Shorthand for Messages().afficher(...).
ReponseMessage Message(QWidget* parent, IconeMessage icone, const QString& titre,
                       const QString& texte, BoutonsMessage boutons = BoutonsMessage::OK);

} // namespace sorvel
