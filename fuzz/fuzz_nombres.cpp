// The number and date readers and writers, and the 6-byte real against long
// double. Invariants: a number text formatted and read back gives the same
// value (the formats are fixed points); the settings' real text gives back the
// exact 6-byte value; a date read, written and read again is the same date;
// the sum, difference, product and quotient of two 6-byte reals are the long
// double results rounded once.
#include "common/dates.h"
#include "common/nombres.h"
#include "common/reel6.h"
#include "essaie.h"

#include <QDate>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace kyr;
using fuzz::Essaie;

namespace {

void Nombre(std::string_view texte) {
    const auto v = LitNombre(texte);
    Essaie([&] { StrToFloat(texte); });
    Essaie([&] { StrToInt(texte); });
    LitEntier(texte);
    if (!v || !std::isfinite(*v)) return;
    const std::string g = FormatGeneral(*v);
    const auto g2 = LitNombre(g);
    if (!g2 || FormatGeneral(*g2) != g) std::abort();
    if (std::fabs(*v) < 1e15L) {
        const std::string m = FormatMontant(*v);
        const auto m2 = LitNombre(m);
        if (!m2 || FormatMontant(*m2) != m) std::abort();
    }
    Essaie([&] {
        const Reel6 r(*v);
        const auto relu = LitReelIni(TexteReelIni(r));
        if (!relu || Reel6(*relu).valeur() != r.valeur()) std::abort();
    });
}

void Date(std::string_view texte) {
    Essaie([&] {
        const QDate d = LitDate(texte);
        if (d.isValid() && LitDate(FormatDate(d)) != d) std::abort();
    });
}

void Reels(const std::uint8_t* data) {
    std::array<std::uint8_t, 6> oa{}, ob{};
    std::memcpy(oa.data(), data, 6);
    std::memcpy(ob.data(), data + 6, 6);
    const Reel6 a = Reel6::depuisOctets(oa), b = Reel6::depuisOctets(ob);
    if (Reel6::depuisOctets(a.octets()).valeur() != a.valeur()) std::abort();
    const long double x = a.valeur(), y = b.valeur();
    const auto compare = [](auto&& r6, long double ld) {
        bool deborde = false;
        long double attendu = 0;
        try {
            attendu = Reel6(ld).valeur();
        } catch (const ErreurExecution&) {
            deborde = true;
        }
        try {
            const long double obtenu = r6().valeur();
            if (deborde || obtenu != attendu) std::abort();
        } catch (const ErreurExecution&) {
            if (!deborde) std::abort();
        }
    };
    compare([&] { return a + b; }, x + y);
    compare([&] { return a - b; }, x - y);
    compare([&] { return a * b; }, x * y);
    if (y != 0)
        compare([&] { return a / b; }, x / y);
    else
        Essaie([&] { (void)(a / b); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    Nombre(texte);
    Date(texte);
    if (size >= 12) Reels(data);
    return 0;
}
