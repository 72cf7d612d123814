// The grid control as a class: construction values, design-time construction,
// loading, integral height, the setters with side effects, selection and row
// state with their error texts, dimensions, cell queries and the footer.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "grid_input/kv_inplace_edit.h"
#include "grid/grid_text.h"
#include "grid/theme_services.h"
#include "platform/core/datetime.h"
#include "platform/core/format_settings.h"
#include "platform/core/inifiles.h"
#include "platform/ui/forms.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>

namespace {

TComponent* FindByClass(const TComponent& Owner, const QString& Name)
{
    for (int i = 0; i < Owner.ComponentCount(); ++i)
        if (Owner.Components(i)->ClassName() == Name) return Owner.Components(i);
    return nullptr;
}

int RealRowIndexOf(TKvStringGrid* g, int DisplayRow) { return g->RealRowIndex(DisplayRow); }

template <class F>
QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const EKvGridError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(KvStringGridLife, ConstructionValues)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_EQ(g->FixedRowHeight(), 22);
    EXPECT_EQ(g->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(g->CheckFalse(), QStringLiteral("N"));
    EXPECT_EQ(g->FloatFormat(), QStringLiteral("%.2f"));
    EXPECT_EQ(g->SelectionColor(), TColor(0xEACAB6));
    EXPECT_TRUE(g->ShowSelection());
    EXPECT_EQ(g->Look(), glXP);
    EXPECT_EQ(g->Width(), 400);
    EXPECT_EQ(g->Height(), 250);
    EXPECT_EQ(g->SelectionColorMixerFactor(), 50);
    EXPECT_EQ(g->FilterDropDownClear(), QStringLiteral("(All)"));
    EXPECT_EQ(g->XMLEncoding(), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(g->PasswordChar(), QLatin1Char('*'));
    EXPECT_EQ(g->XYOffset(), TPoint(2, 2));
    EXPECT_EQ(g->GroupColumn(), -1);
    EXPECT_EQ(g->InvalidEntryIcon(), ieWarning);
    EXPECT_EQ(g->HintColor(), clInfoBk);
    EXPECT_EQ(g->ActiveCellColor(), TColor(0x808080));
    EXPECT_EQ(g->QRVGradientFrom(), TColor(0xFFFFFF));
    EXPECT_EQ(g->QRVGradientTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(g->GridLineWidth(), 1);
    EXPECT_EQ(g->GridLineColor(), clSilver);
    EXPECT_TRUE(g->IsWinXP());
    EXPECT_TRUE(g->IsThemed());
    EXPECT_EQ(g->BorderColor(), TColor(0xB99D7F));
    EXPECT_EQ(g->MinColWidth(), 0);
    EXPECT_TRUE(g->FilterList()->Sorted());
    EXPECT_TRUE(g->EnableHTML());
    EXPECT_EQ(KvGridUnit::GridLinkCursor, crHandPoint);
    EXPECT_TRUE(KvGridUnit::DateTimeControlAvailable);
    EXPECT_NE(KvGridUnit::GridCellsClipboardFormat, 0u);
    EXPECT_NE(KvGridUnit::GridEditDoneMessage, KvGridUnit::DateTimePickerShiftFocusMessage);
    EXPECT_EQ(GetFileVersion(QStringLiteral("comctl32.dll")), 0x00060000);
    EXPECT_EQ(GetFileVersion(QStringLiteral("other.dll")), -1);
    EXPECT_GT(g->ComponentCount(), 0);
    ASSERT_NE(g->ImageCache(), nullptr);
    EXPECT_EQ(g->ImageCache()->Count(), 0);
}

TEST(KvStringGridLife, DesignTimeGridHasNoEditorControls)
{
    TKvStringGrid run;
    TKvStringGrid::SetDesignTimeConstruction(true);
    TKvStringGrid design;
    TKvStringGrid::SetDesignTimeConstruction(false);
    EXPECT_LT(design.ComponentCount(), run.ComponentCount());
    EXPECT_EQ(design.ActiveCellFont()->Name(), QStringLiteral("Tahoma"));
    auto* combo = dynamic_cast<TControl*>(FindByClass(run, QStringLiteral("TGridCombo")));
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->Enabled());
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(FindByClass(design, QStringLiteral("TGridCombo")), nullptr);
    for (const char* name : {"TKvStringGrid", "TGridEditBtn", "TGridButton", "TDropList"})
        EXPECT_EQ(KvGridUnit::ClassRegistry().count(QLatin1String(name)), 1u) << name;
}

TEST(KvStringGridLife, LoadedSetsMinimaAndMovesAlwaysEdit)
{
    TKvStringGrid g;
    g.BeginLoading();
    g.SetOptions(g.Options() | goAlwaysShowEditor | goEditing);
    g.SetDefaultRowHeight(30);
    g.Loaded();
    EXPECT_EQ(g.MinRowHeight(), 30);
    EXPECT_EQ(g.MinColWidth(), 10);
    EXPECT_TRUE(g.Navigation()->AlwaysEdit());
    EXPECT_FALSE(g.Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csTheme) << "themed system keeps the themed style";
}

TEST(KvStringGridLife, LoadedOnAnUnthemedSystemFallsBackToClassic)
{
    TThemeProfile p;
    p.WinXPOrLater = false;
    TThemeProfileScope scope(p);
    TKvStringGrid g;
    EXPECT_FALSE(g.IsWinXP());
    EXPECT_EQ(g.BorderColor(), TColor(0x808080));
    g.Loaded();
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csClassic);
}

TEST(KvStringGridLife, IntegralHeightKeepsWholeRows)
{
    TKvStringGrid g;
    g.SetBorderStyle(bsSingle);
    g.SetIntegralHeight(true);
    g.SetBounds(0, 0, 400, 250);
    EXPECT_EQ(g.Height(), 246);
    g.SetIntegralHeight(false);
    g.SetBounds(0, 0, 400, 250);
    EXPECT_EQ(g.Height(), 250);
}

TEST(KvStringGridLife, SettersWithSideEffects)
{
    TKvStringGrid g;
    g.SetSpreadSheet(false);
    EXPECT_TRUE(g.SelectionRectangle());
    EXPECT_TRUE(g.SelectionResizer());
    EXPECT_TRUE(g.Navigation()->AllowSmartClipboard());
    EXPECT_TRUE(g.Options().Contains(goRangeSelect));
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.MouseActions()->RangeSelectAndEdit());
    EXPECT_FALSE(g.SpreadSheet());

    const struct { int in, out; } mix[] = {{150, 100}, {-5, 0}, {30, 30}};
    for (auto m : mix) {
        g.SetSelectionColorMixerFactor(m.in);
        EXPECT_EQ(g.SelectionColorMixerFactor(), m.out) << m.in;
    }
    g.SetVAlignment(vtaBottom);
    EXPECT_EQ(g.VAlignmentFlag(), 8u);
    g.SetVAlignment(vtaCenter);
    EXPECT_EQ(g.VAlignmentFlag(), 4u);
    g.SetWordWrap(false);
    EXPECT_FALSE(g.TBaseGrid::WordWrap());
    g.SetShowSelection(false);
    EXPECT_FALSE(g.ShowSel());

    g.SetOptions(g.Options() | goEditing | goAlwaysShowEditor);
    g.SetMaxEditLength(12);
    g.ShowEditor();
    ASSERT_NE(g.NormalEdit(), nullptr);
    EXPECT_EQ(g.NormalEdit()->KvGrid(), &g);
    EXPECT_EQ(g.GetEditLimit(), 12);
    g.SetWordWrap(true);
    EXPECT_TRUE(g.NormalEdit()->WordWrap()) << "the editor keeps the grid's flag";
}

TEST(KvStringGridLife, AssignCopiesSettingsFromAGridOnly)
{
    TKvStringGrid a, b;
    a.SetColCount(7);
    a.SetRowCount(4);
    a.SetColWidths(3, 99);
    a.SetActiveCellColor(0x123);
    a.PrintSettings()->JobName = QStringLiteral("j");
    b.Assign(&a);
    EXPECT_EQ(b.ColCount(), 7);
    EXPECT_EQ(b.RowCount(), 4);
    EXPECT_EQ(b.ColWidths(3), 99);
    EXPECT_EQ(b.ActiveCellColor(), TColor(0x123));
    EXPECT_EQ(b.PrintSettings()->JobName, QStringLiteral("j"));
    TSizeWhileTyping other;
    EXPECT_NO_THROW(b.Assign(&other));
    EXPECT_EQ(b.ColCount(), 7);
}

// The settings copied less often: each is written on the source, read on the copy.
TEST(KvStringGridLife, AssignCopiesTheLessCommonSettings)
{
    TForm form;
    auto* a = new TKvStringGrid(&form);
    a->SetParent(&form);
    auto* b = new TKvStringGrid(&form);
    b->SetParent(&form);
    a->SetAlign(alClient);
    a->AnchorHint = true;
    a->AutoNumAlign = true;
    a->SetFixedColWidth(40);
    a->InvalidEntryTitle = QStringLiteral("Title");
    a->InvalidEntryText = QStringLiteral("Text");
    a->SetScrollProportional(true);
    a->ScrollSynch = true;
    a->ScrollHints = TKvStringGrid::shBoth;
    a->SetScrollBarAlways(TKvStringGrid::saVert);
    a->SetScrollBars(ssVertical);
    a->SetScrollColor(0x00FF00);
    a->SetScrollWidth(11);
    a->SetScrollType(ssMetro);
    b->Assign(a);
    EXPECT_EQ(b->Align(), alClient);
    EXPECT_TRUE(b->AnchorHint);
    EXPECT_TRUE(b->AutoNumAlign);
    EXPECT_EQ(b->FixedColWidth(), 40);
    EXPECT_EQ(b->InvalidEntryTitle, QStringLiteral("Title"));
    EXPECT_EQ(b->InvalidEntryText, QStringLiteral("Text"));
    EXPECT_TRUE(b->ScrollProportional());
    EXPECT_TRUE(b->ScrollSynch);
    EXPECT_EQ(b->ScrollHints, TKvStringGrid::shBoth);
    EXPECT_EQ(b->ScrollBarAlways(), TKvStringGrid::saVert);
    EXPECT_EQ(b->ScrollColor(), TColor(0x00FF00));
    EXPECT_EQ(b->ScrollWidth(), 11);
    // The scroll type through its setter: the thin controls replace the bars.
    EXPECT_EQ(b->ScrollType(), ssMetro);
    EXPECT_NE(b->FVScrollControl, nullptr);
    EXPECT_EQ(b->ScrollBars(), ssNone);
}

// Going away with contracted nodes, hidden columns and the pan cursor up: the
// rows and columns come back without a word to the handlers still set, and the
// screen cursor is the one the grid found when it was loaded.
TEST(KvStringGridLife, DestructionShowsEverythingQuietlyAndPutsTheCursorBack)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->BeginLoading();
    g->Loaded();
    g->SetRowCount(12);
    g->SetColCount(6);
    for (int r = 1; r < 12; ++r) g->SetCells(1, r, QStringLiteral("r%1").arg(r));
    g->AddNode(1, 4);
    g->AddNode(6, 3);
    g->ContractNode(1);
    g->ContractNode(RealRowIndexOf(g, 6));
    g->HideColumn(3);
    ASSERT_GT(g->NumHiddenRows(), 0);
    form.Show();
    g->Perform(WM_MBUTTONDOWN, 0, MAKELPARAM(60u, 60u)); // a middle press starts panning
    ASSERT_TRUE(g->Panning());
    ASSERT_NE(Screen->Cursor(), crDefault);
    int events = 0;
    g->OnRowChanged = [&](TObject*, int, int) { ++events; };
    g->OnCellsChanged = [&](TObject*, const TGridRect&) { ++events; };
    g->OnSelectionChanged = [&](TObject*, int, int, int, int) { ++events; };
    delete g;
    EXPECT_EQ(events, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

// Automatic theme adaptation: the grid takes the Office theme at once, hears of
// changes through the notifier while the option is on, and leaves the notifier's
// list when it goes.
TEST(KvStringGridLife, AutomaticThemeAdaptationFollowsTheOfficeSettings)
{
    TMemIniFile store;
    TIniUserSettings settings(&store);
    SetUserSettingsSource(&settings);
    const QString key = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
    store.WriteInteger(key, QStringLiteral("Theme"), 3); // 2010 black
    store.WriteString(key + QStringLiteral("\\General"), QStringLiteral("Present"), QStringLiteral("1"));
    {
        // The application's notifier, kept by its own owner as the main form would.
        TComponent keeper;
        TThemeNotifier* n = GetThemeNotifier(&keeper);
        ASSERT_NE(n->RegMonitorThread(), nullptr);
        TForm form;
        auto* g = new TKvStringGrid(&form);
        g->SetParent(&form);
        form.Show();
        g->Handle();
        // The Office 2010 styles differ in the sort header colour.
        const auto headerOf = [](TQRVStyle s) {
            TKvStringGrid r;
            r.SetComponentStyle(s);
            return r.SortSettings()->HeaderColor();
        };
        ASSERT_NE(headerOf(tsOffice2010Black), headerOf(tsOffice2010Blue));
        g->SetAutoThemeAdapt(true);
        EXPECT_EQ(g->SortSettings()->HeaderColor(), headerOf(tsOffice2010Black));
        EXPECT_TRUE(g->SearchFooter()->AutoThemeAdapt());
        EXPECT_TRUE(n->RegMonitorThread()->HasWindow(g->Handle()));
        store.WriteInteger(key, QStringLiteral("Theme"), 1); // 2010 blue
        n->RegMonitorThread()->SignalChange();
        const TColor blue = headerOf(tsOffice2010Blue);
        for (int i = 0; i < 2000 && g->SortSettings()->HeaderColor() != blue; ++i) QTest::qWait(1);
        EXPECT_EQ(g->SortSettings()->HeaderColor(), blue);
        g->SetAutoThemeAdapt(false);
        EXPECT_FALSE(n->RegMonitorThread()->HasWindow(g->Handle()));
        g->SetAutoThemeAdapt(true);
        EXPECT_TRUE(n->RegMonitorThread()->HasWindow(g->Handle()));
        const HWND h = g->Handle();
        delete g;
        EXPECT_FALSE(n->RegMonitorThread()->HasWindow(h));
    }
    SetUserSettingsSource(nullptr);
}

// The border takes a new colour at the next paint, also right after a move onto a
// cell that switched editing off (which swallows one invalidation of the cells).
TEST(KvStringGridLife, ANewBorderColourIsPaintedAtOnce)
{
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(10, 10, 200, 120);
    g->SetOptions(g->Options() | goEditing);
    g->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
    form.Show();
    QCoreApplication::processEvents();
    ASSERT_EQ(g->grab().toImage().pixelColor(1, 60), QColor(0x7F, 0x9D, 0xB9));
    static_cast<TCustomGrid*>(g)->FocusCell(2, 1, true); // editing goes off for this cell
    QCoreApplication::processEvents();
    g->SetBorderColor(0x0000FF);
    QCoreApplication::processEvents();
    EXPECT_EQ(g->grab().toImage().pixelColor(1, 60), QColor(0xFF, 0, 0));
}

TEST(KvStringGridLife, FormResizeFollowsTheFormAndChainsItsHandler)
{
    TForm form;
    form.SetBounds(0, 0, 600, 500);
    int chained = 0;
    form.OnResize = [&](TObject*) {
        ++chained;
        throw Exception(QStringLiteral("swallowed"));
    };
    auto* g = new TKvStringGrid(&form);
    g->SetSizeWithForm(true);
    EXPECT_NO_THROW(form.SetBounds(0, 0, 650, 520));
    EXPECT_EQ(g->Width(), 450);
    EXPECT_EQ(g->Height(), 270);
    EXPECT_EQ(chained, 1);
}

// ---- selection and row state

TEST(KvStringGridSelection, SelectRowsCutsToTheLastRow)
{
    TKvStringGrid g;
    g.SetRowCount(8);
    g.SelectRows(5, 10);
    EXPECT_EQ(g.Selection(), TGridRect(1, 5, 4, 7));
    EXPECT_EQ(g.RowSelectCount(), 3);
    EXPECT_TRUE(g.RowSelect(6));
    EXPECT_FALSE(g.RowSelect(4));
    g.SelectCols(2, 2);
    EXPECT_EQ(g.Selection(), TGridRect(2, 1, 3, 7));
    EXPECT_EQ(g.ColSelectCount(), 2);
}

TEST(KvStringGridSelection, OutOfRangeAccessRaisesTheGridError)
{
    TKvStringGrid g;
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(g.RowCount()); }), QStringLiteral("Invalid row 10 accessed"));
    EXPECT_EQ(ErrorOf([&] { g.RowSelect(-1); }), QStringLiteral("Invalid row -1 accessed"));
    EXPECT_EQ(ErrorOf([&] { g.SetRowSelect(-1, true); }), QStringLiteral("Invalid row accessed"));
    EXPECT_EQ(ErrorOf([&] { g.SetRowSelect(10, true); }), QStringLiteral("Invalid row accessed"));
    EXPECT_EQ(ErrorOf([&] { g.ColSelect(5); }), QStringLiteral("Invalid column accessed"));
    EXPECT_EQ(ErrorOf([&] { g.SetColSelect(-1, true); }), QStringLiteral("Invalid column accessed"));
    g.MouseActions()->SetRowSelectPersistent(true);
    EXPECT_FALSE(g.RowSelect(g.RowCount()));
}

TEST(KvStringGridSelection, DisjunctRowsFireOnceAndAreListedOnce)
{
    TKvStringGrid g;
    g.MouseActions()->SetDisjunctRowSelect(true);
    int asked = 0, told = 0;
    g.OnRowDisjunctSelect = [&](TObject*, int, bool, bool&) { ++asked; };
    g.OnRowDisjunctSelected = [&](TObject*, int) { ++told; };
    g.SetRowSelect(3, true);
    g.SetRowSelect(3, true);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(told, 2);
    EXPECT_EQ(g.SelectedRowList()->Count(), 1);
    g.SelectRows(5, 2);
    EXPECT_EQ(g.RowSelectCount(), 3);
    g.OnRowDisjunctSelect = [&](TObject*, int, bool, bool& allow) { allow = false; };
    g.SetRowSelect(8, true);
    EXPECT_FALSE(g.RowSelect(8));
    g.OnRowDisjunctSelect = nullptr;
    g.UnSelectRows(5, 1);
    EXPECT_FALSE(g.RowSelect(5));
    EXPECT_FALSE(g.SelectedRowList()->HasValue(5));
    g.SetRowSelect(0, true);
    EXPECT_FALSE(g.SelectedRowList()->HasValue(0)) << "fixed rows are flagged but not listed";
    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);
    EXPECT_EQ(g.SelectedRowList()->Count(), 0);
}

TEST(KvStringGridSelection, ColumnFlagsIgnoreTheSelectionRectangle)
{
    TKvStringGrid g;
    g.SetSelection(TGridRect(1, 1, 3, 3));
    EXPECT_FALSE(g.ColSelect(2));
    g.MouseActions()->SetDisjunctColSelect(true);
    g.SelectionToColSelect(true);
    EXPECT_TRUE(g.ColSelect(2));
    EXPECT_FALSE(g.ColSelect(4));
    EXPECT_EQ(g.ColSelectCount(), 3);
    g.ClearColSelect();
    EXPECT_EQ(g.ColSelectCount(), 0);
}

TEST(KvStringGridRowState, ModifiedAndEnabledRows)
{
    TKvStringGrid g;
    g.SetRowModified(2, true);
    EXPECT_FALSE(g.RowModified(12));
    EXPECT_FALSE(g.RowModified(-1));
    g.SetRowModified(12, true);
    EXPECT_TRUE(g.RowModified(12));
    EXPECT_EQ(g.ModifiedRowCount(), 2);
    EXPECT_TRUE(g.RowEnabled(-3));
    g.SetRowEnabled(-3, false);
    EXPECT_TRUE(g.RowEnabled(-3)) << "a negative row is left alone";
    EXPECT_TRUE(g.RowEnabled(40));
    g.SetRow(3);
    g.SetRowEnabled(1, false);
    g.SetRowEnabled(3, true);
    EXPECT_EQ(g.Row(), 2) << "moves to the first other enabled row";
    EXPECT_FALSE(g.RowEnabled(1));
    EXPECT_TRUE(g.UsesEnabledRows());
}

TEST(KvStringGridDimensions, FixedSizesAndAlwaysFixedRows)
{
    TKvStringGrid g;
    g.SetFixedColWidth(g.DefaultColWidth());
    EXPECT_EQ(g.ColWidths(0), g.DefaultColWidth());
    g.SetFixedColWidth(40);
    EXPECT_EQ(g.ColWidths(0), 40);
    g.SetFixedRowHeight(30);
    EXPECT_EQ(g.RowHeights(0), 30);
    EXPECT_EQ(g.RowHeights(1), 22);

    TKvStringGrid h;
    h.SetRowCount(3);
    h.SetFixedRowAlways(true);
    h.SetFixedRows(5);
    EXPECT_EQ(h.FixedRows(), 2);
    h.SetRowCount(8);
    EXPECT_EQ(h.FixedRows(), 5) << "the remembered minimum comes back once it fits";
    EXPECT_EQ(h.MaxRowCount(), 10);
}

TEST(KvStringGridDimensions, SwapCellsExchangesTextAndObject)
{
    TKvStringGrid g;
    g.SetCells(1, 1, QStringLiteral("a"));
    g.CellProperties(1, 1)->SetReadOnly(true);
    g.SetCells(2, 3, QStringLiteral("b"));
    g.SwapCells(TPoint(1, 1), TPoint(2, 3));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("a"));
    ASSERT_NE(g.GridObjects(2, 3), nullptr);
    EXPECT_TRUE(g.GridObjects(2, 3)->ReadOnly());
    EXPECT_EQ(g.GridObjects(1, 1), nullptr);
}

// ---- queries

TEST(KvStringGridQueries, ComboAndSpinAnswers)
{
    TKvStringGrid g;
    g.OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edComboList; };
    EXPECT_FALSE(g.HasComboBox(1, 1)) << "without the event or always-visible buttons";
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    EXPECT_TRUE(g.HasComboBox(1, 1));
    int spinAsked = 0;
    g.OnHasSpinEdit = [&](TObject*, int, int, bool& b) {
        ++spinAsked;
        b = true;
    };
    EXPECT_FALSE(g.HasSpinEdit(1, 0));
    EXPECT_EQ(spinAsked, 0);
    EXPECT_TRUE(g.HasSpinEdit(1, 1));
    EXPECT_FALSE(g.HasNoEditor(1, 1));
    g.OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edNone; };
    EXPECT_TRUE(g.HasNoEditor(1, 1));

    g.AddComboString(QStringLiteral("x"));
    g.AddComboString(QStringLiteral("y"));
    EXPECT_FALSE(g.SetComboSelectionString(QStringLiteral("z")));
    EXPECT_TRUE(g.SetComboSelectionString(QStringLiteral("y")));
    EXPECT_EQ(g.ComboSelection(), 1);
    g.SetComboIndex(2, 2, 0);
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("x"));
    EXPECT_EQ(g.GetComboIndex(2, 2), 0);
    EXPECT_FALSE(g.RemoveComboString(QStringLiteral("q")));
    EXPECT_TRUE(g.RemoveComboString(QStringLiteral("x")));
    EXPECT_EQ(g.GetComboCount(), 1);
}

TEST(KvStringGridQueries, FixednessAndEditability)
{
    TKvStringGrid g;
    int asked = 0;
    g.OnIsFixedCell = [&](TObject*, int, int, bool&) { ++asked; };
    g.SetFixedFooters(1);
    EXPECT_TRUE(g.IsFixed(2, g.RowCount() - 1));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(g.IsFixed(0, 4));
    EXPECT_FALSE(g.IsFixed(2, 4));
    EXPECT_EQ(asked, 1);
    g.SetFixedRightCols(1);
    EXPECT_TRUE(g.IsFixed(4, 4));

    EXPECT_FALSE(g.IsEditable(2, 2)) << "editing is off";
    g.SetOptions(g.Options() | goEditing);
    EXPECT_TRUE(g.IsEditable(2, 2));
    g.CellProperties(2, 2)->SetReadOnly(true);
    EXPECT_FALSE(g.IsEditable(2, 2));
    g.MergeCells(2, 2, 2, 1);
    EXPECT_FALSE(g.IsCellEditable(3, 2)) << "a covered cell answers for its base";
    g.OnCanEditCell = [](TObject*, int, int, bool& c) { c = true; };
    EXPECT_TRUE(g.IsEditable(3, 2));
    EXPECT_FALSE(g.IsPassword(1, 1));
    g.OnIsPasswordCell = [](TObject*, int, int, bool& p) { p = true; };
    EXPECT_TRUE(g.IsPassword(1, 1));

    QString t, f;
    g.GetCheckTrue(1, 1, t);
    g.GetCheckFalse(1, 1, f);
    EXPECT_EQ(t + f, QStringLiteral("YN"));
}

TEST(KvStringGridQueries, CellColorAndFontFromProperties)
{
    TKvStringGrid g;
    TCellProperties* p = g.CellProperties(1, 1);
    p->SetBrushColor(0x00AA00);
    p->SetFontColor(0x0000AA);
    p->SetFontName(QStringLiteral("Verdana"));
    TBrush brush;
    TFont font;
    g.GetCellColor(1, 1, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), TColor(0x00AA00));
    EXPECT_EQ(font.Color(), TColor(0x0000AA));
    EXPECT_EQ(font.Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(g.GetCellFont(1, 1)->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(g.GetCellFont(2, 2), g.Font());
    EXPECT_EQ(g.GetCellType(2, 2), ctEmpty);
    EXPECT_FALSE(g.HasCheckBox(2, 2));
}

TEST(KvStringGridQueries, FilterListOffersAllAndNameValueEntries)
{
    TKvStringGrid g;
    g.SetRowCount(4);
    g.SetFilterDropDownAuto(true);
    g.SetCells(1, 1, QStringLiteral("a b"));
    g.SetCells(1, 2, QStringLiteral(" a b "));
    g.SetCells(1, 3, QStringLiteral("c"));
    ASSERT_TRUE(g.GetFilterList(1));
    QStringList got;
    for (int i = 0; i < g.FilterList()->Count(); ++i) got << g.FilterList()->Strings(i);
    EXPECT_EQ(got, (QStringList{QStringLiteral("(All)"), QStringLiteral("a b=\"a b\""), QStringLiteral("c")}));
    g.OnGetColumnFilter = [](TObject*, int, TStrings* f) { f->Clear(); };
    EXPECT_FALSE(g.GetFilterList(1));
}

TEST(KvStringGridFooter, CountSumAndCustomCalculations)
{
    TKvStringGrid g;
    g.SetRowCount(12);
    g.FloatingFooter()->SetVisible(true);
    EXPECT_EQ(g.FixedFooters(), 1);
    EXPECT_TRUE(g.HideLastRow());
    for (int r = 1; r < 11; ++r) g.SetCells(2, r, QString::number(r));
    g.FloatingFooter()->SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(g.Cells(1, 11), QStringLiteral("10"));
    g.FloatingFooter()->SetColumnCalc(2, acSUM);
    const QString dec(GetDecimalSeparator());
    EXPECT_EQ(g.Cells(2, 11), QStringLiteral("55") + dec + QStringLiteral("00"));
    g.OnFooterCalc = [](TObject*, int c, int r, QString& v) { v = QStringLiteral("c%1r%2").arg(c).arg(r); };
    g.FloatingFooter()->SetColumnCalc(3, acCUSTOM);
    EXPECT_EQ(g.Cells(3, 11), QStringLiteral("c3r11"));
    g.FloatingFooter()->SetColumnCalc(4, acSPREAD);
    EXPECT_EQ(g.Cells(4, 11), QString());
}

TEST(KvStringGridFooter, RowCountChangeCarriesTheFooterCalculations)
{
    TKvStringGrid g;
    g.FloatingFooter()->SetVisible(true);
    g.FloatingFooter()->SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(g.Cells(1, 9), QStringLiteral("8"));
    g.SetRowCount(12);
    EXPECT_EQ(g.FloatingFooter()->ColumnCalc(1), acCOUNT);
    EXPECT_EQ(g.Cells(1, 11), QStringLiteral("10"));
    EXPECT_EQ(g.Cells(1, 9), QString()) << "the old footer row is cleared";
    g.SetRowCount(6);
    EXPECT_EQ(g.FloatingFooter()->ColumnCalc(1), acCOUNT);
    EXPECT_EQ(g.Cells(1, 5), QStringLiteral("4"));
}

TEST(KvStringGridFooter, NotifiersAndCellsChangedRecalculate)
{
    struct Counter : TGridChangeNotifier {
        int Count = 0;
        void CellsChanged(TKvStringGrid*, const TGridRect&) override { ++Count; }
    } n;
    TKvStringGrid g;
    g.RegisterNotifier(&n);
    g.RegisterNotifier(&n);
    int events = 0;
    g.OnCellsChanged = [&](TObject*, const TGridRect&) { ++events; };
    g.CellsChanged(TGridRect(1, 1, 2, 2));
    EXPECT_EQ(n.Count, 1);
    EXPECT_EQ(events, 1);
    g.UnRegisterNotifier(&n);
    g.CellsChanged(TGridRect(1, 1, 2, 2));
    EXPECT_EQ(n.Count, 1);
}

TEST(KvStringGridCellObjects, GraphicTypeMarkerAndPictureSize)
{
    TKvStringGrid g;
    auto* graphic = new TCellGraphic;
    graphic->SetCellType(ctButton);
    graphic->SetCellErrFrom(3);
    graphic->SetCellErrLen(2);
    g.SetGraphicObjects(1, 1, graphic);
    EXPECT_EQ(g.GetCellType(1, 1), ctButton);
    EXPECT_EQ(g.GetCellType(-1, 1), ctEmpty);
    EXPECT_TRUE(g.HasClickControl(1, 1));
    EXPECT_FALSE(g.HasCheckBox(1, 1));
    EXPECT_FALSE(g.HasClickControl(-1, 1));
    // The kind tests, one row per kind: check box, data box, data graphic, click control, radio button.
    const struct { TCellType t; bool check, data, graphic, click, radio; } kinds[] = {
        {ctCheckBox, true, false, false, true, false},
        {ctDataCheckBox, true, true, true, true, false},
        {ctRowCheckBox, true, true, true, true, false},
        {ctTriStateCheckBox, true, false, false, true, false},
        {ctDataImage, false, false, true, false, false},
        {ctRadio, false, false, false, true, false},
        {ctRadioButton, false, false, false, true, true},
        {ctProgress, false, false, false, false, false},
    };
    auto* probe = new TCellGraphic;
    g.SetGraphicObjects(3, 3, probe);
    for (const auto& k : kinds) {
        probe->SetCellType(k.t);
        EXPECT_EQ(g.HasCheckBox(3, 3), k.check) << int(k.t);
        EXPECT_EQ(g.HasDataCheckBox(3, 3), k.data) << int(k.t);
        EXPECT_EQ(g.IsDataGraphicCell(3, 3), k.graphic) << int(k.t);
        EXPECT_EQ(g.HasClickControl(3, 3), k.click) << int(k.t);
        EXPECT_EQ(g.HasRadioButton(3, 3), k.radio) << int(k.t);
    }
    probe->SetCellType(ctRadioButton);
    EXPECT_FALSE(g.IsRadioButtonChecked(3, 3));
    probe->SetCellBoolean(true);
    EXPECT_TRUE(g.IsRadioButtonChecked(3, 3));
    int pos = -1, len = -1;
    g.GetMarker(1, 1, pos, len);
    EXPECT_EQ(TPoint(pos, len), TPoint(3, 2));
    g.GetMarker(2, 2, pos, len);
    EXPECT_EQ(TPoint(pos, len), TPoint(0, 0));
    g.MergeCells(1, 1, 2, 1);
    EXPECT_TRUE(g.HasClickControl(2, 1)) << "a covered cell answers with its base's graphic";

    // A 40 x 20 picture in a room of 60 x 60 with 2 pixels of padding.
    TCellGraphic pic;
    auto* picture = new TPicture;
    picture->SetGraphic(std::make_unique<TBitmap>(40, 20));
    pic.FCellBitmap = picture;
    pic.SetCellCreated(true);
    pic.SetCellType(ctPicture);
    pic.SetCellIndex(2);
    const struct { TStretchMode mode; TPoint want; } table[] = {
        {noStretch, TPoint(40, 20)},
        {Stretch, TPoint(58, 58)},
        {Shrink, TPoint(40, 20)},
        {StretchWithAspectRatio, TPoint(58, 29)},
        {ShrinkWithAspectRatio, TPoint(40, 20)},
    };
    for (const auto& t : table) {
        pic.SetCellAngle(t.mode);
        EXPECT_EQ(pic.GetPictureSize(60, 60, false), t.want) << int(t.mode);
    }
    pic.SetCellAngle(ShrinkWithAspectRatio);
    EXPECT_EQ(pic.GetPictureSize(22, 60, false), TPoint(20, 10)) << "wider than the room: scaled by its width";
    TCellGraphic other;
    EXPECT_EQ(other.GetPictureSize(60, 60, false, TPoint(7, 8)), TPoint(7, 8));
}

TEST(KvStringGridWindow, CreatingTheWindowPlacesThePanelsAndReadsTheWheel)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    EXPECT_EQ(g->FooterPanel()->Parent(), nullptr);
    g->SetParent(&form);
    EXPECT_EQ(g->FooterPanel()->Parent(), g);
    EXPECT_EQ(g->SearchPanel()->Parent(), g);
    EXPECT_FALSE(g->FooterPanel()->Visible());
    EXPECT_EQ(g->WheelScrollLines(), 3);
    EXPECT_TRUE(g->IsWinXP());
    EXPECT_EQ(FindParentForm(g), &form);
    EXPECT_EQ(FindParentForm(nullptr), nullptr);
}

TEST(KvStringGridWindow, WindowWithoutVisualStylesDropsTheXPFlag)
{
    TThemeProfile p;
    p.ThemeActive = false;
    TThemeProfileScope scope(p);
    TForm form;
    auto* g = new TKvStringGrid(&form);
    EXPECT_TRUE(g->IsWinXP());
    g->SetParent(&form);
    EXPECT_FALSE(g->IsWinXP());
}

TEST(KvStringGridWindow, HoverRowFollowsTheMouse)
{
    TKvStringGrid g;
    g.SetBorderStyle(bsNone);
    g.SetHoverRow(true);
    g.Show();
    QApplication::processEvents();
    const TRect r = g.CellRect(2, 3);
    QTest::mouseMove(&g, QPoint(r.Left + 5, r.Top + 5));
    QApplication::processEvents();
    EXPECT_EQ(g.HoverRowIdx(), 3);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&g, &leave);
    EXPECT_EQ(g.HoverRowIdx(), -1);
}

TEST(KvStringGridWindow, HoverFixedCellsByKind)
{
    TKvStringGrid g;
    const struct { THoverFixedCells kind; bool col0, row0, body; } table[] = {
        {hfNone, false, false, false},
        {hfAll, true, true, false},
        {hfFixedColumns, true, false, false},
        {hfFixedRows, false, true, false},
    };
    for (const auto& t : table) {
        g.SetHoverFixedCells(t.kind);
        EXPECT_EQ(g.IsHoverFixedCell(0, 3), t.col0) << int(t.kind);
        EXPECT_EQ(g.IsHoverFixedCell(2, 0), t.row0) << int(t.kind);
        EXPECT_EQ(g.IsHoverFixedCell(2, 3), t.body) << int(t.kind);
    }
    EXPECT_EQ(g.FirstDataCol(), 1);
    EXPECT_EQ(g.VisibleFixedRightCols(), 0);
    g.InitOrigColSizes();
}

TEST(KvStringGridRelays, DateEditorRelaysReportTheCurrentCell)
{
    TKvStringGrid g;
    g.SetCol(2);
    g.SetRow(3);
    QStringList seen;
    g.OnEditChange = [&](TObject*, int c, int r, const QString& v) { seen << QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(v); };
    g.OnDatePickerCloseUp = [&](TObject*, int c, int r) { seen << QStringLiteral("close %1,%2").arg(c).arg(r); };
    const double noon = 0.5;
    g.DateEditorChange(noon, true);
    g.DateEditorCloseUp();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], QStringLiteral("2,3:") + FormatDateTime(FormatSettings().LongTimeFormat, noon));
    EXPECT_EQ(seen[1], QStringLiteral("close 2,3"));
    double got = 0;
    g.OnDateTimeChange = [&](TObject*, int, int, double v) { got = v; };
    g.DateTimeEditorChange(45000.25);
    EXPECT_EQ(got, 45000.25);
}
