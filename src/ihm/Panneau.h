#pragma once

// A pop-over panel of an entry screen: a raised frame with a bold title
// over a grid of fields, hidden until the screen shows it over its form.
// While it is open it keeps the focus: Tab goes round its own controls and
// Enter presses the button that has the focus, else its "OK".

#include <QFrame>

class QGridLayout;
class QPushButton;

namespace sorvel {

class Panneau : public QFrame {
public:
    // A hidden panel named `nom` (its title label `nom` + "_Titre").
    Panneau(const QString& nom, const QString& titre, QWidget* parent);

    // Over its parent's form, its right edge lined up with `sous` (the
    // button that opens it), just below it, or above it when the parent
    // ends too soon.
    void PlacerSous(QWidget* sous);

    // Where the panel's fields go, below its title.
    QGridLayout* grille;
    // The button Enter presses when no button has the focus.
    QPushButton* ok = nullptr;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    bool focusNextPrevChild(bool suivant) override;
};

} // namespace sorvel
