#include "ecrans/Frm_A_Propos.h"

namespace sorvel {

Frm_A_Propos::Frm_A_Propos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_A_Propos"));
    setWindowTitle(QStringLiteral("À propos d'Sorvel"));
}

} // namespace sorvel
