#pragma once
// What the CII and UBL readers share: numbers, dates and codes read from the
// XML's texts, each failure noted as a finding of the reading rather than
// stopping it, so that the user sees every fault of the file at once.
#include "recues/arbre_xml.h"
#include "recues/facture_recue.h"

#include <optional>

namespace kyr {

// An XML decimal ("-12.50", "3", "+0.5") in 10^-decimales units. Extra
// decimals are rounded half away from zero (`exces` tells there were some
// that were not zeros); a comma, blanks inside, an exponent or too large a
// value give nullopt with `virgule` telling the comma apart.
struct NombreXml {
    std::optional<std::int64_t> Valeur;
    bool Exces = false;
    bool Virgule = false;
};
NombreXml LitNombreXml(QStringView texte, int decimales);

class LecteurCommun {
public:
    LecteurCommun(const ArbreXml& a, FactureRecue& f) : m_a(a), m_f(f) {}

    // An amount of the business term `terme` (BT-109) at node n; empty text:
    // nullopt, no finding. More than two decimals: the finding `regleDec`.
    std::optional<Centimes> Montant(int n, const char* terme, const char* regleDec);
    // A price or quantity in 1/1 000 000, a rate in 1/10 000 percent.
    std::optional<std::int64_t> Precis(int n, const char* terme);
    std::optional<std::int64_t> Taux(int n, const char* terme);
    // "20130410" (CII format 102) or "2013-04-10" (UBL).
    QDate Date(const QString& texte, const char* terme, bool iso);
    void Note(const char* regle, const QString& texte);

    const ArbreXml& a() const { return m_a; }

private:
    std::optional<std::int64_t> Nombre(int n, const char* terme, int decimales, const char* regle);

    const ArbreXml& m_a;
    FactureRecue& m_f;
};

// BT-24 as a profile; BT-3 a credit note.
Profil ProfilDe(const QString& specification);
bool CodeAvoir(const QString& typeCode);

// The readers of the two syntaxes (root already recognised).
FactureRecue LitCII(const ArbreXml& a);
FactureRecue LitUBL(const ArbreXml& a, bool avoir);

} // namespace kyr
