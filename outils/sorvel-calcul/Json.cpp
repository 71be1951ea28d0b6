#include "Json.h"

#include "commun/Textes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

using namespace sorvel;

namespace {

// Any bytes as a JSON string: valid UTF-8 first, so that a damaged name
// gives the same replacement characters as everywhere else in the tool.
QJsonValue Texte(std::string_view octets) {
    // Most cells are short ASCII texts ("20", "0.05"): held as Latin-1,
    // they cost no conversion.
    if (std::all_of(octets.begin(), octets.end(), [](char c) { return c > 0 && c < 0x7F; }))
        return QLatin1String(octets.data(), static_cast<qsizetype>(octets.size()));
    const std::string utf8 = Utf8Valide(octets);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A cell of the study table: its text, its number, or "" where the room
// has no such quantity.
QJsonValue Valeur(const Cellule& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return Texte(*t);
    if (const auto* x = std::get_if<double>(&c))
        return *x;
    if (const auto* n = std::get_if<std::int32_t>(&c))
        return *n;
    return QString();
}

QJsonValue Valeur(const CelluleMateriel& c) {
    if (const auto* t = std::get_if<std::string>(&c))
        return Texte(*t);
    return std::get<double>(c);
}

// A number, or null for none (a valve left open, a value not given).
QJsonValue Facultatif(const std::optional<double>& x) { return x ? QJsonValue(*x) : QJsonValue(QJsonValue::Null); }

// One loop of the balancing: its room (from 1), which loop, the figures at
// full precision, the valve's Kv (null when left open), the warnings by name.
QJsonObject Boucle(const ReglageBoucle& b) {
    QJsonArray alertes;
    if (b.AlerteVitesse)
        alertes.append(QLatin1String("vitesse"));
    if (b.AlerteLaminaire)
        alertes.append(QLatin1String("laminaire"));
    if (b.AlerteLongueur)
        alertes.append(QLatin1String("longueur"));
    // Inserted in the order the object keeps its keys (sorted), each key
    // after the last: no key is moved.
    QJsonObject o;
    o.insert(QLatin1String("alertes"), alertes);
    o.insert(QLatin1String("boucle"), QLatin1String(TexteBoucle(b.Boucle)));
    o.insert(QLatin1String("bouclesConseillees"), b.BouclesConseillees);
    o.insert(QLatin1String("debit"), b.Debit);
    o.insert(QLatin1String("kv"), Facultatif(b.Kv));
    o.insert(QLatin1String("perte"), b.Perte);
    o.insert(QLatin1String("perteArtificielle"), b.PerteArtificielle);
    o.insert(QLatin1String("piece"), b.Piece);
    o.insert(QLatin1String("rang"), b.Rang);
    o.insert(QLatin1String("vitesse"), b.Vitesse);
    return o;
}

// The site's climate, with the keys of the study's extension file; an
// altitude or annual mean not given is null.
QJsonValue Climat(const std::optional<ClimatSite>& climat) {
    if (!climat)
        return QJsonValue::Null;
    QJsonObject o;
    o.insert(QLatin1String("altitude"), Facultatif(climat->Altitude));
    o.insert(QLatin1String("departement"), Texte(climat->Departement));
    o.insert(QLatin1String("hauteur"), climat->Hauteur);
    o.insert(QLatin1String("pontsThermiques"), climat->PontsThermiques);
    o.insert(QLatin1String("tempExterieure"), climat->TempExterieure);
    o.insert(QLatin1String("tempMoyenneAnnuelle"), Facultatif(climat->TempMoyenneAnnuelle));
    return o;
}

// The losses of a room with details: signed and unrounded, and whether
// its fields were typed over.
QJsonObject Deperditions(const DeperditionsPieceCalculees& p) {
    const ResultatDeperditions& r = p.Resultat;
    QJsonObject o;
    o.insert(QLatin1String("debitAir"), r.DebitAir);
    o.insert(QLatin1String("piece"), p.Piece);
    o.insert(QLatin1String("plancher"), r.Plancher);
    o.insert(QLatin1String("relance"), r.Relance);
    o.insert(QLatin1String("saisieManuelle"), p.SaisieManuelle());
    o.insert(QLatin1String("total"), r.Total);
    o.insert(QLatin1String("transmission"), r.Transmission);
    o.insert(QLatin1String("ventilation"), r.Ventilation);
    return o;
}

// A loop at its outlet: its room (from 1), which loop, its flow in l/h and
// l/min, its drop and artificial drop within its manifold, its valve's Kv
// (null when left open), the flow meter's warning.
QJsonObject Sortie(const BoucleCollecteur& b) {
    QJsonArray alertes;
    if (b.AlerteDebitmetre)
        alertes.append(QLatin1String("debitmetre"));
    QJsonObject o;
    o.insert(QLatin1String("alertes"), alertes);
    o.insert(QLatin1String("boucle"), QLatin1String(TexteBoucle(b.Boucle.Boucle)));
    o.insert(QLatin1String("debit"), b.Boucle.Debit);
    o.insert(QLatin1String("debitLmin"), b.DebitLmin);
    o.insert(QLatin1String("kv"), Facultatif(b.Kv));
    o.insert(QLatin1String("perte"), b.Boucle.Perte);
    o.insert(QLatin1String("perteArtificielle"), b.PerteArtificielle);
    o.insert(QLatin1String("piece"), b.Boucle.Piece);
    o.insert(QLatin1String("rang"), b.Boucle.Rang);
    o.insert(QLatin1String("sortie"), b.Sortie);
    return o;
}

// A manifold, its balancing against the others and its loops by outlet.
QJsonObject FiguresJson(const FiguresCollecteur& c) {
    QJsonArray alertes, boucles;
    if (c.AlerteSorties)
        alertes.append(QLatin1String("sorties"));
    for (const BoucleCollecteur& b : c.Boucles)
        boucles.append(Sortie(b));
    QJsonObject o;
    o.insert(QLatin1String("alertes"), alertes);
    o.insert(QLatin1String("boucles"), boucles);
    o.insert(QLatin1String("debit"), c.Debit);
    o.insert(QLatin1String("departs"), c.Departs);
    o.insert(QLatin1String("hauteurNecessaire"), c.HauteurNecessaire);
    o.insert(QLatin1String("kvCollecteur"), Facultatif(c.KvCollecteur));
    o.insert(QLatin1String("nom"), Texte(c.Definition.Nom));
    o.insert(QLatin1String("perteMaxi"), c.PerteMaxi);
    o.insert(QLatin1String("sorties"), c.Definition.Sorties);
    return o;
}

} // namespace

QByteArray JsonEtude(const std::string& nom, const EtudeRecalculee& etude, const DeperditionsEtude& deperditions) {
    const ResultatEtude& r = etude.Resultat;
    QJsonArray pieces;
    for (const LigneEtude& ligne : r.Table.Pieces) {
        QJsonArray cellules;
        for (const Cellule& c : ligne)
            cellules.append(Valeur(c));
        pieces.append(cellules);
    }
    QJsonArray materiel;
    for (const CelluleMateriel& c : etude.Materiel)
        materiel.append(Valeur(c));
    QJsonArray boucles;
    for (const ReglageBoucle& b : etude.Equilibrage.Boucles)
        boucles.append(Boucle(b));
    QJsonArray pertes;
    for (const DeperditionsPieceCalculees& p : deperditions.Pieces)
        pertes.append(Deperditions(p));
    QJsonArray collecteurs;
    for (const FiguresCollecteur& c : etude.Collecteurs)
        collecteurs.append(FiguresJson(c));
    QJsonArray nombres;
    for (int i = 1; i <= r.Table.NombrePieces(); ++i)
        nombres.append(BouclesPiece(r, i));
    const std::optional<int> temperature = etude.Equilibrage.TempDepartMinimale;
    const QJsonObject objet{
        {QStringLiteral("etude"), Texte(nom)},
        {QStringLiteral("PerteMaxi"), r.PerteMaxi},
        {QStringLiteral("DebitTotal"), r.DebitTotal},
        {QStringLiteral("pieces"), pieces},
        {QStringLiteral("materiel"), materiel},
        {QStringLiteral("equilibrage"), boucles},
        {QStringLiteral("climat"), Climat(deperditions.Climat)},
        {QStringLiteral("collecteurs"), collecteurs},
        {QStringLiteral("boucles"), nombres},
        {QStringLiteral("deperditions"), pertes},
        {QStringLiteral("TempDepartMinimale"), temperature ? QJsonValue(*temperature) : QJsonValue(QJsonValue::Null)}};
    return QJsonDocument(objet).toJson(QJsonDocument::Compact) + '\n';
}
