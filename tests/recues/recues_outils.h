#pragma once
// What the tests of received invoices share: the sample files, a PDF made
// here with chosen attachments, an invoice of n lines.
#include "einvoice/pdfa3.h"
#include "recues/lecture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>
#include <utility>
#include <vector>

namespace kyr::test {

inline QByteArray Donnee(const QString& nom) {
    QFile f(QStringLiteral(KYR_TEST_DATA "/") + nom);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// The shared examples beside the validator; empty when they are not there.
inline QString DossierExemples() {
    const QString validateur = QStringLiteral(KYR_VALIDATEUR);
    if (validateur.isEmpty()) return {};
    const QString d = QFileInfo(validateur).dir().filePath(QStringLiteral("examples"));
    return QFileInfo(d).isDir() ? d : QString();
}

inline Lecture Lit(const QByteArray& octets) {
    return LitOctetsRecus(octets, DossierModules());
}

// A one-page PDF with these files embedded (name, content), as a supplier's
// program would make it: an EmbeddedFiles name tree, each file
// uncompressed.
inline QByteArray PdfAvecPieces(const std::vector<std::pair<std::string, QByteArray>>& pieces) {
    std::vector<QByteArray> objets;
    QByteArray noms;
    const int premier = 4; // objects 1-3: catalog, pages, page
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int spec = premier + 2 * static_cast<int>(i), flux = spec + 1;
        noms += "(" + QByteArray::fromStdString(pieces[i].first) + ") " + QByteArray::number(spec) +
                " 0 R ";
        objets.push_back("<< /Type /Filespec /F (" + QByteArray::fromStdString(pieces[i].first) +
                         ") /UF (" + QByteArray::fromStdString(pieces[i].first) + ") /EF << /F " +
                         QByteArray::number(flux) + " 0 R >> >>");
        objets.push_back("<< /Type /EmbeddedFile /Subtype /text#2Fxml /Length " +
                         QByteArray::number(pieces[i].second.size()) + " >>\nstream\n" +
                         pieces[i].second + "\nendstream");
    }
    QByteArray catalogue = "<< /Type /Catalog /Pages 2 0 R";
    if (!pieces.empty()) catalogue += " /Names << /EmbeddedFiles << /Names [" + noms + "] >> >>";
    catalogue += " >>";
    objets.insert(objets.begin(), {catalogue, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                   "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>"});
    QByteArray pdf = "%PDF-1.7\n";
    std::vector<qsizetype> positions;
    for (std::size_t i = 0; i < objets.size(); ++i) {
        positions.push_back(pdf.size());
        pdf += QByteArray::number(static_cast<int>(i) + 1) + " 0 obj\n" + objets[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objets.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype p : positions)
        pdf += QByteArray::number(p).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// The sample CII invoice with its two lines repeated to make n lines, the
// totals made to match: every line 12.50 at 20 %.
inline QByteArray CIIDeNLignes(int n) {
    QByteArray ligne =
        R"(<ram:IncludedSupplyChainTradeLineItem><ram:AssociatedDocumentLineDocument><ram:LineID>@</ram:LineID></ram:AssociatedDocumentLineDocument><ram:SpecifiedTradeProduct><ram:Name>Article @</ram:Name></ram:SpecifiedTradeProduct><ram:SpecifiedLineTradeAgreement><ram:NetPriceProductTradePrice><ram:ChargeAmount>12.50</ram:ChargeAmount></ram:NetPriceProductTradePrice></ram:SpecifiedLineTradeAgreement><ram:SpecifiedLineTradeDelivery><ram:BilledQuantity unitCode="C62">1</ram:BilledQuantity></ram:SpecifiedLineTradeDelivery><ram:SpecifiedLineTradeSettlement><ram:ApplicableTradeTax><ram:TypeCode>VAT</ram:TypeCode><ram:CategoryCode>S</ram:CategoryCode><ram:RateApplicablePercent>20</ram:RateApplicablePercent></ram:ApplicableTradeTax><ram:SpecifiedTradeSettlementLineMonetarySummation><ram:LineTotalAmount>12.50</ram:LineTotalAmount></ram:SpecifiedTradeSettlementLineMonetarySummation></ram:SpecifiedLineTradeSettlement></ram:IncludedSupplyChainTradeLineItem>
)";
    QByteArray x = Donnee(QStringLiteral("recue_cii.xml"));
    const qsizetype debut = x.indexOf("<ram:IncludedSupplyChainTradeLineItem>");
    const qsizetype fin = x.indexOf("<ram:ApplicableHeaderTradeAgreement>");
    QByteArray lignes;
    lignes.reserve(n * (ligne.size() + 8));
    for (int i = 1; i <= n; ++i)
        lignes += QByteArray(ligne).replace("@", QByteArray::number(i));
    x.replace(debut, fin - debut, lignes);
    const auto remplace = [&x](const char* avant, const QByteArray& apres) {
        x.replace(QByteArray(avant), apres);
    };
    const auto m = [](qint64 c) {
        return QByteArray::number(c / 100) + "." +
               QByteArray::number(c % 100).rightJustified(2, '0');
    };
    const qint64 base = 1250LL * n, ht = base + 500, tva = ht / 5; // charge 10 - allowance 5
    remplace("<ram:CalculatedAmount>26.00</ram:CalculatedAmount>",
             "<ram:CalculatedAmount>" + m(tva) + "</ram:CalculatedAmount>");
    remplace("<ram:BasisAmount>130.00</ram:BasisAmount>",
             "<ram:BasisAmount>" + m(ht) + "</ram:BasisAmount>");
    // The 5.5 % breakdown goes: no line has that rate any more.
    const qsizetype t = x.indexOf("<ram:ApplicableTradeTax><ram:CalculatedAmount>1.65");
    x.remove(t, x.indexOf("</ram:ApplicableTradeTax>", t) + 25 - t);
    remplace("<ram:LineTotalAmount>155.00", "<ram:LineTotalAmount>" + m(base));
    remplace(">160.00<", ">" + m(ht) + "<");
    remplace(">27.65<", ">" + m(tva) + "<");
    remplace(">187.65<", ">" + m(ht + tva) + "<");
    remplace(">137.65<", ">" + m(ht + tva - 5000) + "<");
    return x;
}

} // namespace kyr::test
