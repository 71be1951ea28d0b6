#include "modele/SaisieClimat.h"

#include "commun/Nombres.h"
#include "etude/Etude.h"
#include "modele/SaisieDeperditions.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <iterator>

namespace sorvel {

namespace {

// The words of the thermal-bridge levels, in the order of the values offered.
constexpr std::array<const char*, std::size(PontsThermiquesProposes)> MotsPontsThermiques = {
    "ponts thermiques traités (rupteurs, isolation continue)",
    "isolation par l'extérieur, ponts thermiques limités",
    "isolation par l'intérieur, ponts thermiques courants",
    "ponts thermiques importants, non traités",
};

// Bounds far beyond any site of the country. The outdoor temperature stays
// below the coldest room the room screen offers (15 °C): no room with
// details is ever as cold as the outside it is designed for.
const BorneDeperditions BornesClimat[] = {
    {LegendeAltitude, 0, false, 5'000, "m"},
    {LegendeTempExterieure, -60, false, TempPieceBasse - 1, "°C"},
    {LegendeTempMoyenne, -30, false, 30, "°C"},
    {LegendeHauteurDefaut, 0, true, 20, "m"},
};

QString Nombre(double x) { return QString::fromStdString(FormatGeneral(x)); }

std::optional<double> ValeurClimat(const ClimatSite& c, const QString& legende) {
    if (legende == LegendeAltitude)
        return c.Altitude;
    if (legende == LegendeTempExterieure)
        return c.TempExterieure;
    if (legende == LegendeTempMoyenne)
        return c.TempMoyenneAnnuelle;
    if (legende == LegendeHauteurDefaut)
        return c.Hauteur;
    return std::nullopt;
}

// "69", "2A", "01" for "1": a department as the table writes it.
QString Departement(const QString& texte) {
    QString d = texte.trimmed().toUpper();
    if (d.size() == 1 && d[0].isDigit())
        d.prepend(QLatin1Char('0'));
    return d;
}

std::optional<double> Reel(const QString& texte) {
    return LireNombre(QString(texte).replace(QLatin1Char('.'), QLatin1Char(',')).toStdString());
}

} // namespace

QString TextePontsThermiques(double valeur) {
    const QString nombre = Nombre(valeur) + QStringLiteral(" W/(m².K)");
    for (std::size_t i = 0; i < MotsPontsThermiques.size(); ++i)
        if (PontsThermiquesProposes[i] == valeur)
            return nombre + QStringLiteral(" : ") + QString::fromUtf8(MotsPontsThermiques[i]);
    return nombre;
}

std::optional<std::pair<QString, QString>> RefusClimatSaisi(const ClimatSite& climat, const QString& legende) {
    const auto borne = std::find_if(std::begin(BornesClimat), std::end(BornesClimat),
                                    [&](const BorneDeperditions& b) { return b.Legende == legende; });
    const std::optional<double> valeur = ValeurClimat(climat, legende);
    if (borne == std::end(BornesClimat) || !valeur)
        return std::nullopt;
    return RefusBorneDeperditions(*borne, legende, *valeur);
}

std::optional<TableTemperaturesBase> TableTemperaturesBase::Lire(const QString& texte) {
    TableTemperaturesBase table;
    enum { Aucune, Zones, Temperatures } section = Aucune;
    for (const QString& brute : texte.split(QLatin1Char('\n'))) {
        const QString ligne = brute.trimmed();
        if (ligne.isEmpty() || ligne.startsWith(QLatin1Char('#')))
            continue;
        if (ligne == QStringLiteral("[zones]") || ligne == QStringLiteral("[temperatures]")) {
            section = ligne == QStringLiteral("[zones]") ? Zones : Temperatures;
            continue;
        }
        const QStringList c = ligne.split(QLatin1Char(';'));
        if (section == Zones && c.size() == 2 && !c[0].trimmed().isEmpty() && !c[1].trimmed().isEmpty()) {
            table.zones_.insert(Departement(c[0]), c[1].trimmed());
            continue;
        }
        const std::optional<double> altitude = c.size() == 3 ? Reel(c[1]) : std::nullopt;
        const std::optional<double> temperature = c.size() == 3 ? Reel(c[2]) : std::nullopt;
        if (section != Temperatures || !altitude || !temperature || c[0].trimmed().isEmpty())
            return std::nullopt;
        table.tranches_[c[0].trimmed()].push_back({*altitude, *temperature});
    }
    for (std::vector<Tranche>& tranches : table.tranches_)
        std::sort(tranches.begin(), tranches.end(),
                  [](const Tranche& a, const Tranche& b) { return a.AltitudeMaximale < b.AltitudeMaximale; });
    return table;
}

QString TableTemperaturesBase::Zone(const QString& departement) const {
    return zones_.value(Departement(departement));
}

std::optional<TableTemperaturesBase> ChargerTemperaturesBase(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return std::nullopt;
    return TableTemperaturesBase::Lire(QString::fromUtf8(fichier.readAll()));
}

PropositionTempBase ProposerTempExterieure(const std::optional<TableTemperaturesBase>& table,
                                           const QString& departement, std::optional<double> altitude) {
    const QString saisir = QStringLiteral(" : saisir celle du site.");
    if (!table)
        return {std::nullopt, QStringLiteral("La table des températures de base est absente ou illisible") + saisir};
    if (table->Vide())
        return {std::nullopt, QStringLiteral("La table des températures de base ne contient aucune valeur") + saisir};
    if (departement.trimmed().isEmpty())
        return {std::nullopt, QStringLiteral("Donner le département et l'altitude pour une proposition de la table.")};
    const QString zone = table->Zone(departement);
    if (zone.isEmpty())
        return {std::nullopt, QStringLiteral("Aucune valeur de la table pour le département « ") +
                                  departement.trimmed() + QStringLiteral(" »") + saisir};
    if (!altitude)
        return {std::nullopt, QStringLiteral("Donner l'altitude du site pour une proposition de la table.")};
    const std::vector<TableTemperaturesBase::Tranche> tranches = table->Tranches(zone);
    const auto tranche = std::find_if(tranches.begin(), tranches.end(), [&](const TableTemperaturesBase::Tranche& t) {
        return *altitude <= t.AltitudeMaximale;
    });
    if (tranche == tranches.end())
        return {std::nullopt, QStringLiteral("La table n'a pas de valeur pour cette altitude dans la zone ") + zone +
                                  saisir};
    const QString bande = tranche == tranches.begin()
                              ? QStringLiteral("jusqu'à ") + Nombre(tranche->AltitudeMaximale)
                              : QStringLiteral("de ") + Nombre(std::prev(tranche)->AltitudeMaximale) +
                                    QStringLiteral(" à ") + Nombre(tranche->AltitudeMaximale);
    return {tranche->TempExterieure, QStringLiteral("Proposée par la table : ") + Nombre(tranche->TempExterieure) +
                                         QStringLiteral(" °C (zone ") + zone + QStringLiteral(", ") + bande +
                                         QStringLiteral(" m).")};
}

} // namespace sorvel
