#include "stockage/Extension.h"

#include "commun/Nombres.h"
#include "commun/Textes.h"
#include "enregistrements/VerificationDeperditions.h"
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

// ---- Reading ----------------------------------------------------------------

// Reads one file, knowing where it stands (a room, an element) so that a
// fault names it.
class Lecteur {
public:
    Lecteur(const QString& chemin, const QString& affiche, const std::vector<Piece>& pieces)
        : chemin_(chemin), affiche_(affiche), pieces_(pieces) {}

    void Lire(const QByteArray& octets, std::optional<ClimatSite>& climat, std::vector<Piece>& pieces);

private:
    [[noreturn]] void Refuser(const QString& champ, const std::string& raison) const {
        const DefautEtude d{FichierStocke::Extension, piece_,
                            piece_ > 0 ? pieces_[static_cast<std::size_t>(piece_ - 1)].NomPiece : std::string(),
                            Utf8(champ), raison, element_, designation_};
        throw ErreurEtudeEndommagee(chemin_, MessageDefautEtude(d, Utf8(affiche_)));
    }
    void VerifierEntete(const QJsonObject& racine) const;
    void ClesConnues(const QJsonObject& o, std::initializer_list<const char*> cles) const;
    QJsonObject Objet(const QJsonValue& v, const char* cle) const;
    std::optional<double> Nombre(const QJsonObject& o, const char* cle, bool requis = false) const;
    std::string Texte(const QJsonObject& o, const char* cle) const;
    template <class E, std::size_t N>
    E Choix(const QJsonObject& o, const char* cle, const Nom<E> (&noms)[N]) const;

    ClimatSite Climat(const QJsonObject& o) const;
    void Piece(const QJsonValue& v, int entree, std::vector<sorvel::Piece>& pieces, std::vector<bool>& vues);
    DeperditionsPiece Details(const QJsonObject& o);
    ElementParoi Element(const QJsonValue& v);

    QString chemin_;
    QString affiche_;
    const std::vector<sorvel::Piece>& pieces_;
    int piece_ = 0;
    int element_ = 0;
    std::string designation_;
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
    ClesConnues(racine, {"format", "version", "climat", "pieces"});
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
    ClesConnues(o, {"piece", "deperditions"});
    if (o.contains(QStringLiteral("deperditions")))
        pieces[static_cast<std::size_t>(piece_ - 1)].Deperditions =
            Details(Objet(o.value(QStringLiteral("deperditions")), "deperditions"));
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

void Lecteur::Lire(const QByteArray& octets, std::optional<ClimatSite>& climat, std::vector<sorvel::Piece>& pieces) {
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
    const QJsonValue liste = racine.value(QStringLiteral("pieces"));
    if (!liste.isUndefined() && !liste.isArray())
        Refuser("pieces", "la valeur doit être une liste");
    std::vector<sorvel::Piece> lues = pieces;
    for (sorvel::Piece& p : lues)
        p.Deperditions.reset();
    std::vector<bool> vues(lues.size(), false);
    int entree = 0;
    for (const QJsonValue& v : liste.toArray())
        Piece(v, ++entree, lues, vues);
    if (const auto defaut = VerifierDeperditions(climatLu, lues))
        throw ErreurEtudeEndommagee(chemin_, MessageDefautEtude(*defaut, Utf8(affiche_)));
    climat = std::move(climatLu);
    pieces = std::move(lues);
}

} // namespace

std::optional<QByteArray> EcrireExtension(const std::optional<ClimatSite>& climat, const std::vector<Piece>& pieces) {
    if (const auto defaut = VerifierDeperditions(climat, pieces))
        throw ErreurSignalee(Utf8(TitreDeperditions), "Les déperditions de l'étude ne peuvent pas être enregistrées : " +
                                                          DescriptionDefaut(*defaut) + ".");
    QJsonArray details;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].Deperditions)
            details.append(QJsonObject{{"piece", static_cast<int>(i) + 1},
                                       {"deperditions", VersJson(*pieces[i].Deperditions)}});
    if (!climat && details.isEmpty())
        return std::nullopt;
    QJsonObject racine{{"format", FormatExtension}, {"version", VersionExtension}, {"pieces", details}};
    if (climat)
        racine["climat"] = VersJson(*climat);
    return QJsonDocument(racine).toJson(QJsonDocument::Indented);
}

void LireExtension(const QByteArray& octets, const QString& chemin, const QString& affiche,
                   std::optional<ClimatSite>& climat, std::vector<Piece>& pieces) {
    Lecteur(chemin, affiche, pieces).Lire(octets, climat, pieces);
}

} // namespace sorvel
