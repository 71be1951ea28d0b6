#include "ecrans/GrilleElements.h"

#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

#include <algorithm>
#include <iterator>

namespace sorvel {

namespace {

enum Colonne { ColDesignation, ColNature, ColContact, ColSurface, ColU, ColComplement, NombreColonnes };

// Pages of the last column, by contact.
enum Page { PageSans, PageB, PageVoisin };

const QString LegendeDesignation = QStringLiteral("Désignation");
const QString LegendeNature = QStringLiteral("Nature");
const QString LegendeContact = QStringLiteral("Contact");

QString Nom(const char* prefixe, int numero) { return QString::fromLatin1(prefixe) + QString::number(numero); }

template <class T, std::size_t N>
int Indice(const T (&liste)[N], T valeur) {
    return static_cast<int>(std::find(std::begin(liste), std::end(liste), valeur) - std::begin(liste));
}

template <class T, std::size_t N>
T Choisi(const T (&liste)[N], const QComboBox* l) {
    return liste[std::clamp(l->currentIndex(), 0, static_cast<int>(N) - 1)];
}

// A number field that fills its cell.
ChampNumerique* ChampCellule(const char* prefixe, const QString& colonne, int numero) {
    ChampNumerique* c = ChampNombre(Nom(prefixe, numero), LegendeElement(colonne, numero), nullptr);
    c->setMinimumWidth(0);
    c->setMaximumWidth(QWIDGETSIZE_MAX);
    return c;
}

} // namespace

std::vector<QWidget*> GrilleElements::Ligne::cellules() const {
    return {designation, nature, contact, surface, u, complement};
}

GrilleElements::GrilleElements(QWidget* parent) : QTableWidget(0, NombreColonnes, parent) {
    setObjectName(QStringLiteral("GrilleElements"));
    setAccessibleName(QStringLiteral("Éléments de la pièce"));
    setHorizontalHeaderLabels({LegendeDesignation, LegendeNature, LegendeContact, QStringLiteral("Surface (m²)"),
                               QStringLiteral("U (W/m².K)"), QStringLiteral("b ou θ voisin")});
    horizontalHeaderItem(ColComplement)
        ->setToolTip(QStringLiteral("Facteur de réduction b (0 à 1) d'un local non chauffé, ou température (°C) "
                                    "d'un local chauffé voisin"));
    // The cells' controls take the focus, one after the other.
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    const int largeurs[NombreColonnes] = {170, 85, 135, 90, 95, 90};
    for (int c = 0; c < NombreColonnes; ++c)
        setColumnWidth(c, largeurs[c]);
    horizontalHeader()->setSectionResizeMode(ColDesignation, QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QComboBox().sizeHint().height() + 4);
}

void GrilleElements::Afficher(const std::vector<ElementParoi>& elements) {
    setRowCount(0);
    lignes_.clear();
    for (const ElementParoi& e : elements)
        AjouterLigne(e);
    OrdonnerTabulation();
}

void GrilleElements::AjouterLigne(const ElementParoi& e) {
    const int r = rowCount();
    const int n = r + 1;
    insertRow(r);
    Ligne l;
    l.designation = new QLineEdit(QString::fromStdString(e.Designation));
    l.designation->setObjectName(Nom("TxtDesignation_", n));
    l.designation->setAccessibleName(LegendeElement(LegendeDesignation, n));
    l.designation->setMaxLength(40);
    l.designation->setCursorPosition(0);
    QStringList natures, contacts;
    for (NatureElement nature : NaturesElements)
        natures << LibelleNature(nature);
    for (ContactElement contact : ContactsElements)
        contacts << LibelleContact(contact);
    l.nature = Liste(Nom("CmbNature_", n), LegendeElement(LegendeNature, n), natures, nullptr);
    l.nature->setCurrentIndex(Indice(NaturesElements, e.Nature));
    l.contact = Liste(Nom("CmbContact_", n), LegendeElement(LegendeContact, n), contacts, nullptr);
    l.contact->setCurrentIndex(Indice(ContactsElements, e.Contact));
    l.surface = ChampCellule("TxtSurfaceElement_", LegendeSurface, n);
    l.surface->definirValeur(e.Surface);
    l.u = ChampCellule("TxtU_", LegendeU, n);
    l.u->definirValeur(e.U);
    l.u->proposerValeurs(Nom("CmdValeursU_", n), QStringLiteral("Valeurs usuelles de U de l'élément ") + QString::number(n),
                         [nature = l.nature] {
                             std::vector<ChampNumerique::ValeurProposee> valeurs;
                             for (const ValeurUsuelle& v : ValeursUUsuelles(Choisi(NaturesElements, nature)))
                                 valeurs.push_back({TexteValeurUsuelle(v), v.U});
                             return valeurs;
                         });
    l.complement = new QStackedWidget;
    auto* sans = Libelle(Nom("LblSansComplement_", n), QStringLiteral("—"), l.complement);
    sans->setAlignment(Qt::AlignCenter);
    sans->setToolTip(QStringLiteral("Sans objet pour ce contact"));
    l.b = ChampCellule("TxtB_", LegendeB, n);
    l.voisin = ChampCellule("TxtTempVoisin_", LegendeTempVoisin, n);
    l.b->accepterVide(true);
    l.voisin->accepterVide(true);
    l.voisin->accepterMoinsSeul(true);
    l.b->definirValeur(e.B);
    l.voisin->definirValeur(e.TempAdjacente);
    for (QWidget* page : {static_cast<QWidget*>(sans), static_cast<QWidget*>(l.b), static_cast<QWidget*>(l.voisin)})
        l.complement->addWidget(page);
    const std::vector<QWidget*> cellules = l.cellules();
    for (int c = 0; c < NombreColonnes; ++c)
        setCellWidget(r, c, cellules[c]);
    for (QWidget* w : {static_cast<QWidget*>(l.designation), static_cast<QWidget*>(l.nature),
                       static_cast<QWidget*>(l.contact), static_cast<QWidget*>(l.surface), static_cast<QWidget*>(l.u),
                       static_cast<QWidget*>(l.b), static_cast<QWidget*>(l.voisin)})
        w->installEventFilter(this);
    AccorderContact(l);

    connect(l.designation, &QLineEdit::textEdited, this, &GrilleElements::modifie);
    connect(l.nature, &QComboBox::currentIndexChanged, this, &GrilleElements::modifie);
    connect(l.contact, &QComboBox::currentIndexChanged, this, [this, l] {
        AccorderContact(l);
        emit modifie();
    });
    for (ChampNumerique* c : {l.surface, l.u, l.b, l.voisin})
        connect(c, &ChampNumerique::modifie, this, &GrilleElements::modifie);
    lignes_.push_back(l);
}

void GrilleElements::AccorderContact(const Ligne& ligne) {
    switch (Choisi(ContactsElements, ligne.contact)) {
    case ContactElement::NonChauffe: ligne.complement->setCurrentIndex(PageB); break;
    case ContactElement::Chauffe: ligne.complement->setCurrentIndex(PageVoisin); break;
    case ContactElement::Exterieur:
    case ContactElement::Sol: ligne.complement->setCurrentIndex(PageSans); break;
    }
}

void GrilleElements::OrdonnerTabulation() {
    QWidget* precedent = this;
    for (const Ligne& l : lignes_)
        for (QWidget* w : {static_cast<QWidget*>(l.designation), static_cast<QWidget*>(l.nature),
                           static_cast<QWidget*>(l.contact), static_cast<QWidget*>(l.surface),
                           static_cast<QWidget*>(l.u), static_cast<QWidget*>(l.b), static_cast<QWidget*>(l.voisin)}) {
            setTabOrder(precedent, w);
            precedent = w;
        }
}

std::vector<ElementParoi> GrilleElements::Elements() const {
    std::vector<ElementParoi> elements;
    for (const Ligne& l : lignes_) {
        ElementParoi e;
        e.Designation = l.designation->text().trimmed().toStdString();
        e.Nature = Choisi(NaturesElements, l.nature);
        e.Contact = Choisi(ContactsElements, l.contact);
        e.Surface = l.surface->valeur().value_or(0.0);
        e.U = l.u->valeur().value_or(0.0);
        if (e.Contact == ContactElement::NonChauffe)
            e.B = l.b->valeur();
        if (e.Contact == ContactElement::Chauffe)
            e.TempAdjacente = l.voisin->valeur();
        elements.push_back(e);
    }
    return elements;
}

std::vector<ChampNumerique*> GrilleElements::Champs() const {
    std::vector<ChampNumerique*> champs;
    for (const Ligne& l : lignes_) {
        champs.push_back(l.surface);
        champs.push_back(l.u);
        if (l.complement->currentIndex() == PageB)
            champs.push_back(l.b);
        if (l.complement->currentIndex() == PageVoisin)
            champs.push_back(l.voisin);
    }
    return champs;
}

void GrilleElements::Ajouter() {
    std::vector<ElementParoi> elements = Elements();
    elements.push_back(ElementParoi{});
    Afficher(elements);
    lignes_.back().designation->setFocus(Qt::OtherFocusReason);
    emit modifie();
}

bool GrilleElements::Supprimer() {
    const int r = currentRow();
    std::vector<ElementParoi> elements = Elements();
    if (r < 0 || r >= static_cast<int>(elements.size()))
        return false;
    elements.erase(elements.begin() + r);
    Afficher(elements);
    if (!lignes_.empty()) {
        const int suivante = std::min(r, static_cast<int>(lignes_.size()) - 1);
        setCurrentCell(suivante, ColDesignation);
        lignes_[suivante].designation->setFocus(Qt::OtherFocusReason);
    }
    emit modifie();
    return true;
}

bool GrilleElements::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::FocusIn)
        for (std::size_t r = 0; r < lignes_.size(); ++r) {
            const std::vector<QWidget*> cellules = lignes_[r].cellules();
            for (int c = 0; c < NombreColonnes; ++c)
                if (cellules[c] == objet || cellules[c]->isAncestorOf(static_cast<QWidget*>(objet))) {
                    setCurrentCell(static_cast<int>(r), c);
                    scrollTo(model()->index(static_cast<int>(r), c));
                }
        }
    return QTableWidget::eventFilter(objet, evenement);
}

} // namespace sorvel
