#pragma once

// The commands whose windows are still being written answer with one plain
// message, so that every menu item already has its place and its shortcut.

#include <QString>

class QWidget;

namespace sorvel {

inline const QString TexteFonctionIndisponible =
    QStringLiteral("Cette fonction n'est pas encore disponible.");
inline const QString TitreFonctionIndisponible = QStringLiteral("Sorvel.");

void FonctionIndisponible(QWidget* parent);

} // namespace sorvel
