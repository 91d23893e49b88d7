// The invoice window's printing: the document on the
// printer, in the print preview and in a PDF file, the envelope, and the page
// setup dialog. The drawings are kyr_printing's; this file only feeds them the
// shown document and picks the output.
#include "book/ui/facture_window.h"

#include "common/ui/saisie.h"
#include "printing/document.h"
#include "printing/ui/mpage_dialog.h"
#include "printing/ui/sorties.h"

#include <QDir>

namespace kyr {

namespace {

// The shown document as printed: the date shown when the record has none.
Fiche FicheImprimee(Facture& f) {
    Fiche fiche = f.fiche;
    if (!fiche.Date.isValid() && !fiche.DateIllisible)
        fiche.Date = f.plateforme().Maintenant().date();
    return fiche;
}

DessinImpression DessinDocument(Facture& f) {
    return [fiche = FicheImprimee(f), nb = f.NbLignes, societe = f.Societe,
            type = f.reglages.TypePapier](Imprimante& i) {
        ImprimeDocument(i, fiche, nb, societe, type);
    };
}

} // namespace

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

void TFacture::Imprime() {
    Saisit();
    ImprimerDirect(m_plateforme, DessinDocument(m_logique), NomPdf(*this));
}

void TFacture::ImprimeDialogue() {
    Saisit();
    Imprimer(this, m_plateforme, DessinDocument(m_logique), NomPdf(*this));
}

void TFacture::Apercu() {
    Saisit();
    kyr::Apercu(this, m_plateforme, DessinDocument(m_logique), NomPdf(*this));
}

void TFacture::ExportePdf() {
    Saisit();
    ExporterPdf(m_plateforme, DessinDocument(m_logique), NomPdf(*this));
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
