#pragma once
// Checks of the fields an electronic invoice needs, each with the French
// message shown where the field is typed; an empty message means the field is
// right. Texts are 8-bit; blanks typed inside numbers are allowed and removed
// by Compacte before a value is kept.
#include <QString>
#include <string>
#include <string_view>

namespace kyr {

// Without blanks, letters a..z in capitals ("fr76 3000..." -> "FR763000...").
std::string Compacte(std::string_view s);

QString ControleSiren(std::string_view siren);
QString ControleSiret(std::string_view siret, std::string_view siren);
QString ControleIban(std::string_view iban);
QString ControleBic(std::string_view bic);
// A French number must carry its key and the SIREN; another country's is
// checked for its shape only. Empty is accepted here (the caller decides
// whether it is required).
QString ControleNumeroTVA(std::string_view numero, std::string_view siren);
// A business's directory address starts with its SIREN; a consumer's is an
// e-mail address.
QString ControleAdresseElectronique(std::string_view adresse, std::string_view siren,
                                    bool professionnel);
// A buyer's address: a consumer's e-mail; a French business's address in the
// directory (its SIREN first, "0225:" allowed before it); another business's
// Peppol identifier "scheme:identifier", which a Belgian buyer must have
// (scheme 0208, the enterprise number, checked for its key).
QString ControleAdresseAcheteur(std::string_view adresse, std::string_view siren,
                                bool professionnel, std::string_view pays);
// A Belgian enterprise number: 10 digits, the last two being 97 minus the
// first eight modulo 97.
bool NumeroEntrepriseBelge(std::string_view numero);
QString ControleCodePostal(std::string_view codePostal, std::string_view pays);
QString ControlePays(std::string_view pays);

// The SIREN key: digits in the Luhn sense (every second digit from the right
// doubled). La Poste's establishments use the sum of the digits instead.
bool CleLuhn(std::string_view chiffres);

} // namespace kyr
