#pragma once
// Makes one step of the program's safe writer fail for as long as it lives;
// every file written meanwhile fails at that step.
#include "common/texte.h"

namespace kyr::test {

// The steps after which the old file is still there, untouched.
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
    case EtapeEcriture::VidageDossier:
        return "vidage du dossier";
    }
    return "";
}

// The sentence the message gives after "Ne peut créer le fichier X. " when
// the step fails with the error it usually meets, in a folder that can be
// written.
inline QString CauseEtape(EtapeEcriture e) {
    switch (e) {
    case EtapeEcriture::Ecriture:
        return QStringLiteral("Le disque est plein");
    case EtapeEcriture::Vidage:
    case EtapeEcriture::VidageDossier:
        return QStringLiteral("Le disque a signalé une erreur d'écriture");
    default:
        return QStringLiteral("Les droits sur le fichier ou le dossier sont insuffisants");
    }
}

// What a failed save of the user's changes adds after its cause.
inline const QString ModificationsGardees =
    QStringLiteral(". Les modifications sont toujours dans la fenêtre : elles ne sont pas "
                   "enregistrées");

class PanneEcritureSimulee {
public:
    // `erreur`: the system error the step reports (0: its usual one).
    explicit PanneEcritureSimulee(EtapeEcriture etape, int erreur = 0) {
        SimulePanneEcriture([etape](EtapeEcriture e, const QString&) { return e == etape; },
                            erreur);
    }
    ~PanneEcritureSimulee() { SimulePanneEcriture({}); }
    PanneEcritureSimulee(const PanneEcritureSimulee&) = delete;
    PanneEcritureSimulee& operator=(const PanneEcritureSimulee&) = delete;
};

} // namespace kyr::test
