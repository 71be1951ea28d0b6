#pragma once

// Between the typed study and its records. Writing is exact: a value comes
// back as the same bytes every time. Reading expects a record that passed
// the study check (VerificationEtude): a list text the screens never offer
// then cannot occur, and an option index beyond its list is refused with
// std::invalid_argument.

#include "enregistrements/Enregistrements.h"
#include "etude/Etude.h"

namespace sorvel {

DonneesGenerales VersEnregistrement(const Installation& generales);
DonneesPiece VersEnregistrement(const Piece& piece);

Installation VersInstallation(const DonneesGenerales& enregistrement);
// A list text outside its list reads as not chosen.
Piece VersPiece(const DonneesPiece& enregistrement);

} // namespace sorvel
