#include "stockage/ExtensionReglages.h"

#include "commun/Nombres.h"
#include "etude/DefautsPieces.h"

#include <QJsonArray>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace sorvel {

namespace {

constexpr const char* CleTemperatures = "temperatures";

// The keys of the details of the job, with their field.
constexpr std::pair<const char*, std::string RenseignementsEtude::*> ClesRenseignements[] = {
    {"client", &RenseignementsEtude::Client},
    {"chantier", &RenseignementsEtude::Chantier},
    {"installateur", &RenseignementsEtude::Installateur},
    {"coordonnees", &RenseignementsEtude::Coordonnees},
    {"notes", &RenseignementsEtude::Notes}};

QJsonObject Objet(const QJsonValue& v, const char* cle) {
    if (!v.isObject())
        throw RefusCle{cle, "la valeur doit être un objet JSON"};
    return v.toObject();
}

void ClesConnues(const QJsonObject& o, std::initializer_list<const char*> cles) {
    for (auto i = o.begin(); i != o.end(); ++i) {
        bool connue = false;
        for (const char* cle : cles)
            connue = connue || i.key() == QLatin1String(cle);
        if (!connue)
            throw RefusCle{i.key().toStdString(), "cette clé n'est pas connue de cette version de Sorvel"};
    }
}

// A whole number written as such: 4.5, "4", true or null is none.
int Entier(const QJsonValue& v, const std::string& cle) {
    if (!v.isDouble() || v.toDouble() != std::floor(v.toDouble()) || std::abs(v.toDouble()) > 1e6)
        throw RefusCle{cle, "la valeur doit être un nombre entier"};
    return static_cast<int>(v.toDouble());
}

std::optional<Resistance> Rth(const QJsonObject& o, const char* cle) {
    const QJsonValue v = o.value(QLatin1String(cle));
    if (v.isUndefined())
        return std::nullopt;
    if (!v.isDouble())
        throw RefusCle{cle, "la valeur doit être un nombre"};
    const double centiemes = v.toDouble() * 100;
    const std::optional<Resistance> r =
        std::abs(centiemes - std::round(centiemes)) < 1e-6 && std::abs(centiemes) < 1e6
            ? ResistanceEnCentiemes(static_cast<int>(std::round(centiemes)))
            : std::nullopt;
    if (!r)
        throw RefusCle{cle, "la valeur " + FormatGeneral(v.toDouble()) +
                                " n'est pas une résistance des listes (de 0,01 à 0,15 par 0,01)"};
    return r;
}

// Entry `entree` (from 1) of "temperatures": {"nom": "Séjour", "temperature": 20}.
TemperatureNommee Temperature(const QJsonValue& v, int entree) {
    const std::string ou = " (entrée " + std::to_string(entree) + " de « temperatures »)";
    if (!v.isObject())
        throw RefusCle{CleTemperatures, "la valeur doit être un objet JSON" + ou};
    const QJsonObject o = v.toObject();
    try {
        ClesConnues(o, {"nom", "temperature"});
        if (!o.value(QStringLiteral("nom")).isString())
            throw RefusCle{"nom", o.contains(QStringLiteral("nom")) ? "la valeur doit être un texte" : "il manque"};
        if (!o.contains(QStringLiteral("temperature")))
            throw RefusCle{"temperature", "il manque"};
        // Beyond the lists, VerifierDefautsPieces names it.
        return {o.value(QStringLiteral("nom")).toString().toStdString(),
                Entier(o.value(QStringLiteral("temperature")), "temperature")};
    } catch (RefusCle& refus) {
        refus.Raison += ou;
        throw;
    }
}

} // namespace

QJsonObject DefautsPiecesVersJson(const DefautsPieces& d) {
    if (const auto refus = VerifierDefautsPieces(d))
        throw RefusCle{refus->Champ, refus->Raison};
    QJsonArray temperatures;
    for (const TemperatureNommee& t : d.Temperatures)
        temperatures.append(QJsonObject{{"nom", QString::fromStdString(t.Nom)}, {"temperature", t.Temperature}});
    QJsonObject o{{CleTemperatures, temperatures},
                  {"tempChute", d.TempChute},
                  {"isoApport", d.IsoApport},
                  {"isoEmissions", d.IsoEmissions},
                  {"longRaccordNormale", d.LongRaccordNormale}};
    if (d.RthActuelle)
        o["rthActuelle"] = ValeurResistance(*d.RthActuelle);
    if (d.RthFuture)
        o["rthFuture"] = ValeurResistance(*d.RthFuture);
    return o;
}

QJsonObject RenseignementsVersJson(const RenseignementsEtude& r) {
    QJsonObject o;
    for (const auto& [cle, champ] : ClesRenseignements)
        if (!(r.*champ).empty())
            o[QLatin1String(cle)] = QString::fromStdString(r.*champ);
    return o;
}

namespace {

// A fault inside the object of key `cle` says so.
template <class F>
auto Dans(const char* cle, F lire) {
    try {
        return lire();
    } catch (RefusCle& refus) {
        if (refus.Champ != cle)
            refus.Raison += " (dans « " + std::string(cle) + " »)";
        throw;
    }
}

DefautsPieces Defauts(const QJsonValue& valeur) {
    const QJsonObject o = Objet(valeur, "defautsPieces");
    ClesConnues(o, {CleTemperatures, "tempChute", "rthActuelle", "rthFuture", "isoApport", "isoEmissions",
                    "longRaccordNormale"});
    DefautsPieces d;
    const QJsonValue temperatures = o.value(QLatin1String(CleTemperatures));
    if (!temperatures.isUndefined() && !temperatures.isArray())
        throw RefusCle{CleTemperatures, "la valeur doit être une liste"};
    for (const QJsonValue& v : temperatures.toArray())
        d.Temperatures.push_back(Temperature(v, static_cast<int>(d.Temperatures.size()) + 1));
    for (const auto& [cle, champ] : {std::pair{"tempChute", &DefautsPieces::TempChute},
                                     std::pair{"isoApport", &DefautsPieces::IsoApport},
                                     std::pair{"isoEmissions", &DefautsPieces::IsoEmissions}})
        if (o.contains(QLatin1String(cle)))
            d.*champ = Entier(o.value(QLatin1String(cle)), cle);
    d.RthActuelle = Rth(o, "rthActuelle");
    d.RthFuture = Rth(o, "rthFuture");
    const QJsonValue longueur = o.value(QStringLiteral("longRaccordNormale"));
    if (!longueur.isUndefined() && !longueur.isDouble())
        throw RefusCle{"longRaccordNormale", "la valeur doit être un nombre"};
    d.LongRaccordNormale = longueur.toDouble(0);
    if (const auto refus = VerifierDefautsPieces(d))
        throw RefusCle{refus->Champ, refus->Raison};
    return d;
}

RenseignementsEtude Renseignements(const QJsonValue& valeur) {
    const QJsonObject o = Objet(valeur, "renseignements");
    ClesConnues(o, {"client", "chantier", "installateur", "coordonnees", "notes"});
    RenseignementsEtude r;
    for (const auto& [cle, champ] : ClesRenseignements) {
        const QJsonValue v = o.value(QLatin1String(cle));
        if (!v.isUndefined() && !v.isString())
            throw RefusCle{cle, "la valeur doit être un texte"};
        r.*champ = v.toString().toStdString();
    }
    return r;
}

} // namespace

DefautsPieces LireDefautsPieces(const QJsonValue& valeur) {
    return Dans("defautsPieces", [&] { return Defauts(valeur); });
}

RenseignementsEtude LireRenseignements(const QJsonValue& valeur) {
    return Dans("renseignements", [&] { return Renseignements(valeur); });
}

} // namespace sorvel
