// The module that makes the Factur-X file with qpdf's library: the XML
// attached as factur-x.xml (associated file of the document, relationship
// Data), the XMP naming PDF/A part 3 with the Factur-X properties. Nothing else
// of the page is touched.
#include "einvoice/assemblage_facturx.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <vector>

namespace {

struct Refus {
    std::string detail;
};

std::string Assemble(const kyr::AssemblageFacturX& a) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("page", a.page.data(), a.page.size());
    QPDFObjectHandle racine = pdf.getRoot();

    QPDFObjectHandle metadonnees = racine.getKey("/Metadata");
    if (!metadonnees.isStream()) throw Refus{"métadonnées XMP absentes"};
    const auto ancien = metadonnees.getStreamData(qpdf_dl_generalized);
    const std::string xmp =
        a.xmp(std::string(reinterpret_cast<const char*>(ancien->getBuffer()), ancien->getSize()));
    if (xmp.empty()) throw Refus{"la page n'est pas au format PDF/A-1b"};
    if (!racine.getKey("/OutputIntents").isArray()) throw Refus{"profil de couleur absent"};
    metadonnees.replaceStreamData(xmp, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());

    auto flux = QPDFEFStreamObjectHelper::createEFStream(pdf, a.xml);
    flux.setSubtype("text/xml").setModDate(a.date).setCreationDate(a.date);
    auto fichier = QPDFFileSpecObjectHelper::createFileSpec(pdf, kyr::NomXmlFacturX, flux);
    fichier.setDescription("Factur-X invoice");
    QPDFObjectHandle spec = fichier.getObjectHandle();
    spec.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Data"));
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(kyr::NomXmlFacturX, fichier);
    racine.replaceKey("/AF", QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{spec}));

    QPDFWriter w(pdf);
    w.setOutputMemory();
    w.setMinimumPDFVersion("1.7");
    w.setDeterministicID(true);
    w.write();
    const auto sortie = w.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(sortie->getBuffer()), sortie->getSize());
}

} // namespace

// Nothing is thrown out of the module: every failure comes back as a message.
extern "C" __attribute__((visibility("default"))) void
kyr_assemble_facturx(kyr::AssemblageFacturX& a) noexcept {
    try {
        a.fichier = Assemble(a);
        a.erreur.clear();
    } catch (const Refus& r) {
        a.erreur = r.detail;
    } catch (const std::exception& e) {
        a.erreur = e.what();
    } catch (...) {
        a.erreur = "erreur inconnue";
    }
    if (!a.erreur.empty()) a.fichier.clear();
}
