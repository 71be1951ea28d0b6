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

constexpr EtapeEnregistrement Ecrit[] = {EtapeEnregistrement::PiecesEcrit, EtapeEnregistrement::PertesEcrit,
                                         EtapeEnregistrement::GeneralesEcrit};
constexpr EtapeEnregistrement Remplace[] = {EtapeEnregistrement::PiecesRemplace, EtapeEnregistrement::PertesRemplace,
                                            EtapeEnregistrement::GeneralesRemplace};

} // namespace

void Journal::Etape(EtapeEnregistrement etape) const {
    if (suivi_)
        suivi_(etape);
}

// Written aside and synced, then renamed into place: the journal exists
// whole or not at all.
void Journal::EcrireJournal(const TroisFichiers& cibles) const {
    QByteArray texte;
    for (const QString& cible : cibles)
        texte += cible.toUtf8() + '\n';
    texte += FinJournal + '\n';
    FichierNeuf neuf(dossier_.Chemin(FichierJournal));
    neuf.Ecrire(texte);
    neuf.Fermer(true);
    Etape(EtapeEnregistrement::JournalEcrit);
    neuf.Valider();
    dossier_.Synchroniser();
}

void Journal::Copier(const TroisFichiers& sources, const TroisFichiers& cibles) const {
    Reprendre();
    std::array<QByteArray, 3> contenus;
    for (std::size_t i = 0; i < 3; ++i) {
        const QString source = dossier_.Chemin(sources[i]);
        contenus[i] = QFileInfo::exists(source) ? LireFichier(source) : QByteArray();
    }
    std::array<std::unique_ptr<FichierNeuf>, 3> neufs;
    try {
        for (std::size_t i = 0; i < 3; ++i) {
            neufs[i] = std::make_unique<FichierNeuf>(dossier_.Chemin(cibles[i]));
            neufs[i]->Ecrire(contenus[i]);
            neufs[i]->Fermer(true);
            Etape(Ecrit[i]);
        }
        dossier_.Synchroniser();
        EcrireJournal(cibles);
    } catch (const ErreurFichier&) {
        for (const QString& cible : cibles)
            QFile::remove(dossier_.Chemin(cible) + SuffixeNouveau);
        QFile::remove(dossier_.Chemin(FichierJournal) + SuffixeNouveau);
        QFile::remove(dossier_.Chemin(FichierJournal));
        throw;
    }
    Etape(EtapeEnregistrement::JournalEnPlace);
    // Decided: from here a failure is finished by the next Reprendre.
    for (std::size_t i = 0; i < 3; ++i) {
        neufs[i]->Valider();
        Etape(Remplace[i]);
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
                const QString cible = QString::fromUtf8(lignes[i]);
                if (!NomDeFichierSimple(cible))
                    continue;
                const QString neuf = dossier_.Chemin(cible) + SuffixeNouveau;
                // A file already renamed has no new file left.
                errno = 0;
                if (QFileInfo::exists(neuf) && !RenommerPar(neuf, dossier_.Chemin(cible)))
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
