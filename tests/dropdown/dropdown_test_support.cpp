#include "dropdown_test_support.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {
QString gFamily;
class DropDownEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        InitPlatformApplication();
        gFamily = RegisterTestFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new DropDownEnvironment);
} // namespace

QString DropDownTestFontFamily() { return gFamily; }

TDropDownHost::TDropDownHost(int FormTop, int EditLeft, int EditTop, bool EditContent, bool Panels)
{
    Clock.Ticks = 100000;
    ClockScope = std::make_unique<TClockScope>(Clock);
    Form = new TForm(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, FormTop, 400, 100);
    Edit = new TTestDropDown(Form, EditContent);
    Edit->SetParent(Form);
    Edit->SetBounds(EditLeft, EditTop, 120, 25);
    Edit->DropDownHeader()->SetVisible(Panels);
    Edit->DropDownFooter()->SetVisible(Panels);
    Form->Show();
    QApplication::processEvents();
}

TDropDownHost::~TDropDownHost()
{
    delete Form;
    ClockScope.reset();
}

void ClickWidget(QWidget* w, Qt::MouseButton b)
{
    const QPoint p(w->width() / 2, w->height() / 2);
    QTest::mousePress(w, b, Qt::NoModifier, p);
    QTest::mouseRelease(w, b, Qt::NoModifier, p);
}
