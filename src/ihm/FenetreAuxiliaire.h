#pragma once

// A window opened from the main window's menu over the entry screens: the
// summary, the material list, the two expert modules. It remembers the
// screen that was showing when it was opened; its "Fermer" announces itself
// (`fermee()`) so that the main window shows that screen again and destroys
// the window, and the next opening starts afresh.

#include <QPointer>
#include <QShowEvent>
#include <QWidget>

namespace sorvel {

class FenetreAuxiliaire : public QWidget {
    Q_OBJECT
public:
    // The screen that was showing when the window was last opened (nullptr
    // when none was, or when it is gone since).
    QWidget* FeuilleOrigine() const { return feuilleOrigine_; }
    void DefinirFeuilleOrigine(QWidget* feuille) { feuilleOrigine_ = feuille; }
    // "Fermer" was pressed: the window is on its way out and must not be
    // shown again.
    bool EstFermee() const { return fermee_; }

    // "Fermer".
    void Fermer() {
        fermee_ = true;
        emit fermee();
    }

signals:
    void fermee();

protected:
    explicit FenetreAuxiliaire(QWidget* parent = nullptr) : QWidget(parent) {}

    // The window comes back on screen after another screen was shown: one
    // whose commands change the study shows it afresh.
    virtual void Revenue() {}

    void showEvent(QShowEvent* evenement) override {
        // The window manager showing the program again is no return to it.
        if (dejaAffichee_ && !evenement->spontaneous())
            Revenue();
        dejaAffichee_ = true;
        QWidget::showEvent(evenement);
    }

private:
    bool dejaAffichee_ = false;
    QPointer<QWidget> feuilleOrigine_;
    bool fermee_ = false;
};

} // namespace sorvel
