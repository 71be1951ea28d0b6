#pragma once

// What the screen tests share: a scripted message box, a program folder of
// their own, and the gestures of a user (click, type, choose, use a menu).

#include "ihm/BoiteMessage.h"
#include "ecrans/MDIPlancher.h"

#include <QAction>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace sorvel::test {

struct MessageAffiche {
    IconeMessage icone;
    QString titre;
    QString texte;
    BoutonsMessage boutons;
    ReponseMessage reponse;
};

// Answers the message boxes from a queue and records every one. With the
// queue empty it gives the cautious answer: OK, No, or Cancel.
class BoiteMessageScriptee : public BoiteMessage {
public:
    BoiteMessageScriptee() { InstallerBoiteMessage(this); }
    ~BoiteMessageScriptee() override { InstallerBoiteMessage(nullptr); }

    void repondre(ReponseMessage reponse) { reponses_.push_back(reponse); }
    ReponseMessage afficher(QWidget* parent, IconeMessage icone, const QString& titre,
                            const QString& texte, BoutonsMessage boutons) override;

    std::vector<MessageAffiche> messages;
    void vider() { messages.clear(); reponses_.clear(); }
    // Titles of the messages shown, in order.
    QStringList titres() const;
    // Exactly one message was shown, with this title and, when given, this
    // text, icon and buttons.
    ::testing::AssertionResult seul(const QString& titre, const QString& texte = {},
                                    std::optional<IconeMessage> icone = {},
                                    std::optional<BoutonsMessage> boutons = {}) const;

private:
    std::deque<ReponseMessage> reponses_;
};

// A program folder of its own (pictures, help, Etudes) for one test.
class DossierProgrammeTest {
public:
    DossierProgrammeTest();
    ~DossierProgrammeTest();
    QString chemin() const { return dossier_.path(); }
    QString etudes() const { return dossier_.path() + QStringLiteral("/Etudes"); }
    // Creates `nom` in Etudes (the folder too) with `contenu`.
    void creerDansEtudes(const QString& nom, const QByteArray& contenu = QByteArray());
    bool existeDansEtudes(const QString& nom) const;

private:
    QTemporaryDir dossier_;
};

// The path of `nom` in the studies folder of the test's program folder.
QString CheminEtudes(const QString& nom);

// A desk with room to spare, where the main window opens at its own size.
inline const QRect GrandEcran(0, 0, 1280, 1024);
// Builds the main window on the studies folder beside the program and shows
// it (first activation included), on a screen `largeurEcran` pixels wide
// whose windows may take `zoneDisponible`.
std::unique_ptr<MDIPlancher> Demarrer(int largeurEcran = 1280, const QRect& zoneDisponible = GrandEcran);
// Same, on the studies folder `dossierEtudes`.
std::unique_ptr<MDIPlancher> DemarrerDans(const QString& dossierEtudes, int largeurEcran = 1280,
                                          const QRect& zoneDisponible = GrandEcran);
// Builds the main window, starts a new study, chooses the supply
// temperature `tempDepart` (unless empty) and goes on to the rooms list.
std::unique_ptr<MDIPlancher> DemarrerEtude(const QString& tempDepart = {});

// From the rooms list, adds a room and enters a valid one (normal load,
// "Séjour", 20 °C, 20 m² less 2 m², 1500 W, 50 W downward, Rth 0.05) up to
// page `page` of the room screens (1 to 4), which is then showing.
void SaisirPieceJusquALaPage(MDIPlancher& f, int page);

// The child of `racine` named `nom` (objectName), or nullptr with a test failure.
template <class T = QWidget>
T* Trouver(const QObject* racine, const QString& nom) {
    T* objet = racine ? racine->findChild<T*>(nom) : nullptr;
    if (!objet)
        ADD_FAILURE() << "pas d'objet '" << nom.toStdString() << "'";
    return objet;
}

// A click of the mouse on the visible, enabled button `nom`.
void Cliquer(const QObject* racine, const QString& nom);
// Gives the field `nom` the focus, selects its whole text and types `texte`
// key by key over it (an empty `texte` leaves the field as it was).
void Taper(const QObject* racine, const QString& nom, const QString& texte);
// Chooses the item `texte` of the list `nom`, as a user would.
void Choisir(const QObject* racine, const QString& nom, const QString& texte);
// Chooses the menu item `nom` (an enabled QAction of the menus).
void Declencher(const QObject* racine, const QString& nom);
// Every command of the menu bar (no separators, no sub-menu titles), in menu order.
std::vector<QAction*> ActionsDesMenus(const QWidget* fenetre);

} // namespace sorvel::test
