// The invoice window's printing: the document on the
// printer, in the print preview and in a PDF file, the envelope, and the page
// setup dialog. The drawings are kyr_printing's; this file only feeds them the
// shown document, with the VAT table and the e-invoice's lines of an invoice,
// and picks the output.
#include "book/ui/facture_window.h"

#include "common/erreurs.h"
#include "common/texte.h"
#include "common/ui/saisie.h"
#include "printing/document.h"
#include "printing/ui/mpage_dialog.h"
#include "printing/ui/sorties.h"

#include <QDir>
#include <memory>

namespace kyr {

namespace {

// The shown document as printed: the date shown when the record has none.
Fiche FicheImprimee(Facture& f) {
    Fiche fiche = f.fiche;
    if (!fiche.Date.isValid() && !fiche.DateIllisible)
        fiche.Date = f.plateforme().Maintenant().date();
    return fiche;
}

// The VAT of each rate as the window computed it: the figures-only run on the
// printed cells, kept only when it gives the captions shown (totals not
// recomputed since a change are printed as shown, without a table they
// would contradict).
std::vector<TauxImprime> ParTauxImprimes(const Fiche& fiche, const Reglages& r) {
    Fiche c = fiche;
    try {
        const Ventilation v = kyr::Calcule(c, r, {});
        if (c.TotalHT.empty() || c.TotalHT != fiche.TotalHT || c.TotalTVA != fiche.TotalTVA ||
            c.TotalTTC != fiche.TotalTTC)
            return {};
        return ParTauxDuCalcul(v, r);
    } catch (const ErreurExecution&) {
        return {};
    }
}

// What an invoice or credit note adds to its page; a quote prints as it always has.
ComplementsPage ComplementsImprimes(TFacture& w, const Fiche& fiche) {
    if (Trim(fiche.Genre) == Trim(GenreDevis)) return {};
    ComplementsPage c;
    c.ParTaux = ParTauxImprimes(fiche, w.logique().reglages);
    if (w.lignesEFacture) c.Lignes = w.lignesEFacture(fiche);
    return c;
}

DessinImpression DessinDocument(TFacture& w) {
    Facture& f = w.logique();
    Fiche fiche = FicheImprimee(f);
    ComplementsPage complements = ComplementsImprimes(w, fiche);
    return [fiche = std::move(fiche), complements = std::move(complements), nb = f.NbLignes,
            societe = f.Societe, type = f.reglages.TypePapier](Imprimante& i) {
        ImprimeDocument(i, fiche, nb, societe, type, complements);
    };
}

// Thrown by the drawing when the document must not leave; the reason was shown.
struct SortieRefusee {};

// The document as it leaves the program (printer, PDF): an invoice or credit
// note is issued before its first page is drawn, only once the user has
// chosen the printer or the file, and the page is made from the record as
// the issuing left it.
DessinImpression DessinEmis(TFacture& w) {
    auto page = std::make_shared<DessinImpression>();
    return [&w, page](Imprimante& i) {
        if (!*page) {
            if (!w.logique().EmetCourant()) throw SortieRefusee{};
            *page = DessinDocument(w);
        }
        (*page)(i);
    };
}

} // namespace

void TFacture::Sortie(const std::function<void()>& sortie) {
    try {
        sortie();
    } catch (const SortieRefusee&) {
    } catch (...) {
        Affiche();
        throw;
    }
    Affiche();
}

void TFacture::ParM() {
    Saisit();
    kyr::ParM(m_logique.reglages, this);
}

// A PDF file proposed in the book's folder: the shown document's, or `nom`.
static QString NomPdf(TFacture& w, QString nom = {}) {
    if (nom.isEmpty()) nom = Q(NomPdfPropose(w.logique().fiche));
    const QString dossier = w.dossierLivre ? w.dossierLivre() : QString();
    return QDir(dossier.isEmpty() ? QDir::currentPath() : dossier).filePath(nom);
}

// What stops the document from leaving is said before the printer or the
// file is chosen, not after.
static bool PeutSortir(Facture& f) {
    const QString refus = f.RefusSortie();
    if (refus.isEmpty()) return true;
    f.plateforme().Message(refus);
    return false;
}

void TFacture::Imprime() {
    Saisit();
    if (!PeutSortir(m_logique)) return;
    Sortie([this] { ImprimerDirect(m_plateforme, DessinEmis(*this), NomPdf(*this)); });
}

void TFacture::ImprimeDialogue() {
    Saisit();
    if (!PeutSortir(m_logique)) return;
    Sortie([this] { Imprimer(this, m_plateforme, DessinEmis(*this), NomPdf(*this)); });
}

void TFacture::Apercu() {
    Saisit();
    // The preview itself issues nothing; its "Imprimer" button prints as
    // "&Imprimer..." does.
    kyr::Apercu(this, m_plateforme, DessinDocument(*this), NomPdf(*this), {}, [this] {
        try {
            ImprimeDialogue();
        } catch (const ErreurExecution& e) {
            m_plateforme.Erreur(e.message());
        }
    });
}

void TFacture::ExportePdf() {
    Saisit();
    if (!PeutSortir(m_logique)) return;
    Sortie([this] { ExporterPdf(m_plateforme, DessinEmis(*this), NomPdf(*this)); });
}

void TFacture::ImpEnv() {
    Saisit();
    const Facture& f = m_logique;
    const QString pdf = NomPdf(*this, QStringLiteral("Enveloppe.pdf"));
    if (!ImprimanteInstallee()) {
        // No envelope to insert: the offer of the PDF export straight away.
        SansImprimante(
            m_plateforme,
            [&f](Imprimante& i) {
                ImprimeEnveloppe(i, f.Societe, f.fiche.Adresse, f.reglages.OrientationEnveloppe,
                                 f.reglages.DecalageEnveloppe, f.reglages.Enveloppe);
            },
            pdf);
        return;
    }
    ImprimerDirect(
        m_plateforme,
        [this, &f](Imprimante& i) {
            kyr::ImpEnv(m_plateforme, i, f.Societe, f.fiche.Adresse,
                        f.reglages.OrientationEnveloppe, f.reglages.DecalageEnveloppe,
                        f.reglages.Enveloppe);
        },
        pdf);
}

} // namespace kyr
