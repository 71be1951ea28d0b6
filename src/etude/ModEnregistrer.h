#pragma once

// The files of a study in the folder `Etudes` beside the program: working
// files (Generale.tmp, Etude.tmp, Perte.tmp), scratch files (Temp.tmp,
// PteTemp.tmp) and stored studies (name + .plg/.pla/.plp). Every operation
// opens its file, does its work and closes it before returning.

#include "etude/Enregistrements.h"

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace sorvel {

// A file that cannot be opened, read or written (permissions, full disk...).
// what() is a French sentence naming the file, ready to show to the user.
class ErreurFichier : public std::runtime_error {
public:
    ErreurFichier(const QString& fichier, const QString& message);
    const QString& fichier() const noexcept { return fichier_; }
    QString messageFrancais() const;
private:
    QString fichier_;
};

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

void EcrireGenerales(const DonneesGenerales& d);
DonneesGenerales LireGenerales();                 // record 1 of Generale.tmp
void AjouterPiece(const DonneesPiece& d);         // appended to Etude.tmp
void EcrirePiece(int n, const DonneesPiece& d);   // record n (from 1) of Etude.tmp
DonneesPiece LirePiece(int n);
std::vector<DonneesPiece> LireToutesPieces(const QString& nomFichier = FichierEtude,
                                           int* octetsEnTrop = nullptr);
void ListerPieces(QStringList& liste);            // grows the list to the room count

void AjouterPerte(double normale, double bordure, double max, const QString& nomFichier);
void EcrirePerte(int n, double normale, double bordure, double max); // Perte.tmp
std::vector<PerteCharge> LireToutesPertes(const QString& nomFichier = FichierPerte,
                                          int* octetsEnTrop = nullptr);
double PerteMaxEtude(const QString& nomFichier);

void SupprimerFichier(const QString& nomFichier);  // missing file: no error
// Removes room k (from 1) from Etude.tmp and Perte.tmp by way of Temp.tmp and
// PteTemp.tmp; the other records keep their bytes.
void SupprimerPieceFichiers(int k);
// Stores the working files under the three names (replacing them). Each copy
// goes through a temporary file renamed over the target, so a failure leaves
// the previous stored files intact.
void CopierEtude(const QString& pieces, const QString& pertes, const QString& generales);
// Copies the three stored files over the working files.
void ChargerEtude(const QString& pieces, const QString& pertes, const QString& generales);

// Names of the stored studies: every "name.pla" in Etudes, without extension.
QStringList EtudesEnregistrees();

} // namespace sorvel
