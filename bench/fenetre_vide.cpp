// The reference of the start-time measurement: the smallest Qt Widgets program,
// showing an empty main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Fenetre vide"));
    fenetre.show();
    return app.exec();
}
