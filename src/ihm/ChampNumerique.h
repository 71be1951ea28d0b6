#pragma once

// The numeric entry field of every screen: a typed "." becomes "," (the
// comma is always the decimal separator), the whole text is selected when the
// field gets the focus, and a text that is not a number is replaced by a
// selected "0" so that the next key replaces it. Each change of the text is
// announced by `modifie()`; the screens connect it to the study's
// "modified" flag.

#include <QLineEdit>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace sorvel {

class ChampNumerique : public QLineEdit {
    Q_OBJECT
public:
    explicit ChampNumerique(QWidget* parent = nullptr);
    ChampNumerique(const QString& nom, const QString& libelle, QWidget* parent = nullptr);

    // The value shown, read the French way; nothing when the text is not a
    // number (which the field only allows for an instant while typing).
    std::optional<double> valeur() const;
    // Shows `x` in its shortest general form ("12,5", "12").
    void definirValeur(double x);
    // The same, or an empty field for nothing (a field that accepts it).
    void definirValeur(std::optional<double> x);
    // A field for a value that may be negative (an outdoor temperature)
    // keeps a lone "-", so that the user can type "-5" key by key; the text
    // is still no number until a digit follows.
    void accepterMoinsSeul(bool accepte) { moinsSeul_ = accepte; }
    // A field for a value that may be unknown (the annual mean temperature of
    // a site) stays empty when emptied: its value is then nothing.
    void accepterVide(bool accepte) { vide_ = accepte; }

    // A value the field offers, and the words that describe it in the list.
    struct ValeurProposee {
        QString texte;
        double valeur;
    };
    // The field offers a list of common values (the U of a wall): a button at
    // its right end, or Alt+Down or F4 in the field, opens the list that
    // `valeurs` gives at that moment; choosing one puts it in the field.
    // `nomBouton` and `libelleBouton` name that button.
    void proposerValeurs(const QString& nomBouton, const QString& libelleBouton,
                         std::function<std::vector<ValeurProposee>()> valeurs);
    // Opens that list below the field (nothing without one).
    void ouvrirValeurs();

signals:
    // Every change of the text, by the user or by the program.
    void modifie();

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    void focusInEvent(QFocusEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    void verifierTexte();
    bool selectionnerAuClic_ = false;
    bool moinsSeul_ = false;
    bool vide_ = false;
    std::function<std::vector<ValeurProposee>()> valeurs_;
};

// What refuses the number of a field, asked by the field's caption (its
// accessible name): the title and the text of the message, or nothing.
using RefusChamp = std::function<std::optional<std::pair<QString, QString>>(const QString& legende)>;

// A screen's check of its numbers: `refus` is asked about each of `champs`
// in the order given. The first refused shows its message over `ecran`
// (exclamation icon, OK) and gets the focus back, its whole text selected,
// so that the next key replaces it; false then. True when none is refused.
bool ControlerChamps(QWidget* ecran, std::initializer_list<ChampNumerique*> champs, const RefusChamp& refus);
// The same for fields whose number is known only when the screen runs (the
// rows of a grid).
bool ControlerChamps(QWidget* ecran, const std::vector<ChampNumerique*>& champs, const RefusChamp& refus);

} // namespace sorvel
