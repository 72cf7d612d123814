"""Independent structure check of a CANopen electronic data sheet.

Usage: eds_check.py [--any-line-ends] FILE
Exit status 0 when the sheet passes, 1 with one message per fault otherwise.
"""
import configparser
import re
import sys

OBJECT = re.compile(r"^[0-9A-Fa-f]{4}$")
SUB = re.compile(r"^([0-9A-Fa-f]{4})sub([0-9A-Fa-f]+)$")
LISTS = ("MandatoryObjects", "OptionalObjects", "ManufacturerObjects")


def number(text):
    return int(text.strip(), 0)


def check(path, line_ends):
    faults = []
    raw = open(path, "rb").read()
    if raw.startswith(b"\xef\xbb\xbf") or raw.startswith(b"\xff\xfe") or raw.startswith(b"\xfe\xff"):
        faults.append("byte-order mark")
    if line_ends:
        if re.search(rb"(?<!\r)\n", raw) or re.search(rb"\r(?!\n)", raw):
            faults.append("a line end other than CR LF")
        if not raw.endswith(b"\r\n"):
            faults.append("the last line has no CR LF")

    parser = configparser.ConfigParser(strict=True, interpolation=None)
    try:
        parser.read_string(raw.decode("cp1252"), source=path)
    except (configparser.Error, UnicodeDecodeError) as e:
        return faults + ["not readable: %s" % e]

    sections = {s.upper(): s for s in parser.sections()}
    objects = {s.upper() for s in parser.sections() if OBJECT.match(s)}
    listed = set()
    for name in LISTS:
        if name not in parser:
            faults.append("[%s] missing" % name)
            continue
        sec = parser[name]
        count = number(sec.get("SupportedObjects", "-1"))
        entries = [k for k in sec if k.lower() != "supportedobjects"]
        if count != len(entries):
            faults.append("[%s] SupportedObjects=%d but %d entries" % (name, count, len(entries)))
        for i in range(1, count + 1):
            if str(i) not in sec:
                faults.append("[%s] entry %d missing" % (name, i))
        for k in entries:
            obj = "%04X" % number(sec[k])
            listed.add(obj)
            if obj not in sections:
                faults.append("[%s] %s=%s has no section" % (name, k, sec[k]))
    for obj in sorted(objects - listed):
        faults.append("[%s] is listed in no object list" % sections[obj])

    subs = {}
    for s in parser.sections():
        m = SUB.match(s)
        if m:
            subs.setdefault(m.group(1).upper(), []).append(s)
            if m.group(1).upper() not in objects:
                faults.append("[%s] has no object section" % s)
    for obj in sorted(objects):
        sec = parser[sections[obj]]
        if "SubNumber" in sec and "CompactSubObj" not in sec:
            want = number(sec["SubNumber"])
            have = len(subs.get(obj, []))
            if want != have:
                faults.append("[%s] SubNumber=%d but %d sub-sections" % (sections[obj], want, have))
        elif obj in subs and "CompactSubObj" not in sec:
            faults.append("[%s] has sub-sections but no SubNumber" % sections[obj])
        # CiA 301: sub-index 0 of an object with further sub-indexes holds their count.
        by_sub = {int(SUB.match(n).group(2), 16): n for n in subs.get(obj, [])}
        if 0 in by_sub and len(by_sub) > 1:
            data_type = parser[by_sub[0]].get("DataType", "")
            try:
                unsigned8 = number(data_type) == 5
            except ValueError:
                unsigned8 = False
            if not unsigned8:
                faults.append("[%s] DataType=%s: sub-index 0 of a record must be UNSIGNED8"
                              % (by_sub[0], data_type))
    return faults


def main():
    args = sys.argv[1:]
    line_ends = True
    if args and args[0] == "--any-line-ends":
        line_ends = False
        args = args[1:]
    if len(args) != 1:
        print(__doc__)
        return 2
    faults = check(args[0], line_ends)
    for f in faults:
        print(f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
