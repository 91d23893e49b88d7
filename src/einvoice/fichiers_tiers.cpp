#include "einvoice/fichiers_tiers.h"

#include "common/texte.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace kyr {

namespace {

// A value on one line: a line end or another control character typed or
// pasted into a field would break the file, so it becomes a blank.
std::string UneLigne(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (static_cast<unsigned char>(c) < ' ') c = ' ';
    return r;
}

std::string Ligne(const char* cle, std::string_view valeur) {
    return std::string(cle) + "=" + UneLigne(valeur);
}

// The fields of each record, by key, to read and write alike.
template <class T> using Champs = std::vector<std::pair<const char*, std::string T::*>>;

const Champs<Vendeur> ChampsVendeur = {
    {"siren", &Vendeur::Siren},
    {"siret", &Vendeur::Siret},
    {"tva", &Vendeur::NumeroTVA},
    {"rue", &Vendeur::Rue},
    {"code_postal", &Vendeur::CodePostal},
    {"ville", &Vendeur::Ville},
    {"pays", &Vendeur::Pays},
    {"adresse_electronique", &Vendeur::AdresseElectronique},
    {"penalites", &Vendeur::NotePenalites},
    {"indemnite", &Vendeur::NoteIndemnite},
    {"escompte", &Vendeur::NoteEscompte},
    {"iban", &Vendeur::Iban},
    {"bic", &Vendeur::Bic},
};

const Champs<Acheteur> ChampsAcheteur = {
    {"nom", &Acheteur::Nom},
    {"rue", &Acheteur::Rue},
    {"code_postal", &Acheteur::CodePostal},
    {"ville", &Acheteur::Ville},
    {"pays", &Acheteur::Pays},
    {"siren", &Acheteur::Siren},
    {"tva", &Acheteur::NumeroTVA},
    {"adresse_electronique", &Acheteur::AdresseElectronique},
};

const char* const Cadres[] = {"biens", "services", "mixte"};

const Champs<AdresseLivraison> ChampsLivraison = {
    {"livraison_nom", &AdresseLivraison::Nom},
    {"livraison_rue", &AdresseLivraison::Rue},
    {"livraison_code_postal", &AdresseLivraison::CodePostal},
    {"livraison_ville", &AdresseLivraison::Ville},
    {"livraison_pays", &AdresseLivraison::Pays},
};

std::optional<Cadre> LitCadre(std::string_view valeur) {
    for (int k = 0; k < 3; ++k)
        if (valeur == Cadres[k]) return static_cast<Cadre>(k);
    return std::nullopt;
}

// "[...]": the name between the brackets; nullopt for any other line.
std::optional<std::string> Section(const std::string& ligne) {
    const std::string t = Trim(ligne);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    return t.substr(1, t.size() - 2);
}

template <class T>
bool Affecte(T& t, const Champs<T>& champs, std::string_view cle, std::string_view valeur) {
    for (const auto& [nom, membre] : champs)
        if (cle == nom) {
            t.*membre = std::string(valeur);
            return true;
        }
    return false;
}

// Each "key=value" line in turn; other lines are passed over.
void PourChaqueLigne(const Lignes& lignes,
                     const std::function<void(std::string_view, std::string_view)>& valeur) {
    for (const auto& l : lignes) {
        const auto egal = l.find('=');
        if (egal != std::string::npos)
            valeur(std::string_view(l).substr(0, egal), std::string_view(l).substr(egal + 1));
    }
}

} // namespace

bool ChargeVendeur(Vendeur& v, const QString& chemin) {
    const auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    LitVendeur(v, *lignes);
    return true;
}

void LitVendeur(Vendeur& v, const Lignes& lignes) {
    PourChaqueLigne(lignes, [&v](std::string_view cle, std::string_view valeur) {
        if (Affecte(v, ChampsVendeur, cle, valeur)) return;
        if (cle == "franchise") v.Franchise = valeur == "1";
        if (cle == "debits") v.OptionDebits = valeur == "1";
        if (cle == "format")
            if (const auto f = FormatDeCle(valeur)) v.Format = *f;
        if (cle == "cadre")
            if (const auto c = LitCadre(valeur)) v.CadreFacturation = *c;
    });
}

void SauveVendeur(const Vendeur& v, const QString& chemin) {
    EcritFichier(chemin, LignesVendeur(v));
}

Lignes LignesVendeur(const Vendeur& v) {
    Lignes l;
    for (const auto& [nom, membre] : ChampsVendeur)
        l.push_back(Ligne(nom, v.*membre));
    l.push_back(Ligne("cadre", Cadres[static_cast<int>(v.CadreFacturation)]));
    l.push_back(Ligne("franchise", v.Franchise ? "1" : "0"));
    // Written only when chosen: the files of sellers without the option keep
    // their lines as they were.
    if (v.OptionDebits) l.push_back(Ligne("debits", "1"));
    // Factur-X, the first format, needs no line: so files of sellers who never
    // chose another keep their lines as they were.
    if (v.Format != FormatFE::FacturX) l.push_back(Ligne("format", CleFormat(v.Format)));
    return l;
}

bool ChargeAcheteurs(Acheteurs& a, const QString& chemin) {
    const auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    LitAcheteurs(a, *lignes);
    return true;
}

void LitAcheteurs(Acheteurs& a, const Lignes& lignes) {
    Acheteur* courant = nullptr; // lines before the first "[code]" belong to no one
    for (const auto& l : lignes) {
        // "[code]" opens a client, an "=" in the code included; "[]" names
        // no client: what follows it belongs to no one.
        if (const auto code = Section(l)) {
            courant = code->empty() ? nullptr : &a[*code];
            if (courant) *courant = Acheteur{};
            continue;
        }
        const auto egal = l.find('=');
        if (!courant || egal == std::string::npos) continue;
        const std::string_view cle = std::string_view(l).substr(0, egal);
        const std::string_view valeur = std::string_view(l).substr(egal + 1);
        if (Affecte(*courant, ChampsAcheteur, cle, valeur)) continue;
        if (cle == "professionnel") courant->Professionnel = valeur != "0";
    }
}

void SauveAcheteurs(const Acheteurs& a, const QString& chemin) {
    EcritFichier(chemin, LignesAcheteurs(a));
}

Lignes LignesAcheteurs(const Acheteurs& a) {
    // Control characters become blanks in the file: the clients go in the
    // order of their codes as written, and a code that would read as one
    // already written, or as none, is not written, so that the file reads
    // back as it was written.
    std::map<std::string, const Acheteur*> parNom;
    for (const auto& [code, acheteur] : a)
        if (std::string nom = UneLigne(code); !nom.empty())
            parNom.emplace(std::move(nom), &acheteur);
    Lignes l;
    for (const auto& [nom, acheteur] : parNom) {
        l.push_back("[" + nom + "]");
        l.push_back(Ligne("professionnel", acheteur->Professionnel ? "1" : "0"));
        for (const auto& [champ, membre] : ChampsAcheteur)
            l.push_back(Ligne(champ, acheteur->*membre));
    }
    return l;
}

QString CheminDonneesDocuments(const QString& livre) {
    if (livre.isEmpty()) return {};
    const QFileInfo f(livre);
    return f.dir().filePath(f.completeBaseName() + QStringLiteral(".fxd"));
}

std::string CleDocument(const Fiche& f) {
    const std::string genre = Trim(f.Genre);
    const std::string numero = Trim(f.Numero);
    if (numero.empty()) return {};
    if (genre == GenreFacture || genre.empty()) return "F " + numero;
    if (genre == Trim(GenreAvoir)) return "A " + numero;
    return {};
}

bool ChargeDonneesDocuments(DonneesDocuments& d, const QString& chemin) {
    const auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    LitDonneesDocuments(d, *lignes);
    return true;
}

void SauveDonneesDocuments(const DonneesDocuments& d, const QString& chemin) {
    EcritFichier(chemin, LignesDonneesDocuments(d));
}

void LitDonneesDocuments(DonneesDocuments& d, const Lignes& lignes) {
    DonneesDocument* courant = nullptr; // lines before the first "[...]" belong to none
    for (const auto& l : lignes) {
        if (const auto cle = Section(l)) {
            courant = cle->empty() ? nullptr : &d[*cle];
            if (courant) *courant = DonneesDocument{};
            continue;
        }
        const auto egal = l.find('=');
        if (!courant || egal == std::string::npos) continue;
        const std::string_view cle = std::string_view(l).substr(0, egal);
        const std::string_view valeur = std::string_view(l).substr(egal + 1);
        if (cle == "nature") {
            courant->Nature = LitCadre(valeur);
            continue;
        }
        AdresseLivraison lieu = courant->Livraison.value_or(AdresseLivraison{});
        if (Affecte(lieu, ChampsLivraison, cle, valeur)) courant->Livraison = lieu;
    }
}

Lignes LignesDonneesDocuments(const DonneesDocuments& d) {
    Lignes l;
    for (const auto& [cle, donnees] : d) {
        const std::string nom = UneLigne(cle);
        if (Trim(nom).empty() || (!donnees.Nature && !donnees.Livraison)) continue;
        l.push_back("[" + nom + "]");
        if (donnees.Nature) l.push_back(Ligne("nature", Cadres[static_cast<int>(*donnees.Nature)]));
        if (donnees.Livraison)
            for (const auto& [champ, membre] : ChampsLivraison)
                l.push_back(Ligne(champ, (*donnees.Livraison).*membre));
    }
    return l;
}

} // namespace kyr
