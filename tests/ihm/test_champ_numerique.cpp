#include "ihm/ChampNumerique.h"

#include <QApplication>
#include <QClipboard>
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

// Typed key by key, or pasted, into a field holding "0", selected (a fresh
// field): pasted text goes through the same French reading as typed text.
TEST(ChampNumerique, FrappeEtCollage) {
    const struct {
        const char* texte;
        const char* affiche;
        bool colle;
    } cas[] = {
        {"12.5", "12,5", false}, // the point becomes the French comma
        {"12,5", "12,5", false},
        {"3.", "3,", false},     // "3," is already a number: nothing is replaced
        {"0.75", "0,75", false},
        {"1.2.3", "3", false},   // a second separator gives a selected "0", which "3" replaces
        {"abc", "0", false},     // each letter is replaced by "0" at once
        {"4a", "0", false},
        {"12.5", "12,5", true},
        {"12,5", "12,5", true},
        {"1.2.3", "0", true},
        {"douze", "0", true},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(std::string(k.colle ? "collé " : "tapé ") + k.texte);
        Fenetre f;
        f.champ->setText(QStringLiteral("0"));
        f.entrer();
        if (k.colle) {
            QApplication::clipboard()->setText(QString::fromUtf8(k.texte));
            QTest::keyClick(f.champ, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(f.champ, QString::fromUtf8(k.texte));
        }
        EXPECT_EQ(f.champ->text(), QString::fromUtf8(k.affiche));
    }
}

// Thousands typed the French way, key by key: every text on the way ("1 8"
// before "1 850") is a number already, so nothing is replaced by "0". A
// space where no thousands can be ("1 ,5", "1, 5") is not a number.
TEST(ChampNumerique, MilliersTapesTouchePartouche) {
    const QString insecable(QChar(0x00A0)), fine(QChar(0x202F));
    const struct {
        QString texte;
        double valeur;
    } cas[] = {
        {QStringLiteral("1 850"), 1850},
        {QStringLiteral("1 850,5"), 1850.5},
        {QStringLiteral("12 345 678"), 12345678},
        {QStringLiteral("1") + insecable + QStringLiteral("850"), 1850},
        {QStringLiteral("2") + fine + QStringLiteral("500.25"), 2500.25},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.texte.toStdString());
        Fenetre f;
        f.champ->setText(QStringLiteral("0"));
        f.entrer();
        QString attendu;
        for (const QChar c : k.texte) {
            // A no-break space has no key of its own here: sent as typed text.
            QTest::sendKeyEvent(QTest::Click, f.champ, c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
            attendu += c == QLatin1Char('.') ? QLatin1Char(',') : c;
            ASSERT_EQ(f.champ->text(), attendu);
        }
        ASSERT_TRUE(f.champ->valeur());
        EXPECT_DOUBLE_EQ(*f.champ->valeur(), k.valeur);
    }
    // The text stops being a number at the misplaced space or at the digit
    // after it: a selected "0" takes its place, and 1,5 is never read.
    for (const char* refuse : {"1 ,5", "1, 5"}) {
        SCOPED_TRACE(refuse);
        Fenetre f;
        f.entrer();
        QTest::keyClicks(f.champ, QString::fromLatin1(refuse));
        EXPECT_NE(f.champ->text(), QString::fromLatin1(refuse));
        EXPECT_NE(f.champ->valeur(), std::optional<double>(1.5));
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

// Every change is announced, whether typed or set by the program; a text
// that was not a number and became "0" counts once.
TEST(ChampNumerique, ChaqueChangementEstAnnonce) {
    Fenetre f;
    f.champ->setText(QStringLiteral("5"));
    EXPECT_EQ(f.changements, 1);
    f.entrer();
    QTest::keyClicks(f.champ, QStringLiteral("2.5")); // replaces the selection
    EXPECT_EQ(f.changements, 4);
    f.champ->setText(QStringLiteral("x"));
    EXPECT_EQ(f.changements, 5);
    EXPECT_EQ(f.champ->text(), QStringLiteral("0"));
}

TEST(ChampNumerique, Valeur) {
    ChampNumerique c;
    c.definirValeur(12.5);
    EXPECT_EQ(c.text(), QStringLiteral("12,5"));
    ASSERT_TRUE(c.valeur());
    EXPECT_DOUBLE_EQ(*c.valeur(), 12.5);
    c.definirValeur(12);
    EXPECT_EQ(c.text(), QStringLiteral("12"));
}

// A field that takes negative values lets "-5" be typed key by key; any
// other text that is no number is still replaced, and an ordinary field
// refuses the lone sign.
TEST(ChampNumerique, MoinsSeulPourUneValeurNegative) {
    const struct {
        bool moinsSeul;
        const char* frappe;
        const char* affiche;
    } cas[] = {
        {true, "-", "-"}, {true, "-5", "-5"}, {true, "-2.5", "-2,5"}, {true, "-a", "0"},
        {true, "+", "0"}, {false, "-", "0"}, {false, "-5", "5"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(std::string(k.moinsSeul ? "moins seul accepté, " : "ordinaire, ") + k.frappe);
        Fenetre f;
        f.champ->accepterMoinsSeul(k.moinsSeul);
        f.entrer();
        QTest::keyClicks(f.champ, QString::fromUtf8(k.frappe));
        EXPECT_EQ(f.champ->text(), QString::fromUtf8(k.affiche));
    }
    Fenetre f;
    f.champ->accepterMoinsSeul(true);
    f.champ->setText(QStringLiteral("-"));
    EXPECT_FALSE(f.champ->valeur().has_value());
}
