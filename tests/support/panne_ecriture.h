#pragma once
// Makes one step of the program's safe writer fail for as long as it lives;
// every file written meanwhile fails at that step.
#include "common/texte.h"

namespace kyr::test {

inline constexpr EtapeEcriture EtapesEcriture[] = {EtapeEcriture::Creation, EtapeEcriture::Ecriture,
                                                   EtapeEcriture::Vidage,
                                                   EtapeEcriture::Remplacement};

inline const char* NomEtape(EtapeEcriture e) {
    switch (e) {
    case EtapeEcriture::Creation:
        return "création du fichier temporaire";
    case EtapeEcriture::Ecriture:
        return "écriture (disque plein)";
    case EtapeEcriture::Vidage:
        return "vidage";
    case EtapeEcriture::Remplacement:
        return "remplacement";
    }
    return "";
}

class PanneEcritureSimulee {
public:
    explicit PanneEcritureSimulee(EtapeEcriture etape) {
        SimulePanneEcriture([etape](EtapeEcriture e, const QString&) { return e == etape; });
    }
    ~PanneEcritureSimulee() { SimulePanneEcriture({}); }
    PanneEcritureSimulee(const PanneEcritureSimulee&) = delete;
    PanneEcritureSimulee& operator=(const PanneEcritureSimulee&) = delete;
};

} // namespace kyr::test
