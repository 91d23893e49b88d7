#pragma once
// `kyrfact --verifier FICHIER...`: for each file, what it is and every check
// it fails, for users and scripts, with no display. The exit code is 0 only
// when every file is an invoice that passed every check; the check of the
// buyer against the company's Fact.fxv (in the current folder) is printed
// when that file is there, and never counted.
#include <QString>
#include <cstdio>
#include <string>
#include <vector>

namespace kyr {

int Verifie(const std::vector<std::string>& fichiers, std::FILE* sortie, std::FILE* erreurs,
            const QString& dossierModules);

} // namespace kyr
