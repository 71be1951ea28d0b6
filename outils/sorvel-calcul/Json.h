#pragma once

// sorvel-calcul --json: the recalculated study as one JSON object, written
// by Qt's JSON classes (QJsonDocument), on one line.

#include "etude/PresentationDeperditions.h"
#include "etude/RecalculEtude.h"

#include <QByteArray>

#include <string>

// {"DebitTotal", "PerteMaxi", "TempDepartMinimale", "climat", "collecteurs",
// "deperditions", "equilibrage", "etude", "materiel", "pieces"}: every object's keys in the
// order QJsonObject keeps them (sorted), the numbers in their shortest form
// that reads back as the same double, the texts as valid UTF-8 (a byte that
// begins no well-formed sequence becomes U+FFFD). Ends with a line feed.
QByteArray JsonEtude(const std::string& nom, const sorvel::EtudeRecalculee& etude,
                     const sorvel::DeperditionsEtude& deperditions);
