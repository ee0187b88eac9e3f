#!/usr/bin/env bash
# Checks that a Windows executable exports the statistics interface and its factory.
# Usage: check_exports.sh EXE
set -euo pipefail
exe="$1"
table="$(i686-w64-mingw32-objdump -p "$exe")"
missing=0
for symbol in \
    _ZN10ns_kw_stat7IKwStatC1Ev \
    _ZN10ns_kw_stat7IKwStatC2Ev \
    _ZN10ns_kw_stat7IKwStatC1ERKS0_ \
    _ZN10ns_kw_stat7IKwStataSERKS0_ \
    _ZN10ns_kw_stat7IKwStatD0Ev \
    _ZN10ns_kw_stat7IKwStatD1Ev \
    _ZN10ns_kw_stat7IKwStatD2Ev \
    _ZTVN10ns_kw_stat7IKwStatE \
    _ZN12CStatFactoryC1Ev \
    _ZN12CStatFactoryD1Ev \
    _ZN12CStatFactoryaSERKS_ \
    _ZN12CStatFactory10MakeKwStatEv \
    _ZN12CStatFactory5ClearEPN10ns_kw_stat7IKwStatE; do
    # Export table lines read "[ordinal] name"; match the whole name.
    if ! grep -Eq "\] ${symbol}\$" <<<"$table"; then
        echo "not exported: $symbol"
        missing=1
    fi
done
[ "$missing" = 0 ] && echo "all statistics exports present in $exe"
exit "$missing"
