// The program's windows on one of its files at about 100 MB, as a user meets
// them: the program started in a folder holding that file (the main window
// shown and its files read), the dialog that shows the file opened and
// closed, then the program closed (its files written back). Prints one line
// with each time, the peak memory and whether the file came back as it was:
//   fenetre_enorme ini|glo|cli DOSSIER [SECONDES]
// The exit code is 1 when a step takes longer than SECONDES (default 60) or
// the file written back differs where it must not.
#include "common/ui/plateforme_qt.h"
#include "shell/prelecture.h"
#include "shell/ui/main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
    return std::chrono::duration<double>(Horloge::now() - debut).count();
}

// Processor time of the process so far: the machine may be shared, and the
// wall-clock times then tell more about the others than about the program.
double Processeur() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long PicMemoireMo() {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmHWM:", 0) == 0) return std::atol(ligne.c_str() + 6) / 1024;
    return -1;
}

QByteArray Condense(const QString& chemin) {
    QFile f(chemin);
    QCryptographicHash h(QCryptographicHash::Sha1);
    if (!f.open(QIODevice::ReadOnly) || !h.addData(&f)) return {};
    return h.result();
}

struct Dialogue {
    double temps = -1, processeur = 0; // until on screen
    double total = 0;                  // until closed and read back
    int rangees = -1;
};

// Opens the dialog of the menu item `action`, gives the time until it is on
// screen and the number of rows of its list `liste`, then closes it.
Dialogue OuvreDialogue(kyr::TMainForm& fenetre, const char* action, const char* liste) {
    Dialogue r;
    const double cpu = Processeur();
    const auto debut = Horloge::now();
    // Each event of the dialog's own loop looks for it until it is shown.
    auto* guet = new QTimer(&fenetre);
    QObject::connect(guet, &QTimer::timeout, guet, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        guet->stop();
        (void)QTest::qWaitForWindowExposed(d);
        r.temps = Secondes(debut);
        r.processeur = Processeur() - cpu;
        if (auto* l = d->findChild<QAbstractItemView*>(QString::fromLatin1(liste)))
            r.rangees = l->model()->rowCount();
        d->done(QDialog::Rejected);
    });
    guet->start(0);
    fenetre.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    delete guet;
    r.total = Secondes(debut);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage : fenetre_enorme ini|glo|cli DOSSIER [SECONDES]\n", stderr);
        return 2;
    }
    const std::string cas = argv[1];
    const double limite = argc > 3 ? std::stod(argv[3]) : 60;
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[2]))) return 2;
    const QString fichier = cas == "ini"   ? QStringLiteral("KyrFact.ini")
                            : cas == "glo" ? QStringLiteral("Fact.Glo")
                                           : QStringLiteral("Fact.cli");
    const qint64 taille = QFileInfo(fichier).size();
    const QByteArray avant = Condense(fichier);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // As the program starts (shell/ui/main.cpp), the splash left out.
    const auto debut = Horloge::now();
    double demarrage = 0, cpuDemarrage = 0, cpuFermeture = 0;
    long memoireDemarrage = 0;
    Dialogue dialogue;
    bool ferme = false;
    Horloge::time_point quitte;
    {
        kyr::PrelectureLivre prelecture(kyr::LivreAOuvrir());
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Kyr Facture"));
        kyr::PlateformeQt plateforme;
        kyr::TMainForm fenetre(plateforme);
        plateforme.DefinitParent(&fenetre);
        fenetre.CreeFacture();
        fenetre.coquille()->Prelecture = &prelecture;
        fenetre.show();
        (void)QTest::qWaitForWindowExposed(&fenetre);
        QApplication::processEvents();
        demarrage = Secondes(debut);
        cpuDemarrage = Processeur();
        memoireDemarrage = PicMemoireMo();

        if (cas == "glo")
            dialogue = OuvreDialogue(fenetre, "ParamGlossaryItem", "ListBox1");
        else if (cas == "cli")
            dialogue = OuvreDialogue(fenetre, "ParamClientsItem", "StringGrid1");

        // Closing, the last files written and the windows gone.
        quitte = Horloge::now();
        cpuFermeture = Processeur();
        ferme = fenetre.close();
    }
    const double fermeture = Secondes(quitte);
    cpuFermeture = Processeur() - cpuFermeture;
    // A file the program made (there was none) has nothing to be compared with.
    const bool identique = avant.isEmpty() || Condense(fichier) == avant;
    // The client card writes the clients back in name order: a change there
    // is the program's own. The other two files come back as they were.
    const bool bon = ferme && demarrage <= limite && dialogue.total <= limite &&
                     fermeture <= limite && (identique || cas == "cli");
    const double mo = static_cast<double>(taille) / (1 << 20);
    // Each time with the processor time the program itself took (in brackets).
    std::printf("%-12s %4.0f Mo  démarrage %5.2f s (%4.2f)  mémoire %4ld Mo", qPrintable(fichier),
                mo, demarrage, cpuDemarrage, memoireDemarrage);
    if (dialogue.temps >= 0)
        std::printf("  dialogue %5.2f s (%4.2f), fermé %5.2f s, %d lignes", dialogue.temps,
                    dialogue.processeur, dialogue.total, dialogue.rangees);
    std::printf("  sortie %5.2f s (%4.2f)  mémoire %4ld Mo  %s  %s\n", fermeture, cpuFermeture,
                PicMemoireMo(), identique ? "réécrit à l'identique" : "réécrit autrement",
                bon ? "bon" : "ÉCHEC");
    return bon ? 0 : 1;
}
