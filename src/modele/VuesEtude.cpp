#include "modele/VuesEtude.h"

#include "modele/EtudeEnCours.h"

namespace sorvel {

QStringList ResumesEtudePossibles() {
    QStringList resumes;
    Installation g;
    for (Fixation support : {Fixation::Treillis, Fixation::Plots})
        for (DiametreTube tube : {DiametreTube::D13x16, DiametreTube::D16x20})
            for (int temperature = TempDepartBasse; temperature <= TempDepartHaute; ++temperature) {
                g.Support = support;
                g.Tube = tube;
                g.TempDepart = temperature;
                resumes << ResumeEtude(g);
            }
    return resumes;
}

bool AvecPieces(const EtudeRecalculee& etude) { return etude.Resultat.Table.NombrePieces() > 0; }

Recapitulatif RecapitulatifEtude(const EtudeRecalculee& etude, const Installation& generales) {
    return PresenterRecapitulatif(etude.Resultat, generales);
}

std::vector<LigneEquilibrage> LignesEquilibrage(const EtudeRecalculee& etude) {
    std::vector<LigneEquilibrage> lignes = PresenterEquilibrage(etude.Equilibrage.Boucles, etude.Equilibrage.Tube);
    for (std::size_t n = 0; n < lignes.size() && n < etude.Equilibrage.Boucles.size(); ++n)
        lignes[n][ColonneEquilibrage::Boucle].Texte = TexteBoucleRang(etude.Equilibrage.Boucles[n]);
    return lignes;
}

std::vector<CollecteurAffiche> LignesCollecteurs(const EtudeRecalculee& etude) {
    std::vector<CollecteurAffiche> collecteurs;
    for (const FiguresCollecteur& c : etude.Collecteurs) {
        CollecteurAffiche affiche{PresenterCollecteur(c), PresenterSorties(c)};
        for (std::size_t n = 0; n < affiche.Sorties.size() && n < c.Boucles.size(); ++n)
            affiche.Sorties[n][ColonneSortie::Boucle].Texte = TexteBoucleRang(c.Boucles[n].Boucle);
        collecteurs.push_back(std::move(affiche));
    }
    return collecteurs;
}

QString LignePerteEtude(const EtudeRecalculee& etude) {
    return AvecPieces(etude) ? QString::fromStdString(TexteLblPerte(etude.Resultat)) : QString();
}

QString LigneTempDepartMinimale(const EtudeRecalculee& etude) {
    return AvecPieces(etude) ? QString::fromStdString(TexteTempDepartMinimale(etude.Equilibrage.TempDepartMinimale))
                             : QString();
}

std::vector<LigneMaterielAffichee> LignesMaterielEtude(const EtudeRecalculee& etude) {
    std::vector<LigneMaterielAffichee> lignes;
    for (std::size_t n = 0; n < etude.Materiel.size() && n < LignesMateriel.size(); ++n)
        lignes.push_back({QString::fromUtf8(LignesMateriel[n].Designation),
                          QString::fromStdString(TexteMateriel(etude.Materiel[n])),
                          QString::fromUtf8(LignesMateriel[n].Unite)});
    return lignes;
}

std::vector<LigneMaterielAffichee> LignesMaterielCollecteurs(const EtudeRecalculee& etude) {
    std::vector<LigneMaterielAffichee> lignes;
    if (AvecPieces(etude))
        for (const LigneMaterielCollecteur& l : MaterielCollecteurs(etude.Collecteurs))
            lignes.push_back({QString::fromStdString(l.Designation), QString::number(l.Nombre), QStringLiteral("u")});
    return lignes;
}

} // namespace sorvel
