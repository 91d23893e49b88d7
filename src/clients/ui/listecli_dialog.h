#pragma once
// TListeCli: picks a client from the client list, in the order of the file.
#include "common/texte.h"

#include <QDialog>

class QListWidget;

namespace kyr {

class TListeCli final : public QDialog {
    Q_OBJECT
public:
    explicit TListeCli(QWidget* parent = nullptr);
    void Init(const Lignes& listeClients);
    // The chosen code when accepted with an item selected, else "".
    std::string Result() const;

private:
    QListWidget* m_liste;
};

} // namespace kyr
