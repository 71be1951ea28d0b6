#include <QApplication>
#include <QLocale>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Numbers are always shown and read the French way, whatever the machine.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Sorvel."));
    fenetre.resize(800, 600);
    fenetre.show();
    return application.exec();
}
