// The command line of `sorvel`: options, and the stored study to open at
// start-up, named by one of its files or by its name.

#include "Environnement.h"
#include "LigneCommande.h"

#include "commun/Version.h"

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QVariant>

#include <optional>

namespace sorvel {

// A study named on the line, shown as text when an expectation fails.
void PrintTo(const EtudeDemandee& e, std::ostream* os) {
    *os << '{' << e.dossier.toStdString() << " | " << e.nom.toStdString() << '}';
}

} // namespace sorvel

using namespace sorvel;

namespace {

// The names of the values of CommandeLancement, in their order.
const QStringList Commandes = {"Demarrer", "AfficherAide", "AfficherVersion", "VerifierInstallation", "Erreur"};

std::optional<EtudeDemandee> Etude(const QJsonValue& etude) {
    if (etude.isNull())
        return std::nullopt;
    return EtudeDemandee{etude["dossier"].toString(), etude["nom"].toString()};
}

} // namespace

// Each line of the data file: the arguments, the command they give, and,
// where the line says, the study to open, the error and whether the window
// system's options are to be taken out first. Relative paths are read from
// /home/anne/chantiers.
TEST(LigneCommande, Analyse) {
    for (const QJsonValue& ligne : test::TableCas(SORVEL_CAS, "lignes")) {
        const QJsonObject k = ligne.toObject();
        const QStringList arguments = k["arguments"].toVariant().toStringList();
        SCOPED_TRACE(arguments.join(QLatin1Char('|')).toStdString());
        const Lancement l = AnalyserLigneCommande(arguments, QStringLiteral("/home/anne/chantiers"));
        EXPECT_EQ(Commandes.value(static_cast<int>(l.commande)), k["commande"].toString());
        if (k.contains("etude")) {
            EXPECT_EQ(l.etude, Etude(k["etude"]));
        }
        if (k.contains("erreur")) {
            EXPECT_EQ(l.erreur, k["erreur"].toString());
        }
        if (k.contains("fenetrage")) {
            EXPECT_EQ(l.optionsFenetrage, k["fenetrage"].toBool());
        }
    }
}

TEST(LigneCommande, TextesEnFrancais) {
    EXPECT_EQ(TexteVersion(), QStringLiteral("Sorvel %1\n").arg(QString::fromLatin1(VersionSorvel)));
    const QString aide = TexteAide();
    EXPECT_TRUE(aide.startsWith(QStringLiteral("Usage : sorvel [ÉTUDE]\n")));
    // Every option the parser knows is explained, and the studies folder rule
    // names the variable that overrides it.
    for (const char* option :
         {"--help", "-h", "--version", "--verifier-installation", "SORVEL_ETUDES", "Sorvel/Etudes"})
        EXPECT_TRUE(aide.contains(QString::fromLatin1(option))) << option;
}
