#include "ihm/Controles.h"

#include "commun/Nombres.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Proteger.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

void ChoisirTexte(QComboBox* liste, const QString& texte) { liste->setCurrentIndex(liste->findText(texte.trimmed())); }

QLabel* LigneChamp(QGridLayout* grille, int ligne, QLabel* libelle, QWidget* champ, const QString& unite,
                   const QString& nomUnite, QWidget* bouton) {
    libelle->setBuddy(champ);
    grille->addWidget(libelle, ligne, 0);
    grille->addWidget(champ, ligne, 1);
    auto* u = Libelle(nomUnite, unite, libelle->parentWidget());
    grille->addWidget(u, ligne, 2);
    if (bouton)
        grille->addWidget(bouton, ligne, 3);
    return u;
}

ChampNumerique* ChampNombre(const QString& nom, const QString& libelle, QWidget* parent, int largeur) {
    auto* c = new ChampNumerique(nom, libelle, parent);
    c->setText(QStringLiteral("0"));
    c->setAlignment(Qt::AlignRight);
    c->setFixedWidth(largeur);
    return c;
}

QVBoxLayout* Disposition(QWidget* ecran) {
    auto* d = new QVBoxLayout(ecran);
    d->setContentsMargins(16, 14, 16, 12);
    d->setSpacing(10);
    return d;
}

BoutonsPage PiedDePage(QVBoxLayout* disposition, const QString& page, bool precedent, Avancer avancer) {
    QWidget* ecran = disposition->parentWidget();
    BoutonsPage b;
    b.Aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), ecran);
    b.Annuler = Bouton(QStringLiteral("CmdAnnuler"), QStringLiteral("&Annuler"), ecran);
    if (precedent)
        b.Precedent = Bouton(QStringLiteral("CmdPrecedent"), QStringLiteral("<< &Précédent"), ecran);
    QPushButton* avance = nullptr;
    if (avancer == Avancer::Suivant)
        avance = b.Suivant = Bouton(QStringLiteral("CmdSuivant"), QStringLiteral("&Suivant >>"), ecran);
    else if (avancer == Avancer::OK)
        avance = b.OK = Bouton(QStringLiteral("cmdOK"), QStringLiteral("&OK"), ecran);
    if (avance)
        avance->setDefault(true);

    disposition->addWidget(Trait(ecran));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(Libelle(QStringLiteral("LblPage"), page, ecran));
    ligne->addStretch();
    for (QPushButton* bouton : {b.Aide, b.Annuler, b.Precedent, avance})
        if (bouton)
            ligne->addWidget(bouton);
    disposition->addLayout(ligne);
    return b;
}

} // namespace sorvel
