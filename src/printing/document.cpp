#include "printing/document.h"

#include "common/plateforme.h"
#include "common/texte.h"

#include <algorithm>
#include <optional>

namespace kyr {

namespace {

const Police Normal10{"Arial", 10, false};
const Police Gras10{"Arial", 10, true};
const Police Normal12{"Arial", 12, false};
const Police Gras12{"Arial", 12, true};
const Police Gras14{"Arial", 14, true};
const Police Gras8{"Arial", 8, true};

constexpr int YPremiereRangee = 105;
constexpr int PasRangee = 5;
constexpr int YDernierMemo = 215;

std::string TexteDate(const Fiche& f) {
    if (f.Date.isValid()) return f.Date.toString(QStringLiteral("dd/MM/yyyy")).toStdString();
    return f.DateIllisible.value_or(std::string());
}

std::string GenreNumero(const Fiche& f) {
    return f.Genre + " N\xB0 " + f.Numero;
}

bool RangeeVide(const Rangee& r) {
    return std::all_of(r.begin(), r.end(), [](const std::string& c) { return c.empty(); });
}

void DessineRangee(Surface& s, const Rangee& r, int y) {
    TexteEn(s, 22, y, r[0]);
    TexteADroite(s, 124, y, Trim(r[1]));
    TexteADroite(s, 149, y, Trim(r[2]));
    TexteADroite(s, 159, y, Trim(r[3]));
    TexteADroite(s, 184, y, Trim(r[4]));
    TexteEn(s, 186, y, r[5]);
}

// One page: the frame and headings, the company heading, then the data.
void DessinePage(Surface& s, const Fiche& f, const LignesSociete& societe, int typePapier,
                 const PageDocument& page, int numero, int nbPages) {
    if (typePapier == PapierBlanc || typePapier == PapierEnTete) Dessin(s, f.TTC, page.Derniere);
    if (typePapier == PapierBlanc) EnTete(s, societe);

    if (numero == 1) {
        s.ChoisitPolice(Gras10);
        for (int i = 0; i < 4; ++i)
            TexteEn(s, 116, 60 + 5 * i, f.Adresse[i]);
        s.ChoisitPolice(Gras12);
        TexteEn(s, 116, 84, "Date " + TexteDate(f));
        TexteEn(s, 20, 79, "N\xB0 client : " + f.CodeClient);
        TexteEn(s, 20, 84, GenreNumero(f));
    } else {
        s.ChoisitPolice(Gras12);
        TexteEn(s, 116, 84, "Date " + TexteDate(f));
        TexteEn(s, 20, 79, "N\xB0 client : " + f.CodeClient);
        TexteEn(s, 20, 84, GenreNumero(f) + " (suite)");
    }
    if (page.Derniere) {
        s.ChoisitPolice(Normal10);
        TexteEn(s, 20, 273, "R\xE9glement : " + f.Conditions);
        s.ChoisitPolice(Normal12);
        TexteADroite(s, 104, 248, f.TotalHT);
        TexteADroite(s, 104, 261, f.TotalTVA);
        s.ChoisitPolice(Gras12);
        TexteADroite(s, 189, 248, f.TotalTTC + " " + f.Devise1);
        TexteADroite(s, 189, 261, f.TotalConverti + " " + f.Devise2);
    }

    s.ChoisitPolice(Normal10);
    int y = YPremiereRangee;
    for (int r : page.Rangees) {
        DessineRangee(s, f.Cellules[r], y);
        y += PasRangee;
    }
    if (!page.LignesMemo.empty()) {
        // On the last page the memo ends at 215; on an earlier one (a memo too
        // long for the last page) it follows the rows.
        if (page.Derniere) y = YDernierMemo + PasRangee - PasRangee * int(page.LignesMemo.size());
        for (int m : page.LignesMemo) {
            TexteEn(s, 22, y, f.Memo[m]);
            y += PasRangee;
        }
    }
    if (nbPages > 1) {
        if (!page.Derniere) TexteEn(s, 20, 273, "Suite \xE0 la page " + std::to_string(numero + 1));
        TexteADroite(s, 190, 273, "Page " + std::to_string(numero) + "/" + std::to_string(nbPages));
    }
}

} // namespace

int Mh(const Surface& s, int x) {
    const int mm = std::max(1, s.LargeurMm());
    return x * (s.LargeurPixels() / mm);
}

int Mv(const Surface& s, int y) {
    const int mm = std::max(1, s.HauteurMm());
    return (y + 3) * (s.HauteurPixels() / mm);
}

void TexteEn(Surface& s, int x, int y, const std::string& texte) {
    if (texte.empty()) return;
    s.Texte(Mh(s, x), Mv(s, y), texte);
}

void TexteADroite(Surface& s, int x, int y, const std::string& texte) {
    if (texte.empty()) return;
    s.Texte(Mh(s, x) - s.LargeurTexte(texte), Mv(s, y), texte);
}

int EpaisseurCadre(const Surface& s) {
    const int parMm = s.LargeurPixels() / std::max(1, s.LargeurMm());
    return std::max(2, parMm / 6);
}

std::vector<PageDocument> DecoupePages(const Fiche& fiche, int nbLignes) {
    int derniere = std::clamp(nbLignes, 0, DerniereRangee);
    while (derniere > 0 && RangeeVide(fiche.Cellules[derniere]))
        --derniere;
    const int nbMemo = static_cast<int>(fiche.Memo.size());
    const int capaciteDerniere = nbMemo > 0 ? RangeesAvecMemo : RangeesParPage;

    std::vector<PageDocument> pages;
    int rangee = 1, memo = 0; // the next row and memo line to place
    const auto restent = [&] { return (derniere - rangee + 1) + (nbMemo - memo); };
    while (restent() > capaciteDerniere) {
        PageDocument p;
        const int rangees = derniere - rangee + 1;
        if (rangees > 0) {
            // A full table. Rows that fill less than a table stay together
            // here: it is the memo that does not fit beside them, and it goes
            // on with the totals rather than taking a stray row along.
            const int n = std::min(RangeesParPage, rangees);
            for (int i = 0; i < n; ++i)
                p.Rangees.push_back(rangee++);
        } else {
            // A memo longer than the last page holds (only by pasting):
            // its first lines go on pages of their own.
            const int n = std::min(RangeesParPage, nbMemo - memo - capaciteDerniere);
            for (int i = 0; i < n; ++i)
                p.LignesMemo.push_back(memo++);
        }
        pages.push_back(std::move(p));
    }
    PageDocument fin;
    fin.Derniere = true;
    while (rangee <= derniere)
        fin.Rangees.push_back(rangee++);
    while (memo < nbMemo)
        fin.LignesMemo.push_back(memo++);
    pages.push_back(std::move(fin));
    return pages;
}

void Dessin(Surface& s, bool ttc, bool bandeTotaux) {
    s.EpaisseurTrait(EpaisseurCadre(s));
    const int bas = bandeTotaux ? 270 : 245;
    s.Rectangle(Mh(s, 20), Mv(s, 90), Mh(s, 190), Mv(s, bas));
    const auto ligne = [&s](int x1, int y1, int x2, int y2) {
        s.Ligne(Mh(s, x1), Mv(s, y1), Mh(s, x2), Mv(s, y2));
    };
    ligne(20, 100, 190, 100);
    if (bandeTotaux) ligne(20, 245, 190, 245);
    for (int x : {115, 125, 150, 160, 185})
        ligne(x, 90, x, 245);
    if (bandeTotaux) {
        ligne(140, 245, 140, 270);
        ligne(140, 257, 190, 257);
        ligne(105, 245, 105, 270);
        ligne(75, 245, 75, 270);
        ligne(75, 257, 105, 257);
    }
    s.ChoisitPolice(Gras10);
    TexteEn(s, 22, 92, "D\xE9signation");
    TexteEn(s, 116, 92, "Qt\xE9");
    TexteEn(s, 126, 92, "Prix Unitaire");
    TexteEn(s, 151, 92, "R (%)");
    TexteEn(s, 161, 92, ttc ? "Montant TTC" : "Montant H.T.");
    TexteEn(s, 186, 92, "T");
    if (bandeTotaux) {
        TexteEn(s, 50, 248, "Total H.T.");
        TexteEn(s, 50, 261, "Total TVA");
        s.ChoisitPolice(Gras12);
        TexteEn(s, 108, 255, "Total TTC");
    }
    s.ChoisitPolice(Normal10);
}

void EnTete(Surface& s, const LignesSociete& societe) {
    const Police polices[7] = {Gras14, Gras10, Gras10, Gras10, Gras10, Gras8, Gras8};
    for (int i = 0; i < 7; ++i) {
        s.ChoisitPolice(polices[i]);
        TexteEn(s, 20, 5 * i, societe[i]);
    }
    s.ChoisitPolice(Normal10);
}

void DessineDocument(Surface& s, const Fiche& fiche, int nbLignes, const LignesSociete& societe,
                     int typePapier, const ComplementsPage& complements) {
    const std::vector<PageDocument> pages = DecoupePages(fiche, nbLignes);
    const int n = static_cast<int>(pages.size());
    for (int k = 0; k < n; ++k) {
        if (k > 0) s.NouvellePage();
        DessinePage(s, fiche, societe, typePapier, pages[k], k + 1, n);
        DessineComplements(s, complements, k == 0, k == n - 1);
    }
}

void ImprimeDocument(Imprimante& imprimante, const Fiche& fiche, int nbLignes,
                     const LignesSociete& societe, int typePapier,
                     const ComplementsPage& complements) {
    imprimante.Oriente(Orientation::Portrait);
    Surface& s = imprimante.DebutTravail();
    DessineDocument(s, fiche, nbLignes, societe, typePapier, complements);
    imprimante.FinTravail();
}

void DessineEnveloppe(Surface& s, const LignesSociete& societe,
                      const std::array<std::string, 4>& adresse, int decalage) {
    s.ChoisitPolice(Normal10);
    for (int i = 0; i < 4; ++i)
        TexteEn(s, 5, decalage + 5 + 5 * i, societe[i]);
    for (int i = 0; i < 4; ++i)
        TexteEn(s, 110, decalage + 50 + 5 * i, adresse[i]);
}

void ImprimeEnveloppe(Imprimante& imprimante, const LignesSociete& societe,
                      const std::array<std::string, 4>& adresse, int orientation, int decalage,
                      FormatEnveloppe format) {
    const std::optional<DimensionsMm> papier = Dimensions(format);
    // The recipient stands 110 mm from the left edge: only the long side of
    // an envelope holds it.
    imprimante.Oriente(papier || orientation == 1 ? Orientation::Paysage : Orientation::Portrait);
    if (papier) imprimante.Papier(papier->Largeur, papier->Hauteur);
    const auto retour = [&] {
        if (papier) imprimante.Papier(0, 0);
        imprimante.Oriente(Orientation::Portrait);
    };
    try {
        Surface& s = imprimante.DebutTravail();
        DessineEnveloppe(s, societe, adresse, papier ? 0 : decalage);
        imprimante.FinTravail();
    } catch (...) {
        retour();
        throw;
    }
    retour();
}

void ImpEnv(Plateforme& plateforme, Imprimante& imprimante, const LignesSociete& societe,
            const std::array<std::string, 4>& adresse, int orientation, int decalage,
            FormatEnveloppe format) {
    plateforme.Message(QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    ImprimeEnveloppe(imprimante, societe, adresse, orientation, decalage, format);
}

std::string NomPdfPropose(const Fiche& fiche) {
    const std::string genre = Trim(fiche.Genre);
    const std::string numero = Trim(fiche.Numero);
    std::string nom = genre.empty() ? std::string("Document") : genre;
    if (!numero.empty()) nom += " " + numero;
    // Characters a file name cannot hold.
    for (char& c : nom)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            c = '_';
    return nom + ".pdf";
}

} // namespace kyr
