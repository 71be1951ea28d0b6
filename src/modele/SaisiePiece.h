#pragma once

// The room being entered or edited through the four room screens: its
// inputs as the screens leave them, its calculation against the study, and
// its acceptance into the study.

#include "calcul/ModCalcul.h"
#include "etude/DefautsPieces.h"
#include "etude/Etude.h"
#include "etude/PresentationResultats.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace sorvel {

class EtudeEnCours;

// The names the room screen proposes, in the order of its list.
QStringList NomsProposesPiece();
// The pitch a new room's edge zone starts with (what the load type screen
// first shows).
inline constexpr PasVZ PasBordureNouvellePiece = PasVZ::VZ10;

// The question before the room being entered is dropped with its changes:
// "Abandonner les modifications de la pièce « Cuisine » ?", "… de la
// nouvelle pièce ?" while it has no name.
inline const QString TitreAbandonPiece = QStringLiteral("Abandon de la saisie.");
QString QuestionAbandonPiece(const QString& nom);

// Heat (W) through `surface` m² of floor over an insulation `epaisseur` cm
// thick (2 to 8; 0 without one): the estimates of the ceiling gain and of
// the downward emission offered by the room screen.
double FluxAtraversIsolant(double surface, std::optional<int> epaisseur);
// The floor of `piece` that can be heated, m²: its area less the fixed
// obstacles. The edge zone may take at most half of it.
double SurfaceUtilePiece(const Piece& piece);
// Caption of the room screens: "Données de la pièce (Séjour)", or without the
// brackets while the room has no name.
QString LegendePiece(const QString& nom);

// The message by which an entry screen refuses the number `piece` holds in
// the field captioned `legende`: beyond its bound the study check would
// refuse the study when it is opened again, so it is never written. Title:
// the caption and "."; text: "La valeur de « Surface de la pièce » doit être
// comprise entre 0 et 10000 m² !". Nothing when the number fits or the
// field has no bound.
std::optional<std::pair<QString, QString>> RefusNombreSaisi(const Piece& piece, const QString& legende);

// What the connecting pipes screen proposes beside "Nombre de boucles (zone
// normale)": the fewest equal loops whose length, connecting pipes
// included, the summary does not show red.
struct PropositionBoucles {
    std::optional<int> Boucles; // none: even BouclesMaximum are red, or the room cannot be calculated
    QString Texte;              // "Proposition : 3 boucles de 98,6 m"
    QString InfoBulle;          // the lengths and the limit in words
    FormatValeur Format;        // bold orange when even the most loops are red
};

class SaisiePiece {
public:
    explicit SaisiePiece(EtudeEnCours& etude) : etude_(etude) {}

    // "Ajouter une pièce": refused (and told) when the study is full. The
    // room starts from the study's defaults (DefautsPieces).
    bool CommencerNouvellePiece();
    // The temperature the study's defaults give a new room named `nom`,
    // while the user has not chosen one by hand (NoterTemperatureChoisie);
    // nothing for a room being edited, or a name the defaults do not know.
    std::optional<int> TemperatureProposee(const QString& nom) const;
    // The user chose the room's temperature: the name no longer sets it.
    void NoterTemperatureChoisie() { temperatureChoisie_ = true; }
    // "Modifier/Visionner une pièce" on row `n` of the rooms list: refused
    // (and told) for an empty row or a record that cannot be read.
    bool OuvrirPiece(int n);
    // "&Annuler" on a room screen: the entries are dropped and the study is
    // as modified as it was before the room was started or opened.
    void AbandonnerPiece();
    // "&Annuler" or Escape on a room screen, `affichee` being the room as
    // its screens now show it. A room that differs from what it was when it
    // was started or opened (PieceChangee) is dropped only when the user says
    // so (QuestionAbandonPiece, Oui/Non, Non by default); then, or without a
    // change, it goes as AbandonnerPiece says and the answer is true. False:
    // the room stays as it is.
    bool DemanderAbandon(const Piece& affichee);
    // `affichee` differs from the room as it was started or opened: any
    // choice, text or detail, or a number other than the screens showed
    // (numbers are compared as their fields write them, so that a value
    // shown rounded and read back is no change).
    bool PieceChangee(const Piece& affichee) const;
    // The room as its screens first show it, once filled: its changes are
    // counted from there.
    void NoterDepart(const Piece& affichee) {
        if (saisie_)
            depart_ = affichee;
    }
    // The rooms of the study were renumbered: the room being edited keeps
    // its record, whose number is now `nouveau(n)`.
    void Renumeroter(const std::function<int(int)>& nouveau);
    // No room is being entered any more.
    void Finir();
    // Another study: no room entered, none edited last.
    void Reinitialiser();
    // The study changed apart from the room being entered (its manifolds,
    // another room's loops): abandoning the room keeps it modified.
    void NoterChangementEtude() {
        if (saisie_)
            modifieAvantSaisie_ = true;
    }

    // A room is being entered or edited.
    bool EnCours() const { return saisie_; }
    bool NouvellePiece() const { return nouvellePiece_; }
    // Number of the room being edited, 0 for none or a new room.
    int PieceCourante() const { return pieceCourante_; }
    // The room being entered, as the screens left it.
    const Piece& PieceEnSaisie() const { return piece_; }
    // A screen hands over its part of the room.
    void ModifierPieceEnSaisie(const std::function<void(Piece&)>& modification) { modification(piece_); }

    // Calculates the room being entered against the largest pressure drop
    // recorded in the study. False (and a "Calcul impossible." message that
    // explains why) when it cannot be calculated.
    bool CalculerPiece();
    // The results of the room calculated last.
    const ResultatsPiece& Resultats() const { return resultats_; }
    // The proposal for `piece`, the room being entered as its screens now
    // show it, from a trial calculation: nothing is written, nothing told.
    PropositionBoucles ProposerBoucles(const Piece& piece) const;
    // "trop longue : N boucles" of the balancing window: the normal zone of
    // room `n` (from 1) laid as `boucles` equal loops, the room recalculated
    // against the study and written back as "&OK" writes an edited room, the
    // study modified. True, and nothing written, when the room already has
    // that many loops. False, told ("Nombre de boucles.") and nothing changed
    // when the room is open on the room screens, when `boucles` is beyond
    // 1 to BouclesMaximum, or when the room cannot be read, calculated or
    // written.
    bool PartagerZoneNormale(int n, int boucles);

    // The 29 rows of the results screen for the room calculated last, with
    // the study's pipe; before any calculation, their titles and units.
    std::array<LigneResultatPiece, NombreLignesResultats> LignesResultats() const;
    // "&OK": the room calculated last goes into the study (appended, or
    // written over its record when edited). False (and told) when a file
    // refused it; the room then stays on screen.
    bool AccepterPiece();

    // `piece` calculated against `perteMax`; nothing, and the user told why
    // ("Calcul impossible."), when it cannot be.
    std::optional<ResultatsPiece> Calculer(const Piece& piece, double perteMax) const;

private:
    // Room `n` (an edited one, or count + 1 for a new one) written as
    // calculated into `resultats`, with the general data; false, and told,
    // when a file refused it.
    bool Ecrire(int n, const Piece& piece, const ResultatsPiece& resultats);

    EtudeEnCours& etude_;
    bool saisie_ = false;
    bool modifieAvantSaisie_ = false;
    bool nouvellePiece_ = false;
    bool temperatureChoisie_ = false;
    int pieceCourante_ = 0;
    Piece piece_;
    Piece depart_; // the room as it was started or opened
    ResultatsPiece resultats_;
};

} // namespace sorvel
