#include "modules/ModCorrection.h"

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <cmath>
#include <stdexcept>

namespace sorvel::ModCorrection {

using modules::Arret;
using modules::Avertissement;
using modules::Difference;
using modules::Nombre;
using modules::NombreSimple;
using modules::TexteArrondi;

namespace {

constexpr double Pi = 3.14159265358979;

double Carre(double x) { return x * x; }

// log10 as ln(x) / ln(10), the form the friction factor's formula is
// evaluated in (it may differ from a library log10 in the last bit, which
// the search limits are sensitive to).
double Log10(double x, const char* etape) { return Logarithme(x, etape) / std::log(10.0); }

// The loop flow is what the total flow leaves once the connecting pipes
// have had theirs. The present state of a loop left with no flow, or less
// than none, is no state at all: the actual values stop there, as at a
// formula without value.
double DebitBoucleVerifie(double debit) {
    if (!(debit > 0.0))
        throw ErreurArithmetique(ErreurArithmetique::Nature::OperationInvalide, "DebitBoucle");
    return debit;
}

// Writes the labels of one press in order and reads each back as the
// number it shows, as the next steps use the rounded value.
class Tableau {
public:
    explicit Tableau(Ecritures& e) : e_(e) {}
    // The value rounded as its row says.
    double ecrire(Resultat r, double valeur) {
        const LigneResultat& ligne = Ligne(r);
        return copier(r, TexteArrondi(valeur, ligne.Decimales, ligne.Libelle));
    }
    // A text as it is: a field's text, a value not rounded.
    double copier(Resultat r, std::string texte) {
        const double relu = Nombre(texte);
        e_.Resultats[static_cast<int>(r)] = std::move(texte);
        return relu;
    }
    const std::string& texte(Resultat r) const { return *e_.Resultats[static_cast<int>(r)]; }
    // The change from `reference` to `valeur`, a ratio rounded as its row
    // says, then times 100 ((30 - 32) / 32 shows -6,25); the other
    // percentage emptied.
    void pourCent(PourCent p, double valeur, double reference) {
        const LigneResultat& ligne = Ligne(p);
        const double rapport = Diviser(valeur - reference, reference, ligne.Libelle);
        viderPourCents();
        e_.PourCents[static_cast<int>(p)] =
            FormatGeneral(Verifier(Arrondir(rapport, ligne.Decimales), ligne.Libelle) * 100);
    }
    void viderPourCents() { e_.PourCents = {"", ""}; }
    void perte(double perteCharge) { e_.Couleur = CouleurPerteCharge(ecrire(Resultat::PerteChargeTotale, perteCharge)); }

private:
    Ecritures& e_;
};

// The rows every procedure writes alike once it has the room's equilibrium
// temperature `teq`: the emission, the drop of the water carrying it at
// `debit`, and the mean difference from the supply temperature `tdep`.
// Returns the drop shown.
double EcrireEmission(Tableau& t, double H, double teq, double text, double debit, double tdep) {
    const double e = t.ecrire(Resultat::Emission, Emission(H, teq, text));
    const double dtf = t.ecrire(Resultat::ChuteTemperature, Diviser(e, debit * ChaleurMassique, "ChuteTemperature"));
    t.ecrire(Resultat::EcartMoyen, EcartMoyen(dtf, tdep, teq));
    return dtf;
}

} // namespace

// ---------------------------------------------------------------------------
// Formulas

double Coeff_f(double debit, double H, double longueur, double k) {
    const char* etape = "Coeff_f";
    const double qc = Verifier(debit * ChaleurMassique, etape);
    const double exposant = -Diviser(longueur * k, qc, etape);
    return Verifier(Diviser(qc, H, etape) * (1 - std::exp(exposant)), etape);
}

double Coeff_Lineique(double h, double pasVZ) { return Verifier(h * (pasVZ / 100) / 0.92, "Coeff_Lineique"); }

double Temp_Equilibre(double tempExterieure, double f, double tempDepart) {
    const char* etape = "Temp_Equilibre";
    const double inverse = Diviser(1, f, etape);
    return Verifier(Diviser(tempDepart, 1 + inverse, etape) + Diviser(tempExterieure, f + 1, etape), etape);
}

double EcartMoyen(double chute, double tempDepart, double tempInterieure) {
    const char* etape = "EcartMoyen";
    const double rapport = Diviser(tempDepart - tempInterieure, tempDepart - chute - tempInterieure, etape);
    return Verifier(Diviser(chute, Logarithme(rapport, etape), etape), etape);
}

double Emission(double H, double tempEquilibre, double tempExterieure) {
    return Verifier((tempEquilibre - tempExterieure) * H, "Emission");
}

double DebitConduites(std::int16_t tempMoyenne, std::int16_t chute, double longueur, std::string_view tube) {
    const char* etape = "DebitConduites";
    if (chute == 0)
        return 0;
    const double kc = tube == "13x16" ? 0.0065 : 0.0075; // W/(m.K²)
    const double tm = tempMoyenne;
    const double perte = Verifier(kc * Carre(tm) * longueur, etape);
    const double densiteRelative = (1000.07 + 0.001276 * tm - 0.004826 * Carre(tm)) / 1000;
    return Verifier(Diviser(perte, chute * ChaleurMassiqueConduites * densiteRelative, etape), etape);
}

double PerteChargeCorrection(double debit, double tempMoyenne, std::string_view tube) {
    const char* etape = "PerteChargeCorrection";
    Verifier(debit, etape);
    const double d = tube == "13x16" ? 13 : 16; // bore, mm
    const double debitVolume = debit / 3600 * 0.001; // m³/s
    const double section = Pi * Carre(d / 2 * 0.001);
    const double vitesse = debitVolume / section;
    const double reynolds = Diviser(d * vitesse * 0.001, Viscosite(tempMoyenne), etape);
    double lambda;
    if (reynolds <= 2320) {
        lambda = Diviser(64, reynolds, etape);
    } else {
        // Three Colebrook iterates, extrapolated by Aitken's method.
        const double rugosite = 0.0001 / 3.71;
        const double x1 = -2 * Log10(12 / reynolds + rugosite, etape);
        const double x2 = -2 * Log10(2.51 * x1 / reynolds + rugosite, etape);
        const double x3 = -2 * Log10(2.51 * x2 / reynolds + rugosite, etape);
        const double x = x1 - Diviser(Carre(x1 - x2), x3 + x1 - 2 * x2, etape);
        lambda = Diviser(1, Carre(x), etape);
    }
    const double rho = MasseVolumique(tempMoyenne);
    const double frottement = rho * lambda * Carre(vitesse) / (d * 0.001 + d * 0.001) / 10 * (10 / 9.81);
    const double singulieres = rho * 0.3 * Carre(vitesse) / 2 / 10;
    return Verifier(frottement + singulieres, etape);
}

// ---------------------------------------------------------------------------
// Searches

namespace {

// One search: `pas` adds a step to the running sum (kept in double) and
// gives the equilibrium temperature there; the search stops past `limite`,
// when the wished temperature is reached, or when the window goes.
template <class Pas>
Recherche Rechercher(double increment, double limite, const RelireCible& relire, Pas pas) {
    Recherche r;
    r.Pas.reserve(static_cast<std::size_t>(limite / increment) + 1);
    double x = 0;
    for (;;) {
        x = x + increment;
        r.Valeur = x;
        r.TempEquilibre = pas(x, r.f);
        if (x > limite) {
            r.Fin = FinRecherche::Limite;
            return r;
        }
        r.Pas.push_back({x, r.TempEquilibre});
        std::optional<std::string> cible = relire();
        if (!cible) {
            r.Fin = FinRecherche::Abandonnee;
            return r;
        }
        r.Cible = std::move(*cible);
        if (!(Nombre(r.Cible) > r.TempEquilibre)) {
            r.Fin = FinRecherche::Atteinte;
            return r;
        }
    }
}

} // namespace

Recherche RechercherTemperature(double f, float tempExterieure, const RelireCible& relire) {
    return Rechercher(PasTemperature, TemperatureDepartMaxi, relire, [&](double t, double& fPas) {
        fPas = f;
        return Temp_Equilibre(tempExterieure, f, t);
    });
}

Recherche RechercherDebit(float h, std::int16_t pasVZ, double H, float longueurBoucle, float tempExterieure,
                          float tempDepart, const RelireCible& relire) {
    return Rechercher(PasDebit, DebitBoucleMaxi, relire, [&](double qb, double& fPas) {
        const double k = Coeff_Lineique(h, pasVZ);
        fPas = Coeff_f(qb, H, longueurBoucle, k);
        return Temp_Equilibre(tempExterieure, fPas, tempDepart);
    });
}

// ---------------------------------------------------------------------------
// Procedures

const std::string& Saisie::Texte(Champ c) const {
    switch (c) {
    case Champ::PasVZ: return PasVZ;
    case Champ::Diametre: return Diametre;
    case Champ::TempSouhaitee: return TempSouhaitee;
    default: return ValManuelles[static_cast<std::size_t>(IndexValManuelle(c))];
    }
}

const std::array<LigneResultat, NombreLignesResultats> LignesResultats = {{
    {false, static_cast<int>(Resultat::TempEquilibre), "Température intérieure d'équilibre", "°C", 2},
    {false, static_cast<int>(Resultat::CoeffRegulation), "Coefficient de régulation (f)", "", 4},
    {false, static_cast<int>(Resultat::Emission), "Emission de chaleur", "W", 2},
    {false, static_cast<int>(Resultat::ChuteTemperature), "Chute de température du fluide (DeltaT fluide)", "°C", 2},
    {false, static_cast<int>(Resultat::EcartMoyen), "Ecart moyen des températures", "°C", 2},
    {false, static_cast<int>(Resultat::DebitBoucle), "Débit nécessaire pour la boucle", "l/h", 2},
    {true, static_cast<int>(PourCent::Debit), "% de débit en + ou -", "%", 4},
    {false, static_cast<int>(Resultat::TempDepartNecessaire),
     "Température de départ du fluide nécessaire pour l'installation", "°C", 2},
    {true, static_cast<int>(PourCent::Temperature), "% de température du fluide en  + ou -", "%", 4},
    {false, static_cast<int>(Resultat::DebitRaccordement), "Débit des conduites de raccordement", "l/h", 2},
    {false, static_cast<int>(Resultat::DebitTotal), "Débit total du circuit", "l/h", 2},
    {false, static_cast<int>(Resultat::PerteChargeTotale), "Pertes de charge totale du circuit", "mmCE", 2},
}};

namespace {

const LigneResultat& Ligne(bool pourCent, int index) {
    for (const LigneResultat& l : LignesResultats)
        if (l.PourCent == pourCent && l.Index == index)
            return l;
    throw std::logic_error("ligne de résultat inconnue");
}

} // namespace

const LigneResultat& Ligne(Resultat r) { return Ligne(false, static_cast<int>(r)); }
const LigneResultat& Ligne(PourCent p) { return Ligne(true, static_cast<int>(p)); }

CouleurPerte CouleurPerteCharge(double perteAffichee) {
    return perteAffichee > PerteChargeMaxi ? CouleurPerte::Rouge : CouleurPerte::Bleu;
}

std::optional<Manque> ControleCorrection(const Saisie& s) {
    using modules::Donnee;
    using modules::Saisi;
    static const modules::ChampRequis<Champ> requis[] = {
        {Champ::LongueurBoucle, Donnee::LongueurBoucle},
        {Champ::TempDepart, Donnee::TempDepart},
        // The drop is needed only to count the connecting pipes' flow.
        {Champ::ChuteActuelle, Donnee::ChuteTemperature, Saisi::Nombre, Champ::LongueurRaccordement},
        {Champ::TempExterieure, Donnee::TempExterieure},
        {Champ::DebitTotal, Donnee::DebitTotal},
        {Champ::CoeffSurfacique, Donnee::CoeffSurfacique},
        {Champ::CoeffDeperditions, Donnee::CoeffDeperditions},
        {Champ::PasVZ, Donnee::PasVZ, Saisi::Texte},
        {Champ::Diametre, Donnee::Diametre, Saisi::Texte},
    };
    return modules::PremierManque<Champ>(s, requis);
}

Avertissement MessageLimiteTemperature(const std::string& cible) {
    return {"Température trop élevée.",
            "La température du fluide nécessaire pour obtenir "
            "une température intérieure d'équilibre de " +
                cible +
                "°C est supérieure à 60°C (50°C maxi autorisé par le DTU).\r\n"
                "Essayez avec un débit de fluide un peu plus élevé."};
}

Avertissement MessageLimiteDebit(const std::string& cible) {
    return {"Débit trop important.",
            "Le débit nécessaire pour obtenir "
            "une température intérieure d'équilibre de " +
                cible +
                "°C est beaucoup trop important.\r\n"
                "Essayez avec une température de départ du fluide plus élevée."};
}

Bilan CalculerValeursActuelles(const Saisie& s) {
    if (auto manque = ControleCorrection(s))
        return modules::Refuse<Bilan>(*manque);
    Bilan bilan;
    Tableau t(bilan.Ecrit);
    try {
        const double l0 = Nombre(s.Texte(Champ::LongueurBoucle));
        const double l1 = Nombre(s.Texte(Champ::LongueurRaccordement));
        const double tdep = Nombre(s.Texte(Champ::TempDepart));
        const double chute = Nombre(s.Texte(Champ::ChuteActuelle));
        const double text = Nombre(s.Texte(Champ::TempExterieure));
        const double q = Nombre(s.Texte(Champ::DebitTotal));
        const double h = Nombre(s.Texte(Champ::CoeffSurfacique));
        const double H = Nombre(s.Texte(Champ::CoeffDeperditions));
        const double vz = Nombre(s.PasVZ);
        const std::string& tube = s.Diametre;

        const double tempMoyenne = tdep - chute / 2;
        t.ecrire(Resultat::DebitRaccordement,
                 DebitConduites(CInt(tempMoyenne, "DebitConduites"), CInt(chute, "DebitConduites"), l1, tube));
        t.copier(Resultat::DebitTotal, s.Texte(Champ::DebitTotal));
        // The loop flow, not rounded: what the two labels show, one taken
        // from the other.
        const double qb = DebitBoucleVerifie(
            Verifier(Difference(t.texte(Resultat::DebitTotal), t.texte(Resultat::DebitRaccordement)), "DebitBoucle"));
        const double qbAffiche = t.copier(Resultat::DebitBoucle, FormatGeneral(qb));

        const double k = Coeff_Lineique(h, vz);
        const double f = t.ecrire(Resultat::CoeffRegulation, Coeff_f(qbAffiche, H, l0, k));
        const double teq = t.ecrire(Resultat::TempEquilibre, Temp_Equilibre(text, f, tdep));
        // The present point, on the axis of the mode chosen.
        Courbe courbe;
        courbe.Axe = s.Mode == ModeCorrection::Debit ? AxeCourbe::DebitBoucle : AxeCourbe::TempDepart;
        courbe.Point = PointCourbe{courbe.Axe == AxeCourbe::DebitBoucle ? qbAffiche : tdep, teq};
        bilan.Trace = std::move(courbe);

        // The drop of the whole circuit: the divisor is the total flow.
        EcrireEmission(t, H, teq, text, q, tdep);
        t.copier(Resultat::TempDepartNecessaire, s.Texte(Champ::TempDepart));
        t.viderPourCents();
        t.perte((l1 + l0) * PerteChargeCorrection(q, tempMoyenne, tube));
    } catch (const ErreurArithmetique&) {
        bilan.Fin = Arret::FormuleSansValeur;
    }
    return bilan;
}

namespace {

// The fields as the corrected calculation holds them: lengths, supply and
// outdoor temperatures and the surface coefficient in single precision.
struct Donnees {
    float l0, l1, tdep, text, h;
    double chute, q, H;
    std::int16_t vz;
    std::string tube;

    explicit Donnees(const Saisie& s)
        : l0(NombreSimple(s.Texte(Champ::LongueurBoucle), "LongueurBoucle")),
          l1(NombreSimple(s.Texte(Champ::LongueurRaccordement), "LongueurRaccordement")),
          tdep(NombreSimple(s.Texte(Champ::TempDepart), "TempDepart")),
          text(NombreSimple(s.Texte(Champ::TempExterieure), "TempExterieure")),
          h(NombreSimple(s.Texte(Champ::CoeffSurfacique), "CoeffSurfacique")),
          chute(Nombre(s.Texte(Champ::ChuteActuelle))), q(Nombre(s.Texte(Champ::DebitTotal))),
          H(Nombre(s.Texte(Champ::CoeffDeperditions))), vz(CInt(Nombre(s.PasVZ), "PasVZ")), tube(s.Diametre) {}

    // Flow of the connecting pipes at the present drop.
    double debitConduites() const {
        return DebitConduites(CInt(tdep - chute / 2, "DebitConduites"), CInt(chute, "DebitConduites"), l1, tube);
    }
};

Courbe CourbeDeRecherche(AxeCourbe axe, Recherche& r) {
    Courbe c;
    c.Axe = axe;
    c.Points = std::move(r.Pas);
    c.Cible = Nombre(r.Cible);
    if (r.Fin == FinRecherche::Atteinte)
        c.Point = PointCourbe{r.Valeur, r.TempEquilibre};
    return c;
}

// Ends the press at a search limit: the message, the curve as far as it
// went, and not one label changed.
void Limite(Bilan& bilan, const Avertissement& message) {
    bilan.Fin = Arret::Limite;
    bilan.Message = message;
}

// Temperature mode: the flow stays as entered, the supply temperature T is
// searched.
void CorrigerTemperature(const Donnees& d, const RelireCible& relire, Bilan& bilan) {
    Tableau t(bilan.Ecrit);
    // Whatever the connecting pipes leave the loop, the search goes on as
    // long as the formulas have a value: a loop left with no flow has no
    // regulation coefficient and stops the press there.
    const double qb = Verifier(d.q - d.debitConduites(), "DebitBoucle");
    const double k = Coeff_Lineique(d.h, d.vz);
    const double f = Coeff_f(qb, d.H, d.l0, k);

    Recherche r = RechercherTemperature(f, d.text, relire);
    if (r.Fin == FinRecherche::Abandonnee) {
        bilan.Fin = Arret::Abandon;
        return;
    }
    const double temp = r.Valeur, teq = r.TempEquilibre;
    const std::string cible = r.Cible;
    bilan.Trace = CourbeDeRecherche(AxeCourbe::TempDepart, r);
    if (r.Fin == FinRecherche::Limite)
        return Limite(bilan, MessageLimiteTemperature(cible));

    t.ecrire(Resultat::TempEquilibre, teq);
    t.ecrire(Resultat::CoeffRegulation, f);
    // The drop of the whole circuit: the divisor is the total flow.
    const double dtf = EcrireEmission(t, d.H, teq, d.text, d.q, temp);
    const double qc = t.ecrire(Resultat::DebitRaccordement, d.debitConduites());
    t.ecrire(Resultat::DebitBoucle, d.q - qc);
    t.copier(Resultat::DebitTotal, FormatGeneral(d.q));
    t.ecrire(Resultat::TempDepartNecessaire, temp);
    t.pourCent(PourCent::Temperature, temp, d.tdep);
    t.perte((d.l1 + d.l0) * PerteChargeCorrection(d.q, temp - dtf / 2, d.tube));
}

// Flow mode: the supply temperature stays as entered, the loop flow Qb is
// searched.
void CorrigerDebit(const Donnees& d, const RelireCible& relire, Bilan& bilan) {
    Tableau t(bilan.Ecrit);
    Recherche r = RechercherDebit(d.h, d.vz, d.H, d.l0, d.text, d.tdep, relire);
    if (r.Fin == FinRecherche::Abandonnee) {
        bilan.Fin = Arret::Abandon;
        return;
    }
    const double qb = r.Valeur, f = r.f, teq = r.TempEquilibre;
    const std::string cible = r.Cible;
    bilan.Trace = CourbeDeRecherche(AxeCourbe::DebitBoucle, r);
    if (r.Fin == FinRecherche::Limite)
        return Limite(bilan, MessageLimiteDebit(cible));

    t.ecrire(Resultat::TempEquilibre, teq);
    t.ecrire(Resultat::CoeffRegulation, f);
    // The drop of the loop alone: the divisor is the loop flow found.
    const double dtf = EcrireEmission(t, d.H, teq, d.text, qb, d.tdep);
    t.ecrire(Resultat::DebitBoucle, qb);
    const double qc = t.ecrire(Resultat::DebitRaccordement, DebitConduites(CInt(d.tdep - dtf / 2, "DebitConduites"),
                                                                           CInt(dtf, "DebitConduites"), d.l1, d.tube));
    const double q = t.ecrire(Resultat::DebitTotal, qc + qb);
    t.copier(Resultat::TempDepartNecessaire, FormatSimplePrecision(d.tdep));
    t.pourCent(PourCent::Debit, qb, d.q);
    t.perte((d.l1 + d.l0) * PerteChargeCorrection(q, d.tdep - dtf / 2, d.tube));
}

} // namespace

Bilan CalculerValeursCorrigees(const Saisie& s, const RelireCible& relire) {
    // The wished temperature is asked for before the loop's data.
    static const modules::ChampRequis<Champ> souhait[] = {{Champ::TempSouhaitee, modules::Donnee::TempSouhaitee}};
    if (auto manque = modules::PremierManque<Champ>(s, souhait))
        return modules::Refuse<Bilan>(*manque);
    if (auto manque = ControleCorrection(s))
        return modules::Refuse<Bilan>(*manque);
    Bilan bilan;
    try {
        const Donnees d(s);
        switch (s.Mode) {
        case ModeCorrection::Temperature: CorrigerTemperature(d, relire, bilan); break;
        case ModeCorrection::Debit: CorrigerDebit(d, relire, bilan); break;
        case ModeCorrection::Aucun: bilan.Fin = Arret::AucunMode; break;
        }
    } catch (const ErreurArithmetique&) {
        bilan.Fin = Arret::FormuleSansValeur;
    }
    return bilan;
}

} // namespace sorvel::ModCorrection
