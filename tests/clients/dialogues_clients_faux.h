#pragma once
// Scripted client dialogs: each answer is queued in advance and each call is
// recorded, so a test reads which dialog was opened and with what.
#include "clients/recherche.h"

#include <deque>
#include <stdexcept>

namespace kyr::test {

class DialoguesClientsFaux : public DialoguesClients {
public:
    std::deque<std::optional<std::array<std::string, 4>>> nouveaux;
    std::deque<std::string> choix, codes, noms;
    std::vector<std::string> codesProposes; // the code shown by each TFclient
    int listesOuvertes = 0;

    std::optional<std::array<std::string, 4>> NouveauClient(const std::string& code) override {
        codesProposes.push_back(code);
        return Suivante(nouveaux, "NouveauClient");
    }
    std::string ChoisitClient(const Lignes&) override {
        ++listesOuvertes;
        return Suivante(choix, "ChoisitClient");
    }
    std::string DemandeCode() override { return Suivante(codes, "DemandeCode"); }
    std::string DemandeNom() override { return Suivante(noms, "DemandeNom"); }

private:
    template <class T> static T Suivante(std::deque<T>& q, const char* quoi) {
        if (q.empty()) throw std::logic_error(std::string("dialogue inattendu : ") + quoi);
        T t = std::move(q.front());
        q.pop_front();
        return t;
    }
};

} // namespace kyr::test
