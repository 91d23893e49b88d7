#include "clients/ui/dialogues_clients_qt.h"

#include "clients/ui/fclient_dialog.h"
#include "clients/ui/findcli_dialog.h"
#include "clients/ui/listecli_dialog.h"

namespace kyr {

std::optional<std::array<std::string, 4>>
DialoguesClientsQt::NouveauClient(const std::string& code) {
    TFclient d(m_parent);
    d.Init(code);
    // The close box counts as "Annuler".
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.Result();
}

std::string DialoguesClientsQt::ChoisitClient(const Lignes& listeClients) {
    TListeCli d(m_parent);
    d.Init(listeClients);
    d.exec();
    return d.Result();
}

std::string DialoguesClientsQt::DemandeCode() {
    TFindCli d(m_parent);
    d.exec();
    return d.Result();
}

std::string DialoguesClientsQt::DemandeNom() {
    TFindNom d(m_parent);
    d.exec();
    return d.Result();
}

} // namespace kyr
