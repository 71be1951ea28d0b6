#pragma once

// The stored studies of a studies folder, by name: a study "Maison" is the
// three files Maison.pla (rooms), Maison.plp (pressure drops) and
// Maison.plg (general data), and Maison.plx (its extension file: the site's
// climate, the manifolds, the details of the rooms' losses and the rooms'
// manifolds) when it has anything to hold there. They are stored, copied, loaded and deleted together through the
// journal, all or nothing.

#include "etude/Etude.h"
#include "stockage/DossierEtudes.h"
#include "stockage/Journal.h"

#include <QStringList>

namespace sorvel {

// Extensions of the three files of a stored study: rooms, pressure drops,
// general data.
inline const QString ExtensionPieces = QStringLiteral(".pla");
inline const QString ExtensionPertes = QStringLiteral(".plp");
inline const QString ExtensionGenerales = QStringLiteral(".plg");
// Extension of its extension file (Extension.h), when it has one.
inline const QString ExtensionComplements = QStringLiteral(".plx");

class Catalogue {
public:
    explicit Catalogue(DossierEtudes dossier) : dossier_(dossier), journal_(std::move(dossier)) {}
    const DossierEtudes& Dossier() const { return dossier_; }
    Journal& JournalEnregistrement() { return journal_; }
    const Journal& JournalEnregistrement() const { return journal_; }

    // The study `nom` is stored: nom.pla exists.
    bool Existe(const QString& nom) const;
    // The working files stored as the study `nom`, replacing it (without
    // Extension.tmp, nom.plx goes).
    void Enregistrer(const QString& nom) const;
    // The stored study `source` copied as the study `cible`.
    void Copier(const QString& source, const QString& cible) const;
    // The stored study `nom` copied over the working files (without nom.plx,
    // Extension.tmp goes).
    void Charger(const QString& nom) const;
    // Deletes nom.pla, nom.plp, nom.plg and nom.plx, in that order and all
    // or nothing: the study leaves the list with its first file.
    void Supprimer(const QString& nom) const;

    // Reads the stored study `nom` whole, the same way for the program and
    // for the batch tool. Each file's size is checked before a byte is read,
    // so a huge file is refused at once; then every value must be one the
    // screens could have written, and the extension file, when there is
    // one, must be sound (LireExtension). Raises ErreurFichier (missing or
    // unreadable file) or ErreurEtudeEndommagee naming the file, the room
    // and the field.
    Etude Lire(const QString& nom) const;

    // Names of the stored studies: every file of the folder whose name ends
    // with "pla" (exact case), without its last four characters, in French
    // alphabetical order, numbers by their value ("Etude 2" before "Etude
    // 10"). An interrupted store is finished or undone first; when that
    // fails the studies are listed all the same.
    QStringList Etudes() const;

private:
    DossierEtudes dossier_;
    Journal journal_;
};

} // namespace sorvel
