#include "Pdf.h"

#include "ModulePdf.h"

#include "stockage/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>
#include <cstdio>
#include <iterator>

using namespace sorvel;

namespace {

void Erreur(const QString& message) {
    const QByteArray texte = ("sorvel-calcul : " + message + "\n").toUtf8();
    std::fwrite(texte.constData(), 1, static_cast<std::size_t>(texte.size()), stderr);
}

// The folder of the program itself, whatever link it was started through
// (the launcher in bin leads to lib/sorvel).
QString DossierProgramme() { return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath(); }

// The module's entry point; nothing, with a message, when the module is
// missing or unusable.
FonctionDocumentPdf* ModulePdf(const QString& sortie) {
    const QString chemin = DossierProgramme() + '/' + QLatin1String(FichierModulePdf);
    QLibrary module(chemin);
    if (auto* fonction = reinterpret_cast<FonctionDocumentPdf*>(module.resolve(SymboleDocumentPdf)))
        return fonction;
    Erreur(QStringLiteral("Le fichier « %1 » ne peut pas être écrit : le module d'impression « %2 » est %3.")
               .arg(QDir::toNativeSeparators(sortie), chemin,
                    QFileInfo::exists(chemin) ? QStringLiteral("inutilisable") : QStringLiteral("absent")));
    return nullptr;
}

} // namespace

bool RapportConnu(std::string_view nom) {
    return std::find(std::begin(NomsRapports), std::end(NomsRapports), nom) != std::end(NomsRapports);
}

int EcrireRapportPdf(const OptionPdf& option, const std::string& nom, const Installation& generales,
                     const EtudeRecalculee& etude, const DeperditionsEtude& deperditions,
                     const RenseignementsEtude& renseignements, int argc, char** argv) {
    constexpr int SortieRienAImprimer = 3;
    if (etude.Resultat.Table.NombrePieces() == 0) {
        Erreur(QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"));
        return SortieRienAImprimer;
    }
    if (option.rapport == "deperditions")
        if (const std::optional<std::string> refus = RefusRapportDeperditions(deperditions)) {
            Erreur(QString::fromStdString(*refus));
            return SortieRienAImprimer;
        }
    const QString sortie = QFile::decodeName(option.sortie.c_str());
    FonctionDocumentPdf* document = ModulePdf(sortie);
    if (!document)
        return SortiePdf;
    const DemandePdf demande{.rapport = option.rapport, .nom = nom, .generales = &generales, .etude = &etude,
                             .deperditions = &deperditions, .renseignements = &renseignements, .argc = &argc,
                             .argv = argv};
    QByteArray octets;
    QString erreur;
    if (!document(demande, octets, erreur)) {
        Erreur(QStringLiteral("Le fichier « %1 » ne peut pas être écrit : %2.")
                   .arg(QDir::toNativeSeparators(sortie), erreur));
        return SortiePdf;
    }
    try {
        // Written beside its place and renamed over it once whole.
        EcrireFichierComplet(sortie, octets);
    } catch (const ErreurFichier& e) {
        Erreur(e.messageFrancais());
        return SortiePdf;
    }
    return 0;
}
