// The XML of a received invoice: which syntax by its root element, then its reader.
#include "recues/arbre_xml.h"
#include "recues/lecture.h"
#include "recues/lecture_commune.h"

namespace kyr {

namespace {

const QLatin1String EspaceCII("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QLatin1String EspaceFacture("urn:oasis:names:specification:ubl:schema:xsd:Invoice-2");
const QLatin1String EspaceAvoir("urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2");

Lecture Refus(QString pourquoi) {
    return {std::nullopt, std::move(pourquoi)};
}

} // namespace

Lecture LitXmlRecu(QByteArrayView octets) {
    auto charge = ChargeXml(octets);
    if (auto* refus = std::get_if<QString>(&charge)) return Refus(*refus);
    const ArbreXml& a = std::get<ArbreXml>(charge);
    const int r = a.Racine();
    const QStringView nom = a.Nom(r), espace = a.Espace(r);
    if (nom == QLatin1String("CrossIndustryInvoice") && espace == EspaceCII) return {LitCII(a), {}};
    if (nom == QLatin1String("Invoice") && espace == EspaceFacture) return {LitUBL(a, false), {}};
    if (nom == QLatin1String("CreditNote") && espace == EspaceAvoir) return {LitUBL(a, true), {}};
    const QString cite = nom.left(60).toString();
    if (nom == QLatin1String("CrossIndustryDocument"))
        return Refus(QStringLiteral("Ce fichier est au format ZUGFeRD 1 (CrossIndustryDocument), "
                                    "antérieur à la norme EN 16931 : il n'est pas lu"));
    if (nom.contains(QLatin1String("Order"), Qt::CaseInsensitive))
        return Refus(
            QStringLiteral("Ce fichier est une commande (« %1 »), pas une facture").arg(cite));
    if (nom == QLatin1String("CrossIndustryInvoice") || nom == QLatin1String("Invoice") ||
        nom == QLatin1String("CreditNote"))
        return Refus(QStringLiteral("L'élément racine « %1 » n'est pas dans l'espace de noms "
                                    "d'une facture CII ou UBL (« %2 »)")
                         .arg(cite, espace.left(80).toString()));
    return Refus(QStringLiteral("Élément racine « %1 » inconnu : ce fichier n'est ni une facture "
                                "CII (CrossIndustryInvoice) ni une facture UBL (Invoice, "
                                "CreditNote)")
                     .arg(cite));
}

} // namespace kyr
