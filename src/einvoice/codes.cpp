#include "einvoice/codes.h"

#include "common/texte.h"
#include "einvoice/controles.h"

#include <algorithm>
#include <array>

namespace kyr {

namespace {

// The electronic address schemes (EAS) of the rules, the numeric ones.
constexpr std::array<std::string_view, 99> Schemas = {
    "0002", "0007", "0009", "0037", "0060", "0088", "0096", "0097", "0106", "0130", "0135",
    "0142", "0147", "0151", "0154", "0158", "0170", "0177", "0183", "0184", "0188", "0190",
    "0191", "0192", "0193", "0194", "0195", "0196", "0198", "0199", "0200", "0201", "0202",
    "0203", "0204", "0205", "0208", "0209", "0210", "0211", "0212", "0213", "0215", "0216",
    "0217", "0218", "0219", "0220", "0221", "0225", "0230", "0235", "0240", "0244", "0242",
    "0245", "0246", "0248", "9910", "9913", "9914", "9915", "9918", "9919", "9920", "9922",
    "9923", "9924", "9925", "9926", "9927", "9928", "9929", "9930", "9931", "9932", "9933",
    "9934", "9935", "9936", "9937", "9938", "9939", "9940", "9941", "9942", "9943", "9944",
    "9945", "9946", "9947", "9948", "9949", "9950", "9951", "9952", "9953", "9957", "9959"};

bool Chiffres(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

const char* CodeCategorie(Categorie c) {
    switch (c) {
    case Categorie::Nulle:
        return "Z";
    case Categorie::Exoneree:
        return "E";
    case Categorie::Normale:
        break;
    }
    return "S";
}

std::string CodeCadre(Cadre c, bool payee) {
    const char* lettre = c == Cadre::Biens ? "B" : c == Cadre::Services ? "S" : "M";
    return std::string(lettre) + (payee ? "2" : "1");
}

std::string CodeTraitement(const Acheteur& a) {
    const bool france = Compacte(a.Pays) == "FR";
    return std::string(a.Professionnel ? "B2B" : "B2C") + (france ? "" : "INT");
}

bool SchemaConnu(std::string_view schema) {
    return std::find(Schemas.begin(), Schemas.end(), schema) != Schemas.end();
}

std::optional<IdentifiantReseau> IdentifiantPeppol(std::string_view adresse) {
    const std::string s = Trim(adresse);
    if (s.size() < 6 || s[4] != ':' || !Chiffres(std::string_view(s).substr(0, 4)))
        return std::nullopt;
    return IdentifiantReseau{s.substr(0, 4), Trim(std::string_view(s).substr(5))};
}

IdentifiantReseau AdresseAcheteur(const Acheteur& a) {
    if (!a.Professionnel) return {"EM", Trim(a.AdresseElectronique)};
    if (auto reseau = IdentifiantPeppol(a.AdresseElectronique)) return *reseau;
    return {SchemaAnnuaire, Trim(a.AdresseElectronique)};
}

bool ProfilPeppol(const FactureElectronique& fe) {
    const auto reseau = IdentifiantPeppol(fe.Ach.AdresseElectronique);
    return fe.Ach.Professionnel && reseau && reseau->Schema != SchemaAnnuaire;
}

} // namespace kyr
