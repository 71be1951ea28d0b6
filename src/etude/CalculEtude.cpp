#include "etude/CalculEtude.h"

#include "calcul/Diagnostic.h"
#include "calcul/ModCalcul.h"
#include "commun/Nombres.h"
#include "commun/Textes.h"

#include <string_view>

namespace sorvel {

const std::array<const char*, NombreColonnesEtude> TitresColonnesEtude = {
    "Désignation", "T° pièce", "Surface pièce", "Surface emprises", "Surface utile",
    "Surface normale", "Surface bordure", "Surface plafond", "Déperd. pièce", "Déperd. plancher",
    "Apport plafond", "Déperd. corrigées", "Em. basses", "Isolation plancher", "Isolation plafond",
    "Em. nécess. pièce", "Em. zone bordure", "Em. nécess. normale", "Em. util. normale", "P. thermique",
    "Chute Départ/Retour", "Rth actuelle", "Rth future", "Appoint Rth Ac.", "Appoint Rth Fu.",
    "VZ zone normale", "VZ zone bordure", "Lng zone normale", "Lng zone bordure", "Em Cr. normale",
    "Em Cr. bordure", "Débit zone normale", "Débit zone bordure", "Débit Frein. Rth Ac",
    "Débit Frein. Rth Fu", "Pertes normale", "Pertes bordure", "Pertes Art. normale",
    "Pertes Art. bordure", "T° Sup. normale", "T° Sup. bordure"};

std::optional<double> NombreCellule(const Cellule& c) {
    if (const double* x = std::get_if<double>(&c))
        return *x;
    if (const std::int32_t* n = std::get_if<std::int32_t>(&c))
        return static_cast<double>(*n);
    return std::nullopt;
}

ErreurCalculEtude::ErreurCalculEtude(int piece, std::string nomPiece, const ErreurArithmetique& erreur,
                                     const std::string& cause)
    // The name comes from the record as it stands: its control characters
    // are made visible so that what() is never cut short at a NUL.
    : std::runtime_error("La pièce " + std::to_string(piece) + " « " + TexteAffichable(nomPiece)
                         + " » ne peut pas être calculée : " + TexteAffichable(cause) + "."),
      piece_(piece), nomPiece_(std::move(nomPiece)), erreur_(erreur) {}

const char* TexteSupport(const DonneesGenerales& g) { return g.Support == 0 ? "Treillis" : "Plots"; }
const char* TexteTube(const DonneesGenerales& g) { return g.Tube == 0 ? "13x16" : "16x20"; }

namespace {

// A whole number of degrees held as text ("45", "20").
std::int16_t Degres(const std::string& texte, const char* etape) {
    const auto valeur = LireNombre(texte);
    if (!valeur)
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return CInt(*valeur, etape);
}

LigneEtude LignePiece(const DonneesPiece& d, const ResultatsPiece& r) {
    const bool boucle = d.TypeCharge == 1; // independent edge loop
    const bool zone = d.TypeCharge != 0;   // edge zone
    LigneEtude l;
    auto poser = [&l](int k, Cellule c) { l[static_cast<std::size_t>(k - 1)] = std::move(c); };
    poser(1, Nettoyer(d.NomPiece));
    poser(2, Nettoyer(d.TempPiece));
    poser(3, d.SurfacePiece);
    poser(4, d.SurfaceEmprises);
    poser(5, d.SurfacePiece - d.SurfaceEmprises);
    poser(6, r.SurfaceNormale);
    poser(7, r.SurfaceBordureCalculee);
    poser(8, Verifier(d.SurfacePlafond, "SurfacePlafond"));
    poser(9, d.DeperdPiece);
    poser(10, d.DeperdPlancher);
    poser(11, d.ApportPlafond);
    poser(12, r.DeperdCorrigees);
    poser(13, d.EmissionsBas);
    poser(14, Nettoyer(d.IsoEmissions));
    poser(15, Nettoyer(d.IsoApport));
    poser(16, r.EmissionNecessairePiece);
    poser(17, MiniMaxi(r.CoefBordureActuelle, r.CoefBordureFuture, "Mini"));
    poser(18, r.EmissionNecessaireNormale);
    poser(19, r.EmissionUtiliseeNormale);
    poser(20, Verifier(r.PuissanceNormale + r.PuissanceBordure + r.EmissionRaccordNormale + r.EmissionRaccordBordure,
                       "PuissanceThermique"));
    poser(21, static_cast<std::int32_t>(d.TempChute));
    poser(22, Nettoyer(d.RthActuelle));
    poser(23, Nettoyer(d.RthFuture));
    poser(24, r.AppointActuelle);
    poser(25, r.AppointFuture);
    poser(26, r.PasVZNormale);
    if (zone)
        poser(27, Nettoyer(d.PasVZBordure));
    poser(28, Verifier(r.LongueurNormale + d.LongRaccordNormale, "LongueurNormale"));
    if (boucle)
        poser(29, Verifier(r.LongueurBordure + d.LongRaccordBordure, "LongueurBordure"));
    poser(30, r.EmissionRaccordNormale);
    if (boucle)
        poser(31, r.EmissionRaccordBordure);
    poser(32, r.DebitNormale);
    if (boucle)
        poser(33, r.DebitBordure);
    poser(34, r.DebitFreinActuelle);
    poser(35, r.DebitFreinFuture);
    poser(36, r.PerteNormale);
    if (boucle)
        poser(37, r.PerteBordure);
    poser(38, r.PerteArtificielleNormale);
    if (boucle)
        poser(39, r.PerteArtificielleBordure);
    poser(40, r.TempSurfaceNormale);
    if (zone)
        poser(41, r.TempSurfaceBordure);
    return l;
}

} // namespace

void EquilibrerEtude(TableEtude& table, double perteMaxi) {
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        if (const auto pn = NombreCellule(table.Cell(36, i)); pn && *pn < perteMaxi)
            table.Cell(38, i) = perteMaxi - *pn;
        if (const auto pb = NombreCellule(table.Cell(37, i)); pb && *pb < perteMaxi)
            table.Cell(39, i) = perteMaxi - *pb;
    }
}

std::string ExpliquerEchecPiece(const DonneesPiece& piece, const DonneesGenerales& generales,
                                const ErreurArithmetique& erreur) {
    try {
        return ExpliquerEchec(EntreesDepuisEnregistrements(piece, generales, 0), erreur);
    } catch (const ErreurArithmetique&) {
        return ExpliquerEchec(EntreesPiece{}, erreur); // the failed input speaks for itself
    }
}

EntreesPiece EntreesDepuisEnregistrements(const DonneesPiece& d, const DonneesGenerales& generales,
                                          double perteMax) {
    EntreesPiece e;
    e.TempDepart = Degres(Nettoyer(generales.TempDepart), "TempDepart");
    e.Support = TexteSupport(generales);
    e.Tube = TexteTube(generales);
    e.TempChute = d.TempChute;
    e.TempPiece = Degres(Nettoyer(d.TempPiece), "TempPiece");
    e.TypeCharge = d.TypeCharge;
    e.SurfacePiece = d.SurfacePiece;
    e.SurfaceEmprises = d.SurfaceEmprises;
    e.SurfaceBordure = d.SurfaceBordure;
    e.RthActuelle = Nettoyer(d.RthActuelle);
    e.RthFuture = Nettoyer(d.RthFuture);
    e.PasVZBordure = Nettoyer(d.PasVZBordure);
    e.DeperdPiece = d.DeperdPiece;
    e.DeperdPlancher = d.DeperdPlancher;
    e.ApportPlafond = d.ApportPlafond;
    e.LongRaccordNormale = d.LongRaccordNormale;
    e.LongRaccordBordure = d.LongRaccordBordure;
    e.LongDistri = d.LongDistri;
    e.EmissionsBas = d.EmissionsBas;
    e.PerteMaxEtude = perteMax;
    return e;
}

ResultatEtude CalculEtude(const std::vector<DonneesPiece>& pieces, const DonneesGenerales& generales) {
    ResultatEtude resultat;
    // A supply temperature that is no number stops the whole pass before any room.
    Degres(Nettoyer(generales.TempDepart), "TempDepart");

    // Largest PerteMax of the rooms recalculated so far in this pass, replaced
    // only by a strictly larger one.
    double perteMaxPasse = 0;
    resultat.Table.Pieces.reserve(pieces.size());
    for (std::size_t n = 0; n < pieces.size(); ++n) {
        const DonneesPiece& d = pieces[n];
        try {
            // Balanced against rooms 1 to i - 1 of this pass.
            const ResultatsPiece r = CalculPiece(EntreesDepuisEnregistrements(d, generales, perteMaxPasse));
            resultat.Table.Pieces.push_back(LignePiece(d, r));
            const double perteMax = PerteChargePiece(r.PerteNormale, r.PerteBordure).PerteMax;
            if (perteMax > perteMaxPasse)
                perteMaxPasse = perteMax;
            resultat.DebitTotal = Verifier(resultat.DebitTotal + (r.DebitNormale + r.DebitBordure), "DebitTotal");
        } catch (const ErreurArithmetique& erreur) {
            throw ErreurCalculEtude(static_cast<int>(n) + 1, Nettoyer(d.NomPiece), erreur,
                                    ExpliquerEchecPiece(d, generales, erreur));
        }
    }
    resultat.PerteMaxi = perteMaxPasse;

    EquilibrerEtude(resultat.Table, resultat.PerteMaxi);
    return resultat;
}

} // namespace sorvel
