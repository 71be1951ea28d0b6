#include "ihm/Controles.h"
#include "ihm/FrmAide.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace sorvel;

// A window asked for at some place and size (its frame's corner, its inside)
// is kept whole on the screen's free area, frame included: no larger, moved
// in rather than cut.
TEST(PlaceFenetre, DansLaZone) {
    const QRect ecran800(0, 0, 800, 600), ecran1280(0, 0, 1280, 1024), aDroite(1280, 0, 1024, 768);
    const struct {
        QRect voulue, zone, attendue;
    } cas[] = {
        // The help window's type asks for 900 x 660 at (60, 40).
        {{60, 40, 900, 660}, ecran800, {0, 0, 800 - CadreFenetre.width(), 600 - CadreFenetre.height()}},
        {{60, 40, 900, 660}, ecran1280, {60, 40, 900, 660}},
        // Partly off the right and bottom edges: moved back, same size.
        {{900, 700, 400, 300}, ecran1280, {1280 - 400 - CadreFenetre.width(), 1024 - 300 - CadreFenetre.height(),
                                           400, 300}},
        // Above and left of the area: brought in.
        {{-50, -20, 400, 300}, ecran800, {0, 0, 400, 300}},
        // A second screen to the right of the first.
        {{60, 40, 900, 660}, aDroite, {1280, 40, 900, 660}},
        // No area known: as asked.
        {{60, 40, 900, 660}, QRect(), {60, 40, 900, 660}},
    };
    for (const auto& c : cas) {
        const QRect r = FrmAide::DansLaZone(c.voulue, c.zone);
        EXPECT_EQ(r, c.attendue) << c.voulue.x() << "," << c.voulue.y() << " " << c.voulue.width() << "x"
                                 << c.voulue.height() << " dans " << c.zone.width() << "x" << c.zone.height();
        if (!c.zone.isEmpty()) {
            EXPECT_TRUE(c.zone.contains(QRect(r.topLeft(), r.size() + CadreFenetre)));
        }
    }
}
