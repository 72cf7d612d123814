// What a user changes about a grid's layout, kept between runs: the column layout as one
// text, the column widths and order in the ColumnSize store (an INI file or the per-user
// store), the colours, fonts and looks in a "Name=Value" file, the print settings in an
// INI section.
//
// Stored values are applied only when they make sense for the grid: a column order is
// taken when its entries are distinct columns of the grid (a short one keeps the other
// columns in their order), and missing widths or visibility flags leave those columns
// as they are.
#include "grid/kv_string_grid.h"

#include <algorithm>
#include <optional>

#include "grid/grid_text.h"
#include "grid_data/grid_enum_names.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
#include "platform/core/inifiles.h"
#include "platform/core/sysutils.h"

namespace {

QString JoinInts(const std::vector<int>& Values)
{
    QStringList s;
    for (int v : Values) s << QString::number(v);
    return s.join(QLatin1Char(','));
}

// A complete column order from stored entries: they must be distinct columns below
// Count; columns they do not name follow in ascending order. Empty when unusable.
std::vector<int> UsableOrder(const std::vector<int>& Entries, int Count)
{
    std::vector<bool> seen(size_t(std::max(Count, 0)), false);
    for (int e : Entries) {
        if (e < 0 || e >= Count || seen[size_t(e)]) return {};
        seen[size_t(e)] = true;
    }
    std::vector<int> order = Entries;
    for (int c = 0; c < Count; ++c)
        if (!seen[size_t(c)]) order.push_back(c);
    return order;
}

// For each initial column, the position the order gives it.
std::vector<int> InverseOrder(const std::vector<int>& Order)
{
    std::vector<int> inverse(Order.size());
    for (size_t pos = 0; pos < Order.size(); ++pos) inverse[size_t(Order[pos])] = int(pos);
    return inverse;
}

// Puts the columns, all shown, in the given order (Order[pos]: the column now at that
// index that goes to pos). This is the arrangement the grid's order reset reaches from
// the inverse order, made with one move per position instead of its repeated passes,
// so that a wide grid is arranged in time.
void ArrangeColumns(TKvStringGrid& G, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    std::vector<int> at(static_cast<size_t>(n)), col(static_cast<size_t>(n));   // position of each column, column at each position
    for (int i = 0; i < n; ++i) at[size_t(i)] = col[size_t(i)] = i;
    for (int pos = 0; pos < n; ++pos) {
        const int from = at[size_t(Order[size_t(pos)])];
        if (from == pos) continue;
        G.MoveColumn(from, pos);
        std::rotate(col.begin() + pos, col.begin() + from, col.begin() + from + 1);
        for (int i = pos; i <= from; ++i) at[size_t(col[size_t(i)])] = i;
    }
}

// The ColumnSize store of one call: an INI file named by Key, or Key's sub-key Section
// of the per-user store. Read whole, written back whole.
class TLayoutStore {
public:
    TLayoutStore(const TColumnSize& Settings)
    {
        const bool registry = Settings.Location() == clRegistry;
        FFileName = registry ? TRegistryStore::DefaultFileName() : Settings.Key();
        FSection = registry ? Settings.Key() + QLatin1Char('\\') + Settings.Section() : Settings.Section();
        FIni = std::make_unique<TMemIniFile>(FFileName);
    }
    TMemIniFile& Ini() { return *FIni; }
    const QString& Section() const { return FSection; }
    void WriteBack()
    {
        const QString dir = ExtractFileDir(FFileName);
        if (!dir.isEmpty() && !DirectoryExists(dir)) ForceDirectories(dir);
        FIni->UpdateFile();
    }
    // A load leaves the store as it found it; a store that is no file yet stays so.
    void WriteBackAfterLoad()
    {
        if (FileExists(FFileName)) FIni->UpdateFile();
    }

private:
    QString FFileName, FSection;
    std::unique_ptr<TMemIniFile> FIni;
};

}  // namespace

// ============================================================ column states

QString TKvStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    std::vector<int> widths, order, visible;
    for (int i = 0; i < n; ++i) widths.push_back(ColWidths(i));
    if (FColumnOrder.empty())
        for (int i = 0; i < n; ++i) order.push_back(i);
    else
        order = FColumnOrder;
    for (int i = 0; i < n; ++i) visible.push_back(IsHiddenColumn(i) ? 0 : 1);
    return QString::number(n) + QLatin1Char('#') + JoinInts(widths) + QLatin1Char('#') + JoinInts(order) +
           QLatin1Char('#') + JoinInts(visible);
}

void TKvStringGrid::StringToColumnStates(const QString& Value)
{
    if (!Value.contains(QLatin1Char('#'))) return;
    const QStringList fields = Value.split(QLatin1Char('#'));
    auto list = [&](int Field) {
        return Field < fields.size() && !fields[Field].isEmpty() ? fields[Field].split(QLatin1Char(',')) : QStringList();
    };
    int count = 0;
    // A count that is no number of columns changes nothing; a layout names at most the
    // columns whose visibility the grid can keep.
    if (!TryStrToInt(fields[0].trimmed(), count) || count < 1 || count > MaxHiddenColumnIndex + 1) return;
    FColumnOrder.clear();
    UnHideColumnsAll();
    SetColCount(count);

    std::vector<int> entries;
    bool readable = true;
    for (const QString& e : list(2)) {
        int v = 0;
        if (!TryStrToInt(e.trimmed(), v)) readable = false;
        else if (v != -1 && int(entries.size()) < ColCount()) entries.push_back(v);
    }
    const std::vector<int> order = readable ? UsableOrder(entries, ColCount()) : std::vector<int>();
    if (!entries.empty() && !order.empty()) {
        ArrangeColumns(*this, order);
        // A later reset brings the initial order back.
        FColumnOrder = order;
    }

    const QStringList visible = list(3);
    for (int c = std::min(int(visible.size()), ColCount()) - 1; c >= 0; --c)
        if (visible[c].trimmed() == QLatin1String("0")) HideColumn(c);

    TColumnSize* cs = FColumnSize.get();
    const bool stretch = cs->Stretch();
    if (stretch) {
        cs->SetStretch(false);
        const int sc = cs->StretchColumn() == -1 ? ColCount() - 1 : cs->StretchColumn();
        SetDefaultColWidth(ColWidths(sc));
    }
    const QStringList widths = list(1);
    for (int c = 0; c < ColCount() && c < widths.size(); ++c) {
        int w = 0;
        if (TryStrToInt(widths[c].trimmed(), w)) SetColWidths(c, w);
    }
    if (stretch) cs->SetStretch(true);
}

// ============================================================ widths and order in the store

void TKvStringGrid::SaveColSizes()
{
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || FDesigning) return;
    TLayoutStore store(*FColumnSize);
    for (int i = 0; i < ColCount(); ++i)
        store.Ini().WriteInteger(store.Section(), QStringLiteral("Col") + QString::number(i), ColWidths(i));
    store.WriteBack();
}

void TKvStringGrid::LoadColSizes()
{
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || FDesigning) return;
    TLayoutStore store(*FColumnSize);
    for (int i = 0; i < ColCount(); ++i) {
        const int w = store.Ini().ReadInteger(store.Section(), QStringLiteral("Col") + QString::number(i), ColWidths(i));
        if (w != ColWidths(i)) SetColWidths(i, w);
    }
    store.WriteBackAfterLoad();
}

void TKvStringGrid::SaveColPositions()
{
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || FDesigning) return;
    TLayoutStore store(*FColumnSize);
    for (size_t i = 0; i < FColumnOrder.size(); ++i)
        store.Ini().WriteInteger(store.Section(), QStringLiteral("Pos") + QString::number(i), FColumnOrder[i]);
    store.WriteBack();
}

void TKvStringGrid::LoadColPositions()
{
    if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || FDesigning) return;
    TLayoutStore store(*FColumnSize);
    TMemIniFile& ini = store.Ini();
    if (ini.ReadInteger(store.Section(), QStringLiteral("Pos0"), -1) == -1) {
        store.WriteBackAfterLoad();
        return;
    }
    std::vector<int> entries;
    bool readable = true;
    for (int i = 0; i < AllColCount(); ++i) {
        const QString key = QStringLiteral("Pos") + QString::number(i);
        if (!ini.ValueExists(store.Section(), key)) continue;
        int v = 0;
        if (TryStrToInt(ini.ReadString(store.Section(), key, QString()).trimmed(), v)) entries.push_back(v);
        else readable = false;
    }
    const std::vector<int> order = readable ? UsableOrder(entries, AllColCount()) : std::vector<int>();
    if (!order.empty()) {
        const std::vector<int> inverse = InverseOrder(order);
        std::vector<int> hidden;
        for (int c = 0; c < AllColCount(); ++c)
            if (IsHiddenColumn(c)) hidden.push_back(c);
        UnHideColumnsAll();
        ArrangeColumns(*this, order);
        // The hidden columns stay hidden where the order has put them.
        for (int c : hidden) HideColumn(inverse[size_t(c)]);
        FColumnOrder = order;
    }
    store.WriteBackAfterLoad();
}

// ============================================================ visual properties

namespace {

// One line of the visual properties file and how it reads and writes the grid. Fonts
// stand for four lines: Color, Style, Size and Name.
struct TVisualProp {
    enum TKind { Colour, Bool, Int, Font, Enum };
    const char* Name = nullptr;
    TKind Kind = Colour;
    std::function<TColor(TKvStringGrid&)> GetColour;
    std::function<void(TKvStringGrid&, TColor)> SetColour;
    std::function<bool(TKvStringGrid&)> GetBool;
    std::function<void(TKvStringGrid&, bool)> SetBool;
    std::function<int(TKvStringGrid&)> GetInt;
    std::function<void(TKvStringGrid&, int)> SetInt;
    std::function<TFont*(TKvStringGrid&)> GetFont;
    const TEnumNames* Names = nullptr;
};

using G = TKvStringGrid;

TVisualProp C(const char* N, std::function<TColor(G&)> Get, std::function<void(G&, TColor)> Set)
{
    TVisualProp p;
    p.Name = N;
    p.Kind = TVisualProp::Colour;
    p.GetColour = std::move(Get);
    p.SetColour = std::move(Set);
    return p;
}

TVisualProp B(const char* N, std::function<bool(G&)> Get, std::function<void(G&, bool)> Set)
{
    TVisualProp p;
    p.Name = N;
    p.Kind = TVisualProp::Bool;
    p.GetBool = std::move(Get);
    p.SetBool = std::move(Set);
    return p;
}

TVisualProp I(const char* N, std::function<int(G&)> Get, std::function<void(G&, int)> Set)
{
    TVisualProp p;
    p.Name = N;
    p.Kind = TVisualProp::Int;
    p.GetInt = std::move(Get);
    p.SetInt = std::move(Set);
    return p;
}

TVisualProp E(const char* N, const TEnumNames& Names, std::function<int(G&)> Get, std::function<void(G&, int)> Set)
{
    TVisualProp p = I(N, std::move(Get), std::move(Set));
    p.Kind = TVisualProp::Enum;
    p.Names = &Names;
    return p;
}

TVisualProp F(const char* N, std::function<TFont*(G&)> Get)
{
    TVisualProp p;
    p.Name = N;
    p.Kind = TVisualProp::Font;
    p.GetFont = std::move(Get);
    return p;
}

// The properties in the order of the file.
const std::vector<TVisualProp>& VisualProps()
{
    static const std::vector<TVisualProp> props = {
        C("Color", [](G& g) { return g.Color(); }, [](G& g, TColor v) { g.SetColor(v); }),
        C("HintColor", [](G& g) { return g.HintColor(); }, [](G& g, TColor v) { g.SetHintColor(v); }),
        C("SelectionColor", [](G& g) { return g.SelectionColor(); }, [](G& g, TColor v) { g.SetSelectionColor(v); }),
        C("SelectionColorTo", [](G& g) { return g.SelectionColorTo(); }, [](G& g, TColor v) { g.SetSelectionColorTo(v); }),
        C("SelectionMirrorColor", [](G& g) { return g.SelectionMirrorColor(); },
          [](G& g, TColor v) { g.SetSelectionMirrorColor(v); }),
        C("SelectionMirrorColorTo", [](G& g) { return g.SelectionMirrorColorTo(); },
          [](G& g, TColor v) { g.SetSelectionMirrorColorTo(v); }),
        C("SelectionTextColor", [](G& g) { return g.SelectionTextColor(); },
          [](G& g, TColor v) { g.SetSelectionTextColor(v); }),
        C("URLColor", [](G& g) { return g.URLColor(); }, [](G& g, TColor v) { g.SetURLColor(v); }),
        B("URLShow", [](G& g) { return g.URLShow(); }, [](G& g, bool v) { g.SetURLShow(v); }),
        B("URLShowInText", [](G& g) { return g.URLShowInText(); }, [](G& g, bool v) { g.SetURLShowInText(v); }),
        C("ScrollColor", [](G& g) { return g.ScrollColor(); }, [](G& g, TColor v) { g.SetScrollColor(v); }),
        C("ActiveRowColor", [](G& g) { return g.ActiveRowColor(); }, [](G& g, TColor v) { g.SetActiveRowColor(v); }),
        B("ActiveRowShow", [](G& g) { return g.ActiveRowShow(); }, [](G& g, bool v) { g.SetActiveRowShow(v); }),
        B("ActiveCellShow", [](G& g) { return g.ActiveCellShow(); }, [](G& g, bool v) { g.SetActiveCellShow(v); }),
        F("Font", [](G& g) { return g.Font(); }),
        C("ActiveCellColor", [](G& g) { return g.ActiveCellColor(); }, [](G& g, TColor v) { g.SetActiveCellColor(v); }),
        C("ActiveCellColorTo", [](G& g) { return g.ActiveCellColorTo(); },
          [](G& g, TColor v) { g.SetActiveCellColorTo(v); }),
        F("ActiveCellFont", [](G& g) { return g.ActiveCellFont(); }),
        F("FixedFont", [](G& g) { return g.FixedFont(); }),
        C("Balloon.BackgroundColor", [](G& g) { return g.Balloon()->BackgroundColor(); },
          [](G& g, TColor v) { g.Balloon()->SetBackgroundColor(v); }),
        C("Balloon.TextColor", [](G& g) { return g.Balloon()->TextColor(); },
          [](G& g, TColor v) { g.Balloon()->SetTextColor(v); }),
        I("Balloon.Transparency", [](G& g) { return int(g.Balloon()->Transparency()); },
          [](G& g, int v) { g.Balloon()->SetTransparency(uint8_t(v)); }),
        C("Bands.PrimaryColor", [](G& g) { return g.Bands()->PrimaryColor(); },
          [](G& g, TColor v) { g.Bands()->SetPrimaryColor(v); }),
        C("Bands.SecondaryColor", [](G& g) { return g.Bands()->SecondaryColor(); },
          [](G& g, TColor v) { g.Bands()->SetSecondaryColor(v); }),
        B("Bands.Active", [](G& g) { return g.Bands()->Active(); }, [](G& g, bool v) { g.Bands()->SetActive(v); }),
        C("SortSettings.IndexColor", [](G& g) { return g.SortSettings()->IndexColor; },
          [](G& g, TColor v) { g.SortSettings()->IndexColor = v; }),
        C("FloatingFooter.Color", [](G& g) { return g.FloatingFooter()->Color(); },
          [](G& g, TColor v) { g.FloatingFooter()->SetColor(v); }),
        I("ControlLook.CheckSize", [](G& g) { return g.ControlLook()->CheckSize(); },
          [](G& g, int v) { g.ControlLook()->SetCheckSize(v); }),
        C("ControlLook.Color", [](G& g) { return g.ControlLook()->Color(); },
          [](G& g, TColor v) { g.ControlLook()->SetColor(v); }),
        C("ControlLook.CommentColor", [](G& g) { return g.ControlLook()->CommentColor(); },
          [](G& g, TColor v) { g.ControlLook()->SetCommentColor(v); }),
        E("ControlLook.ControlStyle", ControlStyleNames, [](G& g) { return int(g.ControlLook()->ControlStyle()); },
          [](G& g, int v) { g.ControlLook()->SetControlStyle(TControlStyle(v)); }),
        C("ControlLook.FixedGradientFrom", [](G& g) { return g.ControlLook()->FixedGradientFrom(); },
          [](G& g, TColor v) { g.ControlLook()->SetFixedGradientFrom(v); }),
        C("ControlLook.FixedGradientTo", [](G& g) { return g.ControlLook()->FixedGradientTo(); },
          [](G& g, TColor v) { g.ControlLook()->SetFixedGradientTo(v); }),
        I("ControlLook.RadioSize", [](G& g) { return g.ControlLook()->RadioSize(); },
          [](G& g, int v) { g.ControlLook()->SetRadioSize(v); }),
        B("ControlLook.FlatButton", [](G& g) { return g.ControlLook()->FlatButton(); },
          [](G& g, bool v) { g.ControlLook()->SetFlatButton(v); }),
        C("ControlLook.ProgressBorderColor", [](G& g) { return g.ControlLook()->ProgressBorderColor(); },
          [](G& g, TColor v) { g.ControlLook()->SetProgressBorderColor(v); }),
        B("ControlLook.ProgressXP", [](G& g) { return g.ControlLook()->ProgressXP(); },
          [](G& g, bool v) { g.ControlLook()->SetProgressXP(v); }),
        E("Look", GridLookNames, [](G& g) { return int(g.Look()); }, [](G& g, int v) { g.SetLook(TGridLook(v)); }),
        C("SearchFooter.Color", [](G& g) { return g.SearchFooter()->Color(); },
          [](G& g, TColor v) { g.SearchFooter()->SetColor(v); }),
        C("SearchFooter.ColorTo", [](G& g) { return g.SearchFooter()->ColorTo(); },
          [](G& g, TColor v) { g.SearchFooter()->SetColorTo(v); }),
        C("Grouping.HeaderColor", [](G& g) { return g.Grouping()->HeaderColor(); },
          [](G& g, TColor v) { g.Grouping()->SetHeaderColor(v); }),
        C("Grouping.HeaderColorTo", [](G& g) { return g.Grouping()->HeaderColorTo(); },
          [](G& g, TColor v) { g.Grouping()->SetHeaderColorTo(v); }),
        C("Grouping.HeaderTextColor", [](G& g) { return g.Grouping()->HeaderTextColor(); },
          [](G& g, TColor v) { g.Grouping()->SetHeaderTextColor(v); }),
        B("Grouping.HeaderUnderline", [](G& g) { return g.Grouping()->HeaderUnderline(); },
          [](G& g, bool v) { g.Grouping()->SetHeaderUnderline(v); }),
        C("Grouping.HeaderLineColor", [](G& g) { return g.Grouping()->HeaderLineColor(); },
          [](G& g, TColor v) { g.Grouping()->SetHeaderLineColor(v); }),
        I("Grouping.HeaderLineWidth", [](G& g) { return g.Grouping()->HeaderLineWidth(); },
          [](G& g, int v) { g.Grouping()->SetHeaderLineWidth(v); }),
        C("Grouping.SummaryColor", [](G& g) { return g.Grouping()->SummaryColor(); },
          [](G& g, TColor v) { g.Grouping()->SetSummaryColor(v); }),
        C("Grouping.SummaryColorTo", [](G& g) { return g.Grouping()->SummaryColorTo(); },
          [](G& g, TColor v) { g.Grouping()->SetSummaryColorTo(v); }),
        C("Grouping.SummaryTextColor", [](G& g) { return g.Grouping()->SummaryTextColor(); },
          [](G& g, TColor v) { g.Grouping()->SetSummaryTextColor(v); }),
        B("Grouping.SummaryLine", [](G& g) { return g.Grouping()->SummaryLine(); },
          [](G& g, bool v) { g.Grouping()->SetSummaryLine(v); }),
        C("Grouping.SummaryLineColor", [](G& g) { return g.Grouping()->SummaryLineColor(); },
          [](G& g, TColor v) { g.Grouping()->SetSummaryLineColor(v); }),
        I("Grouping.SummaryLineWidth", [](G& g) { return g.Grouping()->SummaryLineWidth(); },
          [](G& g, int v) { g.Grouping()->SetSummaryLineWidth(v); }),
        C("GridLineColor", [](G& g) { return g.GridLineColor(); }, [](G& g, TColor v) { g.SetGridLineColor(v); }),
        C("GridFixedLineColor", [](G& g) { return g.GridFixedLineColor(); },
          [](G& g, TColor v) { g.SetGridFixedLineColor(v); }),
        I("BackGround.Top", [](G& g) { return g.BackGround()->Top(); }, [](G& g, int v) { g.BackGround()->SetTop(v); }),
        I("BackGround.Left", [](G& g) { return g.BackGround()->Left(); },
          [](G& g, int v) { g.BackGround()->SetLeft(v); }),
        E("BackGround.Display", BackGroundDisplayNames, [](G& g) { return int(g.BackGround()->Display()); },
          [](G& g, int v) { g.BackGround()->SetDisplay(TBackGroundDisplay(v)); }),
        E("BackGround.Cells", BackGroundCellsNames, [](G& g) { return int(g.BackGround()->Cells()); },
          [](G& g, int v) { g.BackGround()->SetCells(TBackGroundCells(v)); }),
        C("BackGround.Color", [](G& g) { return g.BackGround()->Color(); },
          [](G& g, TColor v) { g.BackGround()->SetColor(v); }),
        C("BackGround.ColorTo", [](G& g) { return g.BackGround()->ColorTo(); },
          [](G& g, TColor v) { g.BackGround()->SetColorTo(v); }),
    };
    return props;
}

QString BoolText(bool Value) { return Value ? QStringLiteral("true") : QStringLiteral("false"); }

// A colour as the file holds it: empty or missing is no colour.
TColor ReadColour(const std::optional<QString>& Value)
{
    if (!Value || Value->isEmpty()) return clNone;
    try {
        return StringToColor(*Value);
    } catch (const std::invalid_argument& e) {
        throw EConvertError(QString::fromUtf8(e.what()));
    }
}

int ReadInt(const std::optional<QString>& Value)
{
    return StrToInt(Value ? *Value : QString());
}

}  // namespace

void TKvStringGrid::SaveVisualProps(const QString& FileName)
{
    QStringList lines;
    auto add = [&](const QString& Name, const QString& Value) { lines << Name + QLatin1Char('=') + Value; };
    for (const TVisualProp& p : VisualProps()) {
        const QString name = QLatin1String(p.Name);
        switch (p.Kind) {
        case TVisualProp::Colour: add(name, ColorToString(p.GetColour(*this))); break;
        case TVisualProp::Bool: add(name, BoolText(p.GetBool(*this))); break;
        case TVisualProp::Int: add(name, QString::number(p.GetInt(*this))); break;
        case TVisualProp::Enum: add(name, p.Names->Name(p.GetInt(*this))); break;
        case TVisualProp::Font: {
            const TFont* f = p.GetFont(*this);
            add(name + QStringLiteral(".Color"), ColorToString(f->Color()));
            add(name + QStringLiteral(".Style"), FontStylesToText(f->Style()));
            add(name + QStringLiteral(".Size"), QString::number(f->Size()));
            add(name + QStringLiteral(".Name"), f->Name());
            break;
        }
        }
    }
    WriteTextLines(FileName, lines, TTextEncoding::Ansi);
}

void TKvStringGrid::LoadVisualProps(const QString& FileName)
{
    // Names are found without regard to case; the first line of a name counts.
    QHash<QString, QString> values;
    for (const QString& line : ReadExchangeLines(FileName)) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString name = (eq < 0 ? line : line.left(eq)).toCaseFolded();
        if (!values.contains(name)) values.insert(name, eq < 0 ? QString() : line.mid(eq + 1));
    }
    auto value = [&](const QString& Name) -> std::optional<QString> {
        const auto it = values.constFind(Name.toCaseFolded());
        if (it == values.constEnd()) return std::nullopt;
        return *it;
    };
    for (const TVisualProp& p : VisualProps()) {
        const QString name = QLatin1String(p.Name);
        switch (p.Kind) {
        case TVisualProp::Colour: p.SetColour(*this, ReadColour(value(name))); break;
        case TVisualProp::Bool: p.SetBool(*this, value(name).value_or(QString()).toUpper() == QLatin1String("TRUE")); break;
        case TVisualProp::Int: p.SetInt(*this, ReadInt(value(name))); break;
        case TVisualProp::Enum: {
            // A name the type does not have (the custom look has none) leaves the property.
            int v = 0;
            if (p.Names->Find(value(name).value_or(QString()), v)) p.SetInt(*this, v);
            break;
        }
        case TVisualProp::Font: {
            TFont* f = p.GetFont(*this);
            f->SetColor(ReadColour(value(name + QStringLiteral(".Color"))));
            f->SetStyle(FontStylesFromText(value(name + QStringLiteral(".Style")).value_or(QString())));
            f->SetSize(ReadInt(value(name + QStringLiteral(".Size"))));
            f->SetName(value(name + QStringLiteral(".Name")).value_or(QString()));
            break;
        }
        }
    }
}

// ============================================================ print settings

namespace {

QString YesNo(bool Value) { return Value ? QStringLiteral("Y") : QStringLiteral("N"); }

void WriteFont(TMemIniFile& Ini, const QString& Section, const QString& Prefix, TFont* Font)
{
    Ini.WriteString(Section, Prefix + QStringLiteral("Name"), Font->Name());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Size"), Font->Size());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Style"), int(Font->Style().Bits()));
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Color"), int(Font->Color()));
}

// Style bits read are added to the font's own; none is taken away.
void ReadFont(const TMemIniFile& Ini, const QString& Section, const QString& Prefix, TFont* Font)
{
    Font->SetName(Ini.ReadString(Section, Prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
    Font->SetSize(Ini.ReadInteger(Section, Prefix + QStringLiteral("Size"), 10));
    const unsigned bits = unsigned(Ini.ReadInteger(Section, Prefix + QStringLiteral("Style"), 0)) & 0xF;
    Font->SetStyle(TFontStyles::FromBits(Font->Style().Bits() | bits));
    Font->SetColor(TColor(Ini.ReadInteger(Section, Prefix + QStringLiteral("Color"), 0)));
}

}  // namespace

void TKvStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    if (Key.isEmpty() || Section.isEmpty()) return;
    TPrintSettings* ps = FPrintSettings.get();
    TMemIniFile ini(Key);
    auto integer = [&](const char* Name, int Value) { ini.WriteInteger(Section, QLatin1String(Name), Value); };
    auto flag = [&](const char* Name, bool Value) { ini.WriteString(Section, QLatin1String(Name), YesNo(Value)); };
    auto text = [&](const char* Name, const QString& Value) { ini.WriteString(Section, QLatin1String(Name), Value); };
    integer("ColumnSpacing", ps->ColumnSpacing);
    integer("RowSpacing", ps->RowSpacing);
    integer("TitleSpacing", ps->TitleSpacing);
    integer("FixedHeight", ps->FixedHeight);
    integer("FixedWidth", ps->FixedWidth);
    flag("Centered", ps->Centered);
    flag("NoAutoSize", ps->NoAutoSize);
    flag("UseFixedHeight", ps->UseFixedHeight);
    flag("UseFixedWidth", ps->UseFixedWidth);
    flag("RepeatFixedRows", ps->RepeatFixedRows);
    flag("RepeatFixedCols", ps->RepeatFixedCols);
    flag("UseDisplFont", ps->UseDisplayFont);
    flag("UseDefOrientation", ps->UseDefaultOrientation);
    integer("Borders", PrintBordersNames.IndexOf(ps->Borders));
    integer("BorderColor", int(ps->BorderColor));
    integer("BorderStyle", PenStyleNames.IndexOf(ps->BorderStyle));
    integer("Date", PrintPositionNames.IndexOf(ps->Date));
    integer("PageNr", PrintPositionNames.IndexOf(ps->PageNr));
    integer("Title", PrintPositionNames.IndexOf(ps->Title));
    integer("Time", PrintPositionNames.IndexOf(ps->Time));
    text("DateFormat", ps->DateFormat);
    text("TitleText", ps->TitleText);
    integer("FooterSize", ps->FooterSize);
    integer("HeaderSize", ps->HeaderSize);
    integer("LeftSize", ps->LeftSize);
    integer("RightSize", ps->RightSize);
    integer("FitToPage", FitToPageNames.IndexOf(ps->FitToPage));
    WriteFont(ini, Section, QStringLiteral("Font"), ps->Font());
    WriteFont(ini, Section, QStringLiteral("HeaderFont"), ps->HeaderFont());
    WriteFont(ini, Section, QStringLiteral("FooterFont"), ps->FooterFont());
    text("PageNumSep", ps->PageNumSep);
    text("PageSuffix", ps->PageSuffix);
    text("PagePrefix", ps->PagePrefix);
    integer("Orientation", PrinterOrientationNames.IndexOf(ps->Orientation));
    text("TitleLines", LineBreaksToEscaped(ps->TitleLines()->Text()));
    flag("PrintGraphics", ps->PrintGraphics);
    ini.UpdateFile();
}

void TKvStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    if (Key.isEmpty() || Section.isEmpty()) return;
    TPrintSettings* ps = FPrintSettings.get();
    TMemIniFile ini(Key);
    auto integer = [&](const char* Name, int Default) { return ini.ReadInteger(Section, QLatin1String(Name), Default); };
    auto flag = [&](const char* Name, bool Default) {
        return ini.ReadString(Section, QLatin1String(Name), YesNo(Default)) == QLatin1String("Y");
    };
    auto text = [&](const char* Name) { return ini.ReadString(Section, QLatin1String(Name), QString()); };
    // An ordinal out of the type's range leaves the setting as it was.
    auto ordinal = [&](const char* Name, const TEnumNames& Names, auto& Setting) {
        const int i = integer(Name, 0);
        if (i >= 0 && i < Names.Count()) Setting = std::remove_reference_t<decltype(Setting)>(Names.Item(i).Value);
    };
    auto position = [&](const char* Name, TPrintPosition& Setting) {
        const int i = integer(Name, 0);
        Setting = i >= 1 && i <= 6 ? TPrintPosition(PrintPositionNames.Item(i).Value) : ppNone;
    };
    ps->ColumnSpacing = integer("ColumnSpacing", 20);
    ps->RowSpacing = integer("RowSpacing", 20);
    ps->TitleSpacing = integer("TitleSpacing", 20);
    ps->FixedHeight = integer("FixedHeight", 0);
    ps->FixedWidth = integer("FixedWidth", 0);
    ps->Centered = flag("Centered", true);
    ps->NoAutoSize = flag("NoAutoSize", false);
    ps->UseFixedHeight = flag("UseFixedHeight", false);
    ps->UseFixedWidth = flag("UseFixedWidth", false);
    ps->RepeatFixedRows = flag("RepeatFixedRows", false);
    ps->RepeatFixedCols = flag("RepeatFixedCols", false);
    ps->UseDisplayFont = flag("UseDisplFont", false);
    ps->UseDefaultOrientation = flag("UseDefOrientation", false);
    ordinal("Borders", PrintBordersNames, ps->Borders);
    ps->BorderColor = TColor(integer("BorderColor", 0));
    ordinal("BorderStyle", PenStyleNames, ps->BorderStyle);
    position("Date", ps->Date);
    position("PageNr", ps->PageNr);
    position("Title", ps->Title);
    position("Time", ps->Time);
    ps->DateFormat = text("DateFormat");
    ps->TitleText = text("TitleText");
    ps->FooterSize = integer("FooterSize", 100);
    ps->HeaderSize = integer("HeaderSize", 100);
    ps->LeftSize = integer("LeftSize", 100);
    ps->RightSize = integer("RightSize", 100);
    ordinal("FitToPage", FitToPageNames, ps->FitToPage);
    ReadFont(ini, Section, QStringLiteral("Font"), ps->Font());
    ReadFont(ini, Section, QStringLiteral("HeaderFont"), ps->HeaderFont());
    ReadFont(ini, Section, QStringLiteral("FooterFont"), ps->FooterFont());
    ps->PageNumSep = text("PageNumSep");
    ps->PageSuffix = text("PageSuffix");
    ps->PagePrefix = text("PagePrefix");
    ordinal("Orientation", PrinterOrientationNames, ps->Orientation);
    ps->TitleLines()->SetText(EscapedToLineBreaks(text("TitleLines")));
    ps->PrintGraphics = flag("PrintGraphics", false);
    if (FileExists(Key)) ini.UpdateFile();
}
