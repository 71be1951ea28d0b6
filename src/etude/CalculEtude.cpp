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

int BouclesPiece(const ResultatEtude& resultat, int i) {
    const auto n = static_cast<std::size_t>(i - 1);
    return n < resultat.Boucles.size() ? resultat.Boucles[n] : 1;
}

ErreurCalculEtude::ErreurCalculEtude(int piece, std::string nomPiece, const ErreurArithmetique& erreur,
                                     const std::string& cause)
    // The name comes from the record as it stands: its control characters
    // are made visible so that what() is never cut short at a NUL.
    : std::runtime_error("La pièce " + std::to_string(piece) + " « " + TexteAffichable(nomPiece)
                         + " » ne peut pas être calculée : " + TexteAffichable(cause) + "."),
      piece_(piece), nomPiece_(std::move(nomPiece)), erreur_(erreur) {}


namespace {

LigneEtude LignePiece(const Piece& d, const ResultatsPiece& r) {
    const bool boucle = BoucleBordureIndependante(d.TypeCharge);
    const bool zone = AvecZoneBordure(d.TypeCharge);
    LigneEtude l;
    auto poser = [&l](int k, Cellule c) { l[static_cast<std::size_t>(k - 1)] = std::move(c); };
    poser(ColonneEtude::Designation, Nettoyer(d.NomPiece));
    poser(ColonneEtude::TempPiece, TexteEntier(d.TempPiece));
    poser(ColonneEtude::SurfacePiece, d.SurfacePiece);
    poser(ColonneEtude::SurfaceEmprises, d.SurfaceEmprises);
    poser(ColonneEtude::SurfaceUtile, SurfaceUtile(d));
    poser(ColonneEtude::SurfaceNormale, r.SurfaceNormale);
    poser(ColonneEtude::SurfaceBordure, r.SurfaceBordureCalculee);
    poser(ColonneEtude::SurfacePlafond, Verifier(d.SurfacePlafond, "SurfacePlafond"));
    poser(ColonneEtude::DeperdPiece, d.DeperdPiece);
    poser(ColonneEtude::DeperdPlancher, d.DeperdPlancher);
    poser(ColonneEtude::ApportPlafond, d.ApportPlafond);
    poser(ColonneEtude::DeperdCorrigees, r.DeperdCorrigees);
    poser(ColonneEtude::EmissionsBas, d.EmissionsBas);
    poser(ColonneEtude::IsolationPlancher, TexteEntier(d.IsoEmissions));
    poser(ColonneEtude::IsolationPlafond, TexteEntier(d.IsoApport));
    poser(ColonneEtude::EmissionNecessairePiece, r.EmissionNecessairePiece);
    poser(ColonneEtude::EmissionZoneBordure, Mini(r.CoefBordureActuelle, r.CoefBordureFuture));
    poser(ColonneEtude::EmissionNecessaireNormale, r.EmissionNecessaireNormale);
    poser(ColonneEtude::EmissionUtiliseeNormale, r.EmissionUtiliseeNormale);
    poser(ColonneEtude::PuissanceThermique, Verifier(r.PuissanceNormale + r.PuissanceBordure + r.EmissionRaccordNormale + r.EmissionRaccordBordure,
                       "PuissanceThermique"));
    poser(ColonneEtude::ChuteTemperature, static_cast<std::int32_t>(d.TempChute));
    poser(ColonneEtude::RthActuelle, TexteResistance(d.RthActuelle));
    poser(ColonneEtude::RthFuture, TexteResistance(d.RthFuture));
    poser(ColonneEtude::AppointActuelle, r.AppointActuelle);
    poser(ColonneEtude::AppointFuture, r.AppointFuture);
    poser(ColonneEtude::PasVZNormale, TextePasNormale(r.PasVZNormale));
    if (zone)
        poser(ColonneEtude::PasVZBordure, TextePas(d.PasVZBordure));
    // The length of one of the normal zone's equal loops, connecting pipes
    // included: the length colours judge each loop.
    poser(ColonneEtude::LongueurNormale,
          Verifier(r.LongueurNormale / d.Boucles + d.LongRaccordNormale, "LongueurNormale"));
    if (boucle)
        poser(ColonneEtude::LongueurBordure, Verifier(r.LongueurBordure + d.LongRaccordBordure, "LongueurBordure"));
    poser(ColonneEtude::EmissionRaccordNormale, r.EmissionRaccordNormale);
    if (boucle)
        poser(ColonneEtude::EmissionRaccordBordure, r.EmissionRaccordBordure);
    poser(ColonneEtude::DebitNormale, r.DebitNormale);
    if (boucle)
        poser(ColonneEtude::DebitBordure, r.DebitBordure);
    poser(ColonneEtude::DebitFreinActuelle, r.DebitFreinActuelle);
    poser(ColonneEtude::DebitFreinFuture, r.DebitFreinFuture);
    poser(ColonneEtude::PerteNormale, r.PerteNormale);
    if (boucle)
        poser(ColonneEtude::PerteBordure, r.PerteBordure);
    poser(ColonneEtude::PerteArtificielleNormale, r.PerteArtificielleNormale);
    if (boucle)
        poser(ColonneEtude::PerteArtificielleBordure, r.PerteArtificielleBordure);
    poser(ColonneEtude::TempSurfaceNormale, r.TempSurfaceNormale);
    if (zone)
        poser(ColonneEtude::TempSurfaceBordure, r.TempSurfaceBordure);
    return l;
}

} // namespace

void EquilibrerEtude(TableEtude& table, double perteMaxi) {
    for (int i = 1; i <= table.NombrePieces(); ++i) {
        if (const auto pn = NombreCellule(table.Cell(ColonneEtude::PerteNormale, i)); pn && *pn < perteMaxi)
            table.Cell(ColonneEtude::PerteArtificielleNormale, i) = perteMaxi - *pn;
        if (const auto pb = NombreCellule(table.Cell(ColonneEtude::PerteBordure, i)); pb && *pb < perteMaxi)
            table.Cell(ColonneEtude::PerteArtificielleBordure, i) = perteMaxi - *pb;
    }
}

std::string ExpliquerEchecPiece(const Piece& piece, const Installation& generales, const ErreurArithmetique& erreur) {
    try {
        return ExpliquerEchec(EntreesDepuisPiece(piece, generales, 0), erreur);
    } catch (const ErreurArithmetique&) {
        return ExpliquerEchec(EntreesPiece{}, erreur); // the failed input speaks for itself
    }
}

namespace {

template <class T>
T Choisi(const std::optional<T>& choix, const char* etape) {
    if (!choix)
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, etape);
    return *choix;
}

} // namespace

EntreesPiece EntreesDepuisPiece(const Piece& d, const Installation& generales, double perteMax) {
    EntreesPiece e;
    e.TempDepart = static_cast<std::int16_t>(generales.TempDepart);
    e.Support = generales.Support;
    e.Tube = generales.Tube;
    e.TempChute = static_cast<std::int16_t>(d.TempChute);
    e.TempPiece = static_cast<std::int16_t>(Choisi(d.TempPiece, "TempPiece"));
    e.TypeCharge = d.TypeCharge;
    e.SurfacePiece = d.SurfacePiece;
    e.SurfaceEmprises = d.SurfaceEmprises;
    e.SurfaceBordure = d.SurfaceBordure;
    e.RthActuelle = Choisi(d.RthActuelle, "RthActuelle");
    e.RthFuture = Choisi(d.RthFuture, "RthFuture");
    e.PasVZBordure = d.PasVZBordure;
    e.DeperdPiece = d.DeperdPiece;
    e.DeperdPlancher = d.DeperdPlancher;
    e.ApportPlafond = d.ApportPlafond;
    e.LongRaccordNormale = d.LongRaccordNormale;
    e.LongRaccordBordure = d.LongRaccordBordure;
    e.LongDistri = d.LongDistri;
    e.EmissionsBas = d.EmissionsBas;
    e.PerteMaxEtude = perteMax;
    e.Boucles = d.Boucles;
    return e;
}

CumulEtude ParcourirEtude(const std::vector<Piece>& pieces, const Installation& generales,
                          const std::function<bool(const ResultatsPiece&, LigneEtude&&)>& suite) {
    // The largest PerteMax of the rooms calculated so far, replaced only by
    // a strictly larger one.
    CumulEtude cumul;
    for (std::size_t n = 0; n < pieces.size(); ++n) {
        const Piece& d = pieces[n];
        try {
            const ResultatsPiece r = CalculPiece(EntreesDepuisPiece(d, generales, cumul.PerteMaxi));
            LigneEtude ligne = LignePiece(d, r);
            const double perteMax = PerteChargePiece(r.PerteNormale, r.PerteBordure).PerteMax;
            if (perteMax > cumul.PerteMaxi)
                cumul.PerteMaxi = perteMax;
            cumul.DebitTotal = Verifier(cumul.DebitTotal + (r.DebitNormale + r.DebitBordure), "DebitTotal");
            if (!suite(r, std::move(ligne)))
                break;
        } catch (const ErreurArithmetique& erreur) {
            throw ErreurCalculEtude(static_cast<int>(n) + 1, Nettoyer(d.NomPiece), erreur,
                                    ExpliquerEchecPiece(d, generales, erreur));
        }
    }
    return cumul;
}

ResultatEtude CalculEtude(const std::vector<Piece>& pieces, const Installation& generales) {
    ResultatEtude resultat;
    resultat.Table.Pieces.reserve(pieces.size());
    const CumulEtude cumul = ParcourirEtude(pieces, generales, [&](const ResultatsPiece&, LigneEtude&& ligne) {
        resultat.Table.Pieces.push_back(std::move(ligne));
        return true;
    });
    for (const Piece& p : pieces)
        resultat.Boucles.push_back(p.Boucles);
    resultat.PerteMaxi = cumul.PerteMaxi;
    resultat.DebitTotal = cumul.DebitTotal;
    EquilibrerEtude(resultat.Table, resultat.PerteMaxi);
    return resultat;
}

} // namespace sorvel
