#pragma once
// The e-invoice as UN/CEFACT Cross Industry Invoice XML, profile EN 16931 of
// Factur-X (the file factur-x.xml), UTF-8.
#include "einvoice/facture_electronique.h"

#include <QByteArray>

namespace kyr {

QByteArray EcritCII(const FactureElectronique& fe);

} // namespace kyr
