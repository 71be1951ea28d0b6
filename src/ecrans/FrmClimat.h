#pragma once

// "Climat du site..." (menu "Etude"): the department and the altitude of
// the site, which propose its base outdoor temperature from the table
// beside the program (the temperature stays the user's to change), its
// annual mean temperature, its thermal bridges and the height of a room
// that gives none. "OK" makes them the study's climate.

#include "modele/EtudeEnCours.h"
#include "modele/SaisieClimat.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace sorvel {

class ChampNumerique;

class FrmClimat : public QDialog {
    Q_OBJECT
public:
    // `table`: the base temperatures beside the program (nothing when the
    // file is missing or unreadable).
    FrmClimat(EtudeEnCours& etude, const std::optional<TableTemperaturesBase>& table, QWidget* parent = nullptr);

    // The climate as typed (θe 0 while its field is empty).
    ClimatSite Climat() const;

    void CmdOK_Click();
    void CmdAide_Click();

private:
    QWidget* CreerChamps();
    void Afficher(const std::optional<ClimatSite>& climat);
    // The department or the altitude changed: θe takes what the table
    // proposes, if anything, and the label beside it says why.
    void Proposer();

    EtudeEnCours& etude_;
    std::optional<TableTemperaturesBase> table_;
    QLineEdit* txtDepartement_;
    ChampNumerique* txtAltitude_;
    ChampNumerique* txtTempExterieure_;
    QLabel* lblProposition_;
    ChampNumerique* txtTempMoyenne_;
    QComboBox* cmbPontsThermiques_;
    ChampNumerique* txtHauteur_;
};

} // namespace sorvel
