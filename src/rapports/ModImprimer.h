#pragma once

// The printed reports: the site results report (rooms table, then the
// general data and the material to order), the summary report (the 41
// quantities of every room), the losses report (the climate, then every
// room whose losses are detailed, element by element) and the site's
// commissioning sheet (every manifold, the flow and the valve setting of
// each of its outlets). One set of drawing
// routines draws any page of any report on a QPainter at a scale, so that
// the preview, the printer and the PDF files show the same pages.
//
// The page is laid out once, in points (1/72 inch) of the paper, from the
// paper size and the font's own metrics, never from the device drawn on: a
// page has the same content and the report the same page count whatever the
// scale or resolution it is drawn at. Nothing here reads a file; the study,
// already recalculated, is handed in.

#include "etude/CalculEtude.h"
#include "etude/Etude.h"
#include "etude/Materiel.h"
#include "etude/PresentationChantier.h"
#include "etude/PresentationDeperditions.h"
#include "etude/PresentationRecapitulatif.h"
#include "rapports/FicheReglage.h"

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <span>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace sorvel {

enum class Rapport {
    Chantier,      // site results: rooms table, then "Données générales"
    Recapitulatif, // summary: 41 labelled rows, the rooms as columns
    Deperditions,  // losses: the climate, each detailed room's elements and balance
    Reglage,       // commissioning sheet: each manifold, its outlets' flows and valves
};
inline constexpr int NombreRapports = static_cast<int>(Rapport::Reglage) + 1;

// What a report prints, all computed beforehand.
struct DonneesRapport {
    std::string NomEtude;             // as the main window shows it
    QDate Date;                       // printed "Date : 06/12/2026"
    Installation Generales;
    ResultatEtude Resultat;           // CalculEtude of the study
    std::vector<CelluleMateriel> Materiel; // Materiel(Resultat.Table, Generales)
    DeperditionsEtude Deperditions;   // CalculerDeperditionsEtude of the study
    std::vector<FiguresCollecteur> Collecteurs; // the study's manifolds, recalculated
    RenseignementsEtude Renseignements; // client, site and installer in every header; notes after the site results
};

// The line under the header of every page: "Client : Dupont — Chantier : 12
// rue des Lilas, Lyon — Installateur : Thermo Services", the parts given
// only, the lines of a text joined by ", "; empty when none is given.
QString LigneRenseignements(const RenseignementsEtude& renseignements);

// A text drawn on a page: the text as drawn (shortened with "…" when it had
// to be) and its box, in points from the paper's top-left corner.
struct BoiteTexte {
    QString Texte;
    QRectF Cadre;
    bool operator==(const BoiteTexte&) const = default;
};

// The columns of a printed table, side by side: their widths in points,
// the text's margins included, and how their texts are aligned.
struct ColonnesTable {
    std::vector<double> Largeurs;
    std::vector<Qt::Alignment> Alignements;
    // The room of column `c`'s text, `hauteur` high from `y`, in a table
    // starting at `gauche`.
    QRectF Zone(double gauche, std::size_t c, double y, double hauteur) const;
};

// An A4 sheet in points (210 x 297 mm).
QSizeF TailleA4();

// The font family the reports print in: "Arial" when the system has it,
// otherwise its metric-compatible "Liberation Sans", otherwise whatever the
// system gives for "Arial". Needs a QGuiApplication.
QString FamillePolice();

// "06/12/2026".
QString DateFrancaise(const QDate& date);

// Device pixels for one point of the paper on `device` at `echelle`: the
// preview sizes its page as TaillePage() times this.
double PixelsParPoint(const QPaintDevice& device, double echelle);

class ModImprimer {
public:
    // Lays the report out on paper of `page` points. Needs a QGuiApplication
    // (fonts).
    ModImprimer(DonneesRapport donnees, Rapport rapport, QSizeF page = TailleA4());

    Rapport TypeRapport() const { return rapport_; }
    QSizeF TaillePage() const { return page_; }
    // 2 for the site results while the rooms fit one page (each further page
    // of rooms adds one, and so do the notes where they do not fit below
    // the general data); for the summary, as many pages as the rooms need
    // side by side; for the losses, as many as the rooms need one below the
    // other (a room moves whole to the next page when it fits one); for
    // the commissioning sheet, as many as the manifolds need, kept whole
    // likewise.
    int NombrePages() const { return nombrePages_; }

    // Draws page `page` (1 .. NombrePages()) with its top-left corner at the
    // painter's origin, every length and font size multiplied by `echelle`
    // (1 on paper; 0.5, 0.75, 0.9 in the preview). Returns the boxes of the
    // texts drawn, at scale 1.
    std::vector<BoiteTexte> DessinerPage(QPainter& peintre, int page, double echelle = 1.0) const;

    // Every page at scale 1 on a painter already begun on `device`, a new
    // sheet between two pages (printer or PDF writer).
    void DessinerToutesLesPages(QPainter& peintre, QPagedPaintDevice& device) const;

    // The report's title: "Résultats chantier", "Récapitulatif",
    // "Déperditions" or "Fiche de réglage".
    QString Titre() const;

private:
    class Feuille;

    void DessinerCadre(Feuille& f) const;
    void DessinerPied(Feuille& f, int page) const;
    void DessinerPieces(Feuille& f, int page) const;
    void DessinerDonneesGenerales(Feuille& f) const;
    // The notes of the study, after the general data.
    void MettreEnPageNotes();
    void DessinerNotes(Feuille& f, int page) const;
    void DessinerRecapitulatif(Feuille& f, int page) const;
    void DessinerLegendeRecap(Feuille& f, double y) const;
    void MettreEnPageChantier();
    void MettreEnPageRecapitulatif();
    void MettreEnPageDeperditions();

    // The losses report: what goes where, page by page, from the top.
    struct PlaceDeperditions {
        enum class Genre { Climat, TitrePiece, Entete, Element, Bilan, Totaux } Quoi;
        int Piece = 0;  // the room, in DeperditionsEtude::Pieces
        int Ligne = 0;  // the element; for a room's title, 1 when it goes on from the page before
        double Y = 0;   // points from the sheet's top
    };
    void DessinerPlace(Feuille& f, const PlaceDeperditions& place) const;

    // The commissioning sheet likewise: the study's line, then each
    // manifold's title, figures and warnings, its table's headings and rows.
    struct PlaceReglage {
        enum class Genre { Etude, Titre, Figures, Entete, Sortie } Quoi;
        int Collecteur = 0; // in DonneesRapport::Collecteurs
        int Ligne = 0;      // the row; for a title, 1 when it goes on from the page before
        double Y = 0;
    };
    void MettreEnPageReglage();
    void DessinerPlace(Feuille& f, const PlaceReglage& place) const;

    // What the blocks of the losses and commissioning reports share.
    static void DessinerLignes(Feuille& f, const std::vector<LigneDonneeGenerale>& lignes, double gauche,
                               double droite, double y, double rangee);
    // A block's title at the left, " (suite)" after it on the pages it goes
    // on over, and its figures `info` against the right-hand limit.
    void DessinerTitreBloc(Feuille& f, const QString& titre, const QString& info, bool suite, double y) const;
    void DessinerEntete(Feuille& f, const ColonnesTable& t, std::span<const char* const> titres,
                        std::span<const char* const> unites, double y) const;
    void DessinerRangee(Feuille& f, const ColonnesTable& t, std::span<const std::string> cellules, double y) const;
    template <class Place>
    void DessinerPlaces(Feuille& f, const std::vector<std::vector<Place>>& pages, int page) const;

    DonneesRapport donnees_;
    Rapport rapport_;
    QSizeF page_;
    int nombrePages_ = 1;

    // Paper, in points.
    double gauche_ = 0, droite_ = 0;   // left margin, right-hand limit
    double hautContenu_ = 0;           // below the header and the title
    double basContenu_ = 0;            // above the footer

    // Site results: the rooms table.
    std::vector<LigneChantier> pieces_;
    std::vector<LigneDonneeGenerale> generales_;
    // Widths of its columns: the room names, then the values.
    std::array<double, NombreColonnesChantier> largeursChantier_{};
    double hauteurLigne_ = 0;
    int lignesParPage_ = 1;
    int pagesPieces_ = 1;
    struct PlaceNote {
        int Page;
        double Y;
        QString Texte;
        bool Titre;
    };
    std::vector<PlaceNote> notes_;
    // Height of the line of the study's details under the header; 0 without.
    double hauteurRenseignements_ = 0;

    // Summary.
    Recapitulatif recap_;
    double taille_ = 9;                // font size of the table
    double hauteurRangee_ = 0;
    double largeurLibelle_ = 0, largeurUnite_ = 0, largeurPiece_ = 0;
    int piecesParPage_ = 1;

    // Losses: the columns of the elements tables (the designation takes
    // what the others leave), and the places of every page.
    ColonnesTable elements_;
    std::vector<std::vector<PlaceDeperditions>> pagesDeperditions_;

    // Commissioning sheet: the columns of the manifolds' tables (the room
    // takes what the others leave), and the places of every page.
    ColonnesTable sorties_;
    std::vector<std::vector<PlaceReglage>> pagesReglage_;
};

} // namespace sorvel
