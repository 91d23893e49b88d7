#include "common/ui/tableau.h"

#include <QHeaderView>
#include <QTableView>

namespace kyr {

void PrepareTableauLecture(QTableView* table) {
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    QHeaderView* rangees = table->verticalHeader();
    rangees->hide();
    // One height for every row: the view lays out thousands of rows without
    // asking each its size.
    rangees->setSectionResizeMode(QHeaderView::Fixed);
    rangees->setDefaultSectionSize(table->fontMetrics().height() + 6);
}

} // namespace kyr
