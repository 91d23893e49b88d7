#include "recues/ui/pages_pdf.h"

#include "einvoice/pdfa3.h"

namespace kyr {

bool RendPagesPdf(RenduPagesPdf& r, const QString& dossierModules, QString& pourquoi) {
    const auto fonction = reinterpret_cast<FonctionRenduPages>(FonctionModule(
        dossierModules, QStringLiteral(KYR_MODULE_PAGES), NomFonctionRenduPages, pourquoi));
    if (!fonction) return false;
    fonction(r);
    return true;
}

} // namespace kyr
