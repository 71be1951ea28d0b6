#pragma once

#include <QDialog>

namespace sorvel {

// The about box: title, version, description and the contact address.
class Frm_A_Propos : public QDialog {
    Q_OBJECT
public:
    explicit Frm_A_Propos(QWidget* parent = nullptr);
};

} // namespace sorvel
