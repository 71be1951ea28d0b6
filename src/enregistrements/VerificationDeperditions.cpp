#include "enregistrements/VerificationDeperditions.h"

#include "commun/Nombres.h"

#include <cmath>

namespace sorvel {

namespace {

// Collects the first fault, where the check stands: a room, an element.
class Controle {
public:
    void Piece(int numero, const std::string& nom) {
        piece_ = numero;
        nom_ = nom;
        Element(0, {});
    }
    void Element(int numero, const std::string& designation) {
        element_ = numero;
        designation_ = designation;
    }

    void Refuser(const char* champ, std::string raison) {
        if (!defaut_)
            defaut_ = DefautEtude{FichierStocke::Extension, piece_, nom_, champ, std::move(raison), element_,
                                  designation_};
    }
    // Any finite number.
    bool Fini(const char* champ, double valeur) {
        if (!std::isfinite(valeur))
            Refuser(champ, "la valeur n'est pas un nombre fini");
        return !defaut_;
    }
    void Fini(const char* champ, const std::optional<double>& valeur) {
        if (valeur)
            Fini(champ, *valeur);
    }
    // An area, a U value, a flow, a reheat: 0 or more.
    void Positif(const char* champ, double valeur) {
        if (Fini(champ, valeur) && valeur < 0)
            Refuser(champ, "la valeur " + FormatGeneral(valeur) + " est négative");
    }
    // A height: above 0.
    void Hauteur(const char* champ, double valeur) {
        if (Fini(champ, valeur) && !(valeur > 0))
            Refuser(champ, "la hauteur " + FormatGeneral(valeur) + " m n'est pas supérieure à 0");
    }
    const std::optional<DefautEtude>& Defaut() const { return defaut_; }

private:
    int piece_ = 0;
    std::string nom_;
    int element_ = 0;
    std::string designation_;
    std::optional<DefautEtude> defaut_;
};

void VerifierClimat(Controle& c, const ClimatSite& climat) {
    c.Fini("altitude", climat.Altitude);
    c.Fini("tempExterieure", climat.TempExterieure);
    c.Fini("tempMoyenneAnnuelle", climat.TempMoyenneAnnuelle);
    c.Positif("pontsThermiques", climat.PontsThermiques);
    c.Hauteur("hauteur", climat.Hauteur);
}

// What the contact of an element needs beside its area and U value.
void VerifierContact(Controle& c, const ElementParoi& e, const ClimatSite& climat) {
    c.Fini("b", e.B);
    c.Fini("tempAdjacente", e.TempAdjacente);
    switch (e.Contact) {
    case ContactElement::Exterieur:
        break;
    case ContactElement::NonChauffe:
        if (!e.B)
            c.Refuser("b", "il manque pour un élément en contact « nonChauffe »");
        else if (*e.B < 0 || *e.B > 1)
            c.Refuser("b", "la valeur " + FormatGeneral(*e.B) + " n'est pas comprise entre 0 et 1");
        break;
    case ContactElement::Sol:
        if (!climat.TempMoyenneAnnuelle)
            c.Refuser("tempMoyenneAnnuelle", "le climat du site ne la donne pas, alors que l'élément est en "
                                             "contact avec le sol");
        break;
    case ContactElement::Chauffe:
        if (!e.TempAdjacente)
            c.Refuser("tempAdjacente", "il manque pour un élément en contact « chauffe »");
        break;
    }
}

void VerifierDetails(Controle& c, const DeperditionsPiece& d, const std::optional<ClimatSite>& climat,
                     std::optional<int> tempPiece) {
    if (!climat)
        return c.Refuser("climat", "le climat du site manque, alors que la pièce a des déperditions détaillées");
    if (!tempPiece)
        c.Refuser("tempExterieure", "la température de la pièce n'est pas donnée");
    else if (!(*tempPiece > climat->TempExterieure))
        c.Refuser("tempExterieure", "la température de la pièce (" + std::to_string(*tempPiece) +
                                        " °C) n'est pas supérieure à la température extérieure de base (" +
                                        FormatGeneral(climat->TempExterieure) + " °C)");
    if (d.Hauteur)
        c.Hauteur("hauteur", *d.Hauteur);
    c.Positif("renouvellement", d.Renouvellement);
    c.Positif("debitExtrait", d.DebitExtrait);
    c.Positif("relance", d.Relance);
    for (std::size_t j = 0; j < d.Elements.size(); ++j) {
        const ElementParoi& e = d.Elements[j];
        c.Element(static_cast<int>(j) + 1, e.Designation);
        c.Positif("surface", e.Surface);
        c.Positif("u", e.U);
        VerifierContact(c, e, *climat);
    }
}

} // namespace

std::optional<DefautEtude> VerifierDeperditions(const std::optional<ClimatSite>& climat,
                                                const std::vector<Piece>& pieces) {
    Controle c;
    if (climat)
        VerifierClimat(c, *climat);
    for (std::size_t i = 0; i < pieces.size() && !c.Defaut(); ++i) {
        if (!pieces[i].Deperditions)
            continue;
        c.Piece(static_cast<int>(i) + 1, pieces[i].NomPiece);
        VerifierDetails(c, *pieces[i].Deperditions, climat, pieces[i].TempPiece);
    }
    return c.Defaut();
}

} // namespace sorvel
