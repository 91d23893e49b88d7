#include "comptabilite/fec.h"

#include <cstdio>

namespace kyr {

namespace {

// What ISO 8859-15 holds for each Windows-1252 byte from 0x80 on; nullptr
// where it is the same byte. The eight letters and the euro sign that
// ISO 8859-15 put in place of Latin-1 signs move to their places there; the
// signs it dropped, and the Windows-1252 punctuation it never had, become
// their plain forms.
const char* const Haut[128] = {
    // 0x80 - 0x8F: € (undefined) ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ (undefined) Ž (undefined)
    "\xA4", "?", ",", "f", "\"", "...", "+", "+", "^", "o/oo", "\xA6", "<", "\xBC", "?", "\xB4",
    "?",
    // 0x90 - 0x9F: (undefined) ‘ ’ “ ” • – — ˜ ™ š › œ (undefined) ž Ÿ
    "?", "'", "'", "\"", "\"", "-", "-", "-", "~", "TM", "\xA8", ">", "\xBD", "?", "\xB8", "\xBE",
    // 0xA0 - 0xAF: ¤ ¦ ¨ are not in ISO 8859-15
    nullptr, nullptr, nullptr, nullptr, "?", nullptr, "|", nullptr, "\"", nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr,
    // 0xB0 - 0xBF: ´ ¸ ¼ ½ ¾ neither
    nullptr, nullptr, nullptr, nullptr, "'", nullptr, nullptr, nullptr, ",", nullptr, nullptr,
    nullptr, "1/4", "1/2", "3/4", nullptr,
    // 0xC0 - 0xFF: the same letters
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr};

// The letters ISO 8859-15 has at other places than Windows-1252: they are
// moved, not replaced.
bool Deplace(unsigned char c) {
    switch (c) {
    case 0x80:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    }
    return false;
}

std::string Date(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd")).toStdString();
}

QString NomCaractere(unsigned char c) {
    if (c == '\t') return QStringLiteral("tabulation");
    if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
        char code[8];
        std::snprintf(code, sizeof code, "%02X", c);
        return QStringLiteral("octet %1 (sans caractère)").arg(QLatin1String(code));
    }
    return VersQString(std::string(1, static_cast<char>(c)));
}

} // namespace

QString NomFichierFEC(std::string_view siren, const QDate& cloture) {
    return VersQString(std::string(siren)) + QStringLiteral("FEC") +
           QString::fromStdString(Date(cloture)) + QStringLiteral(".txt");
}

std::string NumeroEcriture(const Ecriture& e) {
    std::string n = std::to_string(e.Numero);
    if (n.size() < 6) n.insert(0, 6 - n.size(), '0');
    return e.Journal.Code + n;
}

std::string Vers885915(std::string_view octets, std::array<int, 256>& remplaces) {
    std::string r;
    r.reserve(octets.size());
    for (const char o : octets) {
        const auto c = static_cast<unsigned char>(o);
        if (c < 0x20 || c == 0x7F) {
            r += ' ';
            ++remplaces[c];
        } else if (c < 0x80) {
            r += o;
        } else if (const char* h = Haut[c - 0x80]) {
            r += h;
            if (!Deplace(c)) ++remplaces[c];
        } else {
            r += o;
        }
    }
    return r;
}

TexteFEC FaitFEC(const std::vector<Ecriture>& ecritures) {
    TexteFEC t;
    std::array<int, 256> remplaces{};
    const auto texte = [&remplaces](const std::string& s) { return Vers885915(s, remplaces); };
    t.Octets.append(NomsChampsFEC).append("\r\n");
    for (const Ecriture& e : ecritures) {
        // The fields of the entry, the same on each of its lines, converted
        // once: what they replace counts once a line.
        std::array<int, 256> commun{};
        const auto une = [&commun](const std::string& s) { return Vers885915(s, commun); };
        const std::string journal = une(e.Journal.Code) + "\t" + une(e.Journal.Libelle) + "\t" +
                                    une(NumeroEcriture(e)) + "\t" + Date(e.Date) + "\t";
        const std::string piece = une(e.Piece) + "\t" + Date(e.Date) + "\t" + une(e.Libelle);
        for (int c = 0; c < 256; ++c)
            remplaces[static_cast<std::size_t>(c)] +=
                commun[static_cast<std::size_t>(c)] * static_cast<int>(e.Lignes.size());
        for (const LigneEcriture& l : e.Lignes) {
            t.Octets += journal;
            t.Octets += texte(l.CompteGeneral.Numero) + "\t" + texte(l.CompteGeneral.Libelle) +
                        "\t" + texte(l.CompAuxNum) + "\t" + texte(l.CompAuxLib) + "\t";
            t.Octets += piece + "\t" + TexteCentimes(l.Debit) + "\t" + TexteCentimes(l.Credit);
            // No lettering, validated on the document's date, in euros.
            t.Octets += "\t\t\t" + Date(e.Date) + "\t\t\r\n";
            ++t.NbLignes;
        }
    }
    for (int c = 0; c < 256; ++c)
        if (remplaces[c] > 0) {
            const auto o = static_cast<unsigned char>(c);
            const std::string par =
                o < 0x20 || o == 0x7F ? std::string(" ") : std::string(Haut[o - 0x80]);
            t.Remplacements.push_back({NomCaractere(o), par, remplaces[c]});
        }
    return t;
}

} // namespace kyr
