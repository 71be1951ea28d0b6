#include "ihm/Traduction.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sorvel {

bool InstallerFrancais(QCoreApplication& application) {
    // Numbers are always shown and read the French way, whatever the machine.
    const QLocale francais(QLocale::French, QLocale::France);
    QLocale::setDefault(francais);
    auto* traduction = new QTranslator(&application);
    if (!traduction->load(francais, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    QCoreApplication::installTranslator(traduction);
    return true;
}

} // namespace sorvel
