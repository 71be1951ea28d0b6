#pragma once

// "Valeurs par défaut des pièces..." (menu "Etude"): the room temperature
// for each name of the room screen's list, the supply/return drop, both
// floor coverings, the insulation of the two estimates and the connecting
// pipes a new room of the study starts from. "OK" makes them the study's.

#include "modele/EtudeEnCours.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace sorvel {

class ChampNumerique;

class FrmDefautsPieces : public QDialog {
    Q_OBJECT
public:
    explicit FrmDefautsPieces(EtudeEnCours& etude, QWidget* parent = nullptr);
    // The dialog opened over `parent`, gone once closed.
    static void Ouvrir(EtudeEnCours& etude, QWidget* parent);

    // The defaults as the fields show them.
    DefautsPieces Defauts() const;

    void CmdOK_Click();
    void CmdAide_Click();

private:
    QWidget* CreerTemperatures(const DefautsPieces& d);
    QWidget* CreerValeurs();
    void Afficher(const DefautsPieces& d);

    EtudeEnCours& etude_;
    std::vector<std::pair<std::string, QComboBox*>> temperatures_;
    QComboBox* cmbTempChute_;
    QComboBox* cmbActuelle_;
    QComboBox* cmbFuture_;
    QComboBox* cmbApportIso_;
    QComboBox* cmbEmissionsIso_;
    ChampNumerique* txtLongRaccordNormale_;
};

} // namespace sorvel
