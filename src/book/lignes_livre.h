#pragma once
// The book's lines, with what the commands look for in them (the start line
// of each block, the number lines of each kind) found in one pass and kept
// until the lines change. Searching, numbering and moving between documents
// then no longer go over 244,000 lines each time on a book of 10,000
// documents.
//
// Reading goes through the const members and keeps what was found. Every
// non-const member forgets it, the returned reference or iterator included:
// a change made through it is seen, provided it is made before the next
// question (hold no mutable reference across a call that asks).
#include "common/erreurs.h"
#include "common/texte.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

class LignesLivre {
public:
    using value_type = std::string;
    using iterator = Lignes::iterator;
    using const_iterator = Lignes::const_iterator;
    using size_type = Lignes::size_type;

    LignesLivre() = default;
    LignesLivre(Lignes lignes) : m_lignes(std::move(lignes)) {} // NOLINT: a book is its lines
    LignesLivre(std::initializer_list<std::string> lignes) : m_lignes(lignes) {}
    LignesLivre(const LignesLivre& autre) : m_lignes(autre.m_lignes) {}
    // Moved, the lines take what was found in them along.
    LignesLivre(LignesLivre&& autre) noexcept
        : m_lignes(std::move(autre.m_lignes)), m_premiers(std::move(autre.m_premiers)),
          m_releve(std::move(autre.m_releve)) {
        autre.Oublie();
    }
    LignesLivre& operator=(const LignesLivre& autre);
    LignesLivre& operator=(LignesLivre&& autre) noexcept;

    // ---- reading
    const Lignes& lignes() const { return m_lignes; }
    operator const Lignes&() const { return m_lignes; } // NOLINT: read as plain lines
    size_type size() const { return m_lignes.size(); }
    bool empty() const { return m_lignes.empty(); }
    const std::string& operator[](size_type i) const { return m_lignes[i]; }
    const_iterator begin() const { return m_lignes.begin(); }
    const_iterator end() const { return m_lignes.end(); }
    const_iterator cbegin() const { return m_lignes.cbegin(); }
    const_iterator cend() const { return m_lignes.cend(); }
    auto rbegin() const { return m_lignes.rbegin(); }
    auto rend() const { return m_lignes.rend(); }
    const std::string& front() const { return m_lignes.front(); }
    const std::string& back() const { return m_lignes.back(); }
    friend bool operator==(const LignesLivre& a, const LignesLivre& b) {
        return a.m_lignes == b.m_lignes;
    }
    friend bool operator==(const LignesLivre& a, const Lignes& b) { return a.m_lignes == b; }

    // ---- changing (each forgets what was found)
    Lignes& Modifiables() {
        Oublie();
        return m_lignes;
    }
    std::string& operator[](size_type i) { return Modifiables()[i]; }
    iterator begin() { return Modifiables().begin(); }
    iterator end() { return Modifiables().end(); }
    auto rbegin() { return Modifiables().rbegin(); }
    auto rend() { return Modifiables().rend(); }
    std::string& front() { return Modifiables().front(); }
    std::string& back() { return Modifiables().back(); }
    void push_back(std::string ligne) { Modifiables().push_back(std::move(ligne)); }
    template <class... A> iterator insert(A&&... a) {
        return Modifiables().insert(std::forward<A>(a)...);
    }
    template <class... A> iterator erase(A&&... a) {
        return Modifiables().erase(std::forward<A>(a)...);
    }
    void pop_back() { Modifiables().pop_back(); }
    void clear() { Modifiables().clear(); }
    void resize(size_type n) { Modifiables().resize(n); }
    void reserve(size_type n) { m_lignes.reserve(n); } // moves the lines, changes none

    // ---- what one pass finds (made on the first question after a change)

    // Everything below found now (a book read ahead on another thread has it
    // ready before it is shown).
    void Prepare() const {
        (void)Debuts();
        (void)Premier(0);
    }

    // The first start line of block n (as ChercheDebut finds it), -1 when
    // none; n from 0 to 9999.
    int Premier(int n) const;
    // The lines beginning with "<BLOC" (exact case), in order, and their
    // number less that of the lines beginning with "</BLOC".
    const std::vector<int>& Debuts() const;
    int Solde() const;
    // The highest number on the lines beginning with `cle` ("NUMF", "NUMD"
    // or "NUMA"), read as Numerof reads it: nullopt when there is none;
    // throws what the first unreadable one throws, except for "NUMA", whose
    // unreadable numbers are passed over.
    std::optional<int> PlusGrandNumero(std::string_view cle) const;

private:
    struct Numeros {
        std::optional<int> plusGrand;
        std::optional<ErreurExecution> erreur; // the first unreadable number
    };
    struct Releve {
        std::vector<int> debuts;
        int solde = 0;
        Numeros factures, devis, avoirs; // NUMF, NUMD, NUMA
    };
    void Oublie() {
        m_premiers.reset();
        m_releve.reset();
    }
    const Releve& Parcours() const;

    Lignes m_lignes;
    mutable std::optional<std::vector<int>> m_premiers; // by block number
    mutable std::optional<Releve> m_releve;
};

} // namespace kyr
