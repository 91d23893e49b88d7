#include "book/ui/liste_conditions.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>

namespace kyr {

namespace {

class ModeleConditions final : public QAbstractListModel {
public:
    ModeleConditions(const Lignes& conditions, QObject* parent)
        : QAbstractListModel(parent), m_conditions(conditions),
          m_rangees(static_cast<int>(conditions.size())) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_rangees;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if ((role != Qt::DisplayRole && role != Qt::EditRole) || !i.isValid() ||
            i.row() >= m_rangees || i.row() >= static_cast<int>(m_conditions.size()))
            return {};
        return VersQString(m_conditions[static_cast<std::size_t>(i.row())]);
    }
    void Recommence() {
        beginResetModel();
        m_rangees = static_cast<int>(m_conditions.size());
        endResetModel();
    }

private:
    const Lignes& m_conditions;
    int m_rangees; // as the box knows them
};

} // namespace

void LieConditions(QComboBox* boite, const Lignes& conditions) {
    // The box's place is fixed: its size is never taken from its items,
    // which would measure every one of them.
    boite->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    boite->setModel(new ModeleConditions(conditions, boite));
    if (auto* vue = qobject_cast<QListView*>(boite->view())) vue->setUniformItemSizes(true);
}

void ActualiseConditions(QComboBox* boite) {
    // Starting the model afresh costs the same for five items or millions.
    if (auto* m = dynamic_cast<ModeleConditions*>(boite->model())) m->Recommence();
}

} // namespace kyr
