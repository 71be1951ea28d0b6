#include "stockage/EmplacementEtudes.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace sorvel {

QString ChoisirDossierEtudes(const SituationEtudes& s) {
    const QString impose = s.dossierImpose.trimmed();
    if (!impose.isEmpty())
        return QDir::cleanPath(QDir(s.repertoireCourant).absoluteFilePath(impose));
    if (s.programmeInscriptible)
        return QDir::cleanPath(s.dossierProgramme + QLatin1Char('/') + NomDossierEtudes);
    return QDir::cleanPath(s.dossierDocuments + QLatin1Char('/') + SousDossierDocuments);
}

bool DossierInscriptible(const QString& dossier) {
    if (dossier.isEmpty())
        return false;
    QTemporaryFile essai(dossier + QStringLiteral("/.sorvel_essai_XXXXXX"));
    return essai.open(); // removed when `essai` goes
}

QString DossierEtudesDemarrage(const QString& dossierProgramme,
                               const std::function<bool(const QString&)>& inscriptible) {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    const SituationEtudes situation{
        .dossierProgramme = dossierProgramme,
        .programmeInscriptible = inscriptible(dossierProgramme),
        .dossierImpose = qEnvironmentVariable(VariableDossierEtudes),
        .dossierDocuments = documents,
        .repertoireCourant = QDir::currentPath(),
    };
    return ChoisirDossierEtudes(situation);
}

QString DossierExportations() {
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dossier.isEmpty())
        dossier = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    return dossier;
}

} // namespace sorvel
