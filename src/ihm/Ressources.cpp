#include "ihm/Ressources.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace sorvel {

namespace {

QString& DossierDefini() {
    static QString dossier;
    return dossier;
}

QString cheminProgramme(const QString& nomFichier) {
    return DossierProgramme() + QLatin1Char('/') + nomFichier;
}

} // namespace

QString DossierProgramme() {
    if (!DossierDefini().isEmpty())
        return DossierDefini();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void DefinirDossierProgramme(const QString& dossier) { DossierDefini() = dossier; }

QString DossierEtudesProgramme() { return DossierProgramme() + QStringLiteral("/Etudes"); }

namespace {

quint16 u16(const QByteArray& o, qsizetype i) { return qFromLittleEndian<quint16>(o.constData() + i); }
quint32 u32(const QByteArray& o, qsizetype i) { return qFromLittleEndian<quint32>(o.constData() + i); }

// Decodes an uncompressed 32-bit DIB of an icon file (colour rows bottom-up,
// alpha in the fourth byte, then the AND mask) when no image plug-in does.
QImage decoderDib(const QByteArray& dib) {
    if (dib.size() < 40 || u32(dib, 0) < 40)
        return {};
    const qint32 largeur = qint32(u32(dib, 4));
    const qint32 hauteur = qint32(u32(dib, 8)) / 2;
    const quint16 bits = u16(dib, 14);
    const quint32 compression = u32(dib, 16);
    if (largeur <= 0 || hauteur <= 0 || largeur > 256 || hauteur > 256 || bits != 32 ||
        compression != 0)
        return {};
    const qsizetype debut = u32(dib, 0);
    if (debut + qsizetype(largeur) * hauteur * 4 > dib.size())
        return {};
    QImage image(largeur, hauteur, QImage::Format_ARGB32);
    for (int y = 0; y < hauteur; ++y) {
        const uchar* source =
            reinterpret_cast<const uchar*>(dib.constData()) + debut + qsizetype(hauteur - 1 - y) * largeur * 4;
        QRgb* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < largeur; ++x)
            ligne[x] = qRgba(source[4 * x + 2], source[4 * x + 1], source[4 * x], source[4 * x + 3]);
    }
    return image;
}

const char* const dessinIcone = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 64 64">
  <defs><linearGradient id="f" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#3f7fc0"/><stop offset="1" stop-color="#275d94"/></linearGradient></defs>
  <rect x="2" y="2" width="60" height="60" rx="11" fill="url(#f)"/>
  <path d="M 12 30 L 32 13 L 52 30" fill="none" stroke="#ffffff" stroke-width="4.5"
        stroke-linecap="round" stroke-linejoin="round"/>
  <rect x="15" y="33" width="34" height="20" rx="2" fill="#fdf3e7"/>
  <path d="M 19 50 L 19 37 A 3 3 0 0 1 25 37 L 25 49 A 3 3 0 0 0 31 49 L 31 37
           A 3 3 0 0 1 37 37 L 37 49 A 3 3 0 0 0 43 49 L 43 37"
        fill="none" stroke="#d0583c" stroke-width="2.6" stroke-linecap="round"/>
</svg>)svg";

} // namespace

QPixmap ChargerImage(const QString& nomFichier) {
    QImageReader lecteur(cheminProgramme(nomFichier));
    lecteur.setDecideFormatFromContent(true);
    const QImage image = lecteur.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

std::optional<QCursor> CurseurDepuisDonnees(const QByteArray& octets) {
    // Header: reserved 0, type (2 = cursor, 1 = icon), image count; then
    // 16-byte entries: width, height, colours, reserved, hot spot x and y
    // (planes and bit count in an icon), data size, data offset.
    if (octets.size() < 6 + 16 || u16(octets, 0) != 0)
        return std::nullopt;
    const quint16 type = u16(octets, 2);
    if ((type != 1 && type != 2) || u16(octets, 4) == 0)
        return std::nullopt;
    const int xPointe = type == 2 ? u16(octets, 10) : 0;
    const int yPointe = type == 2 ? u16(octets, 12) : 0;
    const quint32 taille = u32(octets, 14);
    const quint32 position = u32(octets, 18);
    if (position < 6 + 16 || qsizetype(position) + qsizetype(taille) > octets.size())
        return std::nullopt;

    QImage image;
    QBuffer tampon;
    tampon.setData(octets);
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon);
    lecteur.setDecideFormatFromContent(true);
    if (lecteur.canRead())
        image = lecteur.read();
    if (image.isNull()) {
        const QByteArray donnees = octets.mid(position, taille);
        image = donnees.startsWith("\x89PNG") ? QImage::fromData(donnees, "PNG") : decoderDib(donnees);
    }
    if (image.isNull())
        return std::nullopt;
    const int x = qBound(0, xPointe, image.width() - 1);
    const int y = qBound(0, yPointe, image.height() - 1);
    return QCursor(QPixmap::fromImage(image), x, y);
}

std::optional<QCursor> ChargerCurseur(const QString& nomFichier) {
    QFile fichier(cheminProgramme(nomFichier));
    if (!fichier.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A cursor is a few kilobytes; anything much larger is not one.
    const QByteArray octets = fichier.read(1024 * 1024);
    return CurseurDepuisDonnees(octets);
}

QPixmap ImageIconeProgramme(int taille) {
    QSvgRenderer rendu{QByteArray(dessinIcone)};
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    rendu.render(&peintre, QRectF(0, 0, taille, taille));
    peintre.end();
    return QPixmap::fromImage(image);
}

QIcon IconeProgramme() {
    QIcon icone;
    for (int taille : {16, 24, 32, 48, 64, 128})
        icone.addPixmap(ImageIconeProgramme(taille));
    return icone;
}

} // namespace sorvel
