#pragma once
// Client look-up from a document: the client code field's key filter, the
// address fill from the client list, the creation of a missing client, new
// client codes, and the search of the book by client code or name.
#include "book/facture.h"
#include "common/texte.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// The four small client dialogs; the program shows Qt dialogs, the tests a
// scripted fake.
class DialoguesClients {
public:
    virtual ~DialoguesClients() = default;
    // TFclient: the four coordinates lines of a new client; nullopt = cancelled.
    virtual std::optional<std::array<std::string, 4>> NouveauClient(const std::string& code) = 0;
    // TListeCli: the chosen code; "" = nothing chosen.
    virtual std::string ChoisitClient(const Lignes& listeClients) = 0;
    // TFindCli: the code to look for; "" = cancelled.
    virtual std::string DemandeCode() = 0;
    // TFindNom: the name to look for, letters a-z already capitals; "" = cancelled.
    virtual std::string DemandeNom() = 0;
};

enum class ToucheCode { Passe, Avalee, Etoile }; // Etoile: the field becomes "*"

// Key filter of the document's client code field: backspace and digits pass,
// "*" asks for a new code, everything else is swallowed.
ToucheCode Edit1KeyPress(char touche);

// A record header of the client file: "<CLI>" then zero to five digits.
bool EstEnteteClient(std::string_view ligne);

// The next free client code: one more than the largest header code, 10002 at
// least. Throws ErreurExecution::EntierIncorrect for a code too large to read.
std::string CodeClientSuivant(const Lignes& listeClients);

// One per invoice window, lives for the whole run.
class RechercheClients {
public:
    bool ChoixDansListe = false; // the "..." list was used once: create without asking
    std::string TexteRecherche;
    int PositionRecherche = 0, DecalageRecherche = 0;
    // Called before a question or a dialog, so that the window shows the
    // completed code while the user answers.
    std::function<void()> AvantQuestion;

    // The code field lost the focus: "*" becomes a new code, then the look-up.
    // Works on f.fiche.CodeClient and f.fiche.Adresse.
    void Edit1Exit(Facture& f, DialoguesClients& d);
    // Completes the code, fills the address from the client list or creates the client.
    void ChercheCli(Facture& f, DialoguesClients& d);
    // The "..." button: pick a client from the list.
    void Button1Click(Facture& f, DialoguesClients& d);
    // Searches the book by client code (mode 0), name (1) or goes on with the
    // last search (2). True when the found document was shown (the window
    // redisplays the record); false when nothing was found, the question was
    // cancelled, or the match is the document already shown.
    bool FactCli(Facture& f, DialoguesClients& d, int mode);
};

} // namespace kyr
