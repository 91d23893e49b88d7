#include "recues/extraction_pdf.h"

#include "einvoice/pdfa3.h"
#include "recues/arbre_xml.h"

#include <QStringList>

#include <algorithm>

namespace kyr {

namespace {

QString Nom(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(),
                             static_cast<qsizetype>(std::min<std::size_t>(utf8.size(), 80)));
}

QString Noms(const std::vector<const PieceJointePdf*>& pieces) {
    QStringList l;
    for (const auto* p : pieces)
        l << QStringLiteral("« %1 »").arg(Nom(p->nom));
    return l.join(QStringLiteral(", "));
}

bool SuffixeXml(const std::string& nom) {
    return nom.size() >= 4 &&
           QString::fromStdString(nom).endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

} // namespace

bool NomPieceFacture(const std::string& nom) {
    const QString n = QString::fromUtf8(nom.data(), static_cast<qsizetype>(nom.size())).toLower();
    return n == QLatin1String("factur-x.xml") || n == QLatin1String("zugferd-invoice.xml") ||
           n == QLatin1String("xrechnung.xml");
}

ExtractionPdf ChoisitPiece(const std::vector<PieceJointePdf>& pieces) {
    ExtractionPdf r;
    if (pieces.empty()) {
        r.Refus = QStringLiteral("Ce PDF ne porte aucun fichier joint : ce n'est pas une facture "
                                 "électronique Factur-X, seulement une image de facture");
        return r;
    }
    std::vector<const PieceJointePdf*> factures, xml;
    for (const auto& p : pieces) {
        if (NomPieceFacture(p.nom))
            factures.push_back(&p);
        else if (SuffixeXml(p.nom))
            xml.push_back(&p);
    }
    std::vector<const PieceJointePdf*> candidats = factures.empty() ? xml : factures;
    if (candidats.empty()) {
        std::vector<const PieceJointePdf*> toutes;
        for (const auto& p : pieces)
            toutes.push_back(&p);
        r.Refus = QStringLiteral("Ce PDF porte %1 mais aucune facture électronique "
                                 "(factur-x.xml) : ce n'est pas une facture Factur-X")
                      .arg(toutes.size() == 1
                               ? QStringLiteral("le fichier joint %1").arg(Noms(toutes))
                               : QStringLiteral("les fichiers joints %1").arg(Noms(toutes)));
        return r;
    }
    // The same bytes attached under two names are one invoice.
    const auto memes = [&](const PieceJointePdf* p) {
        return p->tropGrande == candidats.front()->tropGrande &&
               p->contenu == candidats.front()->contenu;
    };
    if (!std::all_of(candidats.begin(), candidats.end(), memes)) {
        r.Refus = QStringLiteral("Ce PDF porte plusieurs factures jointes différentes (%1) : "
                                 "impossible de savoir laquelle est la facture")
                      .arg(Noms(candidats));
        return r;
    }
    const PieceJointePdf& p = *candidats.front();
    r.NomPiece = Nom(p.nom);
    if (p.tropGrande) {
        r.Refus =
            QStringLiteral("La facture jointe « %1 » dépasse %2 Mo : ce n'est pas une facture")
                .arg(r.NomPiece)
                .arg(TailleMaxXml / (1024 * 1024));
        return r;
    }
    r.Xml = p.contenu;
    return r;
}

ExtractionPdf ExtraitFactureDuPdf(const QByteArray& pdf, const QString& dossierModules) {
    ExtractionPdf r;
    QString pourquoi;
    const auto fonction = reinterpret_cast<FonctionExtraction>(
        FonctionModule(dossierModules, NomFonctionExtraction, pourquoi));
    if (!fonction) {
        r.Refus = QStringLiteral("Le PDF n'a pu être lu (%1)").arg(pourquoi);
        return r;
    }
    ExtractionFacturX e;
    e.pdf = pdf.constData();
    e.taille = static_cast<std::size_t>(pdf.size());
    e.plafond = static_cast<std::size_t>(TailleMaxXml);
    fonction(e);
    if (!e.erreur.empty()) {
        r.Refus =
            QStringLiteral("Ce PDF ne peut être ouvert : %1")
                .arg(QString::fromUtf8(e.erreur.data(), static_cast<qsizetype>(e.erreur.size())));
        return r;
    }
    r = ChoisitPiece(e.pieces);
    r.Chiffre = e.chiffre;
    r.Pages = e.pages;
    return r;
}

} // namespace kyr
