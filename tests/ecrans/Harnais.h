#pragma once

// What the screen tests share beyond the gestures: the main window started
// on a studies folder, rooms entered or written, the working files read.

#include "Gestes.h"
#include "ecrans/MDIPlancher.h"
#include "etude/Etude.h"

#include <QRect>

#include <functional>
#include <memory>
#include <vector>

namespace sorvel::test {

// The path of `nom` in the studies folder of the test's program folder.
QString CheminEtudes(const QString& nom);

// A desk with room to spare, where the main window opens at its own size.
inline const QRect GrandEcran(0, 0, 1280, 1024);
// Builds the main window on the studies folder beside the program and shows
// it (first activation included), on a screen `largeurEcran` pixels wide
// whose windows may take `zoneDisponible`.
std::unique_ptr<MDIPlancher> Demarrer(int largeurEcran = 1280, const QRect& zoneDisponible = GrandEcran);
// Same, on the studies folder `dossierEtudes`.
std::unique_ptr<MDIPlancher> DemarrerDans(const QString& dossierEtudes, int largeurEcran = 1280,
                                          const QRect& zoneDisponible = GrandEcran);
// Builds the main window, starts a new study, chooses the supply
// temperature `tempDepart` (unless empty) and goes on to the rooms list.
std::unique_ptr<MDIPlancher> DemarrerEtude(const QString& tempDepart = {});

// From the rooms list, adds a room and enters a valid one (normal load,
// "Séjour", 20 °C, 20 m² less 2 m², 1500 W, 50 W downward, Rth 0.05) up to
// page `page` of the room screens (1 to 4), which is then showing.
void SaisirPieceJusquALaPage(MDIPlancher& f, int page);

// The stops of the way through every entry screen.
enum class Arret { Generales, Circuits, Charge, Commentaire, Piece, Apport, Emissions, Conduites, Resultats };
// From the rooms list, the way a user goes through every entry screen: the
// general data, the rooms list, then a room whose edge zone has a loop of
// its own (3 m², the tallest connecting pipes page), the explanation of the
// load type unfolded and the two panels of the room data opened on the way.
// `voir` is called at each stop with the screen showing.
void ParcourirLesEcrans(MDIPlancher& f, const std::function<void(Arret, QWidget*)>& voir);

// The rooms `pieces` in the working files, as if accepted one by one; the
// rooms list shows them.
void AjouterPieces(MDIPlancher& f, const std::vector<Piece>& pieces);

} // namespace sorvel::test
