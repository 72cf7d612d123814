// The grid's binary cell format: a rectangle of cells with their properties and
// graphics as a sequence of component-stream records, written to files, streams and
// the clipboard and read back at the origin or at any cell.
#include "grid_data/grid_binary_io.h"
#include "grid_data/grid_enum_names.h"
#include "grid_data/grid_exchange.h"

#include <QImage>
#include <atomic>
#include <iterator>

#include "grid/cell_properties.h"
#include "grid/kv_string_grid.h"
#include "platform/core/files.h"
#include "platform/core/stringlist.h"
#include "platform/ui/component_colors.h"
#include "platform/ui/controls.h"

namespace {

// An enumeration as its identifier; a value without a name as its number.
void WriteEnum(TComponentWriter& W, const QString& Name, const TEnumNames& Names, int Value)
{
    const QString ident = Names.Name(Value);
    if (!ident.isEmpty())
        W.WriteIdent(Name, ident);
    else
        W.WriteInteger(Name, Value);
}

// The enumeration value of an identifier (or of an ordinal in range).
int EnumFrom(const TComponentValue& V, const QString& Property, const TEnumNames& Names)
{
    if (V.Kind == TComponentValue::Ident) {
        int value = 0;
        if (Names.Find(V.Str, value)) return value;
        throw EReadError(QStringLiteral("Invalid property value for ") + Property + QStringLiteral(": ") + V.Str);
    }
    const int64_t i = V.AsInteger(Property);
    if (i >= 0 && i < Names.Count()) return Names.Item(int(i)).Value;
    throw EReadError(QStringLiteral("Invalid property value for ") + Property);
}

void ExpectClass(const TComponentRecord& R, const char* ClassName)
{
    if (R.ClassName != QLatin1String(ClassName)) throw EReadError(QStringLiteral("Invalid stream format"));
}

std::vector<uint8_t> ToVector(const QByteArray& B)
{
    return std::vector<uint8_t>(B.begin(), B.end());
}

QByteArray ToBytes(const std::vector<uint8_t>& V)
{
    return QByteArray(reinterpret_cast<const char*>(V.data()), qsizetype(V.size()));
}

std::vector<uint8_t> EncodeImage(const QImage& Image, const char* Format)
{
    return ToVector(ImageFileBytes(Image, Format));
}

// A binary value of a 4-byte size and that many bytes; the size must match what follows.
std::vector<uint8_t> SizedPayload(const std::vector<uint8_t>& Data)
{
    std::vector<uint8_t> out(4 + Data.size());
    const uint32_t n = uint32_t(Data.size());
    for (int i = 0; i < 4; ++i) out[size_t(i)] = uint8_t(n >> (8 * i));
    std::copy(Data.begin(), Data.end(), out.begin() + 4);
    return out;
}

std::vector<uint8_t> FromSizedPayload(const uint8_t* P, size_t Size)
{
    if (Size < 4) throw EReadError(QStringLiteral("Stream read error"));
    const uint32_t n = uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
    if (n > Size - 4) throw EReadError(QStringLiteral("Stream read error"));
    return std::vector<uint8_t>(P + 4, P + 4 + n);
}

// Decimal numbers joined by commas, read strictly; fewer than Count raise the list's
// index error.
std::vector<int> SizesFrom(const QString& Text, int Count)
{
    std::vector<int> sizes;
    if (!Text.isEmpty()) {
        for (const QString& part : Text.split(QLatin1Char(','))) {
            bool ok = false;
            const int v = part.toInt(&ok);
            if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(part));
            sizes.push_back(v);
        }
    }
    if (int(sizes.size()) < Count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(sizes.size()));
    return sizes;
}

QString JoinSizes(const TKvStringGrid& G, int From, int To, bool Columns)
{
    QStringList parts;
    for (int i = From; i <= To; ++i) parts << QString::number(Columns ? G.ColWidths(i) : G.RowHeights(i));
    return parts.join(QLatin1Char(','));
}

template <class T>
T* SlotObject(const TCellSlot& Slot)
{
    if (auto* o = std::get_if<TObject*>(&Slot)) return dynamic_cast<T*>(*o);
    return nullptr;
}

TGraphic* SlotGraphic(const TCellSlot& Slot)
{
    if (auto* g = std::get_if<TGraphic*>(&Slot)) return *g;
    return nullptr;
}

// Whether a cell's graphic record follows its property record.
bool WritesGraphic(const TCellGraphic* G)
{
    if (!G) return false;
    switch (G->CellType()) {
    case ctEmpty:
        return false;
    case ctBitmap: case ctIcon: case ctRadio: case ctPicture: case ctFilePicture: case ctBitButton:
        return G->CellCreated();
    case ctImages:
        // the graphic always owns its index list
        return SlotObject<TIntList>(G->FCellBitmap) != nullptr;
    default:
        return true;
    }
}

std::atomic<int> NextBinStreamID{1};

}  // namespace

// ============================================================ records

void TGridPropIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridPropIO"));
    W.WriteInteger(QStringLiteral("ColCount"), ColCount);
    W.WriteInteger(QStringLiteral("RowCount"), RowCount);
    if (!ColWidths.isEmpty()) W.WriteString(QStringLiteral("ColWidths"), ColWidths);
    if (!RowHeights.isEmpty()) W.WriteString(QStringLiteral("RowHeights"), RowHeights);
    W.WriteBoolean(QStringLiteral("FullGrid"), FullGrid);
    W.WriteInteger(QStringLiteral("ID"), ID);
    W.EndRecord();
}

void TGridPropIO::Read(const TComponentRecord& R)
{
    ExpectClass(R, "TGridPropIO");
    R.CheckProperties({"ColCount", "RowCount", "ColWidths", "RowHeights", "FullGrid", "ID"});
    for (const TComponentProperty& p : R.Properties) {
        if (p.Name == QLatin1String("ColCount")) ColCount = int(p.Value.AsInteger(p.Name));
        else if (p.Name == QLatin1String("RowCount")) RowCount = int(p.Value.AsInteger(p.Name));
        else if (p.Name == QLatin1String("ColWidths")) ColWidths = p.Value.AsString(p.Name);
        else if (p.Name == QLatin1String("RowHeights")) RowHeights = p.Value.AsString(p.Name);
        else if (p.Name == QLatin1String("FullGrid")) FullGrid = p.Value.AsBoolean(p.Name);
        else if (p.Name == QLatin1String("ID")) ID = int(p.Value.AsInteger(p.Name));
    }
}

void TGridCellIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridCellIO"));
    W.WriteInteger(QStringLiteral("Col"), Col);
    W.WriteInteger(QStringLiteral("Row"), Row);
    if (!Cell.isEmpty()) W.WriteString(QStringLiteral("Cell"), Cell);
    W.WriteBoolean(QStringLiteral("HasProp"), HasProp);
    W.EndRecord();
}

void TGridCellIO::Read(const TComponentRecord& R)
{
    ExpectClass(R, "TGridCellIO");
    R.CheckProperties({"Col", "Row", "Cell", "HasProp"});
    Cell.clear();   // an omitted text is an empty one
    for (const TComponentProperty& p : R.Properties) {
        if (p.Name == QLatin1String("Col")) Col = int(p.Value.AsInteger(p.Name));
        else if (p.Name == QLatin1String("Row")) Row = int(p.Value.AsInteger(p.Name));
        else if (p.Name == QLatin1String("Cell")) Cell = p.Value.AsString(p.Name);
        else if (p.Name == QLatin1String("HasProp")) HasProp = p.Value.AsBoolean(p.Name);
    }
}

void TGridCellPropIO::Write(TComponentWriter& W, const TCellProperties& P) const
{
    const QString n = QStringLiteral("CellProperties.");
    W.BeginRecord(QStringLiteral("TGridCellPropIO"));
    W.WriteBoolean(n + QStringLiteral("IsBaseCell"), P.IsBaseCell());
    W.WriteInteger(n + QStringLiteral("CellSpanX"), P.CellSpanX());
    W.WriteInteger(n + QStringLiteral("CellSpanY"), P.CellSpanY());
    WriteEnum(W, n + QStringLiteral("Alignment"), AlignmentNames, P.Alignment());
    WriteColorProperty(W, n + QStringLiteral("BorderColor"), P.BorderColor());
    W.WriteInteger(n + QStringLiteral("BorderWidth"), P.BorderWidth());
    WriteColorProperty(W, n + QStringLiteral("BrushColor"), P.BrushColor());
    WriteColorProperty(W, n + QStringLiteral("BrushColorTo"), P.BrushColorTo());
    WriteEnum(W, n + QStringLiteral("BrushStyle"), BrushStyleNames, P.BrushStyle());
    W.WriteInteger(n + QStringLiteral("CellObject"), 0);   // a pointer means nothing outside this process
    WriteColorProperty(W, n + QStringLiteral("FontColor"), P.FontColor());
    if (!P.FontName().isEmpty()) W.WriteString(n + QStringLiteral("FontName"), P.FontName());
    W.WriteInteger(n + QStringLiteral("FontSize"), P.FontSize());
    QStringList styles;
    for (int i = 0; i < FontStyleNames.Count(); ++i) {
        const TEnumName& e = FontStyleNames.Item(i);
        if (P.FontStyle().Contains(TFontStyle(e.Value))) styles << QLatin1String(e.Name);
    }
    W.WriteSet(n + QStringLiteral("FontStyle"), styles);
    WriteEnum(W, n + QStringLiteral("Editor"), EditorTypeNames, P.Editor());
    WriteEnum(W, n + QStringLiteral("GradientDirection"), GradientDirectionNames, P.GradientDirection());
    W.WriteBoolean(n + QStringLiteral("ReadOnly"), P.ReadOnly());
    WriteEnum(W, n + QStringLiteral("VAlignment"), VAlignmentNames, P.VAlignment());
    W.WriteBoolean(n + QStringLiteral("WordWrap"), P.WordWrap());
    W.WriteInteger(n + QStringLiteral("NodeLevel"), P.NodeLevel());
    if (P.Control() && !P.Control()->Name().isEmpty()) W.WriteIdent(n + QStringLiteral("Control"), P.Control()->Name());
    W.WriteBoolean(QStringLiteral("HasGraphic"), HasGraphic);
    W.EndRecord();
}

void TGridCellPropIO::Read(const TComponentRecord& R, TCellProperties& P, const TComponent* Owner)
{
    ExpectClass(R, "TGridCellPropIO");
    R.CheckProperties({"CellProperties.IsBaseCell", "CellProperties.CellSpanX", "CellProperties.CellSpanY",
                       "CellProperties.Alignment", "CellProperties.BorderColor", "CellProperties.BorderWidth",
                       "CellProperties.BrushColor", "CellProperties.BrushColorTo", "CellProperties.BrushStyle",
                       "CellProperties.CellObject", "CellProperties.FontColor", "CellProperties.FontName",
                       "CellProperties.FontSize", "CellProperties.FontStyle", "CellProperties.Editor",
                       "CellProperties.GradientDirection", "CellProperties.ReadOnly", "CellProperties.VAlignment",
                       "CellProperties.WordWrap", "CellProperties.NodeLevel", "CellProperties.Control",
                       "HasGraphic"});
    HasGraphic = false;
    for (const TComponentProperty& p : R.Properties) {
        const TComponentValue& v = p.Value;
        if (p.Name == QLatin1String("HasGraphic")) {
            HasGraphic = v.AsBoolean(p.Name);
            continue;
        }
        const QString n = p.Name.mid(15);   // after "CellProperties."
        if (n == QLatin1String("IsBaseCell")) P.SetIsBaseCell(v.AsBoolean(p.Name));
        else if (n == QLatin1String("CellSpanX")) P.SetCellSpanX(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("CellSpanY")) P.SetCellSpanY(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("Alignment")) P.SetAlignment(TAlignment(EnumFrom(v, p.Name, AlignmentNames)));
        else if (n == QLatin1String("BorderColor")) P.SetBorderColor(ColorFromValue(v, p.Name));
        else if (n == QLatin1String("BorderWidth")) P.SetBorderWidth(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("BrushColor")) P.SetBrushColor(ColorFromValue(v, p.Name));
        else if (n == QLatin1String("BrushColorTo")) P.SetBrushColorTo(ColorFromValue(v, p.Name));
        else if (n == QLatin1String("BrushStyle")) P.SetBrushStyle(TBrushStyle(EnumFrom(v, p.Name, BrushStyleNames)));
        else if (n == QLatin1String("CellObject")) v.AsInteger(p.Name);   // checked, never restored
        else if (n == QLatin1String("FontColor")) P.SetFontColor(ColorFromValue(v, p.Name));
        else if (n == QLatin1String("FontName")) P.SetFontName(v.AsString(p.Name));
        else if (n == QLatin1String("FontSize")) P.SetFontSize(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("FontStyle")) {
            if (v.Kind != TComponentValue::Set) throw EReadError(QStringLiteral("Invalid property value for ") + p.Name);
            TFontStyles styles;
            for (const QString& m : v.Names) {
                int style = 0;
                if (!FontStyleNames.Find(m, style))
                    throw EReadError(QStringLiteral("Invalid property value for ") + p.Name + QStringLiteral(": ") + m);
                styles << TFontStyle(style);
            }
            P.SetFontStyle(styles);
        } else if (n == QLatin1String("Editor")) P.SetEditor(TEditorType(EnumFrom(v, p.Name, EditorTypeNames)));
        else if (n == QLatin1String("GradientDirection"))
            P.SetGradientDirection(TCellGradientDirection(EnumFrom(v, p.Name, GradientDirectionNames)));
        else if (n == QLatin1String("ReadOnly")) P.SetReadOnly(v.AsBoolean(p.Name));
        else if (n == QLatin1String("VAlignment")) P.SetVAlignment(TVAlignment(EnumFrom(v, p.Name, VAlignmentNames)));
        else if (n == QLatin1String("WordWrap")) P.SetWordWrap(v.AsBoolean(p.Name));
        else if (n == QLatin1String("NodeLevel")) P.SetNodeLevel(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("Control")) {
            TComponent* found = Owner ? Owner->FindComponent(v.AsIdent(p.Name)) : nullptr;
            P.SetControl(dynamic_cast<TControl*>(found));
        }
    }
}

void TGridGraphicIO::Write(TComponentWriter& W, const TCellGraphic& G)
{
    const QString n = QStringLiteral("CellGraphic.");
    W.BeginRecord(QStringLiteral("TGridGraphicIO"));
    WriteEnum(W, n + QStringLiteral("CellType"), CellTypeNames, G.CellType());
    WriteEnum(W, n + QStringLiteral("CellVAlign"), CellVAlignNames, G.CellVAlign());
    WriteEnum(W, n + QStringLiteral("CellHAlign"), CellHAlignNames, G.CellHAlign());
    W.WriteInteger(n + QStringLiteral("CellIndex"), G.CellIndex());
    W.WriteBoolean(n + QStringLiteral("CellTransparent"), G.CellTransparent());
    W.WriteBoolean(n + QStringLiteral("CellCreated"), G.CellCreated());
    W.WriteBoolean(n + QStringLiteral("CellBoolean"), G.CellBoolean());
    WriteEnum(W, n + QStringLiteral("CellCheckBoxState"), CheckBoxStateNames, G.CellCheckBoxState());
    W.WriteInteger(n + QStringLiteral("CellAngle"), G.CellAngle());
    if (G.CellValue() != 0) W.WriteFloat(n + QStringLiteral("CellValue"), G.CellValue());
    W.WriteInteger(n + QStringLiteral("CellErrFrom"), G.CellErrFrom());
    W.WriteInteger(n + QStringLiteral("CellErrLen"), G.CellErrLen());
    if (!G.CellText().isEmpty()) W.WriteString(n + QStringLiteral("CellText"), G.CellText());
    W.EndRecord();
}

void TGridGraphicIO::Read(const TComponentRecord& R, TCellGraphic& G)
{
    ExpectClass(R, "TGridGraphicIO");
    R.CheckProperties({"CellGraphic.CellType", "CellGraphic.CellVAlign", "CellGraphic.CellHAlign",
                       "CellGraphic.CellIndex", "CellGraphic.CellTransparent", "CellGraphic.CellCreated",
                       "CellGraphic.CellBoolean", "CellGraphic.CellCheckBoxState", "CellGraphic.CellAngle",
                       "CellGraphic.CellValue", "CellGraphic.CellErrFrom", "CellGraphic.CellErrLen",
                       "CellGraphic.CellText"});
    G.SetCellText(QString());
    for (const TComponentProperty& p : R.Properties) {
        const TComponentValue& v = p.Value;
        const QString n = p.Name.mid(12);   // after "CellGraphic."
        if (n == QLatin1String("CellType")) G.SetCellType(TCellType(EnumFrom(v, p.Name, CellTypeNames)));
        else if (n == QLatin1String("CellVAlign")) G.SetCellVAlign(TCellVAlign(EnumFrom(v, p.Name, CellVAlignNames)));
        else if (n == QLatin1String("CellHAlign")) G.SetCellHAlign(TCellHAlign(EnumFrom(v, p.Name, CellHAlignNames)));
        else if (n == QLatin1String("CellIndex")) G.SetCellIndex(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("CellTransparent")) G.SetCellTransparent(v.AsBoolean(p.Name));
        else if (n == QLatin1String("CellCreated")) G.SetCellCreated(v.AsBoolean(p.Name));
        else if (n == QLatin1String("CellBoolean")) G.SetCellBoolean(v.AsBoolean(p.Name));
        else if (n == QLatin1String("CellCheckBoxState"))
            G.SetCellCheckBoxState(TCheckBoxState(EnumFrom(v, p.Name, CheckBoxStateNames)));
        else if (n == QLatin1String("CellAngle")) G.SetCellAngle(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("CellValue")) G.SetCellValue(v.AsFloat(p.Name));
        else if (n == QLatin1String("CellErrFrom")) G.SetCellErrFrom(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("CellErrLen")) G.SetCellErrLen(int(v.AsInteger(p.Name)));
        else if (n == QLatin1String("CellText")) G.SetCellText(v.AsString(p.Name));
    }
}

namespace {
// The one binary property of an object record, empty when omitted.
std::vector<uint8_t> BinaryOf(const TComponentRecord& R, const char* ClassName, const char* Property)
{
    ExpectClass(R, ClassName);
    R.CheckProperties({Property});
    const TComponentValue* v = R.Find(QLatin1String(Property));
    if (!v) return {};
    if (v->Kind != TComponentValue::Binary) throw EReadError(QStringLiteral("Invalid property value for ") + QLatin1String(Property));
    return v->Bytes;
}
}  // namespace

void TGridBMPIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridBMPIO"));
    if (!Data.empty()) W.WriteBinary(QStringLiteral("Bitmap.Data"), SizedPayload(Data));
    W.EndRecord();
}

void TGridBMPIO::Read(const TComponentRecord& R)
{
    const std::vector<uint8_t> b = BinaryOf(R, "TGridBMPIO", "Bitmap.Data");
    Data = b.empty() ? std::vector<uint8_t>() : FromSizedPayload(b.data(), b.size());
}

void TGridIconIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridIconIO"));
    if (!Data.empty()) W.WriteBinary(QStringLiteral("Icon.Data"), Data);
    W.EndRecord();
}

void TGridIconIO::Read(const TComponentRecord& R)
{
    Data = BinaryOf(R, "TGridIconIO", "Icon.Data");
}

void TGridPicIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridPicIO"));
    if (!GraphicClass.isEmpty()) {
        const QByteArray name = GraphicClass.toLatin1().left(255);
        std::vector<uint8_t> b;
        b.push_back(uint8_t(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        b.insert(b.end(), Data.begin(), Data.end());
        W.WriteBinary(QStringLiteral("Picture.Data"), b);
    }
    W.EndRecord();
}

void TGridPicIO::Read(const TComponentRecord& R)
{
    const std::vector<uint8_t> b = BinaryOf(R, "TGridPicIO", "Picture.Data");
    GraphicClass.clear();
    Data.clear();
    if (b.empty()) return;
    const size_t n = b[0];
    if (n + 1 > b.size()) throw EReadError(QStringLiteral("Stream read error"));
    GraphicClass = QString::fromLatin1(reinterpret_cast<const char*>(b.data() + 1), qsizetype(n));
    Data.assign(b.begin() + qsizetype(n + 1), b.end());
}

void TGridFilePicIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridFilePicIO"));
    if (!Filename.isEmpty()) W.WriteString(QStringLiteral("Picture.Filename"), Filename);
    W.EndRecord();
}

void TGridFilePicIO::Read(const TComponentRecord& R)
{
    ExpectClass(R, "TGridFilePicIO");
    R.CheckProperties({"Picture.Filename"});
    const TComponentValue* v = R.Find(QStringLiteral("Picture.Filename"));
    Filename = v ? v->AsString(QStringLiteral("Picture.Filename")) : QString();
}

void TGridSLIO::Write(TComponentWriter& W) const
{
    W.BeginRecord(QStringLiteral("TGridSLIO"));
    if (!Strings.isEmpty()) W.WriteStringList(QStringLiteral("Strings.Strings"), Strings);
    W.EndRecord();
}

void TGridSLIO::Read(const TComponentRecord& R)
{
    ExpectClass(R, "TGridSLIO");
    R.CheckProperties({"Strings.Strings"});
    const TComponentValue* v = R.Find(QStringLiteral("Strings.Strings"));
    Strings = v ? v->AsStrings(QStringLiteral("Strings.Strings")) : QStringList();
}

// ============================================================ graphic objects

namespace {

QStringList StringsOf(const TStrings* S)
{
    QStringList l;
    if (S)
        for (int i = 0; i < S->Count(); ++i) l << S->Strings(i);
    return l;
}

// A picture's graphic by class name and data: bitmaps as a sized BMP file, icons as an
// ICO file, every other image as PNG.
void PictureToIO(const TPicture* P, TGridPicIO& IO)
{
    IO.GraphicClass.clear();
    IO.Data.clear();
    const TGraphic* g = P ? P->Graphic() : nullptr;
    if (!g || g->Empty()) return;
    if (dynamic_cast<const TBitmap*>(g)) {
        IO.GraphicClass = QStringLiteral("TBitmap");
        IO.Data = SizedPayload(EncodeImage(g->ToImage(), "BMP"));
    } else if (dynamic_cast<const TIcon*>(g)) {
        IO.GraphicClass = QStringLiteral("TIcon");
        IO.Data = EncodeImage(g->ToImage(), "ICO");
    } else {
        IO.GraphicClass = QStringLiteral("TPngImage");
        IO.Data = EncodeImage(g->ToImage(), "PNG");
    }
}

// Image bytes that do not decode leave the graphic empty: the cell keeps its other data.
template <class G>
void LoadGraphic(G& Target, const std::vector<uint8_t>& Data)
{
    if (Data.empty()) return;
    try {
        Target.LoadFromData(ToBytes(Data));
    } catch (const std::exception&) {
    }
}

void WriteGraphicObject(TComponentWriter& W, const TCellGraphic& G)
{
    switch (G.CellType()) {
    case ctBitmap: case ctBitButton: {
        TGridBMPIO io;
        if (const TGraphic* b = SlotGraphic(G.FCellBitmap); b && !b->Empty()) io.Data = EncodeImage(b->ToImage(), "BMP");
        io.Write(W);
        break;
    }
    case ctIcon: {
        TGridIconIO io;
        if (const TGraphic* i = SlotGraphic(G.FCellIcon); i && !i->Empty()) io.Data = EncodeImage(i->ToImage(), "ICO");
        io.Write(W);
        break;
    }
    case ctRadio: {
        TGridSLIO io;
        io.Strings = StringsOf(SlotObject<TStrings>(G.FCellBitmap));
        io.Write(W);
        break;
    }
    case ctImages: {
        TGridSLIO io;
        if (const TIntList* l = SlotObject<TIntList>(G.FCellBitmap))
            for (int v : *l) io.Strings << QString::number(v);
        io.Write(W);
        break;
    }
    case ctPicture: {
        TGridPicIO io;
        const TPicture* const* p = std::get_if<TPicture*>(&G.FCellBitmap);
        PictureToIO(p ? *p : nullptr, io);
        io.Write(W);
        break;
    }
    case ctFilePicture: {
        TGridFilePicIO io;
        if (const TFilePicture* f = SlotObject<TFilePicture>(G.FCellBitmap)) io.Filename = f->Filename();
        io.Write(W);
        break;
    }
    default:
        break;
    }
}

// Reads the object record of the graphic's kind and, when Target is given, attaches a
// new object the graphic owns.
void ReadGraphicObject(TComponentReader& Rd, TKvStringGrid& Grid, TCellGraphic* Target, int ACol, int ARow,
                       TCellType Type)
{
    switch (Type) {
    case ctBitmap: case ctBitButton: {
        TGridBMPIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* b = new TBitmap();
        LoadGraphic(*b, io.Data);
        Target->FCellBitmap = static_cast<TGraphic*>(b);
        Target->SetCellCreated(true);
        break;
    }
    case ctIcon: {
        TGridIconIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* i = new TIcon();
        LoadGraphic(*i, io.Data);
        Target->FCellIcon = static_cast<TGraphic*>(i);
        Target->SetCellCreated(true);
        break;
    }
    case ctRadio: {
        TGridSLIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* sl = new TStringList();
        for (const QString& s : io.Strings) sl->Add(s);
        Target->FCellBitmap = static_cast<TObject*>(sl);
        Target->SetCellCreated(true);
        break;
    }
    case ctImages: {
        TGridSLIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* list = new TIntList(ACol, ARow);
        Target->FCellBitmap = static_cast<TObject*>(list);
        list->SetStrValue(io.Strings.join(QLatin1Char(',')));
        list->OnChange = [&Grid](TObject*, int c, int r) { Grid.RepaintCell(c, r); };
        break;
    }
    case ctPicture: {
        TGridPicIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* p = new TPicture();
        std::vector<uint8_t> data = io.Data;
        if (io.GraphicClass == QLatin1String("TBitmap") && !data.empty()) data = FromSizedPayload(data.data(), data.size());
        LoadGraphic(*p, data);
        Target->FCellBitmap = p;
        Target->SetCellCreated(true);
        break;
    }
    case ctFilePicture: {
        TGridFilePicIO io;
        io.Read(Rd.ReadRecord());
        if (!Target) return;
        auto* f = new TFilePicture();
        Target->FCellBitmap = static_cast<TObject*>(f);
        Target->SetCellCreated(true);
        try {
            f->SetFilename(io.Filename);   // keeps the name when the file is missing here
        } catch (const std::exception&) {
        }
        break;
    }
    default:
        break;
    }
}

}  // namespace

// ============================================================ the grid

int TKvStringGrid::BinStreamID()
{
    if (!FBinStreamID) FBinStreamID = NextBinStreamID++;
    return FBinStreamID;
}

void TKvStringGrid::SaveRectToBinStream(const TGridRect& Rect, TStream* Stream)
{
    const int left = std::max(0, Rect.Left), top = std::max(0, Rect.Top);
    const int right = std::min(ColCount() - 1, Rect.Right), bottom = std::min(RowCount() - 1, Rect.Bottom);
    std::vector<uint8_t> out;
    TComponentWriter w(out);

    TGridPropIO gp;
    gp.ColCount = std::max(0, right - left + 1);
    gp.RowCount = std::max(0, bottom - top + 1);
    gp.FullGrid = FSaveFixedCells ? gp.RowCount == RowCount() && gp.ColCount == ColCount()
                                  : gp.RowCount == RowCount() - FixedRows() && gp.ColCount == ColCount() - FixedCols();
    gp.ID = BinStreamID();
    gp.ColWidths = JoinSizes(*this, left, right, true);
    gp.RowHeights = JoinSizes(*this, top, bottom, false);
    gp.Write(w);

    TExchangeProgress progress(this);
    ExportNotification(esExportStart, top);
    for (int r = top; r <= bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = left; c <= right; ++c) {
            TGridCellIO ci;
            ci.Col = c;
            ci.Row = r;
            const TPoint base = BaseCell(c, r);
            ci.Cell = GetCellEx(base.X, base.Y);
            ci.HasProp = HasCellProperties(c, r);
            ci.Write(w);
            if (!ci.HasProp) continue;
            TCellProperties* props = GetCellProperties(c, r);
            const TCellGraphic* g = dynamic_cast<const TCellGraphic*>(props->GraphicObject());
            TGridCellPropIO pio;
            pio.HasGraphic = WritesGraphic(g);
            pio.Write(w, *props);
            if (!pio.HasGraphic) continue;
            TGridGraphicIO::Write(w, *g);
            WriteGraphicObject(w, *g);
        }
        // Counted from the rectangle's first row, so that a rectangle further down
        // does not start at 100 per cent.
        progress.Step(r - top, std::max(1, bottom - top));
    }
    ExportNotification(esExportDone, -1);
    Stream->WriteBuffer(out.data(), qint64(out.size()));
}

void TKvStringGrid::SaveToBinStream(TStream* Stream)
{
    SaveRectToBinStream(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TKvStringGrid::SaveToBinFile(const QString& FileName)
{
    TMemoryStream ms;
    SaveToBinStream(&ms);
    WriteFileAtomic(FileName, ToBytes(ms.Bytes()));
}

void TKvStringGrid::LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream)
{
    const QByteArray data = Stream->ReadAll();
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    const size_t size = size_t(data.size());
    TComponentReader rd(bytes, size);
    TGridPropIO gp;
    gp.Read(rd.ReadRecord());

    // The first cell record fixes where the rectangle lands.
    int firstCol = 0, firstRow = 0;
    if (rd.Remaining() >= 2) {
        TComponentReader peek(bytes, size, rd.Position());
        TGridCellIO first;
        first.Read(peek.ReadRecord());
        firstCol = first.Col;
        firstRow = first.Row;
    }

    int64_t dc = int64_t(Point.X) - firstCol, dr = int64_t(Point.Y) - firstRow;
    if (gp.FullGrid) {
        // A whole grid sits at its first cell: (0, 0) when the fixed cells were saved,
        // else after the fixed rows and columns, which the counts are raised by.
        // Origins beyond any fixed area a grid has mark a foreign stream.
        constexpr int MaxOrigin = 65536;
        if (gp.ColCount < 0 || gp.RowCount < 0 || firstCol < 0 || firstRow < 0 || firstCol > MaxOrigin ||
            firstRow > MaxOrigin)
            throw EReadError(QStringLiteral("Invalid stream format"));
        // Checked before the grid changes: each size takes stream bytes, so the counts
        // cannot outgrow the stream.
        const std::vector<int> widths = SizesFrom(gp.ColWidths, gp.ColCount);
        const std::vector<int> heights = SizesFrom(gp.RowHeights, gp.RowCount);
        Clear();
        SetRowCount(gp.RowCount + firstRow);
        SetColCount(gp.ColCount + firstCol);
        for (int i = 0; i < gp.ColCount; ++i) SetColWidths(firstCol + i, widths[size_t(i)]);
        for (int i = 0; i < gp.RowCount; ++i) SetRowHeights(firstRow + i, heights[size_t(i)]);
        dc = dr = 0;
    }

    const TComponent* owner = Owner();
    TExchangeProgress progress(this);
    int64_t previousRow = INT64_MIN;
    while (rd.Remaining() >= 2) {
        TGridCellIO ci;
        ci.Read(rd.ReadRecord());
        const int64_t tc = ci.Col + dc, tr = ci.Row + dr;
        if (tr != previousRow) {
            previousRow = tr;
            progress.Step(tr, std::max(1, RowCount()));
        }
        // Records whose target lies outside the grid are read and dropped: cells kept
        // beyond the counts would reappear when the grid grows.
        const bool inside = tc >= 0 && tr >= 0 && tc < ColCount() && tr < RowCount();
        const int c = int(tc), r = int(tr);
        if (inside) SetCellEx(c, r, ci.Cell);
        if (!ci.HasProp) continue;

        TGridCellPropIO pio;
        const TComponentRecord propRecord = rd.ReadRecord();
        if (inside) {
            TCellProperties* props = GetCellProperties(c, r);
            pio.Read(propRecord, *props, owner);
            props->SetOwnerCol(c);
            props->SetOwnerRow(r);
        } else {
            TCellProperties scratch(nullptr, 0, 0);
            pio.Read(propRecord, scratch, owner);
        }
        if (!pio.HasGraphic) continue;

        TCellGraphic read;
        TGridGraphicIO::Read(rd.ReadRecord(), read);
        TCellGraphic* target = nullptr;
        if (inside) {
            target = CreateCellGraphic(c, r);
            target->Assign(&read);
            target->SetCellCheckBoxState(read.CellCheckBoxState());
            target->SetCellErrFrom(read.CellErrFrom());
            target->SetCellErrLen(read.CellErrLen());
        }
        ReadGraphicObject(rd, *this, target, c, r, read.CellType());
    }
}

void TKvStringGrid::LoadFromBinStream(TStream* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    int nodes = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode) ++nodes;
    FNumNodes = nodes;
    if (nodes > 0) RepaintCol(0);
}

void TKvStringGrid::LoadFromBinFile(const QString& FileName)
{
    TMemoryStream ms;
    const QByteArray bytes = ReadBinaryFile(FileName);
    ms.WriteBuffer(bytes.constData(), bytes.size());
    ms.SetPosition(0);
    LoadFromBinStream(&ms);
}
