#pragma once
// The folder in which the program keeps its files (KyrFact.ini, Fact.cli...):
// the folder it is started from, as always. Started from the desktop's menu,
// that is the home folder (or the root): the program then uses its own folder
// in the user's documents, "Documents/Kyr Facture", unless the home folder
// already holds the program's files from earlier runs.
#include <QString>

namespace kyr {

// The name of the program's own folder in the documents.
inline const QString NomDossierFichiers = QStringLiteral("Kyr Facture");

// The folder to use, given the current folder, the home folder and the
// documents folder (empty when the desktop has none: home + "/Documents").
QString DossierDesFichiers(const QString& courant, const QString& personnel,
                           const QString& documents);

// Makes that folder (created when missing) the current folder and returns it.
// A folder that cannot be created leaves the current folder as it is.
QString ChoisitDossierDesFichiers(const QString& personnel, const QString& documents);

} // namespace kyr
