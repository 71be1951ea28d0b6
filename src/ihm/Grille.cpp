#include "ihm/Grille.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>
#include <QTableView>

namespace sorvel {

namespace {

Qt::Alignment VersQt(AlignementCellule a) {
    switch (a) {
    case AlignementCellule::Centre: return Qt::AlignCenter;
    case AlignementCellule::DroiteCentre: return Qt::AlignRight | Qt::AlignVCenter;
    case AlignementCellule::GaucheCentre: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The grid's own current cell, which (unlike the view's) may be a heading
// so that headings can be formatted too.
const char* const ProprieteLigne = "sorvel_ligneCourante";
const char* const ProprieteColonne = "sorvel_colonneCourante";

} // namespace

Grille::Grille(const QString& nom, int lignes, int colonnes, int lignesFixes, int colonnesFixes,
               QWidget* parent)
    : QTableWidget(lignes, colonnes, parent), lignesFixes_(qBound(0, lignesFixes, lignes)),
      colonnesFixes_(qBound(0, colonnesFixes, colonnes)) {
    setObjectName(nom);
    setAccessibleName(nom);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    // Tab leaves the grid for the next control of the screen, as everywhere
    // else; the arrow and page keys move inside it.
    setTabKeyNavigation(false);

    const QColor fondEntete = palette().color(QPalette::Button);
    for (int l = 0; l < lignes; ++l) {
        for (int c = 0; c < colonnes; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(VersQt(AlignementCellule::GaucheCentre));
            if (l < lignesFixes_ || c < colonnesFixes_) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fondEntete);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(l, c, item);
        }
    }
    setProperty(ProprieteLigne, lignesFixes_ < lignes ? lignesFixes_ : 0);
    setProperty(ProprieteColonne, colonnesFixes_ < colonnes ? colonnesFixes_ : 0);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int ligne, int colonne) {
        if (ligne >= 0 && colonne >= 0) {
            setProperty(ProprieteLigne, ligne);
            setProperty(ProprieteColonne, colonne);
        }
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int ligne, int colonne) {
        if (ligne >= lignesFixes_ && colonne >= colonnesFixes_)
            emit doubleClic(ligne, colonne);
    });

    if (lignesFixes_ > 0)
        vueLignes_ = creerVueFixe();
    if (colonnesFixes_ > 0)
        vueColonnes_ = creerVueFixe();
    if (lignesFixes_ > 0 && colonnesFixes_ > 0)
        vueCoin_ = creerVueFixe();

    // The heading views keep the grid's sizes and follow its scrolling along
    // the direction in which they are not fixed.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int colonne, int, int taille) {
                for (QTableView* v : {vueLignes_, vueColonnes_, vueCoin_})
                    if (v)
                        v->setColumnWidth(colonne, taille);
                placerVuesFixes();
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int ligne, int, int taille) {
        for (QTableView* v : {vueLignes_, vueColonnes_, vueCoin_})
            if (v)
                v->setRowHeight(ligne, taille);
        placerVuesFixes();
    });
    if (vueLignes_) {
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, vueLignes_->horizontalScrollBar(),
                &QScrollBar::setValue);
    }
    if (vueColonnes_) {
        connect(verticalScrollBar(), &QScrollBar::valueChanged, vueColonnes_->verticalScrollBar(),
                &QScrollBar::setValue);
        // The fixed columns name their row (a room's number or name): a
        // double click there is one on the row.
        connect(vueColonnes_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.row() >= lignesFixes_)
                emit doubleClic(index.row(), index.column());
        });
    }
    placerVuesFixes();
}

Grille::~Grille() = default;

QTableView* Grille::creerVueFixe() {
    auto* vue = new QTableView(this);
    vue->setModel(model());
    vue->setFocusPolicy(Qt::NoFocus);
    vue->setSelectionMode(QAbstractItemView::NoSelection);
    vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vue->horizontalHeader()->hide();
    vue->verticalHeader()->hide();
    vue->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vue->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vue->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    vue->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    vue->setFrameShape(QFrame::NoFrame);
    vue->setWordWrap(false);
    vue->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    for (int c = 0; c < columnCount(); ++c)
        vue->setColumnWidth(c, columnWidth(c));
    for (int l = 0; l < rowCount(); ++l)
        vue->setRowHeight(l, rowHeight(l));
    vue->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    vue->show();
    return vue;
}

int Grille::hauteurFixe() const {
    int h = 0;
    for (int l = 0; l < lignesFixes_; ++l)
        h += rowHeight(l);
    return h;
}

int Grille::largeurFixe() const {
    int w = 0;
    for (int c = 0; c < colonnesFixes_; ++c)
        w += columnWidth(c);
    return w;
}

void Grille::placerVuesFixes() {
    const int x = frameWidth();
    const int y = frameWidth();
    const QRect zone = viewport()->geometry();
    const int h = qMin(hauteurFixe(), zone.height());
    const int w = qMin(largeurFixe(), zone.width());
    if (vueLignes_) {
        vueLignes_->setGeometry(x, y, zone.width(), h);
        vueLignes_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
        vueLignes_->raise();
    }
    if (vueColonnes_) {
        vueColonnes_->setGeometry(x, y, w, zone.height());
        vueColonnes_->verticalScrollBar()->setValue(verticalScrollBar()->value());
        vueColonnes_->raise();
    }
    if (vueCoin_) {
        vueCoin_->setGeometry(x, y, w, h);
        vueCoin_->raise();
    }
}

void Grille::resizeEvent(QResizeEvent* evenement) {
    QTableWidget::resizeEvent(evenement);
    placerVuesFixes();
}

void Grille::updateGeometries() {
    QTableWidget::updateGeometries();
    placerVuesFixes();
}

QModelIndex Grille::moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) {
    const QModelIndex suivant = QTableWidget::moveCursor(action, modificateurs);
    // The keyboard never lands on a heading.
    if (suivant.isValid() && (suivant.row() < lignesFixes_ || suivant.column() < colonnesFixes_))
        return currentIndex();
    return suivant;
}

void Grille::scrollTo(const QModelIndex& index, ScrollHint indication) {
    if (!index.isValid() || (index.row() < lignesFixes_ && index.column() < colonnesFixes_))
        return;
    QTableWidget::scrollTo(index, indication);
    // A cell that ends up under the headings is brought out from beneath them.
    const QRect r = visualRect(index);
    if (index.row() >= lignesFixes_ && r.top() < hauteurFixe())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (hauteurFixe() - r.top()));
    if (index.column() >= colonnesFixes_ && r.left() < largeurFixe())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (largeurFixe() - r.left()));
}

QTableWidgetItem* Grille::cellule(int ligne, int colonne) const {
    if (ligne < 0 || colonne < 0 || ligne >= rowCount() || colonne >= columnCount())
        return nullptr;
    return item(ligne, colonne);
}

QTableWidgetItem* Grille::celluleCourante() const { return cellule(ligneCourante(), colonneCourante()); }

QString Grille::texte(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    return c ? c->text() : QString();
}

void Grille::definirTexte(int ligne, int colonne, const QString& texte) {
    if (QTableWidgetItem* c = cellule(ligne, colonne))
        c->setText(texte);
}

void Grille::viderTextes(int premiereLigne, int premiereColonne) {
    for (int l = qMax(0, premiereLigne); l < rowCount(); ++l)
        for (int c = qMax(0, premiereColonne); c < columnCount(); ++c)
            definirTexte(l, c, QString());
}

void Grille::definirCelluleCourante(int ligne, int colonne) {
    if (!cellule(ligne, colonne))
        return;
    setProperty(ProprieteLigne, ligne);
    setProperty(ProprieteColonne, colonne);
    if (ligne >= lignesFixes_ && colonne >= colonnesFixes_)
        setCurrentCell(ligne, colonne);
}

int Grille::ligneCourante() const { return property(ProprieteLigne).toInt(); }
int Grille::colonneCourante() const { return property(ProprieteColonne).toInt(); }

void Grille::definirGras(bool gras) {
    if (QTableWidgetItem* c = celluleCourante()) {
        QFont f = c->font();
        f.setBold(gras);
        c->setFont(f);
    }
}

void Grille::definirCouleurTexte(const QColor& couleur) {
    if (QTableWidgetItem* c = celluleCourante())
        c->setForeground(couleur);
}

void Grille::definirCouleurFond(const QColor& couleur) {
    if (QTableWidgetItem* c = celluleCourante())
        c->setBackground(couleur);
}

void Grille::definirAlignement(AlignementCellule alignement) {
    if (QTableWidgetItem* c = celluleCourante())
        c->setTextAlignment(VersQt(alignement));
}

void Grille::definirTaillePolice(double points) {
    if (QTableWidgetItem* c = celluleCourante(); c && points > 0) {
        QFont f = c->font();
        f.setPointSizeF(points);
        c->setFont(f);
    }
}

void Grille::definirInfoBulle(const QString& texte) {
    if (QTableWidgetItem* c = celluleCourante()) {
        c->setToolTip(texte);
        c->setData(Qt::AccessibleDescriptionRole, texte);
    }
}

bool Grille::gras(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    return c && c->font().bold();
}

QColor Grille::couleurTexte(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    if (!c)
        return {};
    const QBrush b = c->foreground();
    return b.style() == Qt::NoBrush ? palette().color(QPalette::Text) : b.color();
}

QColor Grille::couleurFond(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    if (!c)
        return {};
    const QBrush b = c->background();
    return b.style() == Qt::NoBrush ? palette().color(QPalette::Base) : b.color();
}

AlignementCellule Grille::alignement(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    if (!c)
        return AlignementCellule::GaucheCentre;
    const auto a = Qt::Alignment(c->textAlignment());
    if (a & Qt::AlignHCenter)
        return AlignementCellule::Centre;
    if (a & Qt::AlignRight)
        return AlignementCellule::DroiteCentre;
    return AlignementCellule::GaucheCentre;
}

double Grille::taillePolice(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    return c ? c->font().pointSizeF() : 0.0;
}

QString Grille::infoBulle(int ligne, int colonne) const {
    const QTableWidgetItem* c = cellule(ligne, colonne);
    return c ? c->toolTip() : QString();
}

int Grille::TwipsEnPixels(int twips, double pointsParPouce) {
    return qRound(twips * pointsParPouce / 1440.0);
}

void Grille::definirHauteurLignes(int pixels) {
    if (pixels <= 0)
        return;
    verticalHeader()->setDefaultSectionSize(pixels);
    // The heading views follow through sectionResized, row by row.
    for (int l = 0; l < rowCount(); ++l)
        setRowHeight(l, pixels);
}

void Grille::definirLargeurColonneTwips(int colonne, int twips) {
    if (colonne < 0 || colonne >= columnCount())
        return;
    setColumnWidth(colonne, TwipsEnPixels(twips, logicalDpiX()));
}

QColor Grille::CouleurTexteFenetre() { return QApplication::palette().color(QPalette::WindowText); }
QColor Grille::CouleurInfoBulle() { return QApplication::palette().color(QPalette::ToolTipBase); }

} // namespace sorvel
