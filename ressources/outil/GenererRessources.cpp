// Build-time tool: turns the drawings of this folder into the files the
// program loads beside itself.
//
//   GenererRessources image   dessin.svg sortie largeur hauteur
//       renders the drawing to a PNG picture of the given size (the program
//       reads pictures by content, so the file may carry any extension);
//   GenererRessources curseur dessin.svg sortie.cur taille xPointe yPointe
//       renders the drawing to a square 32-bit Windows cursor whose hot spot
//       (the pixel that points) is (xPointe, yPointe).

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

int erreur(const char* texte, const QString& fichier = QString()) {
    std::fprintf(stderr, "GenererRessources : %s %s\n", texte, qPrintable(fichier));
    return 1;
}

QImage rendre(const QString& dessin, int largeur, int hauteur) {
    QSvgRenderer rendu(dessin);
    if (!rendu.isValid())
        return {};
    QImage image(largeur, hauteur, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    rendu.render(&peintre, QRectF(0, 0, largeur, hauteur));
    peintre.end();
    return image;
}

void ajouter16(QByteArray& o, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    o.append(b, 2);
}
void ajouter32(QByteArray& o, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    o.append(b, 4);
}

// A .cur file is an .ico file of type 2 whose directory entries carry the hot
// spot where an icon has its planes and bit count. The image itself is a
// BITMAPINFOHEADER with a doubled height (colour rows then mask rows), the
// 32-bit BGRA rows bottom-up, then the 1-bit AND mask, rows padded to 4 bytes.
QByteArray fichierCurseur(const QImage& source, int xPointe, int yPointe) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int n = image.width();
    const int ligneMasque = ((n + 31) / 32) * 4;
    QByteArray dib;
    ajouter32(dib, 40);                 // header size
    ajouter32(dib, quint32(n));         // width
    ajouter32(dib, quint32(2 * n));     // height: colour + mask
    ajouter16(dib, 1);                  // planes
    ajouter16(dib, 32);                 // bits per pixel
    ajouter32(dib, 0);                  // no compression
    ajouter32(dib, quint32(n * n * 4 + n * ligneMasque));
    ajouter32(dib, 0);
    ajouter32(dib, 0);
    ajouter32(dib, 0);
    ajouter32(dib, 0);
    for (int y = n - 1; y >= 0; --y) {
        const QRgb* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < n; ++x) {
            const QRgb p = ligne[x];
            dib.append(char(qBlue(p)));
            dib.append(char(qGreen(p)));
            dib.append(char(qRed(p)));
            dib.append(char(qAlpha(p)));
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray masque(ligneMasque, '\0');
        const QRgb* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < n; ++x)
            if (qAlpha(ligne[x]) < 128) // transparent pixel: screen kept
                masque[x / 8] = char(masque[x / 8] | (0x80 >> (x % 8)));
        dib.append(masque);
    }

    QByteArray fichier;
    ajouter16(fichier, 0);               // reserved
    ajouter16(fichier, 2);               // type 2: cursor
    ajouter16(fichier, 1);               // one image
    fichier.append(char(n >= 256 ? 0 : n));
    fichier.append(char(n >= 256 ? 0 : n));
    fichier.append(char(0));             // no palette
    fichier.append(char(0));
    ajouter16(fichier, quint16(xPointe));
    ajouter16(fichier, quint16(yPointe));
    ajouter32(fichier, quint32(dib.size()));
    ajouter32(fichier, 6 + 16);          // image right after the directory
    fichier.append(dib);
    return fichier;
}

bool ecrire(const QString& chemin, const QByteArray& contenu) {
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(contenu);
    return f.commit();
}

} // namespace

int main(int argc, char* argv[]) {
    // Rendering needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList a = application.arguments();

    if (a.size() == 6 && a[1] == QLatin1String("image")) {
        const QImage image = rendre(a[2], a[4].toInt(), a[5].toInt());
        if (image.isNull())
            return erreur("dessin illisible", a[2]);
        QSaveFile f(a[3]);
        if (!f.open(QIODevice::WriteOnly) || !image.save(&f, "PNG") || !f.commit())
            return erreur("écriture impossible", a[3]);
        return 0;
    }
    if (a.size() == 7 && a[1] == QLatin1String("curseur")) {
        const int taille = a[4].toInt();
        const QImage image = rendre(a[2], taille, taille);
        if (image.isNull())
            return erreur("dessin illisible", a[2]);
        if (!ecrire(a[3], fichierCurseur(image, a[5].toInt(), a[6].toInt())))
            return erreur("écriture impossible", a[3]);
        return 0;
    }
    return erreur("usage : image dessin.svg sortie largeur hauteur | "
                  "curseur dessin.svg sortie.cur taille xPointe yPointe");
}
