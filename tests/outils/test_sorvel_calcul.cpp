// The tool's CSV and JSON: what it prints for a study is that study as the
// program reads and recalculates it, whatever the bytes of its names.

#include "commun/Textes.h"
#include "etude/ExportCsv.h"
#include "etude/RecalculEtude.h"
#include "stockage/Catalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "outils/Outil.h"

#include <functional>
#include <regex>
#include <sstream>

using namespace sorvel;
using namespace sorvel::test;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A cell as JSON must carry it: a text, a number, or "" where the room has
// no such quantity.
QJsonValue Attendue(const Cellule& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return Q(Utf8Valide(*t));
    if (const auto x = NombreCellule(c))
        return *x;
    return QString();
}

QJsonValue Facultatif(const std::optional<double>& x) { return x ? QJsonValue(*x) : QJsonValue(QJsonValue::Null); }

// The manifolds of `r` as the JSON must carry them: the keys listed, every
// value exact, Kv null for a valve left open, warnings by keyword.
QJsonArray CollecteursAttendus(const EtudeRecalculee& r) {
    QJsonArray collecteurs;
    for (const FiguresCollecteur& c : r.Collecteurs) {
        QJsonArray boucles;
        for (const BoucleCollecteur& b : c.Boucles)
            boucles.append(QJsonObject{
                {"sortie", b.Sortie}, {"piece", b.Boucle.Piece}, {"rang", b.Boucle.Rang},
                {"boucle", TexteBoucle(b.Boucle.Boucle)},
                {"debit", b.Boucle.Debit}, {"debitLmin", b.DebitLmin}, {"perte", b.Boucle.Perte},
                {"perteArtificielle", b.PerteArtificielle}, {"kv", Facultatif(b.Kv)},
                {"alertes", b.AlerteDebitmetre ? QJsonArray{"debitmetre"} : QJsonArray()}});
        collecteurs.append(QJsonObject{
            {"nom", Q(c.Definition.Nom)}, {"sorties", c.Definition.Sorties}, {"departs", c.Departs},
            {"debit", c.Debit}, {"perteMaxi", c.PerteMaxi}, {"hauteurNecessaire", c.HauteurNecessaire},
            {"kvCollecteur", Facultatif(c.KvCollecteur)},
            {"alertes", c.AlerteSorties ? QJsonArray{"sorties"} : QJsonArray()}, {"boucles", boucles}});
    }
    return collecteurs;
}

// The study `r` as the JSON must carry it: every value exact, the loops in
// room order with the open valve's Kv null; a study stored without its
// extension file has no climate and no detailed room.
QJsonObject Attendu(const std::string& nom, const EtudeRecalculee& r) {
    QJsonArray pieces, materiel, boucles;
    for (const LigneEtude& ligne : r.Resultat.Table.Pieces) {
        QJsonArray cellules;
        for (const Cellule& c : ligne)
            cellules.append(Attendue(c));
        pieces.append(cellules);
    }
    for (const CelluleMateriel& m : r.Materiel)
        materiel.append(std::visit([](const auto& v) { return Attendue(v); }, m));
    for (const ReglageBoucle& b : r.Equilibrage.Boucles) {
        QJsonArray alertes;
        for (const auto& [alerte, nomAlerte] : {std::pair{b.AlerteVitesse, "vitesse"},
                                                std::pair{b.AlerteLaminaire, "laminaire"},
                                                std::pair{b.AlerteLongueur, "longueur"}})
            if (alerte)
                alertes.append(nomAlerte);
        boucles.append(QJsonObject{
            {"piece", b.Piece}, {"rang", b.Rang}, {"boucle", TexteBoucle(b.Boucle)}, {"debit", b.Debit},
            {"perte", b.Perte},
            {"perteArtificielle", b.PerteArtificielle}, {"vitesse", b.Vitesse},
            {"kv", Facultatif(b.Kv)},
            {"bouclesConseillees", b.BouclesConseillees}, {"alertes", alertes}});
    }
    QJsonArray nombres;
    for (int i = 1; i <= r.Resultat.Table.NombrePieces(); ++i)
        nombres.append(BouclesPiece(r.Resultat, i));
    const auto& temperature = r.Equilibrage.TempDepartMinimale;
    return {{"boucles", nombres}, {"etude", Q(Utf8Valide(nom))}, {"PerteMaxi", r.Resultat.PerteMaxi}, {"DebitTotal", r.Resultat.DebitTotal},
            {"pieces", pieces}, {"materiel", materiel}, {"equilibrage", boucles},
            {"TempDepartMinimale", temperature ? QJsonValue(*temperature) : QJsonValue(QJsonValue::Null)},
            {"climat", QJsonValue::Null}, {"deperditions", QJsonArray()}, {"collecteurs", CollecteursAttendus(r)}};
}

// The tool's JSON is Qt's compact form of the study `attendu`.
void VerifierJson(const std::string& texte, const std::string& nom, const EtudeRecalculee& attendu) {
    SCOPED_TRACE("JSON");
    QJsonParseError erreur;
    const QByteArray octets = QByteArray::fromStdString(texte);
    const QJsonDocument document = QJsonDocument::fromJson(octets, &erreur);
    ASSERT_EQ(erreur.error, QJsonParseError::NoError) << erreur.errorString().toStdString() << "\n" << texte;
    EXPECT_EQ(octets, document.toJson(QJsonDocument::Compact) + '\n');
    const QJsonObject objet = Attendu(nom, attendu);
    EXPECT_TRUE(document.object() == objet)
        << texte << "\ninstead of\n" << QJsonDocument(objet).toJson(QJsonDocument::Compact).toStdString();
}

// Rooms named with any bytes: a NUL, controls, U+0081 (which Windows-1252
// lacks and keeps as byte 0x81, as in a damaged file).
std::vector<Piece> NomsQuelconques() {
    std::vector<Piece> pieces = QuatreTypes();
    pieces[0].NomPiece = std::string("Bur\0eau\tnord\r\n", 14);
    pieces[1].NomPiece = "Salle \xC2\x81\x1B";
    pieces[2].NomPiece = "Cuisine \x08\x0C";
    return pieces;
}

// Each study printed as CSV and as JSON (under a French locale, which must
// not change the numbers' form) is the study the program reads back from
// the same files and recalculates; the JSON is valid UTF-8 whatever the
// bytes of the names. Each case checks it covers what it is there for.
TEST_F(Outil, CsvEtJsonSontLEtudeRecalculee) {
    const Installation g = exemples::Generales();
    const struct {
        std::string quoi, nom;
        Installation generales;
        std::vector<Piece> pieces;
        std::function<bool(const EtudeRecalculee&)> couvre;
    } cas[] = {
        {"quatre types, treillis et 16x20", "Maison", g, QuatreTypes(),
         [](const EtudeRecalculee& r) { return r.Equilibrage.Boucles.size() == 5 && r.Equilibrage.TempDepartMinimale; }},
        {"quatre types, plots et 13x16", "Maison", exemples::Generales(Fixation::Plots, DiametreTube::D13x16),
         QuatreTypes(), [](const EtudeRecalculee& r) { return r.Materiel.size() == 12; }},
        {"appoint nécessaire même à 50 °C", "Maison", g, {exemples::PieceMaison("Véranda", Charge::Normale, 30, 4000)},
         [](const EtudeRecalculee& r) { return !r.Equilibrage.TempDepartMinimale; }},
        {"boucle trop longue", "Maison", g, {exemples::PieceMaison("Séjour", Charge::Normale, 30, 3500)},
         [](const EtudeRecalculee& r) { return r.Equilibrage.Boucles.at(0).BouclesConseillees > 1; }},
        {"aucune pièce", "Maison", g, {}, [](const EtudeRecalculee& r) { return r.Materiel.empty(); }},
        {"noms quelconques", "Etude \x01\x7F", g, NomsQuelconques(),
         [](const EtudeRecalculee& r) { return r.Equilibrage.Boucles.at(0).NomPiece.size() == 14; }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        Ecrire(c.nom, Stocker(c.generales, c.pieces));
        const Etude relue = Catalogue(DossierEtudes(QString::fromStdString(Dossier()))).Lire(Q(c.nom));
        const EtudeRecalculee attendu = RecalculerEtude(relue.Pieces, relue.Generales, relue.Collecteurs);
        ASSERT_TRUE(c.couvre(attendu));
        const Sortie csv = Lancer({Dossier(), c.nom});
        ASSERT_EQ(csv.statut, 0) << csv.erreurs;
        EXPECT_EQ(csv.sortie, CsvEtude(attendu));
        const Sortie json = Lancer({"--json", Dossier(), c.nom}, "LC_ALL=fr_FR.UTF-8");
        ASSERT_EQ(json.statut, 0) << json.erreurs;
        EXPECT_TRUE(json.erreurs.empty()) << json.erreurs;
        VerifierJson(json.sortie, c.nom, attendu);
    }
}

// The 12-room house (14 loops) on its manifolds: filled in room order over
// two of 12 outlets; the same by hand, downstairs and upstairs; on one of 24
// outlets. The CSV and the JSON carry the figures the program works out,
// the manifolds to order close the CSV, every manifold but the one that
// needs the most head is throttled by the Kv its flow and the difference of
// heads call for, and on one manifold every loop is set as the balancing of
// the whole study sets it.
TEST_F(Outil, CollecteursDeLaMaisonDouzePieces) {
    for (const char* extension : {".pla", ".plp", ".plg"})
        fs::copy_file(fs::path(SORVEL_DONNEES_TESTS) / (std::string("Maison 12 pièces") + extension),
                      dossier_ / (std::string("Maison") + extension));
    const std::string parEtage =
        R"({"format": "sorvel-extension", "version": 2,
            "collecteurs": [{"nom": "Rez-de-chaussée", "sorties": 12}, {"nom": "Étage", "sorties": 8}],
            "pieces": [)";
    std::string pieces;
    for (int n = 1; n <= 12; ++n)
        pieces += (n > 1 ? "," : "") + std::string(R"({"piece": )") + std::to_string(n) + R"(, "collecteur": )" +
                  (n >= 4 && n <= 8 ? "2}" : "1}");
    const struct {
        const char* quoi;
        std::string plx;
        std::vector<int> departs;
        std::vector<std::string> commande; // the manifolds to order, the CSV's manifolds section's end
        std::vector<int> boucles;          // equal loops of the first rooms
    } cas[] = {
        {"rempli dans l'ordre des pièces", "", {12, 2}, {"Collecteur 12 départs;2;u"}},
        {"par étage", parEtage + pieces + "]}", {8, 6}, {"Collecteur 8 départs;1;u", "Collecteur 12 départs;1;u"}},
        {"un seul de 24 sorties",
         R"({"format": "sorvel-extension", "version": 2, "collecteurs": [{"nom": "Collecteur 1", "sorties": 24}]})",
         {14}, {"Collecteur 24 départs;1;u"}},
        {"trois boucles égales dans la première pièce",
         R"({"format": "sorvel-extension", "version": 2, "collecteurs": [{"nom": "Collecteur 1", "sorties": 24}],
             "pieces": [{"piece": 1, "boucles": 3}]})",
         {16}, {"Collecteur 24 départs;1;u"}, {3, 1}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        fs::remove(dossier_ / "Maison.plx");
        if (!c.plx.empty())
            Ecrire("Maison.plx", c.plx);
        const Etude relue = Catalogue(DossierEtudes(QString::fromStdString(Dossier()))).Lire("Maison");
        const EtudeRecalculee attendu = RecalculerEtude(relue.Pieces, relue.Generales, relue.Collecteurs);
        const Sortie csv = Lancer({Dossier(), "Maison"});
        ASSERT_EQ(csv.statut, 0) << csv.erreurs;
        EXPECT_EQ(csv.sortie, CsvEtude(attendu));
        std::string fin;
        for (const std::string& ligne : c.commande)
            fin += ligne + "\n";
        EXPECT_NE(csv.sortie.find("\n\n" + fin + "\nBoucles\n"), std::string::npos) << csv.sortie;
        const Sortie json = Lancer({"--json", Dossier(), "Maison"});
        VerifierJson(json.sortie, "Maison", attendu);

        const QJsonObject objet = QJsonDocument::fromJson(QByteArray::fromStdString(json.sortie)).object();
        const QJsonArray collecteurs = objet["collecteurs"].toArray();
        double hauteurMaxi = 0;
        for (const QJsonValue& v : collecteurs)
            hauteurMaxi = std::max(hauteurMaxi, v["hauteurNecessaire"].toDouble());
        std::vector<int> departs;
        for (const QJsonValue& v : collecteurs) {
            departs.push_back(v["departs"].toInt());
            const double dp = hauteurMaxi - v["hauteurNecessaire"].toDouble();
            if (dp == 0)
                EXPECT_TRUE(v["kvCollecteur"].isNull());
            else
                EXPECT_NEAR(v["kvCollecteur"].toDouble(), v["debit"].toDouble() / 1000 / std::sqrt(dp * 9.80665 / 1e5),
                            1e-12);
        }
        EXPECT_EQ(departs, c.departs);
        const std::vector<int> boucles = c.boucles.empty() ? std::vector<int>{1, 1} : c.boucles;
        for (std::size_t i = 0; i < boucles.size(); ++i)
            EXPECT_EQ(objet["boucles"][i].toInt(), boucles[i]) << i;
        for (int rang = 1; rang <= boucles[0]; ++rang) {
            EXPECT_EQ(objet["equilibrage"][rang - 1]["rang"].toInt(), rang);
            EXPECT_NE(csv.sortie.find(";" + std::to_string(rang) + " sur " + std::to_string(boucles[0]) + "\n"),
                      std::string::npos);
        }
        if (collecteurs.size() == 1)
            for (qsizetype i = 0; i < collecteurs[0]["boucles"].toArray().size(); ++i) {
                const QJsonValue boucle = collecteurs[0]["boucles"][i], reglage = objet["equilibrage"][i];
                EXPECT_EQ(boucle["perteArtificielle"], reglage["perteArtificielle"]) << i;
                EXPECT_EQ(boucle["kv"], reglage["kv"]) << i;
            }
    }
}

} // namespace

// The CSV of the 12-room example kept with the sources, as a French
// spreadsheet reads it: every decimal number with a comma, the coverings'
// resistances included; no field is a number written with a point.
TEST_F(Outil, VirguleDecimale) {
    const Sortie csv = Lancer({SORVEL_DONNEES_TESTS, "Maison 12 pièces"});
    ASSERT_EQ(csv.statut, 0) << csv.erreurs;
    EXPECT_NE(csv.sortie.find(";5;0,05;0,1;"), std::string::npos) << csv.sortie;
    const std::regex point("(^|;)-?[0-9]*\\.[0-9]+(;|$)");
    std::istringstream lignes(csv.sortie);
    for (std::string ligne; std::getline(lignes, ligne);)
        EXPECT_FALSE(std::regex_search(ligne, point)) << ligne;
}
