#include "rapports/ExportPdf.h"

#include <QBuffer>
#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace sorvel {

namespace {
// Fine enough that no position of the layout is rounded visibly.
constexpr int ResolutionPdf = 1200;
} // namespace

std::optional<QByteArray> DocumentPdf(const DonneesRapport& donnees, Rapport rapport, QString* erreur) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    const ModImprimer mise(donnees, rapport, TailleA4());
    QPdfWriter pdf(&tampon);
    pdf.setResolution(ResolutionPdf);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(QStringLiteral("Sorvel. [%1] - %2").arg(QString::fromStdString(donnees.NomEtude), mise.Titre()));
    pdf.setCreator(QStringLiteral("Sorvel"));
    QPainter peintre;
    const auto echec = [&](const char* cause) -> std::optional<QByteArray> {
        if (erreur)
            *erreur = QString::fromUtf8(cause);
        return std::nullopt;
    };
    if (!peintre.begin(&pdf))
        return echec("le document ne peut pas être commencé");
    mise.DessinerToutesLesPages(peintre, pdf);
    if (!peintre.end())
        return echec("le document ne peut pas être terminé");
    return octets;
}

bool EcrirePdf(const DonneesRapport& donnees, Rapport rapport, const QString& chemin, QString* erreur) {
    const auto echec = [&](const QString& cause) {
        if (erreur)
            *erreur = QStringLiteral("Le fichier « %1 » ne peut pas être écrit : %2.")
                          .arg(QDir::toNativeSeparators(chemin), cause);
        return false;
    };
    // Written beside the target under another name, renamed when complete.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return echec(fichier.errorString());

    const ModImprimer mise(donnees, rapport, TailleA4());
    {
        QPdfWriter pdf(&fichier);
        pdf.setResolution(ResolutionPdf);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QStringLiteral("Sorvel. [%1] - %2").arg(QString::fromStdString(donnees.NomEtude), mise.Titre()));
        pdf.setCreator(QStringLiteral("Sorvel"));
        QPainter peintre;
        if (!peintre.begin(&pdf)) {
            fichier.cancelWriting();
            return echec(QStringLiteral("le document ne peut pas être commencé"));
        }
        mise.DessinerToutesLesPages(peintre, pdf);
        if (!peintre.end()) {
            fichier.cancelWriting();
            return echec(QStringLiteral("le document ne peut pas être terminé"));
        }
    }
    if (!fichier.commit())
        return echec(fichier.errorString());
    return true;
}

} // namespace sorvel
