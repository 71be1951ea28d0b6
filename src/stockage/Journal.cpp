#include "stockage/Journal.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <memory>

namespace sorvel {

namespace {

// The journal's last line: a journal without it is not one.
const QByteArray FinJournal = QByteArrayLiteral("fin");

// A file name the journal may hold: a name in the folder, nothing more.
bool NomDeFichierSimple(const QString& nom) {
    return !nom.isEmpty() && nom != QStringLiteral(".") && nom != QStringLiteral("..") &&
           !nom.contains(QLatin1Char('/')) && !nom.contains(QChar(0));
}

// A journal line naming a target that must disappear: no file name holds a
// '/', so no such line names a target to replace. A program that knows only
// targets to replace passes over it.
const QByteArray PrefixeSuppression = QByteArrayLiteral("supprimer/");

} // namespace

void Journal::Etape(EtapeEnregistrement etape) const {
    if (suivi_)
        suivi_(etape);
}

// Written aside and synced, then renamed into place: the journal exists
// whole or not at all.
void Journal::EcrireJournal(const FichiersEnregistres& fichiers, const std::vector<bool>& supprimes) const {
    QByteArray texte;
    for (std::size_t i = 0; i < fichiers.size(); ++i)
        texte += (supprimes[i] ? PrefixeSuppression : QByteArray()) + fichiers[i].cible.toUtf8() + '\n';
    texte += FinJournal + '\n';
    FichierNeuf neuf(dossier_.Chemin(FichierJournal));
    neuf.Ecrire(texte);
    neuf.Fermer(true);
    Etape(EtapeEnregistrement::JournalEcrit);
    neuf.Valider();
    dossier_.Synchroniser();
}

void Journal::Copier(const FichiersEnregistres& fichiers) const {
    Reprendre();
    std::vector<QByteArray> contenus(fichiers.size());
    std::vector<bool> supprimes(fichiers.size(), false);
    for (std::size_t i = 0; i < fichiers.size(); ++i) {
        const QString source = dossier_.Chemin(fichiers[i].source);
        if (!fichiers[i].source.isEmpty() && QFileInfo::exists(source))
            contenus[i] = LireFichier(source);
        else
            supprimes[i] = fichiers[i].facultatif;
    }
    std::vector<std::unique_ptr<FichierNeuf>> neufs(fichiers.size());
    try {
        for (std::size_t i = 0; i < fichiers.size(); ++i) {
            if (supprimes[i]) {
                // A folder in its place would stop the store once decided,
                // and every store after it.
                if (QFileInfo(dossier_.Chemin(fichiers[i].cible)).isDir())
                    EchecFichier("de supprimer", dossier_.Chemin(fichiers[i].cible), EISDIR);
                continue;
            }
            neufs[i] = std::make_unique<FichierNeuf>(dossier_.Chemin(fichiers[i].cible));
            neufs[i]->Ecrire(contenus[i]);
            neufs[i]->Fermer(true);
            Etape(EtapeEnregistrement::FichierEcrit);
        }
        dossier_.Synchroniser();
        EcrireJournal(fichiers, supprimes);
    } catch (const ErreurFichier&) {
        for (const FichierEnregistre& f : fichiers)
            QFile::remove(dossier_.Chemin(f.cible) + SuffixeNouveau);
        QFile::remove(dossier_.Chemin(FichierJournal) + SuffixeNouveau);
        QFile::remove(dossier_.Chemin(FichierJournal));
        throw;
    }
    Etape(EtapeEnregistrement::JournalEnPlace);
    // Decided: from here a failure is finished by the next Reprendre.
    for (std::size_t i = 0; i < fichiers.size(); ++i) {
        if (neufs[i])
            neufs[i]->Valider();
        else
            dossier_.SupprimerFichier(fichiers[i].cible);
        Etape(EtapeEnregistrement::FichierRemplace);
    }
    dossier_.Synchroniser();
    const QString journal = dossier_.Chemin(FichierJournal);
    errno = 0;
    if (!QFile::remove(journal))
        EchecFichier("de supprimer", journal, errno);
    dossier_.Synchroniser();
    Etape(EtapeEnregistrement::Termine);
}

void Journal::Reprendre() const {
    const QString journal = dossier_.Chemin(FichierJournal);
    const bool journalTraite = QFileInfo(journal).isFile();
    if (journalTraite) {
        const QList<QByteArray> lignes = LireFichier(journal).split('\n');
        // Lines: the targets, then "fin", then nothing after the last line break.
        const bool entier = lignes.size() >= 3 && lignes.back().isEmpty() && lignes[lignes.size() - 2] == FinJournal;
        if (entier) {
            for (qsizetype i = 0; i + 2 < lignes.size(); ++i) {
                const bool supprimer = lignes[i].startsWith(PrefixeSuppression);
                const QString cible =
                    QString::fromUtf8(supprimer ? lignes[i].mid(PrefixeSuppression.size()) : lignes[i]);
                if (!NomDeFichierSimple(cible))
                    continue;
                const QString neuf = dossier_.Chemin(cible) + SuffixeNouveau;
                // A file already renamed has no new file left; one already
                // removed is no error.
                errno = 0;
                if (supprimer)
                    dossier_.SupprimerFichier(cible);
                else if (QFileInfo::exists(neuf) && !RenommerPar(neuf, dossier_.Chemin(cible)))
                    EchecFichier("de terminer l'enregistrement dans", dossier_.Chemin(cible), errno);
            }
            dossier_.Synchroniser();
        }
        errno = 0;
        if (!QFile::remove(journal))
            EchecFichier("de supprimer", journal, errno);
    }
    // What an undecided store or an interrupted rewrite left aside.
    const QStringList restes = QDir(dossier_.Chemin())
                                   .entryList({QStringLiteral("*") + SuffixeNouveau},
                                              QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& reste : restes)
        QFile::remove(dossier_.Chemin(reste));
    if (!restes.isEmpty() || journalTraite)
        dossier_.Synchroniser();
}

} // namespace sorvel
