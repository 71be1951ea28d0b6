#include "stockage/ModEnregistrer.h"

#include "stockage/FichiersTravail.h"

#include "etude/VerificationEtude.h"

#include "commun/ErreurSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "commun/OrdreAlphabetique.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace sorvel {

// ---------------------------------------------------------------------------
// Errors

ErreurFichier::ErreurFichier(const QString& fichier, const QString& message)
    : ErreurSignalee(TitreErreurFichier.toStdString(), message.toStdString()), fichier_(fichier),
      message_(message) {}

ErreurEtudeEndommagee::ErreurEtudeEndommagee(const QString& fichier, const QString& raison)
    : ErreurSignalee(TitreEtudeEndommagee.toStdString(),
                     QStringLiteral("Le fichier « %1 » est endommagé : %2.")
                         .arg(QDir::toNativeSeparators(fichier), raison)
                         .toStdString()),
      fichier_(fichier) {}

ErreurEtudeEndommagee::ErreurEtudeEndommagee(const QString& fichier, const std::string& message)
    : ErreurSignalee(TitreEtudeEndommagee.toStdString(), message), fichier_(fichier) {}

QString ErreurFichier::messageFrancais() const {
    // Kept as given: what() is a C string, cut short by a NUL.
    return message_;
}

QString RaisonSysteme(int codeErreur) {
    return QString::fromStdString(LibelleErreurSysteme(codeErreur));
}

namespace {

QString NomCourt(const QString& chemin) {
    return QFileInfo(chemin).fileName();
}

// The error number of the last system call, or, when the failed call left
// none (Qt refused before reaching the system), what the path itself shows:
// a folder, a missing folder, a file in the place of a folder, a name too
// long, a folder that cannot be searched.
int CodeErreur(const QString& chemin, int errnoSauve) {
    if (errnoSauve != 0) {
        return errnoSauve;
    }
    return DiagnostiquerLecture(std::filesystem::path(QFile::encodeName(chemin).toStdString()));
}

// "Impossible de lire le fichier « Etude.tmp » : le disque est plein."
[[noreturn]] void ErreurSysteme(const char* action, const QString& chemin, int code) {
    throw ErreurFichier(chemin, QStringLiteral("Impossible %1 le fichier « %2 » : %3.")
                                    .arg(QString::fromUtf8(action), NomCourt(chemin),
                                         RaisonSysteme(CodeErreur(chemin, code))));
}

[[noreturn]] void ErreurLecture(const QString& chemin, int code) { ErreurSysteme("de lire", chemin, code); }
[[noreturn]] void ErreurEcriture(const QString& chemin, int code) { ErreurSysteme("d'écrire", chemin, code); }
[[noreturn]] void ErreurOuverture(const QString& chemin, int code) { ErreurSysteme("d'ouvrir", chemin, code); }
[[noreturn]] void ErreurSuppression(const QString& chemin, int code) {
    ErreurSysteme("de supprimer", chemin, code);
}

// Opening a missing file for reading creates it empty, as a record file
// opened by the program always exists afterwards.
void CreerSiAbsent(const QString& chemin) {
    if (QFileInfo::exists(chemin)) {
        return;
    }
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) {
        ErreurOuverture(chemin, errno);
    }
    f.close();
}

// The whole content of an existing file.
QByteArray LireFichier(const QString& chemin) {
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        ErreurLecture(chemin, errno);
    }
    errno = 0;
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        ErreurLecture(chemin, errno);
    }
    return octets;
}

constexpr int EnFin = std::numeric_limits<int>::min(); // record number meaning "after the last whole record"

} // namespace

// Every whole record of a file; the bytes of an unfinished last record are
// left out and counted in `octetsEnTrop`.
QByteArray DossierEtudes::LireEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop) const {
    const QString chemin = Chemin(nomFichier);
    CreerSiAbsent(chemin);
    QByteArray octets = LireFichier(chemin);
    const int reste = static_cast<int>(octets.size() % longueur);
    if (octetsEnTrop) {
        *octetsEnTrop = reste;
    }
    octets.chop(reste);
    return octets;
}

// Writes `octets` (one or more records) from record `n` (from 1) of the file,
// or after its last whole record for n = EnFin. The file is created when
// missing.
void DossierEtudes::EcrireEnregistrements(const QString& nomFichier, int longueur, int n, const char* octets,
                                          qint64 taille) const {
    const QString chemin = Chemin(nomFichier);
    QFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        ErreurEcriture(chemin, errno);
    }
    const qint64 nombre = f.size() / longueur;
    const bool ajout = n == EnFin;
    if (ajout) {
        n = static_cast<int>(nombre) + 1;
    }
    if (!ajout && (n < 1 || n > nombre + 1)) {
        // Records stay contiguous from 1: a write past the end would leave a
        // hole of zeros that reads back as a phantom room.
        throw ErreurFichier(chemin,
                            QStringLiteral("Impossible d'écrire l'enregistrement n° %1 du fichier « %2 » : "
                                           "il ne contient que %3 enregistrement(s).")
                                .arg(n).arg(NomCourt(chemin)).arg(nombre));
    }
    errno = 0;
    if (!f.seek(static_cast<qint64>(n - 1) * longueur)) {
        ErreurEcriture(chemin, errno);
    }
    errno = 0;
    if (f.write(octets, taille) != taille) {
        ErreurEcriture(chemin, errno);
    }
    errno = 0;
    if (!f.flush()) {
        ErreurEcriture(chemin, errno);
    }
    f.close();
    if (f.error() != QFileDevice::NoError) {
        ErreurEcriture(chemin, errno);
    }
}

namespace {

// The system's rename: replaces the target in one step (QFile::rename
// refuses an existing target).
bool RenommerPar(const QString& de, const QString& vers) {
    return std::rename(QFile::encodeName(de).constData(), QFile::encodeName(vers).constData()) == 0;
}

// Pushes a file's bytes from the system's cache to the disk.
bool Synchroniser(QFile& f) {
    return ::fsync(f.handle()) == 0;
}

// A whole new file content, written beside the target under the target's
// name + SuffixeNouveau and renamed over it once every byte is written. An
// error names the target, the file the user knows. Nothing is removed on
// destruction: a write that fails removes its own file, and an interrupted
// store leaves it for ReprendreEnregistrement, as a kill would.
class FichierNeuf {
public:
    explicit FichierNeuf(const QString& cible) : cible_(cible), neuf_(cible + SuffixeNouveau), f_(neuf_) {
        if (QFileInfo(cible).isDir()) {
            ErreurEcriture(cible, EISDIR);
        }
        errno = 0;
        if (!f_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            Echec(errno);
        }
    }
    void Ecrire(const QByteArray& octets) {
        errno = 0;
        if (f_.write(octets) != octets.size() || f_.error() != QFileDevice::NoError) {
            Echec(errno);
        }
    }
    // The bytes on the disk, and the file closed.
    void Fermer(bool synchroniser) {
        errno = 0;
        if (synchroniser && !Synchroniser(f_)) {
            Echec(errno);
        }
        f_.close();
        if (f_.error() != QFileDevice::NoError) {
            Echec(errno);
        }
    }
    // Renamed over the target.
    void Valider() {
        if (f_.isOpen()) {
            Fermer(false);
        }
        errno = 0;
        if (!RenommerPar(neuf_, cible_)) {
            Echec(errno);
        }
    }
    void Abandonner() {
        f_.close();
        QFile::remove(neuf_);
    }

private:
    [[noreturn]] void Echec(int code) {
        Abandonner();
        ErreurEcriture(cible_, code);
    }
    QString cible_;
    QString neuf_;
    QFile f_;
};

// The whole content of a file to copy; a missing file counts as empty.
QByteArray ContenuSource(const QString& chemin) {
    return QFileInfo::exists(chemin) ? LireFichier(chemin) : QByteArray();
}

// A file name the journal may hold: a name in the folder, nothing more.
bool NomDeFichierSimple(const QString& nom) {
    return !nom.isEmpty() && nom != QStringLiteral(".") && nom != QStringLiteral("..") &&
           !nom.contains(QLatin1Char('/')) && !nom.contains(QChar(0));
}

// The journal's last line: a journal without it is not one.
const QByteArray FinJournal = QByteArrayLiteral("fin");

} // namespace

void EcrireFichierComplet(const QString& chemin, const QByteArray& octets) {
    FichierNeuf neuf(chemin);
    neuf.Ecrire(octets);
    neuf.Fermer(true);
    neuf.Valider();
}

void DossierEtudes::Etape(EtapeEnregistrement etape) const {
    if (suivi_) {
        suivi_(etape);
    }
}

// Makes the names in the folder (new, renamed, removed files) durable.
void DossierEtudes::SynchroniserDossier() const {
    const int d = ::open(QFile::encodeName(chemin_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) {
        return; // the folder itself is checked by every file operation
    }
    errno = 0;
    const bool ok = ::fsync(d) == 0;
    const int code = errno;
    ::close(d);
    // Some file systems cannot sync a folder (EINVAL); a disk that fails is
    // reported.
    if (!ok && code == EIO) {
        throw ErreurFichier(chemin_, QStringLiteral("Impossible d'écrire dans le dossier « %1 » : %2.")
                                         .arg(QDir::toNativeSeparators(chemin_), RaisonSysteme(code)));
    }
}

// Copies three files together, all or nothing (see CopierEtude).
void DossierEtudes::CopierTrois(const std::array<QString, 3>& sources, const std::array<QString, 3>& cibles) const {
    ReprendreEnregistrement();
    std::array<QByteArray, 3> contenus;
    for (std::size_t i = 0; i < 3; ++i) {
        contenus[i] = ContenuSource(Chemin(sources[i]));
    }
    static constexpr EtapeEnregistrement Ecrit[] = {EtapeEnregistrement::PiecesEcrit, EtapeEnregistrement::PertesEcrit,
                                                    EtapeEnregistrement::GeneralesEcrit};
    static constexpr EtapeEnregistrement Remplace[] = {
        EtapeEnregistrement::PiecesRemplace, EtapeEnregistrement::PertesRemplace,
        EtapeEnregistrement::GeneralesRemplace};
    std::array<std::unique_ptr<FichierNeuf>, 3> neufs;
    const QString journal = Chemin(FichierJournal);
    try {
        for (std::size_t i = 0; i < 3; ++i) {
            neufs[i] = std::make_unique<FichierNeuf>(Chemin(cibles[i]));
            neufs[i]->Ecrire(contenus[i]);
            neufs[i]->Fermer(true);
            Etape(Ecrit[i]);
        }
        SynchroniserDossier();
        // The journal is written aside and synced too, then renamed into
        // place: it exists whole or not at all.
        QByteArray texte;
        for (const QString& cible : cibles) {
            texte += cible.toUtf8() + '\n';
        }
        texte += FinJournal + '\n';
        FichierNeuf neuf(journal);
        neuf.Ecrire(texte);
        neuf.Fermer(true);
        Etape(EtapeEnregistrement::JournalEcrit);
        neuf.Valider();
        SynchroniserDossier();
    } catch (const ErreurFichier&) {
        for (const QString& cible : cibles) {
            QFile::remove(Chemin(cible) + SuffixeNouveau);
        }
        QFile::remove(journal + SuffixeNouveau);
        QFile::remove(journal);
        throw;
    }
    Etape(EtapeEnregistrement::JournalEnPlace);
    // Decided: from here a failure is finished by the next
    // ReprendreEnregistrement.
    for (std::size_t i = 0; i < 3; ++i) {
        neufs[i]->Valider();
        Etape(Remplace[i]);
    }
    SynchroniserDossier();
    errno = 0;
    if (!QFile::remove(journal)) {
        ErreurSuppression(journal, errno);
    }
    SynchroniserDossier();
    Etape(EtapeEnregistrement::Termine);
}

void DossierEtudes::ReprendreEnregistrement() const {
    const QString journal = Chemin(FichierJournal);
    const bool journalTraite = QFileInfo(journal).isFile();
    if (journalTraite) {
        const QList<QByteArray> lignes = LireFichier(journal).split('\n');
        // Lines: the targets, then "fin", then nothing after the last line break.
        const bool entier = lignes.size() >= 3 && lignes.back().isEmpty() && lignes[lignes.size() - 2] == FinJournal;
        if (entier) {
            for (qsizetype i = 0; i + 2 < lignes.size(); ++i) {
                const QString cible = QString::fromUtf8(lignes[i]);
                if (!NomDeFichierSimple(cible)) {
                    continue;
                }
                const QString neuf = Chemin(cible) + SuffixeNouveau;
                // A file already renamed has no new file left.
                errno = 0;
                if (QFileInfo::exists(neuf) && !RenommerPar(neuf, Chemin(cible))) {
                    ErreurSysteme("de terminer l'enregistrement dans", Chemin(cible), errno);
                }
            }
            SynchroniserDossier();
        }
        errno = 0;
        if (!QFile::remove(journal)) {
            ErreurSuppression(journal, errno);
        }
    }
    // What an undecided store or an interrupted rewrite left aside.
    const QStringList restes =
        QDir(chemin_).entryList({QStringLiteral("*") + SuffixeNouveau}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& reste : restes) {
        QFile::remove(Chemin(reste));
    }
    if (!restes.isEmpty() || journalTraite) {
        SynchroniserDossier();
    }
}

// The whole records of `source` but its record k.
QByteArray DossierEtudes::EnregistrementsSauf(const QString& source, int longueur, int k) const {
    const QByteArray octets = LireEnregistrements(source, longueur, nullptr);
    const int nombre = static_cast<int>(octets.size() / longueur);
    QByteArray reste;
    reste.reserve(octets.size());
    for (int i = 1; i <= nombre; ++i) {
        if (i != k) {
            reste.append(octets.constData() + static_cast<qsizetype>(i - 1) * longueur, longueur);
        }
    }
    return reste;
}

// ---------------------------------------------------------------------------
// Folder

QString DossierEtudes::Chemin(const QString& nomFichier) const {
    return chemin_ + QLatin1Char('/') + nomFichier;
}

bool DossierEtudes::Existe(const QString& nomFichier) const {
    return QFileInfo::exists(Chemin(nomFichier));
}

void DossierEtudes::PreparerDemarrage() const {
    PreparerDossier();
    // A store interrupted in an earlier run is finished or undone first: a
    // decided copy into the working files must not bring them back later.
    ReprendreEnregistrement();
    SupprimerFichier(FichierEtude);
    SupprimerFichier(FichierPerte);
    SupprimerFichier(FichierGenerales);
}

void DossierEtudes::PreparerDossier() const {
    const QString dossier = chemin_;
    const QFileInfo info(dossier);
    if (info.exists() && !info.isDir()) {
        throw ErreurFichier(dossier, QStringLiteral("Impossible de créer le dossier « %1 » : "
                                                    "un fichier porte déjà ce nom.")
                                         .arg(QDir::toNativeSeparators(dossier)));
    }
    errno = 0;
    if (!QDir().mkpath(dossier)) {
        throw ErreurFichier(dossier, QStringLiteral("Impossible de créer le dossier « %1 » : %2.")
                                         .arg(QDir::toNativeSeparators(dossier),
                                              RaisonSysteme(CodeErreur(dossier, errno))));
    }
    // Checked by writing: permission bits say nothing on a read-only disk
    // or to the administrator.
    {
        QTemporaryFile essai(dossier + QStringLiteral("/essai_XXXXXX.tmp"));
        errno = 0;
        if (!essai.open()) {
            throw ErreurFichier(dossier, QStringLiteral("Impossible d'écrire dans le dossier « %1 » : %2.")
                                             .arg(QDir::toNativeSeparators(dossier),
                                                  RaisonSysteme(CodeErreur(dossier, errno))));
        }
    }
}

int DossierEtudes::NombreEnregistrements(const QString& nomFichier, int longueurEnregistrement,
                                         int* octetsEnTrop) const {
    const QFileInfo info(Chemin(nomFichier));
    const qint64 taille = info.isFile() ? info.size() : 0;
    if (octetsEnTrop) {
        *octetsEnTrop = static_cast<int>(taille % longueurEnregistrement);
    }
    return static_cast<int>(taille / longueurEnregistrement);
}

int DossierEtudes::NombrePieces() const {
    return NombreEnregistrements(FichierEtude, DonneesPiece::Longueur);
}

// ---------------------------------------------------------------------------
// General data

void DossierEtudes::EcrireGenerales(const DonneesGenerales& d) const {
    const auto octets = Encoder(d);
    EcrireEnregistrements(FichierGenerales, DonneesGenerales::Longueur, 1, octets.data(),
                          DonneesGenerales::Longueur);
}

DonneesGenerales DossierEtudes::LireGenerales() const {
    const QByteArray octets = LireEnregistrements(FichierGenerales, DonneesGenerales::Longueur, nullptr);
    if (octets.isEmpty()) {
        const QString chemin = Chemin(FichierGenerales);
        throw ErreurFichier(chemin, QStringLiteral("Le fichier « %1 » ne contient pas les données "
                                                   "générales de l'étude.")
                                        .arg(FichierGenerales));
    }
    return DecoderGenerales(octets.constData());
}

// ---------------------------------------------------------------------------
// Rooms

void DossierEtudes::AjouterPiece(const DonneesPiece& d) const {
    const auto octets = Encoder(d);
    EcrireEnregistrements(FichierEtude, DonneesPiece::Longueur, EnFin, octets.data(), DonneesPiece::Longueur);
}

void DossierEtudes::EcrirePiece(int n, const DonneesPiece& d) const {
    const auto octets = Encoder(d);
    EcrireEnregistrements(FichierEtude, DonneesPiece::Longueur, n, octets.data(), DonneesPiece::Longueur);
}

DonneesPiece DossierEtudes::LirePiece(int n) const {
    const QByteArray octets = LireEnregistrements(FichierEtude, DonneesPiece::Longueur, nullptr);
    const int nombre = static_cast<int>(octets.size() / DonneesPiece::Longueur);
    if (n < 1 || n > nombre) {
        const QString chemin = Chemin(FichierEtude);
        throw ErreurFichier(chemin, QStringLiteral("Le fichier « %1 » ne contient pas la pièce n° %2 "
                                                   "(il contient %3 pièce(s)).")
                                        .arg(FichierEtude).arg(n).arg(nombre));
    }
    return DecoderPiece(octets.constData() + static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur);
}

std::vector<DonneesPiece> DossierEtudes::LireToutesPieces(const QString& nomFichier, int* octetsEnTrop) const {
    const QByteArray octets = LireEnregistrements(nomFichier, DonneesPiece::Longueur, octetsEnTrop);
    std::vector<DonneesPiece> pieces;
    for (qsizetype i = 0; i < octets.size(); i += DonneesPiece::Longueur) {
        pieces.push_back(DecoderPiece(octets.constData() + i));
    }
    return pieces;
}

void DossierEtudes::ListerPieces(QStringList& liste) const {
    const std::vector<DonneesPiece> pieces = LireToutesPieces(FichierEtude);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const QString nom = QString::fromStdString(pieces[i].NomPiece);
        if (liste.size() <= static_cast<qsizetype>(i)) {
            liste.append(nom);
        } else {
            liste[static_cast<qsizetype>(i)] = nom;
        }
    }
}

// ---------------------------------------------------------------------------
// Pressure drops

void DossierEtudes::AjouterPerte(double normale, double bordure, double max, const QString& nomFichier) const {
    const auto octets = Encoder(PerteCharge{normale, bordure, max});
    EcrireEnregistrements(nomFichier, PerteCharge::Longueur, EnFin, octets.data(), PerteCharge::Longueur);
}

void DossierEtudes::EcrirePerte(int n, double normale, double bordure, double max) const {
    const auto octets = Encoder(PerteCharge{normale, bordure, max});
    EcrireEnregistrements(FichierPerte, PerteCharge::Longueur, n, octets.data(), PerteCharge::Longueur);
}

std::vector<PerteCharge> DossierEtudes::LireToutesPertes(const QString& nomFichier, int* octetsEnTrop) const {
    const QByteArray octets = LireEnregistrements(nomFichier, PerteCharge::Longueur, octetsEnTrop);
    std::vector<PerteCharge> pertes;
    for (qsizetype i = 0; i < octets.size(); i += PerteCharge::Longueur) {
        pertes.push_back(DecoderPerte(octets.constData() + i));
    }
    return pertes;
}

double DossierEtudes::PerteMaxEtude(const QString& nomFichier) const {
    // The running maximum starts at 0 and moves only to a strictly larger
    // value: negative values and NaN from a damaged record never win.
    double maxi = 0;
    for (const PerteCharge& p : LireToutesPertes(nomFichier)) {
        if (p.PerteMax > maxi) {
            maxi = p.PerteMax;
        }
    }
    return maxi;
}

// ---------------------------------------------------------------------------
// Whole files

void DossierEtudes::SupprimerFichier(const QString& nomFichier) const {
    const QString chemin = Chemin(nomFichier);
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink()) {
        return;
    }
    QFile f(chemin);
    errno = 0;
    if (!f.remove()) {
        ErreurSuppression(chemin, errno);
    }
}

void DossierEtudes::SupprimerPieceFichiers(int k) const {
    // Both rebuilt contents are ready before a file is touched; then they
    // replace the working files together, never by deleting them first.
    RemplacerPiecesEtPertes(*this, EnregistrementsSauf(FichierEtude, DonneesPiece::Longueur, k),
                            EnregistrementsSauf(FichierPerte, PerteCharge::Longueur, k));
}

void DossierEtudes::CopierEtude(const QString& pieces, const QString& pertes, const QString& generales) const {
    CopierTrois({FichierEtude, FichierPerte, FichierGenerales}, {pieces, pertes, generales});
}

void DossierEtudes::ChargerEtude(const QString& pieces, const QString& pertes, const QString& generales) const {
    CopierTrois({pieces, pertes, generales}, {FichierEtude, FichierPerte, FichierGenerales});
}

bool DossierEtudes::EtudeExiste(const QString& nom) const {
    return Existe(nom + ExtensionPieces);
}

void DossierEtudes::EnregistrerEtude(const QString& nom) const {
    CopierEtude(nom + ExtensionPieces, nom + ExtensionPertes, nom + ExtensionGenerales);
}

void DossierEtudes::CopierEtudeEnregistree(const QString& source, const QString& cible) const {
    CopierTrois({source + ExtensionPieces, source + ExtensionPertes, source + ExtensionGenerales},
                {cible + ExtensionPieces, cible + ExtensionPertes, cible + ExtensionGenerales});
}

void DossierEtudes::ChargerEtudeEnregistree(const QString& nom) const {
    ChargerEtude(nom + ExtensionPieces, nom + ExtensionPertes, nom + ExtensionGenerales);
}

void DossierEtudes::SupprimerEtude(const QString& nom) const {
    for (const QString& extension : {ExtensionPieces, ExtensionPertes, ExtensionGenerales}) {
        SupprimerFichier(nom + extension);
    }
}

EtudeEnregistree DossierEtudes::LireEtude(const QString& nom) const {
    const QString generales = Chemin(nom + QStringLiteral(".plg"));
    const QString pieces = Chemin(nom + QStringLiteral(".pla"));
    const QString pertes = Chemin(nom + QStringLiteral(".plp"));
    // The sizes first, every file: nothing is read from a study that could
    // not have been written.
    // "introuvable" only for a file that does not exist; any other obstacle
    // (a file in the place of a folder, a folder that cannot be searched, a
    // name too long) is named as the system names it.
    auto taille = [](const QString& chemin) -> qint64 {
        const QFileInfo info(chemin);
        if (!info.exists()) {
            const int code = DiagnostiquerLecture(std::filesystem::path(QFile::encodeName(chemin).toStdString()));
            if (code == ENOENT || code == 0)
                throw ErreurFichier(chemin, QStringLiteral("Le fichier « %1 » est introuvable.")
                                                .arg(QDir::toNativeSeparators(chemin)));
            throw ErreurFichier(chemin, QStringLiteral("Impossible de lire le fichier « %1 » : %2.")
                                            .arg(QDir::toNativeSeparators(chemin), RaisonSysteme(code)));
        }
        if (!info.isFile())
            throw ErreurFichier(chemin, QStringLiteral("« %1 » n'est pas un fichier.")
                                            .arg(QDir::toNativeSeparators(chemin)));
        return info.size();
    };
    const qint64 tailleGenerales = taille(generales);
    const qint64 taillePieces = taille(pieces);
    const qint64 taillePertes = taille(pertes);
    if (tailleGenerales != DonneesGenerales::Longueur)
        throw ErreurEtudeEndommagee(generales, QStringLiteral("sa longueur ne correspond pas aux données générales"));
    if (taillePieces % DonneesPiece::Longueur != 0)
        throw ErreurEtudeEndommagee(pieces, QStringLiteral("sa longueur n'est pas un nombre entier de pièces"));
    if (taillePieces / DonneesPiece::Longueur > PiecesMaximumEtude)
        throw ErreurEtudeEndommagee(pieces, QStringLiteral("il contient plus de %1 pièces").arg(PiecesMaximumEtude));
    if (taillePertes % PerteCharge::Longueur != 0)
        throw ErreurEtudeEndommagee(pertes,
                                    QStringLiteral("sa longueur n'est pas un nombre entier de pertes de charge"));
    if (taillePertes / PerteCharge::Longueur > PiecesMaximumEtude)
        throw ErreurEtudeEndommagee(pertes, QStringLiteral("il contient plus de %1 pertes de charge")
                                                .arg(PiecesMaximumEtude));

    EtudeEnregistree etude;
    // A file that changed size since it was measured is read no further
    // than the size measured.
    auto lire = [](const QString& chemin, qint64 octets) {
        QByteArray contenu = LireFichier(chemin);
        if (contenu.size() != octets)
            throw ErreurEtudeEndommagee(chemin, QStringLiteral("il a changé pendant sa lecture"));
        return contenu;
    };
    const QByteArray g = lire(generales, tailleGenerales);
    etude.Generales = DecoderGenerales(g.constData());
    const QByteArray p = lire(pieces, taillePieces);
    for (qsizetype i = 0; i < p.size(); i += DonneesPiece::Longueur)
        etude.Pieces.push_back(DecoderPiece(p.constData() + i));
    const QByteArray q = lire(pertes, taillePertes);
    for (qsizetype i = 0; i < q.size(); i += PerteCharge::Longueur)
        etude.Pertes.push_back(DecoderPerte(q.constData() + i));
    // Values no screen could have written: the study is refused as a whole.
    if (const auto defaut = VerifierEtude(etude.Generales, etude.Pieces, etude.Pertes)) {
        const QString& fichier = defaut->Fichier == FichierStocke::Generales ? generales
                                 : defaut->Fichier == FichierStocke::Pieces  ? pieces
                                                                             : pertes;
        throw ErreurEtudeEndommagee(fichier,
                                    MessageDefautEtude(*defaut, QDir::toNativeSeparators(fichier).toStdString()));
    }
    return etude;
}

QStringList DossierEtudes::EtudesEnregistrees() const {
    try {
        ReprendreEnregistrement();
    } catch (const ErreurFichier&) {
        // A folder that cannot be written (a read-only disk) is still listed.
    }
    QStringList noms;
    const QDir dossier(chemin_);
    const QStringList fichiers = dossier.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString& f : fichiers) {
        // The last three characters must be "pla" exactly: Maison.PLA is not
        // a stored study.
        if (f.size() > 4 && f.endsWith(QStringLiteral("pla"), Qt::CaseSensitive)) {
            noms.append(f.chopped(4));
        }
    }
    // The folder gives its names in no useful order.
    std::sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) {
        return AvantEnFrancais(a.toUtf8().toStdString(), b.toUtf8().toStdString());
    });
    return noms;
}

} // namespace sorvel
