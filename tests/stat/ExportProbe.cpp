// A minimal host of the statistics module: linking it the way the installer does makes the executable
// export the statistics interface and its factory, which check_exports.sh then reads back.
#include "IKwStat.h"

int main()
{
    ns_kw_stat::IKwStat* stat = CStatFactory::MakeKwStat();
    const bool made = stat != nullptr;
    CStatFactory::Clear(stat);
    return made ? 0 : 1;
}
