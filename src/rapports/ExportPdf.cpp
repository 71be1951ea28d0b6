#include "rapports/ExportPdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

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

} // namespace sorvel
