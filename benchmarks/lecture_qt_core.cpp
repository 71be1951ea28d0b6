// Reference for the start of sorvel-calcul: the least a program that links
// Qt Core and reads one file costs (temps-sorvel-calcul.sh).
//   lecture_qt_core FICHIER    prints the file's size in bytes

#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2)
        return 1;
    QFile fichier(QFile::decodeName(argv[1]));
    if (!fichier.open(QIODevice::ReadOnly))
        return 2;
    std::printf("%lld\n", static_cast<long long>(fichier.readAll().size()));
    return 0;
}
