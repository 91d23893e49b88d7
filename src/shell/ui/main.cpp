// Kyr Facture: start-up and the event loop.
#include "book/ui/facture_window.h"
#include "common/ui/plateforme_qt.h"
#include "einvoice/ui/facturx_pdf.h"
#include "shell/dossier_fichiers.h"
#include "shell/ligne_commande.h"
#include "shell/prelecture.h"
#include "shell/ui/image_programme.h"
#include "shell/ui/main_window.h"
#include "shell/ui/polices.h"
#include "shell/ui/splash.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // A command for scripts runs without a display and opens no window.
    kyr::ServicesLigneDeCommande services;
    services.FacturX = &kyr::EcritureFacturXSansEcran;
    if (const auto code =
            kyr::LigneDeCommande({argv + std::min(argc, 1), argv + argc}, stdout, stderr, services))
        return *code;
    // Without a display Qt would stop on its own plugin error: say it plainly.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Kyr Facture a besoin d'un \xC3\xA9"
                   "cran graphique : aucun affichage "
                   "(DISPLAY) n'est disponible.\n",
                   stderr);
        return 1;
    }
    // The program's files are read from the current folder when the invoice
    // window is activated: a start from the desktop's menu goes to its own folder first.
    kyr::ChoisitDossierDesFichiers(
        QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // The book to reopen is read on another thread while Qt starts and the
    // windows are built: a large book then costs little more than an empty one.
    kyr::PrelectureLivre prelecture(kyr::LivreAOuvrir());
    // So is the font configuration, which the splash's texts need first.
    const kyr::PreparationPolices polices;

    QApplication app(argc, argv);
    // The interface is French whatever the machine's language (calendar names).
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Qt's own dialogs (files, printing) in French too, when the translations
    // are installed; without them they stay in English and work the same.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    // The splash is on screen while the windows are being built.
    auto splash = std::make_unique<kyr::TSplash>();
    splash->Montre();

    QApplication::setApplicationName(QStringLiteral("Kyr Facture"));
    QApplication::setWindowIcon(kyr::IconeProgramme());

    kyr::PlateformeQt plateforme;
    kyr::TMainForm fenetre(plateforme);
    plateforme.DefinitParent(&fenetre);
    fenetre.CreeFacture();
    fenetre.coquille()->Prelecture = &prelecture;
    fenetre.OffreAccueil(true);

    splash.reset();
    // The first showing maximises the window and reopens the remembered book.
    fenetre.show();
    return app.exec();
}
