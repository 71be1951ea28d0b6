#pragma once

// General data screen: pipe support, pipe size, supply temperature and
// screed of the whole study. Its fields are the live copy of the study's
// DonneesGenerales record.

#include "etude/Enregistrements.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sorvel {

class MDIPlancher;

class FrmD_Generales : public QWidget {
    Q_OBJECT
public:
    explicit FrmD_Generales(MDIPlancher& plancher, QWidget* parent = nullptr);

    // The record built from the fields, and the fields set from a record
    // (a value outside the choices leaves its field as it was).
    DonneesGenerales Enregistrement() const;
    void AfficherEnregistrement(const DonneesGenerales& d);

    // Back to a new study's choices; the screed thickness keeps its value.
    void Reinitialiser();
    void DefinirNomEtude(const QString& nom);

    // "Etude : tube de diamètre 16x20 mm sur Trellis avec température de
    // départ du fluide de 40°C", shown above the rooms list.
    QString LigneEtude() const;

    // "&Suivant >>": writes Generale.tmp, then shows the rooms list.
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

private:
    void ActiverEpaisseur();

    MDIPlancher& plancher_;
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
