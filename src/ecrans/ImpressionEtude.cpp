#include "ecrans/ImpressionEtude.h"

#include "ihm/BoiteMessage.h"
#include "ihm/PosteImpression.h"
#include "modele/EtudeEnCours.h"
#include "rapports/ExportPdf.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

namespace sorvel {

namespace {

const QString TitreImpression = QStringLiteral("Impression.");

QString NomEtude(const DonneesRapport& donnees) { return QString::fromStdString(donnees.NomEtude); }

// While it lives the pointer says the program is busy.
class CurseurOccupe {
public:
    CurseurOccupe() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurOccupe() { QApplication::restoreOverrideCursor(); }
    CurseurOccupe(const CurseurOccupe&) = delete;
    CurseurOccupe& operator=(const CurseurOccupe&) = delete;
};

// Every page of `mise` at scale 1 on `imprimante`, a new sheet between two.
// A long report takes a moment: meanwhile the pointer says the program is
// busy and a dialog, which holds the window, counts the pages off. False
// when the printer refused the document.
bool ImprimerPages(QWidget* parent, QPrinter& imprimante, const ModImprimer& mise) {
    CurseurOccupe occupe;
    const int pages = mise.NombrePages();
    QProgressDialog progression(QStringLiteral("Impression du rapport..."), QString(), 0, pages, parent);
    progression.setObjectName(QStringLiteral("Progression"));
    progression.setWindowTitle(TitreImpression);
    progression.setWindowModality(Qt::WindowModal);
    progression.setMinimumDuration(0);
    progression.show();
    QCoreApplication::processEvents();

    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return false;
    for (int page = 1; page <= pages; ++page) {
        progression.setLabelText(QStringLiteral("Impression de la page %1 sur %2...").arg(page).arg(pages));
        if (page > 1 && !imprimante.newPage()) {
            peintre.end();
            return false;
        }
        mise.DessinerPage(peintre, page, 1.0);
        progression.setValue(page);
        QCoreApplication::processEvents();
    }
    return peintre.end();
}

} // namespace

QString NomFichierPdf(const QString& etude, Rapport rapport) {
    switch (rapport) {
    case Rapport::Chantier: return etude + QStringLiteral(" - résultats chantier.pdf");
    case Rapport::Recapitulatif: return etude + QStringLiteral(" - récapitulatif.pdf");
    case Rapport::Deperditions: return etude + QStringLiteral(" - déperditions.pdf");
    case Rapport::Reglage: break;
    }
    return etude + QStringLiteral(" - fiche de réglage.pdf");
}

std::optional<DonneesRapport> ImpressionEtude::DonneesAImprimer(Rapport rapport) {
    if (!etude_.PeutImprimer())
        return std::nullopt;
    std::optional<EtudeRecalculee> etude = etude_.RecalculerEtude();
    if (!etude)
        return std::nullopt;
    DonneesRapport donnees;
    donnees.NomEtude = etude_.Nom().toStdString();
    donnees.Date = QDate::currentDate();
    donnees.Generales = etude_.Generales();
    donnees.Resultat = std::move(etude->Resultat);
    donnees.Materiel = std::move(etude->Materiel);
    donnees.Collecteurs = std::move(etude->Collecteurs);
    donnees.Renseignements = etude_.Renseignements();
    const std::optional<std::vector<Piece>> pieces = etude_.Pieces();
    if (!pieces)
        return std::nullopt;
    try {
        donnees.Deperditions = CalculerDeperditionsEtude(etude_.Climat(), *pieces);
    } catch (const ErreurCalculEtude& e) {
        // The other reports print no losses: only the losses report stops.
        if (rapport == Rapport::Deperditions) {
            etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Calcul impossible."), QString::fromUtf8(e.what()));
            return std::nullopt;
        }
    }
    if (rapport == Rapport::Deperditions)
        if (const std::optional<std::string> refus = RefusRapportDeperditions(donnees.Deperditions)) {
            etude_.Dire(IconeMessage::Aucune, TitreImpression, QString::fromStdString(*refus));
            return std::nullopt;
        }
    return donnees;
}

bool ImpressionEtude::Imprimer(QWidget* parent, const DonneesRapport& donnees, Rapport rapport) {
    std::unique_ptr<QPrinter> imprimante = Poste().ImprimanteParDefaut();
    if (!imprimante)
        return EnregistrerPdf(parent, donnees, rapport);
    // The routines place everything from the sheet's corner, margins
    // included.
    imprimante->setFullPage(true);
    imprimante->setPageOrientation(QPageLayout::Portrait);
    imprimante->setCreator(QStringLiteral("Sorvel"));
    const ModImprimer mise(donnees, rapport, imprimante->pageLayout().fullRect(QPageLayout::Point).size());
    imprimante->setDocName(QStringLiteral("Sorvel. [%1] - %2").arg(NomEtude(donnees), mise.Titre()));
    if (ImprimerPages(parent, *imprimante, mise))
        return true;
    Message(parent, IconeMessage::Exclamation, TitreImpression,
            QStringLiteral("L'imprimante « %1 » n'a pas pu imprimer le rapport.").arg(imprimante->printerName()));
    return false;
}

bool ImpressionEtude::EnregistrerPdf(QWidget* parent, const DonneesRapport& donnees, Rapport rapport) {
    const QString fichier = Poste().ChoisirFichierPdf(
        parent, QStringLiteral("Aucune imprimante installée : enregistrer le rapport en PDF"),
        etude_.CheminExportPropose(NomFichierPdf(NomEtude(donnees), rapport)));
    if (fichier.isEmpty())
        return false;
    std::optional<QByteArray> document;
    {
        CurseurOccupe occupe;
        document = DocumentPdf(donnees, rapport);
    }
    return etude_.EcrireDocument(fichier, document);
}

} // namespace sorvel
