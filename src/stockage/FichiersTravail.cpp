#include "stockage/FichiersTravail.h"

#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"
#include "etude/Collecteurs.h"
#include "stockage/Extension.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

namespace sorvel {

namespace {

void Renommer(const QString& de, const QString& vers) {
    errno = 0;
    if (!RenommerPar(de, vers))
        EchecFichier("de remplacer", vers, errno);
}

void Tronquer(const QString& chemin, qint64 taille) {
    QFile f(chemin);
    errno = 0;
    if (!f.resize(taille))
        EchecFichier("de réparer", chemin, errno);
}

qint64 Taille(const QString& chemin) {
    const QFileInfo info(chemin);
    return info.isFile() ? info.size() : 0;
}

// The whole records of a working file (a missing file holds none and stays
// missing).
QByteArray Enregistrements(const DossierEtudes& dossier, const QString& nom, int longueur) {
    const QString chemin = dossier.Chemin(nom);
    if (!QFileInfo::exists(chemin))
        return {};
    QByteArray octets = LireFichier(chemin);
    octets.chop(octets.size() % longueur);
    return octets;
}

// The fault of a working file, named as the user may find it in the folder.
[[noreturn]] void Endommage(const DossierEtudes& dossier, const DefautEtude& defaut) {
    const QString& nom = defaut.Fichier == FichierStocke::Generales ? FichierGenerales
                         : defaut.Fichier == FichierStocke::Pieces  ? FichierEtude
                                                                    : FichierPerte;
    throw ErreurEtudeEndommagee(dossier.Chemin(nom), MessageDefautEtude(defaut, nom.toStdString()));
}

// Record n (from 1) of `octets`, records `longueur` bytes long; empty when
// there is none.
QByteArray Enregistrement(const QByteArray& octets, int n, int longueur) {
    if (n < 1 || static_cast<qsizetype>(n) * longueur > octets.size())
        return {};
    return octets.mid(static_cast<qsizetype>(n - 1) * longueur, longueur);
}

std::vector<PerteCharge> Pertes(const QByteArray& octets) {
    std::vector<PerteCharge> pertes;
    for (qsizetype i = 0; i < octets.size(); i += LongueurPerteCharge)
        pertes.push_back(DecoderPerte(octets.constData() + i));
    return pertes;
}

} // namespace

int FichiersTravail::NombrePieces() const {
    return dossier_.NombreEnregistrements(FichierEtude, DonneesPiece::Longueur);
}

QStringList FichiersTravail::NomsPieces() const {
    QStringList noms;
    try {
        const QByteArray octets = Enregistrements(dossier_, FichierEtude, DonneesPiece::Longueur);
        for (qsizetype i = 0; i < octets.size(); i += DonneesPiece::Longueur)
            noms.append(QString::fromStdString(DecoderPiece(octets.constData() + i).NomPiece));
    } catch (const ErreurFichier&) {
        // An unreadable rooms file lists nothing; the commands on a room say why.
    }
    return noms;
}

void FichiersTravail::EcrireGenerales(const Installation& generales) const {
    const auto octets = Encoder(VersEnregistrement(generales));
    dossier_.EcrireEnregistrement(FichierGenerales, DonneesGenerales::Longueur, 1, octets.data());
}

Installation FichiersTravail::LireGenerales() const {
    const QByteArray octets = dossier_.LireEnregistrements(FichierGenerales, DonneesGenerales::Longueur);
    if (octets.isEmpty())
        throw ErreurFichier(dossier_.Chemin(FichierGenerales),
                            QStringLiteral("Le fichier « %1 » ne contient pas les données générales de l'étude.")
                                .arg(FichierGenerales));
    const DonneesGenerales d = DecoderGenerales(octets.constData());
    if (const auto defaut = VerifierEtude(d, {}, {}))
        Endommage(dossier_, *defaut);
    return VersInstallation(d);
}

Piece FichiersTravail::Verifiee(const char* octets, int numero) const {
    const DonneesPiece d = DecoderPiece(octets);
    if (const auto defaut = VerifierPiece(d, numero))
        Endommage(dossier_, *defaut);
    return VersPiece(d);
}

void FichiersTravail::LireComplements(Etude& etude) const {
    const QString chemin = dossier_.Chemin(FichierExtension);
    if (QFileInfo::exists(chemin))
        LireExtension(LireFichier(chemin), chemin, FichierExtension, etude);
}

Etude FichiersTravail::Completee(const QByteArray& octets) const {
    Etude etude;
    for (qsizetype i = 0; i < octets.size(); i += DonneesPiece::Longueur)
        etude.Pieces.push_back(Verifiee(octets.constData() + i, static_cast<int>(etude.Pieces.size()) + 1));
    LireComplements(etude);
    return etude;
}

Piece FichiersTravail::LirePiece(int n) const {
    const QByteArray octets = dossier_.LireEnregistrements(FichierEtude, DonneesPiece::Longueur);
    const int nombre = static_cast<int>(octets.size() / DonneesPiece::Longueur);
    if (n < 1 || n > nombre)
        throw ErreurFichier(dossier_.Chemin(FichierEtude),
                            QStringLiteral("Le fichier « %1 » ne contient pas la pièce n° %2 "
                                           "(il contient %3 pièce(s)).")
                                .arg(FichierEtude).arg(n).arg(nombre));
    // The details name the rooms by their numbers: read with every room.
    if (dossier_.Existe(FichierExtension))
        return Completee(octets).Pieces[static_cast<std::size_t>(n - 1)];
    return Verifiee(octets.constData() + static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur, n);
}

std::vector<Piece> FichiersTravail::LirePieces() const {
    return Completee(dossier_.LireEnregistrements(FichierEtude, DonneesPiece::Longueur)).Pieces;
}

double FichiersTravail::PerteMaxEtude() const {
    // The running maximum starts at 0 and moves only to a strictly larger
    // value: negative values and NaN from a damaged record never win.
    double maxi = 0;
    for (const PerteCharge& p : Pertes(dossier_.LireEnregistrements(FichierPerte, LongueurPerteCharge)))
        if (p.PerteMax > maxi)
            maxi = p.PerteMax;
    return maxi;
}

Etude FichiersTravail::LireEtude() const {
    DonneesGenerales generales = VersEnregistrement(Installation{});
    if (dossier_.NombreEnregistrements(FichierGenerales, DonneesGenerales::Longueur) > 0)
        generales = DecoderGenerales(
            dossier_.LireEnregistrements(FichierGenerales, DonneesGenerales::Longueur).constData());
    std::vector<DonneesPiece> pieces;
    const QByteArray octets = Enregistrements(dossier_, FichierEtude, DonneesPiece::Longueur);
    for (qsizetype i = 0; i < octets.size(); i += DonneesPiece::Longueur)
        pieces.push_back(DecoderPiece(octets.constData() + i));
    Etude etude;
    etude.Pertes = Pertes(Enregistrements(dossier_, FichierPerte, LongueurPerteCharge));
    if (const auto defaut = VerifierEtude(generales, pieces, etude.Pertes))
        Endommage(dossier_, *defaut);
    etude.Generales = VersInstallation(generales);
    for (const DonneesPiece& d : pieces)
        etude.Pieces.push_back(VersPiece(d));
    LireComplements(etude);
    return etude;
}

std::optional<QByteArray> FichiersTravail::ExtensionApres(bool ajoute,
                                                          const std::function<void(Etude&)>& changer) const {
    // A study that keeps nothing beside its records goes on as if the file
    // did not exist.
    if (!ajoute && !dossier_.Existe(FichierExtension))
        return std::nullopt;
    Etude etude = Completee(Enregistrements(dossier_, FichierEtude, DonneesPiece::Longueur));
    changer(etude);
    return EcrireExtension(etude).value_or(QByteArray());
}

void FichiersTravail::ChangerExtension(bool ajoute, const std::function<void(Etude&)>& changer) const {
    const std::optional<QByteArray> octets = ExtensionApres(ajoute, changer);
    if (!octets)
        return;
    if (!octets->isEmpty())
        return EcrireFichierComplet(dossier_.Chemin(FichierExtension), *octets);
    dossier_.SupprimerFichier(FichierExtension);
    dossier_.Synchroniser();
}

void FichiersTravail::EcrireClimat(const std::optional<ClimatSite>& climat) const {
    ChangerExtension(climat.has_value(), [&](Etude& e) { e.Climat = climat; });
}

void FichiersTravail::EcrireCollecteurs(const std::vector<Collecteur>& collecteurs,
                                        const std::vector<std::optional<int>>& affectations) const {
    ChangerExtension(true, [&](Etude& e) {
        e.Collecteurs = collecteurs;
        for (std::size_t i = 0; i < e.Pieces.size() && i < affectations.size(); ++i)
            e.Pieces[i].Collecteur = affectations[i];
    });
}

void FichiersTravail::EcrireDefautsPieces(const std::optional<DefautsPieces>& defauts) const {
    ChangerExtension(defauts.has_value(), [&](Etude& e) { e.Defauts = defauts; });
}

void FichiersTravail::EcrireRenseignements(const RenseignementsEtude& renseignements) const {
    ChangerExtension(!renseignements.Vides(), [&](Etude& e) { e.Renseignements = renseignements; });
}

void FichiersTravail::Remplacer(const QByteArray& pieces, const QByteArray& pertes,
                                const std::optional<QByteArray>& extension) const {
    const QString temp = dossier_.Chemin(FichierTemp);
    const QString pteTemp = dossier_.Chemin(FichierPteTemp);
    const QString extTemp = dossier_.Chemin(FichierExtTemp);
    try {
        // PteTemp.tmp first: while it exists, the change is not made.
        EcrireFichierComplet(pteTemp, pertes);
        if (extension)
            EcrireFichierComplet(extTemp, *extension);
        EcrireFichierComplet(temp, pieces);
        Renommer(pteTemp, dossier_.Chemin(FichierPerte));
    } catch (const ErreurFichier&) {
        // PteTemp.tmp last, so that no other scratch file is ever left alone.
        QFile::remove(temp);
        QFile::remove(extTemp);
        QFile::remove(pteTemp);
        throw;
    }
    // A rename is on disk once the folder is: without this a power cut could
    // bring the old name back after the program went on.
    dossier_.Synchroniser();
    if (extension)
        TerminerExtension();
    Renommer(temp, dossier_.Chemin(FichierEtude));
    dossier_.Synchroniser();
}

// ExtTemp.tmp, once the change is made, becomes Extension.tmp; an empty one
// says that the study keeps nothing there any more: both go, ExtTemp.tmp
// last.
void FichiersTravail::TerminerExtension() const {
    if (Taille(dossier_.Chemin(FichierExtTemp)) > 0) {
        Renommer(dossier_.Chemin(FichierExtTemp), dossier_.Chemin(FichierExtension));
    } else {
        dossier_.SupprimerFichier(FichierExtension);
        dossier_.SupprimerFichier(FichierExtTemp);
    }
}

void FichiersTravail::EcrirePiece(int n, const Piece& piece, const PerteCharge& perte) const {
    QByteArray pieces = Enregistrements(dossier_, FichierEtude, DonneesPiece::Longueur);
    QByteArray pertes = Enregistrements(dossier_, FichierPerte, LongueurPerteCharge);
    const int communes = static_cast<int>(
        std::min(pieces.size() / DonneesPiece::Longueur, pertes.size() / LongueurPerteCharge));
    if (n < 1 || n > communes + 1)
        throw ErreurFichier(dossier_.Chemin(FichierEtude),
                            QStringLiteral("Impossible d'écrire l'enregistrement n° %1 du fichier « %2 » : "
                                           "il ne contient que %3 enregistrement(s).")
                                .arg(n).arg(FichierEtude).arg(communes));
    const int nombre = std::max(communes, n);
    pieces.resize(static_cast<qsizetype>(nombre) * DonneesPiece::Longueur);
    pertes.resize(static_cast<qsizetype>(nombre) * LongueurPerteCharge);
    const auto p = Encoder(VersEnregistrement(piece));
    const auto q = Encoder(perte);
    std::copy(p.begin(), p.end(), pieces.begin() + static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur);
    std::copy(q.begin(), q.end(), pertes.begin() + static_cast<qsizetype>(n - 1) * LongueurPerteCharge);
    const bool complements = ComplementsPiece(piece);
    const auto extension = ExtensionApres(complements, [&](Etude& e) {
        e.Pieces.resize(static_cast<std::size_t>(nombre));
        e.Pieces[static_cast<std::size_t>(n - 1)] = piece;
    });
    Remplacer(pieces, pertes, extension);
}

PieceRetiree FichiersTravail::SupprimerPiece(int k) const {
    // Both rebuilt contents are ready before a file is touched.
    const QByteArray pieces = dossier_.LireEnregistrements(FichierEtude, DonneesPiece::Longueur);
    const QByteArray pertes = dossier_.LireEnregistrements(FichierPerte, LongueurPerteCharge);
    PieceRetiree retiree{.Numero = k,
                         .Enregistrement = Enregistrement(pieces, k, DonneesPiece::Longueur),
                         .Perte = Enregistrement(pertes, k, LongueurPerteCharge),
                         .ExtensionAvant = ContenuExtension()};
    auto sauf = [&](const QByteArray& octets, int longueur) {
        QByteArray reste = octets;
        if (k >= 1 && static_cast<qsizetype>(k) * longueur <= octets.size())
            reste.remove(static_cast<qsizetype>(k - 1) * longueur, longueur);
        return reste;
    };
    // The rooms after it move down with their details and their manifolds.
    const auto extension = ExtensionApres(false, [&](Etude& e) {
        if (k >= 1 && k <= static_cast<int>(e.Pieces.size())) {
            retiree.Donnees = e.Pieces[static_cast<std::size_t>(k - 1)];
            e.Pieces.erase(e.Pieces.begin() + (k - 1));
        }
    });
    if (!retiree.ExtensionAvant && retiree.Enregistrement.size() == DonneesPiece::Longueur) {
        try {
            retiree.Donnees = Verifiee(retiree.Enregistrement.constData(), k);
        } catch (const ErreurEtudeEndommagee&) {
            // Its record alone comes back: it keeps nothing beside it.
        }
    }
    Remplacer(sauf(pieces, DonneesPiece::Longueur), sauf(pertes, LongueurPerteCharge), extension);
    retiree.ExtensionApres = !extension ? retiree.ExtensionAvant
                             : extension->isEmpty() ? std::nullopt
                                                    : extension;
    return retiree;
}

std::optional<QByteArray> FichiersTravail::ContenuExtension() const {
    if (!dossier_.Existe(FichierExtension))
        return std::nullopt;
    return LireFichier(dossier_.Chemin(FichierExtension));
}

int FichiersTravail::PiecesCommunes(QByteArray& pieces, QByteArray& pertes) const {
    pieces = Enregistrements(dossier_, FichierEtude, DonneesPiece::Longueur);
    pertes = Enregistrements(dossier_, FichierPerte, LongueurPerteCharge);
    const int communes = static_cast<int>(
        std::min(pieces.size() / DonneesPiece::Longueur, pertes.size() / LongueurPerteCharge));
    pieces.truncate(static_cast<qsizetype>(communes) * DonneesPiece::Longueur);
    pertes.truncate(static_cast<qsizetype>(communes) * LongueurPerteCharge);
    return communes;
}

void FichiersTravail::RetablirPiece(const PieceRetiree& retiree) const {
    QByteArray pieces;
    QByteArray pertes;
    const int nombre = PiecesCommunes(pieces, pertes);
    if (nombre >= PiecesMaximumEtude)
        throw ErreurFichier(dossier_.Chemin(FichierEtude),
                            QStringLiteral("Le fichier « %1 » contient déjà %2 pièces : aucune ne peut y être remise.")
                                .arg(FichierEtude).arg(nombre));
    const int n = std::clamp(retiree.Numero, 1, nombre + 1);
    pieces.insert(static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur, retiree.Enregistrement);
    pertes.insert(static_cast<qsizetype>(n - 1) * LongueurPerteCharge, retiree.Perte);
    std::optional<QByteArray> extension;
    if (n == retiree.Numero && ContenuExtension() == retiree.ExtensionApres) {
        // Untouched since the removal: the file as it was before it (an
        // empty content makes the file go).
        if (retiree.ExtensionAvant || retiree.ExtensionApres)
            extension = retiree.ExtensionAvant.value_or(QByteArray());
    } else {
        extension = ExtensionApres(ComplementsPiece(retiree.Donnees), [&](Etude& e) {
            Piece piece = retiree.Donnees;
            if (piece.Collecteur && *piece.Collecteur > static_cast<int>(CollecteursEtude(e.Collecteurs).size()))
                piece.Collecteur.reset();
            e.Pieces.insert(e.Pieces.begin() + std::min<std::ptrdiff_t>(n - 1, std::ssize(e.Pieces)), piece);
        });
    }
    Remplacer(pieces, pertes, extension);
}

void FichiersTravail::InsererPiece(int n, const Piece& piece, const PerteCharge& perte) const {
    QByteArray pieces;
    QByteArray pertes;
    const int nombre = PiecesCommunes(pieces, pertes);
    if (n < 1 || n > nombre + 1 || nombre >= PiecesMaximumEtude)
        throw ErreurFichier(dossier_.Chemin(FichierEtude),
                            QStringLiteral("Impossible d'insérer la pièce n° %1 dans le fichier « %2 », qui contient "
                                           "%3 pièce(s).")
                                .arg(n).arg(FichierEtude).arg(nombre));
    const auto p = Encoder(VersEnregistrement(piece));
    const auto q = Encoder(perte);
    pieces.insert(static_cast<qsizetype>(n - 1) * DonneesPiece::Longueur, p.data(), static_cast<qsizetype>(p.size()));
    pertes.insert(static_cast<qsizetype>(n - 1) * LongueurPerteCharge, q.data(), static_cast<qsizetype>(q.size()));
    const auto extension = ExtensionApres(ComplementsPiece(piece), [&](Etude& e) {
        e.Pieces.insert(e.Pieces.begin() + std::min<std::ptrdiff_t>(n - 1, std::ssize(e.Pieces)), piece);
    });
    Remplacer(pieces, pertes, extension);
}

void FichiersTravail::EchangerPieces(int k) const {
    QByteArray pieces;
    QByteArray pertes;
    const int nombre = PiecesCommunes(pieces, pertes);
    if (k < 1 || k >= nombre)
        throw ErreurFichier(dossier_.Chemin(FichierEtude),
                            QStringLiteral("Impossible d'échanger les pièces n° %1 et %2 du fichier « %3 », qui "
                                           "contient %4 pièce(s).")
                                .arg(k).arg(k + 1).arg(FichierEtude).arg(nombre));
    auto echanger = [k](QByteArray& octets, int longueur) {
        const qsizetype debut = static_cast<qsizetype>(k - 1) * longueur;
        const QByteArray premier = octets.mid(debut, longueur);
        octets.replace(debut, longueur, octets.mid(debut + longueur, longueur));
        octets.replace(debut + longueur, longueur, premier);
    };
    echanger(pieces, DonneesPiece::Longueur);
    echanger(pertes, LongueurPerteCharge);
    const auto extension = ExtensionApres(false, [&](Etude& e) {
        if (k < static_cast<int>(e.Pieces.size()))
            std::swap(e.Pieces[static_cast<std::size_t>(k - 1)], e.Pieces[static_cast<std::size_t>(k)]);
    });
    Remplacer(pieces, pertes, extension);
}

int FichiersTravail::Reparer() const {
    const QString etude = dossier_.Chemin(FichierEtude);
    const QString perte = dossier_.Chemin(FichierPerte);
    const QString temp = dossier_.Chemin(FichierTemp);
    const QString pteTemp = dossier_.Chemin(FichierPteTemp);

    // A change of the rooms stopped part-way.
    if (QFileInfo::exists(pteTemp)) {
        dossier_.SupprimerFichier(FichierTemp);
        dossier_.SupprimerFichier(FichierExtTemp);
        dossier_.SupprimerFichier(FichierPteTemp);
    } else if (QFileInfo::exists(temp) || dossier_.Existe(FichierExtTemp)) {
        if (dossier_.Existe(FichierExtTemp))
            TerminerExtension();
        const qint64 t = Taille(temp);
        const bool entier = t % DonneesPiece::Longueur == 0;
        if (QFileInfo::exists(temp) && entier && t / DonneesPiece::Longueur == Taille(perte) / LongueurPerteCharge)
            Renommer(temp, etude);
        else
            dossier_.SupprimerFichier(FichierTemp);
        dossier_.Synchroniser();
    }

    // The probe of the folder made at start-up, left by a run killed then.
    static const QRegularExpression sonde(QStringLiteral("^essai_[A-Za-z0-9]{6}\\.tmp$"));
    const QStringList fichiers = QDir(dossier_.Chemin()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& f : fichiers)
        if (sonde.match(f).hasMatch())
            dossier_.SupprimerFichier(f);

    // The rooms both files hold, whole.
    const qint64 communes = std::min(Taille(etude) / DonneesPiece::Longueur, Taille(perte) / LongueurPerteCharge);
    if (QFileInfo(etude).isFile() && Taille(etude) != communes * DonneesPiece::Longueur)
        Tronquer(etude, communes * DonneesPiece::Longueur);
    if (QFileInfo(perte).isFile() && Taille(perte) != communes * LongueurPerteCharge)
        Tronquer(perte, communes * LongueurPerteCharge);
    return static_cast<int>(communes);
}

void FichiersTravail::SupprimerTout() const {
    std::optional<ErreurFichier> premiere;
    for (const QString& f : {FichierEtude, FichierPerte, FichierGenerales, FichierExtension}) {
        try {
            dossier_.SupprimerFichier(f);
        } catch (const ErreurFichier& e) {
            if (!premiere)
                premiere = e;
        }
    }
    if (premiere)
        throw *premiere;
}

} // namespace sorvel
