#pragma once

// General data screen: pipe support, pipe size, supply temperature and
// screed of the whole study. Every change goes to the study model at once,
// so the rooms calculated afterwards use it.

#include "modele/EtudeEnCours.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sorvel {

class FrmD_Generales : public QWidget {
    Q_OBJECT
public:
    explicit FrmD_Generales(EtudeEnCours& etude, QWidget* parent = nullptr);

    // The general data the fields hold, and the fields set from general
    // data (a value outside the choices leaves its field as it was).
    Installation Donnees() const;
    void Afficher(const Installation& g);


    // "&Suivant >>": the general data are written into the study, then the
    // rooms list follows.
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

signals:
    void suivant();
    // "Annuler" emptied the study: no screen shows any more.
    void quitter();

private:
    // The screed's frame: its kind and its thickness.
    QGroupBox* CreerChape();
    // Every change of a field goes to the study.
    void SuivreModifications();
    void ActiverEpaisseur();
    // The fields as the model holds them; no change counted.
    void Recharger();

    EtudeEnCours& etude_;
    bool remplissage_ = false;
    QLabel* lblEtude_;
    std::array<QRadioButton*, 2> optSupport_;
    std::array<QRadioButton*, 2> optTube_;
    std::array<QRadioButton*, 2> optChape_;
    QComboBox* cmbTempDepart_;
    QComboBox* cmbEpais_;
    QLabel* lblEpais_;
    std::array<QLabel*, 2> lblValeur_;
};

} // namespace sorvel
