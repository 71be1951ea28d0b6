// The command line of `sorvel`: options, and the stored study to open at
// start-up, named by one of its files or by its name.

#include "LigneCommande.h"

#include "commun/Version.h"

#include <gtest/gtest.h>

#include <optional>

using namespace sorvel;

namespace {

const QString Courant = QStringLiteral("/home/anne/chantiers");

std::optional<EtudeDemandee> Etude(const char* dossier, const char* nom) {
    return EtudeDemandee{QString::fromUtf8(dossier), QString::fromUtf8(nom)};
}

} // namespace

TEST(LigneCommande, EtudeAOuvrir) {
    const struct {
        QStringList arguments;
        std::optional<EtudeDemandee> attendue;
    } cas[] = {
        {{}, std::nullopt},
        {{"/srv/etudes/Maison Dupont.pla"}, Etude("/srv/etudes", "Maison Dupont")},
        {{"Maison Dupont.pla"}, Etude("/home/anne/chantiers", "Maison Dupont")},
        {{"../archives/2023/Villa.pla"}, Etude("/home/anne/archives/2023", "Villa")},
        {{"/srv/etudes/Villa.plg"}, Etude("/srv/etudes", "Villa")},
        {{"/srv/etudes/Villa.plp"}, Etude("/srv/etudes", "Villa")},
        // A path without extension names the study by its files' common name.
        {{"Etudes/Villa"}, Etude("/home/anne/chantiers/Etudes", "Villa")},
        {{"/Villa.pla"}, Etude("/", "Villa")},
        // Only the last extension goes: the name keeps its own dots.
        {{"/srv/Lot 2.5.pla"}, Etude("/srv", "Lot 2.5")},
        {{"/srv/Lot.pla.pla"}, Etude("/srv", "Lot.pla")},
        // A bare name is a study of the usual studies folder, even with dots.
        {{"Maison Dupont"}, Etude("", "Maison Dupont")},
        {{"Etude 2.5"}, Etude("", "Etude 2.5")},
        // The extensions of a study are lower case, as the program writes them.
        {{"VILLA.PLA"}, Etude("", "VILLA.PLA")},
        {{"--", "--version"}, Etude("", "--version")},
        {{"-"}, Etude("", "-")},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.arguments.join(QLatin1Char('|')).toStdString());
        const Lancement l = AnalyserLigneCommande(k.arguments, Courant);
        EXPECT_EQ(l.commande, CommandeLancement::Demarrer);
        EXPECT_EQ(l.etude, k.attendue);
        EXPECT_TRUE(l.erreur.isEmpty());
    }
}

TEST(LigneCommande, Options) {
    const struct {
        QStringList arguments;
        CommandeLancement attendue;
    } cas[] = {
        {{"--help"}, CommandeLancement::AfficherAide},
        {{"-h"}, CommandeLancement::AfficherAide},
        {{"--version"}, CommandeLancement::AfficherVersion},
        {{"--verifier-installation"}, CommandeLancement::VerifierInstallation},
        // Help first, then the version, whatever else is on the line.
        {{"--version", "--help"}, CommandeLancement::AfficherAide},
        {{"--inconnue", "--help"}, CommandeLancement::AfficherAide},
        {{"Villa.pla", "--version"}, CommandeLancement::AfficherVersion},
        {{"--", "--help"}, CommandeLancement::Demarrer},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.arguments.join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(AnalyserLigneCommande(k.arguments, Courant).commande, k.attendue);
    }
}

TEST(LigneCommande, Erreurs) {
    // `fenetrage`: a single-dash option the window system may take out.
    const struct {
        QStringList arguments;
        const char* message;
        bool fenetrage;
    } cas[] = {
        {{"--inconnue"}, "Option inconnue : « --inconnue ».", false},
        {{"-x", "Villa.pla"}, "Option inconnue : « -x ».", true},
        {{"-platform", "offscreen", "Villa.pla"}, "Option inconnue : « -platform ».", true},
        {{"--inconnue", "-style"}, "Option inconnue : « --inconnue ».", true},
        {{"Villa.pla", "Maison.pla"}, "Une seule étude s'ouvre au démarrage : « Villa.pla » et « Maison.pla » sont donnés.",
         false},
        {{"--verifier-installation", "Villa"}, "L'option --verifier-installation ne prend pas d'étude.", false},
        {{""}, "«  » ne désigne pas une étude.", false},
        {{"Etudes/"}, "« Etudes/ » ne désigne pas une étude.", false},
        {{"/srv/etudes/.pla"}, "« /srv/etudes/.pla » ne désigne pas une étude.", false},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.arguments.join(QLatin1Char('|')).toStdString());
        const Lancement l = AnalyserLigneCommande(k.arguments, Courant);
        EXPECT_EQ(l.commande, CommandeLancement::Erreur);
        EXPECT_EQ(l.erreur, QString::fromUtf8(k.message));
        EXPECT_EQ(l.optionsFenetrage, k.fenetrage);
        EXPECT_FALSE(l.etude.has_value());
    }
}

TEST(LigneCommande, TextesEnFrancais) {
    EXPECT_EQ(TexteVersion(), QStringLiteral("Sorvel %1\n").arg(QString::fromLatin1(VersionSorvel)));
    const QString aide = TexteAide();
    EXPECT_TRUE(aide.startsWith(QStringLiteral("Usage : sorvel [ÉTUDE]\n")));
    // Every option the parser knows is explained, and the studies folder rule
    // names the variable that overrides it.
    for (const char* option : {"--help", "-h", "--version", "--verifier-installation", "SORVEL_ETUDES", "Sorvel/Etudes"})
        EXPECT_TRUE(aide.contains(QString::fromLatin1(option))) << option;
}
