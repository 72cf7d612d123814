#include "platform/office/spreadsheet_file.h"

#include "platform/core/datetime.h"
#include "platform/core/files.h"
#include "platform/office/ooxml_package.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <cstring>
#include <freexl.h>
#include <map>

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxCols = 16384;

const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* kWorksheetType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* kWorksheetContent = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

qint64 Key(int Row, int Col) { return (qint64(Row) << 16) | Col; }

QByteArray Decl() { return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"); }

QByteArray SheetTemplate()
{
    return Decl() + "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"><sheetData/></worksheet>";
}

// "_xHHHH_" escapes: the format's way of keeping characters XML cannot hold.
QString DecodeEscapes(const QString& S)
{
    if (!S.contains(QLatin1String("_x")))
        return S;
    QString out;
    for (int i = 0; i < S.size(); ++i) {
        if (S[i] == QLatin1Char('_') && i + 6 < S.size() && S[i + 1] == QLatin1Char('x') && S[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = S.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += S[i];
    }
    return out;
}

QString EncodeEscapes(const QString& S)
{
    QString out;
    for (int i = 0; i < S.size(); ++i) {
        const QChar c = S[i];
        const bool control = c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r');
        const bool literalEscape = c == QLatin1Char('_') && i + 6 < S.size() && S[i + 1] == QLatin1Char('x') &&
                                   S[i + 6] == QLatin1Char('_');
        const bool badChar = c.unicode() == 0xFFFE || c.unicode() == 0xFFFF ||
                             (c.isSurrogate() && !(c.isHighSurrogate() && i + 1 < S.size() && S[i + 1].isLowSurrogate()) &&
                              !(c.isLowSurrogate() && i > 0 && S[i - 1].isHighSurrogate()));
        if (control || literalEscape || badChar)
            out += QStringLiteral("_x%1_").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("_X"), QLatin1String("_x"));
        else
            out += c;
    }
    return out;
}

// Text of an inline or shared string item: its own text or its runs' (phonetic runs left out).
QString ItemText(const pugi::xml_node& Item)
{
    QString s;
    for (pugi::xml_node c = Item.first_child(); c; c = c.next_sibling()) {
        const char* n = LocalName(c);
        if (std::strcmp(n, "t") == 0)
            s += Utf8(c.text().get());
        else if (std::strcmp(n, "r") == 0)
            s += Utf8(ChildLocal(c, "t").text().get());
    }
    return DecodeEscapes(s);
}

// Whether a number format shows a date or a time: the built-in date formats, or a format
// code with date or time letters outside its quoted texts, escapes and [colour] sections.
bool IsDateFormat(int Id, const QString& Code)
{
    if ((Id >= 14 && Id <= 22) || (Id >= 27 && Id <= 36) || (Id >= 45 && Id <= 47) || (Id >= 50 && Id <= 58))
        return true;
    bool quoted = false, bracket = false;
    for (int i = 0; i < Code.size(); ++i) {
        const QChar c = Code[i];
        if (quoted) { quoted = c != QLatin1Char('"'); continue; }
        if (bracket) { bracket = c != QLatin1Char(']'); continue; }
        if (c == QLatin1Char('"')) quoted = true;
        else if (c == QLatin1Char('[')) bracket = true;
        else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) ++i;
        else if (QStringLiteral("dmyhsDMYHS").contains(c)) return true;
    }
    return false;
}

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS", as the legacy reader gives dates.
bool ParseIsoDateTime(const QString& S, TDateTime& Value)
{
    const QStringList parts = S.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2)
        return false;
    TDateTime date = 0, time = 0;
    for (const QString& p : parts) {
        const QStringList d = p.split(QLatin1Char('-')), t = p.split(QLatin1Char(':'));
        if (d.size() == 3) {
            if (!TryEncodeDate(d[0].toInt(), d[1].toInt(), d[2].toInt(), date))
                return false;
        } else if (t.size() == 3) {
            if (!TryEncodeTime(t[0].toInt(), t[1].toInt(), int(t[2].toDouble()), 0, time))
                return false;
        } else {
            return false;
        }
    }
    Value = date + time;
    return true;
}

}  // namespace

// ---------------------------------------------------------------- the model

struct TSheetModel {
    QString Name;
    QString Part;              // .xlsx part name; empty for a legacy workbook
    std::map<qint64, TOfficeValue> Values;
    std::map<int, pugi::xml_node> RowNodes;   // built on the first change
    bool Indexed = false;
    bool DimensionStale = false;
    int ActiveRow = 1;
};

struct TSpreadsheetFile::TImpl {
    QString FileName;
    bool Legacy = false;
    TOoxmlPackage Pkg;
    QString WorkbookPart;
    std::vector<TSheetModel> Sheets;
    int Active = 0;
    std::vector<bool> DateStyles;   // per cell format: whether it shows a date or time

    void ReadXlsx();
    void ReadSheet(TSheetModel& S, const std::vector<QString>& Shared);
    pugi::xml_node SheetsNode();
    pugi::xml_node CellNode(TSheetModel& S, int Row, int Col);
    void UpdateDimension(TSheetModel& S);
    void CheckWritable() const
    {
        if (Legacy)
            throw EOfficeError(QStringLiteral("Cannot write ") + FileName +
                               QStringLiteral(": legacy workbooks (.xls) are read only"));
    }
};

void TSpreadsheetFile::TImpl::ReadXlsx()
{
    WorkbookPart = Pkg.MainPart();
    pugi::xml_node wb = Pkg.Xml(WorkbookPart).document_element();
    const auto rels = Pkg.PartRelationships(WorkbookPart);
    std::vector<QString> shared;
    DateStyles.clear();
    for (const auto& [id, part] : Pkg.PartRelationships(WorkbookPart, QStringLiteral("/styles"))) {
        if (!Pkg.HasPart(part))
            continue;
        pugi::xml_node styles = Pkg.Xml(part).document_element();
        std::map<int, QString> codes;
        for (pugi::xml_node f = ChildLocal(ChildLocal(styles, "numFmts"), "numFmt"); f; f = f.next_sibling())
            codes[f.attribute("numFmtId").as_int()] = Utf8(f.attribute("formatCode").as_string());
        for (pugi::xml_node xf = ChildLocal(ChildLocal(styles, "cellXfs"), "xf"); xf; xf = xf.next_sibling()) {
            if (std::strcmp(LocalName(xf), "xf") != 0)
                continue;
            const int fmt = xf.attribute("numFmtId").as_int();
            DateStyles.push_back(IsDateFormat(fmt, codes.count(fmt) ? codes[fmt] : QString()));
        }
    }
    for (const auto& [id, part] : Pkg.PartRelationships(WorkbookPart, QStringLiteral("/sharedStrings"))) {
        if (!Pkg.HasPart(part))
            continue;
        pugi::xml_node sst = Pkg.Xml(part).document_element();
        for (pugi::xml_node si = sst.first_child(); si; si = si.next_sibling())
            if (std::strcmp(LocalName(si), "si") == 0)
                shared.push_back(ItemText(si));
    }
    pugi::xml_node sheets = ChildLocal(wb, "sheets");
    for (pugi::xml_node s = sheets.first_child(); s; s = s.next_sibling()) {
        if (std::strcmp(LocalName(s), "sheet") != 0)
            continue;
        TSheetModel m;
        m.Name = Utf8(s.attribute("name").as_string());
        const auto it = rels.find(Utf8(AttrLocal(s, "id", true).as_string()));
        // Chart sheets and dangling entries still count as sheets; they just hold no cells.
        if (it != rels.end() && Pkg.HasPart(it->second)) {
            m.Part = it->second;
            ReadSheet(m, shared);
        }
        Sheets.push_back(std::move(m));
    }
    if (Sheets.empty())
        throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": the workbook has no sheet"));
    const int tab = ChildLocal(ChildLocal(wb, "bookViews"), "workbookView").attribute("activeTab").as_int(0);
    Active = qBound(0, tab, int(Sheets.size()) - 1);
}

void TSpreadsheetFile::TImpl::ReadSheet(TSheetModel& S, const std::vector<QString>& Shared)
{
    pugi::xml_node ws = Pkg.Xml(S.Part).document_element();
    const QString active = Utf8(ChildLocal(ChildLocal(ChildLocal(ws, "sheetViews"), "sheetView"), "selection")
                                    .attribute("activeCell").as_string());
    int ac = 0, ar = 0;
    if (ParseCellReference(active, ac, ar))
        S.ActiveRow = ar;
    int row = 0;
    for (pugi::xml_node r = ChildLocal(ChildLocal(ws, "sheetData"), "row"); r; r = r.next_sibling()) {
        if (std::strcmp(LocalName(r), "row") != 0)
            continue;
        row = r.attribute("r") ? r.attribute("r").as_int() : row + 1;
        if (row < 1 || row > kMaxRows)
            continue;
        int col = 0;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (std::strcmp(LocalName(c), "c") != 0)
                continue;
            int cc = 0, rr = 0;
            if (c.attribute("r") && ParseCellReference(Utf8(c.attribute("r").as_string()), cc, rr))
                col = cc;
            else
                ++col;
            if (col < 1 || col > kMaxCols)
                continue;
            const char* t = c.attribute("t").as_string("n");
            const pugi::xml_node v = ChildLocal(c, "v");
            TOfficeValue val;
            if (std::strcmp(t, "s") == 0) {
                const long long i = QString::fromUtf8(v.text().get()).trimmed().toLongLong();
                if (v && i >= 0 && i < qint64(Shared.size()))
                    val = TOfficeValue::FromText(Shared[size_t(i)]);
            } else if (std::strcmp(t, "inlineStr") == 0) {
                val = TOfficeValue::FromText(ItemText(ChildLocal(c, "is")));
            } else if (std::strcmp(t, "str") == 0 || std::strcmp(t, "d") == 0) {
                if (v)
                    val = TOfficeValue::FromText(DecodeEscapes(Utf8(v.text().get())));
            } else if (std::strcmp(t, "b") == 0) {
                if (v) {
                    val.Kind = TOfficeValue::Boolean;
                    val.Bool = std::strcmp(v.text().get(), "1") == 0 || std::strcmp(v.text().get(), "true") == 0;
                }
            } else if (std::strcmp(t, "e") == 0) {
                val.Kind = TOfficeValue::Error;
                val.Str = Utf8(v.text().get());
            } else if (v) {
                bool ok = false;
                const double d = QString::fromUtf8(v.text().get()).trimmed().toDouble(&ok);
                val = ok ? TOfficeValue::FromNumber(d) : TOfficeValue::FromText(Utf8(v.text().get()));
                const int style = c.attribute("s").as_int(-1);
                if (ok && style >= 0 && size_t(style) < DateStyles.size() && DateStyles[size_t(style)])
                    val.Kind = TOfficeValue::Date;
            }
            S.Values[Key(row, col)] = val;   // a styled empty cell still belongs to the used range
        }
    }
}

pugi::xml_node TSpreadsheetFile::TImpl::SheetsNode()
{
    return ChildLocal(Pkg.Xml(WorkbookPart).document_element(), "sheets");
}

pugi::xml_node TSpreadsheetFile::TImpl::CellNode(TSheetModel& S, int Row, int Col)
{
    pugi::xml_node ws = Pkg.Xml(S.Part).document_element();
    pugi::xml_node data = ChildLocal(ws, "sheetData");
    if (!data)
        data = ws.append_child(SamePrefix(ws, "sheetData").c_str());
    if (!S.Indexed) {
        int row = 0;
        for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling()) {
            if (std::strcmp(LocalName(r), "row") != 0)
                continue;
            row = r.attribute("r") ? r.attribute("r").as_int() : row + 1;
            if (!r.attribute("r"))
                r.append_attribute("r") = row;
            S.RowNodes[row] = r;
        }
        S.Indexed = true;
    }
    pugi::xml_node rowNode;
    auto it = S.RowNodes.lower_bound(Row);
    if (it != S.RowNodes.end() && it->first == Row) {
        rowNode = it->second;
    } else {
        const std::string name = SamePrefix(data, "row");
        rowNode = it == S.RowNodes.end() ? data.append_child(name.c_str()) : data.insert_child_before(name.c_str(), it->second);
        rowNode.append_attribute("r") = Row;
        S.RowNodes[Row] = rowNode;
    }
    // Cells of a row are kept in column order; appending is the common case.
    const std::string ref = (ColumnLetters(Col) + QString::number(Row)).toStdString();
    pugi::xml_node before;
    int col = 0;
    for (pugi::xml_node c = rowNode.last_child(); c; c = c.previous_sibling()) {
        if (std::strcmp(LocalName(c), "c") != 0)
            continue;
        int cc = 0, rr = 0;
        if (!ParseCellReference(Utf8(c.attribute("r").as_string()), cc, rr)) {
            // Cells without references are numbered by position: give them theirs first.
            int n = 0;
            for (pugi::xml_node d = rowNode.first_child(); d; d = d.next_sibling()) {
                if (std::strcmp(LocalName(d), "c") != 0)
                    continue;
                if (!ParseCellReference(Utf8(d.attribute("r").as_string()), cc, rr))
                    d.append_attribute("r") = (ColumnLetters(n + 1) + QString::number(Row)).toUtf8().constData();
                else
                    n = cc - 1;
                ++n;
            }
            return CellNode(S, Row, Col);
        }
        col = cc;
        if (col == Col)
            return c;
        if (col < Col)
            break;
        before = c;
    }
    const std::string name = SamePrefix(rowNode.parent(), "c");
    pugi::xml_node cell = before ? rowNode.insert_child_before(name.c_str(), before) : rowNode.append_child(name.c_str());
    cell.append_attribute("r") = ref.c_str();
    return cell;
}

void TSpreadsheetFile::TImpl::UpdateDimension(TSheetModel& S)
{
    pugi::xml_node dim = ChildLocal(Pkg.Xml(S.Part).document_element(), "dimension");
    if (!dim || S.Values.empty())
        return;
    int r1 = kMaxRows, c1 = kMaxCols, r2 = 0, c2 = 0;
    for (const auto& [k, v] : S.Values) {
        const int r = int(k >> 16), c = int(k & 0xFFFF);
        r1 = qMin(r1, r); r2 = qMax(r2, r); c1 = qMin(c1, c); c2 = qMax(c2, c);
    }
    QString ref = ColumnLetters(c1) + QString::number(r1);
    if (r1 != r2 || c1 != c2)
        ref += QLatin1Char(':') + ColumnLetters(c2) + QString::number(r2);
    if (!dim.attribute("ref"))
        dim.append_attribute("ref");
    dim.attribute("ref") = ref.toUtf8().constData();
}

// ---------------------------------------------------------------- public

TSpreadsheetFile::TSpreadsheetFile() : FImpl(std::make_unique<TImpl>())
{
    TOoxmlPackage& p = FImpl->Pkg;
    p.SetPart(QStringLiteral("[Content_Types].xml"),
              Decl() + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                       "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                       "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                       "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + kWorksheetContent + "\"/>"
                       "</Types>");
    p.SetPart(QStringLiteral("_rels/.rels"),
              Decl() + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                       "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                       "</Relationships>");
    p.SetPart(QStringLiteral("xl/workbook.xml"),
              Decl() + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">"
                       "<bookViews><workbookView activeTab=\"0\"/></bookViews>"
                       "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    p.SetPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
              Decl() + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                       "<Relationship Id=\"rId1\" Type=\"" + kWorksheetType + "\" Target=\"worksheets/sheet1.xml\"/>"
                       "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                       "</Relationships>");
    p.SetPart(QStringLiteral("xl/styles.xml"),
              Decl() + "<styleSheet xmlns=\"" + kMainNs + "\">"
                       "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                       "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                       "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                       "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                       "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
                       "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
                       "</styleSheet>");
    p.SetPart(QStringLiteral("xl/worksheets/sheet1.xml"), SheetTemplate());
    FImpl->ReadXlsx();
}

TSpreadsheetFile::~TSpreadsheetFile() = default;

std::unique_ptr<TSpreadsheetFile> TSpreadsheetFile::Load(const QString& FileName)
{
    const QByteArray bytes = ReadOfficeFile(FileName);
    // The compound-file signature of legacy workbooks.
    if (bytes.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return LoadXls(FileName);
    return LoadXlsx(bytes, FileName);
}

std::unique_ptr<TSpreadsheetFile> TSpreadsheetFile::LoadXlsx(const QByteArray& Bytes, const QString& FileName)
{
    std::unique_ptr<TSpreadsheetFile> f(new TSpreadsheetFile());
    f->FImpl = std::make_unique<TImpl>();
    f->FImpl->FileName = FileName;
    f->FImpl->Pkg.Load(Bytes, FileName);
    f->FImpl->ReadXlsx();
    return f;
}

std::unique_ptr<TSpreadsheetFile> TSpreadsheetFile::LoadXls(const QString& FileName)
{
    std::unique_ptr<TSpreadsheetFile> f(new TSpreadsheetFile());
    f->FImpl = std::make_unique<TImpl>();
    TImpl& m = *f->FImpl;
    m.FileName = FileName;
    m.Legacy = true;
    const void* h = nullptr;
    const QByteArray path = QFile::encodeName(FileName);
    const int rc = freexl_open(path.constData(), &h);
    struct TCloser {
        const void* H;
        ~TCloser() { if (H) freexl_close(H); }
    } closer{h};
    if (rc != FREEXL_OK)
        throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": no readable legacy workbook (error %1)").arg(rc));
    unsigned int count = 0;
    if (freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": the workbook has no sheet"));
    for (unsigned short i = 0; i < count && i < 0xFFFF; ++i) {
        TSheetModel s;
        const char* name = nullptr;
        if (freexl_get_worksheet_name(h, i, &name) == FREEXL_OK && name)
            s.Name = Utf8(name);
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(h, i) == FREEXL_OK && freexl_worksheet_dimensions(h, &rows, &cols) == FREEXL_OK) {
            rows = qMin<unsigned int>(rows, kMaxRows);
            for (unsigned int r = 0; r < rows; ++r) {
                for (unsigned short c = 0; c < cols && c < kMaxCols; ++c) {
                    FreeXL_CellValue v;
                    if (freexl_get_cell_value(h, r, c, &v) != FREEXL_OK)
                        continue;
                    TOfficeValue val;
                    switch (v.type) {
                    case FREEXL_CELL_INT: val = TOfficeValue::FromNumber(v.value.int_value); break;
                    case FREEXL_CELL_DOUBLE: val = TOfficeValue::FromNumber(v.value.double_value); break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT: val = TOfficeValue::FromText(Utf8(v.value.text_value)); break;
                    case FREEXL_CELL_DATE:
                    case FREEXL_CELL_DATETIME:
                    case FREEXL_CELL_TIME: {
                        TDateTime dt = 0;
                        val = TOfficeValue::FromText(Utf8(v.value.text_value));
                        if (ParseIsoDateTime(val.Str, dt)) {
                            val.Kind = TOfficeValue::Date;
                            val.Num = dt;
                            val.Str.clear();
                        }
                        break;
                    }
                    default: continue;
                    }
                    s.Values[Key(int(r) + 1, int(c) + 1)] = val;
                }
            }
        }
        m.Sheets.push_back(std::move(s));
    }
    unsigned short active = 0;
    if (freexl_get_active_worksheet(h, &active) == FREEXL_OK)
        m.Active = qBound(0, int(active), int(m.Sheets.size()) - 1);
    return f;
}

bool TSpreadsheetFile::ReadOnly() const { return FImpl->Legacy; }
const QString& TSpreadsheetFile::FileName() const { return FImpl->FileName; }
int TSpreadsheetFile::SheetCount() const { return int(FImpl->Sheets.size()); }

static void CheckSheet(const std::vector<TSheetModel>& Sheets, int Sheet)
{
    if (Sheet < 0 || Sheet >= int(Sheets.size()))
        throw EOfficeError(QStringLiteral("Worksheet %1 does not exist").arg(Sheet + 1));
}

QString TSpreadsheetFile::SheetName(int Sheet) const
{
    CheckSheet(FImpl->Sheets, Sheet);
    return FImpl->Sheets[size_t(Sheet)].Name;
}

void TSpreadsheetFile::SetSheetName(int Sheet, const QString& Name)
{
    CheckSheet(FImpl->Sheets, Sheet);
    FImpl->CheckWritable();
    static const QString kForbidden = QStringLiteral("[]:*?/\\");
    bool bad = Name.trimmed().isEmpty() || Name.size() > 31 || Name.startsWith(QLatin1Char('\'')) || Name.endsWith(QLatin1Char('\''));
    for (QChar c : Name)
        bad = bad || kForbidden.contains(c);
    for (int i = 0; i < SheetCount(); ++i)
        bad = bad || (i != Sheet && FImpl->Sheets[size_t(i)].Name.compare(Name, Qt::CaseInsensitive) == 0);
    if (bad)
        throw EOfficeError(QStringLiteral("Invalid worksheet name ") + Name);
    int n = 0;
    for (pugi::xml_node s = FImpl->SheetsNode().first_child(); s; s = s.next_sibling()) {
        if (std::strcmp(LocalName(s), "sheet") != 0)
            continue;
        if (n++ == Sheet) {
            s.attribute("name") = Name.toUtf8().constData();
            break;
        }
    }
    FImpl->Sheets[size_t(Sheet)].Name = Name;
    FImpl->Pkg.Touch(FImpl->WorkbookPart);
}

int TSpreadsheetFile::AddSheet(const QString& Name)
{
    FImpl->CheckWritable();
    TImpl& m = *FImpl;
    QString name = Name;
    for (int n = SheetCount() + 1; name.isEmpty(); ++n) {
        const QString candidate = QStringLiteral("Sheet%1").arg(n);
        bool taken = false;
        for (const TSheetModel& s : m.Sheets)
            taken = taken || s.Name.compare(candidate, Qt::CaseInsensitive) == 0;
        if (!taken)
            name = candidate;
    }
    QString part;
    for (int n = 1; part.isEmpty(); ++n) {
        const QString candidate = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
        if (!m.Pkg.HasPart(candidate))
            part = candidate;
    }
    m.Pkg.SetPart(part, SheetTemplate());
    m.Pkg.AddContentOverride(part, QString::fromLatin1(kWorksheetContent));
    // The target relative to the workbook's folder.
    QString target = part;
    const QString folder = m.WorkbookPart.left(m.WorkbookPart.lastIndexOf(QLatin1Char('/')) + 1);
    target = target.startsWith(folder) ? target.mid(folder.size()) : QLatin1Char('/') + target;
    const QString rid = m.Pkg.AddRelationship(m.WorkbookPart, QString::fromLatin1(kWorksheetType), target);
    pugi::xml_node sheets = m.SheetsNode();
    int maxId = 0;
    for (pugi::xml_node s = sheets.first_child(); s; s = s.next_sibling())
        maxId = qMax(maxId, s.attribute("sheetId").as_int());
    pugi::xml_node s = sheets.append_child(SamePrefix(sheets, "sheet").c_str());
    s.append_attribute("name") = "";
    s.append_attribute("sheetId") = maxId + 1;
    // The relationship id goes under the prefix the workbook binds to the relationship namespace.
    std::string prefix = "r";
    for (pugi::xml_attribute a = sheets.parent().first_attribute(); a; a = a.next_attribute())
        if (std::strncmp(a.name(), "xmlns:", 6) == 0 && std::strcmp(a.value(), kRelNs) == 0)
            prefix = a.name() + 6;
    if (!sheets.parent().attribute(("xmlns:" + prefix).c_str()))
        sheets.parent().append_attribute(("xmlns:" + prefix).c_str()) = kRelNs;
    s.append_attribute((prefix + ":id").c_str()) = rid.toUtf8().constData();
    TSheetModel model;
    model.Part = part;
    m.Sheets.push_back(std::move(model));
    const int index = SheetCount() - 1;
    m.Sheets.back().Name = QStringLiteral("\x01");   // placeholder so that the name check sees no clash
    SetSheetName(index, name);
    SetActiveSheet(index);
    return index;
}

int TSpreadsheetFile::ActiveSheet() const { return FImpl->Active; }

void TSpreadsheetFile::SetActiveSheet(int Sheet)
{
    CheckSheet(FImpl->Sheets, Sheet);
    FImpl->Active = Sheet;
    if (FImpl->Legacy)
        return;
    pugi::xml_node wb = FImpl->Pkg.Xml(FImpl->WorkbookPart).document_element();
    pugi::xml_node views = ChildLocal(wb, "bookViews");
    if (!views)
        views = wb.insert_child_before(SamePrefix(wb, "bookViews").c_str(), ChildLocal(wb, "sheets"));
    pugi::xml_node view = ChildLocal(views, "workbookView");
    if (!view)
        view = views.append_child(SamePrefix(views, "workbookView").c_str());
    if (!view.attribute("activeTab"))
        view.append_attribute("activeTab");
    view.attribute("activeTab") = Sheet;
    FImpl->Pkg.Touch(FImpl->WorkbookPart);
}

int TSpreadsheetFile::ActiveCellRow(int Sheet) const
{
    CheckSheet(FImpl->Sheets, Sheet);
    return FImpl->Sheets[size_t(Sheet)].ActiveRow;
}

TOfficeValue TSpreadsheetFile::Cell(int Sheet, int Row, int Column) const
{
    CheckSheet(FImpl->Sheets, Sheet);
    const auto& values = FImpl->Sheets[size_t(Sheet)].Values;
    const auto it = values.find(Key(Row, Column));
    return it == values.end() ? TOfficeValue() : it->second;
}

void TSpreadsheetFile::SetCell(int Sheet, int Row, int Column, const TOfficeValue& Value)
{
    CheckSheet(FImpl->Sheets, Sheet);
    FImpl->CheckWritable();
    if (Row < 1 || Row > kMaxRows || Column < 1 || Column > kMaxCols)
        throw EOfficeError(QStringLiteral("Cell (%1, %2) lies outside the sheet").arg(Column).arg(Row));
    TSheetModel& s = FImpl->Sheets[size_t(Sheet)];
    if (s.Part.isEmpty())
        throw EOfficeError(QStringLiteral("Worksheet ") + s.Name + QStringLiteral(" holds no cells"));
    pugi::xml_node c = FImpl->CellNode(s, Row, Column);
    c.remove_attribute("t");
    for (const char* drop : {"f", "v", "is"})
        while (pugi::xml_node n = ChildLocal(c, drop))
            c.remove_child(n);
    switch (Value.Kind) {
    case TOfficeValue::Empty:
        break;
    case TOfficeValue::Number:
    case TOfficeValue::Date:
        c.append_child(SamePrefix(c, "v").c_str()).text() =
            QString::number(Value.Num, 'g', QLocale::FloatingPointShortest).toUtf8().constData();
        break;
    case TOfficeValue::Boolean:
        c.append_attribute("t") = "b";
        c.append_child(SamePrefix(c, "v").c_str()).text() = Value.Bool ? "1" : "0";
        break;
    case TOfficeValue::Error:
        c.append_attribute("t") = "e";
        c.append_child(SamePrefix(c, "v").c_str()).text() = Value.Str.toUtf8().constData();
        break;
    case TOfficeValue::Text: {
        c.append_attribute("t") = "inlineStr";
        pugi::xml_node t = c.append_child(SamePrefix(c, "is").c_str()).append_child(SamePrefix(c, "t").c_str());
        if (Value.Str != Value.Str.trimmed() || Value.Str.contains(QLatin1Char('\n')))
            t.append_attribute("xml:space") = "preserve";
        t.text() = EncodeEscapes(Value.Str).toUtf8().constData();
        break;
    }
    }
    s.Values[Key(Row, Column)] = Value;
    s.DimensionStale = true;
    FImpl->Pkg.Touch(s.Part);
}

bool TSpreadsheetFile::UsedRange(int Sheet, int& FirstRow, int& FirstCol, int& LastRow, int& LastCol) const
{
    CheckSheet(FImpl->Sheets, Sheet);
    const auto& values = FImpl->Sheets[size_t(Sheet)].Values;
    if (values.empty())
        return false;
    FirstRow = kMaxRows; FirstCol = kMaxCols; LastRow = 0; LastCol = 0;
    for (const auto& [k, v] : values) {
        const int r = int(k >> 16), c = int(k & 0xFFFF);
        FirstRow = qMin(FirstRow, r); LastRow = qMax(LastRow, r);
        FirstCol = qMin(FirstCol, c); LastCol = qMax(LastCol, c);
    }
    return true;
}

QByteArray TSpreadsheetFile::SaveXlsx() const
{
    FImpl->CheckWritable();
    for (TSheetModel& s : FImpl->Sheets) {
        if (s.DimensionStale)
            FImpl->UpdateDimension(s);
        s.DimensionStale = false;
    }
    return FImpl->Pkg.Save();
}

void TSpreadsheetFile::SaveToFile(const QString& FileName)
{
    if (FImpl->Legacy || FileName.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        throw EOfficeError(QStringLiteral("Cannot write ") + FileName +
                           QStringLiteral(": legacy workbooks (.xls) are read only; save as .xlsx"));
    WriteOfficeFile(FileName, SaveXlsx());
    FImpl->FileName = FileName;
}
