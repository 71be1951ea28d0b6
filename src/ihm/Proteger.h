#pragma once

// Runs a user command so that no fault escapes into the event loop: a file
// that cannot be read or written, an arithmetic fault or any other error ends
// the command with a French message, and the program carries on.

#include <functional>

class QAbstractButton;
class QWidget;

namespace sorvel {

// Returns true when `action` ran to its end.
bool Proteger(QWidget* parent, const std::function<void()>& action);

// Each click of `bouton` runs `action` under Proteger, its messages over `ecran`.
void RelierClic(QAbstractButton* bouton, QWidget* ecran, std::function<void()> action);

} // namespace sorvel
