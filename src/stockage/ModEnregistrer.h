#pragma once

// The files of a study in the folder `Etudes` beside the program: working
// files (Generale.tmp, Etude.tmp, Perte.tmp), scratch files (Temp.tmp,
// PteTemp.tmp) and stored studies (name + .plg/.pla/.plp). Every operation
// opens its file, does its work and closes it before returning.

#include "commun/ErreurSignalee.h"
#include "etude/Enregistrements.h"

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace sorvel {

// A file that cannot be opened, read or written (permissions, full disk...).
// what() is a French sentence naming the file, ready to show to the user.
class ErreurFichier : public ErreurSignalee {
public:
    ErreurFichier(const QString& fichier, const QString& message);
    const QString& fichier() const noexcept { return fichier_; }
    QString messageFrancais() const;
private:
    QString fichier_;
    QString message_;
};

// Title of the message box that shows an ErreurFichier.
inline const QString TitreErreurFichier = QStringLiteral("Erreur de fichier.");

// French wording of a system error number (errno), for the end of a
// message: "le disque est plein", "l'accès est refusé"... (the wording of
// LibelleErreurSysteme, shared with the command-line tool).
QString RaisonSysteme(int codeErreur);

// The program's folder (where the executable and its pictures lie) and the
// studies folder inside it. By default the executable's own folder; tests set
// a folder of their own.
void DefinirDossierProgramme(const QString& dossier);
QString DossierProgramme();
QString DossierEtudes();
QString CheminEtudes(const QString& nomFichier); // DossierEtudes() + "/" + name

inline const QString FichierGenerales = QStringLiteral("Generale.tmp");
inline const QString FichierEtude = QStringLiteral("Etude.tmp");
inline const QString FichierPerte = QStringLiteral("Perte.tmp");
inline const QString FichierTemp = QStringLiteral("Temp.tmp");
inline const QString FichierPteTemp = QStringLiteral("PteTemp.tmp");

// Start-up: creates `Etudes` when missing and deletes the three working
// files. Raises ErreurFichier when the folder cannot be created or written.
void PreparerDemarrage();

// Number of whole records (length / record length). `octetsEnTrop`, when
// given, receives the trailing bytes that do not make a whole record.
int NombreEnregistrements(const QString& nomFichier, int longueurEnregistrement,
                          int* octetsEnTrop = nullptr);

// Every operation below raises ErreurFichier when its file cannot be opened,
// read or written (the message names the file and the cause, a full disk
// included). A file opened for reading that does not exist is created empty.
// Reading keeps the whole records of a file and ignores the bytes of an
// unfinished last one (`octetsEnTrop` reports them). Writing record n needs
// 1 <= n <= count + 1, so that records stay contiguous; otherwise it raises.

// Rooms in Etude.tmp (whole records; 0 when the file is missing).
int NombrePieces();

void EcrireGenerales(const DonneesGenerales& d);
// Record 1 of Generale.tmp; an empty file raises ErreurFichier.
DonneesGenerales LireGenerales();
void AjouterPiece(const DonneesPiece& d);         // appended to Etude.tmp
void EcrirePiece(int n, const DonneesPiece& d);   // record n (from 1) of Etude.tmp
// Record n of Etude.tmp; n outside 1..count raises ErreurFichier (a default
// record would show an empty room as if it had been entered).
DonneesPiece LirePiece(int n);
std::vector<DonneesPiece> LireToutesPieces(const QString& nomFichier = FichierEtude,
                                           int* octetsEnTrop = nullptr);
void ListerPieces(QStringList& liste);            // grows the list to the room count

void AjouterPerte(double normale, double bordure, double max, const QString& nomFichier);
void EcrirePerte(int n, double normale, double bordure, double max); // Perte.tmp
std::vector<PerteCharge> LireToutesPertes(const QString& nomFichier = FichierPerte,
                                          int* octetsEnTrop = nullptr);
// Largest PerteMax of the file, 0 when it is empty, missing (then created
// empty) or holds no positive value.
double PerteMaxEtude(const QString& nomFichier);

// Missing file: no error. A file that exists and cannot be deleted raises.
void SupprimerFichier(const QString& nomFichier);
// Removes room k (from 1) from Etude.tmp and Perte.tmp by way of Temp.tmp and
// PteTemp.tmp; the other records keep their bytes.
void SupprimerPieceFichiers(int k);
// Stores the working files under the three names (replacing them). The three
// sources are read and the three targets written aside first, then renamed
// over the targets, so a failure (unreadable source, full disk) leaves the
// previous stored files intact. A missing source counts as an empty file (a
// study without rooms has no Etude.tmp yet).
void CopierEtude(const QString& pieces, const QString& pertes, const QString& generales);
// Copies the three stored files over the working files, all or nothing like
// CopierEtude; the screens then read the general data and room 1 themselves.
void ChargerEtude(const QString& pieces, const QString& pertes, const QString& generales);

// Names of the stored studies: every file of Etudes whose name ends with
// "pla" (exact case), without its last four characters; sorted by name,
// ignoring case. Empty when there is none.
QStringList EtudesEnregistrees();

} // namespace sorvel
