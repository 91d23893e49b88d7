#pragma once
// Runs one operation of a fuzz target; the program's own run-time errors are
// expected answers to odd input, anything else is a fault.
#include "common/erreurs.h"

namespace kyr::fuzz {

template <class F> void Essaie(F&& f) {
    try {
        f();
    } catch (const ErreurExecution&) {
    }
}

} // namespace kyr::fuzz
