#include "einvoice/ui/facturx_pdf.h"

#include "common/texte.h"
#include "einvoice/cii.h"
#include "einvoice/mentions.h"
#include "einvoice/pdfa3.h"
#include "printing/document.h"
#include "printing/ui/surface_qt.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <memory>

namespace kyr {

QByteArray PagePdfA1b(const Fiche& page, int nbLignes, const LignesSociete& societe,
                      const QString& titre, const FactureElectronique* fe) {
    QByteArray octets;
    {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        QPdfWriter writer(&tampon);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setTitle(titre);
        writer.setCreator(QStringLiteral("Kyr Facture"));
        ImprimantePdf::PreparePage(writer, Orientation::Portrait);
        QPainter peintre(&writer);
        SurfaceQt surface(peintre, writer);
        DessineDocument(surface, page, nbLignes, societe, PapierBlanc,
                        fe ? ComplementsDeLaPage(*fe) : ComplementsPage{});
        if (fe) DessineMentions(surface, *fe); // on the last page
        peintre.end();
    }
    return octets;
}

void EcritFacturX(const QString& chemin, const FactureElectronique& fe, const Fiche& page,
                  int nbLignes, const LignesSociete& societe, const QDateTime& maintenant) {
    const QString titre = VersQString(Trim(page.Genre) + " " + fe.Numero);
    const QByteArray pdf =
        AssembleFacturX(PagePdfA1b(page, nbLignes, societe, titre, &fe), EcritCII(fe), maintenant);
    EcritOctets(chemin, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

EcritureFacturX EcritureFacturXSansEcran(const LignesSociete& societe) {
    std::shared_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        // A script's output is the report: Qt's notes about the session it
        // runs in (no XDG_RUNTIME_DIR under cron, say) would only blur it.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((m + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        });
        // The arguments outlive the application, as Qt asks; "-platform"
        // wins over a display the environment may name.
        static int argc = 3;
        static char nom[] = "kyrfact", option[] = "-platform", plateforme[] = "offscreen";
        static char* argv[] = {nom, option, plateforme, nullptr};
        application = std::make_shared<QGuiApplication>(argc, argv);
    }
    return [application, societe](const QString& chemin, const FactureElectronique& fe,
                                  const Fiche& page) {
        EcritFacturX(chemin, fe, page, DerniereRangee, societe, QDateTime::currentDateTime());
    };
}

} // namespace kyr
