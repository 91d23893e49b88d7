#pragma once
// Where the help pages are: the page of each help context number, of each
// window and dialog (by its object name, or its class for Qt's own dialogs),
// and the keywords of the help index. The pages are HTML in the program's
// resources (":/aide/"); a command of a menu has its own anchor in its
// menu's page, named after the command's object name.
#include <QString>
#include <utility>
#include <vector>

namespace kyr {

// 3 "&Fichier" ... 8 "&Aide", 9 the invoice window; any other number gives
// the contents page "index.html".
QString PageContexte(int contexte);

// "parametres.html#ParamInvoiceItem" for the dialog named "Paramf"; empty for a
// window that has no page of its own.
QString PageFenetre(const QString& nom);

// The page of a menu command: its menu's page with the command's anchor.
QString PageCommande(int contexteMenu, const QString& nomCommande);

// The keywords of the help index, each with its page (and anchor).
const std::vector<std::pair<QString, QString>>& MotsClesAide();

// A menu caption as the help names it: "&Précédent     PgUp" -> "Précédent".
QString LegendeCommande(const QString& texte);

// Keyword matching ignores accents and case: "reglement" finds "Règlement".
QString CleRecherche(const QString& texte);

// The index of the first keyword of `mots` that starts with `debut` (matched as
// above), or -1.
int PremierMotCle(const QStringList& mots, const QString& debut);

} // namespace kyr
