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
#include <unordered_map>

#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
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
    auto classOf = [&](const TFont& Font, TColor Background, TAlignment HA, TVAlignment VA) {
        const TStyleKey key{Font.Name(), Font.Size(), Font.Style().Bits(), Font.Color(), Background, HA, VA};
        const auto known = classes.find(key);
        if (known != classes.end()) return known->second;
        const QString style = BuildCellStyle(Font, Background, HA, VA, hs->SaveColor);
        auto it = styleIndex.find(style);
        if (it == styleIndex.end()) {
            it = styleIndex.insert(style, int(styles.size()));
            styles << style;
        }
        const QString name = QLatin1Char('c') + QString::number(*it);
        classes.emplace(key, name);
        return name;
    };
    auto cellLook = [&](int ACol, int ARow, TFont& Font, TColor& Brush, bool& WW, TAlignment& HA, TVAlignment& VA) {
        TBrush brush;
        brush.SetColor(clNone);
        TGridDrawState state;
        TColor colorTo, mirror, mirrorTo;
        TCellGradientDirection gd = GradientVertical;
        WW = WordWrap();
        GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &Font, HA, VA, WW,
                            gd);
        Brush = brush.Color();
    };
    auto spans = [&](int RealCol, int ARow) {
        const TPoint span = CellSpan(RealCol, ARow);
        QString s;
        if (span.X > 0) s += QStringLiteral(" COLSPAN=") + Q + QString::number(span.X + 1) + Q;
        if (span.Y > 0) s += QStringLiteral(" ROWSPAN=") + Q + QString::number(span.Y + 1) + Q;
        return s;
    };
    TIntList* widths = hs->ColWidths();
    QStringList table;
    QString tag = QStringLiteral("<TABLE BORDER=") + Q + QString::number(hs->BorderSize) + Q +
                  QStringLiteral(" CELLSPACING=") + Q + QString::number(hs->CellSpacing) + Q +
                  QStringLiteral(" CELLPADDING=") + Q + QString::number(hs->CellPadding) + Q + QLatin1Char(' ');
    if (!hs->Summary.isEmpty()) tag += QStringLiteral("SUMMARY=") + Q + hs->Summary + Q + QLatin1Char(' ');
    if (!hs->TableStyle.isEmpty()) tag += QLatin1Char(' ') + hs->TableStyle + QLatin1Char(' ');
    tag += QStringLiteral(" WIDTH=") + Q + QString::number(hs->Width) + QStringLiteral("%") + Q + QLatin1Char('>');
    table << tag;

    const bool header = FixedRows() > 0 && (SaveFixedCells() || FSaveFixedRows);
    if (header) {
        table << QStringLiteral("<TR>");
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = DisplToRealColumn(c);
            if (!IsBaseCell(rc, 0)) continue;
            QString text;
            GetSaveCellText(rc, 0, text);
            text = LinkURLText(CRToHTMLBreaks(text));
            if (text.isEmpty()) text = QStringLiteral("&nbsp;");
            TFont font;
            TColor brush;
            bool ww;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            cellLook(c, 0, font, brush, ww, ha, va);
            QString line = QStringLiteral("<TD class=") + Q + classOf(font, FixedColor(), ha, va) +
                           Q + spans(rc, 0) + (ww ? QString() : QStringLiteral(" nowrap"));
            if (c < widths->Count()) line += QStringLiteral(" WIDTH=") + QString::number(widths->Items(c));
            table << line + QLatin1Char('>') + text + QStringLiteral("</td>");
        }
        table << QStringLiteral("</TR>");
        firstRow = 1;
    }

    ExportRows(firstRow, RowCount() - 1, [&](int r) {
        table << QStringLiteral("<TR>");
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = DisplToRealColumn(c);
            if (!IsBaseCell(rc, r)) continue;
            QString text;
            GetSaveCellText(rc, r, text);
            if (hs->ConvertSpecialChars) text = EscapeHTMLText(text, true);
            if (hs->NonBreakingText) text = SpacesToNbsp(text);
            text = LinkURLText(CRToHTMLBreaks(text));
            TFont font;
            TColor brush;
            bool ww;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            cellLook(c, r, font, brush, ww, ha, va);
            if (IsFixed(c, r)) brush = FixedColor();
            if (text.trimmed().isEmpty()) text = QStringLiteral("&nbsp;");
            QString content;
            if (!AddCellWithGraphic(rc, r, text, Dir, imageNumber, content)) continue;
            QString line = QStringLiteral("<TD class=") + Q + classOf(font, brush, ha, va) +
                           Q + spans(rc, r) + (ww ? QString() : QStringLiteral(" nowrap"));
            if (!header && c - firstCol < widths->Count())
                line += QStringLiteral(" width=") + QString::number(widths->Items(c - firstCol));
            table << line + QLatin1Char('>') + content + QStringLiteral("</td>");
        }
        table << QStringLiteral("</TR>");
    });
    table << QStringLiteral("</TABLE>");
    if (!hs->SuffixTag.isEmpty()) table << hs->SuffixTag;
    if (hs->XHTML) table << QStringLiteral("</HTML>");

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
    for (const QString& l : table) out += l + CRLF;
    return out;
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
