#include "einvoice/montants.h"

#include "common/nombres.h"
#include "common/texte.h"

#include <cstdlib>

namespace kyr {

std::optional<std::int64_t> LitDecimal(std::string_view texte, int decimales) {
    const std::string s = Trim(texte);
    std::size_t i = 0;
    bool negatif = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negatif = s[i++] == '-';
    std::int64_t v = 0;
    int chiffres = 0, apres = -1; // apres: decimals read, -1 before the comma
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ',' && apres < 0) {
            apres = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (apres >= 0 && ++apres > decimales) {
            if (c != '0') return std::nullopt; // more decimals than the unit holds
            continue;
        }
        if (v > CentimesMax) return std::nullopt;
        v = v * 10 + (c - '0');
        ++chiffres;
    }
    if (chiffres == 0) return std::nullopt;
    for (int k = apres < 0 ? 0 : apres; k < decimales; ++k)
        v *= 10;
    if (v > CentimesMax) return std::nullopt;
    return negatif ? -v : v;
}

std::optional<Centimes> EnCentimes(long double v) {
    if (!(v > -1e16L && v < 1e16L)) return std::nullopt;
    return LitCentimes(FormatMontant(v));
}

std::int64_t DiviseArrondi(__int128 a, __int128 b) {
    const bool negatif = a < 0;
    const __int128 m = negatif ? -a : a;
    const __int128 q = (m + b / 2) / b; // half away from zero on the magnitude
    return static_cast<std::int64_t>(negatif ? -q : q);
}

std::string TexteDecimal(std::int64_t v, int decimales, char separateur) {
    const bool negatif = v < 0;
    std::string chiffres = std::to_string(negatif ? -v : v);
    if (decimales > 0) {
        if (chiffres.size() <= static_cast<std::size_t>(decimales))
            chiffres.insert(0, static_cast<std::size_t>(decimales) + 1 - chiffres.size(), '0');
        chiffres.insert(chiffres.size() - static_cast<std::size_t>(decimales), 1, separateur);
    }
    return negatif ? "-" + chiffres : chiffres;
}

std::string TexteDecimalCourt(std::int64_t v, int decimales) {
    std::string s = TexteDecimal(v, decimales);
    if (s.find('.') == std::string::npos) return s;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

} // namespace kyr
