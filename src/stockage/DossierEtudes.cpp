#include "stockage/DossierEtudes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>

namespace sorvel {

QString DossierEtudes::Chemin(const QString& nomFichier) const { return chemin_ + QLatin1Char('/') + nomFichier; }

bool DossierEtudes::Existe(const QString& nomFichier) const { return QFileInfo::exists(Chemin(nomFichier)); }

void DossierEtudes::PreparerDossier() const {
    const QFileInfo info(chemin_);
    const QString affiche = QDir::toNativeSeparators(chemin_);
    if (info.exists() && !info.isDir())
        throw ErreurFichier(chemin_, QStringLiteral("Impossible de créer le dossier « %1 » : "
                                                    "un fichier porte déjà ce nom.")
                                         .arg(affiche));
    errno = 0;
    if (!QDir().mkpath(chemin_)) {
        const int code = errno != 0 ? errno : DiagnostiquerLecture(chemin_);
        throw ErreurFichier(chemin_,
                            QStringLiteral("Impossible de créer le dossier « %1 » : %2.").arg(affiche, RaisonSysteme(code)));
    }
    // Checked by writing: permission bits say nothing on a read-only disk
    // or to the administrator.
    QTemporaryFile essai(chemin_ + QStringLiteral("/essai_XXXXXX.tmp"));
    errno = 0;
    if (!essai.open()) {
        const int code = errno != 0 ? errno : DiagnostiquerLecture(chemin_);
        throw ErreurFichier(chemin_, QStringLiteral("Impossible d'écrire dans le dossier « %1 » : %2.")
                                         .arg(affiche, RaisonSysteme(code)));
    }
}

void DossierEtudes::SupprimerFichier(const QString& nomFichier) const {
    const QString chemin = Chemin(nomFichier);
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink())
        return;
    errno = 0;
    if (!QFile::remove(chemin))
        EchecFichier("de supprimer", chemin, errno);
}

int DossierEtudes::NombreEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop) const {
    const QFileInfo info(Chemin(nomFichier));
    const qint64 taille = info.isFile() ? info.size() : 0;
    if (octetsEnTrop)
        *octetsEnTrop = static_cast<int>(taille % longueur);
    return static_cast<int>(taille / longueur);
}

QByteArray DossierEtudes::LireEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop) const {
    const QString chemin = Chemin(nomFichier);
    if (!QFileInfo::exists(chemin)) {
        QFile f(chemin);
        errno = 0;
        if (!f.open(QIODevice::WriteOnly))
            EchecFichier("d'ouvrir", chemin, errno);
    }
    QByteArray octets = LireFichier(chemin);
    const int reste = static_cast<int>(octets.size() % longueur);
    if (octetsEnTrop)
        *octetsEnTrop = reste;
    octets.chop(reste);
    return octets;
}

void DossierEtudes::EcrireEnregistrement(const QString& nomFichier, int longueur, int n, const char* octets) const {
    const QString chemin = Chemin(nomFichier);
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        EchecFichier("d'écrire", chemin, errno);
    const qint64 nombre = f.size() / longueur;
    if (n < 1 || n > nombre + 1)
        // A write past the end would leave a hole of zeros that reads back
        // as a phantom room.
        throw ErreurFichier(chemin, QStringLiteral("Impossible d'écrire l'enregistrement n° %1 du fichier « %2 » : "
                                                   "il ne contient que %3 enregistrement(s).")
                                        .arg(n).arg(nomFichier).arg(nombre));
    errno = 0;
    if (!f.seek(static_cast<qint64>(n - 1) * longueur) || f.write(octets, longueur) != longueur || !f.flush())
        EchecFichier("d'écrire", chemin, errno);
    f.close();
    if (f.error() != QFileDevice::NoError)
        EchecFichier("d'écrire", chemin, errno);
}

} // namespace sorvel
