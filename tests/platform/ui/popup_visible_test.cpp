// Context menus from the PopupMenu property, and the visibility of windows
// before and after Show.
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"
#include "platform/ui/stdctrls.h"

#include <QtGui/QContextMenuEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

#include <memory>

namespace {
// A menu that records where it was asked to open instead of opening.
struct TRecordingMenu : TPopupMenu {
    int Count = 0;
    TPoint At;
    void Popup(int x, int y) override { ++Count; At = TPoint(x, y); }
};
} // namespace

TEST(PopupMenu, RightClickShowsTheNearestMenu)
{
    TForm f;
    f.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&f);
    panel->SetParent(&f);
    panel->SetBounds(10, 10, 200, 150);
    auto* inner = new TPanel(&f);
    inner->SetParent(panel);
    inner->SetBounds(10, 10, 50, 50);
    auto* edit = new TEdit(&f);
    edit->SetParent(panel);
    edit->SetBounds(10, 80, 100, 21);
    TRecordingMenu panelMenu, editMenu;
    panel->SetPopupMenu(&panelMenu);
    f.Show();

    // A real right click on the panel opens its menu at the mouse.
    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(150, 100));
    EXPECT_EQ(panelMenu.Count, 1);
    EXPECT_EQ(panelMenu.PopupComponent, panel);
    EXPECT_EQ(panelMenu.At, panel->ClientToScreen(TPoint(150, 100)));

    // A child without a menu passes the request to its parent.
    QTest::mouseClick(inner, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(panelMenu.Count, 2);
    EXPECT_EQ(panelMenu.PopupComponent, panel);
    EXPECT_EQ(panelMenu.At, inner->ClientToScreen(TPoint(5, 5)));
    // The menu key opens it at the top-left corner of the control that has it.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), inner->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(inner, &key);
    EXPECT_TRUE(key.isAccepted());
    EXPECT_EQ(panelMenu.Count, 3);
    EXPECT_EQ(panelMenu.At, panel->ClientToScreen(TPoint(0, 0)));
    // Qt's own mouse request is left to the button release, so nothing opens twice.
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(5, 5), inner->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(inner, &mouse);
    EXPECT_EQ(panelMenu.Count, 3);
    // A native edit keeps its own menu; given one of ours, ours opens instead.
    QTest::mouseClick(edit->LineEdit(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(panelMenu.Count, 3);
    edit->SetPopupMenu(&editMenu);
    QTest::mouseClick(edit->LineEdit(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(editMenu.Count, 1);
    EXPECT_EQ(editMenu.PopupComponent, edit);
    EXPECT_EQ(panelMenu.Count, 3);
    // With AutoPopup off the control leaves the menu to the program.
    panelMenu.AutoPopup = false;
    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(150, 100));
    EXPECT_EQ(panelMenu.Count, 3);
    f.Hide();

    // A destroyed menu is forgotten.
    auto owned = std::make_unique<TPopupMenu>();
    inner->SetPopupMenu(owned.get());
    owned.reset();
    EXPECT_EQ(inner->PopupMenu(), nullptr);
}

TEST(Windows, FormsStartHiddenAndTopLevelControlsOpenOnShow)
{
    TForm f;
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.isVisible());
    f.Show();
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.isVisible());
    f.Hide();
    EXPECT_FALSE(f.Visible());

    // A control without a parent is a window of its own.
    TPanel top;
    top.SetBounds(20, 20, 80, 40);
    EXPECT_TRUE(top.Visible());
    EXPECT_FALSE(top.Showing());
    top.Show();
    EXPECT_TRUE(top.isVisible());
    EXPECT_TRUE(top.Showing());
    top.Hide();
    EXPECT_FALSE(top.Visible());
    EXPECT_FALSE(top.isVisible());
    top.Show();
    EXPECT_TRUE(top.isVisible());
    top.Hide();

    // A child keeps Visible true before its parent shows.
    TForm g;
    auto* child = new TPanel(&g);
    child->SetParent(&g);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(child->Showing());
    g.Show();
    EXPECT_TRUE(child->Showing());
    g.Hide();
}

TEST(Windows, FixedBorderStopsTheUserNotTheProgram)
{
    TForm f;
    f.SetBounds(0, 0, 200, 100);
    f.SetBorderStyle(bsSingle);
    f.Show();
    // Sizes set after the border style still apply, by bounds or by client size.
    f.SetBounds(f.Left(), f.Top(), 260, 140);
    EXPECT_EQ(f.size(), QSize(260, 140));
    f.SetClientWidth(300);
    f.SetClientHeight(180);
    EXPECT_EQ(f.size(), QSize(300, 180));
    EXPECT_EQ(f.Width(), 300);
    // The user cannot drag it to another size ...
    EXPECT_EQ(f.minimumSize(), QSize(300, 180));
    EXPECT_EQ(f.maximumSize(), QSize(300, 180));
    // ... until the border is sizeable again.
    f.SetBorderStyle(bsSizeable);
    EXPECT_EQ(f.minimumSize(), QSize(0, 0));
    EXPECT_EQ(f.size(), QSize(300, 180));
    f.Hide();
}

