#include "ihm/ChampNumerique.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace sorvel;

namespace {

// A field in a window of its own, shown and active so that it can have the focus.
struct Fenetre {
    QWidget fenetre;
    ChampNumerique* champ;
    QLineEdit* autre;
    int changements = 0;
    Fenetre() {
        auto* l = new QVBoxLayout(&fenetre);
        champ = new ChampNumerique(QStringLiteral("TxtSurface_0"), QStringLiteral("Surface"), &fenetre);
        autre = new QLineEdit(&fenetre);
        l->addWidget(champ);
        l->addWidget(autre);
        QObject::connect(champ, &ChampNumerique::modifie, [this] { ++changements; });
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
    }
    // The user tabs into the field from the other one.
    void entrer() {
        autre->setFocus(Qt::TabFocusReason);
        champ->setFocus(Qt::TabFocusReason);
    }
};

} // namespace

// Each case of frappes.tsv, beside this file, in a fresh field.
TEST(ChampNumerique, FrappesDuFichier) {
    QFile fichier(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("frappes.tsv")));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
    int cas = 0;
    while (!fichier.atEnd()) {
        QString ligne = QString::fromUtf8(fichier.readLine()).chopped(1);
        ligne.replace(QStringLiteral("{nbsp}"), QChar(0x00A0)).replace(QStringLiteral("{fine}"), QChar(0x202F));
        const QStringList c = ligne.split(QLatin1Char('\t'));
        if (ligne.startsWith(QLatin1Char('#')) || c.size() != 5)
            continue;
        ++cas;
        SCOPED_TRACE((c[0] + QLatin1Char(' ') + c[2]).toStdString());
        Fenetre f;
        f.champ->accepterMoinsSeul(c[1] == QStringLiteral("oui"));
        f.champ->setText(QStringLiteral("0"));
        f.entrer();
        if (c[0] == QStringLiteral("colle")) {
            QApplication::clipboard()->setText(c[2]);
            QTest::keyClick(f.champ, Qt::Key_V, Qt::ControlModifier);
        } else if (c[0] == QStringLiteral("touche")) {
            for (const QChar t : c[2])
                QTest::sendKeyEvent(QTest::Click, f.champ, t == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown,
                                    QString(t), Qt::NoModifier);
        } else {
            QTest::keyClicks(f.champ, c[2]);
        }
        EXPECT_EQ(f.champ->text(), c[3]);
        EXPECT_EQ(f.champ->valeur(), c[4] == QStringLiteral("-") ? std::nullopt : std::optional(c[4].toDouble()));
    }
    EXPECT_EQ(cas, 23);
    // A space where no thousands can be is no number: 1,5 is never read.
    for (const char* refuse : {"1 ,5", "1, 5"}) {
        Fenetre f;
        f.entrer();
        QTest::keyClicks(f.champ, QString::fromLatin1(refuse));
        EXPECT_NE(f.champ->valeur(), std::optional<double>(1.5)) << refuse;
    }
}

TEST(ChampNumerique, VideDevientZeroSelectionne) {
    Fenetre f;
    f.champ->setText(QStringLiteral("45"));
    f.entrer();
    f.champ->setCursorPosition(2);
    QTest::keyClick(f.champ, Qt::Key_Backspace);
    EXPECT_EQ(f.champ->text(), QStringLiteral("4"));
    QTest::keyClick(f.champ, Qt::Key_Backspace);
    EXPECT_EQ(f.champ->text(), QStringLiteral("0"));
    EXPECT_EQ(f.champ->selectedText(), QStringLiteral("0"));
    // The next key replaces the "0".
    QTest::keyClick(f.champ, Qt::Key_7);
    EXPECT_EQ(f.champ->text(), QStringLiteral("7"));
}

TEST(ChampNumerique, FocusSelectionneTout) {
    Fenetre f;
    f.champ->setText(QStringLiteral("123,5"));
    f.autre->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.autre, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(f.champ->hasFocus());
    EXPECT_EQ(f.champ->selectedText(), QStringLiteral("123,5"));

    // By a click too: the release that follows does not undo the selection.
    f.autre->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(f.champ, Qt::LeftButton, {}, QPoint(4, f.champ->height() / 2));
    ASSERT_TRUE(f.champ->hasFocus());
    EXPECT_EQ(f.champ->selectedText(), QStringLiteral("123,5"));
    // A second click, with the focus already there, places the cursor.
    QTest::mouseClick(f.champ, Qt::LeftButton, {}, QPoint(4, f.champ->height() / 2));
    EXPECT_EQ(f.champ->selectedText(), QString());
}

