#include "ihm/Controles.h"

#include "commun/Nombres.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Proteger.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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

QLabel* Remarque(const QString& nom, QWidget* parent) {
    QLabel* l = Libelle(nom, QString(), parent);
    l->setWordWrap(true);
    QFont italique = l->font();
    italique.setItalic(true);
    l->setFont(italique);
    return l;
}

void ChoisirTexte(QComboBox* liste, const QString& texte) { liste->setCurrentIndex(liste->findText(texte.trimmed())); }

std::optional<int> EntierChoisi(const QComboBox* liste) {
    bool ok = false;
    const int n = liste->currentText().toInt(&ok);
    return liste->currentIndex() >= 0 && ok ? std::optional<int>(n) : std::nullopt;
}

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

namespace {

// The scrolling body of an entry screen. It asks for the whole of its content
// (a plain scroll area caps its wish at a few dozen lines, which would cut
// the screens short where there is room), and can shrink to a few lines.
class CorpsDefilant : public QScrollArea {
public:
    explicit CorpsDefilant(QWidget* parent) : QScrollArea(parent) {
        setObjectName(QStringLiteral("CorpsPage"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // The fields inside take the focus, not the area: Tab brings the
        // field it reaches into view.
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override {
        if (!widget())
            return QScrollArea::sizeHint();
        const QSize contenu = widget()->sizeHint();
        // Wide enough that a vertical scroll bar never brings a horizontal one.
        const int largeur = qMax(contenu.width(), widget()->minimumSizeHint().width() + barre());
        return QSize(largeur, contenu.height()) + QSize(2 * frameWidth(), 2 * frameWidth());
    }
    QSize minimumSizeHint() const override {
        const int largeur = widget() ? widget()->minimumSizeHint().width() + barre() : 0;
        return QSize(largeur, fontMetrics().height() * 4) + QSize(2 * frameWidth(), 2 * frameWidth());
    }

protected:
    bool viewportEvent(QEvent* evenement) override {
        // The content asks for another size (a text set, a frame unfolded):
        // the screen, then its window, are to ask for it in turn.
        if (evenement->type() == QEvent::LayoutRequest) {
            choisirBarre();
            updateGeometry();
        }
        return QScrollArea::viewportEvent(evenement);
    }
    void resizeEvent(QResizeEvent* evenement) override {
        choisirBarre();
        QScrollArea::resizeEvent(evenement);
    }

private:
    // The vertical scroll bar only when the content, as wide as the whole
    // area, is taller than it. (Left to itself, a scroll area that once
    // needed the bar keeps it after growing: the bar's width makes wrapped
    // text taller, which seems to need the bar still.)
    void choisirBarre() {
        if (!widget())
            return;
        const QSize place = maximumViewportSize();
        int hauteur = widget()->heightForWidth(place.width());
        if (hauteur < 0)
            hauteur = widget()->minimumSizeHint().height();
        hauteur = qMax(hauteur, widget()->minimumSizeHint().height());
        setVerticalScrollBarPolicy(hauteur > place.height() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }

    int barre() const { return verticalScrollBar()->sizeHint().width(); }
};

// Enter and Escape of an entry screen, for the keys its fields leave alone
// (they reach the screen unaccepted).
class ClavierPage : public QObject {
public:
    ClavierPage(QWidget* ecran, QPushButton* avance) : QObject(ecran), ecran_(ecran), avance_(avance) {
        setObjectName(QStringLiteral("ClavierPage"));
        ecran->installEventFilter(this);
        // An editable list keeps Enter and Escape for itself, even when its
        // list is closed: they are the screen's there too.
        for (QComboBox* liste : ecran->findChildren<QComboBox*>())
            if (liste->isEditable())
                liste->installEventFilter(this);
    }
    QPointer<QPushButton> annuler;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() != QEvent::KeyPress)
            return false;
        if (objet != ecran_) {
            auto* liste = qobject_cast<QComboBox*>(objet);
            if (!liste || liste->view()->isVisible())
                return false;
        }
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if ((touche->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        QPushButton* cible = nullptr;
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            // As in a dialog: the button that has the focus, else the one
            // that moves on.
            auto* focus = qobject_cast<QPushButton*>(QApplication::focusWidget());
            cible = focus && ecran_->isAncestorOf(focus) ? focus : avance_.data();
        } else if (touche->key() == Qt::Key_Escape) {
            cible = annuler;
        }
        if (!cible || !cible->isEnabled() || !cible->isVisibleTo(ecran_))
            return false;
        cible->click();
        return true;
    }

private:
    QWidget* ecran_;
    QPointer<QPushButton> avance_;
};

} // namespace

QVBoxLayout* Disposition(QWidget* ecran) {
    // Screen: the body that scrolls, then (PiedDePage) the bottom row.
    auto* externe = new QVBoxLayout(ecran);
    externe->setContentsMargins(16, 12, 16, 10);
    externe->setSpacing(8);
    auto* corps = new CorpsDefilant(ecran);
    auto* contenu = new QWidget(corps);
    contenu->setObjectName(QStringLiteral("ContenuPage"));
    auto* d = new QVBoxLayout(contenu);
    d->setContentsMargins(0, 0, 0, 0);
    d->setSpacing(10);
    corps->setWidget(contenu);
    externe->addWidget(corps, 1);
    return d;
}

BoutonsPage PiedDePage(QVBoxLayout* disposition, const QString& page, bool precedent, Avancer avancer) {
    // The bottom row goes below the scrolling body, when the body is one.
    QWidget* ecran = disposition->parentWidget();
    QVBoxLayout* pied = disposition;
    for (QWidget* w = ecran; w; w = w->parentWidget()) {
        if (auto* corps = dynamic_cast<CorpsDefilant*>(w)) {
            ecran = corps->parentWidget();
            pied = qobject_cast<QVBoxLayout*>(ecran->layout());
            break;
        }
    }
    BoutonsPage b;
    b.Aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), ecran);
    b.Annuler = Bouton(QStringLiteral("CmdAnnuler"), QStringLiteral("Annuler"), ecran);
    if (precedent)
        b.Precedent = Bouton(QStringLiteral("CmdPrecedent"), QStringLiteral("<< &Précédent"), ecran);
    QPushButton* avance = nullptr;
    if (avancer == Avancer::Suivant)
        avance = b.Suivant = Bouton(QStringLiteral("CmdSuivant"), QStringLiteral("&Suivant >>"), ecran);
    else if (avancer == Avancer::OK)
        avance = b.OK = Bouton(QStringLiteral("cmdOK"), QStringLiteral("&OK"), ecran);
    if (avance)
        avance->setDefault(true); // drawn as the button Enter presses
    new ClavierPage(ecran, avance);

    pied->addWidget(Trait(ecran));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(Libelle(QStringLiteral("LblPage"), page, ecran));
    ligne->addStretch();
    for (QPushButton* bouton : {b.Aide, b.Annuler, b.Precedent, avance})
        if (bouton)
            ligne->addWidget(bouton);
    pied->addLayout(ligne);
    return b;
}

void EchapAnnule(const BoutonsPage& boutons) {
    if (!boutons.Annuler)
        return;
    QWidget* ecran = boutons.Annuler->parentWidget();
    if (auto* clavier = ecran->findChild<ClavierPage*>(QStringLiteral("ClavierPage"), Qt::FindDirectChildrenOnly))
        clavier->annuler = boutons.Annuler;
}

BoutonsDialogue PiedDeDialogue(QDialog* dialogue, QVBoxLayout* disposition) {
    BoutonsDialogue b;
    b.Aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), dialogue);
    b.OK = Bouton(QStringLiteral("CmdOK"), QStringLiteral("OK"), dialogue);
    auto* annuler = Bouton(QStringLiteral("CmdAnnuler"), QStringLiteral("&Annuler"), dialogue);
    b.OK->setDefault(true);
    QObject::connect(annuler, &QPushButton::clicked, dialogue, &QDialog::reject);
    disposition->addWidget(Trait(dialogue));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(b.Aide);
    ligne->addStretch();
    ligne->addWidget(b.OK);
    ligne->addWidget(annuler);
    disposition->addLayout(ligne);
    return b;
}

void DonnerFocus(QWidget* champ) {
    if (!champ)
        return;
    champ->setFocus(Qt::OtherFocusReason);
    // Already focused, the field got no focus event: select here, so that
    // what the user types next replaces the refused value.
    if (auto* ligne = qobject_cast<QLineEdit*>(champ))
        ligne->selectAll();
    else if (auto* liste = qobject_cast<QComboBox*>(champ); liste && liste->lineEdit())
        liste->lineEdit()->selectAll();
    MontrerDansLaPage(champ);
}

void MontrerDansLaPage(QWidget* w) {
    if (!w)
        return;
    CorpsDefilant* corps = nullptr;
    for (QWidget* p = w->parentWidget(); p && !corps; p = p->parentWidget())
        corps = dynamic_cast<CorpsDefilant*>(p);
    if (!corps)
        return;
    // A change of size travels up one layout at a time (the screen, its
    // window, the body): let it arrive before measuring where `w` is.
    for (int tour = 0; tour < 4; ++tour)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    corps->ensureWidgetVisible(w);
}

} // namespace sorvel
