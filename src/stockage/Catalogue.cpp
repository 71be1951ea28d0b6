#include "stockage/Catalogue.h"

#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"
#include "stockage/Extension.h"
#include "stockage/FichiersTravail.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace sorvel {

namespace {

// The files of a study in the order a store copies them: rooms, pressure
// drops, general data, extension file.
QStringList FichiersEtude(const QString& nom) {
    return {nom + ExtensionPieces, nom + ExtensionPertes, nom + ExtensionGenerales, nom + ExtensionComplements};
}
QStringList FichiersTravailEtude() { return {FichierEtude, FichierPerte, FichierGenerales, FichierExtension}; }

// The store of the files `sources` over `cibles`, both in that order: the
// extension file alone may be missing, and its target then goes. Without
// sources, every target goes.
FichiersEnregistres Copies(const QStringList& sources, const QStringList& cibles) {
    FichiersEnregistres fichiers;
    for (qsizetype i = 0; i < cibles.size(); ++i)
        fichiers.push_back({sources.value(i), cibles[i], sources.isEmpty() || i == cibles.size() - 1});
    return fichiers;
}

// The names of the files of a folder as the system holds them, bytes that
// need not be UTF-8: QDir leaves out a name it cannot decode, and a study
// copied from an older system would vanish from the list. A symbolic link
// to a file counts as a file.
std::vector<QByteArray> FichiersBruts(const QString& dossier) {
    std::vector<QByteArray> noms;
    DIR* d = ::opendir(QFile::encodeName(dossier).constData());
    if (!d)
        return noms;
    while (const dirent* e = ::readdir(d)) {
        struct stat etat {};
        if (::fstatat(::dirfd(d), e->d_name, &etat, 0) == 0 && S_ISREG(etat.st_mode))
            noms.emplace_back(e->d_name);
    }
    ::closedir(d);
    return noms;
}

// True when the folder holds a file whose name, shown as `nom`, is not
// written in UTF-8: a file copied from an older system. Its name cannot be
// given back to the system as it is shown.
bool NomHorsUtf8(const QString& dossier, const QString& nom) {
    for (const QByteArray& brut : FichiersBruts(dossier)) {
        const QString lu = QString::fromUtf8(brut);
        if (lu == nom && lu.toUtf8() != brut)
            return true;
    }
    return false;
}

// The size of a file of a stored study, before anything is read from it.
// "introuvable" only for a file that does not exist; any other obstacle (a
// name not in UTF-8, a file in the place of a folder, a folder that cannot
// be searched, a name too long) is named as it is.
qint64 TailleFichierEtude(const QString& chemin) {
    const QFileInfo info(chemin);
    const QString affiche = QDir::toNativeSeparators(chemin);
    if (!info.exists()) {
        if (NomHorsUtf8(info.path(), info.fileName()))
            throw ErreurFichier(chemin, QStringLiteral("Impossible de lire le fichier « %1 » : son nom n'est pas "
                                                       "écrit en UTF-8 (il vient sans doute d'un autre système). "
                                                       "Renommez les fichiers de l'étude pour l'ouvrir.")
                                            .arg(affiche));
        const int code = DiagnostiquerLecture(chemin);
        if (code == ENOENT || code == 0)
            throw ErreurFichier(chemin, QStringLiteral("Le fichier « %1 » est introuvable.").arg(affiche));
        throw ErreurFichier(chemin, QStringLiteral("Impossible de lire le fichier « %1 » : %2.")
                                        .arg(affiche, RaisonSysteme(code)));
    }
    if (!info.isFile())
        throw ErreurFichier(chemin, QStringLiteral("« %1 » n'est pas un fichier.").arg(affiche));
    return info.size();
}

// A file that changed size since it was measured is read no further.
QByteArray LireMesure(const QString& chemin, qint64 octets) {
    QByteArray contenu = LireFichier(chemin);
    if (contenu.size() != octets)
        throw ErreurEtudeEndommagee(chemin, QStringLiteral("il a changé pendant sa lecture"));
    return contenu;
}

void VerifierTailles(const QString& generales, const QString& pieces, const QString& pertes, qint64 g, qint64 p,
                     qint64 q) {
    if (g != DonneesGenerales::Longueur)
        throw ErreurEtudeEndommagee(generales, QStringLiteral("sa longueur ne correspond pas aux données générales"));
    if (p % DonneesPiece::Longueur != 0)
        throw ErreurEtudeEndommagee(pieces, QStringLiteral("sa longueur n'est pas un nombre entier de pièces"));
    if (p / DonneesPiece::Longueur > PiecesMaximumEtude)
        throw ErreurEtudeEndommagee(pieces, QStringLiteral("il contient plus de %1 pièces").arg(PiecesMaximumEtude));
    if (q % LongueurPerteCharge != 0)
        throw ErreurEtudeEndommagee(pertes,
                                    QStringLiteral("sa longueur n'est pas un nombre entier de pertes de charge"));
    if (q / LongueurPerteCharge > PiecesMaximumEtude)
        throw ErreurEtudeEndommagee(pertes,
                                    QStringLiteral("il contient plus de %1 pertes de charge").arg(PiecesMaximumEtude));
}

} // namespace

bool Catalogue::Existe(const QString& nom) const { return dossier_.Existe(nom + ExtensionPieces); }

void Catalogue::Enregistrer(const QString& nom) const {
    journal_.Copier(Copies(FichiersTravailEtude(), FichiersEtude(nom)));
}

void Catalogue::Copier(const QString& source, const QString& cible) const {
    journal_.Copier(Copies(FichiersEtude(source), FichiersEtude(cible)));
}

void Catalogue::Charger(const QString& nom) const {
    journal_.Copier(Copies(FichiersEtude(nom), FichiersTravailEtude()));
}

void Catalogue::Supprimer(const QString& nom) const {
    journal_.Copier(Copies({}, FichiersEtude(nom)));
}

Etude Catalogue::Lire(const QString& nom) const {
    const QString generales = dossier_.Chemin(nom + ExtensionGenerales);
    const QString pieces = dossier_.Chemin(nom + ExtensionPieces);
    const QString pertes = dossier_.Chemin(nom + ExtensionPertes);
    // The sizes first, every file: nothing is read from a study that could
    // not have been written.
    const qint64 tailleGenerales = TailleFichierEtude(generales);
    const qint64 taillePieces = TailleFichierEtude(pieces);
    const qint64 taillePertes = TailleFichierEtude(pertes);
    VerifierTailles(generales, pieces, pertes, tailleGenerales, taillePieces, taillePertes);
    // The extension file, when the study has one.
    const QString complements = dossier_.Chemin(nom + ExtensionComplements);
    const bool avecComplements = QFileInfo::exists(complements);
    const qint64 tailleComplements = avecComplements ? TailleFichierEtude(complements) : 0;
    if (tailleComplements > TailleMaximaleExtension)
        throw ErreurEtudeEndommagee(complements, QStringLiteral("sa taille dépasse %1 Mo")
                                                     .arg(TailleMaximaleExtension / (1024 * 1024)));

    const DonneesGenerales g = DecoderGenerales(LireMesure(generales, tailleGenerales).constData());
    std::vector<DonneesPiece> lues;
    const QByteArray p = LireMesure(pieces, taillePieces);
    for (qsizetype i = 0; i < p.size(); i += DonneesPiece::Longueur)
        lues.push_back(DecoderPiece(p.constData() + i));
    Etude etude;
    const QByteArray q = LireMesure(pertes, taillePertes);
    for (qsizetype i = 0; i < q.size(); i += LongueurPerteCharge)
        etude.Pertes.push_back(DecoderPerte(q.constData() + i));
    // Values no screen could have written: the study is refused as a whole.
    if (const auto defaut = VerifierEtude(g, lues, etude.Pertes)) {
        const QString& fichier = defaut->Fichier == FichierStocke::Generales ? generales
                                 : defaut->Fichier == FichierStocke::Pieces  ? pieces
                                                                             : pertes;
        throw ErreurEtudeEndommagee(fichier,
                                    MessageDefautEtude(*defaut, QDir::toNativeSeparators(fichier).toStdString()));
    }
    etude.Generales = VersInstallation(g);
    for (const DonneesPiece& d : lues)
        etude.Pieces.push_back(VersPiece(d));
    if (avecComplements)
        LireExtension(LireMesure(complements, tailleComplements), complements, QDir::toNativeSeparators(complements),
                      etude);
    return etude;
}

QStringList Catalogue::Etudes() const {
    try {
        journal_.Reprendre();
    } catch (const ErreurFichier&) {
        // A folder that cannot be written (a read-only disk) is still listed.
    }
    QStringList noms;
    for (const QByteArray& brut : FichiersBruts(dossier_.Chemin())) {
        // The last three characters must be "pla" exactly: Maison.PLA is not
        // a stored study. A name not in UTF-8 is listed as it decodes; opening
        // it then says why it cannot be read.
        const QString f = QString::fromUtf8(brut);
        if (f.size() > 4 && f.endsWith(QStringLiteral("pla"), Qt::CaseSensitive))
            noms.append(f.chopped(4));
    }
    // The folder gives its names in no useful order.
    QCollator ordre(QLocale(QLocale::French, QLocale::France));
    ordre.setNumericMode(true);
    std::sort(noms.begin(), noms.end(), [&](const QString& a, const QString& b) {
        const int c = ordre.compare(a, b);
        // Names the collation holds equal keep one order: their code points.
        return c != 0 ? c < 0 : a < b;
    });
    return noms;
}

} // namespace sorvel
