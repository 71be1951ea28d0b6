#pragma once

// The recalculated study as CSV for a French spreadsheet: the separator is
// ";", a line of column headings, one line per room (numbers rounded to 2
// decimals with a decimal comma, the coverings' resistances too: "0,05"),
// then, after an empty line, one line
// "designation;value;unit" per material quantity, then, after another, the
// balancing section, and, for a study with a climate or rooms whose losses
// are detailed, after another, the losses section; last, after another, the
// manifolds section. The batch tool prints it and the summary window
// exports it; the balancing window exports its section alone: one writer
// for all. Pure C++.

#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Materiel.h"
#include "etude/PresentationDeperditions.h"
#include "etude/RecalculEtude.h"

#include <string>
#include <string_view>
#include <vector>

namespace sorvel {

// A text field: control characters shown by their symbols (a CSV line
// holds no raw control byte), quoted when it holds the separator or a
// quote, a quote doubled inside.
std::string ChampCsv(std::string_view texte);

// The balancing section: a line "Équilibrage", a line of column headings
// in words with their units ("Débit (l/h)"), one line per loop as the balancing
// window shows it, an empty line and the line "Température de départ
// minimale sans appoint;38;°C" (or ";aucune (appoint nécessaire même à
// 50 °C);").
std::string CsvEquilibrage(const EquilibrageEtude& equilibrage);

// The losses section: a line "Déperditions", the climate's lines
// "Température extérieure de base;-10;°C", an empty line, the table of
// every element of the rooms with details (headings "Pièce;Désignation;…;
// Φ (W)"), an empty line, the table of their balances (one line per room,
// with the values its fields hold and whether they were typed over), an
// empty line and the study's totals, the rooms without details named.
std::string CsvDeperditions(const DeperditionsEtude& deperditions);

// The manifolds section: a line "Collecteurs", the headings of the
// manifolds ("Collecteur;Sorties;Départs;Débit total (l/h);…") and one line
// per manifold, an empty line, the headings of the outlets
// ("Collecteur;Sortie;Pièce;Boucle;…") and one line per loop, manifold by
// manifold, by outlet, then an empty line and the manifolds to order, one
// line "Collecteur 12 départs;2;u" per size used. The balancing and the
// outlets end with a column "Boucles": which of its room's equal loops the
// loop is, "2 sur 3".
std::string CsvCollecteurs(const std::vector<FiguresCollecteur>& collecteurs);

// The loops section: a line "Boucles", the headings "Pièce;Boucles" and one
// line per room with the equal loops of its normal zone.
std::string CsvBoucles(const ResultatEtude& resultat);

// The whole CSV text (UTF-8, lines ended by "\n"); without material (a
// study without rooms) the material part, the balancing section and their
// empty lines are left out; without climate nor details (AvecDeperditions),
// the losses section and its empty line.
std::string CsvEtude(const ResultatEtude& resultat, const std::vector<CelluleMateriel>& materiel,
                     const EquilibrageEtude& equilibrage, const DeperditionsEtude& deperditions = {});
// The whole CSV of the recalculated study `etude` and the losses of its
// detailed rooms: the text above, then, for a study with rooms, an empty
// line and the manifolds section, so that what came before is the same
// text whatever the manifolds.
std::string CsvEtude(const EtudeRecalculee& etude, const DeperditionsEtude& deperditions = {});

} // namespace sorvel
