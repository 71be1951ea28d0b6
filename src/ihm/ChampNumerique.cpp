#include "ihm/ChampNumerique.h"

#include "commun/Nombres.h"
#include "ihm/BoiteMessage.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

namespace sorvel {

ChampNumerique::ChampNumerique(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &ChampNumerique::verifierTexte);
}

ChampNumerique::ChampNumerique(const QString& nom, const QString& libelle, QWidget* parent)
    : ChampNumerique(parent) {
    setObjectName(nom);
    setAccessibleName(libelle);
}

std::optional<double> ChampNumerique::valeur() const { return LireNombre(text().toStdString()); }

void ChampNumerique::definirValeur(double x) { setText(QString::fromStdString(FormatGeneral(x))); }

void ChampNumerique::definirValeur(std::optional<double> x) {
    if (x)
        definirValeur(*x);
    else
        setText(QString());
}

namespace {

// The arrow of a drop-down list, as the style draws it on its lists.
QIcon FlecheListe(const QWidget* champ) {
    QPixmap image(QSize(12, 12) * champ->devicePixelRatioF());
    image.setDevicePixelRatio(champ->devicePixelRatioF());
    image.fill(Qt::transparent);
    QPainter p(&image);
    QStyleOption option;
    option.initFrom(champ);
    option.rect = QRect(0, 0, 12, 12);
    champ->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &p, champ);
    return QIcon(image);
}

} // namespace

void ChampNumerique::proposerValeurs(const QString& nomBouton, const QString& libelleBouton,
                                     std::function<std::vector<ValeurProposee>()> valeurs) {
    valeurs_ = std::move(valeurs);
    QAction* action = addAction(FlecheListe(this), QLineEdit::TrailingPosition);
    action->setObjectName(nomBouton);
    action->setToolTip(libelleBouton + QStringLiteral(" (Alt+Bas)"));
    connect(action, &QAction::triggered, this, &ChampNumerique::ouvrirValeurs);
    // The button the field draws for the action is named like any other.
    for (QToolButton* bouton : findChildren<QToolButton*>())
        if (bouton->defaultAction() == action) {
            bouton->setObjectName(nomBouton);
            bouton->setAccessibleName(libelleBouton);
        }
}

void ChampNumerique::ouvrirValeurs() {
    if (!valeurs_)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuValeurs"));
    for (const ValeurProposee& v : valeurs_())
        connect(menu.addAction(v.texte), &QAction::triggered, this, [this, x = v.valeur] {
            definirValeur(x);
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    menu.exec(mapToGlobal(QPoint(0, height())));
}

void ChampNumerique::keyPressEvent(QKeyEvent* evenement) {
    const bool altBas = evenement->key() == Qt::Key_Down && (evenement->modifiers() & Qt::AltModifier);
    if (valeurs_ && (altBas || evenement->key() == Qt::Key_F4)) {
        ouvrirValeurs();
        return;
    }
    if (evenement->text() == QStringLiteral(".")) {
        // Same key, comma text: the keypad's point and the main keyboard's
        // both give the French separator.
        QKeyEvent virgule(evenement->type(), Qt::Key_Comma, evenement->modifiers(),
                          QStringLiteral(","), evenement->isAutoRepeat(), evenement->count());
        QLineEdit::keyPressEvent(&virgule);
        evenement->setAccepted(virgule.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(evenement);
}

void ChampNumerique::focusInEvent(QFocusEvent* evenement) {
    QLineEdit::focusInEvent(evenement);
    selectAll();
    // A click that gives the focus would put the cursor where it lands and
    // undo the selection on release; keep the whole text selected instead.
    selectionnerAuClic_ = evenement->reason() == Qt::MouseFocusReason;
}

void ChampNumerique::mouseReleaseEvent(QMouseEvent* evenement) {
    QLineEdit::mouseReleaseEvent(evenement);
    if (selectionnerAuClic_) {
        selectionnerAuClic_ = false;
        if (!hasSelectedText())
            selectAll();
    }
}

void ChampNumerique::verifierTexte() {
    if (text().contains(QLatin1Char('.'))) {
        // A pasted "12.5" gets the French separator, as a typed point does;
        // setText re-enters here with the corrected text.
        const int curseur = cursorPosition();
        setText(text().replace(QLatin1Char('.'), QLatin1Char(',')));
        setCursorPosition(curseur);
        return;
    }
    if ((moinsSeul_ && text() == QStringLiteral("-")) || (vide_ && text().isEmpty())) {
        emit modifie();
        return;
    }
    if (!valeur()) {
        // setText re-enters here once with "0", which is a number.
        setText(QStringLiteral("0"));
        selectAll();
        return; // the nested change has announced itself
    }
    emit modifie();
}

bool ControlerChamps(QWidget* ecran, std::initializer_list<ChampNumerique*> champs, const RefusChamp& refus) {
    return ControlerChamps(ecran, std::vector<ChampNumerique*>(champs), refus);
}

bool ControlerChamps(QWidget* ecran, const std::vector<ChampNumerique*>& champs, const RefusChamp& refus) {
    for (ChampNumerique* champ : champs) {
        const auto message = refus(champ->accessibleName());
        if (!message)
            continue;
        Message(ecran, IconeMessage::Exclamation, message->first, message->second);
        champ->setFocus(Qt::OtherFocusReason);
        // Selected even when the field kept the focus through the message.
        champ->selectAll();
        return false;
    }
    return true;
}

} // namespace sorvel
