#include "stockage/FichiersTravail.h"

#include "commun/ErreurSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace sorvel {

namespace {

[[noreturn]] void Echec(const char* action, const QString& chemin, int code) {
    if (code == 0)
        code = DiagnostiquerLecture(std::filesystem::path(QFile::encodeName(chemin).toStdString()));
    throw ErreurFichier(chemin, QStringLiteral("Impossible %1 le fichier « %2 » : %3.")
                                    .arg(QString::fromUtf8(action), QFileInfo(chemin).fileName(),
                                         RaisonSysteme(code)));
}

// Renames `de` over `vers` in one step: `vers` holds either its old content
// or the new one, never nothing.
void RenommerPar(const QString& de, const QString& vers) {
    errno = 0;
    if (std::rename(QFile::encodeName(de).constData(), QFile::encodeName(vers).constData()) != 0)
        Echec("de remplacer", vers, errno);
}

// A rename is on disk once the folder is: without this a power cut could
// bring the old name back after the program went on.
void SynchroniserDossier(const QString& dossier) {
    const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void Retirer(const QString& chemin) {
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink())
        return;
    errno = 0;
    if (!QFile::remove(chemin))
        Echec("de supprimer", chemin, errno);
}

void Tronquer(const QString& chemin, qint64 taille) {
    QFile f(chemin);
    errno = 0;
    if (!f.resize(taille))
        Echec("de réparer", chemin, errno);
}

qint64 Taille(const QString& chemin) {
    const QFileInfo info(chemin);
    return info.isFile() ? info.size() : 0;
}

// The whole records of a working file (a missing file holds none).
QByteArray Enregistrements(const DossierEtudes& dossier, const QString& nom, int longueur) {
    const QString chemin = dossier.Chemin(nom);
    if (!QFileInfo::exists(chemin))
        return {};
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        Echec("de lire", chemin, errno);
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        Echec("de lire", chemin, errno);
    octets.chop(octets.size() % longueur);
    return octets;
}

} // namespace

void RemplacerPiecesEtPertes(const DossierEtudes& dossier, const QByteArray& pieces, const QByteArray& pertes) {
    const QString temp = dossier.Chemin(FichierTemp);
    const QString pteTemp = dossier.Chemin(FichierPteTemp);
    try {
        // PteTemp.tmp first: while it exists, the change is not made.
        EcrireFichierComplet(pteTemp, pertes);
        EcrireFichierComplet(temp, pieces);
        RenommerPar(pteTemp, dossier.Chemin(FichierPerte));
    } catch (const ErreurFichier&) {
        // Temp.tmp before PteTemp.tmp, so that Temp.tmp is never left alone.
        QFile::remove(temp);
        QFile::remove(pteTemp);
        throw;
    }
    SynchroniserDossier(dossier.Chemin());
    RenommerPar(temp, dossier.Chemin(FichierEtude));
    SynchroniserDossier(dossier.Chemin());
}

void EcrirePieceEtPerte(const DossierEtudes& dossier, int n, const DonneesPiece& piece, const PerteCharge& perte) {
    QByteArray pieces = Enregistrements(dossier, FichierEtude, DonneesPiece::Longueur);
    QByteArray pertes = Enregistrements(dossier, FichierPerte, PerteCharge::Longueur);
    const int communes = static_cast<int>(
        std::min(pieces.size() / DonneesPiece::Longueur, pertes.size() / PerteCharge::Longueur));
    if (n < 1 || n > communes + 1) {
        const QString chemin = dossier.Chemin(FichierEtude);
        throw ErreurFichier(chemin, QStringLiteral("Impossible d'écrire l'enregistrement n° %1 du fichier « %2 » : "
                                                   "il ne contient que %3 enregistrement(s).")
                                        .arg(n).arg(FichierEtude).arg(communes));
    }
    const int nombre = std::max(communes, n);
    pieces.resize(static_cast<qsizetype>(nombre) * DonneesPiece::Longueur);
    pertes.resize(static_cast<qsizetype>(nombre) * PerteCharge::Longueur);
    const auto p = Encoder(piece);
    const auto q = Encoder(perte);
    std::copy(p.begin(), p.end(), pieces.begin() + static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur);
    std::copy(q.begin(), q.end(), pertes.begin() + static_cast<qsizetype>(n - 1) * PerteCharge::Longueur);
    RemplacerPiecesEtPertes(dossier, pieces, pertes);
}

int ReparerFichiersTravail(const DossierEtudes& dossier) {
    // A store into or out of the working files (opening, storing a study)
    // comes first: finished when decided, its files written aside removed.
    dossier.ReprendreEnregistrement();

    const QString etude = dossier.Chemin(FichierEtude);
    const QString perte = dossier.Chemin(FichierPerte);
    const QString temp = dossier.Chemin(FichierTemp);
    const QString pteTemp = dossier.Chemin(FichierPteTemp);

    // A change of the rooms stopped part-way.
    if (QFileInfo::exists(pteTemp)) {
        Retirer(temp);
        Retirer(pteTemp);
    } else if (QFileInfo::exists(temp)) {
        const qint64 t = Taille(temp);
        const bool entier = t % DonneesPiece::Longueur == 0;
        if (entier && t / DonneesPiece::Longueur == Taille(perte) / PerteCharge::Longueur)
            RenommerPar(temp, etude);
        else
            Retirer(temp);
        SynchroniserDossier(dossier.Chemin());
    }

    // The probe of the folder made at start-up, left by a run killed then.
    static const QRegularExpression sonde(QStringLiteral("^essai_[A-Za-z0-9]{6}\\.tmp$"));
    const QStringList fichiers = QDir(dossier.Chemin()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& f : fichiers)
        if (sonde.match(f).hasMatch())
            Retirer(dossier.Chemin(f));

    // The rooms both files hold, whole.
    const qint64 pieces = Taille(etude) / DonneesPiece::Longueur;
    const qint64 pertes = Taille(perte) / PerteCharge::Longueur;
    const qint64 communes = std::min(pieces, pertes);
    if (QFileInfo(etude).isFile() && Taille(etude) != communes * DonneesPiece::Longueur)
        Tronquer(etude, communes * DonneesPiece::Longueur);
    if (QFileInfo(perte).isFile() && Taille(perte) != communes * PerteCharge::Longueur)
        Tronquer(perte, communes * PerteCharge::Longueur);
    return static_cast<int>(communes);
}

} // namespace sorvel
