#pragma once
// Importing several received files at once, as the window does on a worker
// thread: each file read, checked (with the buyer against the company when
// its identifiers are known) and kept; one French sentence a file.
#include "einvoice/tiers.h"
#include "recues/registre.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace kyr {

struct BilanImport {
    int Gardees = 0, DejaRecues = 0, Doublons = 0, Refusees = 0;
    QStringList Messages; // one a file, in the order given
};

// `moi`: the company's seller data (Fact.fxv), nullopt when there is none.
// `continuer` is asked before each file with the count done so far (a
// progress dialog's cancel); false stops the import there.
BilanImport ImporteFichiers(RegistreRecues& r, const QString& dossier, const QStringList& chemins,
                            const std::optional<Vendeur>& moi, const QString& dossierModules,
                            const QDateTime& maintenant,
                            const std::function<bool(int faits)>& continuer = {});

// Every failed check of the invoice, the buyer's included when `moi` is known.
std::vector<Constat> ControlesComplets(const FactureRecue& f, const std::optional<Vendeur>& moi);

// Only .pdf and .xml files are taken (a dropped folder or picture is not).
bool ExtensionAcceptee(const QString& chemin);

} // namespace kyr
