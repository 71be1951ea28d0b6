#pragma once

// Reader of compiled HTML help files (.chm) on top of libchm: the pages and
// pictures stored inside, the context-number map of the [MAP]/[ALIAS]
// sections, the default topic, the title and the window types.

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

struct chmFile;

namespace sorvel {

class LecteurChm {
public:
    // A window type of the [WINDOWS] section.
    struct Fenetre {
        QString nom;          // "plancher"
        QString titre;        // caption of the help window
        QString sommaire;     // contents file (.hhc), may be empty
        QString sujetParDefaut;
        QString accueil;
        QRect position;       // where the window opens, empty when not given
    };

    LecteurChm() = default;
    explicit LecteurChm(const QString& fichier);
    ~LecteurChm();
    LecteurChm(const LecteurChm&) = delete;
    LecteurChm& operator=(const LecteurChm&) = delete;

    // Closes the file in use, if any, and opens `fichier`. False when the
    // file cannot be opened or is no compiled help file.
    bool ouvrir(const QString& fichier);
    void fermer();
    bool estOuvert() const { return fichier_ != nullptr; }
    const QString& chemin() const { return chemin_; }

    // Objects inside the file are named by absolute paths ("/charge.html").
    // A path without its leading "/" is accepted too.
    bool existe(const QString& objet) const;
    std::optional<QByteArray> lire(const QString& objet) const;
    QStringList objets() const;

    // Context number to topic path, from the /#IVB map and /#STRINGS.
    std::map<int, QString> contextes() const;
    std::optional<QString> sujetDuContexte(int contexte) const;

    // From /#SYSTEM: default topic, title, contents file; the default topic
    // falls back on the first window's and then on the first page.
    QString sujetParDefaut() const;
    QString titre() const;
    QString sommaire() const;

    std::vector<Fenetre> fenetres() const;
    std::optional<Fenetre> fenetre(const QString& nom) const;

    // The path of a topic as the compiler recorded it, made into the path of
    // an object of the file: some compilers record the project-relative
    // path, others the full path of the source page on the build machine, so
    // the longest tail of the recorded path naming an object is taken.
    std::optional<QString> objetDuChemin(const QString& enregistre) const;

private:
    QString chaine(quint32 position) const;  // zero-terminated, in /#STRINGS
    std::map<int, QString> enregistrementsSysteme() const;

    chmFile* fichier_ = nullptr;
    QString chemin_;
    QByteArray chaines_;                      // /#STRINGS, read once
};

} // namespace sorvel
