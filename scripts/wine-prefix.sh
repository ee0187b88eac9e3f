#!/usr/bin/env bash
# Gives the build folder its Wine prefix: a copy of the machine's template, which is made first when
# missing (32-bit, CJK fonts linked so that Chinese text renders, no crash dialogs). Copying costs
# seconds where making a prefix costs a minute. The browser stand-in is registered after the build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
template="$TAVRIN_WINE_CACHE/prefix"

# Everything under test is 32-bit x86 code run by Wine's 32-bit loader. On a kernel that refuses
# 32-bit programs the prefix is made inside the virtual machine instead (scripts/guest-run.sh).
if ! tavrin_wine_runs_here; then
    echo "wine-prefix: Wine's 32-bit loader does not run on this kernel;" \
        "run this inside the virtual machine (scripts/guest-run.sh)" >&2
    exit 1
fi

make_template() { # folder
    export WINEPREFIX="$1"
    wineboot -i >/dev/null 2>&1 </dev/null
    local font='wqy-microhei.ttc,WenQuanYi Micro Hei' face
    reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" SimSun; do
        reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" /t REG_MULTI_SZ /d "$font"
    done
    for face in SimSun "Microsoft YaHei" 宋体 微软雅黑 NSimSun; do
        reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei"
    done
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    reg 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d ""
    ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/wqy-microhei.ttc"
    wineserver -w
    touch "$WINEPREFIX/.tavrin-ready"
}

# A run cut off while the wineserver wrote the registry may leave its files empty; without the user's
# registry, programs have no TEMP folder and write their temporary files elsewhere. Such a prefix is
# made anew.
prefix_ready() { # folder
    [ -f "$1/.tavrin-ready" ] && [ -s "$1/system.reg" ] && [ -s "$1/user.reg" ]
}

# A build whose prefix is made already needs no template (the virtual machine's is made anew each boot).
prefix_ready "$WINEPREFIX" && exit 0
if ! prefix_ready "$template"; then
    mkdir -p "$TAVRIN_WINE_CACHE"
    # Two first builds at once: one makes the template, the other waits for it.
    exec 9>"$TAVRIN_WINE_CACHE/.lock"
    flock 9
    if ! prefix_ready "$template"; then
        rm -rf "$template.new" "$template"
        (make_template "$template.new")
        mv "$template.new" "$template"
    fi
    exec 9>&-
fi
rm -rf "$WINEPREFIX" "$WINEPREFIX.new"
mkdir -p "$(dirname "$WINEPREFIX")"
cp -a --reflink=auto "$template" "$WINEPREFIX.new"
mv "$WINEPREFIX.new" "$WINEPREFIX"
