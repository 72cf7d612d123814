// Defaults, side effects and Assign of the grid's behaviour settings. Each
// Assign test flips every option of a source object and checks that exactly
// the options the class shares are copied.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "grid/grid_settings.h"

namespace {

template <class T>
struct Option {
    std::string name;
    std::function<void(T&)> change;                  // moves the option off its default
    std::function<bool(const T&, const T&)> same;
};

#define BOOL_OPT(T, Name) \
    Option<T>{#Name, [](T& o) { o.Set##Name(!o.Name()); }, [](const T& a, const T& b) { return a.Name() == b.Name(); }}
#define VAL_OPT(T, Name, Other) \
    Option<T>{#Name, [](T& o) { o.Set##Name(Other); }, [](const T& a, const T& b) { return a.Name() == b.Name(); }}

// Flips every option of a source, assigns it to a fresh target, and checks
// that an option arrives exactly when it is not excluded.
template <class T, class Make>
void ExpectAssignCopies(Make make, const std::vector<Option<T>>& options, const std::set<std::string>& excluded)
{
    auto src = make();
    auto dst = make();
    auto fresh = make();
    for (const auto& o : options)
        o.change(*src);
    for (const auto& o : options)
        ASSERT_FALSE(o.same(*src, *fresh)) << o.name << " was not changed by the test";
    dst->Assign(src.get());
    for (const auto& o : options) {
        const bool copied = o.same(*dst, *src);
        EXPECT_EQ(copied, excluded.count(o.name) == 0) << o.name;
    }
    for (const auto& name : excluded) {
        bool known = false;
        for (const auto& o : options)
            known = known || o.name == name;
        EXPECT_TRUE(known) << name;
    }
}

std::vector<Option<TNavigation>> NavigationOptions()
{
    using N = TNavigation;
    return {
        BOOL_OPT(N, AllowInsertRow), BOOL_OPT(N, AllowDeleteRow), BOOL_OPT(N, AlwaysEdit),
        BOOL_OPT(N, AdvanceOnEnter), BOOL_OPT(N, AdvanceOnEnterLoop), BOOL_OPT(N, AdvanceInsert),
        BOOL_OPT(N, AdvanceAutoEdit), BOOL_OPT(N, AdvanceSkipReadOnlyCells),
        VAL_OPT(N, AdvanceDirection, adTopBottom), BOOL_OPT(N, AdvanceAuto), BOOL_OPT(N, AutoGotoWhenSorted),
        BOOL_OPT(N, AutoGotoIncremental), BOOL_OPT(N, AutoComboDropSize), BOOL_OPT(N, AllowClipboardShortcuts),
        BOOL_OPT(N, AllowCtrlEnter), BOOL_OPT(N, AllowSmartClipboard), BOOL_OPT(N, AllowRTFClipboard),
        BOOL_OPT(N, AllowFmtClipboard), BOOL_OPT(N, AllowClipboardAlways), BOOL_OPT(N, AllowClipboardRowGrow),
        BOOL_OPT(N, AllowClipboardColGrow), BOOL_OPT(N, AppendOnArrowDown), BOOL_OPT(N, EditSelectAll),
        VAL_OPT(N, InsertPosition, pInsertAfter), VAL_OPT(N, ClipboardPasteAction, paInsert),
        BOOL_OPT(N, ComboGetUpDown), VAL_OPT(N, CursorAdvance, caLoop), BOOL_OPT(N, CursorWalkEditor),
        BOOL_OPT(N, CursorWalkAlwaysEdit), BOOL_OPT(N, CursorMoveRows), BOOL_OPT(N, MoveRowOnSort),
        BOOL_OPT(N, KeepScrollOnSort), BOOL_OPT(N, MoveScrollOnly), BOOL_OPT(N, ImproveMaskSel),
        BOOL_OPT(N, LeftRightRowSelect), BOOL_OPT(N, CopyHTMLTagsToClipboard), BOOL_OPT(N, KeepHorizScroll),
        BOOL_OPT(N, LineFeedOnEnter), VAL_OPT(N, HomeEndKey, heFirstLastCell), BOOL_OPT(N, SkipFixedCells),
        BOOL_OPT(N, SkipDisabledRows), BOOL_OPT(N, TabToNextAtEnd),
        VAL_OPT(N, TabAdvanceDirection, adTopBottomInCol),
    };
}

} // namespace

TEST(GridSettings, NavigationDefaultsAndAssign)
{
    TNavigation n;
    EXPECT_FALSE(n.AdvanceOnEnter());  // Return moves nowhere
    EXPECT_TRUE(n.EditSelectAll());
    EXPECT_TRUE(n.SkipFixedCells());
    EXPECT_TRUE(n.SkipDisabledRows());
    EXPECT_TRUE(n.AdvanceOnEnterLoop());
    EXPECT_TRUE(n.AllowClipboardColGrow());
    EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);

    const auto options = NavigationOptions();
    EXPECT_EQ(options.size(), 43u);
    ExpectAssignCopies<TNavigation>([] { return std::make_unique<TNavigation>(); }, options, {"KeepScrollOnSort"});
}

TEST(GridSettings, NavigationSideEffects)
{
    TNavigation n;
    int changes = 0;
    n.OnChange = [&](TObject*) { ++changes; };
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    n.SetAdvanceOnEnter(false);
    n.SetAdvanceAuto(false);
    EXPECT_FALSE(n.AdvanceOnEnter());
    n.SetAdvanceOnEnter(true);
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter()); // switching off leaves it alone
    EXPECT_EQ(changes, 0);
    n.SetAdvanceDirection(adLeftRight);
    n.SetAdvanceInsert(false);
    EXPECT_EQ(changes, 0);
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceInsert(true);
    n.SetAllowInsertRow(true);
    EXPECT_EQ(changes, 2);

    // Another class: nothing happens.
    TBands b;
    n.Assign(&b);
    EXPECT_EQ(n.AdvanceDirection(), adTopBottom);
}

TEST(GridSettings, MouseActions)
{
    using M = TMouseActions;
    TMouseActions m(nullptr);
    EXPECT_TRUE(m.AutoSizeColOnDblClick());
    EXPECT_TRUE(m.PreciseNodeClick());
    EXPECT_EQ(m.WheelIncrement(), 0);
    EXPECT_EQ(m.FixedRowsEditor(), fceEdit);

    int invalidates = 0, changes = 0, disables = 0;
    bool designing = false;
    m.OnInvalidate = [&](TObject*) { ++invalidates; };
    m.OnChange = [&](TObject*) { ++changes; };
    m.OnDisableEdit = [&](TObject*) { ++disables; };
    m.OnIsDesigning = [&] { return designing; };

    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck());
    m.SetHotmailRowSelect(true);
    EXPECT_EQ(invalidates, 2);

    m.SetDisjunctColSelect(true); // at run time the others stay
    EXPECT_TRUE(m.DisjunctRowSelect());
    designing = true;
    m.SetDisjunctCellSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_FALSE(m.DisjunctColSelect());

    m.SetWheelAction(waMoveSelection);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(changes, 1);
    m.SetEditOnDblClickOnly(false);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disables, 1);

    const std::vector<Option<M>> options = {
        BOOL_OPT(M, AllColumnSize), BOOL_OPT(M, AllRowSize), BOOL_OPT(M, AllSelect), BOOL_OPT(M, AutoSizeColOnDblClick),
        BOOL_OPT(M, CaretPositioning), BOOL_OPT(M, CheckAllCheck), BOOL_OPT(M, ColSelect),
        BOOL_OPT(M, DirectComboClose), BOOL_OPT(M, DirectComboDrop), BOOL_OPT(M, DirectDateClose),
        BOOL_OPT(M, DirectDateDrop), BOOL_OPT(M, DirectEdit), BOOL_OPT(M, DisjunctRowSelect),
        BOOL_OPT(M, DisjunctRowSelectNoCtrl), BOOL_OPT(M, DisjunctColSelect), BOOL_OPT(M, DisjunctCellSelect),
        BOOL_OPT(M, EditOnDblClickOnly), VAL_OPT(M, FixedRowsEdit, fceDblClick), VAL_OPT(M, FixedColsEdit, fceLeftClick),
        VAL_OPT(M, FixedRowsEditor, fceComboEdit), VAL_OPT(M, FixedColsEditor, fceComboList),
        Option<M>{"HotmailRowSelect", [](M& o) { o.SetHotmailRowSelect(true); },
                  [](const M& a, const M& b) { return a.HotmailRowSelect() == b.HotmailRowSelect(); }},
        BOOL_OPT(M, MoveRowOnNodeClick), BOOL_OPT(M, NoAutoRangeScroll), BOOL_OPT(M, NodeAllExpandContract),
        BOOL_OPT(M, NoScrollOnPartialRow), BOOL_OPT(M, PreciseCheckBoxCheck), BOOL_OPT(M, PreciseNodeClick),
        BOOL_OPT(M, RangeSelectAndEdit), BOOL_OPT(M, RowSelect), BOOL_OPT(M, RowSelectPersistent),
        BOOL_OPT(M, SelectOnRightClick), BOOL_OPT(M, SizeFixedCol), BOOL_OPT(M, SizeFixedRow),
        VAL_OPT(M, WheelIncrement, 3), VAL_OPT(M, WheelAction, waScroll),
        Option<M>{"FixedComboValues", [](M& o) { o.FixedComboValues()->Add(QStringLiteral("x")); },
                  [](const M& a, const M& b) { return a.FixedComboValues()->Text() == b.FixedComboValues()->Text(); }},
    };
    // Hotmail selection switches disjunct rows and check-all on in the source:
    // flip those first so that the later flips leave them changed.
    std::vector<Option<M>> ordered;
    for (const auto& o : options)
        if (o.name == "HotmailRowSelect")
            ordered.push_back(o);
    for (const auto& o : options)
        if (o.name != "HotmailRowSelect" && o.name != "DisjunctRowSelect" && o.name != "CheckAllCheck")
            ordered.push_back(o);
    auto make = [] { return std::make_unique<M>(nullptr); };
    ExpectAssignCopies<M>(make, ordered, {"EditOnDblClickOnly", "HotmailRowSelect", "SizeFixedRow", "FixedComboValues"});
    auto src = make();
    src->SetHotmailRowSelect(true);
    auto dst = make();
    dst->Assign(src.get());
    EXPECT_TRUE(dst->DisjunctRowSelect());
    EXPECT_TRUE(dst->CheckAllCheck());
    EXPECT_FALSE(dst->HotmailRowSelect());
}

TEST(GridSettings, SearchFooter)
{
    using S = TSearchFooter;
    TSearchFooter design(nullptr, true);
    EXPECT_EQ(design.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(design.HintHighlight(), QStringLiteral("Highlight occurrences"));
    TSearchFooter code(nullptr, false);
    EXPECT_TRUE(code.FindNextCaption().isEmpty());
    EXPECT_EQ(code.Color(), clWhite);
    EXPECT_EQ(code.ColorTo(), clBtnFace);
    EXPECT_EQ(code.SearchColumn(), -1);
    EXPECT_TRUE(code.AutoSearch());

    int changes = 0;
    code.OnChange = [&](TObject*) { ++changes; };
    code.SetShowFindNext(true);   // unchanged: silent
    code.SetVisible(false);
    EXPECT_EQ(changes, 0);
    code.SetColor(code.Color());  // every write notifies
    code.SetHintClose(QString());
    code.SetShowClose(true);
    code.Font()->SetName(QStringLiteral("Verdana"));
    EXPECT_EQ(changes, 4);
    code.SetSearchColumn(3);
    EXPECT_EQ(changes, 4);
    TFont tahoma;
    tahoma.SetName(QStringLiteral("Tahoma"));
    code.SetFont(&tahoma); // one notice for one write
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(code.Font()->Name(), QStringLiteral("Tahoma"));

    const std::vector<Option<S>> options = {
        BOOL_OPT(S, Visible), VAL_OPT(S, Color, clRed), VAL_OPT(S, ColorTo, 0xF0F0F0),
        Option<S>{"Font", [](S& o) { o.Font()->SetName(QStringLiteral("Arial")); },
                  [](const S& a, const S& b) { return a.Font()->Name() == b.Font()->Name(); }},
        VAL_OPT(S, FindNextCaption, QStringLiteral("n")), VAL_OPT(S, FindPrevCaption, QStringLiteral("p")),
        VAL_OPT(S, MatchCaseCaption, QStringLiteral("m")), VAL_OPT(S, HighLightCaption, QStringLiteral("h")),
        VAL_OPT(S, HintClose, QStringLiteral("c")), VAL_OPT(S, HintFindNext, QStringLiteral("fn")),
        VAL_OPT(S, HintFindPrev, QStringLiteral("fp")), VAL_OPT(S, HintHighlight, QStringLiteral("hh")),
        BOOL_OPT(S, ShowClose), BOOL_OPT(S, ShowFindNext), BOOL_OPT(S, ShowFindPrev), BOOL_OPT(S, ShowHighLight),
        BOOL_OPT(S, ShowMatchCase), BOOL_OPT(S, AutoSearch), BOOL_OPT(S, AlwaysHighLight),
        VAL_OPT(S, SearchColumn, 2), BOOL_OPT(S, SearchActiveColumnOnly), BOOL_OPT(S, SearchMatchStart),
        BOOL_OPT(S, SearchFixedCells), BOOL_OPT(S, SearchHiddenRows), VAL_OPT(S, SearchDirection, sdLeftRight),
    };
    ExpectAssignCopies<S>([] { return std::make_unique<S>(nullptr, false); }, options,
                          {"AutoSearch", "SearchFixedCells"});
}

TEST(GridSettings, Bands)
{
    using B = TBands;
    TBands b;
    EXPECT_EQ(b.TotalLength(), 2);
    EXPECT_EQ(b.PrimaryColor(), clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), clWindow);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetPrimaryLength(3);
    EXPECT_EQ(b.TotalLength(), 4);
    EXPECT_EQ(changes, 0); // not active
    b.SetActive(true);
    EXPECT_EQ(changes, 1);
    b.SetPrimaryLength(2);
    b.SetSecondaryColor(clRed);
    EXPECT_EQ(changes, 3);
    b.SetPrint(true);
    EXPECT_EQ(changes, 3);

    const std::vector<Option<B>> options = {
        BOOL_OPT(B, Active), VAL_OPT(B, PrimaryColor, clRed), VAL_OPT(B, PrimaryLength, 5),
        VAL_OPT(B, SecondaryColor, clBlue), VAL_OPT(B, SecondaryLength, 6), BOOL_OPT(B, Print),
    };
    ExpectAssignCopies<B>([] { return std::make_unique<B>(); }, options, {});
}

TEST(GridSettings, SyncGridAndGrouping)
{
    auto* self = reinterpret_cast<TKvStringGrid*>(0x1000);
    auto* other = reinterpret_cast<TKvStringGrid*>(0x2000);
    TSyncGrid s(self);
    s.SetGrid(self);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(other);
    EXPECT_EQ(s.Grid(), other);
    s.SetScrollVertical(true);
    s.SetMoveColumn(true);
    TSyncGrid t(other);
    t.Assign(&s);
    EXPECT_EQ(t.Grid(), other);
    EXPECT_TRUE(t.ScrollVertical());
    EXPECT_TRUE(t.MoveColumn());

    using G = TGrouping;
    TGrouping g;
    EXPECT_EQ(g.HeaderLineColor(), clBlue);
    EXPECT_EQ(g.SummaryLineWidth(), 2);
    const std::vector<Option<G>> options = {
        BOOL_OPT(G, MergeHeader), BOOL_OPT(G, MergeSummary), VAL_OPT(G, HeaderColor, clRed),
        VAL_OPT(G, HeaderColorTo, clRed), VAL_OPT(G, HeaderTextColor, clRed), BOOL_OPT(G, HeaderUnderline),
        VAL_OPT(G, HeaderLineColor, clRed), VAL_OPT(G, HeaderLineWidth, 4), BOOL_OPT(G, Summary),
        VAL_OPT(G, SummaryColor, clRed), VAL_OPT(G, SummaryColorTo, clRed), VAL_OPT(G, SummaryTextColor, clRed),
        BOOL_OPT(G, SummaryLine), VAL_OPT(G, SummaryLineColor, clRed), VAL_OPT(G, SummaryLineWidth, 5),
        BOOL_OPT(G, ShowGroupCount), VAL_OPT(G, GroupCountFormat, QStringLiteral("(%d)")),
        BOOL_OPT(G, AutoSelectGroup), BOOL_OPT(G, AutoCheckGroup),
    };
    ExpectAssignCopies<G>([] { return std::make_unique<G>(); }, options,
                          {"HeaderLineColor", "HeaderLineWidth", "Summary", "SummaryLineColor", "SummaryLineWidth"});
}

TEST(GridSettings, DragDrop)
{
    using D = TDragDropSettings;
    TDragDropSettings d(nullptr);
    EXPECT_TRUE(d.OleAcceptFiles());
    EXPECT_TRUE(d.ShowCells());
    int registers = 0, revokes = 0;
    std::vector<bool> rtf;
    d.OnRegisterDropTarget = [&] { ++registers; return true; };
    d.OnRevokeDropTarget = [&] { ++revokes; };
    d.OnDropRTFEnabled = [&](bool on) { rtf.push_back(on); };
    d.SetOleDropTarget(true);
    EXPECT_TRUE(d.DropTargetRegistered());
    d.SetOleDropTarget(false);
    EXPECT_EQ(registers, 1);
    EXPECT_EQ(revokes, 1);
    d.SetOleDropTarget(false); // nothing registered: nothing to revoke
    EXPECT_EQ(revokes, 1);
    d.OnIsDesigning = [] { return true; };
    d.SetOleDropTarget(true);
    EXPECT_TRUE(d.OleDropTarget());
    EXPECT_EQ(registers, 1);
    d.SetOleDropRTF(true);
    EXPECT_EQ(rtf, std::vector<bool>{true});

    const std::vector<Option<D>> options = {
        BOOL_OPT(D, OleDropTarget), BOOL_OPT(D, OleDropSource), BOOL_OPT(D, OleAcceptFiles), BOOL_OPT(D, OleAcceptText),
        BOOL_OPT(D, OleAcceptURLs), BOOL_OPT(D, OleAppendRows), BOOL_OPT(D, OleCopyAlways), BOOL_OPT(D, OleEntireRows),
        BOOL_OPT(D, OleInsertRows), BOOL_OPT(D, OleRemoveRows), BOOL_OPT(D, OleColumnDragDrop),
        BOOL_OPT(D, OleColumnReorder), BOOL_OPT(D, OleColumnsOnly), BOOL_OPT(D, OleDropRTF), BOOL_OPT(D, ShowCells),
    };
    ExpectAssignCopies<D>([] { return std::make_unique<D>(nullptr); }, options, {});
}

TEST(GridSettings, SmallerGroups)
{
    TDragScrollOptions o;
    EXPECT_EQ(o.Delays()->InitialDelay(), 1000);
    EXPECT_EQ(o.Delays()->RepeatDelay(), 250);
    EXPECT_EQ(o.Margins()->LeftMargin(), 50);
    TDragScrollOptions p;
    p.SetActive(true);
    p.Delays()->SetRepeatDelay(10);
    p.Margins()->SetBottomMargin(7);
    o.Assign(&p);
    EXPECT_TRUE(o.Active());
    EXPECT_EQ(o.Delays()->RepeatDelay(), 10);
    EXPECT_EQ(o.Margins()->BottomMargin(), 7);

    using BS = TBalloonSettings;
    TBalloonSettings b;
    EXPECT_EQ(b.InitialDelay(), -1);
    int enables = 0;
    b.OnEnableChange = [&](TObject*) { ++enables; };
    b.SetEnable(false);
    b.SetEnable(false);
    EXPECT_EQ(enables, 2);
    const std::vector<Option<BS>> balloon = {
        BOOL_OPT(BS, Enable), VAL_OPT(BS, TextColor, clRed), VAL_OPT(BS, BackgroundColor, clRed),
        VAL_OPT(BS, InitialDelay, 5), VAL_OPT(BS, AutoHideDelay, 6), VAL_OPT(BS, ReshowDelay, 7),
        VAL_OPT(BS, Transparency, uint8_t(128)),
    };
    ExpectAssignCopies<BS>([] { return std::make_unique<BS>(); }, balloon, {"Transparency"});

    TShowModified m;
    EXPECT_EQ(m.Color(), clYellow);
    int colours = 0;
    m.OnChange = [&](TObject*) { ++colours; };
    m.SetColor(clYellow);
    m.SetEnabled(true);
    EXPECT_EQ(colours, 1);
    TShowModified m2;
    m2.Assign(&m);
    EXPECT_TRUE(m2.Enabled());

    TFocusHelper f(nullptr), f2(nullptr);
    f.SetEnabled(true);
    f2.Assign(&f);
    EXPECT_TRUE(f2.Enabled());
}

TEST(GridSettings, ProgressAppearance)
{
    using P = TGridProgressAppearance;
    TGridProgressAppearance p;
    EXPECT_EQ(p.CompleteColor(), clRed);
    EXPECT_EQ(p.UnCompleteColor(), clNone);
    EXPECT_EQ(p.Level2Color(), 0x53A9FF);
    EXPECT_EQ(p.Level1Perc(), 70);
    EXPECT_EQ(p.Steps(), 11);
    EXPECT_EQ(p.Style(), psXP);
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.SetSteps(11);
    p.SetSteps(12);
    p.SetShowBorder(true);
    EXPECT_EQ(changes, 2);
    TGridProgressAppearance q;
    q.SetLevel3ColorTo(clBlack);
    p.Assign(&q);
    EXPECT_EQ(changes, 3); // once for the whole copy
    EXPECT_EQ(p.Steps(), 11);
    EXPECT_EQ(p.Level3ColorTo(), clBlack);
    EXPECT_FALSE(p.ShowBorder());
    (void)sizeof(P);
}

TEST(GridSettings, FilterDropDown)
{
    TFilterDropDown f;
    EXPECT_EQ(f.Width(), 150);
    EXPECT_EQ(f.Height(), 150);
    EXPECT_EQ(f.Color(), clWindow);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetWidth(200);
    EXPECT_EQ(changes, 0);
    TBitmap glyph(4, 4);
    f.SetGlyph(&glyph);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Glyph()->Width(), 4);
    f.SetGlyphActive(nullptr);
    EXPECT_EQ(changes, 2);
    f.Glyph()->Assign(glyph); // a change made on the bitmap itself
    EXPECT_EQ(changes, 3);

    TFilterDropDown g;
    g.SetAutoSize(true);
    f.SetAutoSize(false);
    f.SetColumnWidth(true);
    f.Font()->SetName(QStringLiteral("Arial"));
    g.Assign(&f);
    EXPECT_TRUE(g.AutoSize()); // not copied
    EXPECT_TRUE(g.ColumnWidth());
    EXPECT_EQ(g.Width(), 200);
    EXPECT_EQ(g.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(g.Glyph()->Width(), 4);
}
