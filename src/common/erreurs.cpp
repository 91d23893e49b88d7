#include "common/erreurs.h"

#include "common/texte.h"

namespace kyr {

const char* ErreurExecution::what() const noexcept {
    try {
        m_utf8 = m_message.toStdString();
    } catch (...) {
        return "ErreurExecution";
    }
    return m_utf8.c_str();
}

QString Citation(std::string_view octets) {
    constexpr qsizetype CitationMax = 60;
    QString cite = VersQString(Debut(octets, CitationMax + 1));
    if (cite.size() > CitationMax) cite = cite.left(CitationMax) + QChar(0x2026);
    return cite;
}

namespace {
QString Cite(const char* modele, std::string_view texte) {
    return QString::fromUtf8(modele).arg(Citation(texte));
}
} // namespace

ErreurExecution ErreurExecution::EntierIncorrect(std::string_view texte) {
    return ErreurExecution(Cite("'%1' n'est pas une valeur entière correcte", texte));
}
ErreurExecution ErreurExecution::FlottantIncorrect(std::string_view texte) {
    return ErreurExecution(Cite("'%1' n'est pas une valeur flottante correcte", texte));
}
ErreurExecution ErreurExecution::DateIncorrecte(std::string_view texte) {
    return ErreurExecution(Cite("'%1' n'est pas une date correcte", texte));
}
ErreurExecution ErreurExecution::DivisionParZero() {
    return ErreurExecution(QStringLiteral("Division flottante par zéro"));
}
ErreurExecution ErreurExecution::OperationIncorrecte() {
    return ErreurExecution(QStringLiteral("Opération flottante incorrecte"));
}
ErreurExecution ErreurExecution::Debordement() {
    return ErreurExecution(QStringLiteral("Débordement flottant"));
}
ErreurExecution ErreurExecution::CreationFichier(const QString& nom) {
    return ErreurExecution(QStringLiteral("Ne peut créer le fichier %1").arg(nom));
}
ErreurExecution ErreurExecution::CreationFichier(const QString& nom, const QString& cause) {
    // The box adds the last full stop.
    return ErreurExecution(CreationFichier(nom).message() + QStringLiteral(". ") + cause);
}
ErreurExecution ErreurExecution::ModificationsGardees() const {
    return ErreurExecution(m_message +
                           QStringLiteral(". Les modifications sont toujours dans la fenêtre : "
                                          "elles ne sont pas enregistrées"));
}
ErreurExecution ErreurExecution::LectureFichier(const QString& nom) {
    return ErreurExecution(QStringLiteral("Ne peut lire le fichier %1").arg(nom));
}

} // namespace kyr
