// The grid's search bar: its controls and layout, the enable rule, Return and
// Ctrl+Return in the edit, the background, the pictures, and the footer
// preview template.
#include "grid/grid_chrome.h"
#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

TEST(SearchPanel, TemplateExpansionTable)
{
    TKvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(3);
    g.SetCells(1, 2, QStringLiteral("7"));
    g.SetCells(2, 2, QStringLiteral("Pump"));
    g.SetRow(2);
    const struct {
        const char* tmpl;
        const char* expected;
    } cases[] = {
        {"Row <#1>: <#2>", "Row 7: Pump"},
        {"plain text", "plain text"},
        {"a<#x>b", "ab"},
        {"cut <#1", "cut <#1"},
        {"<#2> then <#", "Pump then <#"},
        {"<#-1>|<#4>|<#99>", "||"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandFooterTemplate(&g, QString::fromLatin1(c.tmpl)), QString::fromLatin1(c.expected)) << c.tmpl;
}

TEST(SearchPanel, PicturesAreRegisteredWithTheirSizes)
{
    RegisterSearchBarImages();
    for (const char* n : {"KSGARDOWN", "KSGARDOWND", "KSGARUP", "KSGARUPD", "KSGHI", "KSGHID"})
        EXPECT_EQ(ResourceImage(QString::fromLatin1(n)).size(), QSize(16, 16)) << n;
    for (const char* n : {"KSGCLOSE", "KSGCLOSEH", "KSGCLOSED"})
        EXPECT_EQ(ResourceImage(QString::fromLatin1(n)).size(), QSize(14, 14)) << n;
}

TEST(SearchPanel, LayoutEnableRuleAndReturnKeys)
{
    TForm form;
    form.SetBounds(0, 0, 600, 200);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 600, 200);
    TSearchPanel* p = g->SearchPanel();
    p->SetVisible(true);
    p->SetHeight(32);
    EXPECT_EQ(p->EditControl()->BoundsRect(), TRect(25, 6, 135, 6 + p->EditControl()->Height()));
    EXPECT_EQ(p->ForwardButton()->BoundsRect(), TRect(140, 5, 230, 28));
    EXPECT_EQ(p->BackwardButton()->BoundsRect(), TRect(235, 5, 325, 28));
    EXPECT_EQ(p->HiliteButton()->BoundsRect(), TRect(330, 5, 420, 28));
    EXPECT_EQ(p->ExitButton()->BoundsRect(), TRect(5, 7, 19, 21));
    EXPECT_EQ(p->MatchCase()->Left(), 425);
    EXPECT_EQ(p->HiliteButton()->Style(), tasCheck);
    EXPECT_EQ(p->ForwardButton()->Glyph()->Width(), 16);
    EXPECT_EQ(p->ExitButton()->GlyphHot()->Width(), 14);
    p->HiliteButton()->SetVisible(false);
    p->LayoutControls();
    EXPECT_EQ(p->MatchCase()->Left(), 330);

    int forward = 0, backward = 0, changes = 0;
    p->OnForwardClick = [&](TObject*) { ++forward; };
    p->OnBackwardClick = [&](TObject*) { ++backward; };
    p->OnEditChange = [&](TObject*) { ++changes; };
    form.Show();
    QApplication::processEvents();
    for (TKvGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        EXPECT_FALSE(b->Enabled());
    QWidget* edit = p->EditControl()->InputWidget();
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);
    for (TKvGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
        EXPECT_TRUE(b->Enabled());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(forward, 1);
    EXPECT_EQ(p->EditControl()->Text(), QStringLiteral("ab")) << "no line break";
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(backward, 1);
    EXPECT_EQ(forward, 1);
    // Clicking the enabled find-next button reaches the same handler.
    p->ForwardButton()->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(5u, 5u));
    p->ForwardButton()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5u, 5u));
    EXPECT_EQ(forward, 2);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_FALSE(p->ForwardButton()->Enabled()) << "empty again";
}

TEST(SearchPanel, BackgroundPlainOrGradientWithTheTopLine)
{
    TForm form;
    form.SetBounds(0, 0, 600, 200);
    TKvStringGrid g;
    TSearchPanel p(&g);
    p.SetParent(&form);
    p.SetAlign(alNone);
    p.SetBounds(0, 0, 500, 32);
    p.SetVisible(true);
    p.SetColor(0x00FF00);
    form.Show();
    QApplication::processEvents();
    QImage img = p.grab().toImage();
    ASSERT_EQ(img.width(), 500);
    EXPECT_EQ(FromQColor(img.pixelColor(22, 15)), TColor(0x00FF00));
    EXPECT_EQ(FromQColor(img.pixelColor(480, 0)), ColorToRGB(g.GridLineColor()));
    p.SetColorTo(0x0000FF);
    img = p.grab().toImage();
    EXPECT_NE(FromQColor(img.pixelColor(22, 2)), FromQColor(img.pixelColor(22, 30)));
    p.EditControl()->SetText(QStringLiteral("pump"));
    p.ForwardButton()->SetCaption(QStringLiteral("Find next"));
    img = p.grab().toImage();
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/search_bar.png")));
    p.SetParent(nullptr);
}
