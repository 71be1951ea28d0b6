#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "stockage/FichiersTravail.h"

#include "ihm/Ressources.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace sorvel::test {

QString CheminEtudes(const QString& nom) { return DossierEtudesProgramme() + QLatin1Char('/') + nom; }

std::unique_ptr<MDIPlancher> Demarrer(int largeurEcran, const QRect& zoneDisponible) {
    return DemarrerDans(DossierEtudesProgramme(), largeurEcran, zoneDisponible);
}

std::unique_ptr<MDIPlancher> DemarrerDans(const QString& dossierEtudes, int largeurEcran,
                                          const QRect& zoneDisponible) {
    auto f = std::make_unique<MDIPlancher>(dossierEtudes, nullptr, largeurEcran, zoneDisponible);
    // A window left open on the folder would make this one give way.
    EXPECT_NE(f->Etude().Programme().EtatDemarrage(), Demarrage::DossierOccupe) << "another window works on this folder";
    f->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
    f->activateWindow();
    QApplication::processEvents();
    return f;
}

std::unique_ptr<MDIPlancher> DemarrerEtude(const QString& tempDepart) {
    auto f = Demarrer(1280);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    if (!tempDepart.isEmpty())
        Choisir(f->Generales(), QStringLiteral("CmbTempDepart"), tempDepart);
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    return f;
}

void SaisirPieceJusquALaPage(MDIPlancher& f, int page) {
    const FeuillesPiece& ecrans = f.FeuillesDePiece();
    Cliquer(f.Circuits(), QStringLiteral("CmdAjouter"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Charge);
    if (page == 1)
        return;
    Cliquer(ecrans.Charge, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Piece);
    Choisir(ecrans.Piece, QStringLiteral("CmbNomPiece"), QStringLiteral("Séjour"));
    Choisir(ecrans.Piece, QStringLiteral("CmbTempPiece"), QStringLiteral("20"));
    Taper(ecrans.Piece, QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
    Taper(ecrans.Piece, QStringLiteral("TxtSurface_1"), QStringLiteral("2"));
    Taper(ecrans.Piece, QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500"));
    Taper(ecrans.Piece, QStringLiteral("TxtEmissions"), QStringLiteral("50"));
    Choisir(ecrans.Piece, QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    if (page == 2)
        return;
    Cliquer(ecrans.Piece, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Conduites);
    if (page == 3)
        return;
    Cliquer(ecrans.Conduites, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Resultats);
}

void ParcourirLesEcrans(MDIPlancher& f, const std::function<void(Arret, QWidget*)>& voir) {
    const FeuillesPiece& ecrans = f.FeuillesDePiece();
    f.AfficherFeuille(f.Generales());
    voir(Arret::Generales, f.Generales());
    f.AfficherFeuille(f.Circuits());
    voir(Arret::Circuits, f.Circuits());
    Cliquer(f.Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(ecrans.Charge, QStringLiteral("OptCharge_1"));
    Taper(ecrans.Charge, QStringLiteral("TxtSurfaceBordure"), QStringLiteral("3"));
    voir(Arret::Charge, ecrans.Charge);
    Cliquer(ecrans.Charge, QStringLiteral("CmdComment"));
    voir(Arret::Commentaire, ecrans.Charge);
    Cliquer(ecrans.Charge, QStringLiteral("CmdComment"));
    Cliquer(ecrans.Charge, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Piece);
    Choisir(ecrans.Piece, QStringLiteral("CmbNomPiece"), QStringLiteral("Séjour"));
    Choisir(ecrans.Piece, QStringLiteral("CmbTempPiece"), QStringLiteral("20"));
    Taper(ecrans.Piece, QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
    Taper(ecrans.Piece, QStringLiteral("TxtSurface_1"), QStringLiteral("2,5"));
    Taper(ecrans.Piece, QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500"));
    Choisir(ecrans.Piece, QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    voir(Arret::Piece, ecrans.Piece);
    Cliquer(ecrans.Piece, QStringLiteral("CmdApport"));
    voir(Arret::Apport, ecrans.Piece);
    Cliquer(ecrans.Piece, QStringLiteral("CmdApport_OK"));
    Cliquer(ecrans.Piece, QStringLiteral("CmdEmissions"));
    voir(Arret::Emissions, ecrans.Piece);
    Cliquer(ecrans.Piece, QStringLiteral("CmdEmission_OK"));
    Cliquer(ecrans.Piece, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Conduites);
    voir(Arret::Conduites, ecrans.Conduites);
    Cliquer(ecrans.Conduites, QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f.FeuilleAffichee(), ecrans.Resultats);
    voir(Arret::Resultats, ecrans.Resultats);
}

void AjouterPieces(MDIPlancher& f, const std::vector<Piece>& pieces) {
    for (const Piece& piece : pieces)
        f.Etude().Travail().EcrirePiece(f.Etude().NombrePieces() + 1, piece, PerteCharge{});
    f.Circuits()->RemplirGrilleCircuits();
}

} // namespace sorvel::test
