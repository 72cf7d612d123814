#!/usr/bin/python3
"""Writes the seed files of the office and archive fuzz targets into the folders beside
this script: small files that the readers take whole, so that fuzzing starts past the
headers. The output is the same on every run (fixed zip dates, no clocks).

    /usr/bin/python3 fuzz/seeds/make_seeds.py

  zip/   an archive with a stored entry, a deflated entry and a folder
  xlsx/  a workbook of two sheets: numbers, Booleans, shared, inline and error cells
  docx/  a document with runs, a tab, a break, a bookmark and a 2 x 2 table
  xls/   a legacy workbook of text, numbers and a formula (python3-xlwt)
  mdb/   Access databases in the Jet 4 and Jet 3 page formats, one user table of
         text, integer, floating, Boolean, date and memo columns (written here, page by
         page, since no Debian tool writes the format)
  html_markup/, rtf/, drop_formats/   cell markup, a rich text and a dropped file list
"""
import io
import os
import struct
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATE = (1980, 1, 1, 0, 0, 0)


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    with open(os.path.join(HERE, folder, name), "wb") as f:
        f.write(data)


def package(parts, stored=()):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, text in parts:
            info = zipfile.ZipInfo(name, DATE)
            info.compress_type = zipfile.ZIP_STORED if name in stored else zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            z.writestr(info, text)
    return buf.getvalue()


# ---------------------------------------------------------------- zip

def zip_seed():
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        d = zipfile.ZipInfo("folder/", DATE)
        d.external_attr = (0o40755 << 16) | 0x10
        z.writestr(d, b"")
        s = zipfile.ZipInfo("folder/stored.txt", DATE)
        s.compress_type = zipfile.ZIP_STORED
        z.writestr(s, b"stored bytes\n")
        c = zipfile.ZipInfo("deflated.xml", DATE)
        c.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(c, b"<a>" + b"<b>text</b>" * 20 + b"</a>")
    return buf.getvalue()


# ---------------------------------------------------------------- xlsx

DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
DOC_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
SML = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
SML_CT = "application/vnd.openxmlformats-officedocument.spreadsheetml"
WML = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"


def xlsx_seed():
    sheet = lambda rows, view="": (
        DECL + f'<worksheet xmlns="{SML}" xmlns:r="{DOC_REL}"><dimension ref="A1:C3"/>'
        f"<sheetViews><sheetView workbookViewId=\"0\">{view}</sheetView></sheetViews>"
        f"<sheetData>{rows}</sheetData></worksheet>")
    rows1 = ('<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>'
             '<c r="C1" t="inlineStr"><is><t>inline_x000D_text</t></is></c></row>'
             '<row r="2"><c r="A2"><v>42</v></c><c r="B2"><v>-1.5E-3</v></c><c r="C2" t="b"><v>1</v></c></row>'
             '<row r="3"><c r="A3" s="1"><v>45000.25</v></c><c r="B3" t="e"><v>#DIV/0!</v></c>'
             '<c r="C3" t="str"><f>A2*2</f><v>84</v></c></row>')
    rows2 = '<row><c><v>1</v></c><c t="b"><v>0</v></c></row><row r="4"><c r="D4" t="s"><v>1</v></c></row>'
    return package([
        ("[Content_Types].xml", DECL +
         '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
         '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
         '<Default Extension="xml" ContentType="application/xml"/>'
         f'<Override PartName="/xl/workbook.xml" ContentType="{SML_CT}.sheet.main+xml"/>'
         f'<Override PartName="/xl/styles.xml" ContentType="{SML_CT}.styles+xml"/>'
         f'<Override PartName="/xl/sharedStrings.xml" ContentType="{SML_CT}.sharedStrings+xml"/>'
         f'<Override PartName="/xl/worksheets/sheet1.xml" ContentType="{SML_CT}.worksheet+xml"/>'
         f'<Override PartName="/xl/worksheets/sheet2.xml" ContentType="{SML_CT}.worksheet+xml"/>'
         "</Types>"),
        ("_rels/.rels", DECL + f'<Relationships xmlns="{PKG_REL}">'
         f'<Relationship Id="rId1" Type="{DOC_REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>'),
        ("xl/workbook.xml", DECL + f'<workbook xmlns="{SML}" xmlns:r="{DOC_REL}">'
         '<bookViews><workbookView activeTab="1"/></bookViews><sheets>'
         '<sheet name="Devices" sheetId="1" r:id="rId1"/><sheet name="Second" sheetId="2" r:id="rId2"/>'
         "</sheets></workbook>"),
        ("xl/_rels/workbook.xml.rels", DECL + f'<Relationships xmlns="{PKG_REL}">'
         f'<Relationship Id="rId1" Type="{DOC_REL}/worksheet" Target="worksheets/sheet1.xml"/>'
         f'<Relationship Id="rId2" Type="{DOC_REL}/worksheet" Target="/xl/worksheets/sheet2.xml"/>'
         f'<Relationship Id="rId3" Type="{DOC_REL}/styles" Target="styles.xml"/>'
         f'<Relationship Id="rId4" Type="{DOC_REL}/sharedStrings" Target="sharedStrings.xml"/>'
         "</Relationships>"),
        ("xl/styles.xml", DECL + f'<styleSheet xmlns="{SML}"><numFmts count="1">'
         '<numFmt numFmtId="164" formatCode="yyyy-mm-dd hh:mm"/></numFmts>'
         '<cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="164" applyNumberFormat="1"/></cellXfs></styleSheet>'),
        ("xl/sharedStrings.xml", DECL + f'<sst xmlns="{SML}" count="2" uniqueCount="2">'
         '<si><t>Name</t></si><si><r><t>rich </t></r><r><rPr><b/></rPr><t xml:space="preserve">text </t></r></si></sst>'),
        ("xl/worksheets/sheet1.xml", sheet(rows1)),
        ("xl/worksheets/sheet2.xml", sheet(rows2, '<selection activeCell="B4" sqref="B4"/>')),
    ])


# ---------------------------------------------------------------- docx

def docx_seed():
    body = (
        '<w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:t>Title</w:t></w:r></w:p>'
        '<w:p><w:r><w:t xml:space="preserve">one </w:t><w:tab/><w:t>two</w:t><w:br/><w:t>three</w:t></w:r>'
        '<w:bookmarkStart w:id="0" w:name="b"/><w:r><w:t>marked</w:t></w:r><w:bookmarkEnd w:id="0"/></w:p>'
        "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr><w:tblGrid><w:gridCol/><w:gridCol/></w:tblGrid>"
        '<w:tr><w:tc><w:p><w:r><w:t>a</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>b</w:t></w:r></w:p></w:tc></w:tr>'
        '<w:tr><w:tc><w:p/></w:tc><w:tc><w:p><w:pPr><w:jc w:val="right"/></w:pPr><w:r><w:t>d</w:t></w:r></w:p></w:tc></w:tr>'
        "</w:tbl><w:p/>"
        '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr>')
    return package([
        ("[Content_Types].xml", DECL +
         '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
         '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
         '<Default Extension="xml" ContentType="application/xml"/>'
         '<Override PartName="/word/document.xml" '
         'ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>'
         "</Types>"),
        ("_rels/.rels", DECL + f'<Relationships xmlns="{PKG_REL}">'
         f'<Relationship Id="rId1" Type="{DOC_REL}/officeDocument" Target="word/document.xml"/></Relationships>'),
        ("word/document.xml", DECL + f'<w:document xmlns:w="{WML}"><w:body>{body}</w:body></w:document>'),
    ], stored=("[Content_Types].xml",))


# ---------------------------------------------------------------- xls

def xls_seed():
    try:
        import xlwt
    except ImportError:
        print("python3-xlwt is not installed: the .xls seed is left as it is", file=sys.stderr)
        return None
    book = xlwt.Workbook()
    s = book.add_sheet("Devices")
    for c, text in enumerate(["Name", "Port", "Ratio"]):
        s.write(0, c, text)
    s.write(1, 0, "Gateway")
    s.write(1, 1, 502)
    s.write(1, 2, 1.25)
    s.write(2, 0, "Meter")
    s.write(2, 1, xlwt.Formula("B2+1"))
    s.write(2, 2, True)
    book.add_sheet("Empty")
    out = io.BytesIO()
    book.save(out)
    return out.getvalue()


# ---------------------------------------------------------------- mdb
#
# The layout the readers expect: page 0 the database header (its fields from 0x18 are
# RC4-masked with a fixed key), page 2 the definition of the catalog table MSysObjects, data
# pages that name their table definition page, and usage maps (rows of a data page) that
# list each table's data pages.

BOOL, INT, LONG, DOUBLE, DATETIME, TEXT, OLE, MEMO = 0x01, 0x03, 0x04, 0x07, 0x08, 0x0A, 0x0B, 0x0C
FIXED_SIZE = {BOOL: 0, INT: 2, LONG: 4, DOUBLE: 8, DATETIME: 8}


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    out = bytearray()
    i = j = 0
    for b in data:
        i = (i + 1) & 0xFF
        j = (j + s[i]) & 0xFF
        s[i], s[j] = s[j], s[i]
        out.append(b ^ s[(s[i] + s[j]) & 0xFF])
    return bytes(out)


class Jet:
    def __init__(self, jet4):
        self.jet4 = jet4
        self.page = 4096 if jet4 else 2048
        self.row_count_at = 12 if jet4 else 8

    def text(self, s):
        return s.encode("utf-16-le") if self.jet4 else s.encode("cp1252")

    def header(self):
        p = bytearray(self.page)
        p[0:4] = b"\x00\x01\x00\x00"
        p[4:20] = b"Standard Jet DB\x00"
        struct.pack_into("<I", p, 0x14, 1 if self.jet4 else 0)
        clear = bytearray(128 if self.jet4 else 126)
        struct.pack_into("<H", clear, 0x3C - 0x18, 1252)          # code page
        struct.pack_into("<I", clear, 0x3E - 0x18, 0)             # no page encryption
        struct.pack_into("<H", clear, (0x6E if self.jet4 else 0x3A) - 0x18, 0x409)  # sort order
        p[0x18:0x18 + len(clear)] = rc4(struct.pack("<I", 0x6B39DAC7), bytes(clear))
        return bytes(p)

    def data_page(self, owner, rows):
        p = bytearray(self.page)
        p[0], p[1] = 0x01, 0x01
        struct.pack_into("<I", p, 4, owner)
        struct.pack_into("<H", p, self.row_count_at, len(rows))
        end = self.page
        for i, r in enumerate(rows):
            end -= len(r)
            p[end:end + len(r)] = r
            struct.pack_into("<H", p, self.row_count_at + 2 + 2 * i, end)
        struct.pack_into("<H", p, 2, end - (self.row_count_at + 2 + 2 * len(rows)))
        return bytes(p)

    @staticmethod
    def usage_map(page):
        # Type 0: the first page it maps, then one bit a page.
        bits = bytearray(59)
        bits[page // 8] |= 1 << (page % 8)
        return b"\x00" + struct.pack("<I", 0) + bytes(bits)

    def layout(self, columns):
        """Column entries: (name, type, size, fixed offset or var index)."""
        out, fixed_at, var_at = [], 0, 0
        for name, kind, size in columns:
            if kind in FIXED_SIZE:
                out.append((name, kind, FIXED_SIZE[kind], True, fixed_at))
                fixed_at += FIXED_SIZE[kind]
            else:
                out.append((name, kind, size, False, var_at))
                var_at += 1
        return out, fixed_at

    def tdef(self, columns, rows, usage_row, system):
        cols, _ = self.layout(columns)
        nvar = sum(1 for c in cols if not c[3])
        b = bytearray()
        if self.jet4:
            b += struct.pack("<BBHI", 0x02, 0x01, 0, 0)
            b += struct.pack("<IIII", 0, 0, rows, 0) + bytes(4) + struct.pack("<I", 0) + bytes(8)
            b += struct.pack("<BHHHII", 0x53 if system else 0x4E, len(cols), nvar, len(cols), 0, 0)
        else:
            b += struct.pack("<BBHI", 0x02, 0x01, 0x4356, 0)      # 'VC'
            b += struct.pack("<III", 0, rows, 0)
            b += struct.pack("<BHHHII", 0x53 if system else 0x4E, len(cols), nvar, len(cols), 0, 0)
        b += struct.pack("<II", usage_row, usage_row + 1)       # used pages, pages with room
        for n, (name, kind, size, fixed, at) in enumerate(cols):
            flags = 0x01 if fixed else 0x02
            var_index = 0 if fixed else at
            fixed_at = at if fixed else 0
            if self.jet4:
                b += struct.pack("<BIHHHHHBBIHH", kind, 0, n, var_index, n, 0x409 if kind in (TEXT, MEMO) else 0,
                                 0, flags, 0, 0, fixed_at, size)
            else:
                b += struct.pack("<BHHHHHHBHH", kind, n, var_index, n, 0x409 if kind in (TEXT, MEMO) else 0,
                                 1252 if kind in (TEXT, MEMO) else 0, 0, flags, fixed_at, size)
        for name, *_ in cols:
            raw = self.text(name)
            b += struct.pack("<H" if self.jet4 else "<B", len(raw)) + raw
        b += struct.pack("<H", 0xFFFF)
        struct.pack_into("<I", b, 8, len(b) - 8)
        if self.jet4:
            struct.pack_into("<H", b, 2, self.page - len(b) - 8)
        return bytes(b + bytes(self.page - len(b)))

    def row(self, columns, values):
        """values: one per column, None for null; a Boolean's value is its null bit."""
        cols, fixed_len = self.layout(columns)
        present = [v is not None and v is not False for v in values]
        fixed = bytearray(fixed_len)
        var = []
        for (name, kind, size, is_fixed, at), v in zip(cols, values):
            if is_fixed:
                if kind == BOOL or v is None:
                    continue
                fmt = {INT: "<h", LONG: "<i", DOUBLE: "<d", DATETIME: "<d"}[kind]
                struct.pack_into(fmt, fixed, at, v)
            else:
                data = b""
                if v is not None:
                    data = self.text(v)
                    if kind == MEMO:       # held in the row: length with the in-line flag
                        data = struct.pack("<III", len(data) | 0x80000000, 0, 0) + data
                var.append(data)
        count = len(cols)
        mask = bytearray((count + 7) // 8)
        for n, p in enumerate(present):
            if p:
                mask[n // 8] |= 1 << (n % 8)
        if self.jet4:
            head = struct.pack("<H", count) + fixed
            offsets, at = [], len(head)
            for d in var:
                offsets.append(at)
                at += len(d)
            body = head + b"".join(var)
            tail = struct.pack("<H", at) + b"".join(struct.pack("<H", o) for o in reversed(offsets))
            tail += struct.pack("<H", len(var))
        else:
            head = struct.pack("<B", count) + fixed
            offsets, at = [], len(head)
            for d in var:
                offsets.append(at)
                at += len(d)
            body = head + b"".join(var)
            tail = struct.pack("<B", at) + bytes(reversed(offsets)) + struct.pack("<B", len(var))
        out = bytes(body + tail + mask)
        assert self.jet4 or len(out) <= 256, "a longer Jet 3 row needs a jump table"
        return out


CATALOG = [("Id", LONG, 4), ("Name", TEXT, 510), ("Type", INT, 2), ("Flags", LONG, 4), ("LvProp", OLE, 0)]
DEVICES = [("ID", LONG, 4), ("Name", TEXT, 100), ("Port", INT, 2), ("Ratio", DOUBLE, 8),
           ("Enabled", BOOL, 0), ("Created", DATETIME, 8), ("Notes", MEMO, 0)]


def mdb_seed(jet4):
    j = Jet(jet4)
    # Pages: 0 header, 1 usage maps, 2 catalog definition, 3 catalog rows,
    # 4 table definition, 5 table rows.
    maps = j.data_page(0, [j.usage_map(3), j.usage_map(3), j.usage_map(5), j.usage_map(5)])
    catalog_rows = [
        j.row(CATALOG, [2, "MSysObjects", 1, -0x80000000, None]),
        j.row(CATALOG, [4, "Devices", 1, 0, None]),
    ]
    device_rows = [
        j.row(DEVICES, [1, "Gateway", 502, 1.5, True, 45000.5, "first device"]),
        j.row(DEVICES, [2, "Meter", -7, -0.25, False, 36526.0, None]),
        j.row(DEVICES, [3, None, None, 1e300, True, None, "x"]),
    ]
    pages = [
        j.header(),
        maps,
        j.tdef(CATALOG, len(catalog_rows), (1 << 8) | 0, True),
        j.data_page(2, catalog_rows),
        j.tdef(DEVICES, len(device_rows), (1 << 8) | 2, False),
        j.data_page(4, device_rows),
    ]
    return b"".join(pages)


# ---------------------------------------------------------------- small text formats

HTML = ('<B>bold</B> <I>it</I> <U>u</U> <FONT color="clRed" size="10" face="Arial">font</FONT><BR>'
        '<P align="right">para</P><A href="http://127.0.0.1/">link</A> &amp;&lt;&gt;&nbsp;'
        '<IMG src="idx:1"> <IND x="20">ind <SUB>s</SUB><SUP>2</SUP> <HI>high</HI> <SHAD>sh</SHAD>'
        '<FORM><CONTROL TYPE="EDIT" WIDTH="40" ID="e" VALUE="text"> '
        '<CONTROL TYPE="CHECK" ID="c" VALUE="TRUE"> <CONTROL TYPE="RADIO" ID="r" GROUP="g" VALUE="FALSE"></FORM>')
RTF = (r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}{\f1 Courier New;}}"
       r"{\colortbl ;\red255\green0\blue0;}\viewkind4\uc1\pard\f0\fs20 plain \b bold\b0  \i it\i0 "
       r"\cf1 red\cf0\par\f1 second\tab line \u8364? \'e9\line end\par}")


def drop_files():
    # DROPFILES: offset of the names, drop point, non-client flag, wide names; then the
    # names, each ended by a null, the list by another.
    names = "/tmp/a.csv\0/tmp/b c.xml\0\0".encode("utf-16-le")
    return struct.pack("<IiiII", 20, 5, 7, 0, 1) + names


def main():
    write("zip", "two_entries_and_folder.zip", zip_seed())
    write("xlsx", "two_sheets.xlsx", xlsx_seed())
    write("docx", "table_and_bookmark.docx", docx_seed())
    xls = xls_seed()
    if xls is not None:
        write("xls", "two_sheets.xls", xls)
    write("mdb", "devices_jet4.mdb", mdb_seed(True))
    write("mdb", "devices_jet3.mdb", mdb_seed(False))
    write("html_markup", "tags_and_controls.txt", HTML.encode())
    write("rtf", "fonts_colours_unicode.rtf", RTF.encode())
    write("drop_formats", "two_files.bin", drop_files())


if __name__ == "__main__":
    main()
