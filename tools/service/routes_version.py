"""The maker's version service: GET /up.php?value={ver:v<version>,type:info,mode:tvn} (version
information) and GET /up.php?value={ver:v<version>,type:log} (change log), on both ports.

State keys (all optional):
  version.info   what the version-information request gets: "fields" (default: the five fields
                 below), "zero" (the installed version is the newest), "empty", "twozeros",
                 "malformed", "oversized" (the five fields with a file name of OVERSIZED bytes), or
                 a fault: "500", "close" (connection closed without an answer), "stall" (no answer
                 for version.stall_seconds, then closed)
  version.log    what the change-log request gets: "lines" (default), "empty", "nobacktick",
                 "oversized" (OVERSIZED bytes of lines), or one of the faults above
  version.info_text / version.log_text   a literal body, used instead of the preset when set
  version.engine, version.newest, version.file, version.url, version.md5   the five fields
  version.stall_seconds   how long a stall lasts (default 3)
Every request is recorded as kind "version" with its decoded query value, type and port.
"""
import re
import urllib.parse

DEFAULTS = {
    "version.engine": "0",
    "version.newest": "2.5.1.300",
    "version.file": "TavrinSetup.exe",
    "version.md5": "d41d8cd98f00b204e9800998ecf8427e",
}

# More than any client keeps of a text answer (1 MiB).
OVERSIZED = 3 << 20

CHANGE_LOG = {
    "lines": "修复了下载中断的问题`新增皮肤`提升安装速度`",
    "empty": "",
    "nobacktick": "本次更新没有说明",
}


def setting(app, key):
    if key in app.state:
        return app.state[key]
    if key == "version.url":
        return "http://127.0.0.1:%d/pkg/TavrinSetup.exe" % app.ports[0]
    return DEFAULTS.get(key, "")


def info_body(app, preset):
    if preset == "zero":
        return "0"
    if preset == "empty":
        return ""
    if preset == "twozeros":
        return "00"
    if preset == "malformed":
        return "this is no version answer"
    fields = [setting(app, k) for k in ("version.engine", "version.newest", "version.file", "version.url")]
    if preset == "oversized":
        fields[2] = "a" * OVERSIZED + ".exe"
    return "`".join(fields) + "`" + setting(app, "version.md5") + "}"


def answer(app, h, kind):
    preset = app.state.get("version." + kind, "")
    literal = app.state.get("version.%s_text" % kind)
    if preset == "500":
        app.send_text(h, 500, "internal error: " + kind)
    elif preset == "close":
        app.close_without_answer(h, 0)
    elif preset == "stall":
        app.close_without_answer(h, float(app.state.get("version.stall_seconds", "3")))
    else:
        if literal is not None:
            body = literal
        elif kind == "info":
            body = info_body(app, preset or "fields")
        elif preset == "oversized":
            body = "line`" * (OVERSIZED // 5)
        else:
            body = CHANGE_LOG.get(preset or "lines", CHANGE_LOG["lines"])
        app.send_text(h, 200, body)


def up_php(app, h, match):
    query = urllib.parse.parse_qs(urllib.parse.urlsplit(h.path).query, keep_blank_values=True)
    value = query.get("value", [""])[-1]
    kind = "log" if re.search(r"type:log\b", value) else "info"
    app.record("version", {"value": value, "type": kind, "port": h.server.server_port,
                           "agent": h.headers.get("User-Agent", "")})
    answer(app, h, kind)


def register(app):
    app.route("GET", r"^/up\.php$", lambda h, m: up_php(app, h, m))
