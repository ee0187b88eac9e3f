// The exported factory of statistics objects.
#include "IKwStat.h"

#include "KwStat.h"

#include <new>

CStatFactory::CStatFactory() = default;

CStatFactory::~CStatFactory() = default;

CStatFactory& CStatFactory::operator=(const CStatFactory&)
{
    return *this;
}

ns_kw_stat::IKwStat* CStatFactory::MakeKwStat()
{
    try {
        return new (std::nothrow) ns_kw_stat::KwStat();
    } catch (...) {
        return nullptr;
    }
}

void CStatFactory::Clear(ns_kw_stat::IKwStat* stat)
{
    delete stat;
}
