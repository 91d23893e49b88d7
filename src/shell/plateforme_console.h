#pragma once
// The platform of a command run from a script: no window, nobody to answer.
// Messages and errors go to the error stream; a question takes its most
// careful answer (Non, else Annuler), so that nothing is changed on a guess;
// no file is chosen.
#include "common/plateforme.h"

#include <cstdio>

namespace kyr {

class PlateformeConsole final : public Plateforme {
public:
    explicit PlateformeConsole(std::FILE* erreurs) : m_erreurs(erreurs) {}

    Bouton Question(const QString& titre, const QString& texte, Icone icone,
                    const std::vector<Bouton>& boutons) override;
    void Message(const QString& texte) override;
    void Erreur(const QString& message) override;
    std::optional<QString> NomFichierOuvrir(const QString&) override { return std::nullopt; }
    std::optional<QString> NomFichierEnregistrer(const QString&, const QString&) override {
        return std::nullopt;
    }
    QDateTime Maintenant() override { return QDateTime::currentDateTime(); }
    std::optional<QString> ReglerHorloge(const QDateTime&) override;
    // The grid's font is not at hand: amounts are not padded to the right.
    int LargeurTexte(const std::string&) override { return 1 << 20; }
    void Poste(std::function<void()> f) override { f(); }

private:
    void Ecrit(const QString& texte);
    std::FILE* m_erreurs;
};

} // namespace kyr
