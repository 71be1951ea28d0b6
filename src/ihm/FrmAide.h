#pragma once

// The program's help viewer: one window, reused by every call, showing the
// pages of the compiled help file with its table of contents.

#include "ihm/LecteurChm.h"

#include <QTextBrowser>
#include <QWidget>

#include <optional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sorvel {

// Shows pages stored in a help file: links, pictures and style sheets of a
// page are read from the same file. Pages are addressed as "chm:/page.html".
class NavigateurAide : public QTextBrowser {
    Q_OBJECT
public:
    explicit NavigateurAide(QWidget* parent = nullptr);
    void definirLecteur(const LecteurChm* lecteur) { lecteur_ = lecteur; }
    QVariant loadResource(int type, const QUrl& nom) override;

    static QUrl Url(const QString& objet);   // "/a.html" -> chm:/a.html

private:
    void suivreLien(const QUrl& lien);
    const LecteurChm* lecteur_ = nullptr;
};

class FrmAide : public QWidget {
    Q_OBJECT
public:
    // The window shared by the whole program, created on first use.
    static FrmAide* Instance();
    // The shared window when it exists, else nullptr.
    static FrmAide* Existante();

    // Opens `fichier` unless it is already the one shown. False when it
    // cannot be read as a help file.
    bool ouvrir(const QString& fichier);
    // Shows the topic of `contexte`, or the default topic without one (or
    // when the file has no such context); `typeFenetre` picks the caption
    // among the window types of the file. Returns the topic shown, empty
    // when the file holds no readable page.
    QString afficher(const QString& typeFenetre, std::optional<int> contexte);
    // Shows one page of the file ("/charge.html").
    void afficherSujet(const QString& objet);

    QString sujetAffiche() const;

    // A window whose frame starts at `voulue`'s top left corner and whose
    // inside is `voulue`'s size, made to fit with its frame in `zone`: no
    // larger, and moved inside it (same form as `voulue`).
    static QRect DansLaZone(const QRect& voulue, const QRect& zone);
    const LecteurChm& lecteur() const { return lecteur_; }
    NavigateurAide* navigateur() const { return navigateur_; }

private:
    explicit FrmAide(QWidget* parent = nullptr);
    void construireSommaire();
    void selectionnerDansSommaire(const QString& objet);

    LecteurChm lecteur_;
    NavigateurAide* navigateur_ = nullptr;
    QTreeWidget* sommaire_ = nullptr;
    QPushButton* precedent_ = nullptr;
    QPushButton* suivant_ = nullptr;
    QPushButton* accueil_ = nullptr;
    bool dejaPlacee_ = false;
    QString empreinte_;   // size and date of the file opened
};

} // namespace sorvel
