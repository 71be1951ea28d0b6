#include "Gestes.h"

#include "ihm/Ressources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

namespace sorvel::test {

ReponseMessage BoiteMessageScriptee::afficher(QWidget*, IconeMessage icone, const QString& titre,
                                              const QString& texte, BoutonsMessage boutons) {
    ReponseMessage reponse = boutons == BoutonsMessage::OK              ? ReponseMessage::OK
                             : boutons == BoutonsMessage::OuiNonAnnuler ? ReponseMessage::Annuler
                                                                        : ReponseMessage::Non;
    if (!reponses_.empty()) {
        reponse = reponses_.front();
        reponses_.pop_front();
    }
    messages.push_back({icone, titre, texte, boutons, reponse});
    return reponse;
}

QStringList BoiteMessageScriptee::titres() const {
    QStringList t;
    for (const auto& m : messages)
        t << m.titre;
    return t;
}

::testing::AssertionResult BoiteMessageScriptee::seul(const QString& titre, const QString& texte,
                                                      std::optional<IconeMessage> icone,
                                                      std::optional<BoutonsMessage> boutons) const {
    if (messages.size() != 1)
        return ::testing::AssertionFailure() << messages.size() << " messages : " << titres().join(", ").toStdString();
    const MessageAffiche& m = messages[0];
    if (m.titre != titre || (!texte.isEmpty() && m.texte != texte))
        return ::testing::AssertionFailure() << "message « " << m.titre.toStdString() << " » : " << m.texte.toStdString();
    if ((icone && m.icone != *icone) || (boutons && m.boutons != *boutons))
        return ::testing::AssertionFailure() << "icône " << int(m.icone) << ", boutons " << int(m.boutons);
    return ::testing::AssertionSuccess();
}

DossierProgrammeTest::DossierProgrammeTest() {
    EXPECT_TRUE(dossier_.isValid());
    DefinirDossierProgramme(dossier_.path());
}

DossierProgrammeTest::~DossierProgrammeTest() {
    // Give back write permission wherever a test took it away, so the
    // folder can be removed.
    QFile::setPermissions(dossier_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(etudes(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void DossierProgrammeTest::creerDansEtudes(const QString& nom, const QByteArray& contenu) {
    QDir().mkpath(etudes());
    QFile f(etudes() + QLatin1Char('/') + nom);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

bool DossierProgrammeTest::existeDansEtudes(const QString& nom) const {
    return QFile::exists(etudes() + QLatin1Char('/') + nom);
}

void Cliquer(const QObject* racine, const QString& nom) {
    auto* bouton = Trouver<QAbstractButton>(racine, nom);
    if (!bouton)
        return;
    if (!bouton->isVisible() || !bouton->isEnabled()) {
        ADD_FAILURE() << "le bouton '" << nom.toStdString() << "' n'est pas accessible";
        return;
    }
    // An option or a check box answers on its box and caption only, not on
    // the empty width a layout may give it: click on the box.
    QPoint point = bouton->rect().center();
    if (qobject_cast<QRadioButton*>(bouton) || qobject_cast<QCheckBox*>(bouton))
        point.setX(qMin(8, bouton->width() / 2));
    QTest::mouseClick(bouton, Qt::LeftButton, {}, point);
    QApplication::processEvents();
}

void Taper(const QObject* racine, const QString& nom, const QString& texte) {
    auto* champ = Trouver<QLineEdit>(racine, nom);
    if (!champ)
        return;
    champ->setFocus(Qt::TabFocusReason);
    champ->selectAll();
    QTest::keyClicks(champ, texte);
    QApplication::processEvents();
}

void Choisir(const QObject* racine, const QString& nom, const QString& texte) {
    auto* liste = Trouver<QComboBox>(racine, nom);
    if (!liste)
        return;
    const int i = liste->findText(texte);
    if (i < 0) {
        ADD_FAILURE() << "la liste '" << nom.toStdString() << "' n'a pas '" << texte.toStdString() << "'";
        return;
    }
    if (!liste->isEnabled()) {
        ADD_FAILURE() << "la liste '" << nom.toStdString() << "' est grisée";
        return;
    }
    liste->setCurrentIndex(i);
    QApplication::processEvents();
}

void Declencher(const QObject* racine, const QString& nom) {
    auto* action = Trouver<QAction>(racine, nom);
    if (!action)
        return;
    if (!action->isEnabled()) {
        ADD_FAILURE() << "le menu '" << nom.toStdString() << "' est grisé";
        return;
    }
    action->trigger();
    QApplication::processEvents();
}

namespace {
void Parcourir(const QMenu* menu, std::vector<QAction*>& actions) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu<QMenu*>())
            Parcourir(a->menu<QMenu*>(), actions);
        else
            actions.push_back(a);
    }
}
} // namespace

std::vector<QAction*> ActionsDesMenus(const QWidget* fenetre) {
    std::vector<QAction*> actions;
    const QMenuBar* barre = fenetre->findChild<QMenuBar*>();
    if (!barre)
        return actions;
    for (QAction* a : barre->actions())
        if (a->menu<QMenu*>())
            Parcourir(a->menu<QMenu*>(), actions);
    return actions;
}

void Detruire() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace sorvel::test
