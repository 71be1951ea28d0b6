#include "etude/EquilibrageEtude.h"

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "etude/PresentationResultats.h"

#include <algorithm>
#include <cmath>

namespace sorvel {

namespace {

// Where the table keeps the figures of each loop of a room.
struct ColonnesBoucle {
    TypeBoucle Boucle;
    int Longueur, Debit, Perte, PerteArtificielle;
};
constexpr ColonnesBoucle ColonnesBoucles[] = {
    {TypeBoucle::Normale, ColonneEtude::LongueurNormale, ColonneEtude::DebitNormale, ColonneEtude::PerteNormale,
     ColonneEtude::PerteArtificielleNormale},
    {TypeBoucle::Bordure, ColonneEtude::LongueurBordure, ColonneEtude::DebitBordure, ColonneEtude::PerteBordure,
     ColonneEtude::PerteArtificielleBordure},
};

bool Rouge(double longueur, DiametreTube tube) {
    return FormatLongueurBoucle(longueur, tube).Couleur == CouleurValeur::Rouge;
}

} // namespace

const char* TexteBoucle(TypeBoucle boucle) { return boucle == TypeBoucle::Normale ? "normale" : "bordure"; }

std::string RangBoucle(const ReglageBoucle& b) { return std::to_string(b.Rang) + " sur " + std::to_string(b.Rangs); }

std::string TexteBoucleRang(const ReglageBoucle& b) {
    std::string texte = TexteBoucle(b.Boucle);
    if (b.Rangs > 1)
        texte += " (" + RangBoucle(b) + ")";
    return texte;
}

double KvVanne(double debit, double perte) {
    const char* etape = "Kv";
    const double q = Verifier(debit, etape) / 1000.0;                          // m³/h
    const double dp = Verifier(perte, etape) * PascalsParMmCE / PascalsParBar; // bar
    return Diviser(q, RacineCarree(dp, etape), etape);
}

int BouclesEgalesConseillees(double longueur, DiametreTube tube) {
    Verifier(longueur, "BouclesConseillees");
    if (!Rouge(longueur, tube))
        return 1;
    // Near the share of the red limit, then settled by the summary's own rule
    // (which compares the length as shown).
    const double estime = std::ceil(longueur / LongueurBoucleRouge(tube));
    int n = estime > 2.0 ? static_cast<int>(std::min(estime, 1e6)) : 2;
    while (n > 2 && !Rouge(longueur / (n - 1), tube))
        --n;
    while (Rouge(longueur / n, tube))
        ++n;
    return n;
}

std::optional<int> BouclesProposees(double longueurZone, double longRaccord, DiametreTube tube) {
    for (int m = 1; m <= BouclesMaximum; ++m)
        if (!Rouge(longueurZone / m + longRaccord, tube))
            return m;
    return std::nullopt;
}

namespace {

// One of the `n` equal loops (rank `rang`) that share the figures `b` of a
// room's loop: each carries its share of the flow through its own valve.
ReglageBoucle Rang(ReglageBoucle b, int rang, int n, double temperature, DiametreTube tube) {
    b.Rang = rang;
    b.Rangs = n;
    b.Debit = b.Debit / n;
    b.Vitesse = VitesseEau(b.Debit, tube);
    b.Reynolds = NombreReynolds(b.Debit, temperature, tube);
    // A drop too small to show is no setting: the valve stays open.
    if (Arrondir(b.PerteArtificielle, 2) > 0.0)
        b.Kv = KvVanne(b.Debit, b.PerteArtificielle);
    b.AlerteVitesse = Arrondir(b.Vitesse, 2) < VitesseMinimaleEau;
    b.AlerteLaminaire = EcoulementLaminaire(b.Reynolds);
    b.BouclesConseillees = BouclesEgalesConseillees(b.Longueur, tube);
    b.AlerteLongueur = b.BouclesConseillees > 1;
    b.BouclesConseillees *= n;
    return b;
}

} // namespace

std::vector<ReglageBoucle> ReglerBoucles(const ResultatEtude& resultat, const Installation& generales) {
    const auto depart = static_cast<std::int16_t>(generales.TempDepart);
    const TableEtude& table = resultat.Table;
    std::vector<ReglageBoucle> boucles;
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        const auto chute = NombreCellule(table.Cell(ColonneEtude::ChuteTemperature, i));
        // The pressure drops were computed at the room's mean water
        // temperature: the regime of the flow is the one they used.
        const double temperature = TempMoyenneEau(depart, CInt(chute.value_or(std::nan("")), "ChuteTemperature"));
        const auto* nom = std::get_if<std::string>(&table.Cell(ColonneEtude::Designation, i));
        for (const ColonnesBoucle& c : ColonnesBoucles) {
            const auto longueur = NombreCellule(table.Cell(c.Longueur, i));
            const auto debit = NombreCellule(table.Cell(c.Debit, i));
            const auto perte = NombreCellule(table.Cell(c.Perte, i));
            const auto artificielle = NombreCellule(table.Cell(c.PerteArtificielle, i));
            if (!longueur || !debit || !perte || !artificielle)
                continue; // a room without an edge loop of its own
            const ReglageBoucle piece{.Piece = i, .NomPiece = nom ? *nom : std::string(), .Boucle = c.Boucle,
                                      .Longueur = *longueur, .Debit = *debit, .Perte = *perte,
                                      .PerteArtificielle = *artificielle};
            // The normal zone may be laid as equal loops; an edge loop of its
            // own is one loop.
            const int n = c.Boucle == TypeBoucle::Normale ? BouclesPiece(resultat, i) : 1;
            for (int rang = 1; rang <= n; ++rang)
                boucles.push_back(Rang(piece, rang, n, temperature, generales.Tube));
        }
    }
    return boucles;
}

namespace {

// Room `piece` at the supply temperature of `g` can be calculated and needs
// no supplementary heat. Whether a room needs supplementary heat, or cannot
// be calculated, depends on the room and the general data alone: the rooms
// before it only set the drop its loops are balanced against, which moves
// no other figure and cannot fail with finite drops.
bool SansAppoint(const Piece& piece, const Installation& g) {
    try {
        const ResultatsPiece r = CalculPiece(EntreesDepuisPiece(piece, g, 0));
        return !(r.AppointActuelle > 0.0 || r.AppointFuture > 0.0);
    } catch (const ErreurArithmetique&) {
        return false;
    }
}

} // namespace

std::optional<int> TempDepartMinimale(const std::vector<Piece>& pieces, const Installation& generales) {
    Installation g = generales;
    // The room that kept the last temperature from qualifying is tried first
    // at the next one: the same room usually keeps the next one out too.
    std::optional<std::size_t> obstacle;
    for (int t = TempDepartBasse; t <= TempDepartHaute; ++t) {
        g.TempDepart = t;
        if (obstacle && !SansAppoint(pieces[*obstacle], g))
            continue;
        // The rooms are calculated as the study is, but only until one needs
        // supplementary heat: the temperature then does not qualify.
        std::size_t n = 0;
        bool appoint = false;
        try {
            ParcourirEtude(pieces, g, [&](const ResultatsPiece& r, LigneEtude&&) {
                appoint = r.AppointActuelle > 0.0 || r.AppointFuture > 0.0;
                ++n;
                return !appoint;
            });
        } catch (const ErreurCalculEtude& e) {
            // Some room cannot be calculated at this temperature.
            obstacle = static_cast<std::size_t>(e.Piece() - 1);
            continue;
        }
        if (!appoint)
            return t;
        obstacle = n - 1;
    }
    return std::nullopt;
}

EquilibrageEtude CalculerEquilibrage(const std::vector<Piece>& pieces, const Installation& generales,
                                     const ResultatEtude& resultat) {
    return {ReglerBoucles(resultat, generales), TempDepartMinimale(pieces, generales), generales.Tube};
}

} // namespace sorvel
