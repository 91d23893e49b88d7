// The module's second entry: the files embedded in a PDF, each decoded up to
// a cap, so that a compressed attachment of a few kilobytes that would
// expand to gigabytes is stopped at the cap.
#include "einvoice/extraction_facturx.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <exception>

namespace {

struct Plein {};

// Keeps the bytes up to the cap, then stops the decoding.
class Plafonne final : public Pipeline {
public:
    Plafonne(std::string& sortie, std::size_t plafond)
        : Pipeline("plafond", nullptr), m_sortie(sortie), m_plafond(plafond) {}
    void write(unsigned char const* data, size_t len) override {
        if (m_sortie.size() + len > m_plafond) throw Plein{};
        m_sortie.append(reinterpret_cast<const char*>(data), len);
    }
    void finish() override {}

private:
    std::string& m_sortie;
    std::size_t m_plafond;
};

void Extrait(kyr::ExtractionFacturX& e) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    // A damaged file is repaired as far as qpdf can.
    pdf.processMemoryFile("facture", e.pdf, e.taille);
    e.chiffre = pdf.isEncrypted();
    e.pages = static_cast<int>(QPDFPageDocumentHelper(pdf).getAllPages().size());
    QPDFEmbeddedFileDocumentHelper jointes(pdf);
    if (!jointes.hasEmbeddedFiles()) return;
    for (auto& [cle, spec] : jointes.getEmbeddedFiles()) {
        kyr::PieceJointePdf p;
        p.nom = spec->getFilename();
        if (p.nom.empty()) p.nom = cle;
        QPDFObjectHandle flux = spec->getEmbeddedFileStream();
        if (!flux.isStream()) continue;
        p.sousType = QPDFEFStreamObjectHelper(flux).getSubtype();
        Plafonne plafond(p.contenu, e.plafond);
        try {
            if (!flux.pipeStreamData(&plafond, nullptr, 0, qpdf_dl_all, true)) p.contenu.clear();
        } catch (const Plein&) {
            p.contenu.clear();
            p.tropGrande = true;
            p.taille = e.plafond + 1;
        }
        if (!p.tropGrande) p.taille = p.contenu.size();
        e.pieces.push_back(std::move(p));
    }
}

} // namespace

// Nothing is thrown out of the module: every failure comes back as a message.
extern "C" __attribute__((visibility("default"))) void
kyr_extrait_pieces(kyr::ExtractionFacturX& e) noexcept {
    try {
        Extrait(e);
    } catch (const QPDFExc& x) {
        e.pieces.clear();
        if (x.getErrorCode() == qpdf_e_password) {
            e.motDePasse = true;
            e.erreur = "le PDF est protégé par un mot de passe";
        } else {
            e.erreur = "le PDF est endommagé ou tronqué";
        }
    } catch (const std::bad_alloc&) {
        e.pieces.clear();
        e.erreur = "mémoire insuffisante pour lire le PDF";
    } catch (const std::exception&) {
        e.pieces.clear();
        e.erreur = "le PDF est endommagé ou tronqué";
    } catch (...) {
        e.pieces.clear();
        e.erreur = "erreur inconnue en lisant le PDF";
    }
}
