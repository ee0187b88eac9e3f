"""The maker's report host and home page.

GET /report?tvn_onlineinstall_<machine id>_V<version>_<channel>=   the install report; recorded as kind
    "report" with the raw query, the port, the agent and the key's parts (machine, version, channel).
    The query is taken as sent: "+" joins the MAC address and the disk serial number and is not a blank.
GET /home   the home page the finish view opens; recorded as kind "home".
Both answer 200.
"""
import re
import urllib.parse

REPORT_KEY = re.compile(r"^tvn_onlineinstall_(?P<machine>.*)_V(?P<version>[^_]*)_(?P<channel>.*)$")


def _query_of(h):
    return urllib.parse.urlsplit(h.path).query


def parse_report_query(query):
    """The key's parts of an install report's query, None for a query of another form."""
    # Split before unescaping, so that an escaped "=" inside a field stays in its field.
    key, equals, value = query.partition("=")
    match = REPORT_KEY.match(urllib.parse.unquote(key))
    if not equals or not match:
        return None
    return dict(match.groupdict(), value=urllib.parse.unquote(value))


def report(app, h, match):
    query = _query_of(h)
    fields = {"path": h.path, "query": query, "port": h.server.server_port,
              "agent": h.headers.get("User-Agent", "")}
    parts = parse_report_query(query)
    if parts:
        fields.update(parts)
    app.record("report", fields)
    app.send_text(h, 200, "ok")


def home(app, h, match):
    app.record("home", {"path": h.path, "port": h.server.server_port})
    app.send_text(h, 200, "<html><head><meta charset=\"utf-8\"><title>Tavrin</title></head>"
                          "<body>Tavrin</body></html>", "text/html; charset=utf-8")


def register(app):
    app.route("GET", r"^/report/?$", lambda h, m: report(app, h, m))
    app.route("GET", r"^/home/?$", lambda h, m: home(app, h, m))
