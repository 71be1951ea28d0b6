#pragma once

// Tables of test cases kept as text beside the tests that read them, in the
// folder the build gives each test program (SORVEL_CAS_TESTS). One case a
// line, its fields separated by '|' and trimmed; a field in double quotes
// keeps its spaces; "\xHH" stands for any byte. Blank lines and lines
// beginning with '#' are skipped. Numbers are read with a point whatever
// the locale.

#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorvel::cas {

struct Ligne {
    std::string ou; // "file:line", for failure messages
    std::vector<std::string> champs;

    const std::string& operator[](std::size_t i) const { return champs.at(i); }
    std::size_t size() const { return champs.size(); }
    double Reel(std::size_t i) const {
        const std::string& t = champs.at(i);
        double x = 0;
        const auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), x);
        if (erreur != std::errc() || fin != t.data() + t.size())
            throw std::invalid_argument(ou + " : « " + t + " » n'est pas un nombre");
        return x;
    }
    int Entier(std::size_t i) const { return static_cast<int>(Reel(i)); }
};

inline std::string Champ(std::string t) {
    const auto debut = t.find_first_not_of(" \t"), fin = t.find_last_not_of(" \t");
    t = debut == std::string::npos ? std::string() : t.substr(debut, fin - debut + 1);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"')
        t = t.substr(1, t.size() - 2);
    std::string octets;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t.compare(i, 2, "\\x") == 0 && i + 4 <= t.size()) {
            octets += static_cast<char>(std::stoi(t.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            octets += t[i];
        }
    }
    return octets;
}

// The cases of the file `nom` of the program's folder of cases.
inline std::vector<Ligne> Lire(const std::string& nom) {
    std::ifstream f(std::string(SORVEL_CAS_TESTS) + "/" + nom);
    if (!f)
        throw std::runtime_error("table de cas introuvable : " + nom);
    std::vector<Ligne> lignes;
    int numero = 0;
    for (std::string texte; std::getline(f, texte);) {
        ++numero;
        const auto debut = texte.find_first_not_of(" \t\r");
        if (debut == std::string::npos || texte[debut] == '#')
            continue;
        if (texte.back() == '\r')
            texte.pop_back();
        Ligne l{nom + ":" + std::to_string(numero), {}};
        for (std::size_t d = 0, p = 0; p != std::string::npos; d = p + 1) {
            p = texte.find('|', d);
            l.champs.push_back(Champ(texte.substr(d, p == std::string::npos ? p : p - d)));
        }
        lignes.push_back(std::move(l));
    }
    return lignes;
}

// The cases of `nom` whose first field is `genre`.
inline std::vector<Ligne> Lire(const std::string& nom, const std::string& genre) {
    std::vector<Ligne> choisies;
    for (Ligne& l : Lire(nom))
        if (l[0] == genre)
            choisies.push_back(std::move(l));
    return choisies;
}

} // namespace sorvel::cas
