#pragma once
// Setting the computer's clock on Linux goes through systemd's time service
// (timedatectl): a normal user has no right to set the clock, and the service
// asks for the administrator's password where the desktop allows it. These
// helpers build its command line and turn its refusal into French.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kyr {

// "set-time" and the instant as UTC text ("2001-03-15 13:05:09 UTC").
QStringList ArgumentsReglageHorloge(const QDateTime& instant);

// Why the clock was not set, from what the service wrote on its error output
// (empty when it wrote nothing), as a phrase completing "L'horloge n'a pas été
// modifiée : ...". Known refusals get a plain French sentence; anything else
// is quoted as the system wrote it.
QString RaisonRefusHorloge(const QString& sortieErreur);

} // namespace kyr
