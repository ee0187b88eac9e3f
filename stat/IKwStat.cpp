// The exported statistics interface's special members; defining the destructor here anchors the
// interface's virtual table in this module, from where the executable exports it.
#include "IKwStat.h"

namespace ns_kw_stat {

IKwStat::IKwStat() = default;

IKwStat::IKwStat(const IKwStat&) = default;

IKwStat& IKwStat::operator=(const IKwStat&)
{
    return *this;
}

IKwStat::~IKwStat() = default;

}  // namespace ns_kw_stat
