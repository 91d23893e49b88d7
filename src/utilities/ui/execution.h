#pragma once
// How a utility window runs what may fail: the main window hands over its
// command dispatch, which shows a kyr::ErreurExecution in the standard error
// box. Without one (a window on its own) the error goes to the platform's box.
#include <functional>

namespace kyr {

using Execution = std::function<void(const std::function<void()>&)>;

} // namespace kyr
