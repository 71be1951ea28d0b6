#pragma once

// What every file operation of the program shares: the errors it raises,
// in French, naming the file and the cause; reading a whole file; writing a
// whole file so that a failure never leaves half of it; renaming and
// syncing.

#include "commun/ErreurSignalee.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace sorvel {

// A file that cannot be opened, read or written (permissions, full disk...).
// what() is a French sentence naming the file, ready to show to the user.
class ErreurFichier : public ErreurSignalee {
public:
    ErreurFichier(const QString& fichier, const QString& message);
    const QString& fichier() const noexcept { return fichier_; }
    QString messageFrancais() const { return message_; }
private:
    QString fichier_;
    QString message_;
};

// Title of the message box that shows an ErreurFichier.
inline const QString TitreErreurFichier = QStringLiteral("Erreur de fichier.");

// Titles of the message that shows an ErreurEtudeEndommagee: a damaged
// study, and a study whose file was written by a more recent Sorvel in a
// version of its format this one cannot read.
inline const QString TitreEtudeEndommagee = QStringLiteral("Etude endommagée.");
inline const QString TitreEtudeRecente = QStringLiteral("Etude trop récente.");

// A stored study whose files could not have been written by the program: a
// length that is not a whole number of records, too many rooms, a value no
// screen offers... what() is the French sentence naming the file.
class ErreurEtudeEndommagee : public ErreurSignalee {
public:
    // "Le fichier « Maison.pla » est endommagé : <raison>."
    ErreurEtudeEndommagee(const QString& fichier, const QString& raison);
    // With the whole sentence already made, and the title of its message box.
    ErreurEtudeEndommagee(const QString& fichier, const std::string& message,
                          const QString& titre = TitreEtudeEndommagee);
    const QString& fichier() const noexcept { return fichier_; }
private:
    QString fichier_;
};

// French wording of a system error number (errno), for the end of a
// message: "le disque est plein", "l'accès est refusé"...
QString RaisonSysteme(int codeErreur);

// What stands in the way of reading the file `chemin`, as a system error
// number: ENOENT only when the file (or a folder of its path) does not
// exist; ENOTDIR when an element of the path is a file, ENAMETOOLONG,
// EACCES, ELOOP... as the system reports them; EISDIR for a folder. 0 when
// the file can be opened for reading.
int DiagnostiquerLecture(const QString& chemin);

// Raises ErreurFichier: "Impossible <action> le fichier « Etude.tmp » :
// <cause>." `code` is the errno of the failed call; 0 when the call left
// none, and the path itself is examined (DiagnostiquerLecture).
[[noreturn]] void EchecFichier(const char* action, const QString& chemin, int code);

// The whole content of an existing file.
QByteArray LireFichier(const QString& chemin);

// Writes `octets` as the whole file `chemin`: written beside it, synced and
// renamed over it, so that a failure leaves an existing file as it was and
// no part of the new one. Raises ErreurFichier naming the file.
void EcrireFichierComplet(const QString& chemin, const QByteArray& octets);

// The system's rename: `vers` holds either its old content or the new one,
// never nothing. False (errno set) on failure.
bool RenommerPar(const QString& de, const QString& vers);

// Makes the names of a folder (new, renamed, removed files) durable. A disk
// that fails (EIO) raises ErreurFichier; a file system that cannot sync a
// folder is no error.
void SynchroniserDossier(const QString& dossier);

// While files are stored, each new file is first written beside its target
// under the target's name followed by this suffix.
inline const QString SuffixeNouveau = QStringLiteral(".neuf");

// A whole new file content, written beside the target under the target's
// name + SuffixeNouveau and renamed over it once every byte is written. An
// error names the target, the file the user knows. Nothing is removed on
// destruction: a write that fails removes its own file, and an interrupted
// store leaves it for the next start, as a kill would.
class FichierNeuf {
public:
    explicit FichierNeuf(const QString& cible);
    void Ecrire(const QByteArray& octets);
    // The bytes on the disk (when `synchroniser`), and the file closed.
    void Fermer(bool synchroniser);
    // Renamed over the target.
    void Valider();
    void Abandonner();

private:
    [[noreturn]] void Echec(int code);
    QString cible_;
    QString neuf_;
    QFile f_;
};

} // namespace sorvel
