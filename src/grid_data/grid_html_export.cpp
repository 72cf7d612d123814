// The grid as an HTML table: cell fonts, colours and alignments as numbered style
// classes, merged cells as spans, cell pictures as JPEG files in an "images" folder
// beside the document. The tag layout is HTML (upper-case table tags, unquoted widths),
// also under the XHTML prologue.
//
// The file forms are written in UTF-16 LE with Unicode, in UTF-8 with Unicode under the
// XHTML prologue (which declares UTF-8), and otherwise in 7-bit ASCII with every other
// character as a numeric character reference, so no text is lost.
#include "grid/kv_string_grid.h"

#include <QHash>
#include <QPainter>
#include <algorithm>
#include <unordered_map>

#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
#include "platform/core/large_buffers.h"
#include "platform/core/shell_open.h"
#include "platform/core/sysutils.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QChar Q = QLatin1Char('"');

void AppendStyle(QString& Style, const QString& Declaration)
{
    if (!Style.isEmpty()) Style += QLatin1Char(';');
    Style += Declaration;
}

QString BuildCellStyle(const TFont& Font, TColor Background, TAlignment HA, TVAlignment VA, bool SaveColor)
{
    QString style;
    if (SaveColor && Background != clNone)
        AppendStyle(style, QStringLiteral("background-color: #") + ColorToHTMLHex(ColorToRGB(Background)));
    if (SaveColor && Font.Color() != clNone)
        AppendStyle(style, QStringLiteral("color: #") + ColorToHTMLHex(ColorToRGB(Font.Color())));
    AppendStyle(style, QStringLiteral("font-size:") + QString::number(Font.Size()) + QStringLiteral("pt"));
    if (Font.Style().Contains(fsItalic)) AppendStyle(style, QStringLiteral("font-style: italic"));
    if (Font.Style().Contains(fsBold)) AppendStyle(style, QStringLiteral("font-weight: bold"));
    AppendStyle(style, QStringLiteral("font-family: ") + Font.Name());
    if (HA == taRightJustify) AppendStyle(style, QStringLiteral("text-align: right"));
    else if (HA == taCenter) AppendStyle(style, QStringLiteral("text-align: center"));
    switch (VA) {
    case vtaTop: AppendStyle(style, QStringLiteral("vertical-align: top")); break;
    case vtaCenter: AppendStyle(style, QStringLiteral("vertical-align: middle")); break;
    case vtaBottom: AppendStyle(style, QStringLiteral("vertical-align: bottom")); break;
    }
    return style;
}

// Writes a cell picture as Dir + "images/img<Number>.jpg": a JPEG file as it was loaded,
// any other picture drawn onto a white bitmap of its size and encoded.
QString ExportCellImage(const QImage& Image, const QByteArray& Jpeg, int Number, const QString& Dir)
{
    const QString folder = Dir + QStringLiteral("images");
    if (!DirectoryExists(folder) && !ForceDirectories(folder))
        throw Exception(QStringLiteral("Cannot create ") + folder);
    const QString path = Dir + QStringLiteral("images/img") + QString::number(Number) + QStringLiteral(".jpg");
    if (!Jpeg.isEmpty()) {
        WriteFileAtomic(path, Jpeg);
        return path;
    }
    QImage canvas(Image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.drawImage(0, 0, Image);
    }
    WriteFileAtomic(path, EncodeJpeg(canvas));
    return path;
}

QString ExportCellImage(const TGraphic* Graphic, int Number, const QString& Dir)
{
    const auto* loaded = dynamic_cast<const TImageGraphic*>(Graphic);
    const bool jpeg = loaded && loaded->Format() == "jpeg" && !loaded->SourceData().isEmpty();
    return ExportCellImage(Graphic->ToImage(), jpeg ? loaded->SourceData() : QByteArray(), Number, Dir);
}

// What a cell style is built from.
struct TStyleKey {
    QString FontName;
    int FontSize;
    unsigned FontStyle;
    TColor FontColor, Background;
    TAlignment HA;
    TVAlignment VA;
    bool operator==(const TStyleKey&) const = default;
};

struct TStyleKeyHash {
    size_t operator()(const TStyleKey& K) const
    {
        return qHash(K.FontName) ^ (size_t(K.FontSize) << 1) ^ (size_t(K.FontStyle) << 8) ^ (size_t(K.FontColor) << 12) ^
               (size_t(K.Background) << 20) ^ (size_t(K.HA) << 40) ^ (size_t(K.VA) << 44);
    }
};

// Empty or white space only, as trimming would find it.
bool IsBlankText(const QString& Text)
{
    return std::all_of(Text.cbegin(), Text.cend(), [](QChar c) { return c.isSpace(); });
}

QString ImageTag(const QString& Dir, int Number)
{
    return QStringLiteral("<img src= ") + Q + QStringLiteral("file://") + Dir + QStringLiteral("images/img") +
           QString::number(Number) + QStringLiteral(".jpg") + Q + QLatin1Char('>');
}

}  // namespace

QString TKvStringGrid::LinkURLText(const QString& Text) const
{
    if (!URLShow()) return Text;
    auto link = [&](const QString& Marker) {
        const qsizetype p = Text.indexOf(Marker);
        const QString shown = URLFull() ? Text : Text.mid(p + Marker.size(), 255);
        return QStringLiteral("<a href=") + Text + QLatin1Char('>') + shown + QStringLiteral("</a>");
    };
    QString result = Text;
    const bool markup = Text.contains(QLatin1String("</"));
    if (Text.contains(QLatin1String("://")) && !markup) result = link(QStringLiteral("://"));
    if (Text.contains(QLatin1String("mailto:")) && !markup) result = link(QStringLiteral("mailto:"));
    return result;
}

bool TKvStringGrid::AddCellWithGraphic(int RealCol, int ARow, const QString& Text, const QString& Dir,
                                       int& ImageNumber, QString& Content)
{
    Content = Text;
    if (!FHTMLSettings->ExportImages) return true;
    TCellGraphic* g = GetCellGraphic(RealCol, ARow);
    if (!g) return true;
    auto image = [&](const QImage& Image, const QByteArray& Jpeg) {
        ExportCellImage(Image, Jpeg, ImageNumber, Dir);
        return ImageTag(Dir, ImageNumber++);
    };
    auto graphic = [&](const TGraphic* G) {
        ExportCellImage(G, ImageNumber, Dir);
        return ImageTag(Dir, ImageNumber++);
    };
    TImageList* list = GetCellImageList();
    switch (g->CellType()) {
    case ctBitmap:
        if (TBitmap* b = GetBitmap(RealCol, ARow)) Content = Text + graphic(b);
        break;
    case ctImageList:
        if (list && g->CellIndex() >= 0 && g->CellIndex() < list->Count())
            Content = image(list->Image(g->CellIndex()), QByteArray()) + Text;
        break;
    case ctDataImage: {
        int index = -1;
        Content.clear();
        if (list && TryStrToInt(Cells(RealCol, ARow), index) && index >= 0 && index < list->Count())
            Content = image(list->Image(index), QByteArray());
        break;
    }
    case ctNode: Content = QLatin1Char('+') + Text; break;
    case ctImages: {
        if (!list) return false;
        QString images;
        if (TIntList* l = CellImages(RealCol, ARow))
            for (int i = 0; i < l->Count(); ++i)
                if (l->Items(i) >= 0 && l->Items(i) < list->Count()) images += image(list->Image(l->Items(i)), QByteArray());
        Content = images + Text;
        break;
    }
    case ctPicture:
        if (TPicture* p = GetPicture(RealCol, ARow); p && p->Graphic()) Content = Text + graphic(p->Graphic());
        break;
    default: break;
    }
    return true;
}

QString TKvStringGrid::SaveToHTMLString(const QString& Dir)
{
    const THTMLSettings* hs = FHTMLSettings.get();
    const int firstCol = SaveFixedCells() || FSaveFixedCols ? 0 : FixedCols();
    int firstRow = SaveFixedCells() || FSaveFixedRows ? 0 : FixedRows();
    int imageNumber = 1;
    // Distinct styles in order of first use (class c0, c1, ...), found by what they are
    // built from, so that a large grid builds each style text once.
    QStringList styles;
    QHash<QString, int> styleIndex;
    std::unordered_map<TStyleKey, QString, TStyleKeyHash> classes;
    // Neighbouring cells mostly share their look: the last class found is tried first.
    TStyleKey lastKey{};
    QString lastClass;
    auto classOf = [&](const TFont& Font, TColor Background, TAlignment HA, TVAlignment VA) -> const QString& {
        TStyleKey key{Font.Name(), Font.Size(), Font.Style().Bits(), Font.Color(), Background, HA, VA};
        if (!lastClass.isEmpty() && key == lastKey) return lastClass;
        const auto known = classes.find(key);
        if (known != classes.end()) {
            lastKey = std::move(key);
            lastClass = known->second;
            return lastClass;
        }
        const QString style = BuildCellStyle(Font, Background, HA, VA, hs->SaveColor);
        auto it = styleIndex.find(style);
        if (it == styleIndex.end()) {
            it = styleIndex.insert(style, int(styles.size()));
            styles << style;
        }
        lastClass = QLatin1Char('c') + QString::number(*it);
        classes.emplace(key, lastClass);
        lastKey = std::move(key);
        return lastClass;
    };
    // One font and brush serve every cell: the visual properties assign the font whole and
    // set the brush colour before anything reads them.
    TFont font;
    TBrush brush;
    auto cellLook = [&](int ACol, int ARow, TColor& Brush, bool& WW, TAlignment& HA, TVAlignment& VA) {
        brush.SetColor(clNone);
        TGridDrawState state;
        TColor colorTo, mirror, mirrorTo;
        TCellGradientDirection gd = GradientVertical;
        WW = WordWrap();
        GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font, HA, VA, WW,
                            gd);
        Brush = brush.Color();
    };
    // The table is written into one text, each line followed by CR LF, behind room for the
    // head (prologue and styles), which is known only when every cell has its class.
    constexpr qsizetype headRoom = 8192;
    QString table;
    // A new text takes the characters written only: reserving in place would copy the
    // whole old room.
    auto reserveTable = [&](qsizetype Chars) {
        QString bigger;
        bigger.reserve(std::min(Chars, MaxExportReserve / 2));
        AdviseLargeBuffer(bigger.data(), size_t(bigger.capacity()) * sizeof(QChar));
        bigger.append(table.constData(), table.size());
        table.swap(bigger);
    };
    reserveTable(qsizetype(RowCount()) * (ColCount() - firstCol) * 48 + headRoom);
    table.resize(headRoom, Q);
    auto line = [&](QStringView Line) {
        table += Line;
        table += CRLF;
    };
    // "<TD class="cN"" with its spans and wrapping; the caller closes the tag.
    auto openCell = [&](const QString& Class, int RealCol, int ARow, bool WW) {
        table += u"<TD class=\"";
        table += Class;
        table += Q;
        const TPoint span = CellSpan(RealCol, ARow);
        if (span.X > 0) {
            table += u" COLSPAN=\"";
            table += QString::number(span.X + 1);
            table += Q;
        }
        if (span.Y > 0) {
            table += u" ROWSPAN=\"";
            table += QString::number(span.Y + 1);
            table += Q;
        }
        if (!WW) table += u" nowrap";
    };
    auto closeCell = [&](const QString& Content) {
        table += u'>';
        table += Content;
        table += u"</td>\r\n";
    };
    TIntList* widths = hs->ColWidths();
    QString tag = QStringLiteral("<TABLE BORDER=") + Q + QString::number(hs->BorderSize) + Q +
                  QStringLiteral(" CELLSPACING=") + Q + QString::number(hs->CellSpacing) + Q +
                  QStringLiteral(" CELLPADDING=") + Q + QString::number(hs->CellPadding) + Q + QLatin1Char(' ');
    if (!hs->Summary.isEmpty()) tag += QStringLiteral("SUMMARY=") + Q + hs->Summary + Q + QLatin1Char(' ');
    if (!hs->TableStyle.isEmpty()) tag += QLatin1Char(' ') + hs->TableStyle + QLatin1Char(' ');
    tag += QStringLiteral(" WIDTH=") + Q + QString::number(hs->Width) + QStringLiteral("%") + Q + QLatin1Char('>');
    line(tag);

    const bool header = FixedRows() > 0 && (SaveFixedCells() || FSaveFixedRows);
    if (header) {
        line(u"<TR>");
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = DisplToRealColumn(c);
            if (!IsBaseCell(rc, 0)) continue;
            QString text;
            GetSaveCellText(rc, 0, text);
            text = LinkURLText(CRToHTMLBreaks(text));
            if (text.isEmpty()) text = QStringLiteral("&nbsp;");
            TColor background;
            bool ww;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            cellLook(c, 0, background, ww, ha, va);
            openCell(classOf(font, FixedColor(), ha, va), rc, 0, ww);
            if (c < widths->Count()) {
                table += u" WIDTH=";
                table += QString::number(widths->Items(c));
            }
            closeCell(text);
        }
        line(u"</TR>");
        firstRow = 1;
    }

    qsizetype rowsStart = 0;
    ExportRows(firstRow, RowCount() - 1, [&](int r) {
        if (r == firstRow) rowsStart = table.size();
        const qsizetype expected = ExpectedExportSize(table.size(), rowsStart, r - firstRow, RowCount() - firstRow);
        if (expected > table.capacity()) reserveTable(expected);
        line(u"<TR>");
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = DisplToRealColumn(c);
            if (!IsBaseCell(rc, r)) continue;
            QString text;
            GetSaveCellText(rc, r, text);
            if (hs->ConvertSpecialChars) text = EscapeHTMLText(text, true);
            if (hs->NonBreakingText && text.contains(QLatin1Char(' '))) text = SpacesToNbsp(text);
            text = LinkURLText(CRToHTMLBreaks(text));
            TColor background;
            bool ww;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            cellLook(c, r, background, ww, ha, va);
            if (IsFixed(c, r)) background = FixedColor();
            if (IsBlankText(text)) text = QStringLiteral("&nbsp;");
            QString content;
            if (!AddCellWithGraphic(rc, r, text, Dir, imageNumber, content)) continue;
            openCell(classOf(font, background, ha, va), rc, r, ww);
            if (!header && c - firstCol < widths->Count()) {
                table += u" width=";
                table += QString::number(widths->Items(c - firstCol));
            }
            closeCell(content);
        }
        line(u"</TR>");
    });
    line(QStringLiteral("</TABLE>"));
    if (!hs->SuffixTag.isEmpty()) line(hs->SuffixTag);
    if (hs->XHTML) line(QStringLiteral("</HTML>"));

    QString out;
    if (hs->XHTML)
        out += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + CRLF +
               QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + CRLF +
               QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + CRLF +
               QStringLiteral("<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + CRLF;
    out += hs->PrefixTag;
    out += QStringLiteral("<style>") + CRLF;
    for (int i = 0; i < styles.size(); ++i)
        out += QStringLiteral(".c") + QString::number(i) + QStringLiteral(" {") + styles[i] + QLatin1Char('}') + CRLF;
    out += QStringLiteral("</style>") + CRLF;
    // The table is by far the larger part: a head that fits its room takes the end of the
    // room and the rest of the room is dropped from the front, so the table never moves.
    if (out.size() > headRoom) {
        table.remove(0, headRoom);
        table.prepend(out);
        return table;
    }
    const qsizetype start = headRoom - out.size();
    std::copy(out.cbegin(), out.cend(), table.begin() + start);
    table.remove(0, start);
    return table;
}

void TKvStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, false, Unicode, Show);
}

void TKvStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, true, Unicode, Show);
}

void TKvStringGrid::WriteHTMLFile(const QString& FileName, bool Append, bool Unicode, bool Show)
{
    const THTMLSettings* hs = FHTMLSettings.get();
    QStringList lines;
    if (Append) {
        try {
            lines = ReadExchangeLines(FileName);
        } catch (const Exception&) {
            // Nothing to append to: the file starts with this export.
        }
    }
    if (!hs->HeaderFile.isEmpty()) lines << ReadExchangeLines(hs->HeaderFile);
    QString dir = ExtractFilePath(FileName);
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    lines << SaveToHTMLString(dir);
    if (!hs->FooterFile.isEmpty()) lines << ReadExchangeLines(hs->FooterFile);
    TExportText out(Unicode && hs->XHTML ? TExportText::Utf8WithMark
                    : Unicode            ? TExportText::Utf16WithMark
                                         : TExportText::AsciiWithReferences);
    for (const QString& l : lines) {
        out.Append(l);
        out.Append(CRLF);
    }
    out.Save(FileName);
    if (Show || hs->AutoPreview) ShellOpen(FileName);
}
