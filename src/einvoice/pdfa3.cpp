#include "einvoice/pdfa3.h"

#include "common/erreurs.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace kyr {

namespace {

const char* const ProprietesFx =
    R"(    <rdf:Description xmlns:fx="urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#" rdf:about="">
      <fx:DocumentType>INVOICE</fx:DocumentType>
      <fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>
      <fx:Version>1.0</fx:Version>
      <fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>
    </rdf:Description>
    <rdf:Description xmlns:pdfaExtension="http://www.aiim.org/pdfa/ns/extension/" xmlns:pdfaSchema="http://www.aiim.org/pdfa/ns/schema#" xmlns:pdfaProperty="http://www.aiim.org/pdfa/ns/property#" rdf:about="">
      <pdfaExtension:schemas>
        <rdf:Bag>
          <rdf:li rdf:parseType="Resource">
            <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>
            <pdfaSchema:namespaceURI>urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#</pdfaSchema:namespaceURI>
            <pdfaSchema:prefix>fx</pdfaSchema:prefix>
            <pdfaSchema:property>
              <rdf:Seq>
                <rdf:li rdf:parseType="Resource">
                  <pdfaProperty:name>DocumentFileName</pdfaProperty:name>
                  <pdfaProperty:valueType>Text</pdfaProperty:valueType>
                  <pdfaProperty:category>external</pdfaProperty:category>
                  <pdfaProperty:description>The name of the embedded XML document</pdfaProperty:description>
                </rdf:li>
                <rdf:li rdf:parseType="Resource">
                  <pdfaProperty:name>DocumentType</pdfaProperty:name>
                  <pdfaProperty:valueType>Text</pdfaProperty:valueType>
                  <pdfaProperty:category>external</pdfaProperty:category>
                  <pdfaProperty:description>The type of the hybrid document in capital letters, e.g. INVOICE or ORDER</pdfaProperty:description>
                </rdf:li>
                <rdf:li rdf:parseType="Resource">
                  <pdfaProperty:name>Version</pdfaProperty:name>
                  <pdfaProperty:valueType>Text</pdfaProperty:valueType>
                  <pdfaProperty:category>external</pdfaProperty:category>
                  <pdfaProperty:description>The actual version of the standard applying to the embedded XML document</pdfaProperty:description>
                </rdf:li>
                <rdf:li rdf:parseType="Resource">
                  <pdfaProperty:name>ConformanceLevel</pdfaProperty:name>
                  <pdfaProperty:valueType>Text</pdfaProperty:valueType>
                  <pdfaProperty:category>external</pdfaProperty:category>
                  <pdfaProperty:description>The conformance level of the embedded XML document</pdfaProperty:description>
                </rdf:li>
              </rdf:Seq>
            </pdfaSchema:property>
          </rdf:li>
        </rdf:Bag>
      </pdfaExtension:schemas>
    </rdf:Description>
)";

// "D:20260914103000Z", the PDF date of a moment, in UTC.
std::string DatePdf(const QDateTime& d) {
    return "D:" + d.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + "Z";
}

ErreurExecution Echec(const QString& detail) {
    return ErreurExecution(
        QString::fromUtf8("La facture électronique n'a pu être assemblée (%1).").arg(detail));
}

} // namespace

std::string XmpFacturX(const std::string& xmp) {
    std::string s = xmp;
    const std::string part1 = "pdfaid:part=\"1\"";
    const auto p = s.find(part1);
    const auto fin = s.find("</rdf:RDF>");
    if (p == std::string::npos || fin == std::string::npos || fin < p) return {};
    s.insert(fin, ProprietesFx);
    s.replace(p, part1.size(), "pdfaid:part=\"3\"");
    return s;
}

QByteArray AssembleFacturX(const QByteArray& pagePdfA1b, const QByteArray& xml,
                           const QDateTime& date) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("page", pagePdfA1b.constData(),
                              static_cast<size_t>(pagePdfA1b.size()));
        QPDFObjectHandle racine = pdf.getRoot();

        QPDFObjectHandle metadonnees = racine.getKey("/Metadata");
        if (!metadonnees.isStream()) throw Echec(QStringLiteral("métadonnées XMP absentes"));
        const auto ancien = metadonnees.getStreamData(qpdf_dl_generalized);
        const std::string xmp = XmpFacturX(
            std::string(reinterpret_cast<const char*>(ancien->getBuffer()), ancien->getSize()));
        if (xmp.empty()) throw Echec(QStringLiteral("la page n'est pas au format PDF/A-1b"));
        if (!racine.getKey("/OutputIntents").isArray())
            throw Echec(QStringLiteral("profil de couleur absent"));
        metadonnees.replaceStreamData(xmp, QPDFObjectHandle::newNull(),
                                      QPDFObjectHandle::newNull());

        const std::string date_ = DatePdf(date);
        auto flux = QPDFEFStreamObjectHelper::createEFStream(
            pdf, std::string(xml.constData(), static_cast<size_t>(xml.size())));
        flux.setSubtype("text/xml").setModDate(date_).setCreationDate(date_);
        auto fichier = QPDFFileSpecObjectHelper::createFileSpec(pdf, NomXmlFacturX, flux);
        fichier.setDescription("Factur-X invoice");
        QPDFObjectHandle spec = fichier.getObjectHandle();
        spec.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Data"));
        QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(NomXmlFacturX, fichier);
        racine.replaceKey("/AF", QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{spec}));

        QPDFWriter w(pdf);
        w.setOutputMemory();
        w.setMinimumPDFVersion("1.7");
        w.setDeterministicID(true);
        w.write();
        const auto sortie = w.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(sortie->getBuffer()),
                          static_cast<qsizetype>(sortie->getSize()));
    } catch (const ErreurExecution&) {
        throw;
    } catch (const std::exception& e) {
        throw Echec(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace kyr
