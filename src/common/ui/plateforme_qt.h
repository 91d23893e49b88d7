#pragma once
// The platform of the real program: Qt message boxes and file dialogs, the
// system clock, and text widths measured in the invoice window's grid font.
#include "common/plateforme.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

namespace kyr {

class PlateformeQt : public Plateforme {
public:
    explicit PlateformeQt(QWidget* parent = nullptr);

    // The window the boxes and dialogs are modal to (may change once the main
    // window exists), and the font LargeurTexte measures with.
    void DefinitParent(QWidget* parent);
    void DefinitPolice(const QFont& police);

    Bouton Question(const QString& titre, const QString& texte, Icone icone,
                    const std::vector<Bouton>& boutons) override;
    void Message(const QString& texte) override;
    void Erreur(const QString& message) override;
    std::optional<QString> NomFichierOuvrir(const QString& filtre) override;
    std::optional<QString> NomFichierEnregistrer(const QString& filtre,
                                                 const QString& nomPropose) override;
    QDateTime Maintenant() override;
    std::optional<QString> ReglerHorloge(const QDateTime& t) override;
    int LargeurTexte(const std::string& texte) override;
    void Poste(std::function<void()> f) override;

    static QString TexteBouton(Bouton b); // "&Oui", "&Non", "Annuler", "OK"

private:
    QPointer<QWidget> m_parent;
    QFont m_police;
};

} // namespace kyr
