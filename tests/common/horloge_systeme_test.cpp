// The system's time service: its command line and its refusals in French.
#include "common/horloge_systeme.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(HorlogeSysteme, CommandLineTakesTheInstantAsUtc) {
    const QDateTime paris(QDate(2001, 7, 15), QTime(23, 10, 5), QTimeZone("Europe/Paris"));
    EXPECT_EQ(ArgumentsReglageHorloge(paris), (QStringList{"set-time", "2001-07-15 21:10:05 UTC"}));
}

TEST(HorlogeSysteme, RefusalsInFrench) {
    struct Cas {
        const char* sortie;
        const char* raison;
    };
    const Cas cas[] = {
        {"Failed to set time: Automatic time synchronization is enabled\n",
         "la synchronisation automatique de l'heure est active ; désactivez-la pour régler "
         "l'horloge à la main"},
        {"Failed to set time: Access denied", "vous n'avez pas le droit de changer l'heure de "
                                              "l'ordinateur"},
        {"Failed to set time: Interactive authentication required.",
         "vous n'avez pas le droit de changer l'heure de l'ordinateur (le mot de passe de "
         "l'administrateur n'a pas pu être demandé)"},
        {"System has not been booted with systemd as init system (PID 1). Can't operate.\n"
         "Failed to connect to bus: Host is down",
         "le service d'heure du système n'est pas disponible sur cet ordinateur"},
        {"", "le système a refusé le réglage"},
        {"Failed to set time:   something   new\n", "le système a répondu « Failed to set time: "
                                                    "something new »"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(RaisonRefusHorloge(QString::fromUtf8(c.sortie)), QString::fromUtf8(c.raison));
}

} // namespace
} // namespace kyr
