#pragma once
// Everything the logic needs from the platform, behind one small interface: a
// Qt implementation for the program, a scripted fake for the tests.
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

enum class Bouton { Oui, Non, Annuler, OK };
enum class Icone { Avertissement, Information, Erreur, Question };

class Plateforme {
public:
    virtual ~Plateforme() = default;

    // A modal message box with the given caption, text, icon and buttons (in
    // this order, with the program's own texts "&Oui", "&Non", "Annuler", "OK");
    // returns the button pressed. Closing the box counts as its last button.
    virtual Bouton Question(const QString& titre, const QString& texte, Icone icone,
                            const std::vector<Bouton>& boutons) = 0;
    // An information box titled with the application title, one OK button.
    virtual void Message(const QString& texte) = 0;
    // The standard error box: application title, error icon, OK; the text is
    // the run-time message followed by ".".
    virtual void Erreur(const QString& message) = 0;

    // The common file dialogs; nullopt when cancelled. Filter as "Factures (*.fct)".
    virtual std::optional<QString> NomFichierOuvrir(const QString& filtre) = 0;
    virtual std::optional<QString> NomFichierEnregistrer(const QString& filtre,
                                                         const QString& nomPropose) = 0;

    // Today's date and time, and setting the computer's clock. The clock is
    // set to the instant t (local or UTC alike; the system keeps UTC). Returns
    // nullopt when the clock was set, otherwise why it was not, in French, as
    // a phrase that completes "L'horloge n'a pas été modifiée : ...".
    virtual QDateTime Maintenant() = 0;
    virtual std::optional<QString> ReglerHorloge(const QDateTime& t) = 0;

    // Width in pixels of an 8-bit text in the invoice window's grid font.
    virtual int LargeurTexte(const std::string& texte) = 0;

    // Runs `f` later on the main thread, among the window's events; callable
    // from any thread. A worker thread of the logic hands its result back
    // through it.
    virtual void Poste(std::function<void()> f) = 0;
};

// The standard "Avertissement" question boxes.
inline Bouton Avertissement(Plateforme& p, const QString& texte, const std::vector<Bouton>& b) {
    return p.Question(QStringLiteral("Avertissement"), texte, Icone::Avertissement, b);
}

} // namespace kyr
