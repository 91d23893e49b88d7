#include "recues/ui/vue_recue.h"

#include "common/erreurs.h"
#include "einvoice/pdfa3.h"
#include "printing/ui/surface_qt.h"
#include "recues/importation.h"
#include "recues/lecture.h"
#include "recues/ui/pages_pdf.h"
#include "recues/vue_html.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kyr {

DessinImpression DessinTexte(std::shared_ptr<QTextDocument> document) {
    return [document](Imprimante& i) {
        i.Oriente(Orientation::Portrait);
        Surface& s = i.DebutTravail();
        auto* q = dynamic_cast<SurfaceQt*>(&s);
        if (!q) throw ErreurExecution(QStringLiteral("Ce périphérique ne peut imprimer ce texte"));
        QPainter& peintre = q->Peintre();
        std::unique_ptr<QTextDocument> d(document->clone());
        d->documentLayout()->setPaintDevice(&q->Appareil());
        d->setDefaultFont(QFont(QStringLiteral("Arial"), 9));
        const double parMm = static_cast<double>(s.LargeurPixels()) / std::max(1, s.LargeurMm());
        const double marge = 15 * parMm;
        const QSizeF corps(s.LargeurPixels() - 2 * marge, s.HauteurPixels() - 2 * marge);
        d->setPageSize(corps);
        const int pages = d->pageCount();
        for (int n = 0; n < pages; ++n) {
            if (n > 0) s.NouvellePage();
            peintre.save();
            peintre.translate(marge, marge - n * corps.height());
            d->drawContents(&peintre, QRectF(0, n * corps.height(), corps.width(), corps.height()));
            peintre.restore();
            s.ChoisitPolice(Police{"Arial", 8, false});
            const std::string pied = "Page " + std::to_string(n + 1) + "/" + std::to_string(pages);
            s.Texte(static_cast<int>(s.LargeurPixels() - marge) - s.LargeurTexte(pied),
                    static_cast<int>(s.HauteurPixels() - marge * 0.7), pied);
        }
        i.FinTravail();
    };
}

TVueRecue::TVueRecue(const QByteArray& octets, const QString& nom,
                     const std::optional<Vendeur>& moi, Plateforme& plateforme, QWidget* parent)
    : QDialog(parent), m_plateforme(plateforme), m_nom(nom), m_octets(octets) {
    setObjectName(QStringLiteral("VueRecue"));
    const Lecture l = LitOctetsRecus(m_octets, DossierModules());
    if (l.Facture) {
        const auto constats = ControlesComplets(*l.Facture, moi);
        m_html = HtmlFacture(*l.Facture, constats, moi.has_value());
        setWindowTitle(
            QStringLiteral("%1 n° %2 — %3")
                .arg(l.Facture->Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture"),
                     l.Facture->Numero.left(40), l.Facture->Vendeur.Nom.left(60)));
    } else {
        m_html = QStringLiteral("<p>%1.</p>").arg(l.Refus.toHtmlEscaped());
        setWindowTitle(nom);
    }

    m_texte = new QTextBrowser(this);
    m_texte->setObjectName(QStringLiteral("Texte"));
    m_texte->setHtml(m_html);
    auto* partage = new QSplitter(this);
    partage->addWidget(m_texte);
    // A Factur-X: the supplier's own pages beside the data they carry.
    QLabel* sansPages = nullptr;
    if (m_octets.startsWith("%PDF-")) {
        RenduPagesPdf rendu;
        rendu.pdf = m_octets.constData();
        rendu.taille = static_cast<std::size_t>(m_octets.size());
        rendu.largeur = 580;
        rendu.plafond = PagesMaxVue;
        QString pourquoi;
        if (!RendPagesPdf(rendu, DossierModules(), pourquoi)) {
            // The data are all there; only the pictures of the pages are not.
            sansPages = new QLabel(
                QStringLiteral("Les pages de ce PDF ne peuvent être montrées (%1).").arg(pourquoi),
                this);
            sansPages->setObjectName(QStringLiteral("LabelPages"));
            sansPages->setWordWrap(true);
        } else if (!rendu.pages.empty()) {
            // Each page drawn once into a picture: Qt's own PDF view leaves
            // its pages blank on some systems, the document's rendering does not.
            m_pages = new QScrollArea(this);
            m_pages->setObjectName(QStringLiteral("Pages"));
            m_pages->setBackgroundRole(QPalette::Dark);
            m_pages->setAlignment(Qt::AlignHCenter);
            auto* feuilles = new QWidget(m_pages);
            auto* colonne = new QVBoxLayout(feuilles);
            for (const QImage& page : rendu.pages) {
                auto* feuille = new QLabel(feuilles);
                feuille->setPixmap(QPixmap::fromImage(page));
                colonne->addWidget(feuille);
            }
            if (rendu.total > static_cast<int>(rendu.pages.size()))
                colonne->addWidget(
                    new QLabel(QStringLiteral("… et %1 pages de plus")
                                   .arg(rendu.total - static_cast<int>(rendu.pages.size())),
                               feuilles));
            m_pages->setWidget(feuilles);
            partage->addWidget(m_pages);
        }
    }

    auto* boutons = new QHBoxLayout;
    const auto bouton = [this, boutons](const QString& t, const char* nom) {
        auto* b = new QPushButton(t, this);
        b->setObjectName(QLatin1String(nom));
        b->setAutoDefault(false);
        boutons->addWidget(b);
        return b;
    };
    boutons->addStretch();
    connect(bouton(QStringLiteral("&Imprimer..."), "Button1"), &QPushButton::clicked, this,
            &TVueRecue::Imprimer);
    connect(bouton(QStringLiteral("A&perçu..."), "Button2"), &QPushButton::clicked, this,
            &TVueRecue::Apercu);
    connect(bouton(QStringLiteral("E&xporter en PDF..."), "Button3"), &QPushButton::clicked, this,
            &TVueRecue::Exporter);
    QPushButton* fermer = bouton(QStringLiteral("Fermer"), "Button4");
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    fermer->setDefault(true);

    auto* v = new QVBoxLayout(this);
    v->addWidget(partage, 1);
    if (sansPages) v->addWidget(sansPages);
    v->addLayout(boutons);
    resize(m_pages ? 1260 : 820, 900);
    if (m_pages) partage->setSizes({640, 620});
    m_texte->setFocus();
}

TVueRecue::~TVueRecue() = default;

void TVueRecue::Execute(const std::function<void()>& f) {
    ExecuteSortie(m_plateforme, f);
}

namespace {
std::shared_ptr<QTextDocument> Document(const QString& html) {
    auto d = std::make_shared<QTextDocument>();
    d->setHtml(html);
    return d;
}
} // namespace

void TVueRecue::Imprimer() {
    Execute([this] {
        kyr::Imprimer(this, m_plateforme, DessinTexte(Document(m_html)),
                      QStringLiteral("Facture reçue.pdf"));
    });
}

void TVueRecue::Apercu() {
    Execute([this] {
        kyr::Apercu(this, m_plateforme, DessinTexte(Document(m_html)),
                    QStringLiteral("Facture reçue.pdf"), windowTitle());
    });
}

void TVueRecue::Exporter() {
    Execute([this] {
        ExporterPdf(m_plateforme, DessinTexte(Document(m_html)),
                    QStringLiteral("Facture reçue.pdf"));
    });
}

} // namespace kyr
