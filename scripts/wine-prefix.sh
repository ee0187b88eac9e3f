#!/usr/bin/env bash
# Creates the 32-bit Wine prefix the tests and the demo run in: CJK fonts linked so that Chinese text
# renders, no crash dialogs, and a browser stand-in registered once it has been built.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
stamp="$WINEPREFIX/.tavrin-ready"
if [ ! -f "$stamp" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 </dev/null
    font='wqy-microhei.ttc,WenQuanYi Micro Hei'
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
    touch "$stamp"
fi
