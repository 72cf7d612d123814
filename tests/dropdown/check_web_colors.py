#!/usr/bin/python3
"""Checks the colour picker's web colour names against the CSS colour table of
the webcolors module: every name, without its "clWeb" prefix and in any letter
case, must be a CSS colour name with the same RGB value, and the table must hold
138 distinct names. Exits 77 (skipped) when the module is missing."""
import re
import sys

try:
    import webcolors
except ImportError:
    print("SKIP: the Python module webcolors (Debian package python3-webcolors) is not installed")
    sys.exit(77)


def css_table():
    # The module has named its CSS table differently across versions.
    for attr in ("CSS3_NAMES_TO_HEX", "_definitions._CSS3_NAMES_TO_HEX"):
        obj = webcolors
        try:
            for part in attr.split("."):
                obj = getattr(obj, part)
            return {k.lower(): v.lower() for k, v in obj.items()}
        except AttributeError:
            continue
    names = webcolors.names("css3")
    return {n.lower(): webcolors.name_to_hex(n, spec="css3").lower() for n in names}


def main():
    source = open(sys.argv[1], encoding="utf-8").read()
    ours = re.findall(r'\{\s*"clWeb(\w+)",\s*0x([0-9A-Fa-f]{6})\s*\}', source)
    css = css_table()
    faults = []
    if len(ours) != 138:
        faults.append("%d names in the table, 138 expected" % len(ours))
    seen = set()
    for name, value in ours:
        key = name.lower()
        if key in seen:
            faults.append("clWeb%s appears twice" % name)
        seen.add(key)
        if key not in css:
            faults.append("clWeb%s is no CSS colour name" % name)
        elif css[key] != "#" + value.lower():
            faults.append("clWeb%s is #%s, CSS says %s" % (name, value.upper(), css[key].upper()))
    for f in faults:
        print(f)
    print("%d web colour names checked against %d CSS colours: %s"
          % (len(ours), len(css), "FAILED" if faults else "all match"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
