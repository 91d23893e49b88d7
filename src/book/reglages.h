#pragma once
// The settings kept from one run to the next, and their file KyrFact.ini.
#include "book/enveloppe.h"
#include "common/reel6.h"
#include "common/texte.h"

#include <QString>
#include <array>
#include <string>

namespace kyr {

inline const Lignes ConditionsParDefaut = {
    "A r\xE9"
    "ception",
    "R\xE9glement \xE0 30 jours", "R\xE9glement \xE0 60 jours", "R\xE9glement \xE0 90 jours",
    "En votre aimable r\xE9glement"};

// The values of the settings file's own era (francs, VAT at 20.6, 0 and 5.5):
// what a settings file that cannot be read leaves in force. A first start
// without any settings file takes the values in force instead (ValeursEnVigueur).
struct Reglages {
    Reel6 ReserveIni = 0;
    Reel6 TauxEuro = 6.55957L;
    std::array<Reel6, 4> TauxTVA{0, 20.6L, 0, 5.5L}; // indexed 1..3 by VAT code
    std::string DernierLivre;                        // 8-bit file name
    int OuvertureAuto = 0;
    int TypePapier = 0;
    int OrientationEnveloppe = 0;
    int DecalageEnveloppe = 0;
    int Devise = 0;
    int OmettreConversion = 0;
    Lignes ConditionsReglement = ConditionsParDefaut; // the items of ComboBox1
    // Kept in Fact.env, not in KyrFact.ini, whose lines are fixed.
    FormatEnveloppe Enveloppe = FormatEnveloppe::Imprimante;
};

inline const QString NomFichierIni = QStringLiteral("KyrFact.ini");

// The first start without a settings file: amounts in euros and the VAT rates
// in force (normal 20 %, intermediate 10 %, reduced 5.5 %); the rest as above.
void ValeursEnVigueur(Reglages& r);

// Reads the settings file; false (settings untouched) when it does not exist.
bool ChargeIni(Reglages& r, const QString& chemin = NomFichierIni);
// Only the values of lines 1 to 12, as ChargeIni reads them, without the
// payment conditions after them (untouched): what the start needs to know
// which book to read ahead, without reading a large file whole. False when the
// file does not exist or cannot be read.
bool ChargeValeursIni(Reglages& r, const QString& chemin = NomFichierIni);
// The file's lines read into the settings, and the settings as the file's
// lines (nomLivre on line 6): what ChargeIni and SauveIni read and write.
void LitIni(Reglages& r, const Lignes& lignes);
Lignes LignesIni(const Reglages& r, const std::string& nomLivre);
// Writes the settings file whole, with nomLivre on line 6. Throws
// ErreurExecution::CreationFichier on failure (the old file stays intact).
void SauveIni(const Reglages& r, const std::string& nomLivre,
              const QString& chemin = NomFichierIni);

// GetIni / SetIni of the main window's automatic opening.
inline bool AutoOuverture(const Reglages& r) {
    return r.OuvertureAuto == 1;
}

// Currency captions rule: Label16/Label17 texts for the current settings.
std::pair<std::string, std::string> LibellesDevise(const Reglages& r);

} // namespace kyr
