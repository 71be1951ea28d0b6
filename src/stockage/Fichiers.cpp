#include "stockage/Fichiers.h"

#include "commun/ErreurSysteme.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace sorvel {

ErreurFichier::ErreurFichier(const QString& fichier, const QString& message)
    : ErreurSignalee(TitreErreurFichier.toStdString(), message.toStdString()), fichier_(fichier),
      message_(message) {}

ErreurEtudeEndommagee::ErreurEtudeEndommagee(const QString& fichier, const QString& raison)
    : ErreurSignalee(TitreEtudeEndommagee.toStdString(),
                     QStringLiteral("Le fichier « %1 » est endommagé : %2.")
                         .arg(QDir::toNativeSeparators(fichier), raison)
                         .toStdString()),
      fichier_(fichier) {}

ErreurEtudeEndommagee::ErreurEtudeEndommagee(const QString& fichier, const std::string& message,
                                             const QString& titre)
    : ErreurSignalee(titre.toStdString(), message), fichier_(fichier) {}

QString RaisonSysteme(int codeErreur) { return QString::fromStdString(LibelleErreurSysteme(codeErreur)); }

int DiagnostiquerLecture(const QString& chemin) {
    if (QFileInfo(chemin).isDir())
        return EISDIR;
    // Opening tells what permission bits cannot: the administrator, a
    // read-only mount, a folder of the path that cannot be searched.
    errno = 0;
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno != 0 ? errno : EACCES;
    ::close(fd);
    return 0;
}

void EchecFichier(const char* action, const QString& chemin, int code) {
    if (code == 0)
        code = DiagnostiquerLecture(chemin);
    throw ErreurFichier(chemin, QStringLiteral("Impossible %1 le fichier « %2 » : %3.")
                                    .arg(QString::fromUtf8(action), QFileInfo(chemin).fileName(),
                                         RaisonSysteme(code)));
}

QByteArray LireFichier(const QString& chemin) {
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        EchecFichier("de lire", chemin, errno);
    errno = 0;
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        EchecFichier("de lire", chemin, errno);
    return octets;
}

bool RenommerPar(const QString& de, const QString& vers) {
    return std::rename(QFile::encodeName(de).constData(), QFile::encodeName(vers).constData()) == 0;
}

void SynchroniserDossier(const QString& dossier) {
    const int d = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0)
        return; // the folder itself is checked by every file operation
    errno = 0;
    const bool ok = ::fsync(d) == 0;
    const int code = errno;
    ::close(d);
    // Some file systems cannot sync a folder (EINVAL); a disk that fails is
    // reported.
    if (!ok && code == EIO)
        throw ErreurFichier(dossier, QStringLiteral("Impossible d'écrire dans le dossier « %1 » : %2.")
                                         .arg(QDir::toNativeSeparators(dossier), RaisonSysteme(code)));
}

FichierNeuf::FichierNeuf(const QString& cible) : cible_(cible), neuf_(cible + SuffixeNouveau), f_(neuf_) {
    if (QFileInfo(cible).isDir())
        EchecFichier("d'écrire", cible, EISDIR);
    errno = 0;
    if (!f_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        Echec(errno);
}

void FichierNeuf::Ecrire(const QByteArray& octets) {
    errno = 0;
    if (f_.write(octets) != octets.size() || f_.error() != QFileDevice::NoError)
        Echec(errno);
}

void FichierNeuf::Fermer(bool synchroniser) {
    errno = 0;
    if (synchroniser && ::fsync(f_.handle()) != 0)
        Echec(errno);
    f_.close();
    if (f_.error() != QFileDevice::NoError)
        Echec(errno);
}

void FichierNeuf::Valider() {
    if (f_.isOpen())
        Fermer(false);
    errno = 0;
    if (!RenommerPar(neuf_, cible_))
        Echec(errno);
}

void FichierNeuf::Abandonner() {
    f_.close();
    QFile::remove(neuf_);
}

void FichierNeuf::Echec(int code) {
    Abandonner();
    EchecFichier("d'écrire", cible_, code);
}

void EcrireFichierComplet(const QString& chemin, const QByteArray& octets) {
    FichierNeuf neuf(chemin);
    neuf.Ecrire(octets);
    neuf.Fermer(true);
    neuf.Valider();
}

} // namespace sorvel
