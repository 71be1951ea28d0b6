#include "calcul/ModCalcul.h"

#include "calcul/ModVZ.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

namespace sorvel {

namespace {

// One room calculation: the inputs, the results filled step by step, and
// what every step shares (the rounded mean water temperature, its
// difference to the room, which zones the load type has).
class Calcul {
public:
    explicit Calcul(const EntreesPiece& e)
        : e_(e), bouclesSeparees_(BoucleBordureIndependante(e.TypeCharge)), bordure_(AvecZoneBordure(e.TypeCharge)) {}

    ResultatsPiece Executer() {
        VerifierEntrees();
        Temperatures();
        Zones();
        ZoneBordure();
        EmissionMaximale();
        Besoin();
        Appoint();
        Distribution();
        EmissionsNecessaires();
        PasZoneNormale();
        Longueurs();
        Raccordements();
        TemperaturesSurface();
        EmissionsVersLeBas();
        Debits();
        EmissionsDuPasChoisi();
        DebitsAFreiner();
        PertesCharge();
        Equilibrer();
        return r_;
    }

private:
    // A record from a damaged file may hold NaN or infinities: stop at the
    // input rather than show a meaningless result.
    void VerifierEntrees() const {
        if (e_.Boucles < 1)
            throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, "Boucles");
        Verifier(e_.SurfacePiece, "SurfacePiece");
        Verifier(e_.SurfaceEmprises, "SurfaceEmprises");
        Verifier(e_.SurfaceBordure, "SurfaceBordure");
        Verifier(e_.DeperdPiece, "DeperdPiece");
        Verifier(e_.DeperdPlancher, "DeperdPlancher");
        Verifier(e_.ApportPlafond, "ApportPlafond");
        Verifier(e_.LongRaccordNormale, "LongRaccordNormale");
        Verifier(e_.LongRaccordBordure, "LongRaccordBordure");
        Verifier(e_.LongDistri, "LongDistri");
        Verifier(e_.EmissionsBas, "EmissionsBas");
        Verifier(e_.PerteMaxEtude, "PerteMaxEtude");
    }

    // 1-2. Mean water temperature and its difference to the room.
    void Temperatures() {
        r_.TempMoyenne = TempMoyenneEau(e_.TempDepart, e_.TempChute);
        tMoyenneEntiere_ = CInt(r_.TempMoyenne, "TempMoyenne");
        r_.EcartEau = CInt(static_cast<double>(tMoyenneEntiere_) - e_.TempPiece, "EcartEau");
        ecart_ = r_.EcartEau;
    }

    // 3. Zones.
    void Zones() {
        r_.SurfaceNette = Verifier(SurfaceNette(e_.SurfacePiece, e_.SurfaceEmprises), "SurfaceNette");
        switch (e_.TypeCharge) {
        case Charge::Normale:
            r_.SurfaceNormale = r_.SurfaceNette;
            r_.SurfaceBordureCalculee = 0;
            break;
        case Charge::Elevee:
        case Charge::Combinee:
            r_.SurfaceBordureCalculee = e_.SurfaceBordure;
            r_.SurfaceNormale = Verifier(r_.SurfaceNette - e_.SurfaceBordure, "SurfaceNormale");
            break;
        case Charge::Angle:
            // The edge zone is a fixed share of the heated floor.
            r_.SurfaceBordureCalculee = r_.SurfaceNette / 2.0 * PartBordureAngle;
            r_.SurfaceNormale = r_.SurfaceNette - r_.SurfaceBordureCalculee;
            break;
        }
    }

    // 4. Edge zone, with the present and the future floor covering.
    void ZoneBordure() {
        if (!bordure_)
            return;
        r_.CoefBordureActuelle = CoefficientBordure(e_.Tube, e_.RthActuelle, e_.Support, e_.PasVZBordure);
        r_.CoefBordureFuture = CoefficientBordure(e_.Tube, e_.RthFuture, e_.Support, e_.PasVZBordure);
        const double ecartBordure = Bordure5Independante()
            ? static_cast<double>(e_.TempDepart) - EcartDepartBordure5 - e_.TempPiece
            : ecart_;
        r_.EmissionBordureActuelle = Verifier(ecartBordure * r_.CoefBordureActuelle * r_.SurfaceBordureCalculee,
                                              "EmissionBordureActuelle");
        r_.EmissionBordureFuture = Verifier(ecartBordure * r_.CoefBordureFuture * r_.SurfaceBordureCalculee,
                                            "EmissionBordureFuture");
        r_.PuissanceBordure = Mini(r_.EmissionBordureActuelle, r_.EmissionBordureFuture);
    }

    // 5. What the normal zone can give at its tightest pitch.
    void EmissionMaximale() {
        r_.CoefMaxActuelle = CoefficientNormale(e_.Tube, e_.RthActuelle, e_.Support, PasVZ::VZ10);
        r_.CoefMaxFuture = CoefficientNormale(e_.Tube, e_.RthFuture, e_.Support, PasVZ::VZ10);
        r_.EmissionMaxActuelle = Verifier(ecart_ * r_.CoefMaxActuelle * r_.SurfaceNormale, "EmissionMaxActuelle");
        r_.EmissionMaxFuture = Verifier(ecart_ * r_.CoefMaxFuture * r_.SurfaceNormale, "EmissionMaxFuture");
        r_.EmissionMax = Mini(r_.EmissionMaxActuelle, r_.EmissionMaxFuture);
    }

    // 6. Heat to deliver: the floor losses count only for the heated part
    // of the floor.
    void Besoin() {
        const double partEmprises = Diviser(e_.SurfaceEmprises, e_.SurfacePiece, "Besoin");
        r_.Besoin = Verifier(e_.DeperdPiece - (e_.DeperdPlancher - partEmprises * e_.DeperdPlancher) - e_.ApportPlafond,
                             "Besoin");
    }

    // 7. Heat the floor cannot give even at the tightest pitch.
    void Appoint() {
        r_.AppointActuelle = Manque(r_.EmissionMaxActuelle + r_.EmissionBordureActuelle, "AppointActuelle");
        r_.AppointFuture = Manque(r_.EmissionMaxFuture + r_.EmissionBordureFuture, "AppointFuture");
    }
    double Manque(double capacite, const char* etape) const {
        Verifier(capacite, etape);
        return capacite >= r_.Besoin ? 0.0 : Verifier(Arrondir(r_.Besoin - capacite, 2), etape);
    }

    // 8. The distribution pipes crossing the room heat it too.
    void Distribution() {
        r_.EmissionDistri = EmissionConduites(tMoyenneEntiere_, e_.LongDistri, e_.Tube);
        r_.DeperdCorrigees = Verifier(r_.Besoin - r_.EmissionDistri, "DeperdCorrigees");
    }

    // 9. Emissions required.
    void EmissionsNecessaires() {
        r_.EmissionNecessairePiece = Diviser(Diviser(r_.DeperdCorrigees, r_.SurfaceNette, "EmissionNecessairePiece"),
                                             ecart_, "EmissionNecessairePiece");
        r_.EmissionNecessaireNormale = Diviser(
            Diviser(Verifier(r_.DeperdCorrigees - r_.PuissanceBordure, "EmissionNecessaireNormale"),
                    r_.SurfaceNormale, "EmissionNecessaireNormale"),
            ecart_, "EmissionNecessaireNormale");
        if (Verifier(r_.EmissionMax + r_.PuissanceBordure, "CoefDemande") >= r_.DeperdCorrigees)
            r_.CoefDemande = r_.EmissionNecessaireNormale;
        else // the floor cannot cover the need: tightest pitch, worse covering
            r_.CoefDemande = Mini(r_.CoefMaxActuelle, r_.CoefMaxFuture);
    }

    // 10. Pitch of the normal zone, chosen for the worse covering.
    void PasZoneNormale() {
        const Resistance rthDeCalcul = e_.RthFuture > e_.RthActuelle ? e_.RthFuture : e_.RthActuelle;
        r_.RthDeCalcul = ValeurResistance(rthDeCalcul);
        const PasCoefficient choix = ChoisirPasVZ(e_.Support, e_.Tube, rthDeCalcul, r_.CoefDemande);
        r_.PasVZNormale = choix.Pas;
        r_.EmissionUtiliseeNormale = choix.Coefficient;
        r_.PuissanceNormale = Verifier(r_.SurfaceNormale * r_.EmissionUtiliseeNormale * ecart_, "PuissanceNormale");
    }

    // 11. Loop lengths; the crossing pipes take floor space from the normal
    // zone.
    void Longueurs() {
        const double longueurZoneNormale = LongueurTube(r_.PasVZNormale, r_.SurfaceNormale);
        const double longueurZoneBordure = LongueurTube(e_.PasVZBordure, r_.SurfaceBordureCalculee);
        if (bouclesSeparees_) {
            r_.LongueurNormale = Verifier(longueurZoneNormale - e_.LongDistri, "LongueurNormale");
            r_.LongueurBordure = longueurZoneBordure;
        } else {
            r_.LongueurNormale =
                Verifier(longueurZoneNormale - e_.LongDistri + longueurZoneBordure, "LongueurNormale");
        }
    }

    // 12. Connecting pipes: each loop of the normal zone has its own pair to
    // the manifold, and they all give heat.
    void Raccordements() {
        r_.EmissionRaccordNormale =
            Verifier(e_.Boucles * EmissionConduites(tMoyenneEntiere_, e_.LongRaccordNormale, e_.Tube),
                     "EmissionConduites");
        if (bouclesSeparees_)
            r_.EmissionRaccordBordure = EmissionConduites(tMoyenneEntiere_, e_.LongRaccordBordure, e_.Tube);
    }

    // 13. Surface temperatures.
    void TemperaturesSurface() {
        const double qNormale = Diviser(Diviser(r_.PuissanceNormale, r_.SurfaceNormale, "TempSurfaceNormale"),
                                        ecart_, "TempSurfaceNormale");
        r_.TempSurfaceNormale = TemperatureSurface(qNormale, "TempSurfaceNormale");
        if (bordure_)
            r_.TempSurfaceBordure =
                TemperatureSurface(Mini(r_.CoefBordureActuelle, r_.CoefBordureFuture), "TempSurfaceBordure");
    }
    double TemperatureSurface(double q, const char* etape) const {
        return Verifier(Arrondir((q / EchangeSurface * ecart_ + e_.TempPiece) * MargeTempSurface, 2), etape);
    }

    // 14. Downward emission shared between the zones by area.
    void EmissionsVersLeBas() {
        const double basParM2 =
            Diviser(e_.EmissionsBas, SurfaceNette(e_.SurfacePiece, e_.SurfaceEmprises), "EmissionBasNormale");
        r_.EmissionBasNormale = Verifier(basParM2 * r_.SurfaceNormale, "EmissionBasNormale");
        r_.EmissionBasBordure = Verifier(basParM2 * r_.SurfaceBordureCalculee, "EmissionBasBordure");
    }

    // 15. Flows.
    void Debits() {
        if (bouclesSeparees_) {
            r_.DebitNormale = DebitCircuit(r_.PuissanceNormale, tMoyenneEntiere_, e_.TempChute,
                                           r_.EmissionRaccordNormale, r_.EmissionBasNormale);
            const std::int16_t chuteBordure = e_.PasVZBordure == PasVZ::VZ5 ? ChuteBordure5 : e_.TempChute;
            r_.DebitBordure = DebitCircuit(r_.PuissanceBordure, tMoyenneEntiere_, chuteBordure,
                                           r_.EmissionRaccordBordure, r_.EmissionBasBordure);
        } else {
            r_.DebitNormale = Verifier(
                DebitCircuit(r_.PuissanceBordure, tMoyenneEntiere_, e_.TempChute, 0.0, r_.EmissionBasBordure)
                    + DebitCircuit(r_.PuissanceNormale, tMoyenneEntiere_, e_.TempChute,
                                   r_.EmissionRaccordNormale, r_.EmissionBasNormale),
                "DebitNormale");
        }
    }

    // 16. Emission of the chosen pitch with each covering.
    void EmissionsDuPasChoisi() {
        r_.EmissionNormaleActuelle = Verifier(
            CoefficientNormale(e_.Tube, e_.RthActuelle, e_.Support, r_.PasVZNormale) * r_.SurfaceNormale * ecart_,
            "EmissionNormaleActuelle");
        r_.EmissionNormaleFuture = Verifier(
            CoefficientNormale(e_.Tube, e_.RthFuture, e_.Support, r_.PasVZNormale) * r_.SurfaceNormale * ecart_,
            "EmissionNormaleFuture");
    }

    // 17. Flow to throttle where the better covering gives off more than needed.
    void DebitsAFreiner() {
        const double besoin = Verifier(r_.DeperdCorrigees + r_.EmissionDistri, "DebitFrein");
        const double bas = Verifier(r_.EmissionBasBordure + r_.EmissionBasNormale, "DebitFrein");
        auto frein = [&](double emissionBordure, double emissionNormale, const char* etape) {
            const double emission = Verifier(emissionBordure + emissionNormale, etape);
            if (!(emission - besoin >= 0.0))
                return 0.0;
            return DebitAFreiner(besoin, emission, r_.EmissionRaccordNormale, bas, r_.DebitNormale, e_.TempChute,
                                 r_.TempMoyenne);
        };
        r_.DebitFreinActuelle = frein(r_.EmissionBordureActuelle, r_.EmissionNormaleActuelle, "DebitFreinActuelle");
        r_.DebitFreinFuture = frein(r_.EmissionBordureFuture, r_.EmissionNormaleFuture, "DebitFreinFuture");
    }

    // 18. Loop pressure drops; the normal zone's is the drop of each of its
    // equal loops, which share the room's flow and pipe.
    void PertesCharge() {
        const double boucles = e_.Boucles;
        r_.PerteNormale = Verifier(PerteChargeLineique(r_.DebitNormale / boucles, r_.TempMoyenne, e_.Tube)
                                       * (r_.LongueurNormale / boucles + e_.LongRaccordNormale),
                                   "PerteNormale");
        if (bouclesSeparees_)
            r_.PerteBordure = Verifier(PerteChargeLineique(r_.DebitBordure, r_.TempMoyenne, e_.Tube)
                                           * (r_.LongueurBordure + e_.LongRaccordBordure),
                                       "PerteBordure");
    }

    // 19. Balancing against the largest loop of the study.
    void Equilibrer() {
        r_.PerteMaxFichier = e_.PerteMaxEtude;
        const Equilibre eq = Equilibrage(e_.TypeCharge, e_.PerteMaxEtude, r_.PerteNormale, r_.PerteBordure);
        r_.PerteLaPlusElevee = eq.PerteLaPlusElevee;
        r_.PerteArtificielleNormale = eq.PerteArtificielleNormale;
        r_.PerteArtificielleBordure = eq.PerteArtificielleBordure;
    }

    // A 5-cm independent edge loop is fed first, nearly at the supply
    // temperature, and works with a small drop.
    bool Bordure5Independante() const { return bouclesSeparees_ && e_.PasVZBordure == PasVZ::VZ5; }

    const EntreesPiece& e_;
    const bool bouclesSeparees_;
    const bool bordure_;
    ResultatsPiece r_;
    std::int16_t tMoyenneEntiere_ = 0;
    double ecart_ = 0;
};

} // namespace

ResultatsPiece CalculPiece(const EntreesPiece& entrees) { return Calcul(entrees).Executer(); }

} // namespace sorvel
