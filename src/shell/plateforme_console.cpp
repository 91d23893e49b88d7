#include "shell/plateforme_console.h"

#include <algorithm>

namespace kyr {

void PlateformeConsole::Ecrit(const QString& texte) {
    const QByteArray octets = (texte + QLatin1Char('\n')).toUtf8();
    std::fwrite(octets.constData(), 1, static_cast<std::size_t>(octets.size()), m_erreurs);
    std::fflush(m_erreurs);
}

Bouton PlateformeConsole::Question(const QString&, const QString& texte, Icone,
                                   const std::vector<Bouton>& boutons) {
    Bouton reponse = boutons.empty() ? Bouton::Annuler : boutons.back();
    for (const Bouton b : {Bouton::Non, Bouton::Annuler})
        if (std::find(boutons.begin(), boutons.end(), b) != boutons.end()) {
            reponse = b;
            break;
        }
    Ecrit(texte + (reponse == Bouton::Non ? QStringLiteral(" (réponse : non)")
                                          : QStringLiteral(" (réponse : annuler)")));
    return reponse;
}

void PlateformeConsole::Message(const QString& texte) {
    Ecrit(texte);
}

void PlateformeConsole::Erreur(const QString& message) {
    Ecrit(message + QLatin1Char('.'));
}

std::optional<QString> PlateformeConsole::ReglerHorloge(const QDateTime&) {
    return QStringLiteral("la ligne de commande ne règle pas l'horloge");
}

} // namespace kyr
