#include "common/horloge_systeme.h"

#include <QTimeZone>

namespace kyr {

QStringList ArgumentsReglageHorloge(const QDateTime& instant) {
    const QDateTime utc = instant.toTimeZone(QTimeZone::utc());
    return {QStringLiteral("set-time"),
            utc.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" UTC")};
}

QString RaisonRefusHorloge(const QString& sortieErreur) {
    const QString s = sortieErreur.simplified();
    struct Cas {
        const char* indice; // a piece of systemd's English message
        const char* raison;
    };
    static const Cas cas[] = {
        {"Automatic time synchronization is enabled",
         "la synchronisation automatique de l'heure est active ; désactivez-la pour régler "
         "l'horloge à la main"},
        {"Interactive authentication required",
         "vous n'avez pas le droit de changer l'heure de l'ordinateur (le mot de passe de "
         "l'administrateur n'a pas pu être demandé)"},
        {"Access denied", "vous n'avez pas le droit de changer l'heure de l'ordinateur"},
        {"Permission denied", "vous n'avez pas le droit de changer l'heure de l'ordinateur"},
        {"Operation not permitted", "vous n'avez pas le droit de changer l'heure de l'ordinateur"},
        {"not authorized", "vous n'avez pas le droit de changer l'heure de l'ordinateur"},
        {"System has not been booted with systemd",
         "le service d'heure du système n'est pas disponible sur cet ordinateur"},
        {"Failed to connect to bus",
         "le service d'heure du système n'est pas disponible sur cet ordinateur"},
        {"Failed to parse time", "le système n'a pas accepté cette date"},
    };
    for (const Cas& c : cas)
        if (s.contains(QLatin1String(c.indice), Qt::CaseInsensitive))
            return QString::fromUtf8(c.raison);
    if (s.isEmpty()) return QStringLiteral("le système a refusé le réglage");
    return QStringLiteral("le système a répondu « %1 »").arg(s);
}

} // namespace kyr
