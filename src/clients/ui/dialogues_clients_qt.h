#pragma once
// The four client look-up dialogs, shown modally over the invoice window.
#include "clients/recherche.h"

class QWidget;

namespace kyr {

class DialoguesClientsQt final : public DialoguesClients {
public:
    explicit DialoguesClientsQt(QWidget* parent) : m_parent(parent) {}

    std::optional<std::array<std::string, 4>> NouveauClient(const std::string& code) override;
    std::string ChoisitClient(const Lignes& listeClients) override;
    std::string DemandeCode() override;
    std::string DemandeNom() override;

private:
    QWidget* m_parent;
};

} // namespace kyr
