// Fuzz target over stored studies: the input bytes are cut into the images
// of the three files of a study, which go through what opening a study does
// (record decoding, VerifierEtude) and, when the study passes, through the
// recalculation and the material list. It must never crash, never compute a
// study the check refused, and settle every study in a bounded number of
// trials of the throttling search.
//
// Layout of an input: byte 0 is the number n of room records; then the
// general-data image (10 bytes), the rooms image (n x 136 bytes), and the
// pressure-drop image (every byte left). A short input cuts the images
// short, as a truncated file would be.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Textes.h"
#include "etude/BornesSaisie.h"
#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Enregistrements.h"
#include "etude/Materiel.h"
#include "etude/VerificationEtude.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace sorvel;

namespace {

// Most drops the throttling search may try per room, whatever the room.
constexpr std::int64_t EssaisParPieceMaximum = 1000;

[[noreturn]] void Echec(const char* quoi) {
    std::fprintf(stderr, "fuzz_etude : %s\n", quoi);
    std::abort();
}

// The images of the three files, cut out of the input.
struct Images {
    std::string_view generales, pieces, pertes;
};

Images Decouper(const std::uint8_t* donnees, std::size_t taille) {
    Images im;
    if (taille == 0)
        return im;
    const std::string_view tout(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t n = static_cast<unsigned char>(tout[0]);
    std::string_view reste = tout.substr(1);
    auto prendre = [&reste](std::size_t longueur) {
        const std::string_view part = reste.substr(0, std::min(longueur, reste.size()));
        reste.remove_prefix(part.size());
        return part;
    };
    im.generales = prendre(DonneesGenerales::Longueur);
    im.pieces = prendre(n * DonneesPiece::Longueur);
    im.pertes = reste;
    return im;
}

// Every real of a recalculated study is finite: no Inf or NaN reaches an
// output.
void VerifierFinis(const ResultatEtude& r, const std::vector<CelluleMateriel>& materiel) {
    if (!std::isfinite(r.PerteMaxi) || !std::isfinite(r.DebitTotal))
        Echec("total non fini");
    for (const LigneEtude& ligne : r.Table.Pieces)
        for (const Cellule& c : ligne)
            if (const auto x = NombreCellule(c); x && !std::isfinite(*x))
                Echec("cellule non finie");
    for (const CelluleMateriel& c : materiel)
        if (const double* x = std::get_if<double>(&c); x && !std::isfinite(*x))
            Echec("matériel non fini");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const Images im = Decouper(donnees, taille);
    // What the reader refuses before the check: a general-data file that is
    // not one record, files that are not whole numbers of records.
    if (im.generales.size() != DonneesGenerales::Longueur || im.pieces.size() % DonneesPiece::Longueur != 0
        || im.pertes.size() % PerteCharge::Longueur != 0)
        return 0;
    const DonneesGenerales generales = DecoderGenerales(im.generales.data());
    std::vector<DonneesPiece> pieces;
    for (std::size_t i = 0; i < im.pieces.size(); i += DonneesPiece::Longueur)
        pieces.push_back(DecoderPiece(im.pieces.data() + i));
    std::vector<PerteCharge> pertes;
    for (std::size_t i = 0; i < im.pertes.size(); i += PerteCharge::Longueur)
        pertes.push_back(DecoderPerte(im.pertes.data() + i));

    if (const auto defaut = VerifierEtude(generales, pieces, pertes)) {
        // Refused: nothing is calculated; the message is whole and valid.
        const std::string message = MessageDefautEtude(*defaut, "Etude" + std::string(ExtensionFichier(defaut->Fichier)));
        if (message.find('\0') != std::string::npos || Utf8Valide(message) != message)
            Echec("message tronqué ou invalide");
        return 0;
    }
    // Accepted: what the check promises holds.
    if (pieces.size() > static_cast<std::size_t>(PiecesMaximumEtude) || pertes.size() != pieces.size())
        Echec("nombre de pièces accepté à tort");
    for (const DonneesPiece& p : pieces)
        if (p.TypeCharge < 0 || p.TypeCharge > 3 || p.TempChute < 3 || p.TempChute > 20 || !std::isfinite(p.SurfacePiece)
            || p.SurfacePiece < 0)
            Echec("pièce acceptée à tort");

    const std::int64_t avant = EssaisDebitAFreiner();
    try {
        const ResultatEtude r = CalculEtude(pieces, generales);
        VerifierFinis(r, Materiel(r.Table, generales));
        // Every loop of a calculated study gets its setting, all finite.
        for (const ReglageBoucle& b : ReglerBoucles(r, generales))
            if (!std::isfinite(b.Vitesse) || !std::isfinite(b.Reynolds) || (b.Kv && !std::isfinite(*b.Kv))
                || b.BouclesConseillees < 1)
                Echec("réglage de boucle non fini");
    } catch (const ErreurCalculEtude& e) {
        // A room that cannot be calculated is named, whole.
        const std::string m = e.what();
        if (m.find("La pièce " + std::to_string(e.Piece()) + " « ") != 0 || Utf8Valide(m) != m)
            Echec("message de calcul tronqué ou invalide");
    } catch (const ErreurArithmetique&) {
        Echec("données générales acceptées à tort");
    }
    const std::int64_t essais = EssaisDebitAFreiner() - avant;
    if (essais > EssaisParPieceMaximum * static_cast<std::int64_t>(std::max<std::size_t>(pieces.size(), 1)))
        Echec("recherche du débit à freiner trop longue");
    return 0;
}
