// The grid's settings objects: control look with its gradient forwarding and
// pair-exchanging copy, the drop-down header and footer appearance with their
// buttons, and the sizing, HTML and print settings with their copy rules.
#include <gtest/gtest.h>

#include "grid/control_look.h"
#include "grid/dropdown_appearance.h"
#include "grid/grid_settings_objects.h"
#include "grid/kv_string_grid.h"

TEST(ControlLook, NewGridCarriesTheInitialLook)
{
    TKvStringGrid g;
    TControlLook* l = g.ControlLook();
    EXPECT_EQ(l->CheckSize(), 15);
    EXPECT_EQ(l->RadioSize(), 10);
    EXPECT_EQ(l->DropDownCount(), 8);
    EXPECT_EQ(l->ControlStyle(), csTheme);
    EXPECT_EQ(l->CommentColor(), TColor(0xFF));
    EXPECT_EQ(l->FixedGradientHoverFrom(), TColor(0x808080));
    EXPECT_EQ(l->FixedGradientHoverTo(), TColor(0xFFFFFF));
    EXPECT_EQ(l->FixedGradientDownFrom(), TColor(0x808080));
    EXPECT_EQ(l->FixedGradientDownTo(), TColor(0xC0C0C0));
    EXPECT_EQ(g.QRVGradientHoverMirrorFrom(), clNone);
    EXPECT_EQ(g.QRVGradientDownMirrorTo(), clNone);
    EXPECT_EQ(g.QRVGradientHoverFrom(), TColor(0)) << "only the mirror colours reach the grid";
    EXPECT_TRUE(l->CheckedGlyph()->Empty());
    EXPECT_EQ(l->DropDownHeader()->GetOwner(), &g);
}

TEST(ControlLook, GradientWritesReachTheGridAsTheTableSays)
{
    TKvStringGrid g;
    TControlLook* l = g.ControlLook();
    const TColor before = g.QRVGradientFrom();
    l->SetFixedGradientFrom(clNone);
    EXPECT_EQ(g.QRVGradientFrom(), before) << "no colour leaves the grid's colour";
    l->SetFixedGradientFrom(clBtnFace);
    EXPECT_EQ(g.QRVGradientFrom(), ColorToRGB(clBtnFace)) << "stored as a plain colour";
    g.SetQRVGradientMirrorFrom(0x123456);
    l->SetFixedGradientMirrorFrom(clNone);
    EXPECT_EQ(g.QRVGradientMirrorFrom(), clNone) << "mirror colours always pass";
    l->SetFixedGradientHoverBorder(clNone);
    EXPECT_EQ(g.QRVGradientHoverBorder(), TColor(0));
    l->SetFixedGradientDownBorder(0x00FF00);
    EXPECT_EQ(g.QRVGradientDownBorder(), TColor(0x00FF00));
}

TEST(ControlLook, AssignExchangesGradientPairsAndSkipsItsExceptions)
{
    TKvStringGrid a, b;
    a.ControlLook()->SetFixedGradientFrom(clRed);
    a.ControlLook()->SetFixedGradientTo(clBlue);
    a.ControlLook()->SetFixedGradientDownBorder(0x010203);
    a.ControlLook()->SetFlatButton(true);
    a.ControlLook()->SetProgressXP(true);
    a.ControlLook()->SetCheckSize(20);
    a.ControlLook()->DropDownHeader()->SetCaption(QStringLiteral("head"));
    const TColor gridFrom = b.QRVGradientFrom();
    b.ControlLook()->Assign(a.ControlLook());
    EXPECT_EQ(b.ControlLook()->FixedGradientFrom(), clBlue);
    EXPECT_EQ(b.ControlLook()->FixedGradientTo(), clRed);
    EXPECT_EQ(b.ControlLook()->FixedGradientHoverFrom(), TColor(0xFFFFFF));
    EXPECT_EQ(b.ControlLook()->FixedGradientDownBorder(), TColor(0x010203)) << "borders copied as they are";
    EXPECT_EQ(b.QRVGradientFrom(), gridFrom) << "nothing reaches the grid";
    EXPECT_FALSE(b.ControlLook()->FlatButton());
    EXPECT_FALSE(b.ControlLook()->ProgressXP());
    EXPECT_EQ(b.ControlLook()->CheckSize(), 20);
    EXPECT_EQ(b.ControlLook()->DropDownHeader()->Caption(), QStringLiteral("head"));
    EXPECT_NO_THROW(b.ControlLook()->Assign(static_cast<const TPersistent*>(nullptr)));
    TSizeWhileTyping other;
    EXPECT_NO_THROW(b.ControlLook()->Assign(&other));
}

TEST(DropDownAppearance, ConstructionValues)
{
    THeaderAppearance h(nullptr);
    TFooterAppearance f(nullptr);
    for (auto* a : {static_cast<TPopupPanelAppearance<THeaderButtons>*>(&h)}) {
        EXPECT_EQ(a->Color(), TColor(0xC0C0C0));
        EXPECT_EQ(a->ColorTo(), TColor(0xFFFFFF));
        EXPECT_EQ(a->GradientDirection(), gdVertical);
        EXPECT_EQ(a->Height(), 22);
        EXPECT_EQ(a->BorderWidth(), 1);
        EXPECT_EQ(a->BorderColor(), TColor(0));
        EXPECT_EQ(a->ImageIndex(), -1);
        EXPECT_TRUE(a->Visible());
        EXPECT_EQ(a->ButtonAlignment(), baRight);
        EXPECT_TRUE(a->Caption().isEmpty());
        EXPECT_EQ(a->Buttons()->Count(), 0);
    }
    EXPECT_EQ(h.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(f.Font()->Name(), TFont().Name()) << "the footer keeps the platform default font";
    EXPECT_TRUE(f.SizeGrip());
    EXPECT_EQ(f.Height(), 22);
}

TEST(DropDownAppearance, AssignAndNotifications)
{
    THeaderAppearance h(nullptr), src(nullptr);
    TFooterAppearance f(nullptr);
    int changes = 0;
    h.OnChange = [&](TObject*) { ++changes; };
    f.SetCaption(QStringLiteral("foot"));
    h.Assign(&f);
    EXPECT_TRUE(h.Caption().isEmpty()) << "another class changes nothing";
    h.SetVisible(true);
    EXPECT_EQ(changes, 0);
    src.SetVisible(false);
    src.SetColor(0x112233);
    src.Buttons()->Add()->SetCaption(QStringLiteral("OK"));
    h.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(h.Color(), TColor(0x112233));
    ASSERT_EQ(h.Buttons()->Count(), 1);
    EXPECT_EQ(h.Buttons()->Items(0)->Caption(), QStringLiteral("OK"));

    int buttonChanges = 0;
    h.OnButtonsChanged = [&](TObject*) { ++buttonChanges; };
    THeaderButton* b = h.Buttons()->Items(0);
    b->SetHeight(30);
    EXPECT_EQ(buttonChanges, 0);
    b->SetWidth(40);
    b->SetWidth(40);
    EXPECT_EQ(buttonChanges, 1);
    TStringList plain;
    EXPECT_THROW(b->Assign(&plain), EConvertError);

    TFooterAppearance f2(nullptr);
    f.SetSizeGrip(false);
    f.Buttons()->Add()->SetModalResult(2);
    f2.Assign(&f);
    EXPECT_FALSE(f2.SizeGrip());
    EXPECT_EQ(f2.Buttons()->Items(0)->ModalResult(), 2);
}

TEST(GridSettingsObjects, InitialValues)
{
    TColumnSize cs(nullptr);
    EXPECT_EQ(cs.StretchColumn(), -1);
    EXPECT_EQ(cs.Rows(), arAll);
    EXPECT_EQ(cs.Location(), clRegistry);
    TPrintSettings ps(nullptr);
    EXPECT_EQ(ps.DateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(ps.PageNumSep, QStringLiteral("/"));
    EXPECT_EQ(ps.Borders, pbSingle);
    EXPECT_TRUE(ps.Centered);
    EXPECT_TRUE(ps.UseDisplayFont);
    EXPECT_EQ(ps.FitToPage, fpNever);
    EXPECT_EQ(ps.Font()->Name(), TFont().Name());
    THTMLSettings hs;
    EXPECT_TRUE(hs.SaveColor);
    EXPECT_EQ(hs.Width, 100);
    EXPECT_EQ(hs.BorderSize, 1);
    EXPECT_TRUE(hs.ExportImages);
    TSizeWhileTyping st;
    EXPECT_FALSE(st.Height());
    EXPECT_FALSE(st.Width());
}

TEST(GridSettingsObjects, AssignRules)
{
    THTMLSettings a, b;
    a.ExportImages = false;
    a.Summary = QStringLiteral("s");
    a.ColWidths()->Add(40);
    b.Assign(&a);
    EXPECT_TRUE(b.ExportImages);
    EXPECT_EQ(b.Summary, QStringLiteral("s"));
    EXPECT_EQ(b.ColWidths()->Count(), 0);

    TPrintSettings p(nullptr), q(nullptr);
    p.FixedCellsAlways = true;
    p.TitleLines()->Add(QStringLiteral("title"));
    p.HeaderFont()->SetName(QStringLiteral("Arial"));
    p.JobName = QStringLiteral("job");
    q.FixedCellsAlways = false;
    q.Assign(&p);
    EXPECT_FALSE(q.FixedCellsAlways);
    EXPECT_EQ(q.TitleLines()->Count(), 1);
    EXPECT_EQ(q.HeaderFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(q.JobName, QStringLiteral("job"));
    p.TitleLines()->Clear();
    EXPECT_EQ(q.TitleLines()->Count(), 1) << "copied by value";
    EXPECT_THROW(q.Assign(&a), EInvalidCast);

    TColumnSize c1(nullptr), c2(nullptr);
    c1.SetKey(QStringLiteral("k"));
    c1.SetRows(arFixed);
    c1.SetStretchColumn(3);
    c2.Assign(&c1);
    EXPECT_EQ(c2.Key(), QStringLiteral("k"));
    EXPECT_EQ(c2.Rows(), arFixed);
    EXPECT_EQ(c2.StretchColumn(), 3);
    EXPECT_NO_THROW(c2.Assign(&a));
}
