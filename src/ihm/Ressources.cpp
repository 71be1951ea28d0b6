#include "ihm/Ressources.h"

#include "ihm/DessinIcone.h"

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
    QSvgRenderer rendu{QByteArray(DessinIcone)};
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
