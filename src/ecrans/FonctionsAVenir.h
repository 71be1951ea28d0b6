#pragma once

// The commands whose windows are still being written answer with one plain
// message, so that every menu item already has its place and its shortcut.

class QWidget;

namespace sorvel {

void FonctionIndisponible(QWidget* parent);

} // namespace sorvel
