#include "stockage/Extension.h"

#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "enregistrements/VerificationCollecteurs.h"
#include "enregistrements/VerificationDeperditions.h"
#include "etude/Collecteurs.h"
#include "stockage/ExtensionReglages.h"
#include "stockage/Fichiers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <initializer_list>

namespace sorvel {

namespace {

// The names the file gives to the choices of an element.
template <class E>
struct Nom {
    const char* texte;
    E valeur;
};
constexpr Nom<NatureElement> Natures[] = {{"mur", NatureElement::Mur},
                                          {"fenetre", NatureElement::Fenetre},
                                          {"porte", NatureElement::Porte},
                                          {"plancher", NatureElement::Plancher},
                                          {"plafond", NatureElement::Plafond}};
constexpr Nom<ContactElement> Contacts[] = {{"exterieur", ContactElement::Exterieur},
                                            {"nonChauffe", ContactElement::NonChauffe},
                                            {"sol", ContactElement::Sol},
                                            {"chauffe", ContactElement::Chauffe}};

template <class E, std::size_t N>
QString NomDe(const Nom<E> (&noms)[N], E valeur) {
    for (const Nom<E>& n : noms)
        if (n.valeur == valeur)
            return QString::fromLatin1(n.texte);
    return {};
}

// "mur, fenetre, porte, plancher ou plafond".
template <class E, std::size_t N>
std::string Liste(const Nom<E> (&noms)[N]) {
    std::string liste = noms[0].texte;
    for (std::size_t i = 1; i < N; ++i)
        liste += (i + 1 < N ? ", " : " ou ") + std::string(noms[i].texte);
    return liste;
}

std::string Utf8(const QString& texte) { return texte.toStdString(); }

// ---- Writing ----------------------------------------------------------------

QJsonObject VersJson(const ClimatSite& c) {
    QJsonObject o{{"departement", QString::fromStdString(c.Departement)},
                  {"tempExterieure", c.TempExterieure},
                  {"pontsThermiques", c.PontsThermiques},
                  {"hauteur", c.Hauteur}};
    if (c.Altitude)
        o["altitude"] = *c.Altitude;
    if (c.TempMoyenneAnnuelle)
        o["tempMoyenneAnnuelle"] = *c.TempMoyenneAnnuelle;
    return o;
}

QJsonObject VersJson(const ElementParoi& e) {
    QJsonObject o{{"designation", QString::fromStdString(e.Designation)},
                  {"nature", NomDe(Natures, e.Nature)},
                  {"surface", e.Surface},
                  {"u", e.U},
                  {"contact", NomDe(Contacts, e.Contact)}};
    if (e.B)
        o["b"] = *e.B;
    if (e.TempAdjacente)
        o["tempAdjacente"] = *e.TempAdjacente;
    return o;
}

QJsonObject VersJson(const DeperditionsPiece& d) {
    QJsonArray elements;
    for (const ElementParoi& e : d.Elements)
        elements.append(VersJson(e));
    QJsonObject o{{"renouvellement", d.Renouvellement},
                  {"debitExtrait", d.DebitExtrait},
                  {"relance", d.Relance},
                  {"elements", elements}};
    if (d.Hauteur)
        o["hauteur"] = *d.Hauteur;
    return o;
}

QJsonObject VersJson(const Collecteur& c) {
    return {{"nom", QString::fromStdString(c.Nom)}, {"sorties", c.Sorties}, {"perteCollecteur", c.PerteCollecteur}};
}

// What a room keeps in the file: its manifold, its loops when more than
// one, and its details; empty when it keeps nothing.
QJsonObject VersJson(const Piece& p, int numero) {
    QJsonObject o;
    if (p.Collecteur)
        o["collecteur"] = *p.Collecteur;
    if (p.Boucles != 1)
        o["boucles"] = p.Boucles;
    if (p.Deperditions)
        o["deperditions"] = VersJson(*p.Deperditions);
    if (!o.isEmpty())
        o["piece"] = numero;
    return o;
}

// ---- Reading ----------------------------------------------------------------

// Reads one file, knowing where it stands (a room, an element) so that a
// fault names it.
class Lecteur {
public:
    Lecteur(const QString& chemin, const QString& affiche, const std::vector<Piece>& pieces)
        : chemin_(chemin), affiche_(affiche), pieces_(pieces) {}

    void Lire(const QByteArray& octets, Etude& etude);

private:
    [[noreturn]] void Refuser(const QString& champ, const std::string& raison) const {
        const DefautEtude d{FichierStocke::Extension,
                            piece_,
                            piece_ > 0 ? pieces_[static_cast<std::size_t>(piece_ - 1)].NomPiece : std::string(),
                            Utf8(champ),
                            raison,
                            element_,
                            designation_,
                            collecteur_,
                            nomCollecteur_};
        throw ErreurEtudeEndommagee(chemin_, MessageDefautEtude(d, Utf8(affiche_)));
    }
    [[noreturn]] void Refuser(const DefautEtude& defaut) const {
        throw ErreurEtudeEndommagee(chemin_, MessageDefautEtude(defaut, Utf8(affiche_)));
    }
    void VerifierEntete(const QJsonObject& racine) const;
    void ClesConnues(const QJsonObject& o, std::initializer_list<const char*> cles) const;
    QJsonObject Objet(const QJsonValue& v, const char* cle) const;
    std::optional<double> Nombre(const QJsonObject& o, const char* cle, bool requis = false) const;
    std::string Texte(const QJsonObject& o, const char* cle) const;
    template <class E, std::size_t N>
    E Choix(const QJsonObject& o, const char* cle, const Nom<E> (&noms)[N]) const;

    ClimatSite Climat(const QJsonObject& o) const;
    std::vector<Collecteur> Collecteurs(const QJsonValue& v);
    void Piece(const QJsonValue& v, int entree, std::vector<sorvel::Piece>& pieces, std::vector<bool>& vues);
    DeperditionsPiece Details(const QJsonObject& o);
    ElementParoi Element(const QJsonValue& v);

    QString chemin_;
    QString affiche_;
    const std::vector<sorvel::Piece>& pieces_;
    int piece_ = 0;
    int element_ = 0;
    std::string designation_;
    int collecteur_ = 0;
    std::string nomCollecteur_;
    std::size_t nombreCollecteurs_ = 1;
};

void Lecteur::ClesConnues(const QJsonObject& o, std::initializer_list<const char*> cles) const {
    for (auto i = o.begin(); i != o.end(); ++i) {
        bool connue = false;
        for (const char* cle : cles)
            connue = connue || i.key() == QLatin1String(cle);
        if (!connue)
            Refuser(i.key(), "cette clé n'est pas connue de cette version de Sorvel");
    }
}

QJsonObject Lecteur::Objet(const QJsonValue& v, const char* cle) const {
    if (!v.isObject())
        Refuser(cle, "la valeur doit être un objet JSON");
    return v.toObject();
}

std::optional<double> Lecteur::Nombre(const QJsonObject& o, const char* cle, bool requis) const {
    const QJsonValue v = o.value(QLatin1String(cle));
    if (v.isUndefined() && !requis)
        return std::nullopt;
    if (v.isUndefined())
        Refuser(cle, "il manque");
    if (!v.isDouble())
        Refuser(cle, "la valeur doit être un nombre");
    return v.toDouble();
}

std::string Lecteur::Texte(const QJsonObject& o, const char* cle) const {
    const QJsonValue v = o.value(QLatin1String(cle));
    if (!v.isUndefined() && !v.isString())
        Refuser(cle, "la valeur doit être un texte");
    return Utf8(v.toString());
}

template <class E, std::size_t N>
E Lecteur::Choix(const QJsonObject& o, const char* cle, const Nom<E> (&noms)[N]) const {
    const QJsonValue v = o.value(QLatin1String(cle));
    if (v.isUndefined())
        Refuser(cle, "il manque");
    if (!v.isString())
        Refuser(cle, "la valeur doit être un texte");
    for (const Nom<E>& n : noms)
        if (v.toString() == QLatin1String(n.texte))
            return n.valeur;
    Refuser(cle, "« " + TexteAffichable(Utf8(v.toString())) + " » n'est pas une valeur connue (" + Liste(noms) + ")");
}

void Lecteur::VerifierEntete(const QJsonObject& racine) const {
    if (racine.value(QStringLiteral("format")) != FormatExtension)
        Refuser("format", "il doit valoir « " + Utf8(FormatExtension) + " »");
    const double version = *Nombre(racine, "version", true);
    if (version != std::floor(version) || version < 1)
        Refuser("version", FormatGeneral(version) + " n'est pas un numéro de version");
    if (version > VersionExtension)
        throw ErreurEtudeEndommagee(
            chemin_,
            "Le fichier « " + TexteAffichable(Utf8(affiche_)) + " » ne peut pas être lu : l'étude a été créée par " +
                "une version plus récente de Sorvel (format de version " + FormatGeneral(version) +
                " ; cette version de Sorvel lit la version " + std::to_string(VersionExtension) +
                "). Mettez Sorvel à jour pour ouvrir cette étude.",
            TitreEtudeRecente);
    ClesConnues(racine, {"format", "version", "climat", "collecteurs", "pieces", "defautsPieces", "renseignements"});
}

ClimatSite Lecteur::Climat(const QJsonObject& o) const {
    ClesConnues(o, {"departement", "altitude", "tempExterieure", "tempMoyenneAnnuelle", "pontsThermiques",
                    "hauteur"});
    ClimatSite c;
    c.Departement = Texte(o, "departement");
    c.Altitude = Nombre(o, "altitude");
    c.TempExterieure = *Nombre(o, "tempExterieure", true);
    c.TempMoyenneAnnuelle = Nombre(o, "tempMoyenneAnnuelle");
    c.PontsThermiques = Nombre(o, "pontsThermiques").value_or(c.PontsThermiques);
    c.Hauteur = Nombre(o, "hauteur").value_or(c.Hauteur);
    return c;
}

// The list of manifolds: at least one; each one's outlets a whole number
// of 1 to 24 (its name and own drop are checked with the rooms' manifolds,
// VerifierCollecteurs).
std::vector<Collecteur> Lecteur::Collecteurs(const QJsonValue& v) {
    if (!v.isArray())
        Refuser("collecteurs", "la valeur doit être une liste");
    if (v.toArray().isEmpty())
        Refuser("collecteurs", "la liste ne compte aucun collecteur, il en faut au moins un");
    std::vector<Collecteur> liste;
    for (const QJsonValue& e : v.toArray()) {
        collecteur_ = static_cast<int>(liste.size()) + 1;
        nomCollecteur_.clear();
        const QJsonObject o = Objet(e, "collecteurs");
        if (!o.contains(QStringLiteral("nom")))
            Refuser("nom", "il manque");
        Collecteur c{.Nom = Texte(o, "nom")};
        nomCollecteur_ = c.Nom;
        ClesConnues(o, {"nom", "sorties", "perteCollecteur"});
        const double sorties = Nombre(o, "sorties").value_or(c.Sorties);
        if (const auto refus = RefusSorties(sorties))
            Refuser("sorties", *refus);
        c.Sorties = static_cast<int>(sorties);
        c.PerteCollecteur = Nombre(o, "perteCollecteur").value_or(0);
        liste.push_back(c);
    }
    collecteur_ = 0;
    nomCollecteur_.clear();
    return liste;
}

// Entry `entree` (from 1) of "pieces": the room it names, once.
void Lecteur::Piece(const QJsonValue& v, int entree, std::vector<sorvel::Piece>& pieces, std::vector<bool>& vues) {
    const std::string ou = " (entrée " + std::to_string(entree) + " de « pieces »)";
    if (!v.isObject())
        Refuser("pieces", "la valeur doit être un objet JSON" + ou);
    const QJsonObject o = v.toObject();
    const QJsonValue n = o.value(QStringLiteral("piece"));
    if (!n.isDouble())
        Refuser("piece", (n.isUndefined() ? "le numéro de la pièce manque" : "la valeur doit être un nombre") + ou);
    const double numero = n.toDouble();
    if (numero != std::floor(numero) || numero < 1)
        Refuser("piece", FormatGeneral(numero) + " n'est pas un numéro de pièce, elles sont numérotées à partir de 1" +
                             ou);
    if (numero > static_cast<double>(pieces.size()))
        Refuser("piece", "la pièce " + FormatGeneral(numero) + " n'existe pas, l'étude en compte " +
                             std::to_string(pieces.size()) + ou);
    piece_ = static_cast<int>(numero);
    if (vues[static_cast<std::size_t>(piece_ - 1)])
        Refuser("piece", "la pièce est décrite deux fois dans « pieces »");
    vues[static_cast<std::size_t>(piece_ - 1)] = true;
    ClesConnues(o, {"piece", "collecteur", "boucles", "deperditions"});
    sorvel::Piece& piece = pieces[static_cast<std::size_t>(piece_ - 1)];
    if (o.contains(QStringLiteral("boucles"))) {
        // A whole number written as such: 1.5, "2", true or null is no count.
        const QJsonValue b = o.value(QStringLiteral("boucles"));
        const double n = b.isDouble() ? b.toDouble() : 0;
        if (!b.isDouble() || n != std::floor(n) || n < 1 || n > BouclesMaximum)
            Refuser("boucles", "la valeur doit être un nombre entier de 1 à " + std::to_string(BouclesMaximum));
        piece.Boucles = static_cast<int>(n);
    }
    if (const auto collecteur = Nombre(o, "collecteur")) {
        if (const auto refus = RefusNumeroCollecteur(*collecteur, nombreCollecteurs_))
            Refuser("collecteur", *refus);
        piece.Collecteur = static_cast<int>(*collecteur);
    }
    if (o.contains(QStringLiteral("deperditions")))
        piece.Deperditions = Details(Objet(o.value(QStringLiteral("deperditions")), "deperditions"));
    piece_ = 0;
}

DeperditionsPiece Lecteur::Details(const QJsonObject& o) {
    ClesConnues(o, {"hauteur", "renouvellement", "debitExtrait", "relance", "elements"});
    DeperditionsPiece d;
    d.Hauteur = Nombre(o, "hauteur");
    d.Renouvellement = Nombre(o, "renouvellement").value_or(0);
    d.DebitExtrait = Nombre(o, "debitExtrait").value_or(0);
    d.Relance = Nombre(o, "relance").value_or(0);
    const QJsonValue elements = o.value(QStringLiteral("elements"));
    if (!elements.isUndefined() && !elements.isArray())
        Refuser("elements", "la valeur doit être une liste");
    for (const QJsonValue& e : elements.toArray()) {
        element_ = static_cast<int>(d.Elements.size()) + 1;
        designation_.clear();
        d.Elements.push_back(Element(e));
    }
    element_ = 0;
    designation_.clear();
    return d;
}

ElementParoi Lecteur::Element(const QJsonValue& v) {
    if (!v.isObject())
        Refuser({}, "ce n'est pas un objet JSON");
    const QJsonObject o = v.toObject();
    ElementParoi e;
    e.Designation = Texte(o, "designation");
    designation_ = e.Designation;
    ClesConnues(o, {"designation", "nature", "surface", "u", "contact", "b", "tempAdjacente"});
    e.Nature = Choix(o, "nature", Natures);
    e.Surface = *Nombre(o, "surface", true);
    e.U = *Nombre(o, "u", true);
    e.Contact = Choix(o, "contact", Contacts);
    e.B = Nombre(o, "b");
    e.TempAdjacente = Nombre(o, "tempAdjacente");
    return e;
}

void Lecteur::Lire(const QByteArray& octets, Etude& etude) {
    QJsonParseError erreur{};
    const QJsonDocument document = QJsonDocument::fromJson(octets, &erreur);
    if (erreur.error != QJsonParseError::NoError)
        Refuser({}, "son contenu n'est pas du JSON valide (erreur vers l'octet " + std::to_string(erreur.offset + 1) +
                        ")");
    if (!document.isObject())
        Refuser({}, "son contenu n'est pas un objet JSON");
    const QJsonObject racine = document.object();
    VerifierEntete(racine);
    std::optional<ClimatSite> climatLu;
    if (racine.contains(QStringLiteral("climat")))
        climatLu = Climat(Objet(racine.value(QStringLiteral("climat")), "climat"));
    // The manifolds before the rooms that name them.
    std::vector<Collecteur> collecteurs;
    if (racine.contains(QStringLiteral("collecteurs")))
        collecteurs = Collecteurs(racine.value(QStringLiteral("collecteurs")));
    nombreCollecteurs_ = CollecteursEtude(collecteurs).size();
    const QJsonValue liste = racine.value(QStringLiteral("pieces"));
    if (!liste.isUndefined() && !liste.isArray())
        Refuser("pieces", "la valeur doit être une liste");
    std::vector<sorvel::Piece> lues = etude.Pieces;
    for (sorvel::Piece& p : lues) {
        p.Deperditions.reset();
        p.Collecteur.reset();
    }
    std::vector<bool> vues(lues.size(), false);
    int entree = 0;
    for (const QJsonValue& v : liste.toArray())
        Piece(v, ++entree, lues, vues);
    if (const auto defaut = VerifierCollecteurs(collecteurs, lues))
        Refuser(*defaut);
    if (const auto defaut = VerifierDeperditions(climatLu, lues))
        Refuser(*defaut);
    // The study's own keys, named as the others when refused.
    std::optional<DefautsPieces> defauts;
    RenseignementsEtude renseignements;
    try {
        if (racine.contains(QStringLiteral("defautsPieces")))
            defauts = LireDefautsPieces(racine.value(QStringLiteral("defautsPieces")));
        if (racine.contains(QStringLiteral("renseignements")))
            renseignements = LireRenseignements(racine.value(QStringLiteral("renseignements")));
    } catch (const RefusCle& refus) {
        Refuser(QString::fromStdString(refus.Champ), refus.Raison);
    }
    etude.Defauts = std::move(defauts);
    etude.Renseignements = std::move(renseignements);
    etude.Climat = std::move(climatLu);
    etude.Collecteurs = std::move(collecteurs);
    etude.Pieces = std::move(lues);
}

// The defaults of the rooms and the details of the job, when the study has
// them; defaults that break a rule raise ErreurSignalee.
void AjouterReglages(const Etude& etude, QJsonObject& racine) {
    try {
        if (etude.Defauts)
            racine["defautsPieces"] = DefautsPiecesVersJson(*etude.Defauts);
    } catch (const RefusCle& refus) {
        throw ErreurSignalee(Utf8(TitreDefautsPieces), "Les valeurs par défaut des pièces ne peuvent pas être "
                                                       "enregistrées : champ « " + refus.Champ + " » : " +
                                                           refus.Raison + ".");
    }
    if (!etude.Renseignements.Vides())
        racine["renseignements"] = RenseignementsVersJson(etude.Renseignements);
}

} // namespace

std::optional<QByteArray> EcrireExtension(const Etude& etude) {
    if (const auto defaut = VerifierDeperditions(etude.Climat, etude.Pieces))
        throw ErreurSignalee(Utf8(TitreDeperditions), "Les déperditions de l'étude ne peuvent pas être enregistrées : " +
                                                          DescriptionDefaut(*defaut) + ".");
    if (const auto defaut = VerifierCollecteurs(etude.Collecteurs, etude.Pieces))
        throw ErreurSignalee(Utf8(TitreCollecteurs), "Les collecteurs de l'étude ne peuvent pas être enregistrés : " +
                                                         DescriptionDefaut(*defaut) + ".");
    // The default list is the one a file without "collecteurs" gives.
    const bool listeParDefaut = etude.Collecteurs.empty() || etude.Collecteurs == CollecteursEtude({});
    bool versionDeux = !listeParDefaut;
    QJsonArray pieces;
    for (std::size_t i = 0; i < etude.Pieces.size(); ++i) {
        const QJsonObject piece = VersJson(etude.Pieces[i], static_cast<int>(i) + 1);
        if (!piece.isEmpty())
            pieces.append(piece);
        versionDeux = versionDeux || etude.Pieces[i].Collecteur || etude.Pieces[i].Boucles != 1;
    }
    // The defaults of the rooms and the details of the job came with version 3.
    const bool versionTrois = etude.Defauts || !etude.Renseignements.Vides();
    if (!etude.Climat && pieces.isEmpty() && !versionDeux && !versionTrois)
        return std::nullopt;
    // Without manifolds nor loop counts the file is one a Sorvel of version 1
    // reads.
    QJsonObject racine{{"format", FormatExtension}, {"version", versionTrois ? 3 : versionDeux ? 2 : 1},
                       {"pieces", pieces}};
    if (versionTrois)
        AjouterReglages(etude, racine);
    if (etude.Climat)
        racine["climat"] = VersJson(*etude.Climat);
    if (!listeParDefaut) {
        QJsonArray collecteurs;
        for (const Collecteur& c : etude.Collecteurs)
            collecteurs.append(VersJson(c));
        racine["collecteurs"] = collecteurs;
    }
    return QJsonDocument(racine).toJson(QJsonDocument::Indented);
}

void LireExtension(const QByteArray& octets, const QString& chemin, const QString& affiche, Etude& etude) {
    Lecteur(chemin, affiche, etude.Pieces).Lire(octets, etude);
}

bool ComplementsPiece(const Piece& piece) { return piece.Collecteur || piece.Boucles != 1 || piece.Deperditions; }

} // namespace sorvel
