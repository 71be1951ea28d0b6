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
#include <QApplication>
#include <QComboBox>
#include <QFile>
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
    QStringList champs = {};  // input controls (fields, options, buttons): their caption
    QStringList listes = {};  // pick lists: the caption of their label
    QStringList valeurs = {}; // objectName of the labels that show a value
    bool image = false;   // a picture with its description
};

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

const QStringList PiedPage = {QStringLiteral("Aide ?"), QStringLiteral("Annuler")};

} // namespace

TEST_F(Accessibilite, ChaqueEcran) {
    // The load-type pictures of the build, beside the program.
    for (const char* image : {"Ch_No.Fpl", "Ch_El.fpl", "Ch_Cd.fpl", "Ch_Ca.fpl"})
        QFile::copy(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(image),
                    dossier.chemin() + QLatin1Char('/') + QLatin1String(image));
    f = DemarrerEtude(QStringLiteral("45"));
    const QStringList suivant = PiedPage + QStringList{QStringLiteral("Suivant >>"), QStringLiteral("<< Précédent")};
    const std::map<Arret, Attendu> attendus = {
        {Arret::Generales,
         {.champs = PiedPage + QStringList{QStringLiteral("Suivant >>"), QStringLiteral("Treillis ou plaques pré tracées"),
                                           QStringLiteral("Plots thermoformés"), QStringLiteral("13x16 mm"),
                                           QStringLiteral("16x20 mm"), QStringLiteral("Chape traditionnelle"),
                                           QStringLiteral("Chape liquide")},
          .listes = {QStringLiteral("Température de départ du fluide"), QStringLiteral("Epaisseur moyenne de la chape")},
          .valeurs = {QStringLiteral("LblEtude")}}},
        {Arret::Circuits,
         {.champs = PiedPage + QStringList{QStringLiteral("<< Précédent"), QStringLiteral("Ajouter une pièce"),
                                           QStringLiteral("Modifier/Visionner une pièce"),
                                           QStringLiteral("Supprimer une pièce")},
          .valeurs = {QStringLiteral("LblCircuit")}}},
        {Arret::Charge,
         {.champs = PiedPage + QStringList{QStringLiteral("Suivant >>"), QStringLiteral("Charge normale"),
                                           QStringLiteral("Charge élevée ou limite"),
                                           QStringLiteral("Charge combinée droite"),
                                           QStringLiteral("Charge intégrée d'angle"),
                                           QStringLiteral("Surface zone de bordure (élevée/limite)"),
                                           QStringLiteral("Commentaire")},
          .listes = {QStringLiteral("Pas VZ zone de bordure (élevée/limite)")},
          .image = true}},
        {Arret::Piece,
         {.champs = suivant + QStringList{QStringLiteral("Surface de la pièce"), QStringLiteral("Surface des emprises"),
                                          QStringLiteral("Déperditions de la pièce"),
                                          QStringLiteral("Déperditions du plancher"),
                                          QStringLiteral("Apport par le plafond"),
                                          QStringLiteral("Emission vers le bas"),
                                          QStringLiteral("Calculer l'apport par le plafond"),
                                          QStringLiteral("Calculer l'émission vers le bas")},
          .listes = {QStringLiteral("Nom de la pièce"), QStringLiteral("Température ambiante de la pièce"),
                     QStringLiteral("Résistance actuelle"), QStringLiteral("Résistance future")}}},
        {Arret::Apport,
         {.champs = {QStringLiteral("Surface du plancher haut"), QStringLiteral("OK")},
          .listes = {QStringLiteral("Epaisseur de l'isolant")}}},
        // The net floor area, 17,5 m², is read out as such; its caption apart.
        {Arret::Emissions,
         {.champs = {QStringLiteral("OK")}, .listes = {QStringLiteral("Epaisseur de l'isolant")},
          .valeurs = {QStringLiteral("LblEmissions_Bas"), QStringLiteral("LblEmissions_Surface")}}},
        {Arret::Conduites,
         {.champs = suivant + QStringList{QStringLiteral("Longueur des conduites de raccordement"),
                                          QStringLiteral("Longueur des conduites de distribution (traversantes)")},
          .listes = {QStringLiteral("Chute de température du fluide (DeltaT Départ/Retour)")},
          .valeurs = {QStringLiteral("LblDesignation"), QStringLiteral("LblConduites_4")}}},
        {Arret::Resultats,
         {.champs = PiedPage + QStringList{QStringLiteral("OK"), QStringLiteral("<< Précédent")},
          .valeurs = {QStringLiteral("LblEtude")}}},
    };
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

// The balancing window: its buttons by their captions, its two lines of
// figures by what they say.
TEST_F(Accessibilite, Equilibrage) {
    f = DemarrerEtude();
    AjouterPieces(*f, exemples::Maison12Pieces());
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* fenetre = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(fenetre, nullptr);
    verifier(fenetre, {.champs = {QStringLiteral("Exporter…"), QStringLiteral("Fermer")},
                       .valeurs = {QStringLiteral("LblPerte"), QStringLiteral("LblTempDepartMinimale")}});
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
}
