#pragma once

// "Renseignements de l'étude..." (menu "Etude"): the client, the site's
// address, the installer, the installer's details and notes. The reports
// print the first three in the header of every page and the notes at the
// end of the site results. "OK" makes them the study's.

#include "modele/EtudeEnCours.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace sorvel {

class FrmRenseignements : public QDialog {
    Q_OBJECT
public:
    explicit FrmRenseignements(EtudeEnCours& etude, QWidget* parent = nullptr);
    // The dialog opened over `parent`, gone once closed.
    static void Ouvrir(EtudeEnCours& etude, QWidget* parent);

    // The details as typed.
    RenseignementsEtude Renseignements() const;

    void CmdOK_Click();
    void CmdAide_Click();

private:
    EtudeEnCours& etude_;
    QLineEdit* txtClient_;
    QPlainTextEdit* txtChantier_;
    QLineEdit* txtInstallateur_;
    QPlainTextEdit* txtCoordonnees_;
    QPlainTextEdit* txtNotes_;
};

} // namespace sorvel
