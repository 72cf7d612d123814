#include "platform/office/document_file.h"

#include "platform/core/files.h"
#include "platform/office/ooxml_package.h"

#include <cstring>
#include <functional>

namespace {

const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

bool Is(const pugi::xml_node& N, const char* Local)
{
    return N.type() == pugi::node_element && std::strcmp(LocalName(N), Local) == 0;
}

// Characters a run element stands for.
int AtomLength(const pugi::xml_node& N)
{
    if (Is(N, "t"))
        return int(QString::fromUtf8(N.text().get()).size());
    if (Is(N, "tab") || Is(N, "br") || Is(N, "cr"))
        return 1;
    return 0;
}

int TextLength(const pugi::xml_node& N)
{
    int n = AtomLength(N);
    if (Is(N, "delText") || Is(N, "instrText"))
        return 0;
    for (pugi::xml_node c = N.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && !Is(c, "pPr") && !Is(c, "rPr"))
            n += TextLength(c);
    return n;
}

QString PlainText(const pugi::xml_node& N)
{
    if (Is(N, "t"))
        return QString::fromUtf8(N.text().get());
    if (Is(N, "tab"))
        return QStringLiteral("\t");
    if (Is(N, "br") || Is(N, "cr"))
        return QStringLiteral("\n");
    QString s;
    for (pugi::xml_node c = N.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && !Is(c, "pPr") && !Is(c, "rPr") && !Is(c, "delText"))
            s += PlainText(c);
    return s;
}

// A block's length in positions: paragraph text and mark; table cells and row marks.
int BlockLength(const pugi::xml_node& B)
{
    if (Is(B, "p"))
        return TextLength(B) + 1;
    if (Is(B, "tbl")) {
        int n = 0;
        for (pugi::xml_node tr = ChildLocal(B, "tr"); tr; tr = tr.next_sibling()) {
            if (!Is(tr, "tr"))
                continue;
            for (pugi::xml_node tc = ChildLocal(tr, "tc"); tc; tc = tc.next_sibling())
                if (Is(tc, "tc"))
                    n += TextLength(tc) + 1;
            ++n;
        }
        return n;
    }
    return 0;
}

// Keeps the characters [From, To) of a run (its properties always).
void CutRun(pugi::xml_node Run, int From, int To)
{
    int at = 0;
    const int total = TextLength(Run);
    for (pugi::xml_node c = Run.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (c.type() != pugi::node_element || Is(c, "rPr")) {
            c = next;
            continue;
        }
        const int len = AtomLength(c);
        if (len == 0) {
            if (!((at >= From && at < To) || (at == total && To == total)))
                Run.remove_child(c);
        } else if (at + len <= From || at >= To) {
            Run.remove_child(c);
        } else if (Is(c, "t") && (at < From || at + len > To)) {
            const QString s = QString::fromUtf8(c.text().get());
            const int a = qMax(0, From - at);
            const int b = qMin(len, To - at);
            c.text() = s.mid(a, b - a).toUtf8().constData();
            if (!c.attribute("xml:space"))
                c.append_attribute("xml:space") = "preserve";
        }
        at += len;
        c = next;
    }
}

}  // namespace

struct TDocumentFile::TImpl {
    TOoxmlPackage Pkg;
    QString MainPart;
    QString FileName;
    std::string W = "w:";   // the prefix bound to the word-processing namespace

    pugi::xml_node Body() { return ChildLocal(Pkg.Xml(MainPart).document_element(), "body"); }
    pugi::xml_node Body() const { return const_cast<TImpl*>(this)->Body(); }
    std::string N(const char* Local) const { return W + Local; }

    std::vector<pugi::xml_node> Tables() const
    {
        std::vector<pugi::xml_node> t;
        for (pugi::xml_node b = Body().first_child(); b; b = b.next_sibling())
            if (Is(b, "tbl"))
                t.push_back(b);
        return t;
    }

    // The paragraph holding a position and the offset in it; past the end: the last paragraph's end.
    pugi::xml_node Locate(int Position, int& Offset) const
    {
        int at = 0;
        pugi::xml_node last;
        int lastStart = 0;
        for (pugi::xml_node b = Body().first_child(); b; b = b.next_sibling()) {
            const int len = BlockLength(b);
            if (Is(b, "p")) {
                if (Position >= at && Position < at + len) {
                    Offset = Position - at;
                    return b;
                }
                last = b;
                lastStart = at;
            } else if (Is(b, "tbl") && Position >= at && Position < at + len) {
                // Inside a table: the paragraph after it.
                for (pugi::xml_node n = b.next_sibling(); n; n = n.next_sibling())
                    if (Is(n, "p")) {
                        Offset = 0;
                        return n;
                    }
            }
            at += len;
        }
        if (!last)
            throw EOfficeError(QStringLiteral("The document has no paragraph"));
        Offset = TextLength(last);
        (void)lastStart;
        return last;
    }

    int StartOf(const pugi::xml_node& Block) const
    {
        int at = 0;
        for (pugi::xml_node b = Body().first_child(); b && b != Block; b = b.next_sibling())
            at += BlockLength(b);
        return at;
    }

    // The child of the paragraph before which content at Offset goes (null: at the end),
    // splitting a run that the offset cuts.
    pugi::xml_node SplitAt(pugi::xml_node Para, int Offset)
    {
        int at = 0;
        for (pugi::xml_node c = Para.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || Is(c, "pPr"))
                continue;
            const int len = TextLength(c);
            if (Offset <= at && len > 0)
                return c;
            if (Offset < at + len) {
                if (!Is(c, "r"))
                    return c.next_sibling();   // a hyperlink or field is not cut: insert after it
                pugi::xml_node tail = Para.insert_copy_after(c, c);
                CutRun(c, 0, Offset - at);
                CutRun(tail, Offset - at, len);
                return tail;
            }
            at += len;
        }
        return pugi::xml_node();
    }

    // Run properties to carry on at an insertion point: the run before it.
    pugi::xml_node RunPropsBefore(pugi::xml_node Para, pugi::xml_node Before)
    {
        pugi::xml_node prev = Before ? Before.previous_sibling() : Para.last_child();
        for (; prev; prev = prev.previous_sibling())
            if (Is(prev, "r"))
                return ChildLocal(prev, "rPr");
        return pugi::xml_node();
    }

    void FillRun(pugi::xml_node Run, const QString& Text)
    {
        QString chunk;
        auto flush = [&] {
            if (chunk.isEmpty())
                return;
            pugi::xml_node t = Run.append_child(N("t").c_str());
            t.append_attribute("xml:space") = "preserve";
            t.text() = chunk.toUtf8().constData();
            chunk.clear();
        };
        for (int i = 0; i < Text.size(); ++i) {
            const QChar c = Text[i];
            if (c == QLatin1Char('\t')) {
                flush();
                Run.append_child(N("tab").c_str());
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(11)) {
                flush();
                Run.append_child(N("br").c_str());
                if (c == QLatin1Char('\r') && i + 1 < Text.size() && Text[i + 1] == QLatin1Char('\n'))
                    ++i;
            } else if (c.unicode() >= 0x20 || c.isSpace()) {
                chunk += c;
            }
        }
        flush();
    }

    pugi::xml_node Cell(int Table, int Row, int Column) const
    {
        const auto tables = Tables();
        if (Table < 0 || Table >= int(tables.size()))
            throw EOfficeError(QStringLiteral("The document has no table %1").arg(Table + 1));
        int r = 0;
        for (pugi::xml_node tr = ChildLocal(tables[size_t(Table)], "tr"); tr; tr = tr.next_sibling()) {
            if (!Is(tr, "tr") || ++r != Row)
                continue;
            int c = 0;
            for (pugi::xml_node tc = ChildLocal(tr, "tc"); tc; tc = tc.next_sibling())
                if (Is(tc, "tc") && ++c == Column)
                    return tc;
        }
        throw EOfficeError(QStringLiteral("The table has no cell (%1, %2)").arg(Row).arg(Column));
    }

    void Init()
    {
        MainPart = Pkg.MainPart();
        pugi::xml_node body = Body();
        if (!body)
            throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": the document has no body"));
        W = SamePrefix(body, "");
        for (pugi::xml_node b = body.first_child(); b; b = b.next_sibling())
            if (Is(b, "p"))
                return;
        // A body without a paragraph gets one, so that every position has a place.
        pugi::xml_node sect = ChildLocal(body, "sectPr");
        sect ? body.insert_child_before(N("p").c_str(), sect) : body.append_child(N("p").c_str());
        Pkg.Touch(MainPart);
    }
};

TDocumentFile::TDocumentFile() : FImpl(std::make_unique<TImpl>())
{
    const QByteArray decl("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
    TOoxmlPackage& p = FImpl->Pkg;
    p.SetPart(QStringLiteral("[Content_Types].xml"),
              decl + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                     "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                     "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                     "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                     "</Types>");
    p.SetPart(QStringLiteral("_rels/.rels"),
              decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
                     "</Relationships>");
    p.SetPart(QStringLiteral("word/document.xml"),
              decl + "<w:document xmlns:w=\"" + kWordNs + "\"><w:body><w:p/>"
                     "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" w:right=\"1134\" w:bottom=\"1134\" "
                     "w:left=\"1134\" w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>");
    FImpl->Init();
}

TDocumentFile::~TDocumentFile() = default;

std::unique_ptr<TDocumentFile> TDocumentFile::Load(const QString& FileName)
{
    const QByteArray bytes = ReadOfficeFile(FileName);
    return LoadBytes(bytes, FileName);
}

std::unique_ptr<TDocumentFile> TDocumentFile::LoadBytes(const QByteArray& Bytes, const QString& FileName)
{
    std::unique_ptr<TDocumentFile> d(new TDocumentFile());
    d->FImpl = std::make_unique<TImpl>();
    d->FImpl->FileName = FileName;
    d->FImpl->Pkg.Load(Bytes, FileName);
    d->FImpl->Init();
    return d;
}

int TDocumentFile::InsertText(int Position, const QString& Text)
{
    int off = 0;
    pugi::xml_node para = FImpl->Locate(Position, off);
    pugi::xml_node before = FImpl->SplitAt(para, off);
    pugi::xml_node props = FImpl->RunPropsBefore(para, before);
    const std::string r = FImpl->N("r");
    pugi::xml_node run = before ? para.insert_child_before(r.c_str(), before) : para.append_child(r.c_str());
    if (props)
        run.append_copy(props);
    FImpl->FillRun(run, Text);
    FImpl->Pkg.Touch(FImpl->MainPart);
    return FImpl->StartOf(para) + off + TextLength(run);
}

int TDocumentFile::InsertParagraphBreak(int Position)
{
    int off = 0;
    pugi::xml_node para = FImpl->Locate(Position, off);
    pugi::xml_node before = FImpl->SplitAt(para, off);
    pugi::xml_node next = para.parent().insert_child_after(FImpl->N("p").c_str(), para);
    if (pugi::xml_node ppr = ChildLocal(para, "pPr"))
        next.append_copy(ppr);
    while (before) {
        pugi::xml_node following = before.next_sibling();
        next.append_move(before);
        before = following;
    }
    FImpl->Pkg.Touch(FImpl->MainPart);
    return FImpl->StartOf(next);
}

int TDocumentFile::AppendParagraph()
{
    pugi::xml_node body = FImpl->Body();
    pugi::xml_node sect = ChildLocal(body, "sectPr");
    const std::string p = FImpl->N("p");
    pugi::xml_node para = sect ? body.insert_child_before(p.c_str(), sect) : body.append_child(p.c_str());
    FImpl->Pkg.Touch(FImpl->MainPart);
    return FImpl->StartOf(para);
}

int TDocumentFile::LastLineStart() const
{
    pugi::xml_node last;
    for (pugi::xml_node b = FImpl->Body().first_child(); b; b = b.next_sibling())
        if (Is(b, "p"))
            last = b;
    return FImpl->StartOf(last);
}

int TDocumentFile::Length() const
{
    int n = 0;
    for (pugi::xml_node b = FImpl->Body().first_child(); b; b = b.next_sibling())
        n += BlockLength(b);
    return n;
}

static pugi::xml_node FindBookmark(const pugi::xml_node& Body, const QString& Name)
{
    const QByteArray name = Name.toUtf8();
    return Body.find_node([&](const pugi::xml_node& n) {
        return Is(n, "bookmarkStart") && std::strcmp(AttrLocal(n, "name", true).as_string(), name.constData()) == 0;
    });
}

bool TDocumentFile::BookmarkExists(const QString& Name) const
{
    return !Name.isEmpty() && FindBookmark(FImpl->Body(), Name);
}

int TDocumentFile::BookmarkPosition(const QString& Name) const
{
    pugi::xml_node mark = FindBookmark(FImpl->Body(), Name);
    if (!mark)
        return -1;
    pugi::xml_node block = mark;
    while (block.parent() != FImpl->Body())
        block = block.parent();
    int at = FImpl->StartOf(block);
    if (Is(block, "p")) {
        // The text of the paragraph before the mark.
        bool done = false;
        std::function<void(const pugi::xml_node&)> walk = [&](const pugi::xml_node& n) {
            for (pugi::xml_node c = n.first_child(); c && !done; c = c.next_sibling()) {
                if (c == mark) {
                    done = true;
                    return;
                }
                if (c.type() != pugi::node_element || Is(c, "pPr") || Is(c, "rPr"))
                    continue;
                at += AtomLength(c);
                walk(c);
            }
        };
        walk(block);
    }
    return at;
}

int TDocumentFile::AddTable(int Position, int Rows, int Columns)
{
    if (Rows < 1 || Columns < 1 || Columns > 63)
        throw EOfficeError(QStringLiteral("A table of %1 rows and %2 columns cannot be added").arg(Rows).arg(Columns));
    int off = 0;
    pugi::xml_node para = FImpl->Locate(Position, off);
    pugi::xml_node body = para.parent();
    const std::string tblName = FImpl->N("tbl");
    pugi::xml_node tbl;
    if (off == 0) {
        tbl = body.insert_child_before(tblName.c_str(), para);
    } else {
        const int len = TextLength(para);
        if (off < len)
            InsertParagraphBreak(FImpl->StartOf(para) + off);
        tbl = body.insert_child_after(tblName.c_str(), para);
        // A table is always followed by a paragraph.
        if (!Is(tbl.next_sibling(), "p"))
            body.insert_child_after(FImpl->N("p").c_str(), tbl);
    }
    auto n = [&](const char* l) { return FImpl->N(l); };
    auto attr = [&](pugi::xml_node e, const char* l, const char* v) { e.append_attribute(n(l).c_str()) = v; };
    pugi::xml_node pr = tbl.append_child(n("tblPr").c_str());
    pugi::xml_node w = pr.append_child(n("tblW").c_str());
    attr(w, "w", "0");
    attr(w, "type", "auto");
    pugi::xml_node borders = pr.append_child(n("tblBorders").c_str());
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        pugi::xml_node b = borders.append_child(n(side).c_str());
        attr(b, "val", "single");
        attr(b, "sz", "4");
        attr(b, "space", "0");
        attr(b, "color", "auto");
    }
    attr(pr.append_child(n("tblLook").c_str()), "val", "04A0");
    const std::string width = std::to_string(qMax(1, 9638 / Columns));
    pugi::xml_node grid = tbl.append_child(n("tblGrid").c_str());
    for (int c = 0; c < Columns; ++c)
        attr(grid.append_child(n("gridCol").c_str()), "w", width.c_str());
    for (int r = 0; r < Rows; ++r) {
        pugi::xml_node tr = tbl.append_child(n("tr").c_str());
        for (int c = 0; c < Columns; ++c) {
            pugi::xml_node tc = tr.append_child(n("tc").c_str());
            pugi::xml_node tcw = tc.append_child(n("tcPr").c_str()).append_child(n("tcW").c_str());
            attr(tcw, "w", width.c_str());
            attr(tcw, "type", "dxa");
            tc.append_child(n("p").c_str());
        }
    }
    FImpl->Pkg.Touch(FImpl->MainPart);
    const auto tables = FImpl->Tables();
    return int(std::find(tables.begin(), tables.end(), tbl) - tables.begin());
}

int TDocumentFile::TableCount() const { return int(FImpl->Tables().size()); }

int TDocumentFile::TableRows(int Table) const
{
    const auto t = FImpl->Tables();
    int n = 0;
    if (Table >= 0 && Table < int(t.size()))
        for (pugi::xml_node tr = t[size_t(Table)].first_child(); tr; tr = tr.next_sibling())
            n += Is(tr, "tr");
    return n;
}

int TDocumentFile::TableColumns(int Table) const
{
    const auto t = FImpl->Tables();
    int n = 0;
    if (Table >= 0 && Table < int(t.size()))
        for (pugi::xml_node g = ChildLocal(ChildLocal(t[size_t(Table)], "tblGrid"), "gridCol"); g; g = g.next_sibling())
            n += Is(g, "gridCol");
    return n;
}

void TDocumentFile::CellInsertAfter(int Table, int Row, int Column, const QString& Text)
{
    pugi::xml_node tc = FImpl->Cell(Table, Row, Column);
    pugi::xml_node para;
    for (pugi::xml_node c = tc.first_child(); c; c = c.next_sibling())
        if (Is(c, "p"))
            para = c;
    if (!para)
        para = tc.append_child(FImpl->N("p").c_str());
    FImpl->FillRun(para.append_child(FImpl->N("r").c_str()), Text);
    FImpl->Pkg.Touch(FImpl->MainPart);
}

void TDocumentFile::SetCellAlignment(int Table, int Row, int Column, int Alignment)
{
    const char* value = Alignment == wdAlignParagraphRight    ? "right"
                        : Alignment == wdAlignParagraphCenter ? "center"
                        : Alignment == 3                      ? "both"
                                                              : "left";
    pugi::xml_node tc = FImpl->Cell(Table, Row, Column);
    for (pugi::xml_node p = tc.first_child(); p; p = p.next_sibling()) {
        if (!Is(p, "p"))
            continue;
        pugi::xml_node ppr = ChildLocal(p, "pPr");
        if (!ppr)
            ppr = p.prepend_child(FImpl->N("pPr").c_str());
        pugi::xml_node jc = ChildLocal(ppr, "jc");
        if (!jc) {
            // jc comes after the other paragraph properties but before the run properties.
            pugi::xml_node tail = ChildLocal(ppr, "rPr");
            jc = tail ? ppr.insert_child_before(FImpl->N("jc").c_str(), tail) : ppr.append_child(FImpl->N("jc").c_str());
        }
        pugi::xml_attribute a = AttrLocal(jc, "val", true);
        if (!a)
            a = jc.append_attribute(FImpl->N("val").c_str());
        a = value;
    }
    FImpl->Pkg.Touch(FImpl->MainPart);
}

QString TDocumentFile::CellText(int Table, int Row, int Column) const
{
    return PlainText(FImpl->Cell(Table, Row, Column));
}

QStringList TDocumentFile::ParagraphTexts() const
{
    QStringList out;
    for (pugi::xml_node b = FImpl->Body().first_child(); b; b = b.next_sibling())
        if (Is(b, "p"))
            out << PlainText(b);
    return out;
}

QStringList TDocumentFile::BlockOutline() const
{
    QStringList out;
    for (pugi::xml_node b = FImpl->Body().first_child(); b; b = b.next_sibling()) {
        if (Is(b, "p"))
            out << QStringLiteral("¶") + PlainText(b);
        else if (Is(b, "tbl"))
            out << QStringLiteral("#table");
    }
    return out;
}

QByteArray TDocumentFile::SaveBytes() const { return FImpl->Pkg.Save(); }

void TDocumentFile::SaveToFile(const QString& FileName)
{
    if (FileName.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive))
        throw EOfficeError(QStringLiteral("Cannot write ") + FileName +
                           QStringLiteral(": legacy documents (.doc) are not written; save as .docx"));
    WriteOfficeFile(FileName, SaveBytes());
    FImpl->FileName = FileName;
}
