#!/usr/bin/python3
"""The report host and home page of the local test service, asked over HTTP as the installer asks them."""
import importlib.util
import json
import os
import unittest
import urllib.request

SOURCE = os.environ.get("TAVRIN_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("TAVRIN_BINARY_DIR", os.path.join(SOURCE, "build"))


def load_service_module(name):
    path = os.path.join(SOURCE, "tools", "service", name + ".py")
    spec = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def load_routes():
    return load_service_module("routes_report")


PORT = load_service_module("server").read_ports_file(os.path.join(BUILD, "service-ports.env"))[0]
SERVICE = "http://127.0.0.1:%d" % PORT


def get(path, agent="Download From HTTP"):
    request = urllib.request.Request(SERVICE + path, headers={"User-Agent": agent})
    with urllib.request.urlopen(request, timeout=180) as answer:
        return answer.status, answer.read().decode("utf-8")


def records(kind):
    return json.loads(get("/_control/records?kind=" + kind)[1])


class ReportQuery(unittest.TestCase):
    def test_key_splits_into_machine_version_and_channel(self):
        parse = load_routes().parse_report_query
        self.assertEqual(parse("tvn_onlineinstall_00-1A-2B-3C-4D-5E+WD-1234_V2.5.1.300_1001="),
                         {"machine": "00-1A-2B-3C-4D-5E+WD-1234", "version": "2.5.1.300", "channel": "1001",
                          "value": ""})
        self.assertEqual(parse("tvn_onlineinstall_AA+S_N_V_2.5_V2.5.1.300_=")["machine"], "AA+S_N_V_2.5")
        self.assertEqual(parse("tvn_onlineinstall_AA+_V_=")["channel"], "")
        self.assertEqual(parse("tvn_onlineinstall_AA_V1_ch%3Dx=")["channel"], "ch=x")
        self.assertIsNone(parse("tvn_onlineinstall_no_version="))
        self.assertIsNone(parse("other=1"))


class LiveService(unittest.TestCase):
    def setUp(self):
        get("/_control/reset")

    def test_report_is_answered_and_recorded_as_sent(self):
        query = "tvn_onlineinstall_00-1A-2B-3C-4D-5E+WD-1234_V2.5.1.300_1001="
        self.assertEqual(get("/report?" + query)[0], 200)
        [record] = records("report")
        self.assertEqual(record["query"], query)
        self.assertEqual(record["machine"], "00-1A-2B-3C-4D-5E+WD-1234")
        self.assertEqual(record["version"], "2.5.1.300")
        self.assertEqual(record["channel"], "1001")
        self.assertEqual(record["agent"], "Download From HTTP")
        self.assertEqual(record["port"], PORT)

    def test_home_page_is_answered_and_recorded(self):
        status, body = get("/home", agent="browser")
        self.assertEqual(status, 200)
        self.assertIn("Tavrin", body)
        self.assertEqual([r["path"] for r in records("home")], ["/home"])
        self.assertEqual(records("report"), [])


if __name__ == "__main__":
    unittest.main()
