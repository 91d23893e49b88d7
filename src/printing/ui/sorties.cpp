#include "printing/ui/sorties.h"

#include "common/erreurs.h"
#include "printing/document.h"
#include "printing/ui/surface_qt.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <algorithm>
#include <memory>

namespace kyr {

namespace {

std::optional<bool> g_imprimanteForcee;
Imprimante* g_imprimante = nullptr;

// The drawing with the printer's own copies set to one: each run is one job
// and one copy.
int Travaux(QPrinter& printer, const DessinImpression& dessin, int fois) {
    if (g_imprimante) {
        ParCopie(fois, [&] { dessin(*g_imprimante); });
        return fois;
    }
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    ImprimanteQt imprimante(printer);
    try {
        ParCopie(fois, [&] { dessin(imprimante); });
    } catch (...) {
        printer.setCopyCount(copies);
        throw;
    }
    printer.setCopyCount(copies);
    return imprimante.Travaux();
}

} // namespace

QPrinter& ImprimanteProgramme() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool ImprimanteInstallee() {
    if (g_imprimanteForcee) return *g_imprimanteForcee;
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void ForceImprimanteInstallee(std::optional<bool> reponse) {
    g_imprimanteForcee = reponse;
}

void ForceImprimante(Imprimante* imprimante) {
    g_imprimante = imprimante;
}

void SansImprimante(Plateforme& plateforme, const DessinImpression& dessin,
                    const QString& nomPdfPropose) {
    const Bouton b = plateforme.Question(
        QStringLiteral("Impression"),
        QStringLiteral("Aucune imprimante n'est installée.\n\n"
                       "Voulez-vous exporter le document dans un fichier PDF ?"),
        Icone::Avertissement, {Bouton::Oui, Bouton::Non});
    if (b == Bouton::Oui) ExporterPdf(plateforme, dessin, nomPdfPropose);
}

int Imprimer(QWidget* parent, Plateforme& plateforme, const DessinImpression& dessin,
             const QString& nomPdfPropose, bool parCopie) {
    if (!ImprimanteInstallee()) {
        SansImprimante(plateforme, dessin, nomPdfPropose);
        return 0;
    }
    QPrinter& printer = ImprimanteProgramme();
    // Printing to a file is the PDF export's business.
    printer.setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialogue(&printer, parent);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    dialogue.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialogue.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialogue.exec() != QDialog::Accepted) return 0;
    const int copies = printer.copyCount();
    if (!parCopie) return copies > 0 ? Travaux(printer, dessin, 1) : 0;
    return Travaux(printer, dessin, copies);
}

int ImprimerDirect(Plateforme& plateforme, const DessinImpression& dessin,
                   const QString& nomPdfPropose) {
    if (!ImprimanteInstallee()) {
        SansImprimante(plateforme, dessin, nomPdfPropose);
        return 0;
    }
    QPrinter& printer = ImprimanteProgramme();
    printer.setOutputFormat(QPrinter::NativeFormat);
    return Travaux(printer, dessin, 1);
}

void Apercu(QWidget* parent, Plateforme& plateforme, const DessinImpression& dessin,
            const QString& nomPdfPropose, const QString& titre,
            const std::function<void()>& imprime) {
    // The page of the PDF export.
    QPrinter printer(QPrinter::HighResolution);
    PreparePagePdf(printer);
    QPrintPreviewDialog dialogue(&printer, parent);
    dialogue.setObjectName(QStringLiteral("Apercu"));
    dialogue.setWindowTitle(titre.isEmpty() ? QStringLiteral("Aperçu avant impression") : titre);
    QObject::connect(&dialogue, &QPrintPreviewDialog::paintRequested, &dialogue, [&](QPrinter* p) {
        ImprimanteQt imprimante(*p);
        try {
            dessin(imprimante);
        } catch (const ErreurExecution& e) {
            plateforme.Erreur(e.message());
        }
    });
    // The page is fixed: no page setup, no orientation buttons. "Imprimer"
    // prints on the user's printer through the print dialog, not on the
    // preview's PDF page.
    if (auto* barre = dialogue.findChild<QToolBar*>()) {
        // Qt's tool bar: zoom | zoom | portrait, landscape | pages | modes |
        // page setup, print.
        const QList<QAction*> actions = barre->actions();
        int separateurs = 0;
        for (QAction* a : actions) {
            if (a->isSeparator())
                ++separateurs;
            else if (separateurs == 2)
                a->setVisible(false);
        }
        if (actions.size() >= 2) {
            QAction* imprimer = actions.last();
            actions.at(actions.size() - 2)->setVisible(false);
            QObject::disconnect(imprimer, &QAction::triggered, nullptr, nullptr);
            imprimer->setObjectName(QStringLiteral("ApercuImprimer"));
            QObject::connect(imprimer, &QAction::triggered, &dialogue, [&] {
                dialogue.accept();
                if (imprime) {
                    imprime();
                    return;
                }
                // No exception may leave a slot.
                try {
                    Imprimer(parent, plateforme, dessin, nomPdfPropose);
                } catch (const ErreurExecution& e) {
                    plateforme.Erreur(e.message());
                }
            });
        }
    }
    // Large enough to read the page: most of the screen's height.
    if (const QScreen* ecran = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        const int hauteur = zone.height() * 9 / 10;
        QRect cadre(0, 0, std::min(zone.width() * 9 / 10, hauteur * 4 / 5), hauteur);
        cadre.moveCenter(zone.center());
        dialogue.setGeometry(cadre);
    }
    dialogue.exec();
}

QString ExporterPdf(Plateforme& plateforme, const DessinImpression& dessin,
                    const QString& nomPropose) {
    const std::optional<QString> choix =
        plateforme.NomFichierEnregistrer(QStringLiteral("Documents PDF (*.pdf)"), nomPropose);
    if (!choix || choix->isEmpty()) return {};
    QString nom = *choix;
    if (QFileInfo(nom).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        nom += QStringLiteral(".pdf");
    if (QFileInfo::exists(nom) &&
        Avertissement(plateforme, QStringLiteral("Ce fichier existe déjà"),
                      {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return {};
    EcritPdf(nom, dessin, QFileInfo(nom).completeBaseName());
    return nom;
}

void EcritPdf(const QString& chemin, const DessinImpression& dessin, const QString& titre) {
    ImprimantePdf pdf(chemin, QPagedPaintDevice::PdfVersion_1_4, titre);
    dessin(pdf);
}

QString NomFichierExportation(Plateforme& plateforme, const QString& filtre,
                              const QString& nomPropose, const QString& extension) {
    const std::optional<QString> choix = plateforme.NomFichierEnregistrer(filtre, nomPropose);
    if (!choix || choix->isEmpty()) return {};
    QString nom = *choix;
    if (QFileInfo(nom).suffix().isEmpty()) nom += extension;
    if (QFileInfo::exists(nom) &&
        Avertissement(plateforme, QStringLiteral("Ce fichier existe déjà"),
                      {Bouton::OK, Bouton::Annuler}) != Bouton::OK)
        return {};
    return nom;
}

FichierTableau ChoisitFichierTableau(Plateforme& plateforme, bool pdf, const QString& nomPropose) {
    const QString filtre = pdf ? QStringLiteral("Fichiers CSV (*.csv);;Fichiers PDF (*.pdf)")
                               : QStringLiteral("Fichiers CSV (*.csv)");
    FichierTableau f;
    f.Chemin = NomFichierExportation(plateforme, filtre, nomPropose, QStringLiteral(".csv"));
    f.Pdf = pdf && QFileInfo(f.Chemin).suffix().toLower() == QLatin1String("pdf");
    return f;
}

bool ExecuteSortie(Plateforme& plateforme, const std::function<void()>& sortie) {
    try {
        sortie();
        return true;
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
        return false;
    }
}

} // namespace kyr
