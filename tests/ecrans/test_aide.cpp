// Help file, help window, about box, pictures and cursors beside the program;
// the "Aide ?" button of every screen and module.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"
#include "ihm/FrmAide.h"
#include "ecrans/Frm_A_Propos.h"
#include "ihm/LecteurChm.h"
#include "ihm/ModAide.h"
#include "ihm/Ressources.h"
#include "stockage/ModEnregistrer.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace sorvel;

namespace {

// The build puts the test programs in the program's folder, beside the
// pictures and the help file.
QString DossierConstruit() {
    const QString env = qEnvironmentVariable("SORVEL_DOSSIER_PROGRAMME");
    return env.isEmpty() ? QCoreApplication::applicationDirPath() : env;
}

class Aide : public ::testing::Test {
protected:
    void SetUp() override { DefinirDossierProgramme(DossierConstruit()); }
    void TearDown() override {
        LienCourriel::DefinirOuvreur({});
        DefinirDossierProgramme(DossierConstruit());
        delete FrmAide::Existante();
    }
    test::BoiteMessageScriptee boite;
};

struct Sujet {
    int contexte;
    const char* objet;
    const char* titre;
};

// Topics of the screens and modules, by the context numbers their "Aide ?"
// buttons pass.
const Sujet Sujets[] = {
    {AideDonneesGenerales, "/donnees_generales.html", "Données générales"},
    {AideCircuits, "/circuits.html", "Circuits"},
    {AideCharge, "/charge.html", "Type de charge"},
    {AidePiece, "/piece.html", "Surfaces et déperditions"},
    {AideConduites, "/conduites.html", "Conduites"},
    {AideResultats, "/resultats.html", "Résultats"},
    {AideCorrection, "/correction.html", "Module de correction"},
    {AideIncertitude, "/incertitude.html", "Module d'incertitude Ti"},
};

QString pageUtf8(const LecteurChm& chm, const QString& objet, bool* valide = nullptr) {
    const QByteArray octets = chm.lire(objet).value_or(QByteArray());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texte = utf8(octets);
    if (valide)
        *valide = !utf8.hasError() && !octets.isEmpty();
    return texte;
}

} // namespace

// The context numbers of the project's [MAP] section reach the file's
// context map, each to the page of its screen; the default topic and the
// "plancher" window are there.
TEST_F(Aide, ChaqueContexteMeneALaPageDeSonEcran) {
    LecteurChm chm(CheminAide());
    ASSERT_TRUE(chm.estOuvert());
    EXPECT_EQ(chm.contextes().size(), std::size(Sujets));
    for (const Sujet& s : Sujets) {
        SCOPED_TRACE(s.contexte);
        const auto objet = chm.sujetDuContexte(s.contexte);
        ASSERT_TRUE(objet.has_value());
        EXPECT_EQ(*objet, QString::fromUtf8(s.objet));
        bool valide = false;
        const QString page = pageUtf8(chm, *objet, &valide);
        EXPECT_TRUE(valide) << "page illisible en UTF-8";
        EXPECT_TRUE(page.contains(QStringLiteral("<title>") + QString::fromUtf8(s.titre) +
                                  QStringLiteral("</title>")));
        EXPECT_TRUE(page.contains(QStringLiteral("<h1>") + QString::fromUtf8(s.titre) +
                                  QStringLiteral("</h1>")));
        EXPECT_TRUE(page.contains(QStringLiteral("charset=utf-8")));
    }
    EXPECT_FALSE(chm.sujetDuContexte(10008).has_value());
    // The default topic, and the window type the program asks for.
    EXPECT_EQ(chm.sujetParDefaut(), QStringLiteral("/index.html"));
    EXPECT_TRUE(pageUtf8(chm, chm.sujetParDefaut()).contains(QStringLiteral("<h1>Bienvenue dans Sorvel</h1>")));
    EXPECT_EQ(chm.titre(), QStringLiteral("Aide de Sorvel"));
    const auto plancher = chm.fenetre(QStringLiteral("plancher"));
    ASSERT_TRUE(plancher.has_value());
    EXPECT_EQ(plancher->titre, QStringLiteral("Aide de Sorvel"));
    EXPECT_EQ(plancher->sujetParDefaut, QStringLiteral("index.html"));
    EXPECT_EQ(plancher->position, QRect(QPoint(60, 40), QPoint(959, 699)));  // [60,40,960,700]
    EXPECT_EQ(chm.sommaire(), QStringLiteral("/Sorvel.hhc"));
}

TEST_F(Aide, LesLiensEtImagesDesPagesSontDansLeFichier) {
    LecteurChm chm(CheminAide());
    ASSERT_TRUE(chm.estOuvert());
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#]*)[^\"]*\""));
    int pages = 0, references = 0;
    for (const QString& objet : chm.objets()) {
        if (!objet.endsWith(QLatin1String(".html")))
            continue;
        ++pages;
        auto it = reference.globalMatch(pageUtf8(chm, objet));
        while (it.hasNext()) {
            const QString cible = it.next().captured(1);
            if (cible.isEmpty() || cible.contains(QLatin1Char(':')))
                continue;
            ++references;
            EXPECT_TRUE(chm.existe(QStringLiteral("/") + cible))
                << qPrintable(objet) << " -> " << qPrintable(cible);
        }
    }
    EXPECT_EQ(pages, 11);
    EXPECT_GT(references, 20);
}

// The message of a missing help file (every path to the help says it:
// Aide.ChaqueEcranOuvreSaPage); no window is made.
TEST_F(Aide, FichierManquantAfficheLeMessageEtRienDAutre) {
    QTemporaryDir vide;
    DefinirDossierProgramme(vide.path());
    delete FrmAide::Existante();
    AfficherAide(CheminAide(), FenetreAide, AideCharge);
    EXPECT_TRUE(boite.seul(QStringLiteral("FICHIER D'AIDE MANQUANT."),
                           QStringLiteral("Le fichier d'aide 'Sorvel.chm' ne se trouve plus dans le dossier du "
                                          "programme, faite une recherche sur votre système et replacez le dans "
                                          "le dossier de l'application. Si vous ne le trouvez plus, contactez "
                                          "moi, je vous le ferai parvenir."),
                           IconeMessage::Critique, BoutonsMessage::OK));
    EXPECT_EQ(FrmAide::Existante(), nullptr);
}

TEST_F(Aide, FichierTronqueOuAbimeNePlantePas) {
    QFile source(DossierConstruit() + QStringLiteral("/Sorvel.chm"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray entier = source.readAll();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    DefinirDossierProgramme(dossier.path());

    // The first is no help file at all: it must be reported.
    std::vector<QByteArray> variantes{QByteArray(3000, 'x')};
    for (qsizetype taille : {qsizetype(100), qsizetype(600), qsizetype(4096), entier.size() / 2,
                             entier.size() - 100})
        variantes.push_back(entier.left(taille));
    for (qsizetype position : {qsizetype(200), qsizetype(1000), qsizetype(5000), entier.size() / 2}) {
        QByteArray abime = entier;
        for (int i = 0; i < 16; ++i)
            abime[position + i] = char(0xff);
        variantes.push_back(abime);
    }
    for (size_t v = 0; v < variantes.size(); ++v) {
        SCOPED_TRACE(v);
        boite.messages.clear();
        if (FrmAide::Existante())
            FrmAide::Existante()->hide();
        QFile f(CheminAide());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(variantes[v]);
        f.close();

        AfficherAide(CheminAide(), FenetreAide, AideConduites);
        // Either the user is told the file is damaged and no window shows,
        // or a page that could be read is shown.
        FrmAide* fenetre = FrmAide::Existante();
        if (v == 0 || !boite.messages.empty()) {
            EXPECT_TRUE(boite.seul(QStringLiteral("FICHIER D'AIDE ILLISIBLE."), {}, IconeMessage::Critique));
            EXPECT_TRUE(fenetre == nullptr || !fenetre->isVisible());
        } else {
            ASSERT_NE(fenetre, nullptr);
            EXPECT_TRUE(fenetre->isVisible());
            EXPECT_FALSE(fenetre->sujetAffiche().isEmpty());
        }
    }
}

// One window follows the contexts asked, its pages and their pictures read
// from the help file; a link of a page leads to another page of the file.
TEST_F(Aide, UneSeuleFenetreSuitLesContextes) {
    AfficherAide(CheminAide(), FenetreAide, AideCharge);
    FrmAide* fenetre = FrmAide::Existante();
    ASSERT_NE(fenetre, nullptr);
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_TRUE(fenetre->navigateur()->toPlainText().contains(QStringLiteral("Charge intégrée d'angle")));
    const QVariant image = fenetre->navigateur()->loadResource(QTextDocument::ImageResource,
                                                               QUrl(QStringLiteral("ch_el.png")));
    ASSERT_EQ(image.userType(), QMetaType::QImage);
    EXPECT_EQ(image.value<QImage>().size(), QSize(300, 220));

    AfficherAide(CheminAide(), FenetreAide, AideResultats);
    EXPECT_EQ(FrmAide::Existante(), fenetre);
    EXPECT_EQ(fenetre->sujetAffiche(), QStringLiteral("/resultats.html"));
    emit fenetre->navigateur()->anchorClicked(QUrl(QStringLiteral("piece.html")));
    EXPECT_EQ(fenetre->sujetAffiche(), QStringLiteral("/piece.html"));
    EXPECT_TRUE(boite.messages.empty());
}

// The help file's window type asks for 900 x 660 pixels; on the 800 x 600
// test screen the window opens whole, frame included.
TEST_F(Aide, LaFenetreTientDansLEcran) {
    AfficherAide(CheminAide(), FenetreAide, AideCharge);
    FrmAide* fenetre = FrmAide::Existante();
    ASSERT_NE(fenetre, nullptr);
    ASSERT_TRUE(fenetre->isVisible());
    const QRect ecran = fenetre->screen()->availableGeometry();
    ASSERT_EQ(ecran.size(), QSize(800, 600));
    EXPECT_TRUE(ecran.contains(fenetre->frameGeometry()))
        << fenetre->frameGeometry().width() << "x" << fenetre->frameGeometry().height();
}

// Every entry of the table of contents but its headings opens its page.
TEST_F(Aide, LeSommaireMeneAChaquePage) {
    AfficherAide(CheminAide());
    FrmAide* fenetre = FrmAide::Existante();
    ASSERT_NE(fenetre, nullptr);
    auto* arbre = fenetre->findChild<QTreeWidget*>(QStringLiteral("ArbreSommaire"));
    ASSERT_NE(arbre, nullptr);
    int pages = 0;
    for (QTreeWidgetItemIterator it(arbre); *it; ++it) {
        const QString objet = (*it)->data(0, Qt::UserRole).toString();
        if (objet.isEmpty())
            continue;
        ++pages;
        emit arbre->itemClicked(*it, 0);
        EXPECT_EQ(fenetre->sujetAffiche(), objet);
        EXPECT_EQ(arbre->currentItem(), *it);
        EXPECT_FALSE(fenetre->navigateur()->toPlainText().isEmpty()) << qPrintable(objet);
    }
    EXPECT_EQ(pages, 11);
}

// "Aide ?" of every screen and module, and F1, open the help at the page of
// what is showing; without the file, each says so and the screen stays.
TEST_F(Aide, ChaqueEcranOuvreSaPage) {
    for (bool fichier : {true, false}) {
        SCOPED_TRACE(fichier);
        test::DossierProgrammeTest dossier;
        if (fichier) {
            ASSERT_TRUE(QFile::copy(DossierConstruit() + QStringLiteral("/Sorvel.chm"), CheminAide()));
        }
        auto f = test::DemarrerEtude();
        test::SaisirPieceJusquALaPage(*f, 4);
        const auto piece = f->FeuillesDePiece().toutes();
        const std::pair<QWidget*, const char*> ecrans[] = {
            {f->Generales(), "/donnees_generales.html"}, {f->Circuits(), "/circuits.html"},
            {piece[0], "/charge.html"}, {piece[1], "/piece.html"}, {piece[2], "/conduites.html"},
            {piece[3], "/resultats.html"}};
        boite.vider();
        for (auto [ecran, page] : ecrans) {
            SCOPED_TRACE(page);
            f->AfficherFeuille(ecran);
            test::Cliquer(ecran, QStringLiteral("CmdAide"));
            EXPECT_EQ(f->FeuilleAffichee(), ecran);
            if (fichier) {
                ASSERT_NE(FrmAide::Existante(), nullptr);
                EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QString::fromLatin1(page));
            }
        }
        for (auto [menu, page] : {std::pair{"MnuCorrection", "/correction.html"}, {"MnuIncertitude", "/incertitude.html"}}) {
            test::Declencher(f.get(), QString::fromLatin1(menu));
            test::Cliquer(f->FeuilleAffichee(), QStringLiteral("CmdAide"));
            if (fichier) {
                EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QString::fromLatin1(page));
            }
        }
        if (fichier) { // the help window put away, the main window active again
            FrmAide::Existante()->hide();
            f->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(f.get()));
        }
        f->AfficherFeuille(f->Circuits());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        if (fichier) {
            EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QStringLiteral("/circuits.html"));
        }
        test::Declencher(f.get(), QStringLiteral("MnuAideSorvel"));
        if (fichier) {
            EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QStringLiteral("/index.html"));
            EXPECT_TRUE(boite.messages.empty());
        } else {
            EXPECT_EQ(boite.titres(), QStringList(std::size(ecrans) + 4, QStringLiteral("FICHIER D'AIDE MANQUANT.")));
        }
        delete FrmAide::Existante();
    }
}

TEST_F(Aide, LAdresseOuvreUnCourrielAvecLeSujet) {
    std::vector<QUrl> ouverts;
    LienCourriel::DefinirOuvreur([&](const QUrl& url) {
        ouverts.push_back(url);
        return true;
    });
    Frm_A_Propos boiteAPropos(QStringLiteral("/tmp/Etudes"));
    auto* lien = boiteAPropos.findChild<LienCourriel*>(QStringLiteral("TxtMailto"));
    ASSERT_NE(lien, nullptr);
    EXPECT_TRUE(lien->text().contains(Frm_A_Propos::AdresseContact));
    // Main.cur lies beside the program: it is the pointer over the address.
    EXPECT_EQ(lien->cursor().shape(), Qt::BitmapCursor);

    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(lien, &appui);
    ASSERT_EQ(ouverts.size(), 1u);
    // The subject "Erreur détectée dans Sorvel !", encoded.
    EXPECT_EQ(ouverts[0].toString(QUrl::FullyEncoded),
              QStringLiteral("mailto:contact@sorvel.fr?subject=Erreur%20d%C3%A9tect%C3%A9e%20dans%20Sorvel%20!"));

    // Without the cursor file the pointer stays the ordinary one.
    QTemporaryDir vide;
    DefinirDossierProgramme(vide.path());
    Frm_A_Propos sansCurseur(QStringLiteral("/tmp/Etudes"));
    EXPECT_EQ(sansCurseur.findChild<QLabel*>(QStringLiteral("TxtMailto"))->cursor().shape(), Qt::ArrowCursor);
}

// The pictures beside the program (read as the program reads them:
// Installation.DossierConstruitComplet) are drawings of their size.
TEST_F(Aide, ImagesDuDossierProgramme) {
    const std::pair<const char*, QSize> images[] = {{"Fd1.fpl", {800, 600}},   {"Fd2.fpl", {1024, 768}},
                                                    {"Ch_No.Fpl", {300, 220}}, {"Ch_El.fpl", {300, 220}},
                                                    {"Ch_Cd.fpl", {300, 220}}, {"Ch_Ca.fpl", {300, 220}}};
    for (auto [fichier, taille] : images) {
        const QImage image = ChargerImage(QString::fromLatin1(fichier)).toImage();
        EXPECT_EQ(image.size(), taille) << fichier;
        // A drawing, not a blank surface.
        EXPECT_NE(image.pixel(5, 5), image.pixel(image.width() / 2, image.height() / 2 + 40)) << fichier;
    }
}

TEST_F(Aide, SeuleLaChargeEleveeMontreUneDeuxiemeBoucle) {
    // The independent edge loop is drawn in blue (#2e6fb5); the combined and
    // corner types keep one loop colour.
    auto pixelsBleus = [](const char* fichier) {
        const QImage image = ChargerImage(QString::fromLatin1(fichier)).toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (qAbs(c.red() - 0x2e) < 20 && qAbs(c.green() - 0x6f) < 20 && qAbs(c.blue() - 0xb5) < 20)
                    ++n;
            }
        return n;
    };
    EXPECT_GT(pixelsBleus("Ch_El.fpl"), 500);
    EXPECT_LT(pixelsBleus("Ch_No.Fpl"), 20);
    EXPECT_LT(pixelsBleus("Ch_Cd.fpl"), 20);
    EXPECT_LT(pixelsBleus("Ch_Ca.fpl"), 20);
}

TEST_F(Aide, CurseursWindowsAvecLeurPointe) {
    struct Curseur {
        const char* fichier;
        QPoint pointe;
    };
    const Curseur curseurs[] = {{"Main.cur", {9, 1}}, {"Plus.cur", {12, 12}}, {"Moins.cur", {12, 12}}};
    for (const Curseur& c : curseurs) {
        SCOPED_TRACE(c.fichier);
        // A cursor file, not an icon: an icon would have its hot spot at 0,0.
        const auto curseur = ChargerCurseur(QString::fromLatin1(c.fichier));
        ASSERT_TRUE(curseur.has_value());
        EXPECT_EQ(curseur->shape(), Qt::BitmapCursor);
        EXPECT_EQ(curseur->pixmap().size(), QSize(32, 32));
        EXPECT_EQ(curseur->hotSpot(), c.pointe);
        // The lens or hand is opaque where it is drawn and clear around it.
        const QImage image = curseur->pixmap().toImage();
        EXPECT_EQ(qAlpha(image.pixel(31, 0)), 0);
        EXPECT_GT(qAlpha(image.pixel(c.pointe.x(), c.pointe.y() + 3)), 200);
    }
    EXPECT_FALSE(ChargerCurseur(QStringLiteral("Absent.cur")).has_value());
}

TEST_F(Aide, CurseursAbimesRefuses) {
    QFile f(DossierConstruit() + QStringLiteral("/Plus.cur"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bon = f.readAll();
    ASSERT_TRUE(CurseurDepuisDonnees(bon).has_value());

    QByteArray mauvaisType = bon;
    mauvaisType[2] = 7;
    QByteArray horsFichier = bon;
    qToLittleEndian<quint32>(quint32(bon.size()), horsFichier.data() + 18);
    const QByteArray cas[] = {QByteArray(), bon.left(10), bon.left(200), mauvaisType, horsFichier,
                              QByteArray(4286, '\xff')};
    for (const QByteArray& c : cas)
        EXPECT_FALSE(CurseurDepuisDonnees(c).has_value()) << c.size();
}
