#pragma once

// The rooms list's commands on the rooms of the study: a room deleted, and
// the last deletion undone; a room duplicated; a room moved up or down; and
// the key figures shown beside each name. Every change goes through the
// working files as one replacement (FichiersTravail): a room's record, its
// pressure drops and what the extension file keeps for it (details,
// manifold, loops) always move together.

#include "etude/PresentationResultats.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace sorvel {

class EtudeEnCours;
struct PieceRetiree;

// The name of the copy of a room named `nom`, its record holding at most
// `longueur` characters: "Séjour (copie)", then "Séjour (copie 2)", … when
// `pris` already holds that name. A name too long for the suffix is cut
// first (its trailing spaces removed), so that the suffix always shows.
QString NomCopie(const QString& nom, const QStringList& pris, int longueur);

// What the rooms list shows beside a room's name, as the summary shows it.
struct ChiffresPiece {
    QString Surface;          // "20 m²": the room's area
    QString Chaleur;          // "1533 W": the heat its floor must deliver (corrected losses), whole watts
    QString Boucle;           // "85,3 m", or "2 × 60,5 m" for equal loops: its normal loop
    FormatValeur FormatBoucle; // orange or red beyond the pipe's limits
    QString Appoint;          // "120 W": the larger supplementary heat, whole watts; empty without any
    FormatValeur FormatAppoint;
    bool operator==(const ChiffresPiece&) const = default;
};

class ListePieces {
public:
    explicit ListePieces(EtudeEnCours& etude);
    ~ListePieces();

    // "Supprimer une pièce" on row `k`: asks first ("Non" by default). True
    // when it is gone; it is then the room "Annuler la suppression" brings
    // back.
    bool Supprimer(int k);
    // A deleted room can be brought back: one was deleted since the study
    // was started or opened, and not brought back yet.
    bool PeutAnnulerSuppression() const { return retiree_ != nullptr; }
    // "Annuler la suppression": the last deleted room back at its number,
    // with its records and what the extension file kept for it; with nothing
    // else changed since, every working file is again what it was before the
    // deletion. Its number, or nothing (told) when there is none to bring
    // back, the study is full, or a file refuses it.
    std::optional<int> AnnulerSuppression();
    // "Dupliquer la pièce" on row `k`: a copy right after it (NomCopie),
    // with its details, manifold and loops. The copy's number, or nothing
    // (told) for an empty row, a full study or a file that refuses it.
    std::optional<int> Dupliquer(int k);
    // "Monter" and "Descendre" on row `k`: the room changes places with the
    // one before (after) it. Its new number; nothing (told for an empty row)
    // when it cannot move.
    std::optional<int> Monter(int k);
    std::optional<int> Descendre(int k);

    // The key figures of every room in order, from a recalculation that
    // tells nothing: the rooms from the first that cannot be calculated on
    // have none (an empty ChiffresPiece); none at all when the rooms cannot
    // be read.
    std::vector<ChiffresPiece> Chiffres() const;

private:
    // Row `k` holds a room; told when not ("… aucune pièce ne peut être
    // dupliquée !", `participe` saying what was to be done).
    bool PieceExiste(int k, const QString& titre, const QString& participe);
    // Rooms k and k + 1 exchanged; the room being edited follows its record.
    bool Echanger(int k);
    // The study changed by a command of this list: modified, the rooms list
    // shown again.
    void Changee();

    EtudeEnCours& etude_;
    std::unique_ptr<PieceRetiree> retiree_;
};

} // namespace sorvel
