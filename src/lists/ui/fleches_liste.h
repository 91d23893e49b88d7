#pragma once
// A list that opens with no entry selected still has a current entry (the
// first), so the first Down would skip it and Home, already there, would
// select nothing: the first arrow key selects the current entry instead of
// moving on, and Home and End always select the first and the last entry.
class QAbstractItemView;

namespace kyr {

void PremiereFlecheChoisit(QAbstractItemView* liste);

} // namespace kyr
