#include "agent/GlobalLocks.h"

CGlobalLocks& GlobalLocks()
{
    static CGlobalLocks s_locks;
    return s_locks;
}
