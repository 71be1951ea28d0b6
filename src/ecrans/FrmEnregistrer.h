#pragma once

// The save dialog in its three modes, "Enregistrer...", "Enregistrer
// sous..." and "Renommer l'étude...": a name field that refuses the
// characters a file name forbids as they are typed, and one button that
// hands the name to the study model.

#include "modele/EtudeEnCours.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sorvel {

class FrmEnregistrer : public QDialog {
    Q_OBJECT
public:
    FrmEnregistrer(EtudeEnCours& etude, ModeEnregistrement mode, QWidget* parent = nullptr);

    // The caption that selects each mode.
    static QString Titre(ModeEnregistrement mode);

    QLineEdit* Nom() const { return txtEnregistrer_; }
    void CmdEnregistrer_Click();

private:
    void NomModifie();

    EtudeEnCours& etude_;
    ModeEnregistrement mode_;
    QLineEdit* txtEnregistrer_;
};

} // namespace sorvel
