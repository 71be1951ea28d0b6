#include "stockage/SessionEtudes.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>

namespace sorvel {

namespace {

// First line of the marker; the study name follows on the next line, in
// UTF-8, to the end of the file.
const QByteArray EnteteSession = QByteArrayLiteral("Sorvel : etude en cours\n");

[[noreturn]] void EchecSession(const char* action, const QString& chemin, int code) {
    throw ErreurFichier(chemin, QStringLiteral("Impossible %1 le fichier « %2 » : %3.")
                                    .arg(QString::fromUtf8(action), QFileInfo(chemin).fileName(),
                                         RaisonSysteme(code)));
}

} // namespace

VerrouEtudes::VerrouEtudes(const DossierEtudes& dossier)
    : verrou_(std::make_unique<QLockFile>(dossier.Chemin(FichierVerrou))) {
    // Never judged stale by its age: only a holder that no longer runs
    // frees the folder.
    verrou_->setStaleLockTime(0);
}

VerrouEtudes::~VerrouEtudes() = default;

VerrouEtudes::Issue VerrouEtudes::Prendre() {
    ordinateur_.clear();
    distant_ = false;
    if (verrou_->isLocked() || verrou_->tryLock(0))
        return Issue::Pris;
    if (verrou_->error() != QLockFile::LockFailedError)
        return Issue::Impossible;
    qint64 pid = 0;
    QString application;
    if (verrou_->getLockInfo(&pid, &ordinateur_, &application))
        distant_ = !ordinateur_.isEmpty() && ordinateur_ != QSysInfo::machineHostName();
    return Issue::Occupe;
}

bool VerrouEtudes::Pris() const { return verrou_->isLocked(); }

void VerrouEtudes::Rendre() {
    if (verrou_->isLocked())
        verrou_->unlock();
}

void EcrireSession(const DossierEtudes& dossier, const QString& nomEtude) {
    // Whole or absent: a marker cut short would name another study.
    EcrireFichierComplet(dossier.Chemin(FichierSession), EnteteSession + nomEtude.toUtf8());
}

std::optional<QString> SessionInterrompue(const DossierEtudes& dossier) {
    QFile f(dossier.Chemin(FichierSession));
    if (!QFileInfo(f.fileName()).isFile())
        return std::nullopt;
    // A marker of a study name's size; anything longer was not written here.
    constexpr qint64 TailleMaximale = 4096;
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray contenu = f.read(TailleMaximale);
    if (!contenu.startsWith(EnteteSession))
        return QString();
    return QString::fromUtf8(contenu.mid(EnteteSession.size()));
}

void TerminerSession(const DossierEtudes& dossier) {
    const QString chemin = dossier.Chemin(FichierSession);
    if (!QFileInfo::exists(chemin))
        return;
    errno = 0;
    if (!QFile::remove(chemin))
        EchecSession("de supprimer", chemin, errno);
}

} // namespace sorvel
