#pragma once

// Where the printed reports go: the system's default printer, or, when there
// is none, a PDF file the user names in a save dialog. Both go through this
// small interface, so that tests can stand in for the printer and the
// dialog (no printer is installed where they run, and no dialog may block).

#include <QPageSize>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace sorvel {

class PosteImpression {
public:
    virtual ~PosteImpression() = default;
    // The system's default printer, ready to be drawn on; nullptr when no
    // printer is installed.
    virtual std::unique_ptr<QPrinter> ImprimanteParDefaut() = 0;
    // The paper the default printer takes; A4 when there is no printer (the
    // PDF files are A4).
    virtual QPageSize Papier() = 0;
    // The save dialog titled `titre`, proposing the full path `proposition`:
    // the file chosen, ending in ".pdf", or empty when the user gave up.
    virtual QString ChoisirFichierPdf(QWidget* parent, const QString& titre, const QString& proposition) = 0;
};

// The one in use: the system's printers and the file dialog unless a test
// installed its own.
PosteImpression& Poste();
// Installs `poste` (not owned) in place of the real one; nullptr restores it.
void InstallerPosteImpression(PosteImpression* poste);

} // namespace sorvel
