#pragma once
// The program's read-only tables (the sales journal, the VAT return's
// documents, the received invoices): whole rows chosen one at a time, nothing
// edited in place, alternate row colours, one line a row of one fixed height,
// no row numbers.
class QTableView;

namespace kyr {

void PrepareTableauLecture(QTableView* table);

} // namespace kyr
