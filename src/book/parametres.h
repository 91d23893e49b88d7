#pragma once
// The logic behind the parameter dialogs: the invoicing parameters (TParamf),
// the company heading (TSociete) and the page setup values, and what the
// invoice window does with their answers.
#include "book/facture.h"
#include "book/reglages.h"
#include "book/societe.h"

#include <array>
#include <optional>
#include <string>

namespace kyr {

// ---- invoicing parameters

// The contents of TParamf's controls.
struct ChampsParamf {
    std::array<std::string, 9>
        Edit;       // Edit1..Edit9 at 0..8: euro rate, three VAT rates, five conditions
    int Devise = 0; // radio group "Devise": 0 "Franc", 1 "Euro"
    bool OmettreConversion = false; // check box "Omettre conversion"
};

ChampsParamf InitParamf(const Reglages& r);
// Takes an accepted dialog's answer into the settings.
void ResultParamf(const ChampsParamf& champs, Reglages& r);

// What the rate fields' key filter does with one typed character.
struct ToucheTaux {
    bool Avalee = false;
    char Caractere = 0;   // the character typed when not swallowed ("." becomes ",")
    bool Accepte = false; // Enter: the dialog closes as accepted
};
ToucheTaux FormKeyPress(char touche);

// ParF once the dialog is closed (nullopt when cancelled): applies the answer,
// writes the settings file, then refreshes the currency captions and the totals
// of the shown document in place, so that no edit of it is lost. A failed write
// is shown with the standard error box. Calcule's errors go to the caller.
void AppliqueParF(Facture& f, const std::optional<ChampsParamf>& reponse);

// ---- company heading

// TSociete's Result: the first output is emptied; when the dialog was accepted
// the outputs take the seven fields.
void ResultSociete(const LignesSociete& champs, bool accepte, LignesSociete& sorties);
// Psoc once the dialog is closed: true when the description changed (Fact.soc is
// then written at once; a failed write is shown with the standard error box and
// the description stays in memory, so the dialog shows it again).
bool AppliquePsoc(Facture& f, const LignesSociete& champs, bool accepte);

// ---- page setup

struct ChoixMiseEnPage {
    int TypePapier = 0;           // 0 plain, 1 letterhead, 2 pre-printed; -1 = cancelled
    int OrientationEnveloppe = 0; // 0 portrait, 1 landscape; -1 = cancelled
    bool GuideADroite = false;    // "Guide enveloppe à droite"
    FormatEnveloppe Enveloppe = FormatEnveloppe::Imprimante; // "Format enveloppe"
};

// What the page setup dialog is handed; a value a hand-edited file put out of
// the dialog's range is shown as the first choice.
ChoixMiseEnPage InitParM(const Reglages& r);
// Takes the dialog's answer; false (nothing changed) when it was cancelled. The
// settings file is written at the next SauveIni; the envelope size, which has
// a file of its own, is written at once when it changed (ErreurExecution on
// failure, the new size staying in force until the program ends).
bool AppliqueParM(Reglages& r, const ChoixMiseEnPage& reponse);

} // namespace kyr
