#pragma once
// The program's commands for scripts, run with no display and no window:
// `kyrfact --OPTION ...` does one job, prints its report and ends. Started
// with no such option, the program opens its windows as always.
#include "shell/exportation_ligne.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

// The exit code when the arguments name a command of the command line (its
// report written to `sortie`, its errors to `erreurs`, UTF-8), nullopt when
// they do not (the windows are then opened). `services` holds what the
// commands need from the program's drawing layer.
std::optional<int> LigneDeCommande(const std::vector<std::string>& arguments, std::FILE* sortie,
                                   std::FILE* erreurs,
                                   const ServicesLigneDeCommande& services = {});

} // namespace kyr
