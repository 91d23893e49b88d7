#pragma once
// `kyrfact --exporter FORMAT --periode AAAA-MM LIVRE.fct DOSSIER`: the export
// of a month's invoices and credit notes ("Exporter les factures de la
// période..."), run from a script in the folder that holds the program's
// files (KyrFact.ini, Fact.soc, Fact.fxv, Fact.fxa). No question is asked:
// a file already in the folder is kept and reported. The report goes to
// `sortie`; exit code 0 when every invoice and credit note of the month was
// written, 1 when one was not, 2 when the arguments or the files are wrong.
#include "einvoice/export_facturx.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kyr {

struct ServicesLigneDeCommande {
    // The Factur-X page writer with the company's heading, ready to draw with
    // no display; empty when the program has none (Factur-X then refused).
    std::function<EcritureFacturX(const LignesSociete& societe)> FacturX;
};

int ExporteEnLigne(const std::vector<std::string>& arguments, std::FILE* sortie, std::FILE* erreurs,
                   const ServicesLigneDeCommande& services);

} // namespace kyr
