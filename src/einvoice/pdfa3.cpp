#include "einvoice/pdfa3.h"

#include "common/erreurs.h"
#include "einvoice/assemblage_facturx.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <memory>
#include <vector>

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

// Without a closing full stop, as every error message: the error box adds it.
ErreurExecution Echec(const QString& detail) {
    return ErreurExecution(
        QString::fromUtf8("La facture électronique n'a pu être assemblée (%1)").arg(detail));
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

QFunctionPointer FonctionModule(const QString& dossier, const char* nom, QString& pourquoi) {
    return FonctionModule(dossier, QStringLiteral(KYR_MODULE_FACTURX), nom, pourquoi);
}

QFunctionPointer FonctionModule(const QString& dossier, const QString& fichier, const char* nom,
                                QString& pourquoi) {
    const QString chemin = QDir::cleanPath(QDir(dossier).filePath(fichier));
    const QString natif = QDir::toNativeSeparators(chemin);
    if (!QFileInfo::exists(chemin)) {
        pourquoi = QStringLiteral("module %1 absent").arg(natif);
        return nullptr;
    }
    auto module = std::make_unique<QLibrary>(chemin);
    module->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const QFunctionPointer fonction = module->resolve(nom);
    if (!fonction) {
        // The system's reason (a library of its own missing, say), without
        // its closing full stop: the message has its own.
        QString raison = module->errorString().trimmed();
        while (raison.endsWith(QLatin1Char('.')))
            raison.chop(1);
        pourquoi = QStringLiteral("module %1 illisible : %2").arg(natif, raison);
        return nullptr;
    }
    // Kept loaded for the rest of the program's life.
    static std::vector<std::unique_ptr<QLibrary>> ouverts;
    ouverts.push_back(std::move(module));
    return fonction;
}

FonctionAssemblage OuvreModuleFacturX(const QString& dossier) {
    QString pourquoi;
    const auto fonction = FonctionModule(dossier, NomFonctionAssemblage, pourquoi);
    if (!fonction) throw Echec(pourquoi);
    return reinterpret_cast<FonctionAssemblage>(fonction);
}

QString DossierModules() {
    const QString donne = qEnvironmentVariable("KYR_MODULES");
    if (!donne.isEmpty()) return donne;
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral(KYR_MODULES_RELATIF));
}

QByteArray AssembleFacturX(const QByteArray& pagePdfA1b, const QByteArray& xml,
                           const QDateTime& date) {
    // Opened the first time a file is made, then kept (a failure is tried
    // again next time: the module may have been installed meanwhile).
    static FonctionAssemblage fonction = nullptr;
    if (!fonction) fonction = OuvreModuleFacturX(DossierModules());

    AssemblageFacturX a;
    a.page.assign(pagePdfA1b.constData(), static_cast<std::size_t>(pagePdfA1b.size()));
    a.xml.assign(xml.constData(), static_cast<std::size_t>(xml.size()));
    a.date = DatePdf(date);
    a.xmp = &XmpFacturX;
    fonction(a);
    if (!a.erreur.empty())
        throw Echec(QString::fromUtf8(a.erreur.data(), static_cast<qsizetype>(a.erreur.size())));
    return QByteArray(a.fichier.data(), static_cast<qsizetype>(a.fichier.size()));
}

} // namespace kyr
