#include "recues/facture_recue.h"

namespace kyr {

QString TexteFormat(FormatRecu f) {
    switch (f) {
    case FormatRecu::FacturX:
        return QStringLiteral("Factur-X");
    case FormatRecu::UBL:
        return QStringLiteral("UBL");
    case FormatRecu::CII:
        break;
    }
    return QStringLiteral("CII");
}

QString TexteProfil(Profil p) {
    switch (p) {
    case Profil::Minimum:
        return QStringLiteral("MINIMUM");
    case Profil::BasicWL:
        return QStringLiteral("BASIC WL");
    case Profil::Basic:
        return QStringLiteral("BASIC");
    case Profil::EN16931:
        return QStringLiteral("EN 16931");
    case Profil::Extended:
        return QStringLiteral("EXTENDED");
    case Profil::XRechnung:
        return QStringLiteral("XRechnung");
    case Profil::Peppol:
        return QStringLiteral("Peppol BIS 3");
    case Profil::Inconnu:
        break;
    }
    return QStringLiteral("inconnu");
}

bool ProfilSansLignes(Profil p) {
    return p == Profil::Minimum || p == Profil::BasicWL;
}

QString TexteMontant(std::optional<Centimes> c) {
    return c ? QString::fromLatin1(TextePage(*c)) : QString();
}

QString TexteTauxRecu(std::optional<std::int64_t> taux) {
    if (!taux) return QStringLiteral("?");
    QString t = QString::fromLatin1(TexteDecimalCourt(*taux, 4));
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t + QStringLiteral(" %");
}

} // namespace kyr
