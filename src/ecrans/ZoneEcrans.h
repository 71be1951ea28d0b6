#pragma once

// The client area of the main window, and the main window's size on the
// screen. The entry screens and the auxiliary windows are its sub-windows,
// one shown at a time: each takes the size it asks for as far as the area
// allows (a screen given less scrolls inside) and stays in the middle, over
// a background picture chosen by the width of the screen. The main window
// opens at a size that shows every entry screen whole, and grows within the
// screen for a window that asks for more.

#include <QHash>
#include <QImage>
#include <QMdiArea>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <initializer_list>

class QMainWindow;
class QMdiSubWindow;

namespace sorvel {

class ZoneEcrans : public QMdiArea {
    Q_OBJECT
public:
    // The central widget of `fenetre`. `zoneDisponible`: the part of the
    // screen a window may take (the screen less its task bar); when empty,
    // that of the screen the program runs on. `largeurEcran` in pixels
    // chooses the background picture; when negative, the width of that
    // screen.
    ZoneEcrans(QMainWindow& fenetre, const QRect& zoneDisponible, int largeurEcran);

    // ---- Sub-windows --------------------------------------------------------
    // Puts `ecran` in the area (hidden) as one of its sub-windows; the
    // sub-window goes with the screen and, once shown, follows the size the
    // screen asks for, centred.
    QMdiSubWindow* AjouterFeuille(QWidget* ecran);
    // The sub-window of `ecran`, or nullptr.
    static QMdiSubWindow* SousFenetre(const QWidget* ecran);
    // The screen now showing, or nullptr.
    QWidget* FeuilleAffichee() const;
    // Hides every other screen and shows `ecran` (none for nullptr), the
    // main window grown for it when the screen has the room, the keyboard on
    // the field it had when it was left, or on its first field.
    void AfficherFeuille(QWidget* ecran);
    // Places `ecran` in the middle of the area.
    void CentrerFeuille(QWidget* ecran);
    // Gives `ecran`'s sub-window the size it asks for, as far as the area
    // allows, and centres it.
    void AjusterFeuille(QWidget* ecran);
    // The same, the main window first grown (AgrandirPour) when the area is
    // smaller than `ecran`'s sub-window asks.
    void AgrandirEtAjuster(QWidget* ecran);

    // ---- The main window on the screen -----------------------------------------
    // The part of the screen the main window may take, frame included.
    QRect ZoneDisponible() const;
    // The size of the main window (frame excluded) at which each of `ecrans`
    // shows whole, with a margin of background around it; measured with the
    // frame of the first of them that has a sub-window.
    QSize TailleVoulue(std::initializer_list<const QWidget*> ecrans) const;
    // Opens the main window at `voulue`, centred, when the available area has
    // room for it and its frame; maximised otherwise.
    void PlacerFenetre(const QSize& voulue);
    // Grows the main window, within the available area, until the client
    // area holds `voulue` (a maximised window stays as it is).
    void AgrandirPour(const QSize& voulue);

    // ---- Background ---------------------------------------------------------
    // File name of the background picture for a screen `largeur` pixels wide,
    // empty when there is none.
    static QString ImageDeFond(int largeur);
    QString FichierImageFond() const { return fichierFond_; }
    QImage ImageFond() const { return imageFond_; }

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ChoisirImageFond(int largeurEcran);

    QMainWindow& fenetre_;
    QRect zoneDisponible_;
    QString fichierFond_;
    QImage imageFond_;
    // The control that had the focus when each screen was left.
    QHash<const QWidget*, QPointer<QWidget>> focusDesFeuilles_;
};

} // namespace sorvel
