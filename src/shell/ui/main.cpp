// Kyr Facture: start-up and the event loop.
#include "book/ui/facture_window.h"
#include "common/ui/plateforme_qt.h"
#include "shell/ui/image_programme.h"
#include "shell/ui/main_window.h"
#include "shell/ui/splash.h"

#include <QApplication>
#include <QLocale>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The interface is French whatever the machine's language (calendar names).
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // The splash is on screen while the windows are being built.
    auto splash = std::make_unique<kyr::TSplash>();
    splash->Montre();

    QApplication::setApplicationName(QStringLiteral("Kyr Facture"));
    QApplication::setWindowIcon(kyr::IconeProgramme());

    kyr::PlateformeQt plateforme;
    kyr::TMainForm fenetre(plateforme);
    plateforme.DefinitParent(&fenetre);
    fenetre.CreeFacture();

    splash.reset();
    // The first showing maximises the window and reopens the remembered book.
    fenetre.show();
    return app.exec();
}
