#include "Pdf.h"

#include "rapports/ExportPdf.h"
#include "rapports/ModImprimer.h"

#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>

using namespace sorvel;

namespace {

// Qt's own notes (a missing runtime folder...) would clutter a batch run;
// only its errors are shown.
void MessagesQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "sorvel-calcul : %s\n", message.toLocal8Bit().constData());
}

void Erreur(const QString& message) {
    const QByteArray texte = ("sorvel-calcul : " + message + "\n").toUtf8();
    std::fwrite(texte.constData(), 1, static_cast<std::size_t>(texte.size()), stderr);
}

} // namespace

bool RapportConnu(std::string_view nom) { return nom == "chantier" || nom == "recapitulatif"; }

int EcrireRapportPdf(const OptionPdf& option, const std::string& nom, const Installation& generales,
                     const EtudeRecalculee& etude, int argc, char** argv) {
    const ResultatEtude& resultat = etude.Resultat;
    constexpr int SortieRienAImprimer = 3;
    if (resultat.Table.NombrePieces() == 0) {
        Erreur(QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"));
        return SortieRienAImprimer;
    }

    // Fonts and the PDF writer need a GUI application, not a screen: the
    // report is drawn off screen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(MessagesQt);
    QGuiApplication application(argc, argv);

    DonneesRapport donnees{.NomEtude = nom, .Date = QDate::currentDate(), .Generales = generales,
                           .Resultat = resultat, .Materiel = etude.Materiel};
    const Rapport rapport = option.rapport == "chantier" ? Rapport::Chantier : Rapport::Recapitulatif;
    QString erreur;
    if (!EcrirePdf(donnees, rapport, QFile::decodeName(option.sortie.c_str()), &erreur)) {
        Erreur(erreur);
        return SortiePdf;
    }
    return 0;
}
