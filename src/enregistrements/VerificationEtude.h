#pragma once

// The check of a loaded study, before anything is calculated from it: every
// field that the screens fill from a list holds one of the list's values,
// every number is finite, 0 or more and within the bounds of BornesSaisie,
// at most PiecesMaximumEtude rooms, one pressure-drop record per room. A
// study that fails is damaged: it is refused as a whole, with the file, the
// room and the field named as the screens name them. Pure C++.

#include "enregistrements/Enregistrements.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// The files of a stored study: its three record files, and the extension
// file that holds what the records cannot.
enum class FichierStocke {
    Generales, // name.plg, general data
    Pieces,    // name.pla, rooms
    Pertes,    // name.plp, loop pressure drops
    Extension, // name.plx, the site's climate, the details of the rooms' losses, the manifolds
};

// ".plg", ".pla", ".plp", ".plx".
const char* ExtensionFichier(FichierStocke fichier);

// The first fault of a damaged study.
struct DefautEtude {
    FichierStocke Fichier = FichierStocke::Generales;
    int Piece = 0;         // room number from 1; 0 for the general data or a fault of the whole file
    std::string NomPiece;  // that room's name as stored (UTF-8, trimmed); empty with Piece 0
    std::string Champ;     // caption of the field on its screen; empty for a fault of the whole file
    std::string Raison;    // why, in French, without a final full stop
    int Element = 0;         // within a room of the extension file: its element from 1; 0 for none
    std::string Designation; // that element's designation (UTF-8); may be empty
    int Collecteur = 0;        // a manifold of the extension file, from 1; 0 for none
    std::string NomCollecteur; // that manifold's name (UTF-8); may be empty
    bool operator==(const DefautEtude&) const = default;
};

// Checks the general data, then the rooms in order, then their pressure
// drops, and returns the first fault; nothing when the study is sound.
std::optional<DefautEtude> VerifierEtude(const DonneesGenerales& generales, const std::vector<DonneesPiece>& pieces,
                                         const std::vector<PerteCharge>& pertes);
// The same check of one room record, room `numero` (from 1).
std::optional<DefautEtude> VerifierPiece(const DonneesPiece& piece, int numero);

// The whole French message, `fichier` being the damaged file's path or name
// as the user knows it:
// "Le fichier « Maison.pla » est endommagé : pièce 2 « Séjour », champ
// « Surface de la pièce » : la valeur -3 est négative."
// Names and paths are shown with their control characters made visible, so
// that the message is never cut short.
std::string MessageDefautEtude(const DefautEtude& defaut, const std::string& fichier);
// Where and why, without the file: "pièce 2 « Séjour », élément 3 « Mur
// nord », champ « u » : la valeur -1 est négative", "collecteur 2 « Etage »,
// champ « sorties » : …".
std::string DescriptionDefaut(const DefautEtude& defaut);

} // namespace sorvel
