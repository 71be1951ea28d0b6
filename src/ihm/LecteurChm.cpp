#include "ihm/LecteurChm.h"

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

#include <chm_lib.h>

namespace sorvel {

namespace {

QString normaliser(const QString& objet) {
    QString p = objet;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.startsWith(QLatin1Char('/')))
        p.prepend(QLatin1Char('/'));
    return p;
}

quint32 lire32(const QByteArray& o, qsizetype position) {
    if (position < 0 || position + 4 > o.size())
        return 0;
    return qFromLittleEndian<quint32>(o.constData() + position);
}

quint16 lire16(const QByteArray& o, qsizetype position) {
    if (position < 0 || position + 2 > o.size())
        return 0;
    return qFromLittleEndian<quint16>(o.constData() + position);
}

// Texts inside the help file are in the code page of its language; the
// files compiled here are UTF-8, older ones Windows-1252.
QString texte(const QByteArray& octets) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8(octets);
    if (!utf8.hasError())
        return t;
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? ansi(octets) : QString::fromLatin1(octets);
}

int enumerer(chmFile*, chmUnitInfo* info, void* contexte) {
    static_cast<QStringList*>(contexte)->append(QString::fromUtf8(info->path));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

LecteurChm::LecteurChm(const QString& fichier) { ouvrir(fichier); }

LecteurChm::~LecteurChm() { fermer(); }

bool LecteurChm::ouvrir(const QString& fichier) {
    fermer();
    if (!QFile::exists(fichier))
        return false;
    fichier_ = chm_open(QFile::encodeName(fichier).constData());
    if (!fichier_)
        return false;
    chemin_ = fichier;
    chaines_ = lire(QStringLiteral("/#STRINGS")).value_or(QByteArray());
    return true;
}

void LecteurChm::fermer() {
    if (fichier_)
        chm_close(fichier_);
    fichier_ = nullptr;
    chemin_.clear();
    chaines_.clear();
}

bool LecteurChm::existe(const QString& objet) const {
    if (!fichier_)
        return false;
    chmUnitInfo info;
    return chm_resolve_object(fichier_, normaliser(objet).toUtf8().constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> LecteurChm::lire(const QString& objet) const {
    if (!fichier_)
        return std::nullopt;
    chmUnitInfo info;
    if (chm_resolve_object(fichier_, normaliser(objet).toUtf8().constData(), &info) !=
        CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    // A damaged file may announce any length: refuse what cannot be a page.
    if (info.length > LONGUINT64(256) * 1024 * 1024)
        return std::nullopt;
    QByteArray octets(qsizetype(info.length), Qt::Uninitialized);
    if (info.length == 0)
        return octets;
    const LONGINT64 lus = chm_retrieve_object(fichier_, &info,
                                              reinterpret_cast<unsigned char*>(octets.data()), 0,
                                              info.length);
    if (lus <= 0)
        return std::nullopt;
    octets.truncate(qsizetype(lus));
    return octets;
}

QStringList LecteurChm::objets() const {
    QStringList liste;
    if (fichier_)
        chm_enumerate(fichier_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, enumerer, &liste);
    return liste;
}

QString LecteurChm::chaine(quint32 position) const {
    if (position >= quint32(chaines_.size()))
        return {};
    const qsizetype fin = chaines_.indexOf('\0', qsizetype(position));
    return texte(chaines_.mid(qsizetype(position), (fin < 0 ? chaines_.size() : fin) - position));
}

std::optional<QString> LecteurChm::objetDuChemin(const QString& enregistre) const {
    QString p = enregistre.trimmed();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int diese = int(p.indexOf(QLatin1Char('#')));
    if (diese >= 0)
        p.truncate(diese);
    if (p.isEmpty())
        return std::nullopt;
    // "c:/x/y/page.html" or "/home/x/aide/page.html": try "/x/y/page.html",
    // "/y/page.html", "/page.html"... and keep the first (longest) that exists.
    QString reste = p;
    while (!reste.isEmpty()) {
        if (existe(reste))
            return normaliser(reste);
        const int barre = int(reste.indexOf(QLatin1Char('/'), 1));
        if (barre < 0)
            break;
        reste = reste.mid(barre);
    }
    return std::nullopt;
}

std::map<int, QString> LecteurChm::contextes() const {
    std::map<int, QString> carte;
    const auto ivb = lire(QStringLiteral("/#IVB"));
    if (!ivb)
        return carte;
    // A length, then pairs (context number, position in /#STRINGS).
    const qsizetype longueur = qMin<qsizetype>(lire32(*ivb, 0), ivb->size() - 4);
    for (qsizetype i = 4; i + 8 <= 4 + longueur; i += 8) {
        const int numero = int(lire32(*ivb, i));
        if (auto objet = objetDuChemin(chaine(lire32(*ivb, i + 4))))
            carte.emplace(numero, *objet);
    }
    return carte;
}

std::optional<QString> LecteurChm::sujetDuContexte(int contexte) const {
    const auto carte = contextes();
    const auto it = carte.find(contexte);
    if (it == carte.end())
        return std::nullopt;
    return it->second;
}

std::map<int, QString> LecteurChm::enregistrementsSysteme() const {
    // A version, then records (code, length, data); the texts end with a zero.
    std::map<int, QString> r;
    const auto systeme = lire(QStringLiteral("/#SYSTEM"));
    if (!systeme)
        return r;
    qsizetype i = 4;
    while (i + 4 <= systeme->size()) {
        const int code = lire16(*systeme, i);
        const qsizetype longueur = lire16(*systeme, i + 2);
        if (i + 4 + longueur > systeme->size())
            break;
        QByteArray donnees = systeme->mid(i + 4, longueur);
        const qsizetype zero = donnees.indexOf('\0');
        if (zero >= 0)
            donnees.truncate(zero);
        if (code == 0 || code == 2 || code == 3 || code == 5)
            r[code] = texte(donnees);
        i += 4 + longueur;
    }
    return r;
}

std::vector<LecteurChm::Fenetre> LecteurChm::fenetres() const {
    std::vector<Fenetre> liste;
    const auto windows = lire(QStringLiteral("/#WINDOWS"));
    if (!windows)
        return liste;
    // Count and size of the entries, then the entries: positions in
    // /#STRINGS of the name (8), caption (0x14), contents (0x60),
    // default topic (0x68) and home page (0x6C); the window's rectangle
    // (left, top, right, bottom) at 0x20.
    const quint32 nombre = lire32(*windows, 0);
    const quint32 taille = lire32(*windows, 4);
    if (taille < 0x70)
        return liste;
    for (quint32 n = 0; n < nombre && 8 + qsizetype(n + 1) * taille <= windows->size(); ++n) {
        const qsizetype e = 8 + qsizetype(n) * taille;
        Fenetre f;
        f.nom = chaine(lire32(*windows, e + 0x08));
        f.titre = chaine(lire32(*windows, e + 0x14));
        f.sommaire = chaine(lire32(*windows, e + 0x60));
        f.sujetParDefaut = chaine(lire32(*windows, e + 0x68));
        f.accueil = chaine(lire32(*windows, e + 0x6C));
        const int gauche = int(lire32(*windows, e + 0x20)), haut = int(lire32(*windows, e + 0x24));
        const int droite = int(lire32(*windows, e + 0x28)), bas = int(lire32(*windows, e + 0x2C));
        if (droite > gauche && bas > haut)
            f.position = QRect(QPoint(gauche, haut), QPoint(droite - 1, bas - 1));
        liste.push_back(f);
    }
    return liste;
}

std::optional<LecteurChm::Fenetre> LecteurChm::fenetre(const QString& nom) const {
    for (const Fenetre& f : fenetres())
        if (f.nom.compare(nom.trimmed(), Qt::CaseInsensitive) == 0)
            return f;
    return std::nullopt;
}

QString LecteurChm::sujetParDefaut() const {
    const auto systeme = enregistrementsSysteme();
    if (auto it = systeme.find(2); it != systeme.end())
        if (auto objet = objetDuChemin(it->second))
            return *objet;
    for (const Fenetre& f : fenetres())
        for (const QString& candidat : {f.sujetParDefaut, f.accueil})
            if (auto objet = objetDuChemin(candidat))
                return *objet;
    for (const QString& objet : objets())
        if (objet.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
            objet.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
            return objet;
    return {};
}

QString LecteurChm::titre() const {
    const auto systeme = enregistrementsSysteme();
    const auto it = systeme.find(3);
    return it == systeme.end() ? QString() : it->second;
}

QString LecteurChm::sommaire() const {
    const auto systeme = enregistrementsSysteme();
    if (auto it = systeme.find(0); it != systeme.end())
        if (auto objet = objetDuChemin(it->second))
            return *objet;
    for (const QString& objet : objets())
        if (objet.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive))
            return objet;
    return {};
}

} // namespace sorvel
