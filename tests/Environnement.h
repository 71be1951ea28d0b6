#pragma once

// What a test runs in: environment variables set (or removed) for its
// length, then given back as they were; the tables of cases it reads from
// its data file.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace sorvel::test {

class VariableEnvironnement {
public:
    // `valeur` empty: the variable is removed.
    VariableEnvironnement(const char* nom, std::optional<QByteArray> valeur) : nom_(nom) {
        if (qEnvironmentVariableIsSet(nom))
            ancienne_ = qgetenv(nom);
        Mettre(nom, valeur);
    }
    ~VariableEnvironnement() { Mettre(nom_, ancienne_); }
    VariableEnvironnement(const VariableEnvironnement&) = delete;
    VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

private:
    static void Mettre(const char* nom, const std::optional<QByteArray>& valeur) {
        valeur ? qputenv(nom, *valeur) : qunsetenv(nom);
    }
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

// The table `table` of the JSON data file `fichier`: an array of cases. A
// file that cannot be read or a table without a case fails the test.
inline QJsonArray TableCas(const char* fichier, const char* table) {
    QFile f(QString::fromUtf8(fichier));
    const QJsonArray cas = f.open(QIODevice::ReadOnly)
                               ? QJsonDocument::fromJson(f.readAll())[QLatin1String(table)].toArray()
                               : QJsonArray();
    EXPECT_FALSE(cas.isEmpty()) << fichier << " : " << table;
    return cas;
}

} // namespace sorvel::test
