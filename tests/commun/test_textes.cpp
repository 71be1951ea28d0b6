// Texts from any bytes made valid UTF-8 and fit to be shown (cas/textes.txt);
// system errors put into words.

#include "commun/ErreurSysteme.h"
#include "commun/Textes.h"

#include "TableCas.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>

using namespace sorvel;

namespace {

TEST(Textes, Utf8ValideEtAffichable) {
    for (const cas::Ligne& l : cas::Lire("textes.txt")) {
        EXPECT_EQ(Utf8Valide(l[0]), l[1]) << l.ou;
        EXPECT_EQ(TexteAffichable(l[0]), l[2]) << l.ou;
    }
    // Whatever the bytes, nothing below 0x20 survives in a text to show.
    std::string tous;
    for (int b = 0; b < 256; ++b)
        tous += static_cast<char>(b);
    for (const char o : TexteAffichable(tous))
        EXPECT_GE(static_cast<unsigned char>(o), 0x20);
    EXPECT_EQ(Utf8Valide(Utf8Valide(tous)), Utf8Valide(tous));
}

TEST(Textes, ErreursSysteme) {
    const std::pair<int, const char*> cas[] = {
        {ENOENT, "le fichier ou son dossier n'existe pas"}, {EISDIR, "un dossier porte ce nom"},
        {ENOTDIR, "un élément du chemin n'est pas un dossier"}, {ENAMETOOLONG, "le nom du fichier est trop long"},
        {EACCES, "l'accès est refusé"}, {EPERM, "l'accès est refusé"}, {ENOSPC, "le disque est plein"},
        {EROFS, "le disque est en lecture seule"}, {0, "cause inconnue"}, {9999, "erreur du système n° 9999"}};
    for (const auto& [code, libelle] : cas)
        EXPECT_EQ(LibelleErreurSysteme(code), libelle) << code;
}

} // namespace
