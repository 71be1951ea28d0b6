#include "ecrans/Controles.h"

#include "commun/Nombres.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace sorvel {

QPushButton* Bouton(const QString& nom, const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    b->setAccessibleName(QString(texte).remove(QLatin1Char('&')));
    return b;
}

QLabel* Libelle(const QString& nom, const QString& texte, QWidget* parent) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}

QComboBox* Liste(const QString& nom, const QString& libelle, const QStringList& elements, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(nom);
    c->setAccessibleName(libelle);
    c->addItems(elements);
    c->setCurrentIndex(-1);
    c->setMaxVisibleItems(12);
    return c;
}

QStringList Entiers(int premier, int dernier) {
    QStringList l;
    for (int i = premier; i <= dernier; ++i)
        l << QString::fromStdString(FormatGeneral(i));
    return l;
}

QFrame* Trait(QWidget* parent, const QString& nom) {
    auto* t = new QFrame(parent);
    if (!nom.isEmpty())
        t->setObjectName(nom);
    t->setFrameShape(QFrame::HLine);
    t->setFrameShadow(QFrame::Sunken);
    return t;
}

QLabel* Titre(const QString& texte, QWidget* parent) {
    auto* l = Libelle(QStringLiteral("LblTitre"), texte, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.35);
    l->setFont(f);
    return l;
}

QHBoxLayout* LigneBoutons(QLabel* page, std::initializer_list<QPushButton*> boutons) {
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(page);
    ligne->addStretch();
    for (QPushButton* b : boutons)
        ligne->addWidget(b);
    return ligne;
}

void ChoisirTexte(QComboBox* liste, const QString& texte) { liste->setCurrentIndex(liste->findText(texte.trimmed())); }

} // namespace sorvel
