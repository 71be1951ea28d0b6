#include "enregistrements/VerificationEtude.h"

#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "etude/BornesSaisie.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace sorvel {

namespace {

// A list field of the screens: the texts it offers, and how the message
// describes them.
struct ListeTextes {
    std::vector<std::string> valeurs;
    const char* description;
    bool accepte(const std::string& texte) const {
        return std::find(valeurs.begin(), valeurs.end(), texte) != valeurs.end();
    }
};

std::vector<std::string> Entiers(int de, int a) {
    std::vector<std::string> v;
    for (int i = de; i <= a; ++i)
        v.push_back(std::to_string(i));
    return v;
}

std::vector<std::string> Resistances() {
    std::vector<std::string> v;
    for (int c = 1; c <= NombreResistances; ++c)
        v.push_back(TexteResistance(ResistanceEnCentiemes(c)));
    return v;
}

std::vector<std::string> AvecVide(std::vector<std::string> v) {
    v.emplace_back();
    return v;
}

const ListeTextes& ListeTempDepart() {
    static const ListeTextes l{Entiers(TempDepartBasse, TempDepartHaute), "30 à 50"};
    return l;
}
const ListeTextes& ListeTempPiece() {
    static const ListeTextes l{Entiers(TempPieceBasse, TempPieceHaute), "15 à 24"};
    return l;
}
const ListeTextes& ListeResistances() {
    static const ListeTextes l{Resistances(), "0.01 à 0.15"};
    return l;
}
const ListeTextes& ListePasBordure() {
    static const ListeTextes l{{"5", "10", "15", ""}, "5, 10 ou 15, ou vide"};
    return l;
}
const ListeTextes& ListeIsolant() {
    static const ListeTextes l{AvecVide(Entiers(2, 8)), "2 à 8, ou vide"};
    return l;
}

// Captions of the fields on their screens. The two insulation lists share
// their caption; the panel they sit in tells them apart.
namespace legende {
constexpr const char* Support = "Support (type de fixation des tubes)";
constexpr const char* Tube = "Diamètre du tube";
constexpr const char* TempDepart = "Température de départ du fluide";
constexpr const char* EpaisChape = "Epaisseur moyenne de la chape";
constexpr const char* Chape = "Chape";
constexpr const char* TypeCharge = "Type de charge du panneau";
constexpr const char* SurfaceBordure = "Surface zone de bordure (élevée/limite)";
constexpr const char* PasVZBordure = "Pas VZ zone de bordure (élevée/limite)";
constexpr const char* TempPiece = "Température ambiante de la pièce";
constexpr const char* SurfacePiece = "Surface de la pièce";
constexpr const char* SurfaceEmprises = "Surface des emprises";
constexpr const char* SurfacePlafond = "Surface du plancher haut";
constexpr const char* DeperdPiece = "Déperditions de la pièce";
constexpr const char* DeperdPlancher = "Déperditions du plancher";
constexpr const char* ApportPlafond = "Apport par le plafond";
constexpr const char* EmissionsBas = "Emission vers le bas";
constexpr const char* RthActuelle = "Résistance actuelle";
constexpr const char* RthFuture = "Résistance future";
constexpr const char* IsoApport = "Epaisseur de l'isolant (Apport par le plafond)";
constexpr const char* IsoEmissions = "Epaisseur de l'isolant (Emissions vers le bas)";
constexpr const char* LongRaccordNormale = "Longueur des conduites de raccordement";
constexpr const char* LongDistri = "Longueur des conduites de distribution (traversantes)";
constexpr const char* LongRaccordBordure = "Longueur des conduites de raccordement (si boucle indépendante)";
constexpr const char* TempChute = "Chute de température du fluide (DeltaT Départ/Retour)";
// The pressure drops are results: named as the results screen shows them.
constexpr const char* PerteNormale = "Perte de charge du circuit zone normale (normale ou combinée)";
constexpr const char* PerteBordure = "Perte de charge du circuit zone de bordure (si boucle indépendante)";
constexpr const char* PerteMax = "Perte de charge la plus élevée de la pièce";
} // namespace legende

// Collects the first fault of one record.
class Controle {
public:
    Controle(FichierStocke fichier, int piece, std::string nom)
        : fichier_(fichier), piece_(piece), nom_(std::move(nom)) {}

    // A text offered by a list.
    void Texte(const char* champ, const std::string& valeur, const ListeTextes& liste) {
        if (!defaut_ && !liste.accepte(valeur))
            Refuser(champ, "« " + TexteAffichable(valeur) + " » n'est pas une valeur proposée ("
                               + liste.description + ")");
    }
    // An option index or a number chosen from a list of whole numbers.
    void Entier(const char* champ, std::int16_t valeur, int de, int a, const char* description) {
        if (!defaut_ && (valeur < de || valeur > a))
            Refuser(champ, std::to_string(valeur) + " n'est pas une valeur proposée (" + description + ")");
    }
    // A number typed in a field with a bound.
    void Nombre(const char* champ, double valeur) {
        if (defaut_)
            return;
        const BorneSaisie* borne = BornePourLegende(champ);
        if (!borne)
            throw std::logic_error(std::string("champ sans borne : ") + champ);
        if (const auto raison = RefusBorne(*borne, valeur))
            Refuser(champ, *raison);
    }
    // A stored result: any finite number.
    void Fini(const char* champ, double valeur) {
        if (!defaut_ && !std::isfinite(valeur))
            Refuser(champ, "la valeur n'est pas un nombre fini");
    }
    std::optional<DefautEtude> Defaut() { return std::move(defaut_); }

private:
    void Refuser(const char* champ, std::string raison) {
        defaut_ = DefautEtude{fichier_, piece_, nom_, champ, std::move(raison)};
    }
    FichierStocke fichier_;
    int piece_;
    std::string nom_;
    std::optional<DefautEtude> defaut_;
};

std::optional<DefautEtude> VerifierGenerales(const DonneesGenerales& g) {
    Controle c(FichierStocke::Generales, 0, {});
    c.Entier(legende::Support, g.Support, 0, 1, "0 ou 1");
    c.Entier(legende::Tube, g.Tube, 0, 1, "0 ou 1");
    c.Texte(legende::TempDepart, g.TempDepart, ListeTempDepart());
    c.Entier(legende::EpaisChape, g.EpaisChape, EpaisChapeBasse, EpaisChapeHaute, "6, 7 ou 8");
    c.Entier(legende::Chape, g.Chape, 0, 1, "0 ou 1");
    return c.Defaut();
}

} // namespace

// The fields in record order, as the three room screens hold them.
std::optional<DefautEtude> VerifierPiece(const DonneesPiece& p, int numero) {
    Controle c(FichierStocke::Pieces, numero, p.NomPiece);
    c.Entier(legende::TypeCharge, p.TypeCharge, 0, NombreTypesCharge - 1, "0 à 3");
    c.Nombre(legende::SurfaceBordure, p.SurfaceBordure);
    c.Texte(legende::PasVZBordure, p.PasVZBordure, ListePasBordure());
    c.Texte(legende::TempPiece, p.TempPiece, ListeTempPiece());
    c.Nombre(legende::SurfacePiece, p.SurfacePiece);
    c.Nombre(legende::SurfaceEmprises, p.SurfaceEmprises);
    c.Nombre(legende::SurfacePlafond, p.SurfacePlafond);
    c.Nombre(legende::DeperdPiece, p.DeperdPiece);
    c.Nombre(legende::DeperdPlancher, p.DeperdPlancher);
    c.Nombre(legende::ApportPlafond, p.ApportPlafond);
    c.Nombre(legende::EmissionsBas, p.EmissionsBas);
    c.Texte(legende::RthActuelle, p.RthActuelle, ListeResistances());
    c.Texte(legende::RthFuture, p.RthFuture, ListeResistances());
    c.Texte(legende::IsoApport, p.IsoApport, ListeIsolant());
    c.Texte(legende::IsoEmissions, p.IsoEmissions, ListeIsolant());
    c.Nombre(legende::LongRaccordNormale, p.LongRaccordNormale);
    c.Nombre(legende::LongDistri, p.LongDistri);
    c.Nombre(legende::LongRaccordBordure, p.LongRaccordBordure);
    c.Entier(legende::TempChute, p.TempChute, ChuteBasse, ChuteHaute, "3 à 20");
    return c.Defaut();
}

namespace {

// The pressure drops of a room are results of its calculation; a room whose
// loop length comes out below zero stores a negative one, so only their
// being numbers is checked.
std::optional<DefautEtude> VerifierPerte(const PerteCharge& p, int numero, const std::string& nom) {
    Controle c(FichierStocke::Pertes, numero, nom);
    c.Fini(legende::PerteNormale, p.PerteNormale);
    c.Fini(legende::PerteBordure, p.PerteBordure);
    c.Fini(legende::PerteMax, p.PerteMax);
    return c.Defaut();
}

} // namespace

const char* ExtensionFichier(FichierStocke fichier) {
    switch (fichier) {
    case FichierStocke::Generales: return ".plg";
    case FichierStocke::Pieces: return ".pla";
    case FichierStocke::Pertes: return ".plp";
    case FichierStocke::Extension: return ".plx";
    }
    return "";
}

std::optional<DefautEtude> VerifierEtude(const DonneesGenerales& generales, const std::vector<DonneesPiece>& pieces,
                                         const std::vector<PerteCharge>& pertes) {
    if (auto d = VerifierGenerales(generales))
        return d;
    if (pieces.size() > static_cast<std::size_t>(PiecesMaximumEtude))
        return DefautEtude{FichierStocke::Pieces, 0, {}, {},
                           "il contient " + std::to_string(pieces.size()) + " pièces, une étude en compte au plus "
                               + std::to_string(PiecesMaximumEtude)};
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (auto d = VerifierPiece(pieces[i], static_cast<int>(i) + 1))
            return d;
    if (pertes.size() != pieces.size())
        return DefautEtude{FichierStocke::Pertes, 0, {}, {},
                           "il contient " + std::to_string(pertes.size()) + " pertes de charge pour "
                               + std::to_string(pieces.size()) + " pièces"};
    for (std::size_t i = 0; i < pertes.size(); ++i)
        if (auto d = VerifierPerte(pertes[i], static_cast<int>(i) + 1, pieces[i].NomPiece))
            return d;
    return std::nullopt;
}

std::string DescriptionDefaut(const DefautEtude& d) {
    std::string m;
    if (d.Collecteur > 0)
        m += "collecteur " + std::to_string(d.Collecteur) +
             (d.NomCollecteur.empty() ? std::string() : " « " + TexteAffichable(d.NomCollecteur) + " »") + ", ";
    if (d.Piece > 0)
        m += "pièce " + std::to_string(d.Piece) + " « " + TexteAffichable(d.NomPiece) + " », ";
    if (d.Element > 0)
        m += "élément " + std::to_string(d.Element) +
             (d.Designation.empty() ? std::string() : " « " + TexteAffichable(d.Designation) + " »") + ", ";
    if (!d.Champ.empty())
        m += "champ « " + TexteAffichable(d.Champ) + " » : ";
    else if (!m.empty())
        m.replace(m.size() - 2, 2, " : ");
    return m + d.Raison;
}

std::string MessageDefautEtude(const DefautEtude& d, const std::string& fichier) {
    return "Le fichier « " + TexteAffichable(fichier) + " » est endommagé : " + DescriptionDefaut(d) + ".";
}

} // namespace sorvel
