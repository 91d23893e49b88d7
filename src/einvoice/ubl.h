#pragma once
// The e-invoice as UBL 2.1 XML: an Invoice, or a CreditNote for a credit
// note, under EN 16931, and under Peppol BIS Billing 3.0 when the buyer is
// reached by the Peppol network. UTF-8. One function a business group, as
// the CII writer, from the same model.
#include "einvoice/facture_electronique.h"

#include <QByteArray>

namespace kyr {

QByteArray EcritUBL(const FactureElectronique& fe);

} // namespace kyr
