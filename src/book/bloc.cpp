#include "book/bloc.h"

#include "common/dates.h"

#include <algorithm>

namespace kyr {

namespace {

constexpr char Tab = '\t';

char Majuscule(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A line break inside a field would split the stored line in two, and a TAB
// inside a grid cell would shift the cells after it: both become blanks.
std::string SansCoupure(std::string s, bool tabs) {
    for (char& c : s)
        if (c == '\r' || c == '\n' || (tabs && c == Tab)) c = ' ';
    return s;
}

// A header line is positional: a text that reads as a start or end line, or as
// a number line, would be taken for one by every reader of the book. Such a
// text is stored behind one blank, which keeps it readable and harmless.
std::string LigneEnTete(const std::string& texte) {
    std::string s = SansCoupure(texte, false);
    const std::string debut = Majuscules(Debut(s, 6));
    const bool bloc = debut.rfind("<BLOC", 0) == 0 || debut.rfind("</BLOC", 0) == 0;
    const bool numero =
        s.size() >= 4 && s.compare(0, 3, "NUM") == 0 && (s[3] == 'F' || s[3] == 'D' || s[3] == 'A');
    return bloc || numero ? " " + s : s;
}

// A FACT line is read back from the first 255 characters after its key. A
// longer one keeps its numbers by dropping the blanks that only align them
// (readers trim them, the next calculation puts them back) and, if it is still
// too long, by shortening the designation rather than losing the cells after it.
std::string LigneFact(const Rangee& c) {
    std::array<std::string, NbColonnes> t;
    std::size_t taille = NbColonnes - 1;
    for (int k = 0; k < NbColonnes; ++k) {
        t[k] = SansCoupure(c[k], true);
        taille += t[k].size();
    }
    if (taille > 255) {
        taille = NbColonnes - 1 + t[0].size();
        for (int k = 1; k < NbColonnes; ++k) {
            t[k] = Trim(t[k]);
            taille += t[k].size();
        }
        if (taille > 255) t[0].resize(t[0].size() - std::min(t[0].size(), taille - 255));
    }
    std::string l = "FACT" + t[0];
    for (int k = 1; k < NbColonnes; ++k)
        l += Tab + t[k];
    return l;
}

} // namespace

std::string NumeroBloc(int n) {
    const std::string t = "000" + std::to_string(n);
    return t.substr(t.size() - 4);
}

std::string LigneDebut(int n) {
    return "<BLOC" + NumeroBloc(n) + ">";
}
std::string LigneFin(int n) {
    return "</BLOC" + NumeroBloc(n) + ">";
}

bool CommenceDebut(std::string_view ligne) {
    return CommencePar(ligne, "<BLOC");
}
bool CommenceFin(std::string_view ligne) {
    return CommencePar(ligne, "</BLOC");
}

bool CommenceDebutSansCasse(std::string_view ligne) {
    // Every line of a block is asked: the '<' first, which has no case.
    return ligne.size() >= 5 && ligne[0] == '<' && EgalSansCasse(ligne.substr(0, 5), "<BLOC");
}

int CompteFiches(const Lignes& livre) {
    return static_cast<int>(std::count_if(livre.begin(), livre.end(),
                                          [](const std::string& l) { return CommenceDebut(l); }));
}

int NumeroDebut(std::string_view l) {
    if (l.size() != 10 || l[0] != '<' || l[9] != '>' || !EgalSansCasse(l.substr(1, 4), "BLOC"))
        return -1;
    int n = 0;
    for (std::size_t i = 5; i < 9; ++i) {
        if (l[i] < '0' || l[i] > '9') return -1;
        n = n * 10 + (l[i] - '0');
    }
    return n;
}

int ChercheDebut(const Lignes& livre, int n) {
    const std::string cible = LigneDebut(n);
    for (std::size_t i = 0; i < livre.size(); ++i) {
        const std::string& l = livre[i];
        // Length and number first: this runs over the whole book on every move.
        if (l.size() != cible.size() || l[9] != '>' || l[0] != '<' ||
            l.compare(5, 4, cible, 5, 4) != 0)
            continue;
        if (Majuscule(l[1]) == 'B' && Majuscule(l[2]) == 'L' && Majuscule(l[3]) == 'O' &&
            Majuscule(l[4]) == 'C')
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> IndexDebuts(const Lignes& livre) {
    std::vector<int> debuts(NbFichesMax, -1);
    for (std::size_t i = 0; i < livre.size(); ++i) {
        const std::string& l = livre[i];
        if (l.size() != 10 || l[9] != '>' || !CommenceDebutSansCasse(l)) continue;
        int n = 0;
        for (int k = 5; k < 9; ++k) {
            if (l[k] < '0' || l[k] > '9') {
                n = -1;
                break;
            }
            n = n * 10 + (l[k] - '0');
        }
        if (n >= 0 && debuts[n] < 0) debuts[n] = static_cast<int>(i);
    }
    return debuts;
}

int FinBloc(const Lignes& livre, int debut, int n) {
    const std::string fin = LigneFin(n);
    const int taille = static_cast<int>(livre.size());
    for (int i = debut + 1; i < taille; ++i) {
        if (livre[i] == fin) return i + 1;
        if (CommenceDebutSansCasse(livre[i])) return i;
    }
    return taille;
}

void SupprimeBloc(Lignes& livre, int n) {
    const int debut = ChercheDebut(livre, n);
    if (debut < 0) return;
    const int fin = FinBloc(livre, debut, n);
    livre.erase(livre.begin() + debut, livre.begin() + fin);
}

void SupprimeBlocs(Lignes& livre, const std::vector<int>& numeros) {
    if (numeros.empty()) return;
    // A block's lines hold no start line but its own, so deleting one block
    // moves no other block's start; its end is looked for among the lines
    // still there, as it would be once the blocks before were gone.
    const std::vector<int> debuts = IndexDebuts(livre);
    std::vector<char> ote(livre.size(), 0);
    const int taille = static_cast<int>(livre.size());
    for (const int n : numeros) {
        if (n < 0 || n >= NbFichesMax || debuts[n] < 0) continue;
        const std::string fin = LigneFin(n);
        int i = debuts[n];
        ote[i] = 1;
        for (++i; i < taille; ++i) {
            if (ote[i]) continue;
            if (livre[i] == fin) {
                ote[i] = 1;
                break;
            }
            if (CommenceDebutSansCasse(livre[i])) break;
            ote[i] = 1;
        }
    }
    std::size_t k = 0;
    for (std::size_t i = 0; i < livre.size(); ++i)
        if (!ote[i]) {
            if (k != i) livre[k] = std::move(livre[i]);
            ++k;
        }
    livre.resize(k);
}

void Recommence(Fiche& f) {
    f.Numero.assign(9, ' ');
    f.Date = QDate();
    f.CodeClient.clear();
    f.Conditions.clear();
    f.Genre = GenreFacture;
    for (auto& a : f.Adresse)
        a.clear();
    f.TTC = false;
    for (auto& rangee : f.Cellules)
        for (auto& c : rangee)
            c.clear();
    f.Memo.clear();
    f.Payee = false;
    for (auto* t : {&f.TotalHT, &f.TotalTVA, &f.TotalTTC, &f.TotalConverti, &f.Devise1, &f.Devise2})
        t->clear();
    f.FactCachees.clear();
    f.CorpsCache.clear();
    f.DateIllisible.reset();
}

std::array<std::string_view, NbColonnes> CellulesFact(std::string_view ligne) {
    std::array<std::string_view, NbColonnes> r;
    // Read from its first 255 characters; what follows a TAB is shorter still.
    std::string_view reste = Debut(Depuis(ligne, 4), 255);
    for (int k = 0; k < NbColonnes - 1; ++k) {
        const auto tab = reste.find(Tab);
        if (tab == std::string_view::npos) continue;
        r[k] = reste.substr(0, tab);
        reste = reste.substr(tab + 1);
    }
    r[NbColonnes - 1] = reste;
    return r;
}

void DecoupeBloc(const Lignes& livre, int debut, int n, VueBloc& v) {
    v.Numero = v.TexteDate = v.CodeClient = v.Conditions = v.Genre = {};
    v.Date.reset();
    v.Adresse = {};
    v.TTC.reset();
    v.Payee = false;
    v.Fact.clear();
    v.Memo.clear();
    v.Cachees.clear();

    const std::string fin = LigneFin(n);
    const int taille = static_cast<int>(livre.size());

    // The header is read by position. A block cut short (its end line, the
    // next block or the end of the book within the header) leaves the missing
    // fields empty instead of taking them from whatever follows.
    int limite = std::min(taille, debut + 11);
    for (int i = debut + 1; i < limite; ++i) {
        if (livre[i] == fin || CommenceDebutSansCasse(livre[i])) {
            limite = i;
            break;
        }
    }
    const auto entete = [&](int k) -> std::string_view {
        return debut + k < limite ? std::string_view(livre[debut + k]) : std::string_view();
    };

    v.Numero = TrimVue(Debut(Depuis(entete(1), 4), 255));
    v.TexteDate = entete(2);
    try {
        v.Date = LitDate(v.TexteDate);
    } catch (const std::exception&) {
        v.Date.reset();
    }
    v.CodeClient = entete(3);
    v.Conditions = entete(4);
    v.Genre = entete(5);
    for (int k = 0; k < 4; ++k)
        v.Adresse[k] = entete(6 + k);

    int corps = debut + 10;
    if (Debut(entete(10), 3) == "TTC") {
        v.TTC = entete(10).size() >= 4 && entete(10)[3] == 'Y';
        corps = debut + 11;
    }
    if (limite <= debut + 10) corps = limite; // the block ended inside its header

    int i = corps;
    for (; i < taille && i < corps + NbLignesCorpsLues; ++i) {
        const std::string& l = livre[i];
        if (l == fin || CommenceDebutSansCasse(l)) return;
        if (i == taille - 1) break; // the last line of the book is not examined
        if (CommencePar(l, "MEMO")) {
            v.Memo.push_back(Debut(Depuis(l, 4), 255));
        } else if (CommencePar(l, "PAYE")) {
            v.Payee = true;
        } else if (CommencePar(l, "FACT")) {
            (static_cast<int>(v.Fact.size()) < DerniereRangee ? v.Fact : v.Cachees).push_back(l);
        }
    }
    // What the window cannot show stays with the document, so that storing it
    // writes those lines back.
    for (; i < taille; ++i) {
        const std::string& l = livre[i];
        if (l == fin || CommenceDebutSansCasse(l)) break;
        v.Cachees.push_back(l);
    }
}

LectureBloc LitBloc(const Lignes& livre, int debut, int n, Fiche& f) {
    VueBloc v;
    DecoupeBloc(livre, debut, n, v);
    LectureBloc lecture;
    if (!v.Numero.empty())
        f.Numero = v.Numero.size() < 9
                       ? std::string(v.Numero) + std::string(9 - v.Numero.size(), ' ')
                       : std::string(v.Numero);
    if (v.Date)
        f.Date = *v.Date;
    else
        lecture.DateIllisible = std::string(v.TexteDate);
    f.CodeClient = v.CodeClient;
    if (!v.Conditions.empty()) f.Conditions = v.Conditions;
    if (!v.Genre.empty()) f.Genre = v.Genre;
    for (int k = 0; k < 4; ++k)
        f.Adresse[k] = v.Adresse[k];
    if (v.TTC) f.TTC = *v.TTC;
    for (const std::string_view m : v.Memo)
        f.Memo.emplace_back(m);
    if (v.Payee) f.Payee = true;
    for (const std::string_view l : v.Fact) {
        const auto cellules = CellulesFact(l);
        Rangee& r = f.Cellules[++lecture.NbFact];
        for (int k = 0; k < NbColonnes; ++k)
            r[k] = cellules[k];
    }
    for (const std::string_view l : v.Cachees)
        (CommencePar(l, "FACT") ? f.FactCachees : f.CorpsCache).emplace_back(l);
    return lecture;
}

Lignes EcritBloc(const Fiche& f, int n, int nbLignes) {
    Lignes b;
    b.reserve(16 + f.Memo.size() + f.FactCachees.size() + f.CorpsCache.size());
    b.push_back(LigneDebut(n));
    // An empty kind reads back as an invoice: give it the invoice letter.
    b.push_back("NUM" + std::string(1, f.Genre.empty() ? 'F' : f.Genre[0]) + f.Numero);
    b.push_back(f.DateIllisible ? *f.DateIllisible : FormatDate(f.Date));
    b.push_back(LigneEnTete(f.CodeClient));
    b.push_back(LigneEnTete(f.Conditions));
    b.push_back(LigneEnTete(f.Genre));
    for (const auto& a : f.Adresse)
        b.push_back(LigneEnTete(a));
    b.push_back(f.TTC ? "TTCY" : "TTCN");
    const int derniere = std::min(nbLignes, DerniereRangee);
    for (int r = 1; r <= derniere; ++r) {
        std::string l = LigneFact(f.Cellules[r]);
        if (l.size() > 12) b.push_back(std::move(l));
    }
    b.insert(b.end(), f.FactCachees.begin(), f.FactCachees.end());
    // A memo line is read back from its first 255 characters only: a longer
    // one goes on as the next memo line instead of being cut.
    for (const auto& m : f.Memo) {
        const std::string t = SansCoupure(m, false);
        std::size_t k = 0;
        do {
            b.push_back("MEMO" + t.substr(k, 255));
            k += 255;
        } while (k < t.size());
    }
    if (f.Payee) b.push_back("PAYE");
    b.insert(b.end(), f.CorpsCache.begin(), f.CorpsCache.end());
    b.push_back(LigneFin(n));
    return b;
}

} // namespace kyr
