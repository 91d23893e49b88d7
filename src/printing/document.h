#pragma once
// The printed document and the envelope, drawn on any
// page device (printer, preview, PDF file, recording fake) through Surface.
// Every position is given in whole millimetres of the layout and converted
// with Mh / Mv from the device's own metrics.
//
// Continuation: what fits on one page prints exactly on the one-page form.
// A document whose lines (and memo) do not fit goes on over further pages in
// the same columns: each page repeats the frame and column headings (paper
// types 0 and 1), the company heading (type 0), "N° client", the date and
// "<kind> N° <number> (suite)"; a page that is not the last has no totals band
// and ends with "Suite à la page k+1"; every page carries "Page k/N" at the
// bottom right; the memo, the totals and the payment terms are on the last page.
#include "book/enveloppe.h"
#include "book/fiche.h"
#include "book/societe.h"
#include "printing/mentions_page.h"
#include "printing/surface.h"

#include <array>
#include <string>
#include <vector>

namespace kyr {

class Plateforme;

// Millimetres to device units: whole pixels a millimetre, every y 3 mm lower.
int Mh(const Surface& s, int x);
int Mv(const Surface& s, int y);
// A text ending at x mm (right-aligned in the current font), top at y mm.
void TexteADroite(Surface& s, int x, int y, const std::string& texte);
// A text with its top-left corner at (x, y) mm.
void TexteEn(Surface& s, int x, int y, const std::string& texte);

// The pen width of the frame: 2 device pixels, as the form asks for the
// printers of its time (up to 300 dpi); on finer devices the same weight of
// about 0.17 mm, so that a 1200 dpi PDF does not show hairlines.
int EpaisseurCadre(const Surface& s);

// Paper types of the settings.
constexpr int PapierBlanc = 0, PapierEnTete = 1, PapierImprime = 2;

// Rows of the line table on a page: 28 (y = 105 .. 240); on a page with the
// memo, the memo's n lines stand at 220 - 5n .. 215 and the lines above it.
constexpr int RangeesParPage = 28;
constexpr int RangeesAvecMemo = 23;

// What one page of a document carries: the grid rows (1-based; an empty row
// prints nothing but keeps its place) and memo lines (0-based), in print order.
struct PageDocument {
    std::vector<int> Rangees;    // grid rows printed at y = 105, 110, ...
    std::vector<int> LignesMemo; // memo lines, the last one at y = 215
    bool Derniere = false;       // totals band, totals and payment terms
};

// How a document is split over pages: rows 1..nbLignes with the trailing
// empty ones dropped, then the memo. One page when everything fits. Rows that
// fit one table are not split for the memo's sake: when it is the memo that
// does not fit under them, it goes with the totals onto the next page.
std::vector<PageDocument> DecoupePages(const Fiche& fiche, int nbLignes);

// The steps of one document page: frame, company heading, data.
void Dessin(Surface& s, bool ttc, bool bandeTotaux = true);
void EnTete(Surface& s, const LignesSociete& societe);
// The whole document, every page (NouvellePage between them), with the
// complements of an invoice or credit note (mentions_page.h) when given.
void DessineDocument(Surface& s, const Fiche& fiche, int nbLignes, const LignesSociete& societe,
                     int typePapier, const ComplementsPage& complements = {});
// Imprime: one print job in portrait holding the document.
void ImprimeDocument(Imprimante& imprimante, const Fiche& fiche, int nbLignes,
                     const LignesSociete& societe, int typePapier,
                     const ComplementsPage& complements = {});
// "&Imprimer..." accepted with n copies: n print jobs (none for 0).
template <class F> void ParCopie(int copies, F&& travail) {
    for (int i = 0; i < copies; ++i)
        travail();
}

// The envelope: sender (company lines 1-4) and recipient (the
// client's four coordinates lines), every y lowered by decalage mm.
void DessineEnveloppe(Surface& s, const LignesSociete& societe,
                      const std::array<std::string, 4>& adresse, int decalage);
// ImpEnv without its message: the job in the envelope's orientation
// (1 = landscape), then portrait again. On an envelope size the page is the
// envelope itself, long side across, and the text is not lowered for the
// guide (which places an envelope on the printer's own paper); the printer's
// paper is set back afterwards.
void ImprimeEnveloppe(Imprimante& imprimante, const LignesSociete& societe,
                      const std::array<std::string, 4>& adresse, int orientation, int decalage,
                      FormatEnveloppe format = FormatEnveloppe::Imprimante);
// ImpEnv: "Insérez une enveloppe dans l'imprimante", then the job.
void ImpEnv(Plateforme& plateforme, Imprimante& imprimante, const LignesSociete& societe,
            const std::array<std::string, 4>& adresse, int orientation, int decalage,
            FormatEnveloppe format = FormatEnveloppe::Imprimante);

// The file name proposed for the PDF export: "Facture 200001004.pdf" (kind
// without its trailing blanks, number without blanks; only the kind when the
// number is empty). 8-bit text.
std::string NomPdfPropose(const Fiche& fiche);

} // namespace kyr
