#pragma once
#include <thread>

namespace kyr {

// Readies the system's font configuration on a thread of its own while the
// application connects to the display: the first text drawn (the splash's)
// then finds it loaded instead of reading it on the main thread.
class PreparationPolices {
public:
    PreparationPolices();
    ~PreparationPolices();
    PreparationPolices(const PreparationPolices&) = delete;
    PreparationPolices& operator=(const PreparationPolices&) = delete;

private:
    std::thread m_fil;
};

} // namespace kyr
