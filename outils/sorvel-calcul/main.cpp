// sorvel-calcul: recalculates a stored study and prints its summary and
// material list, as CSV for a French spreadsheet or as JSON, so that a
// design office can recalculate studies in batch; or writes one of its
// printed reports as a PDF file (--pdf, Pdf.cpp).
//
// Exit status: 0 done; 1 wrong command line; 2 a study file is missing,
// unreadable or damaged (nothing is calculated then); 3 a room cannot be
// calculated (or, for a report, the study has no room; for the losses
// report, no climate or no room with details); 4 the PDF file
// cannot be written, or the module that draws it is missing.
//
// Reading the files, checking the study, and writing the results are kept
// apart: the output never depends on how the study was read.

#include "commun/ErreurArithmetique.h"
#include "commun/Textes.h"
#include "etude/ExportCsv.h"
#include "etude/RecalculEtude.h"
#include "stockage/Catalogue.h"

#include "Json.h"
#include "Pdf.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace sorvel;

namespace {

constexpr int SortieUsage = 1;
constexpr int SortieFichier = 2;
constexpr int SortieCalcul = 3;

const char* const Aide =
    "Usage : sorvel-calcul [--json] DOSSIER NOM\n"
    "        sorvel-calcul --pdf chantier|recapitulatif SORTIE.pdf DOSSIER NOM\n"
    "        sorvel-calcul --pdf deperditions SORTIE.pdf DOSSIER NOM\n"
    "        sorvel-calcul --pdf reglage SORTIE.pdf DOSSIER NOM\n"
    "\n"
    "Recalcule l'étude enregistrée NOM du dossier DOSSIER (fichiers NOM.plg,\n"
    "NOM.pla et NOM.plp) et affiche son tableau récapitulatif puis sa liste de matériel.\n"
    "\n"
    "L'étude est d'abord vérifiée : chaque champ choisi dans une liste doit\n"
    "porter une valeur que les écrans proposent, chaque nombre doit être fini,\n"
    "positif ou nul et dans les bornes de la saisie, l'étude compte au plus\n"
    "30 pièces et autant de pertes de charge que de pièces. Une étude qui ne\n"
    "passe pas est endommagée : rien n'est calculé, le message nomme le\n"
    "fichier, la pièce (numéro et nom) et le champ.\n"
    "\n"
    "Sans option, la sortie est au format CSV pour un tableur français :\n"
    "séparateur « ; », une ligne d'en-têtes, une ligne par pièce (nombres\n"
    "arrondis à 2 décimales, virgule décimale, résistances comprises :\n"
    "« 0,05 »), puis une ligne vide et les\n"
    "lignes « désignation;valeur;unité » du matériel, puis une ligne vide et\n"
    "la section « Équilibrage » : une ligne d'en-têtes, une ligne par boucle\n"
    "(pièce, boucle normale ou bordure, débit, perte de charge, perte\n"
    "artificielle, vitesse de l'eau, Kv de la vanne ou « ouverte », alertes,\n"
    "rang de la boucle parmi les boucles égales de sa pièce, « 2 sur 3 »),\n"
    "une ligne vide et la ligne « Température de départ minimale sans\n"
    "appoint;N;°C » (ou « aucune (appoint nécessaire même à 50 °C) »). Les\n"
    "caractères de contrôle d'un nom y sont montrés par leur symbole (␀, ␊...).\n"
    "\n"
    "Quand l'étude a un climat du site ou une pièce au moins avec le détail\n"
    "de ses déperditions (fichier NOM.plx), une ligne vide et la section\n"
    "« Déperditions » suivent : les lignes « libellé;valeur;unité » du climat,\n"
    "une ligne vide, le tableau des éléments de chaque pièce détaillée\n"
    "(pièce, désignation, nature, contact, A, U, b, θ voisine, H, Φ), une\n"
    "ligne vide, le bilan de chaque pièce détaillée (débit d'air,\n"
    "transmission, ventilation, relance, total, plancher, valeurs de ses deux\n"
    "champs de déperditions, saisie manuelle « oui » ou « non »), une ligne\n"
    "vide et les totaux de l'étude. Sans climat ni détail, cette section\n"
    "manque.\n"
    "\n"
    "Enfin, pour une étude qui a des pièces, une ligne vide et la section\n"
    "« Collecteurs » : une ligne d'en-têtes et une ligne par collecteur\n"
    "(nom, sorties, départs, débit total, perte de charge maximale de ses\n"
    "boucles, perte de charge propre, hauteur nécessaire, Kv de la vanne du\n"
    "collecteur ou « ouverte », alertes), une ligne vide, une ligne\n"
    "d'en-têtes et une ligne par boucle, collecteur par collecteur dans\n"
    "l'ordre des sorties (collecteur, sortie, pièce, boucle, longueur, débit\n"
    "en l/h et en l/min pour le débitmètre, perte de charge, perte\n"
    "artificielle, Kv de la vanne ou « ouverte », alertes, rang « 1 sur 1 »),\n"
    "une ligne vide et les collecteurs à commander (« Collecteur 12\n"
    "départs;2;u »). Les collecteurs de l'étude sont ceux du fichier\n"
    "NOM.plx ; sans lui, les pièces remplissent dans leur ordre des\n"
    "collecteurs de 12 sorties. Suivent une ligne vide et la section\n"
    "« Boucles » : la ligne « Pièce;Boucles » et, par pièce, le nombre de\n"
    "boucles égales de sa zone normale (1 sans fichier NOM.plx).\n"
    "\n"
    "Options :\n"
    "  --json   affiche un objet JSON (UTF-8 valide) : {\"etude\", \"PerteMaxi\",\n"
    "           \"DebitTotal\", \"pieces\" (41 valeurs par pièce), \"materiel\"\n"
    "           (12 valeurs), \"equilibrage\", \"TempDepartMinimale\"} ; les\n"
    "           nombres sont en pleine précision. \"equilibrage\" donne un\n"
    "           objet par boucle, dans l'ordre des pièces, la boucle normale\n"
    "           avant celle de bordure : {\"piece\" (numéro), \"boucle\"\n"
    "           (\"normale\" ou \"bordure\"), \"debit\" (l/h), \"perte\" et\n"
    "           \"perteArtificielle\" (mmCE), \"vitesse\" (m/s), \"kv\" (m³/h,\n"
    "           null pour la vanne laissée ouverte), \"bouclesConseillees\"\n"
    "           (boucles égales qui ramènent la longueur sous la limite rouge,\n"
    "           1 sans dépassement), \"alertes\" (parmi \"vitesse\" : moins de\n"
    "           0,15 m/s, \"laminaire\" : Reynolds de 2320 au plus,\n"
    "           \"longueur\" : boucle en rouge au récapitulatif), \"rang\"\n"
    "           (1 à N parmi les N boucles égales de la pièce, qui se\n"
    "           suivent ; 1 pour une boucle seule)}. \"boucles\" donne, par\n"
    "           pièce, le nombre de boucles égales de sa zone normale.\n"
    "           \"TempDepartMinimale\" est la plus basse température de départ\n"
    "           (30 à 50 °C) sans appoint dans aucune pièce, ou null.\n"
    "           \"climat\" est le climat du site ({\"altitude\" ou null,\n"
    "           \"departement\", \"hauteur\", \"pontsThermiques\",\n"
    "           \"tempExterieure\", \"tempMoyenneAnnuelle\" ou null}), ou null.\n"
    "           \"deperditions\" donne un objet par pièce qui a le détail de\n"
    "           ses déperditions, dans l'ordre des pièces ([] sans aucune) :\n"
    "           {\"piece\" (numéro), \"transmission\", \"ventilation\",\n"
    "           \"relance\", \"total\" et \"plancher\" (W, signés et non\n"
    "           arrondis), \"debitAir\" (m³/h), \"saisieManuelle\" (true quand\n"
    "           les champs « Déperditions de la pièce » ou « du plancher »\n"
    "           portent d'autres valeurs que celles du détail)}.\n"
    "           \"collecteurs\" donne un objet par collecteur : {\"nom\",\n"
    "           \"sorties\", \"departs\" (boucles raccordées), \"debit\" (l/h),\n"
    "           \"perteMaxi\" (mmCE, sa boucle la plus résistante),\n"
    "           \"hauteurNecessaire\" (mmCE, celle-ci plus la perte de charge\n"
    "           propre du collecteur), \"kvCollecteur\" (m³/h, vanne du\n"
    "           collecteur, null quand elle reste ouverte), \"alertes\" (\"sorties\" :\n"
    "           plus de boucles que de sorties), \"boucles\" : un objet par\n"
    "           sortie {\"sortie\", \"piece\" (numéro), \"boucle\", \"debit\"\n"
    "           (l/h), \"debitLmin\" (l/min), \"perte\" et \"perteArtificielle\"\n"
    "           (mmCE, dans son collecteur), \"kv\" (ou null), \"rang\",\n"
    "           \"alertes\"\n"
    "           (\"debitmetre\" : débit hors de 0,5 à 5 l/min)}}.\n"
    "           L'objet tient sur une ligne. Il est écrit par QJsonDocument\n"
    "           (Qt), la seule bibliothèque JSON de Sorvel, ce qui change sa\n"
    "           forme mais aucune valeur : les clés de chaque objet sont\n"
    "           triées (\"DebitTotal\", \"PerteMaxi\", \"TempDepartMinimale\",\n"
    "           \"boucles\", \"climat\", \"collecteurs\", \"deperditions\",\n"
    "           \"equilibrage\", \"etude\", \"materiel\", \"pieces\" ; dans une\n"
    "           boucle, de \"alertes\" à \"vitesse\"), sans espace après « : »\n"
    "           ni « , » ; un nombre entier s'écrit en chiffres (100000, non\n"
    "           plus 1e+05) et -0 s'écrit 0 ; les caractères 8 et 12\n"
    "           s'écrivent \\b et \\f, et DEL (127) tel quel.\n"
    "  --pdf chantier SORTIE.pdf\n"
    "           écrit dans SORTIE.pdf (A4) le rapport des résultats chantier :\n"
    "           tableau des pièces, données générales et matériel.\n"
    "  --pdf recapitulatif SORTIE.pdf\n"
    "           écrit dans SORTIE.pdf (A4) le récapitulatif imprimé : les 41\n"
    "           grandeurs de chaque pièce. Aucun écran n'est nécessaire.\n"
    "  --pdf deperditions SORTIE.pdf\n"
    "           écrit dans SORTIE.pdf (A4) le rapport des déperditions : le\n"
    "           climat du site, puis chaque pièce détaillée (ses éléments avec\n"
    "           H et Φ, l'air, la relance, les totaux et les valeurs de ses\n"
    "           deux champs), le total de l'étude et les pièces sans détail.\n"
    "  --pdf reglage SORTIE.pdf\n"
    "           écrit dans SORTIE.pdf (A4) la fiche de réglage du chantier :\n"
    "           pour chaque collecteur, ses départs, son débit total, la\n"
    "           hauteur qu'il demande et le Kv de sa vanne, puis chaque sortie\n"
    "           (pièce, boucle, longueur, débit en l/h et en l/min, Kv de la\n"
    "           vanne ou « ouverte ») et les alertes en toutes lettres.\n"
    "           Chaque page porte sous son en-tête le client, le chantier et\n"
    "           l'installateur donnés dans NOM.plx (renseignements), et le\n"
    "           rapport chantier finit par leurs notes.\n"
    "           Les rapports sont dessinés par le module sorvel-calcul-pdf.so,\n"
    "           chargé pour --pdf seulement depuis le dossier du programme.\n"
    "  --help   affiche cette aide.\n"
    "\n"
    "Codes de sortie :\n"
    "  0  calcul effectué ;\n"
    "  1  ligne de commande incorrecte ;\n"
    "  2  fichier de l'étude absent, illisible ou endommagé ;\n"
    "  3  le calcul d'une pièce est impossible (avec --pdf : ou l'étude n'a\n"
    "     aucune pièce ; avec --pdf deperditions : ou l'étude n'a pas de climat\n"
    "     ou aucune pièce détaillée) ;\n"
    "  4  le fichier PDF ne peut pas être écrit, ou le module des rapports\n"
    "     manque (aucun fichier n'est laissé).\n";

// A study file that cannot be used; the message is ready for the user.
struct ErreurEtude {
    std::string message;
};

// The stored study, read and checked as the program reads it (a missing,
// unreadable, misshapen or damaged file raises ErreurEtude).
Etude LireEtude(const std::string& dossier, const std::string& nom) {
    try {
        return Catalogue(DossierEtudes(QString::fromLocal8Bit(dossier.c_str()))).Lire(QString::fromLocal8Bit(nom.c_str()));
    } catch (const ErreurSignalee& e) {
        // The path in the message may hold control characters: shown by their symbols.
        throw ErreurEtude{TexteAffichable(e.what())};
    }
}

void Ecrire(std::FILE* f, std::string_view texte) {
    std::fwrite(texte.data(), 1, texte.size(), f);
}

} // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::optional<OptionPdf> pdf;
    bool pdfIncorrect = false;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            Ecrire(stdout, Aide);
            return 0;
        }
        if (a == "--json")
            json = true;
        else if (a == "--pdf") {
            // --pdf RAPPORT SORTIE.pdf
            if (pdf || i + 2 >= argc || !RapportConnu(argv[i + 1])) {
                pdfIncorrect = true;
                break;
            }
            pdf = OptionPdf{argv[i + 1], argv[i + 2]};
            i += 2;
        }
        else if (a.size() > 1 && a.front() == '-')
            arguments.push_back("?" + std::string(a)); // unknown option, refused below
        else
            arguments.emplace_back(a);
    }
    if (pdfIncorrect || (pdf && json) || arguments.size() != 2 || arguments[0].front() == '?'
        || arguments[1].front() == '?') {
        Ecrire(stderr, "sorvel-calcul : ligne de commande incorrecte.\n"
                       "Usage : sorvel-calcul [--json | --pdf RAPPORT SORTIE.pdf] DOSSIER NOM (sorvel-calcul --help pour l'aide).\n");
        return SortieUsage;
    }
    const std::string& nom = arguments[1];
    try {
        // A damaged study is refused as a whole by the loader, before any
        // room is calculated.
        const Etude etude = LireEtude(arguments[0], nom);
        const EtudeRecalculee r = RecalculerEtude(etude.Pieces, etude.Generales, etude.Collecteurs);
        const DeperditionsEtude d = CalculerDeperditionsEtude(etude.Climat, etude.Pieces);
        if (pdf)
            return EcrireRapportPdf(*pdf, nom, etude.Generales, r, d, etude.Renseignements, argc, argv);
        Ecrire(stdout,
               json ? JsonEtude(nom, r, d).toStdString() : CsvEtude(r, d));
        if (std::fflush(stdout) != 0) {
            Ecrire(stderr, "sorvel-calcul : impossible d'écrire le résultat.\n");
            return SortieFichier;
        }
        return 0;
    } catch (const ErreurEtude& e) {
        Ecrire(stderr, "sorvel-calcul : " + e.message + "\n");
        return SortieFichier;
    } catch (const ErreurCalculEtude& e) {
        // what() names the room with its control characters made visible: never cut short.
        Ecrire(stderr, std::string("sorvel-calcul : ") + e.what() + "\n");
        return SortieCalcul;
    } catch (const ErreurArithmetique& e) {
        Ecrire(stderr, std::string("sorvel-calcul : les données générales de l'étude sont inutilisables : ")
                           + e.what() + ".\n");
        return SortieFichier;
    } catch (const std::exception& e) {
        Ecrire(stderr, std::string("sorvel-calcul : erreur inattendue : ") + TexteAffichable(e.what()) + "\n");
        return SortieFichier;
    }
}
