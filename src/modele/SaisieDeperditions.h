#pragma once

// What the losses dialog of the room screen shows and takes, beside the
// calculation itself (etude/Deperditions.h): the words of its lists, the U
// values a user expects to be offered, the bounds of its numbers, its
// results as the details are typed, and the state of the two losses fields
// of the room screen: worked out from the details, or typed by hand
// ("saisie manuelle", the typed values then being the ones used).

#include "etude/Deperditions.h"
#include "etude/Etude.h"

#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace sorvel {

class EtudeEnCours;

// The lists of the dialog, in the order they show.
inline constexpr NatureElement NaturesElements[] = {NatureElement::Mur, NatureElement::Fenetre, NatureElement::Porte,
                                                    NatureElement::Plancher, NatureElement::Plafond};
inline constexpr ContactElement ContactsElements[] = {ContactElement::Exterieur, ContactElement::NonChauffe,
                                                      ContactElement::Sol, ContactElement::Chauffe};
// "Mur", "Fenêtre", "Porte", "Plancher", "Plafond".
QString LibelleNature(NatureElement nature);
// "Extérieur", "Local non chauffé", "Terre-plein", "Local chauffé".
QString LibelleContact(ContactElement contact);

// A U value commonly met for an element of a nature, W/(m².K), and what it
// describes: indicative values, for a user who lacks the element's own.
struct ValeurUsuelle {
    double U;
    const char* Description; // UTF-8
};
std::span<const ValeurUsuelle> ValeursUUsuelles(NatureElement nature);
// "0,3 W/(m².K) : mur isolé (12 cm d'isolant)".
QString TexteValeurUsuelle(const ValeurUsuelle& valeur);

// The captions of the dialog's numbers, which its refusals name. The fields
// of an element are named by their column and the element's number:
// "Surface de l'élément 2".
inline const QString LegendeSurface = QStringLiteral("Surface");
inline const QString LegendeU = QStringLiteral("U");
inline const QString LegendeB = QStringLiteral("Facteur b");
inline const QString LegendeTempVoisin = QStringLiteral("Température du local voisin");
inline const QString LegendeRenouvellement = QStringLiteral("Renouvellement d'air");
inline const QString LegendeDebitExtrait = QStringLiteral("Débit extrait");
inline const QString LegendeHauteur = QStringLiteral("Hauteur sous plafond");
inline const QString LegendeRelance = QStringLiteral("Relance");
QString LegendeElement(const QString& colonne, int numero);

// The bound of a number of the losses and climate dialogs: from `Minimum`
// (excluded when `MinimumExclu`) to `Maximum`, in `Unite` (UTF-8, may be
// empty).
struct BorneDeperditions {
    QString Legende;
    double Minimum;
    bool MinimumExclu;
    double Maximum;
    const char* Unite;
};
// The refusal of `valeur` in the field captioned `legende` by `borne`: its
// title (the caption and ".") and its text; nothing when it fits.
std::optional<std::pair<QString, QString>> RefusBorneDeperditions(const BorneDeperditions& borne, const QString& legende,
                                                                  double valeur);

// The message by which the dialog refuses the number `details` holds in the
// field captioned `legende` (title: the caption and "."), as the room
// screen refuses its own: "La valeur de « U de l'élément 3 » doit être
// comprise entre 0 et 20 W/(m².K) !", or "Donner le facteur b de l'élément
// 2 !" for a value its contact needs. Nothing when it fits, or for another
// caption. Every bound lies far beyond any dwelling.
std::optional<std::pair<QString, QString>> RefusDetailSaisi(const DeperditionsPiece& details, const QString& legende);

// The losses the details give the room `piece` (its temperature and
// surface as on screen) in the site's climate; when they cannot be worked
// out, why, as a French sentence ("Choisir la température de la pièce.").
struct BilanDeperditions {
    std::optional<ResultatDeperditions> Resultat;
    QString Raison;
};
BilanDeperditions BilanDetails(const DeperditionsPiece& details, const std::optional<ClimatSite>& climat,
                               const Piece& piece);

// Caption of the dialog: "Déperditions de la pièce (Séjour)", or without
// the brackets while the room has no name.
QString LegendeDeperditions(const QString& nom);

// What "OK" of the dialog will do to the room screen's fields, said below
// its results: "« OK » mettra 547 W dans les déperditions de la pièce et 0 W
// dans celles du plancher.", preceded by "Saisie manuelle sur la page : 1850
// W et 240 W. " when the fields hold other values (not both empty); the reason when the
// details cannot be worked out.
QString TexteSuiteDetails(const Piece& piece, const BilanDeperditions& bilan);

// A power as the dialog shows it, to the tenth of a watt: "547,2 W".
QString TexteWatts(double watts);
// An air flow: "15 m³/h".
QString TexteDebitAir(double debit);

// Where the two losses fields of a room come from.
enum class OrigineDeperditions {
    Saisie,         // no details: typed
    Detail,         // both hold what the details give
    SaisieManuelle, // details kept, but the typed values differ (or the details cannot be worked out)
};
struct EtatDeperditions {
    OrigineDeperditions Origine = OrigineDeperditions::Saisie;
    BilanDeperditions Bilan; // of the details, when the room has some
};
EtatDeperditions EtatChampsDeperditions(const Piece& piece, const std::optional<ClimatSite>& climat);
// What the room screen and the dialog say of it: empty without details;
// "Valeurs calculées d'après le détail des parois." ; "Saisie manuelle : le
// détail des parois donne 1234 W et 210 W." (room, floor) ; "Saisie
// manuelle : le détail des parois ne peut pas être calculé. " followed by
// the reason.
QString TexteEtatDeperditions(const EtatDeperditions& etat);

// Before the losses dialog opens: without a climate for the site, says so
// and asks whether to give it now.
enum class AvantDeperditions { Pret, DefinirClimat, Renoncer };
AvantDeperditions PreparerDeperditions(EtudeEnCours& etude);

// "OK" of the losses dialog: `details` go into the room being entered, and
// the values of the two fields they give are returned (room, floor), as
// ValeurChampDeperditions rounds them. Nothing, and told why, when they
// cannot be worked out for `piece` (the room as on screen).
std::optional<std::pair<double, double>> AppliquerDetails(EtudeEnCours& etude, const DeperditionsPiece& details,
                                                          const Piece& piece);

} // namespace sorvel
