#!/usr/bin/python3
"""A cache file written by the agent's classes (under Wine) parsed by Python's XML parser, and
a file written here read back by the agent's classes: the message comes back exactly.

    cache_check.py ROOT TOOL_EXE
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

MESSAGE = "{{ELM}}_MSG__ first\r\nsecond\ttabbed &<>\"' \u00c4\u00df\u4e2d \U0001F600 end\n"


def utf16_hex(text):
    return text.encode("utf-16-be", "surrogatepass").hex().upper()


def tool(root, exe, *args):
    return subprocess.run([root + "/tools/wine-run", exe, *args], capture_output=True, text=True, timeout=120)


def main():
    root, exe = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        written = os.path.join(folder, "AgentNotSent-check-00000.xml")
        result = tool(root, exe, "write", "Z:" + written.replace("/", "\\"), utf16_hex(MESSAGE))
        assert result.returncode == 0, result
        tree = ElementTree.parse(written)
        root_element = tree.getroot()
        assert root_element.tag == "HRD", root_element.tag
        assert root_element.get("Description") == "Quorvex Windows Agent"
        assert root_element.get("{http://www.w3.org/XML/1998/namespace}lang") == "EN"
        message = root_element.find("EventLogMessage")
        assert message.get("Host") == "collector.example" and message.get("Port") == "7000"
        assert message.get("Message") == MESSAGE, repr(message.get("Message"))

        outside = os.path.join(folder, "AgentNotSent-outside-00001.xml")
        element = ElementTree.Element("HRD", {"Description": "Quorvex Windows Agent"})
        ElementTree.SubElement(element, "EventLogMessage", {"Host": "h2", "Message": MESSAGE, "Port": "7258"})
        ElementTree.ElementTree(element).write(outside, encoding="UTF-8", xml_declaration=True)
        result = tool(root, exe, "read", "Z:" + outside.replace("/", "\\"))
        assert result.returncode == 0, result
        host, port, hex_text = result.stdout.split()
        assert (host, port) == ("h2", "7258"), result.stdout
        assert hex_text == utf16_hex(MESSAGE), (hex_text, utf16_hex(MESSAGE))
    print("cache check passed")


if __name__ == "__main__":
    main()
