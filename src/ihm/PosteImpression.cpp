#include "ihm/PosteImpression.h"

#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace sorvel {

namespace {

// The printer the system prints to by default; when none is marked as the
// default but some are installed, the first of them.
QPrinterInfo ImprimanteSysteme() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> toutes = QPrinterInfo::availablePrinters();
        if (!toutes.isEmpty())
            info = toutes.first();
    }
    return info;
}

class PosteSysteme : public PosteImpression {
public:
    std::unique_ptr<QPrinter> ImprimanteParDefaut() override {
        const QPrinterInfo info = ImprimanteSysteme();
        if (info.isNull())
            return nullptr;
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }

    QPageSize Papier() override {
        const QPrinterInfo info = ImprimanteSysteme();
        const QPageSize taille = info.isNull() ? QPageSize() : info.defaultPageSize();
        return taille.isValid() ? taille : QPageSize(QPageSize::A4);
    }

    QString ChoisirFichierPdf(QWidget* parent, const QString& titre, const QString& proposition) override {
        QString chemin = QFileDialog::getSaveFileName(parent, titre, proposition,
                                                      QStringLiteral("Documents PDF (*.pdf)"));
        if (!chemin.isEmpty() && !chemin.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            chemin += QStringLiteral(".pdf");
        return chemin;
    }
};

PosteImpression* installe = nullptr;

} // namespace

PosteImpression& Poste() {
    static PosteSysteme systeme;
    return installe ? *installe : systeme;
}

void InstallerPosteImpression(PosteImpression* poste) { installe = poste; }

} // namespace sorvel
