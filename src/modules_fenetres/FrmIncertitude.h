#pragma once

// Uncertainty module window ("Sorvel. [Module d'incertitude sur la
// température d'ambiance de la pièce]"): the data of the loop on the left,
// the four percentages of uncertainty in the middle, the four contributions
// and their total on the right. The window only reads its fields, calls
// ModIncertitude and shows what it returns.

#include "modules_fenetres/FrmModule.h"
#include "modules/ModIncertitude.h"

#include <array>

class QComboBox;
class QLabel;

namespace sorvel {

class FrmIncertitude : public FrmModule {
    Q_OBJECT
public:
    explicit FrmIncertitude(QWidget* parent = nullptr);

    ModIncertitude::Saisie Saisie() const;

    void CmdIncertitude_Click();
    void CmdAide_Click();

protected:
    void RemplirDepuis(const DonneesBoucle& boucle) override;

private:
    QWidget* ChampDe(ModIncertitude::Champ champ) const;

    std::array<ChampNumerique*, ModIncertitude::NombreValeurs> txtValeurs_{};
    QComboBox* cmbVZ_ = nullptr;
    std::array<ChampNumerique*, ModIncertitude::NombreGrandeurs> txtPourcent_{};
    std::array<QLabel*, ModIncertitude::NombreResultats> lblResultats_{};
};

} // namespace sorvel
