#pragma once

// What the climate dialog shows and takes: the words of the thermal-bridge
// levels it offers, the bounds of its numbers, and the base outdoor
// temperature θe proposed for a department and an altitude from the table
// that lies beside the program (TemperaturesBase.txt). θe stays the user's
// to change; where the table has nothing, the user gives it.

#include "etude/Deperditions.h"

#include <QHash>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace sorvel {

// The captions of the dialog's fields.
inline const QString LegendeDepartement = QStringLiteral("Département");
inline const QString LegendeAltitude = QStringLiteral("Altitude");
inline const QString LegendeTempExterieure = QStringLiteral("Température extérieure de base");
inline const QString LegendeTempMoyenne = QStringLiteral("Température moyenne annuelle");
inline const QString LegendePontsThermiques = QStringLiteral("Ponts thermiques");
inline const QString LegendeHauteurDefaut = QStringLiteral("Hauteur sous plafond par défaut");

// A thermal-bridge level as the list shows it: "0,05 W/(m².K) : isolation
// par l'extérieur, ponts thermiques limités" for the four levels offered
// (PontsThermiquesProposes), the bare value for any other.
QString TextePontsThermiques(double valeur);

// The message by which the dialog refuses the number `climat` holds in the
// field captioned `legende`, as the room screen refuses its own; nothing
// when it fits, or for another caption.
std::optional<std::pair<QString, QString>> RefusClimatSaisi(const ClimatSite& climat, const QString& legende);

// The base outdoor temperatures of a table: each department in a zone, and
// each zone's temperature by altitude band.
class TableTemperaturesBase {
public:
    // A band of altitude: up to `AltitudeMaximale` m (above the band
    // before), θe `TempExterieure` °C.
    struct Tranche {
        double AltitudeMaximale;
        double TempExterieure;
    };

    // Reads the text of a table: lines "#" are comments; a line "[zones]"
    // opens lines "département;zone", a line "[temperatures]" opens lines
    // "zone;altitude maximale;θe" (numbers with a point or a comma). Nothing
    // when a line cannot be read.
    static std::optional<TableTemperaturesBase> Lire(const QString& texte);

    bool Vide() const { return zones_.isEmpty(); }
    // The zone of a department as typed ("69", " 2a", "1" for "01"); empty
    // when the table has none.
    QString Zone(const QString& departement) const;
    // The bands of a zone, lowest first.
    std::vector<Tranche> Tranches(const QString& zone) const { return tranches_.value(zone); }

private:
    QHash<QString, QString> zones_;
    QHash<QString, std::vector<Tranche>> tranches_;
};

// The table in the file `chemin` (UTF-8); nothing when it is missing or
// cannot be read.
std::optional<TableTemperaturesBase> ChargerTemperaturesBase(const QString& chemin);

// What the table proposes for a site, and what the dialog says of it beside
// θe: "Proposée par la table : -10 °C (zone G, de 200 à 400 m).", or why it
// proposes nothing ("Donner l'altitude du site pour une proposition de la
// table.", "Aucune valeur de la table pour le département « 69 » : saisir
// celle du site.").
struct PropositionTempBase {
    std::optional<double> TempExterieure;
    QString Texte;
};
PropositionTempBase ProposerTempExterieure(const std::optional<TableTemperaturesBase>& table,
                                           const QString& departement, std::optional<double> altitude);

} // namespace sorvel
