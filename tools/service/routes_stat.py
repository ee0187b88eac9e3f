"""The statistics server: GET /tj.html?value=<app id>_<Base64 text>, on both ports, below any base
path (the client's server address may carry one).

The Base64 text is taken raw from the request line (a "+" stays a "+"), decoded and decrypted with
AES-CFB (full-block feedback) under the key and vector texts below; the first key whose plaintext is
JSON wins. Every request is recorded as kind "stat" with:
  app_id, payload   the two parts of the query value, as sent
  text              the exact decrypted text (bytes as Latin-1 characters; trailing newline kept)
  document          the parsed JSON, or null when no key yields JSON
  key               which key decrypted it: "state", "installer", "module" or "" (none)
  port              the port that took the request
  base              the path before "/tj.html", as sent

State keys (all optional):
  stat.mode          "ok" (default: 200 "ok"), "404" (404 after recording), "close" (connection
                     closed without an answer), "stall" (no answer for stat.stall_seconds, then
                     closed), "flood" (200 with a body of FLOOD bytes)
  stat.stall_seconds how long a stall lasts (default 12)
  stat.key, stat.iv  a further key and vector text, tried before the built-in ones
"""
import base64
import binascii
import json

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes

# Twice what a client keeps of an answer (1 MiB), sent at once; small enough to be read well within
# the report's fixed six seconds on an emulated machine.
FLOOD = 2 << 20

# The module's built-in key and the installer's own key; both use the module's vector text.
MODULE_KEY = "5e1b7c93a0d24f68b1c07e9a3d52f816"
INSTALLER_KEY = "3f8a2c71d6b94e05a7c18f2b6d3e9a40"
IV = "Rk7#mQ2v!Lp9wZ4x"


def candidate_keys(app):
    keys = []
    if app.state.get("stat.key"):
        keys.append(("state", app.state["stat.key"], app.state.get("stat.iv", IV)))
    keys.append(("installer", INSTALLER_KEY, IV))
    keys.append(("module", MODULE_KEY, IV))
    return keys


def decrypt(key_text, iv_text, ciphertext):
    key = key_text.encode("latin-1")
    iv = iv_text.encode("latin-1")[:16]
    decryptor = Cipher(algorithms.AES(key), modes.CFB(iv)).decryptor()
    return decryptor.update(ciphertext) + decryptor.finalize()


def read_report(app, raw_value):
    app_id, _, payload = raw_value.rpartition("_")
    fields = {"app_id": app_id, "payload": payload, "text": None, "document": None, "key": ""}
    try:
        ciphertext = base64.b64decode(payload, validate=True)
    except (binascii.Error, ValueError):
        return fields
    for name, key_text, iv_text in candidate_keys(app):
        try:
            text = decrypt(key_text, iv_text, ciphertext).decode("latin-1")
            document = json.loads(text)
        except ValueError:
            continue
        fields.update(text=text, document=document, key=name)
        break
    return fields


def tj_html(app, h, match):
    query = h.path.partition("?")[2]
    raw_value = query[len("value="):] if query.startswith("value=") else ""
    fields = read_report(app, raw_value)
    fields["port"] = h.server.server_port
    fields["base"] = match.group(1) or ""
    app.record("stat", fields)
    mode = app.state.get("stat.mode", "ok")
    if mode == "404":
        app.send_text(h, 404, "not found")
    elif mode == "close":
        app.close_without_answer(h, 0)
    elif mode == "stall":
        app.close_without_answer(h, float(app.state.get("stat.stall_seconds", "12")))
    elif mode == "flood":
        app.send_text(h, 200, b"x" * FLOOD)
    else:
        app.send_text(h, 200, "ok")


def register(app):
    app.route("GET", r"^(/.*)?/tj\.html$", lambda h, m: tj_html(app, h, m))
