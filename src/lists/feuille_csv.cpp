#include "lists/feuille_csv.h"

#include "common/texte.h"

namespace kyr {

namespace {

QString Cite(QString s) {
    if (!s.contains(QLatin1Char(';')) && !s.contains(QLatin1Char('"')) &&
        !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
        return s;
    s.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace

QString ChampTexteCSV(const std::string& octets) {
    QString s = VersQString(octets);
    if (!s.isEmpty() && QStringLiteral("=+-@").contains(s.front())) s.prepend(QLatin1Char('\''));
    return s;
}

void FeuilleCSV::Ligne(const QStringList& champs) {
    QStringList cites;
    for (const auto& c : champs)
        cites << Cite(c);
    m_texte += cites.join(QLatin1Char(';')) + QLatin1String("\r\n");
}

std::string FeuilleCSV::Octets() const {
    const QByteArray utf8 = m_texte.toUtf8();
    return "\xEF\xBB\xBF" + std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace kyr
