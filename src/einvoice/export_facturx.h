#pragma once
// The command "Facture électronique...": checks the shown document, asks the
// format, the buyer and the due date (prefilled from what was remembered for
// the client, else from the document), reports any cent of difference with
// the window's totals and lets the user decide, asks the file name, writes
// the file (Factur-X, or the CII or UBL XML alone), remembers the buyer and
// the format, and has the document counted as issued. The dialog and the
// writing of the PDF are given by the caller (widgets), so tests script them.
#include "book/facture.h"
#include "einvoice/facture_electronique.h"
#include "einvoice/fichiers_tiers.h"

#include <QDate>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace kyr {

struct SaisieExport {
    Acheteur Ach;
    Complements Autres;
    FormatFE Format = FormatFE::FacturX;
};

// The dialog: shown with the proposal, nullopt when cancelled.
using DialogueExport = std::function<std::optional<SaisieExport>(const SaisieExport& propose)>;
// Writes the Factur-X file of `fe` with its page (throws ErreurExecution).
using EcritureFacturX =
    std::function<void(const QString& chemin, const FactureElectronique& fe, const Fiche& page)>;

// Counts documents of the book as issued before their files are written (the
// register of issued documents, Facture::Emet): for each, an empty text when
// it may leave the program, else why not. Throws ErreurExecution when the book
// or the register could not be written.
using Emission = std::function<std::vector<QString>(const std::vector<RefDocument>& documents)>;

struct Journal;

// The invoices of the book by number, with their dates.
using FacturesLivre = std::map<std::string, QDate>;
FacturesLivre FacturesDuLivre(const Lignes& livre, const Reglages& r);
FacturesLivre FacturesDuJournal(const Journal& j);

// The invoice a credit note corrects, when its lines or its memo name one of
// the book's invoices dated before it ("Avoir sur facture 202609001").
std::optional<std::pair<std::string, QDate>> FactureCitee(const Fiche& avoir,
                                                          const FacturesLivre& factures);

// What the dialog opens with for the shown document; for a credit note, the
// invoice its text names among `factures`.
SaisieExport Proposition(const Fiche& f, const Acheteurs& memorises,
                         const FacturesLivre& factures = {});

// The question asked when the rules' totals differ from the window's.
QString QuestionEcarts(const std::vector<Ecart>& ecarts);

// Writes the file of `fe` in its format: the Factur-X file through `ecrit`
// with its page, the XML alone through the safe writer (ErreurExecution).
void EcritFichierFE(FormatFE format, const QString& chemin, const FactureElectronique& fe,
                    const Fiche& page, const EcritureFacturX& ecrit);

// Runs the command on the shown document of `f` (already recomputed); the file
// is proposed in `dossier`. The nature of the operation and the delivery
// address chosen are kept beside the book `livre` (not for a book without a
// file). The document is issued (Facture::EmetCourant) before its file is
// written. Returns the file written, or an empty text.
QString ExporteFacturX(Facture& f, const QString& dossier, const DialogueExport& dialogue,
                       const EcritureFacturX& ecrit, const QString& livre = {});

} // namespace kyr
