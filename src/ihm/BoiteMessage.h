#pragma once

// Every message box of the program goes through this small interface, so that
// tests can answer them by script and record what was asked.

#include "commun/Questions.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace sorvel {

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

// The questions of the study model, shown as message boxes over `parent`.
class QuestionsParBoite : public Questions {
public:
    explicit QuestionsParBoite(QWidget* parent = nullptr) : parent_(parent) {}
    ReponseMessage Poser(IconeMessage icone, const std::string& titre, const std::string& texte,
                         BoutonsMessage boutons) override {
        return Message(parent_, icone, QString::fromStdString(titre), QString::fromStdString(texte), boutons);
    }

private:
    QPointer<QWidget> parent_;
};

} // namespace sorvel
