#pragma once
// The cell editor of the invoice window's line grid: a plain line edit whose
// keys go to the window first, so that every typed character passes through
// the line-editing logic before the editor sees it.
#include <QPointer>
#include <QStyledItemDelegate>

#include <QLineEdit>

namespace kyr {

class TFacture;

class DelegueGrille final : public QStyledItemDelegate {
    Q_OBJECT
public:
    DelegueGrille(TFacture& fenetre, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor open on the grid, if any, and its cell.
    QLineEdit* editeur() const { return m_editeur; }
    QModelIndex celluleEditee() const { return m_index; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    TFacture& m_fenetre;
    mutable QPointer<QLineEdit> m_editeur;
    mutable QPersistentModelIndex m_index;
};

} // namespace kyr
