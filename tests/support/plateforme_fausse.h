#pragma once
// Scripted platform for the tests: answers to questions are queued in advance,
// every box shown is recorded, the clock is fixed, text widths are 7 pixels a
// byte (a blank 3) so that right-alignment is predictable.
#include "common/plateforme.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr::test {

struct BoiteVue {
    QString titre, texte;
    Icone icone;
    std::vector<Bouton> boutons;
};

class PlateformeFausse : public Plateforme {
public:
    std::deque<Bouton> reponses;                     // next answers to Question
    std::vector<BoiteVue> questions;                 // every Question asked
    std::vector<QString> messages;                   // every Message shown
    std::vector<QString> erreurs;                    // every Erreur shown
    std::deque<QString> nomsOuvrir, nomsEnregistrer; // a null QString cancels
    QDateTime maintenant{QDate(2001, 3, 15), QTime(14, 5, 9)};
    std::vector<QDateTime> horlogesReglees;
    std::optional<QString> refusHorloge; // the system's refusal, if any
    int largeurCaractere = 7, largeurBlanc = 3;
    std::function<void()> pendantQuestion; // runs while a question is on screen

    Bouton Question(const QString& titre, const QString& texte, Icone icone,
                    const std::vector<Bouton>& boutons) override {
        questions.push_back({titre, texte, icone, boutons});
        if (pendantQuestion) pendantQuestion();
        if (reponses.empty())
            throw std::logic_error("question sans réponse prévue : " + texte.toStdString());
        Bouton b = reponses.front();
        reponses.pop_front();
        return b;
    }
    void Message(const QString& texte) override { messages.push_back(texte); }
    void Erreur(const QString& message) override { erreurs.push_back(message); }
    std::optional<QString> NomFichierOuvrir(const QString&) override { return Suivant(nomsOuvrir); }
    std::optional<QString> NomFichierEnregistrer(const QString&, const QString&) override {
        return Suivant(nomsEnregistrer);
    }
    QDateTime Maintenant() override { return maintenant; }
    std::optional<QString> ReglerHorloge(const QDateTime& t) override {
        horlogesReglees.push_back(t);
        return refusHorloge;
    }
    int LargeurTexte(const std::string& texte) override {
        int l = 0;
        for (char c : texte)
            l += c == ' ' ? largeurBlanc : largeurCaractere;
        return l;
    }

private:
    // The next scripted file name; an empty queue or a null name is a cancelled dialog.
    static std::optional<QString> Suivant(std::deque<QString>& noms) {
        if (noms.empty()) return std::nullopt;
        const QString n = noms.front();
        noms.pop_front();
        if (n.isNull()) return std::nullopt;
        return n;
    }
};

} // namespace kyr::test
