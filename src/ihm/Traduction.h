#pragma once

// The standard dialogs (message box buttons "Oui", "Non", "Annuler", file and
// print dialogs) speak French through Qt's own French translation.

class QCoreApplication;

namespace sorvel {

// Sets French as the default locale and installs Qt's French translation
// (qtbase_fr) in `application`. Returns false when the translation file is
// missing: the dialogs then keep their English buttons, nothing else changes.
bool InstallerFrancais(QCoreApplication& application);

} // namespace sorvel
