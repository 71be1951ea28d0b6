#pragma once

// Environment variables set (or removed) for the length of one test, then
// given back as they were.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace sorvel::test {

class VariableEnvironnement {
public:
    // `valeur` empty: the variable is removed.
    VariableEnvironnement(const char* nom, std::optional<QByteArray> valeur) : nom_(nom) {
        if (qEnvironmentVariableIsSet(nom))
            ancienne_ = qgetenv(nom);
        if (valeur)
            qputenv(nom, *valeur);
        else
            qunsetenv(nom);
    }
    ~VariableEnvironnement() {
        if (ancienne_)
            qputenv(nom_, *ancienne_);
        else
            qunsetenv(nom_);
    }
    VariableEnvironnement(const VariableEnvironnement&) = delete;
    VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

private:
    const char* nom_;
    std::optional<QByteArray> ancienne_;
};

// A home folder of the test's own: HOME, and the desktop's configuration
// folder inside it (which may name the documents folder); SORVEL_ETUDES unset.
class MaisonTemporaire {
public:
    explicit MaisonTemporaire(const QString& chemin)
        : home_("HOME", chemin.toLocal8Bit()),
          configuration_("XDG_CONFIG_HOME", (chemin + QStringLiteral("/.config")).toLocal8Bit()),
          etudes_("SORVEL_ETUDES", std::nullopt) {}

private:
    VariableEnvironnement home_;
    VariableEnvironnement configuration_;
    VariableEnvironnement etudes_;
};

} // namespace sorvel::test
