#include "store/FaultInjection.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>

namespace store::FaultInjection {

void reach(const char* point)
{
    if (qgetenv("ZORAVIN_FAULT_POINT") == point)
        std::_Exit(137); // no clean-up at all, as after SIGKILL
}

} // namespace store::FaultInjection
