#pragma once
// The payment-terms box (ComboBox1) of the invoice window shows the settings'
// payment conditions through a model read when the box draws its items: a
// settings file of millions of conditions costs the box nothing per item
// that is not on screen, neither at start nor at each document shown.
#include "common/texte.h"

class QComboBox;

namespace kyr {

// Gives `boite` the items of `conditions`, which must outlive it.
void LieConditions(QComboBox* boite, const Lignes& conditions);
// The list may have changed (the settings read or edited): the box takes its
// items from it again. The edit text is for the caller to set afterwards.
void ActualiseConditions(QComboBox* boite);

} // namespace kyr
