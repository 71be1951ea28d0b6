// A screen's check of its number fields: the first refused field shows the
// message and gets the user back, its text selected.

#include "Gestes.h"
#include "ihm/ChampNumerique.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <vector>

using namespace sorvel;

TEST(ControlerChamps, PremierChampRefuse) {
    QWidget ecran;
    auto* l = new QVBoxLayout(&ecran);
    auto* a = new ChampNumerique(QStringLiteral("TxtA"), QStringLiteral("Surface"), &ecran);
    auto* b = new ChampNumerique(QStringLiteral("TxtB"), QStringLiteral("Longueur"), &ecran);
    auto* c = new ChampNumerique(QStringLiteral("TxtC"), QStringLiteral("Puissance"), &ecran);
    for (ChampNumerique* champ : {a, b, c})
        l->addWidget(champ);
    a->setText(QStringLiteral("12"));
    b->setText(QStringLiteral("-3,5"));
    c->setText(QStringLiteral("99999"));
    ecran.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ecran));
    ecran.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ecran));
    a->setFocus();

    // Refuses any negative number and anything above 1000, by caption.
    std::vector<QString> demandes;
    const RefusChamp refus = [&](const QString& legende) -> std::optional<std::pair<QString, QString>> {
        demandes.push_back(legende);
        const ChampNumerique* champ = legende == QStringLiteral("Surface")    ? a
                                      : legende == QStringLiteral("Longueur") ? b
                                                                              : c;
        const double v = champ->valeur().value_or(0);
        if (v < 0 || v > 1000)
            return std::pair{legende + QStringLiteral("."), QStringLiteral("Hors limites : ") + legende};
        return std::nullopt;
    };

    test::BoiteMessageScriptee boite;
    EXPECT_FALSE(ControlerChamps(&ecran, {a, b, c}, refus));
    EXPECT_EQ(demandes, (std::vector<QString>{"Surface", "Longueur"})); // stops at the first refused
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0].icone, IconeMessage::Exclamation);
    EXPECT_EQ(boite.messages[0].boutons, BoutonsMessage::OK);
    EXPECT_EQ(boite.messages[0].titre, QStringLiteral("Longueur."));
    EXPECT_EQ(boite.messages[0].texte, QStringLiteral("Hors limites : Longueur"));
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(b->selectedText(), QStringLiteral("-3,5"));

    // The same field refused again while it has the focus: selected again.
    b->deselect();
    EXPECT_FALSE(ControlerChamps(&ecran, {b}, refus));
    EXPECT_EQ(b->selectedText(), QStringLiteral("-3,5"));

    // In another order, the other refused field comes first.
    EXPECT_FALSE(ControlerChamps(&ecran, {c, b}, refus));
    EXPECT_EQ(boite.messages.back().titre, QStringLiteral("Puissance."));
    EXPECT_TRUE(c->hasFocus());

    b->setText(QStringLiteral("3,5"));
    c->setText(QStringLiteral("1000"));
    boite.messages.clear();
    EXPECT_TRUE(ControlerChamps(&ecran, {a, b, c}, refus));
    EXPECT_TRUE(boite.messages.empty());
}
