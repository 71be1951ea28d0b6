#pragma once

// The files of a study in a studies folder: working
// files (Generale.tmp, Etude.tmp, Perte.tmp), scratch files (Temp.tmp,
// PteTemp.tmp) and stored studies (name + .plg/.pla/.plp). Every operation
// opens its file, does its work and closes it before returning.

#include "commun/ErreurSignalee.h"
#include "etude/Enregistrements.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
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

inline const QString FichierGenerales = QStringLiteral("Generale.tmp");
inline const QString FichierEtude = QStringLiteral("Etude.tmp");
inline const QString FichierPerte = QStringLiteral("Perte.tmp");
inline const QString FichierTemp = QStringLiteral("Temp.tmp");
inline const QString FichierPteTemp = QStringLiteral("PteTemp.tmp");

// A stored study whose files could not have been written by the program: a
// length that is not a whole number of records, too many rooms... what() is
// the French sentence naming the file.
class ErreurEtudeEndommagee : public ErreurSignalee {
public:
    ErreurEtudeEndommagee(const QString& fichier, const QString& raison);
    // With the whole sentence already made.
    ErreurEtudeEndommagee(const QString& fichier, const std::string& message);
    const QString& fichier() const noexcept { return fichier_; }
private:
    QString fichier_;
};
inline const QString TitreEtudeEndommagee = QStringLiteral("Etude endommagée.");

// Extensions of the three files of a stored study: rooms, pressure drops,
// general data.
inline const QString ExtensionPieces = QStringLiteral(".pla");
inline const QString ExtensionPertes = QStringLiteral(".plp");
inline const QString ExtensionGenerales = QStringLiteral(".plg");

// While three files are stored together, each new file is first written
// beside its target under the target's name followed by this suffix.
inline const QString SuffixeNouveau = QStringLiteral(".neuf");
// The intent of a store under way: the names of its three targets. Once it
// is in place the store is decided and is finished even after a crash.
inline const QString FichierJournal = QStringLiteral("Enregistrement.journal");

// The steps of a store of three files, in order (CopierEtude, ChargerEtude).
// A program killed after any of them leaves either the previous three files
// or the three new ones once ReprendreEnregistrement has run.
enum class EtapeEnregistrement {
    PiecesEcrit,       // the new rooms file written aside and synced
    PertesEcrit,       // the new pressure-drop file too
    GeneralesEcrit,    // the new general-data file too
    JournalEcrit,      // the journal written aside and synced
    JournalEnPlace,    // the journal in place: the store is decided
    PiecesRemplace,    // the new rooms file renamed over its target
    PertesRemplace,
    GeneralesRemplace,
    Termine,           // the journal removed
};
inline constexpr int NombreEtapesEnregistrement = static_cast<int>(EtapeEnregistrement::Termine) + 1;

// Writes `octets` as the whole file `chemin`, anywhere (a spreadsheet file
// in the user's documents): written beside it, synced and renamed over it,
// so that a failure leaves an existing file as it was and no part of the
// new one. Raises ErreurFichier naming the file.
void EcrireFichierComplet(const QString& chemin, const QByteArray& octets);

// A stored study as read from its three files.
struct EtudeEnregistree {
    DonneesGenerales Generales;
    std::vector<DonneesPiece> Pieces;
    std::vector<PerteCharge> Pertes;
};

// The studies folder and every file operation on it. The folder is given by
// whoever runs the program (beside the program, in the user's documents, a
// test's own folder); nothing here knows where the program lies.
//
// Every operation below raises ErreurFichier when its file cannot be opened,
// read or written (the message names the file and the cause, a full disk
// included). A file opened for reading that does not exist is created empty.
// Reading keeps the whole records of a file and ignores the bytes of an
// unfinished last one (`octetsEnTrop` reports them). Writing record n needs
// 1 <= n <= count + 1, so that records stay contiguous; otherwise it raises.
class DossierEtudes {
public:
    explicit DossierEtudes(QString chemin) : chemin_(std::move(chemin)) {}

    const QString& Chemin() const { return chemin_; }
    // Chemin() + "/" + name.
    QString Chemin(const QString& nomFichier) const;
    bool Existe(const QString& nomFichier) const;

    // Start-up: creates the folder when missing, finishes or undoes a store
    // interrupted in an earlier run and deletes the three working files.
    // Raises ErreurFichier when the folder cannot be created or written.
    void PreparerDemarrage() const;
    // The first half of PreparerDemarrage: the folder made when missing and
    // checked by writing; no file touched.
    void PreparerDossier() const;

    // Number of whole records (length / record length). `octetsEnTrop`, when
    // given, receives the trailing bytes that do not make a whole record.
    int NombreEnregistrements(const QString& nomFichier, int longueurEnregistrement,
                              int* octetsEnTrop = nullptr) const;
    // Rooms in Etude.tmp (whole records; 0 when the file is missing).
    int NombrePieces() const;

    void EcrireGenerales(const DonneesGenerales& d) const;
    // Record 1 of Generale.tmp; an empty file raises ErreurFichier.
    DonneesGenerales LireGenerales() const;
    void AjouterPiece(const DonneesPiece& d) const;         // appended to Etude.tmp
    void EcrirePiece(int n, const DonneesPiece& d) const;   // record n (from 1) of Etude.tmp
    // Record n of Etude.tmp; n outside 1..count raises ErreurFichier (a
    // default record would show an empty room as if it had been entered).
    DonneesPiece LirePiece(int n) const;
    std::vector<DonneesPiece> LireToutesPieces(const QString& nomFichier = FichierEtude,
                                               int* octetsEnTrop = nullptr) const;
    void ListerPieces(QStringList& liste) const;            // grows the list to the room count

    void AjouterPerte(double normale, double bordure, double max, const QString& nomFichier) const;
    void EcrirePerte(int n, double normale, double bordure, double max) const; // Perte.tmp
    std::vector<PerteCharge> LireToutesPertes(const QString& nomFichier = FichierPerte,
                                              int* octetsEnTrop = nullptr) const;
    // Largest PerteMax of the file, 0 when it is empty, missing (then created
    // empty) or holds no positive value.
    double PerteMaxEtude(const QString& nomFichier) const;

    // Missing file: no error. A file that exists and cannot be deleted raises.
    void SupprimerFichier(const QString& nomFichier) const;
    // Removes room k (from 1) from Etude.tmp and Perte.tmp by way of Temp.tmp
    // and PteTemp.tmp; the other records keep their bytes. Both files change
    // together or not at all (RemplacerPiecesEtPertes): a program stopped
    // part-way never leaves a rooms file missing.
    void SupprimerPieceFichiers(int k) const;
    // Stores the working files under the three names (replacing them), all
    // or nothing, also when the program is killed or the power fails
    // midway. The three sources are read, the three new files written beside
    // their targets and synced, then the journal naming the targets is put
    // in place (the store is decided), the new files are renamed over their
    // targets and the journal goes. A failure before the journal is in place
    // (unreadable source, full disk) removes what was written aside and
    // leaves the previous files byte for byte; an interruption is finished
    // or undone by ReprendreEnregistrement. A missing source counts as an
    // empty file (a study without rooms has no Etude.tmp yet).
    void CopierEtude(const QString& pieces, const QString& pertes, const QString& generales) const;
    // Copies the three stored files over the working files, all or nothing
    // like CopierEtude.
    void ChargerEtude(const QString& pieces, const QString& pertes, const QString& generales) const;

    // ---- Stored studies, by name --------------------------------------
    // The study `nom` is stored: nom.pla exists.
    bool EtudeExiste(const QString& nom) const;
    // The working files stored as the study `nom` (CopierEtude).
    void EnregistrerEtude(const QString& nom) const;
    // The stored study `source` copied as the study `cible`, all or nothing.
    void CopierEtudeEnregistree(const QString& source, const QString& cible) const;
    // The stored study `nom` copied over the working files (ChargerEtude).
    void ChargerEtudeEnregistree(const QString& nom) const;
    // Deletes nom.pla, nom.plp and nom.plg, in that order: the study leaves
    // the list with its first file.
    void SupprimerEtude(const QString& nom) const;
    // Finishes a store whose journal is in place (its new files renamed over
    // their targets) and removes what an undecided store left aside. Run
    // before every store, by the listing of the stored studies and before a
    // study is opened. Raises ErreurFichier when a decided store cannot be
    // finished.
    void ReprendreEnregistrement() const;
    // Called after each step of a store (tests interrupt a store there, as
    // a kill would; nothing is cleaned up after an exception that is not an
    // ErreurFichier).
    void SuivreEtapes(std::function<void(EtapeEnregistrement)> suivi) { suivi_ = std::move(suivi); }

    // Reads the stored study `nom` (nom.plg, nom.pla, nom.plp) whole, the
    // same way for the program and for the batch tool. Each file's size is
    // checked before a byte is read, so a huge file is refused at once; then
    // every value must be one the screens could have written
    // (VerifierEtude). Raises ErreurFichier (missing or unreadable file) or
    // ErreurEtudeEndommagee naming the file, the room and the field.
    EtudeEnregistree LireEtude(const QString& nom) const;

    // Names of the stored studies: every file of the folder whose name ends
    // with "pla" (exact case), without its last four characters, in French
    // alphabetical order (ComparerEnFrancais). Empty when there is none. An
    // interrupted store is finished or undone first (ReprendreEnregistrement);
    // when that fails the studies are listed all the same.
    QStringList EtudesEnregistrees() const;

private:
    QByteArray LireEnregistrements(const QString& nomFichier, int longueur, int* octetsEnTrop) const;
    void EcrireEnregistrements(const QString& nomFichier, int longueur, int n, const char* octets,
                               qint64 taille) const;
    void CopierTrois(const std::array<QString, 3>& sources, const std::array<QString, 3>& cibles) const;
    QByteArray EnregistrementsSauf(const QString& source, int longueur, int k) const;
    void Etape(EtapeEnregistrement etape) const;
    void SynchroniserDossier() const;

    QString chemin_;
    std::function<void(EtapeEnregistrement)> suivi_;
};

} // namespace sorvel
