#include "ihm/Panneau.h"

#include "ihm/Controles.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

Panneau::Panneau(const QString& nom, const QString& titre, QWidget* parent) : QFrame(parent) {
    setObjectName(nom);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(12, 8, 12, 10);
    auto* t = new QLabel(titre, this);
    t->setObjectName(nom + QStringLiteral("_Titre"));
    QFont f = t->font();
    f.setBold(true);
    t->setFont(f);
    l->addWidget(t);
    l->addWidget(Trait(this));
    grille = new QGridLayout;
    grille->setHorizontalSpacing(8);
    l->addLayout(grille);
    hide();
}

void Panneau::PlacerSous(QWidget* sous) {
    QWidget* ecran = parentWidget();
    adjustSize();
    const QPoint coin = sous->mapTo(ecran, QPoint(sous->width(), sous->height() + 4));
    int y = coin.y();
    if (y + height() > ecran->height() - 4)
        y = sous->mapTo(ecran, QPoint()).y() - 4 - height();
    const int x = qBound(4, coin.x() - width(), qMax(4, ecran->width() - width() - 4));
    y = qBound(4, y, qMax(4, ecran->height() - height() - 4));
    move(x, y);
}

void Panneau::keyPressEvent(QKeyEvent* evenement) {
    const bool entree = evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter;
    if (entree && (evenement->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && ok) {
        // The button that has the focus, else "OK".
        auto* bouton = qobject_cast<QPushButton*>(QApplication::focusWidget());
        (bouton && isAncestorOf(bouton) ? bouton : ok)->click();
        return;
    }
    QFrame::keyPressEvent(evenement);
}

bool Panneau::focusNextPrevChild(bool suivant) {
    QList<QWidget*> ordre;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(this) && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy())
            ordre << w;
    if (ordre.isEmpty())
        return false;
    QWidget* focus = QApplication::focusWidget();
    qsizetype i = ordre.indexOf(focus);
    for (QWidget* w = focus; i < 0 && w && w != this; w = w->parentWidget())
        i = ordre.indexOf(w);
    const qsizetype n = ordre.size();
    const qsizetype cible = i < 0 ? 0 : (i + (suivant ? 1 : n - 1)) % n;
    ordre[cible]->setFocus(suivant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace sorvel
