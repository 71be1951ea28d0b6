#include "modules/TextesModules.h"

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

namespace sorvel::modules {

double Nombre(std::string_view texte) { return LireNombre(texte).value_or(0.0); }

namespace {

// Digits after the decimal comma of a number's text; nothing when the text
// has an exponent.
std::optional<int> Decimales(std::string_view texte) {
    const std::string t = Nettoyer(texte);
    if (t.find_first_of("eE") != std::string::npos)
        return std::nullopt;
    const std::size_t virgule = t.find(',');
    return virgule == std::string::npos ? 0 : static_cast<int>(t.size() - virgule - 1);
}

} // namespace

double Difference(std::string_view a, std::string_view b) {
    const double difference = Nombre(a) - Nombre(b);
    const auto da = Decimales(a), db = Decimales(b);
    // Beyond 15 decimals a double holds nothing more to round.
    if (!da || !db || std::max(*da, *db) > 15)
        return difference;
    return Arrondir(difference, std::max(*da, *db));
}

float NombreSimple(std::string_view texte, const char* etape) {
    const double x = Nombre(texte);
    if (std::abs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        throw ErreurArithmetique(ErreurArithmetique::Nature::Depassement, etape);
    return static_cast<float>(x);
}

bool EstSaisi(std::string_view texte, Saisi saisi) {
    return saisi == Saisi::Texte ? !texte.empty() : Nombre(texte) != 0;
}

const Avertissement& MessageManquant(Donnee d) {
    // In the order of Donnee.
    static const Avertissement messages[] = {
        {"Longueur de tube.",
         "Vous devez entrer la longueur de tube "
         "située dans la pièce (longueur de la boucle) !"},
        {"Température du fluide.",
         "Vous devez entrer la température de départ "
         "du fluide caloporteur (entrée collecteur de départ) !"},
        {"Chute de température.",
         "Vous devez entrer la chute de température "
         "du fluide caloporteur (DeltaT fluide) !"},
        {"Température extérieure.",
         "Vous devez entrer la température extérieure, "
         "qui peut être celle de base ou celle mesurée !"},
        {"Débit total.",
         "Vous devez entrer le débit total de fluide du circuit "
         "(boucle + raccordement si il y a) !"},
        {"Débit total.",
         "Vous devez entrer le débit de fluide de la boucle "
         "(boucle seule) !"},
        {"Coefficient surfacique.",
         "Vous devez entrer le coefficient surfacique "
         "(émissions hautes en W/m²/K) !"},
        {"Coefficient H.",
         "Vous devez entrer le coefficient de déperdition "
         "(H) !"},
        {"Température d'ambiance.", "Vous devez entrer la température de la pièce !"},
        {"Température d'ambiance.", "Vous devez définir une température d'ambiance !"},
        {"Pas VZ",
         "Vous devez entrer le pas "
         "(VZ) de la pièce !"},
        {"Diamètre du tube",
         "Vous devez entrer le diamètre du tube utilisé "
         "(13x16 ou 16x20 mm) !"},
    };
    static_assert(std::size(messages) == static_cast<std::size_t>(Donnee::Diametre) + 1);
    return messages[static_cast<std::size_t>(d)];
}

std::string TexteArrondi(double x, int decimales, const char* etape) {
    return FormatGeneral(Verifier(Arrondir(Verifier(x, etape), decimales), etape));
}

} // namespace sorvel::modules
