// The PDF module of sorvel-calcul (ModulePdf.h): the only part of the tool
// that needs Qt Gui.

#include "ModulePdf.h"

#include "rapports/ExportPdf.h"

#include <QDate>
#include <QGuiApplication>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iterator>
#include <type_traits>

using namespace sorvel;

namespace {

// Qt's own notes (a missing runtime folder...) would clutter a batch run;
// only its errors are shown.
void MessagesQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "sorvel-calcul : %s\n", message.toLocal8Bit().constData());
}

} // namespace

extern "C" Q_DECL_EXPORT bool sorvel_calcul_document_pdf(const DemandePdf& demande, QByteArray& octets,
                                                         QString& erreur) {
    static_assert(std::is_same_v<decltype(sorvel_calcul_document_pdf), FonctionDocumentPdf>);
    static_assert(std::size(NomsRapports) == NombreRapports);
    try {
        // Fonts and the PDF writer need a GUI application, not a screen: the
        // report is drawn off screen unless the caller chose a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(MessagesQt);
        QGuiApplication application(*demande.argc, demande.argv);
        const DonneesRapport donnees{.NomEtude = demande.nom, .Date = QDate::currentDate(),
                                     .Generales = *demande.generales, .Resultat = demande.etude->Resultat,
                                     .Materiel = demande.etude->Materiel, .Deperditions = *demande.deperditions,
                                     .Collecteurs = demande.etude->Collecteurs,
                                     .Renseignements = *demande.renseignements};
        const auto nom = std::find(std::begin(NomsRapports), std::end(NomsRapports), demande.rapport);
        if (nom == std::end(NomsRapports)) {
            erreur = QStringLiteral("le rapport « %1 » n'existe pas").arg(QString::fromStdString(demande.rapport));
            return false;
        }
        const auto rapport = static_cast<Rapport>(nom - std::begin(NomsRapports));
        const auto document = DocumentPdf(donnees, rapport, &erreur);
        if (!document)
            return false;
        octets = *document;
        return true;
    } catch (const std::exception& e) {
        erreur = QString::fromLocal8Bit(e.what());
        return false;
    }
}
