// Whole-grid styles, colour tones, the Office theme and the Look presets.
#include <gtest/gtest.h>

#include "grid/grid_chrome.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/ui/forms.h"

#include <functional>

namespace {

TEST(GridStyles, CustomStyleOnlyResetsSelectionSortHeaderAndControlLook)
{
    TKvStringGrid g;
    g.SetSelectionColor(0x123456);
    g.SortSettings()->SetHeaderColor(0x00FF00);
    g.ControlLook()->SetCheckSize(20);
    g.SetGridLineColor(0x010203);
    const TColor from = g.QRVGradientFrom();
    g.SetStyle(gsCustom);
    EXPECT_EQ(g.SelectionColor(), clHighlight);
    EXPECT_EQ(g.SelectionTextColor(), clHighlightText);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), clNone);
    EXPECT_EQ(g.ControlLook()->CheckSize(), 15);
    EXPECT_EQ(g.GridLineColor(), TColor(0x010203));
    EXPECT_EQ(g.QRVGradientFrom(), from);
}

TEST(GridStyles, TableStylesAndTheSearchFooter)
{
    TKvStringGrid g;
    g.SetStyle(gsOffice2003Blue);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.QRVGradientFrom(), TColor(0xFCE1CB));
    EXPECT_EQ(g.QRVGradientTo(), TColor(0xE0A57D));
    EXPECT_EQ(g.SelectionColor(), TColor(0x94E6FB));
    EXPECT_EQ(g.GridFixedLineColor(), TColor(0x808080));
    EXPECT_EQ(g.SearchFooter()->Color(), TColor(0xFCE1CB));
    EXPECT_EQ(g.SearchFooter()->ColorTo(), clNone);
    // a system colour written directly keeps its form
    g.SetStyle(gsWindowsXP);
    EXPECT_EQ(g.QRVGradientFrom(), clBtnFace);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone);
    g.SetStyle(gsWindows7);
    EXPECT_EQ(g.SelectionStyle(), ssWin7);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), TColor(0xFCF9F2));
}

TEST(GridStyles, ComponentStyleAndMetroScrolling)
{
    TKvStringGrid g;
    TColorTones t;
    t.Foreground.BrushColor = 0x808080;
    g.SetColorTones(t);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    ASSERT_NE(g.FVScrollControl, nullptr);
    EXPECT_EQ(g.FVScrollControl->Width(), 6);
    EXPECT_EQ(g.FHScrollControl->Height(), 6);
    EXPECT_EQ(g.GridFixedLineColor(), TColor(0x666666));
    EXPECT_EQ(g.Look(), glClassic);
    EXPECT_TRUE(g.Flat());
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csGlyph);
    EXPECT_FALSE(g.ControlLook()->CheckedGlyph()->Empty());
    g.SetComponentStyle(tsCustom);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    g.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.ComponentStyle(), tsOffice2007Luna);
}

// Leaving the thin scroll controls through a look or a component style brings the
// real bars back and frees the controls.
TEST(GridStyles, LeavingMetroScrollingByLookOrStyleBringsTheBarsBack)
{
    const std::pair<const char*, std::function<void(TKvStringGrid&)>> ways[] = {
        {"look", [](TKvStringGrid& g) { g.SetLook(glXP); }},
        {"component style", [](TKvStringGrid& g) { g.SetComponentStyle(tsOffice2007Luna); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        TForm form;
        auto* g = new TKvStringGrid(&form);
        g->SetParent(&form);
        TColorTones t;
        g->SetColorTones(t);
        ASSERT_EQ(g->ScrollType(), ssMetro);
        ASSERT_NE(g->FVScrollControl, nullptr);
        EXPECT_EQ(g->ScrollBars(), ssNone);
        leave(*g);
        EXPECT_EQ(g->ScrollType(), ssNormal);
        EXPECT_EQ(g->FVScrollControl, nullptr);
        EXPECT_EQ(g->FHScrollControl, nullptr);
        EXPECT_EQ(g->ScrollBars(), ssBoth);
    }
}

TEST(GridStyles, OfficeThemeAppliedOnceAndNeverAtDesignTime)
{
    TKvStringGrid g; // the profile answers Office 2003 blue
    g.UpdateOfficeTheme();
    EXPECT_EQ(g.ComponentStyle(), tsOffice2003Blue);
    g.SetSelectionColor(0x123456);
    g.UpdateOfficeTheme();
    EXPECT_EQ(g.SelectionColor(), TColor(0x123456));

    TKvStringGrid::SetDesignTimeConstruction(true);
    TKvStringGrid d;
    TKvStringGrid::SetDesignTimeConstruction(false);
    d.UpdateOfficeTheme();
    EXPECT_EQ(d.ComponentStyle(), tsCustom);
}

TEST(GridStyles, ThemeSchemes)
{
    TKvStringGrid g;
    g.SetTheme(vistaAero);
    EXPECT_EQ(g.QRVGradientMirrorFrom(), TColor(0xFAF8F7));
    EXPECT_EQ(g.SearchFooter()->Color(), TColor(0xECE2E1));
    g.SetTheme(xpNone);
    EXPECT_EQ(g.QRVGradientTo(), clBtnFace);
    EXPECT_EQ(g.ActiveCellColorTo(), TColor(0xFFD9B3));
}

TEST(GridLooks, QRVTwiceAndCustom)
{
    TKvStringGrid g;
    g.SetLook(glQRV);
    EXPECT_EQ(g.SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(g.GridLineColor(), TColor(0xC0C0C0));
    EXPECT_EQ(g.ControlLook()->FixedGradientTo(), clSilver);
    EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
    g.SetSelectionColor(0x00FF00);
    g.SetLook(glQRV);
    EXPECT_EQ(g.SelectionColor(), TColor(0x00FF00));

    g.SetBorderColor(0x010101);
    g.SetLook(glCustom);
    EXPECT_EQ(g.SelectionColor(), TColor(0x00FF00));
    EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
    EXPECT_EQ(g.ScrollType(), ssNormal);
}

TEST(GridLooks, NamesAndSortIndicatorRows)
{
    struct { TGridLook look; const char* name; const char* display; } cases[] = {
        {glStandard, "glStandard", "Standard"}, {glXP, "glXP", "Windows XP"},
        {glVista, "glVista", "Windows Vista"}, {glWin7, "glWin7", "Windows 7"}, {glQRV, "glQRV", "QRV"},
        {glListView, "glListView", "ListView"}, {glOffice2007, "glOffice2007", "Office2007"},
        {glSoft, "glSoft", "Soft"}, {glClassic, "glClassic", "Classic"},
    };
    for (const auto& c : cases) {
        QString a, b;
        TKvStringGrid::LookToString(c.look, a);
        TKvStringGrid::LookToDisplayName(c.look, b);
        EXPECT_EQ(a, QString::fromLatin1(c.name));
        EXPECT_EQ(b, QString::fromLatin1(c.display));
    }
    QString keep = QStringLiteral("kept");
    TKvStringGrid::LookToString(glCustom, keep);
    TKvStringGrid::LookToDisplayName(glCustom, keep);
    EXPECT_EQ(keep, QStringLiteral("kept"));

    TKvStringGrid g;
    g.SetRowCount(2);
    g.SortSettings()->Show = true;
    EXPECT_FALSE(g.HasSortIndicator(1, 0));
    g.SetRowCount(3);
    EXPECT_TRUE(g.HasSortIndicator(1, 0));
}

TEST(GridLooks, URLsShownInText)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("see www.kalvora.example now"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("see www.kalvora.example now"));
    g.SetURLShowInText(true);
    EXPECT_TRUE(g.Cells(1, 1).contains(QStringLiteral("<a href")));
    g.SetCells(1, 1, QStringLiteral("no address"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("no address"));
}

TEST(GridLooks, Office2007LookTakesTheLunaStyle)
{
    TKvStringGrid g;
    g.SetLook(glOffice2007);
    EXPECT_EQ(g.Look(), glOffice2007);
    EXPECT_EQ(g.ComponentStyle(), tsOffice2007Luna);
}

TEST(GridLooks, TonesFlatVersionAndURLSettings)
{
    TKvStringGrid g;
    TColorTones t = g.FTones;
    t.Foreground.BrushColor = 0x336699;
    g.SetColorTones(t);
    EXPECT_EQ(g.FloatingFooter()->Color(), TColor(0x336699));
    EXPECT_EQ(g.SearchFooter()->Color(), TColor(0x336699));

    g.SetFlat(false);
    EXPECT_TRUE(g.Ctl3D());
    g.SetFlat(true);
    EXPECT_FALSE(g.Ctl3D());
    g.SetFlat(false);
    EXPECT_TRUE(g.Ctl3D());

    EXPECT_EQ(g.Version(), QStringLiteral("6.2.1.3"));
    g.SetVersion(QStringLiteral("1.0.0.0"));
    EXPECT_EQ(g.Version(), QStringLiteral("6.2.1.3"));

    g.SetURLShow(true);
    g.SetURLFull(true);
    g.SetURLColor(clGreen);
    TImageList images(16, 16);
    g.SetGridImages(&images);
    EXPECT_TRUE(g.URLShow());
    EXPECT_TRUE(g.URLFull());
    EXPECT_EQ(g.URLColor(), clGreen);
    EXPECT_EQ(g.GridImages(), &images);
    g.SetGridImages(nullptr);
}

} // namespace
