// Texts from any bytes made valid UTF-8 and fit to be shown; system errors
// put into words.

#include "commun/ErreurSysteme.h"
#include "commun/Textes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

using namespace sorvel;
namespace fs = std::filesystem;

namespace {

std::string O(const char* s, std::size_t n) { return std::string(s, n); }

TEST(Textes, Utf8ValideEtAffichable) {
    struct Cas { const char* quoi; std::string octets, valide, affichable; };
    const Cas cas[] = {
        {"ascii", "Bureau", "Bureau", "Bureau"},
        {"accents gardes", "Séjour €", "Séjour €", "Séjour €"},
        {"NUL au milieu", O("Bur\0eau", 7), O("Bur\0eau", 7), "Bur␀eau"},
        {"retours et tabulation", "a\r\nb\tc", "a\r\nb\tc", "a␍␊b␉c"},
        {"DEL et echappement", "x\x7F\x1B", "x\x7F\x1B", "x␡␛"},
        {"controle C1", "a\xC2\x85" "b", "a\xC2\x85" "b", "a�b"},
        {"octet isole", "a\xFF" "b", "a�b", "a�b"},
        {"suite de continuation", "\x80\x80", "��", "��"},
        {"sequence coupee", "\xC3", "�", "�"},
        {"sequence coupee puis ascii", "\xE2\x82" "A", "��A", "��A"},
        {"forme trop longue", "\xC0\xAF", "��", "��"},
        {"surrogat", "\xED\xA0\x80", "���", "���"},
        {"au-dela de U+10FFFF", "\xF4\x90\x80\x80", "����", "����"},
        {"quatre octets valides", "\xF0\x9F\x8F\xA0", "\xF0\x9F\x8F\xA0", "\xF0\x9F\x8F\xA0"},
        {"vide", "", "", ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EXPECT_EQ(Utf8Valide(c.octets), c.valide);
        EXPECT_EQ(TexteAffichable(c.octets), c.affichable);
    }
    // Whatever the bytes, nothing below 0x20 survives in a text to show.
    std::string tous;
    for (int b = 0; b < 256; ++b)
        tous += static_cast<char>(b);
    for (const char o : TexteAffichable(tous))
        EXPECT_GE(static_cast<unsigned char>(o), 0x20);
    EXPECT_EQ(Utf8Valide(Utf8Valide(tous)), Utf8Valide(tous));
}

class DiagnosticLecture : public ::testing::Test {
public:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() / ("sorvel-diagnostic-" + std::to_string(::getpid()));
        fs::remove_all(dossier_);
        fs::create_directories(dossier_ / "sous-dossier");
        std::ofstream(dossier_ / "fichier") << "x";
    }
    void TearDown() override {
        fs::permissions(dossier_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dossier_);
    }
    fs::path dossier_;
};

TEST_F(DiagnosticLecture, CauseReelleDuneLecture) {
    struct Cas { const char* quoi; fs::path chemin; int code; const char* libelle; };
    const Cas cas[] = {
        {"lisible", dossier_ / "fichier", 0, "cause inconnue"},
        {"absent", dossier_ / "absent", ENOENT, "le fichier ou son dossier n'existe pas"},
        {"dossier absent", dossier_ / "absent" / "f", ENOENT, "le fichier ou son dossier n'existe pas"},
        {"un dossier", dossier_ / "sous-dossier", EISDIR, "un dossier porte ce nom"},
        {"fichier pris pour un dossier", dossier_ / "fichier" / "f", ENOTDIR,
         "un élément du chemin n'est pas un dossier"},
        {"nom trop long", dossier_ / std::string(300, 'n'), ENAMETOOLONG, "le nom du fichier est trop long"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EXPECT_EQ(DiagnostiquerLecture(c.chemin), c.code);
        EXPECT_EQ(LibelleErreurSysteme(c.code), c.libelle);
    }
    // A folder that cannot be searched: access refused (the administrator
    // reads through it, so the case only holds for an ordinary user).
    if (::geteuid() != 0) {
        fs::permissions(dossier_, fs::perms::owner_all, fs::perm_options::remove);
        EXPECT_EQ(DiagnostiquerLecture(dossier_ / "fichier"), EACCES);
        EXPECT_EQ(LibelleErreurSysteme(EACCES), "l'accès est refusé");
    }
    EXPECT_EQ(LibelleErreurSysteme(ENOSPC), "le disque est plein");
    EXPECT_EQ(LibelleErreurSysteme(9999), "erreur du système n° 9999");
}

} // namespace
