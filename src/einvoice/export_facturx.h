#pragma once
// The command "Facture électronique (Factur-X)...": checks the shown
// document, asks the buyer and the due date (prefilled from what was
// remembered for the client, else from the document), reports any cent of
// difference with the window's totals and lets the user decide, asks the
// file name, writes the file and remembers the buyer. The dialog and the
// writing of the PDF are given by the caller (widgets), so tests script them.
#include "book/facture.h"
#include "einvoice/facture_electronique.h"
#include "einvoice/fichiers_tiers.h"

#include <functional>
#include <optional>

namespace kyr {

struct SaisieExport {
    Acheteur Ach;
    Complements Autres;
};

// The dialog: shown with the proposal, nullopt when cancelled.
using DialogueExport = std::function<std::optional<SaisieExport>(const SaisieExport& propose)>;
// Writes the Factur-X file of `fe` with its page (throws ErreurExecution).
using EcritureFacturX =
    std::function<void(const QString& chemin, const FactureElectronique& fe, const Fiche& page)>;

// What the dialog opens with for the shown document.
SaisieExport Proposition(const Fiche& f, const Acheteurs& memorises);

// The question asked when the rules' totals differ from the window's.
QString QuestionEcarts(const std::vector<Ecart>& ecarts);

// Runs the command on the shown document of `f` (already recomputed); the file
// is proposed in `dossier`. The nature of the operation and the delivery
// address chosen are kept beside the book `livre` (not for a book without a
// file). Returns the file written, or an empty text.
QString ExporteFacturX(Facture& f, const QString& dossier, const DialogueExport& dialogue,
                       const EcritureFacturX& ecrit, const QString& livre = {});

} // namespace kyr
