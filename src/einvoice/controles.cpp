#include "einvoice/controles.h"

#include "common/texte.h"
#include "einvoice/codes.h"

#include <algorithm>

namespace kyr {

namespace {

bool Chiffres(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool Lettre(char c) {
    return c >= 'A' && c <= 'Z';
}
bool Alphanumerique(char c) {
    return Lettre(c) || (c >= '0' && c <= '9');
}
QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

std::string Compacte(std::string_view s) {
    std::string r;
    for (char c : s)
        if (c != ' ' && c != '\t') r += c;
    return Majuscules(r);
}

bool CleLuhn(std::string_view chiffres) {
    int somme = 0;
    bool double_ = false;
    for (auto it = chiffres.rbegin(); it != chiffres.rend(); ++it) {
        int d = *it - '0';
        if (double_) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        somme += d;
        double_ = !double_;
    }
    return somme % 10 == 0;
}

QString ControleSiren(std::string_view siren) {
    const std::string s = Compacte(siren);
    if (s.empty())
        return Q("Le SIREN est obligatoire : ses 9 chiffres figurent sur l'avis de "
                 "situation au répertoire SIRENE ou sur l'extrait Kbis.");
    if (s.size() != 9 || !Chiffres(s)) return Q("Un SIREN a exactement 9 chiffres.");
    if (!CleLuhn(s))
        return Q("Ce SIREN n'est pas valable : son dernier chiffre (la clé) ne "
                 "correspond pas aux autres. Vérifiez la saisie.");
    return {};
}

QString ControleSiret(std::string_view siret, std::string_view siren) {
    const std::string s = Compacte(siret);
    const std::string n = Compacte(siren);
    if (s.empty())
        return Q("Le SIRET est obligatoire : c'est le SIREN suivi des 5 chiffres de "
                 "l'établissement.");
    if (s.size() != 14 || !Chiffres(s)) return Q("Un SIRET a exactement 14 chiffres.");
    if (s.compare(0, 9, n) != 0) return Q("Le SIRET doit commencer par le SIREN.");
    // La Poste's establishments (SIREN 356000000) follow their own key.
    if (n == "356000000") {
        int somme = 0;
        for (char c : s)
            somme += c - '0';
        if (somme % 5 == 0) return {};
    } else if (CleLuhn(s)) {
        return {};
    }
    return Q("Ce SIRET n'est pas valable : sa clé ne correspond pas aux autres chiffres. "
             "Vérifiez la saisie.");
}

QString ControleIban(std::string_view iban) {
    const std::string s = Compacte(iban);
    if (s.size() < 15 || s.size() > 34 || !Lettre(s[0]) || !Lettre(s[1]) ||
        !std::all_of(s.begin(), s.end(), Alphanumerique))
        return Q("Un IBAN commence par deux lettres de pays et compte de 15 à 34 lettres et "
                 "chiffres (27 en France).");
    if (s.compare(0, 2, "FR") == 0 && s.size() != 27)
        return Q("Un IBAN français compte 27 caractères.");
    // ISO 13616: the first four characters moved to the end, letters as 10..35,
    // the whole number modulo 97 gives 1.
    const std::string r = s.substr(4) + s.substr(0, 4);
    int reste = 0;
    for (char c : r) {
        const int v = Lettre(c) ? c - 'A' + 10 : c - '0';
        reste = v >= 10 ? (reste * 100 + v) % 97 : (reste * 10 + v) % 97;
    }
    if (reste != 1)
        return Q("Cet IBAN n'est pas valable : ses chiffres de contrôle ne "
                 "correspondent pas. Vérifiez la saisie.");
    return {};
}

QString ControleBic(std::string_view bic) {
    const std::string s = Compacte(bic);
    const bool forme =
        (s.size() == 8 || s.size() == 11) &&
        std::all_of(s.begin(), s.begin() + std::min<std::size_t>(6, s.size()), Lettre) &&
        std::all_of(s.begin(), s.end(), Alphanumerique);
    if (!forme)
        return Q("Un BIC compte 8 ou 11 lettres et chiffres, les six premiers étant des "
                 "lettres (ex. : BNPAFRPP).");
    return {};
}

QString ControleNumeroTVA(std::string_view numero, std::string_view siren) {
    const std::string s = Compacte(numero);
    if (s.empty()) return {};
    if (s.size() < 4 || !Lettre(s[0]) || !Lettre(s[1]) || s.size() > 15 ||
        !std::all_of(s.begin(), s.end(), Alphanumerique))
        return Q("Un numéro de TVA intracommunautaire commence par les deux lettres du pays "
                 "(FR pour la France).");
    if (s.compare(0, 2, "FR") != 0) return {};
    const std::string cle = s.substr(2, 2), n = s.substr(4);
    if (s.size() != 13 || n.size() != 9 || !Chiffres(n))
        return Q("Un numéro de TVA français s'écrit FR, deux caractères de clé et le SIREN "
                 "(13 caractères).");
    const std::string sirenCompact = Compacte(siren);
    if (!sirenCompact.empty() && n != sirenCompact)
        return Q("Le numéro de TVA français doit se terminer par le SIREN.");
    if (Chiffres(cle)) {
        long long v = 0;
        for (char c : n)
            v = v * 10 + (c - '0');
        const int attendue = static_cast<int>((12 + 3 * (v % 97)) % 97);
        if (std::stoi(cle) != attendue)
            return Q("Ce numéro de TVA n'est pas valable : sa clé ne correspond pas au SIREN. "
                     "Vérifiez la saisie.");
    }
    return {};
}

QString ControleAdresseElectronique(std::string_view adresse, std::string_view siren,
                                    bool professionnel) {
    const std::string s = Trim(adresse);
    if (s.empty())
        return professionnel ? Q("L'adresse électronique de facturation est obligatoire : c'est "
                                 "en général le SIREN, inscrit à l'annuaire de la facturation "
                                 "électronique.")
                             : Q("L'adresse électronique est obligatoire : pour un particulier, "
                                 "son adresse e-mail.");
    if (s.size() > 125) return Q("L'adresse électronique ne peut dépasser 125 caractères.");
    if (professionnel) {
        const bool forme = std::all_of(s.begin(), s.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '+' || c == '-' || c == '_' || c == '.';
        });
        if (!forme)
            return Q("L'adresse électronique d'une entreprise ne contient que des lettres sans "
                     "accent, des chiffres et les signes + - _ . (pas d'espace).");
        const std::string n = Compacte(siren);
        if (!n.empty() && s.compare(0, n.size(), n) != 0)
            return Q("L'adresse électronique d'une entreprise commence par son SIREN.");
        return {};
    }
    const auto arobase = s.find('@');
    const bool forme =
        arobase != std::string::npos && arobase > 0 &&
        s.find('@', arobase + 1) == std::string::npos &&
        s.find('.', arobase) != std::string::npos && s.back() != '.' &&
        std::none_of(s.begin(), s.end(), [](char c) {
            return static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x80;
        });
    if (!forme) return Q("L'adresse e-mail doit avoir la forme nom@domaine.fr.");
    return {};
}

bool NumeroEntrepriseBelge(std::string_view numero) {
    if (numero.size() != 10 || !Chiffres(numero) || (numero[0] != '0' && numero[0] != '1'))
        return false;
    long long debut = 0;
    for (char c : numero.substr(0, 8))
        debut = debut * 10 + (c - '0');
    return 97 - debut % 97 == std::stoi(std::string(numero.substr(8)));
}

QString ControleAdresseAcheteur(std::string_view adresse, std::string_view siren,
                                bool professionnel, std::string_view pays) {
    if (!professionnel) return ControleAdresseElectronique(adresse, {}, false);
    const std::string p = Compacte(pays);
    const auto reseau = IdentifiantPeppol(adresse);
    if (!reseau) {
        if (p == "BE" && !Trim(adresse).empty())
            return Q("Un acheteur belge reçoit ses factures par le réseau Peppol : indiquez son "
                     "identifiant Peppol, 0208: suivi de son numéro d'entreprise à 10 chiffres "
                     "(par exemple 0208:0123456789).");
        if (p == "BE")
            return Q("L'adresse électronique est obligatoire : pour un acheteur belge, son "
                     "identifiant Peppol, 0208: suivi de son numéro d'entreprise à 10 chiffres "
                     "(par exemple 0208:0123456789).");
        return ControleAdresseElectronique(adresse, siren, true);
    }
    if (reseau->Schema == SchemaAnnuaire && p != "BE")
        return ControleAdresseElectronique(reseau->Identifiant, siren, true);
    if (!SchemaConnu(reseau->Schema))
        return Q("%1 n'est pas un code de réseau connu (les quatre chiffres avant « : ») ; "
                 "pour un numéro d'entreprise belge, c'est 0208.")
            .arg(QString::fromLatin1(reseau->Schema.c_str()));
    if (p == "FR")
        return Q("Un acheteur français reçoit ses factures par l'annuaire de la facturation "
                 "électronique : son adresse commence par son SIREN, sans code de réseau.");
    if (p == "BE" && reseau->Schema != "0208")
        return Q("Un acheteur belge est inscrit au réseau Peppol par son numéro d'entreprise : "
                 "0208: suivi de ses 10 chiffres.");
    const std::string& id = reseau->Identifiant;
    const bool forme =
        !id.empty() && id.size() <= 120 && std::all_of(id.begin(), id.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '-' || c == '_' || c == '.';
        });
    if (!forme)
        return Q("Après le code de réseau et « : », l'identifiant ne contient que des lettres "
                 "sans accent, des chiffres et les signes - _ . (pas d'espace).");
    if (reseau->Schema == "0208" && !NumeroEntrepriseBelge(id))
        return Q("Le numéro d'entreprise belge (après 0208:) a 10 chiffres, les deux derniers "
                 "étant sa clé ; celui-ci n'est pas valable. Vérifiez la saisie.");
    return {};
}

QString ControleCodePostal(std::string_view codePostal, std::string_view pays) {
    const std::string s = Trim(codePostal);
    if (s.empty()) return Q("Le code postal est obligatoire.");
    if (Compacte(pays) == "FR" && (s.size() != 5 || !Chiffres(s)))
        return Q("Un code postal français a 5 chiffres.");
    return {};
}

QString ControlePays(std::string_view pays) {
    const std::string s = Compacte(pays);
    if (s.size() != 2 || !Lettre(s[0]) || !Lettre(s[1]))
        return Q("Le pays s'écrit avec son code de deux lettres (FR pour la France).");
    return {};
}

} // namespace kyr
