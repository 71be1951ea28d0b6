#pragma once

// The studies folder: where the working files of the study being edited
// and the stored studies lie. The folder is given by whoever runs the
// program (beside the program, in the user's documents, a test's own
// folder); nothing here knows where the program lies. Files of fixed-length
// records are read and written here, whole records only.

#include "stockage/Fichiers.h"

#include <QByteArray>
#include <QString>

namespace sorvel {

class DossierEtudes {
public:
    explicit DossierEtudes(QString chemin) : chemin_(std::move(chemin)) {}

    const QString& Chemin() const { return chemin_; }
    // Chemin() + "/" + name.
    QString Chemin(const QString& nomFichier) const;
    bool Existe(const QString& nomFichier) const;

    // The folder made when missing and checked by writing. Raises
    // ErreurFichier when it cannot be created or written.
    void PreparerDossier() const;

    // Missing file: no error. A file that exists and cannot be deleted raises.
    void SupprimerFichier(const QString& nomFichier) const;

    // Number of whole records (length / record length; 0 for a missing
    // file). `octetsEnTrop`, when given, receives the trailing bytes that do
    // not make a whole record.
    int NombreEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop = nullptr) const;
    // Every whole record of the file; the bytes of an unfinished last one
    // are left out (and counted in `octetsEnTrop`). A missing file is
    // created empty, as a record file opened for reading always exists
    // afterwards.
    QByteArray LireEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop = nullptr) const;
    // Writes one record as record `n` (from 1) of the file, created when
    // missing. Records stay contiguous: n beyond count + 1 raises.
    void EcrireEnregistrement(const QString& nomFichier, int longueur, int n, const char* octets) const;

    // Makes the folder's names durable (SynchroniserDossier).
    void Synchroniser() const { SynchroniserDossier(chemin_); }

private:
    QString chemin_;
};

} // namespace sorvel
