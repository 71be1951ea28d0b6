#pragma once

// Correction module window ("Sorvel. [Module de correction]"): the data of
// one existing loop on the left, the wished room temperature and the two
// calculation buttons in the middle, the results on the right, and below
// them the curve of the room's equilibrium temperature. The window only
// reads its fields, calls ModCorrection and shows what it returns.

#include "modules_fenetres/FrmModule.h"
#include "modules/ModCorrection.h"

#include <array>

class QChart;
class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineSeries;
class QRadioButton;
class QScatterSeries;
class QValueAxis;
class QVBoxLayout;

namespace sorvel {

class FrmCorrection : public FrmModule {
    Q_OBJECT
public:
    explicit FrmCorrection(QWidget* parent = nullptr);

    // The texts of the fields and the mode chosen.
    ModCorrection::Saisie Saisie() const;

    void CmdCalcActuelle_Click();
    void CmdCalcCorrigee_Click();
    void CmdAide_Click();

protected:
    void RemplirDepuis(const DonneesBoucle& boucle) override;

private:
    QVBoxLayout* ColonneMilieu();
    QGroupBox* ColonneResultats();
    QChartView* Graphe();
    void Afficher(const ModCorrection::Bilan& bilan);
    void Tracer(const ModCorrection::Courbe& courbe);
    QWidget* ChampDe(ModCorrection::Champ champ) const;

    std::array<ChampNumerique*, ModCorrection::NombreValManuelles> txtValManuelle_{};
    QComboBox* cmbVZ_ = nullptr;
    QComboBox* cmbDiametre_ = nullptr;
    ChampNumerique* txtValSouhaitee_ = nullptr;
    std::array<QRadioButton*, 2> optCorrection_{};
    std::array<QLabel*, ModCorrection::NombreResultats> lblResultats_{};
    std::array<QLabel*, ModCorrection::NombrePourCent> lblPourCent_{};

    QChartView* graphe_ = nullptr;
    QLineSeries* serieCourbe_ = nullptr;
    QLineSeries* serieCible_ = nullptr;
    QScatterSeries* seriePoint_ = nullptr;
    QValueAxis* axeX_ = nullptr;
    QValueAxis* axeY_ = nullptr;
};

} // namespace sorvel
