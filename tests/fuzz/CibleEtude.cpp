// Fuzz target over stored studies: the input bytes are cut into the images
// of the three files of a study, which go through what opening a study does
// (record decoding, VerifierEtude, conversion to the typed study) and, when
// the study passes, through its recalculation (RecalculerEtude). It must
// never crash, never compute a study the check refused, lose nothing in the
// conversion of a study it accepted, and settle every study in a bounded
// number of trials of the throttling search.
//
// Layout of an input: byte 0 is the number n of room records; then the
// general-data image (10 bytes), the rooms image (n x 136 bytes), and the
// pressure-drop image (every byte left). A short input cuts the images
// short, as a truncated file would be.

#include "calcul/Hydraulique.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Textes.h"
#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"
#include "etude/RecalculEtude.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

using namespace sorvel;

namespace {

// Most drops the throttling search may try per room calculation, whatever
// the room; the recalculation calculates the study once, then again at each
// supply temperature of the list to find the lowest one.
constexpr std::int64_t EssaisParPieceMaximum = 1000;
constexpr std::int64_t CalculsParEtude = 1 + TempDepartHaute - TempDepartBasse + 1;

[[noreturn]] void Echec(const char* quoi) {
    std::fprintf(stderr, "fuzz_etude : %s\n", quoi);
    std::abort();
}

// The records of the three files, cut out of the input; nothing when the
// reader refuses them before the check (a general-data file that is not one
// record, files that are not whole numbers of records).
struct Enregistrements {
    DonneesGenerales generales;
    std::vector<DonneesPiece> pieces;
    std::vector<PerteCharge> pertes;
};

std::optional<Enregistrements> Decouper(const std::uint8_t* donnees, std::size_t taille) {
    if (taille == 0)
        return std::nullopt;
    std::string_view reste(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    auto prendre = [&reste](std::size_t longueur) {
        const std::string_view part = reste.substr(0, std::min(longueur, reste.size()));
        reste.remove_prefix(part.size());
        return part;
    };
    const std::string_view generales = prendre(DonneesGenerales::Longueur);
    const std::string_view pieces = prendre(donnees[0] * std::size_t{DonneesPiece::Longueur});
    if (generales.size() != DonneesGenerales::Longueur || pieces.size() % DonneesPiece::Longueur != 0
        || reste.size() % LongueurPerteCharge != 0)
        return std::nullopt;
    Enregistrements e{DecoderGenerales(generales.data()), {}, {}};
    for (std::size_t i = 0; i < pieces.size(); i += DonneesPiece::Longueur)
        e.pieces.push_back(DecoderPiece(pieces.data() + i));
    for (std::size_t i = 0; i < reste.size(); i += LongueurPerteCharge)
        e.pertes.push_back(DecoderPerte(reste.data() + i));
    return e;
}

// Every real of a recalculated study is finite: no Inf or NaN reaches an
// output; every loop gets its setting.
void VerifierFinis(const EtudeRecalculee& e) {
    bool finis = std::isfinite(e.Resultat.PerteMaxi) && std::isfinite(e.Resultat.DebitTotal);
    for (const LigneEtude& ligne : e.Resultat.Table.Pieces)
        for (const Cellule& c : ligne)
            finis = finis && std::isfinite(NombreCellule(c).value_or(0));
    for (const CelluleMateriel& c : e.Materiel)
        finis = finis && (!std::holds_alternative<double>(c) || std::isfinite(std::get<double>(c)));
    for (const ReglageBoucle& b : e.Equilibrage.Boucles)
        finis = finis && std::isfinite(b.Vitesse) && std::isfinite(b.Reynolds) && std::isfinite(b.Kv.value_or(0))
                && b.BouclesConseillees >= 1;
    if (!finis)
        Echec("valeur non finie dans l'étude recalculée");
}


// The typed study of accepted records, which must write back as the same
// records.
Etude Convertir(const Enregistrements& e) {
    Etude etude;
    try {
        etude.Generales = VersInstallation(e.generales);
        for (const DonneesPiece& d : e.pieces)
            etude.Pieces.push_back(VersPiece(d));
    } catch (const std::invalid_argument&) {
        Echec("étude acceptée mais non convertible");
    }
    bool inchangee = VersEnregistrement(etude.Generales) == e.generales;
    for (std::size_t i = 0; i < etude.Pieces.size(); ++i)
        inchangee = inchangee && VersEnregistrement(etude.Pieces[i]) == e.pieces[i];
    if (!inchangee)
        Echec("étude changée par la conversion");
    return etude;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::optional<Enregistrements> e = Decouper(donnees, taille);
    if (!e)
        return 0;
    if (const auto defaut = VerifierEtude(e->generales, e->pieces, e->pertes)) {
        // Refused: nothing is calculated; the message is whole and valid.
        const std::string message = MessageDefautEtude(*defaut, "Etude" + std::string(ExtensionFichier(defaut->Fichier)));
        if (message.find('\0') != std::string::npos || Utf8Valide(message) != message)
            Echec("message tronqué ou invalide");
        return 0;
    }
    // Accepted: what the check promises holds.
    if (e->pieces.size() > static_cast<std::size_t>(PiecesMaximumEtude) || e->pertes.size() != e->pieces.size())
        Echec("nombre de pièces accepté à tort");
    const Etude etude = Convertir(*e);
    for (const Piece& p : etude.Pieces)
        if (p.TempChute < ChuteBasse || p.TempChute > ChuteHaute || !std::isfinite(p.SurfacePiece) || p.SurfacePiece < 0
            || !p.TempPiece || !p.RthActuelle || !p.RthFuture)
            Echec("pièce acceptée à tort");

    const std::int64_t avant = EssaisDebitAFreiner();
    try {
        VerifierFinis(RecalculerEtude(etude.Pieces, etude.Generales));
    } catch (const ErreurCalculEtude& erreur) {
        // A room that cannot be calculated is named, whole.
        const std::string m = erreur.what();
        if (m.find("La pièce " + std::to_string(erreur.Piece()) + " « ") != 0 || Utf8Valide(m) != m)
            Echec("message de calcul tronqué ou invalide");
    } catch (const ErreurArithmetique&) {
        Echec("données générales acceptées à tort");
    }
    const std::int64_t essais = EssaisDebitAFreiner() - avant;
    if (essais > EssaisParPieceMaximum * CalculsParEtude * static_cast<std::int64_t>(etude.Pieces.size()))
        Echec("recherche du débit à freiner trop longue");
    return 0;
}
