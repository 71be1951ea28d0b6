#pragma once

// The preview of the printed reports, and their printing. The page is drawn
// by the same routines as on paper (ModImprimer), as vectors at the zoom's
// scale, so that it stays sharp at every zoom. The report shown is the one
// the main window marks: of its preview menu entries, the one whose tag
// (QAction::data) is "1".

#include "ecrans/ImpressionEtude.h"
#include "ihm/FenetreAuxiliaire.h"
#include "rapports/ModImprimer.h"

#include <QCursor>
#include <QPointer>
#include <QSizeF>

#include <array>
#include <optional>

class QAction;
class QHBoxLayout;
class QMenuBar;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace sorvel {

// The picture's top, in twips (1/1440 inch) below the top of the view, when
// a zoom is chosen.
inline constexpr int HautImage = 480;

// One zoom of the preview: the scale the page is drawn at, the zoom label,
// and the vertical scroll bar. The bar moves the picture's top, in twips,
// from HautImage down to `Max` (negative: the page has gone up past the top
// of the view), by `PetitPas` per arrow and `GrandPas` per click in the
// bar.
struct ReglageZoom {
    double Echelle;
    const char* Libelle;
    int Max;
    int PetitPas;
    int GrandPas;
};

inline constexpr ReglageZoom ReglagesZoom[] = {
    {0.5, "50%", -500, 50, 100},
    {0.75, "75%", -5000, 100, 1000},
    {0.9, "100%", -7300, 200, 2000},
};

class FrmImprimer : public FenetreAuxiliaire {
    Q_OBJECT
public:
    // `impression` prints the report shown ("Imprimer"). `apercus`: the main
    // window's preview menu entries, in the order of Rapport, whose tags say
    // which report to draw.
    FrmImprimer(ImpressionEtude& impression, const std::array<const QAction*, NombreRapports>& apercus,
                QWidget* parent = nullptr);
    ~FrmImprimer() override;

    // The study to preview, as recalculated: page 1 of the marked report at
    // 50 %, the title "Sorvel. [" name "]".
    void Afficher(DonneesRapport donnees);

    // Chooses the zoom of scale `echelle` (0.5, 0.75 or 0.9; another scale
    // takes the nearest of them), and redraws the current page of the marked
    // report at that scale with the picture's top back at HautImage.
    void Zoom(double echelle);
    // Places the picture: centred across the view, its top where the scroll
    // bar says.
    void PosZoom();

    double Echelle() const { return ReglagesZoom[zoom_].Echelle; }
    // The picture's top in twips below the top of the view, as the scroll
    // bar places it (VsbBarre holds its opposite: a bar grows downwards).
    int HautImageTwips() const;
    int PageCourante() const { return page_; }
    int NombrePages() const;
    // The report drawn now.
    std::optional<Rapport> RapportAffiche() const;
    // The report whose menu tag is "1" (the site results when none is, or
    // when more than one is).
    Rapport RapportMarque() const;

    // Buttons and menu.
    void CmdPremiere_Click();
    void CmdPrecedente_Click();
    void CmdSuivante_Click();
    void CmdDerniere_Click();
    void CmdImprimer_Click();
    void CmdFermer_Click();
    // A click on the page: 50 % to 75 %, 75 % to 100 %, 100 % back to 50 %.
    void ImgAp_Click();

    // The page at 100 % with the scroll bar, the menu and the buttons.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // The parts of the window, built by the constructor.
    QMenuBar* CreerMenu();
    QHBoxLayout* CreerPage();
    QHBoxLayout* CreerBas();
    class ImageApercu;

    void AllerPage(int page);
    void MettreEnPage();
    void AfficherEtiquettes();
    void ReglerBarre();
    int PixelsDeTwips(double twips) const;
    double TwipsDePixels(int pixels) const;
    void ChargerCurseurs();

    ImpressionEtude& impression_;
    std::array<QPointer<const QAction>, NombreRapports> apercus_;
    std::optional<DonneesRapport> donnees_;
    std::optional<ModImprimer> mise_;
    int zoom_ = 0;
    int page_ = 1;

    // The zoom cursors, loaded once from the program's folder.
    bool plusCharge_ = false, moinsCharge_ = false;
    QCursor plus_, moins_;

    QWidget* vue_ = nullptr;
    ImageApercu* imgAp_ = nullptr;
    QScrollBar* vsbBarre_ = nullptr;
    QLabel* lblZoom_ = nullptr;
    QLabel* lblPage_ = nullptr;
    QPushButton* cmdPremiere_ = nullptr;
    QPushButton* cmdPrecedente_ = nullptr;
    QPushButton* cmdSuivante_ = nullptr;
    QPushButton* cmdDerniere_ = nullptr;
};

} // namespace sorvel
