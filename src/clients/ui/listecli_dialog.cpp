#include "clients/ui/listecli_dialog.h"

#include "clients/liste_choix.h"
#include "common/ui/boutons_dialogue.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace kyr {

TListeCli::TListeCli(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TListeCli"));
    setWindowTitle(QStringLiteral("Liste des clients"));
    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setMinimumSize(320, 260);
    m_liste->setUniformItemSizes(true); // one line of text each
    connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(m_liste, 1);
    principal->addLayout(BoutonsAnnulerOK(this));
    m_liste->setFocus();
}

void TListeCli::Init(const Lignes& listeClients) {
    m_liste->clear();
    // All the rows in one insertion: a large client file is shown at once
    // rather than the view laid out again for each client.
    QStringList elements;
    for (const auto& e : ElementsListeClients(listeClients))
        elements.push_back(VersQString(e));
    m_liste->addItems(elements);
}

std::string TListeCli::Result() const {
    const auto* choisi = m_liste->currentItem();
    if (result() != QDialog::Accepted || !choisi || !choisi->isSelected()) return {};
    return CodeElement(DepuisQString(choisi->text()).value_or(std::string()));
}

} // namespace kyr
