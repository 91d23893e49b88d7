#include "recues/lecture_commune.h"

namespace kyr {

NombreXml LitNombreXml(QStringView texte, int decimales) {
    NombreXml r;
    const QStringView s = texte.trimmed();
    qsizetype i = 0;
    bool negatif = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negatif = s[i++] == u'-';
    __int128 v = 0;
    int chiffres = 0, apres = -1;
    bool arrondi = false; // the first digit beyond the kept decimals is 5 or more
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'.' && apres < 0) {
            apres = 0;
            continue;
        }
        if (c == u',') r.Virgule = true;
        if (c < u'0' || c > u'9') return {std::nullopt, false, r.Virgule};
        ++chiffres;
        if (apres >= 0 && ++apres > decimales) {
            if (c != u'0') r.Exces = true;
            if (apres == decimales + 1) arrondi = c >= u'5';
            continue;
        }
        v = v * 10 + (c.unicode() - u'0');
        if (v > CentimesMax) return {};
    }
    if (chiffres == 0) return {};
    for (int k = apres < 0 ? 0 : apres; k < decimales; ++k)
        v *= 10;
    if (arrondi) ++v;
    if (v > CentimesMax) return {};
    r.Valeur = static_cast<std::int64_t>(negatif ? -v : v);
    return r;
}

std::optional<std::int64_t> LecteurCommun::Nombre(int n, const char* terme, int decimales,
                                                  const char* regle) {
    if (n == ArbreXml::Aucun) return std::nullopt;
    const QString& t = m_a.noeud(n).Texte;
    if (t.isEmpty()) return std::nullopt;
    const NombreXml lu = LitNombreXml(t, decimales);
    if (!lu.Valeur) {
        Note("KF-NOMBRE", lu.Virgule
                              ? QStringLiteral("%1 : « %2 » s'écrit avec une virgule ; le XML "
                                               "demande un point décimal")
                                    .arg(QLatin1String(terme), t.left(40))
                              : QStringLiteral("%1 : « %2 » n'est pas un nombre")
                                    .arg(QLatin1String(terme), t.left(40)));
        return std::nullopt;
    }
    if (lu.Exces && regle)
        Note(regle, QStringLiteral("%1 : « %2 » a plus de deux décimales")
                        .arg(QLatin1String(terme), t.left(40)));
    return lu.Valeur;
}

std::optional<Centimes> LecteurCommun::Montant(int n, const char* terme, const char* regleDec) {
    return Nombre(n, terme, 2, regleDec ? regleDec : "KF-NOMBRE");
}

std::optional<std::int64_t> LecteurCommun::Precis(int n, const char* terme) {
    return Nombre(n, terme, 6, nullptr);
}

std::optional<std::int64_t> LecteurCommun::Taux(int n, const char* terme) {
    return Nombre(n, terme, 4, nullptr);
}

QDate LecteurCommun::Date(const QString& texte, const char* terme, bool iso) {
    if (texte.isEmpty()) return {};
    const QDate d =
        QDate::fromString(texte, iso ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyyMMdd"));
    if (!d.isValid())
        Note("KF-DATE", QStringLiteral("%1 : « %2 » n'est pas une date %3")
                            .arg(QLatin1String(terme), texte.left(40),
                                 iso ? QStringLiteral("AAAA-MM-JJ")
                                     : QStringLiteral("AAAAMMJJ (format 102)")));
    return d;
}

void LecteurCommun::Note(const char* regle, const QString& texte) {
    m_f.Lecture.push_back({regle, texte});
}

Profil ProfilDe(const QString& s) {
    const QString m = s.toLower();
    if (m.contains(QLatin1String("minimum"))) return Profil::Minimum;
    if (m.contains(QLatin1String("basicwl"))) return Profil::BasicWL;
    if (m.contains(QLatin1String("basic"))) return Profil::Basic;
    if (m.contains(QLatin1String("extended"))) return Profil::Extended;
    if (m.contains(QLatin1String("xrechnung"))) return Profil::XRechnung;
    if (m.contains(QLatin1String("peppol"))) return Profil::Peppol;
    if (m.startsWith(QLatin1String("urn:cen.eu:en16931:2017"))) return Profil::EN16931;
    return Profil::Inconnu;
}

bool CodeAvoir(const QString& c) {
    static const QStringList codes = {
        QStringLiteral("381"), QStringLiteral("261"), QStringLiteral("262"),
        QStringLiteral("296"), QStringLiteral("308"), QStringLiteral("396"),
        QStringLiteral("420"), QStringLiteral("458"), QStringLiteral("532")};
    return codes.contains(c);
}

} // namespace kyr
