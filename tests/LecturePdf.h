#pragma once

// A PDF file the program wrote, read back with poppler's tools: its page
// count, its sheet and the text of one page.

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace sorvel::test {

// The standard output of `programme`, or nothing with a test failure.
inline QString Lancer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programme.toStdString() << " a échoué : " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int PagesPdf(const QString& chemin) {
    const auto m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
                       .match(Lancer(QStringLiteral("pdfinfo"), {chemin}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The lines of a page as pdftotext reads them, every run of spaces made
// one: laid out as on the sheet ("-layout", for the tables), or in the order
// they were drawn ("-raw").
inline QStringList LignesPage(const QString& chemin, int page, const QString& mode = QStringLiteral("-layout")) {
    const QString n = QString::number(page);
    const QString texte = Lancer(QStringLiteral("pdftotext"),
                                 {mode, QStringLiteral("-f"), n, QStringLiteral("-l"), n, chemin, QStringLiteral("-")});
    QStringList lignes;
    for (const QString& l : texte.split(QLatin1Char('\n'))) {
        const QString simple = l.simplified();
        if (!simple.isEmpty())
            lignes << simple;
    }
    return lignes;
}

// The whole text of a page on one line.
inline QString TextePage(const QString& chemin, int page) { return LignesPage(chemin, page).join(QLatin1Char(' ')); }

} // namespace sorvel::test
