#pragma once
// Scripted platform for the tests: answers to questions are queued in advance,
// every box shown is recorded, the clock is fixed, text widths are 7 pixels a
// byte (a blank 3) so that right-alignment is predictable.
#include "common/plateforme.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
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

    // Posted functions wait here until the test runs them, as the window's
    // event loop would.
    void Poste(std::function<void()> f) override {
        const std::lock_guard<std::mutex> verrou(m_poste);
        m_postes.push_back(std::move(f));
        m_poste_arrive.notify_all();
    }
    // Runs every function posted so far (and those they post); how many ran.
    int ExecutePostes() {
        int n = 0;
        for (;;) {
            std::function<void()> f;
            {
                const std::lock_guard<std::mutex> verrou(m_poste);
                if (m_postes.empty()) return n;
                f = std::move(m_postes.front());
                m_postes.pop_front();
            }
            f();
            ++n;
        }
    }
    // Waits (at most `ms`) for a function to be posted, then runs them all:
    // a worker thread's result coming back. False when nothing came.
    bool AttendPostes(int ms = 20000) {
        {
            std::unique_lock<std::mutex> verrou(m_poste);
            if (!m_poste_arrive.wait_for(verrou, std::chrono::milliseconds(ms),
                                         [this] { return !m_postes.empty(); }))
                return false;
        }
        return ExecutePostes() > 0;
    }

private:
    std::mutex m_poste;
    std::condition_variable m_poste_arrive;
    std::deque<std::function<void()>> m_postes;

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
