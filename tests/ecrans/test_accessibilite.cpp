// What a screen reader finds on each screen, walking its accessible tree: an
// input control by its caption (a list by the caption label it is the buddy
// of, its own name being its value), a label that shows a value by that
// value, a picture by a short description.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "Exemples.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace sorvel;
using namespace sorvel::test;

namespace {

struct Noeud {
    QAccessible::Role role;
    QString nom;
    QStringList etiquettes; // names of the labels it is the buddy of
    QString objet;          // objectName of the control behind it
};

void Parcourir(QAccessibleInterface* i, std::vector<Noeud>& noeuds) {
    if (!i || i->state().invisible)
        return;
    Noeud n{i->role(), i->text(QAccessible::Name), {}, i->object() ? i->object()->objectName() : QString()};
    for (const auto& [etiquette, relation] : i->relations(QAccessible::Label))
        n.etiquettes << etiquette->text(QAccessible::Name);
    noeuds.push_back(n);
    // The items of a list or of a grid are the control's own business.
    if (n.role == QAccessible::ComboBox || n.role == QAccessible::Table)
        return;
    for (int k = 0; k < i->childCount(); ++k)
        Parcourir(i->child(k), noeuds);
}

std::vector<Noeud> Arbre(QWidget* ecran) {
    std::vector<Noeud> noeuds;
    Parcourir(QAccessible::queryAccessibleInterface(ecran), noeuds);
    return noeuds;
}

// What one screen must show a screen reader.
struct Attendu {
    QStringList champs;  // input controls (fields, options, buttons): their caption
    QStringList listes;  // pick lists: the caption of their label
    QStringList valeurs; // objectName of the labels that show a value
    bool image = false;  // a picture with its description
};

// The stops of the way through the entry screens, as accessibilite.tsv names them.
const QStringList NomsArrets = {"Generales", "Circuits", "Charge", "Commentaire", "Piece",
                                "Apport", "Emissions", "Conduites", "Resultats"};

// What accessibilite.tsv, beside this file, expects at each stop.
std::map<Arret, Attendu> LireAttendus() {
    std::map<Arret, Attendu> attendus;
    QFile fichier(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("accessibilite.tsv")));
    EXPECT_TRUE(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!fichier.atEnd()) {
        const QString ligne = QString::fromUtf8(fichier.readLine()).chopped(1);
        const QStringList c = ligne.split(QLatin1Char('\t'));
        if (ligne.startsWith(QLatin1Char('#')) || c.size() < 2)
            continue;
        Attendu& a = attendus[static_cast<Arret>(NomsArrets.indexOf(c[0]))];
        if (c[1] == QStringLiteral("image"))
            a.image = true;
        else
            (c[1] == QStringLiteral("champ") ? a.champs : c[1] == QStringLiteral("liste") ? a.listes : a.valeurs) << c.value(2);
    }
    return attendus;
}

class Accessibilite : public ::testing::Test {
protected:
    void verifier(QWidget* ecran, const Attendu& attendu) {
        SCOPED_TRACE(ecran->objectName().toStdString());
        const std::vector<Noeud> arbre = Arbre(ecran);
        auto trouver = [&](auto condition) {
            return std::find_if(arbre.begin(), arbre.end(), condition) != arbre.end();
        };
        for (const QString& libelle : attendu.champs)
            EXPECT_TRUE(trouver([&](const Noeud& n) {
                return n.nom == libelle && (n.role == QAccessible::EditableText || n.role == QAccessible::RadioButton ||
                                            n.role == QAccessible::Button);
            })) << "champ « " << libelle.toStdString() << " »";
        for (const QString& libelle : attendu.listes) {
            const auto n = std::find_if(arbre.begin(), arbre.end(), [&](const Noeud& n) {
                return n.role == QAccessible::ComboBox && n.etiquettes.contains(libelle);
            });
            ASSERT_NE(n, arbre.end()) << "liste « " << libelle.toStdString() << " »";
            // Read out with its value, which the list keeps as its name;
            // with nothing chosen yet, the caption stands in.
            const auto* liste = ecran->findChild<QComboBox*>(n->objet);
            ASSERT_NE(liste, nullptr);
            EXPECT_EQ(n->nom, liste->currentText().isEmpty() ? libelle : liste->currentText())
                << libelle.toStdString();
        }
        for (const QString& nom : attendu.valeurs) {
            const auto* etiquette = ecran->findChild<QLabel*>(nom);
            ASSERT_NE(etiquette, nullptr) << nom.toStdString();
            ASSERT_FALSE(etiquette->text().isEmpty()) << nom.toStdString();
            EXPECT_TRUE(trouver([&](const Noeud& n) {
                return n.role == QAccessible::StaticText && n.nom == etiquette->text() && n.objet == nom;
            })) << "valeur « " << etiquette->text().toStdString() << " » de " << nom.toStdString();
        }
        if (attendu.image) {
            EXPECT_TRUE(trouver([](const Noeud& n) { return n.role == QAccessible::Graphic && !n.nom.isEmpty(); }));
        }
        // Beyond those, every control the user acts on carries a name and a caption.
        for (QWidget* w : ecran->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractItemView*>(w->parentWidget()))
                continue; // a part of a list or of a grid
            EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    // The description of the load-type picture as read out now.
    QString descriptionImage() const {
        for (const Noeud& n : Arbre(f->FeuillesDePiece().Charge))
            if (n.role == QAccessible::Graphic)
                return n.nom;
        return {};
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

TEST_F(Accessibilite, ChaqueEcran) {
    // The load-type pictures of the build, beside the program.
    for (const char* image : {"Ch_No.Fpl", "Ch_El.fpl", "Ch_Cd.fpl", "Ch_Ca.fpl"})
        QFile::copy(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(image),
                    dossier.chemin() + QLatin1Char('/') + QLatin1String(image));
    f = DemarrerEtude(QStringLiteral("45"));
    const std::map<Arret, Attendu> attendus = LireAttendus();
    ASSERT_EQ(attendus.size(), 8u);
    ParcourirLesEcrans(*f, [&](Arret arret, QWidget* ecran) {
        if (attendus.contains(arret))
            verifier(ecran, attendus.at(arret));
    });
    EXPECT_EQ(Trouver<QLabel>(f->FeuillesDePiece().Piece, QStringLiteral("LblEmissions_Bas"))->text(),
              QStringLiteral("17,5"));
    EXPECT_EQ(Trouver<QLabel>(f->FeuillesDePiece().Conduites, QStringLiteral("LblDesignation"))->text(),
              QStringLiteral("Séjour"));
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();

    // The description of the load-type picture follows the picture.
    f->AfficherFeuille(f->FeuillesDePiece().Charge);
    const QString elevee = descriptionImage();
    Cliquer(f->FeuillesDePiece().Charge, QStringLiteral("OptCharge_3"));
    EXPECT_NE(descriptionImage(), elevee);
}

