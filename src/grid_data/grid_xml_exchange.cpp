// The grid as a simple record-list XML document, and XML documents read into the grid:
// elements with one text child become cells, elements with several children records,
// attributes cells too.
//
// The writer escapes "&" as "$amp;" (read back by the reader) and the markup characters
// as entities. It writes the encoding it declares for "ISO-8859-1" and "UTF-8"
// (characters ISO-8859-1 lacks as numeric character references), and Windows-1252 under
// any other name.
#include "grid/kv_string_grid.h"

#include <pugixml.hpp>

#include "grid_data/grid_exchange.h"
#include "platform/core/codepages.h"
#include "platform/core/files.h"

namespace {

QString EscapeXMLCell(const QString& Text)
{
    bool plain = true;
    for (QChar c : Text)
        if (c == QLatin1Char('&') || c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('"')) plain = false;
    if (plain) return Text;
    // One pass: no replacement brings back a character replaced before it.
    QString s;
    s.reserve(Text.size() + 16);
    for (QChar c : Text) {
        switch (c.unicode()) {
        case '&': s += QLatin1String("$amp;"); break;
        case '>': s += QLatin1String("&gt;"); break;
        case '<': s += QLatin1String("&lt;"); break;
        case '"': s += QLatin1String("&quot;"); break;
        default: s += c; break;
        }
    }
    return s;
}

// The parser has decoded the entities already; only the writer's own "$amp;" is left.
QString UnescapeXMLCell(const QString& Text)
{
    QString s = Text;
    s.replace(QLatin1String("$amp;"), QLatin1String("&"));
    return s;
}

// The declared encoding for "UTF-8" and "ISO-8859-1", Windows-1252 under any other name.
TExportText::TCharset XMLCharset(const QString& Encoding)
{
    if (Encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) return TExportText::Utf8;
    if (Encoding.compare(QLatin1String("ISO-8859-1"), Qt::CaseInsensitive) == 0) return TExportText::Latin1WithReferences;
    return TExportText::Ansi;
}

// The encoding a document declares, empty when it declares none.
QString DeclaredEncoding(const QByteArray& Bytes)
{
    if (!Bytes.startsWith("<?xml")) return QString();
    const qsizetype end = Bytes.indexOf("?>");
    const QByteArray decl = Bytes.left(end < 0 ? 0 : end);
    const qsizetype p = decl.indexOf("encoding");
    if (p < 0) return QString();
    qsizetype q = decl.indexOf('"', p);
    const qsizetype a = decl.indexOf('\'', p);
    if (q < 0 || (a >= 0 && a < q)) q = a;
    if (q < 0) return QString();
    const qsizetype e = decl.indexOf(decl[q], q + 1);
    return e < 0 ? QString() : QString::fromLatin1(decl.mid(q + 1, e - q - 1)).trimmed();
}

QString NodeText(const pugi::xml_node& Node)
{
    QString s;
    for (pugi::xml_node n = Node.first_child(); n;) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) s += QString::fromUtf8(n.value());
        // Depth first without recursion: down, else along, else up and along.
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && !n.next_sibling() && n != Node) n = n.parent();
        if (!n || n == Node) break;
        n = n.next_sibling();
    }
    return s;
}

// The walk of one child of the document element: cells go to (column counter + start
// column, row counter + start row).
struct TXMLReadState {
    TKvStringGrid* Grid;
    bool LevelToRow, LoadFieldDescr, HeaderNames;
    int StartCol, StartRow;
    int Col = 0, Row = 0, Level = 1;
    int MaxCol = 0, MaxRow = 0;

    int TargetCol() const { return Col + StartCol; }
    int TargetRow() const { return Row + StartRow; }
    // Grows the grid to hold the target cell; by doubling, since the exact size is set
    // at the end of the load.
    void Grow()
    {
        if (TargetCol() >= Grid->ColCount()) Grid->SetColCount(std::max(TargetCol() + 1, Grid->ColCount() * 2));
        if (TargetRow() >= Grid->RowCount()) Grid->SetRowCount(std::max(TargetRow() + 1, Grid->RowCount() * 2));
    }
    void Store(const QString& Text)
    {
        Grid->SetLoadCellText(TargetCol(), TargetRow(), Text);
        MaxCol = std::max(MaxCol, TargetCol());
        MaxRow = std::max(MaxRow, TargetRow());
    }
    void Header(const char* Name)
    {
        if (Grid->Cells(TargetCol(), 0).isEmpty()) Grid->SetLoadCellText(TargetCol(), 0, QString::fromUtf8(Name));
    }
};

int ChildCount(const pugi::xml_node& Node)
{
    int n = 0;
    for (pugi::xml_node c = Node.first_child(); c; c = c.next_sibling()) ++n;
    return n;
}

// The node walk, with a stack of its own so that a deeply nested document cannot
// overflow the program's. Every node is done before its children, so the order is that
// of the recursive walk.
void ParseXMLNode(const pugi::xml_node& Root, TXMLReadState& S)
{
    std::vector<pugi::xml_node> stack{Root};
    while (!stack.empty()) {
        const pugi::xml_node node = stack.back();
        stack.pop_back();
        bool startedRow = false;
        if (node.type() == pugi::node_element) {
            int attributes = 0;
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute(), ++attributes) {
                S.Grow();
                if (S.HeaderNames) S.Header(a.name());
                S.Store(UnescapeXMLCell(QString::fromUtf8(a.value())));
                ++S.Col;
            }
            if (S.LevelToRow && attributes > 0) {
                ++S.Row;
                S.Col = S.Level;
                startedRow = true;
            }
        }
        const int children = ChildCount(node);
        if (children > 1) {
            if (S.LevelToRow && !startedRow) {
                ++S.Row;
                S.Col = 0;
            }
            ++S.Level;
            std::vector<pugi::xml_node> kids;
            for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) kids.push_back(c);
            stack.insert(stack.end(), kids.rbegin(), kids.rend());
        } else if (children == 0) {
            if (S.TargetCol() < S.Grid->ColCount() && S.TargetRow() < S.Grid->RowCount())
                S.Grid->SetLoadCellText(S.TargetCol(), S.TargetRow(), QString());
            ++S.Col;
        } else {
            S.Grow();
            if (S.HeaderNames && S.LoadFieldDescr) S.Header(node.name());
            QString text = UnescapeXMLCell(NodeText(node));
            if (S.Grid->QuoteEmptyCells() && text == QLatin1String("\"\"")) text.clear();
            S.Store(text);
            ++S.Col;
        }
    }
}

}  // namespace

void TKvStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                              const TStrings* FieldDescr, bool ExportEmptyCells)
{
    const QString crlf = QStringLiteral("\r\n");
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + h;
    TExportText out(XMLCharset(XMLEncoding()));
    out.Append(QStringLiteral("<?xml version=\"1.0\" encoding=\"") + XMLEncoding() + QStringLiteral("\" ?>") + crlf);
    out.Append(QLatin1Char('<') + ListDescr + QLatin1Char('>') + crlf);
    // The element tags of each column, made once.
    QStringList open, close;
    for (int b = firstCol; b <= lastCol; ++b) {
        const int k = b - firstCol;
        const QString name = FieldDescr && k < FieldDescr->Count() ? FieldDescr->Strings(k)
                                                                  : QStringLiteral("FIELD") + QString::number(k);
        open << QLatin1Char('<') + name + QLatin1Char('>');
        close << QStringLiteral("</") + name + QLatin1Char('>') + crlf;
    }
    const QString recordOpen = QLatin1Char('<') + RecordDescr + QLatin1Char('>') + crlf;
    const QString recordClose = QStringLiteral("</") + RecordDescr + QLatin1Char('>') + crlf;
    out.Reserve(qsizetype(SaveRowCount()) * (lastCol - firstCol + 1) * 48);
    TExchangeProgress progress(this);
    ExportRows(SaveStartRow(), SaveEndRow(), [&](int r) {
        out.ExpectRows(r - SaveStartRow(), SaveRowCount());
        out.Append(recordOpen);
        for (int b = firstCol; b <= lastCol; ++b) {
            if (!IsBaseCell(DisplToRealColumn(b), r)) continue;
            QString s;
            GetSaveCellText(b, r, s);
            if (s.isEmpty() && !ExportEmptyCells) continue;
            if (s.isEmpty() && QuoteEmptyCells()) s = QStringLiteral("\"\"");
            out.Append(open[b - firstCol]);
            out.Append(EscapeXMLCell(s));
            out.Append(close[b - firstCol]);
        }
        out.Append(recordClose);
        progress.Step(r, std::max(1, SaveEndRow() - SaveStartRow()));
    });
    out.Append(QStringLiteral("</") + ListDescr + QLatin1Char('>') + crlf);
    try {
        out.Save(FileName);
    } catch (const Exception&) {
        throw EKvGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

void TKvStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName)) throw Exception(QStringLiteral("XML file not found"));
    QByteArray bytes = ReadBinaryFile(FileName);
    // The parser knows the Unicode forms and ISO-8859-1; the ANSI code page is ours to read.
    const QString declared = DeclaredEncoding(bytes);
    if (declared.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0)
        bytes = AnsiToUnicode(bytes).toUtf8();
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    if (!parsed) {
        const qsizetype offset = std::clamp<qsizetype>(qsizetype(parsed.offset), 0, bytes.size());
        const int line = int(bytes.left(offset).count('\n')) + 1;
        throw Exception(QStringLiteral("XMLDOM Parsing error ") + QString::number(int(parsed.status)) +
                        QStringLiteral(" on line ") + QString::number(line));
    }
    const bool fromZeroRow = SaveFixedCells() || FSaveFixedRows;
    TXMLReadState s{this, LevelToRow, LoadFieldDescr, fromZeroRow, SaveStartCol(),
                    !fromZeroRow || LoadFieldDescr ? FixedRows() : 0};
    s.MaxCol = s.StartCol;
    s.MaxRow = s.StartRow;
    int i = 0;
    for (pugi::xml_node child = doc.document_element().first_child(); child; child = child.next_sibling(), ++i) {
        s.Col = 0;
        s.Level = 1;
        if (LevelToRow && i == 0 && !child.first_attribute()) s.Row = -1;
        ParseXMLNode(child, s);
        if (!LevelToRow) ++s.Row;
    }
    SetColCount(s.MaxCol + 1);
    SetRowCount(s.MaxRow + 1);
    NotifyCellsLoaded();
}
