#include "recues/lecture.h"

#include "recues/extraction_pdf.h"
#include "recues/arbre_xml.h"

#include <QFile>
#include <QFileInfo>

namespace kyr {

namespace {

Lecture Refus(QString pourquoi) {
    return {std::nullopt, std::move(pourquoi)};
}

} // namespace

Lecture LitOctetsRecus(const QByteArray& octets, const QString& dossierModules) {
    if (!octets.startsWith("%PDF-")) {
        // An XML starts with "<", maybe after a byte order mark (the XML
        // reader refuses the UTF-16 ones with its own message).
        const QByteArray debut = octets.left(64).trimmed();
        if (!debut.startsWith("<") && !debut.startsWith("\xEF\xBB\xBF") &&
            !debut.startsWith("\xFF\xFE") && !debut.startsWith("\xFE\xFF"))
            return Refus(QStringLiteral("Ce fichier n'est ni un PDF ni un fichier XML"));
        Lecture l = LitXmlRecu(octets);
        return l;
    }
    const ExtractionPdf e = ExtraitFactureDuPdf(octets, dossierModules);
    if (!e.Refus.isEmpty()) return Refus(e.Refus);
    Lecture l = LitXmlRecu(QByteArrayView(e.Xml.data(), static_cast<qsizetype>(e.Xml.size())));
    if (!l.Facture) {
        l.Refus = QStringLiteral("La pièce jointe « %1 » du PDF n'a pu être lue : %2")
                      .arg(e.NomPiece, l.Refus);
        return l;
    }
    l.Facture->Format = FormatRecu::FacturX;
    if (e.Chiffre)
        l.Facture->Lecture.push_back(
            {"KF-PDF",
             QStringLiteral("Le PDF est chiffré : un Factur-X (PDF/A-3) ne l'est jamais")});
    return l;
}

Lecture LitFichierRecu(const QString& chemin, const QString& dossierModules, QByteArray* octets) {
    const QFileInfo info(chemin);
    const QString nom = info.fileName();
    if (!info.exists()) return Refus(QStringLiteral("Le fichier « %1 » n'existe pas").arg(nom));
    if (!info.isFile()) return Refus(QStringLiteral("« %1 » n'est pas un fichier").arg(nom));
    // Refused by its size alone: a file of a gigabyte is never read.
    const qint64 limite = std::max<qint64>(TailleMaxPdf, TailleMaxXml);
    if (info.size() > limite)
        return Refus(QStringLiteral("Le fichier « %1 » fait %2 Mo : une facture dépasse rarement "
                                    "quelques Mo, il n'est pas lu (%3 Mo au plus)")
                         .arg(nom)
                         .arg(info.size() / (1024 * 1024))
                         .arg(limite / (1024 * 1024)));
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return Refus(QStringLiteral("Le fichier « %1 » ne peut être lu").arg(nom));
    QByteArray lu = f.read(limite + 1);
    if (lu.size() > limite)
        return Refus(QStringLiteral("Le fichier « %1 » est trop grand").arg(nom));
    if (f.error() != QFileDevice::NoError)
        return Refus(QStringLiteral("Le fichier « %1 » ne peut être lu").arg(nom));
    if (lu.isEmpty()) return Refus(QStringLiteral("Le fichier « %1 » est vide").arg(nom));
    // An XML over its own limit is refused there, with its own message.
    Lecture l = LitOctetsRecus(lu, dossierModules);
    if (octets) *octets = std::move(lu);
    return l;
}

} // namespace kyr
