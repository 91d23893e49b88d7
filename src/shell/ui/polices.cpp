#include "shell/ui/polices.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <fontconfig/fontconfig.h>
#endif

namespace kyr {

PreparationPolices::PreparationPolices() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The configuration is loaded once per process, whichever thread asks
    // first; Qt's own call then returns at once.
    m_fil = std::thread([] { FcInit(); });
#endif
}

PreparationPolices::~PreparationPolices() {
    if (m_fil.joinable()) m_fil.join();
}

} // namespace kyr
