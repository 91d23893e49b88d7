#pragma once
// The outputs of any page drawing: the printer the user chooses, the print
// preview, a PDF file.
//
// How to use: write the drawing as a function of a print back-end, which runs
// ONE job (orientation, DebutTravail, the pages, FinTravail), for example
//     const DessinImpression dessin = [&](Imprimante& i) {
//         i.Oriente(Orientation::Portrait);
//         Surface& s = i.DebutTravail();
//         ...                                  // s.Texte, s.Ligne, s.NouvellePage...
//         i.FinTravail();
//     };
// then hand it to
//     Imprimer(parent, plateforme, dessin, "Journal.pdf", true);  // print dialog, one job a copy
//     ImprimerDirect(parent, plateforme, dessin, "Journal.pdf");  // the current printer, once
//     Apercu(parent, plateforme, dessin, "Journal.pdf");          // QPrintPreviewDialog
//     ExporterPdf(plateforme, dessin, dossier + "/Journal.pdf");  // save dialog, then the file
//     EcritPdf(chemin, dessin);                                   // the file, no dialog
// The preview and the PDF show the same page: A4, the whole page printable,
// 1200 dpi. A run-time error (kyr::ErreurExecution) of the drawing or of the
// device reaches the caller, except in the preview, which shows it.
// For your own QPdfWriter (PDF/A): ImprimantePdf::PreparePage(writer, o), a
// QPainter on it and SurfaceQt(painter, writer) (surface_qt.h).
#include "common/plateforme.h"
#include "printing/surface.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace kyr {

using DessinImpression = std::function<void(Imprimante&)>;

// The program's printer, kept from one command to the next: the one that
// "&Configurer l'imprimante..." sets up and the print dialog chooses.
QPrinter& ImprimanteProgramme();

// True when the system has at least one printer. Tests may force the answer.
bool ImprimanteInstallee();
void ForceImprimanteInstallee(std::optional<bool> reponse);
// Tests: the back-end that Imprimer and ImprimerDirect print on instead of the
// program's printer (nullptr: the printer again). Not owned.
void ForceImprimante(Imprimante* imprimante);

// The answer when no printer is installed: "Aucune imprimante n'est
// installée." with the offer of the PDF export (done when accepted).
void SansImprimante(Plateforme& plateforme, const DessinImpression& dessin,
                    const QString& nomPdfPropose);

// The print dialog on the program's printer; when it is accepted with n
// copies, the drawing runs n times (n jobs) when parCopie, once with the
// printer's own copies otherwise. Returns the number of jobs run.
int Imprimer(QWidget* parent, Plateforme& plateforme, const DessinImpression& dessin,
             const QString& nomPdfPropose, bool parCopie = true);
// The program's printer, once, without a dialog.
int ImprimerDirect(Plateforme& plateforme, const DessinImpression& dessin,
                   const QString& nomPdfPropose);
// The print preview, modal. Its "Imprimer" button runs `imprime` when given,
// else Imprimer with the drawing (an error it meets is shown).
void Apercu(QWidget* parent, Plateforme& plateforme, const DessinImpression& dessin,
            const QString& nomPdfPropose, const QString& titre = {},
            const std::function<void()>& imprime = {});
// The save dialog proposing nomPropose (a full path; ".pdf" is added when
// missing; an existing file asks "Ce fichier existe déjà"), then the file.
// The name written, or an empty text when cancelled.
QString ExporterPdf(Plateforme& plateforme, const DessinImpression& dessin,
                    const QString& nomPropose);
// The drawing into a PDF file (ErreurExecution::CreationFichier on failure).
void EcritPdf(const QString& chemin, const DessinImpression& dessin, const QString& titre = {});

// The save dialog of an export: the name chosen, with `extension` (".csv")
// added when it has none, once an existing file was confirmed ("Ce fichier
// existe déjà"); an empty text when cancelled.
QString NomFichierExportation(Plateforme& plateforme, const QString& filtre,
                              const QString& nomPropose, const QString& extension);
// A table's export: CSV, or PDF as well when `pdf` (the name's extension
// chooses, CSV without one). The file's name and whether it is the PDF; an
// empty name when cancelled.
struct FichierTableau {
    QString Chemin;
    bool Pdf = false;
};
FichierTableau ChoisitFichierTableau(Plateforme& plateforme, bool pdf, const QString& nomPropose);
// Runs an output (a print job, a file) and shows the message of the run-time
// error it meets; false then.
bool ExecuteSortie(Plateforme& plateforme, const std::function<void()>& sortie);

} // namespace kyr
