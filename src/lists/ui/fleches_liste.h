#pragma once
// A list that opens with no entry selected still has a current entry (the
// first), so the first Down would skip it: that first arrow key selects the
// current entry instead of moving on.
class QListWidget;

namespace kyr {

void PremiereFlecheChoisit(QListWidget* liste);

} // namespace kyr
