#include "dropdown_test_support.h"

#include <QtGui/QPainter>
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

QImage SaveOpenPopupSheet(TForm* Form, TKvCustomDropDown* Edit, const char* Name)
{
    QApplication::processEvents();
    const QImage form = Form->grab().toImage();
    const QImage popup = Edit->DropDownForm()->grab().toImage();
    QImage sheet(std::max(form.width(), Edit->Left() + popup.width()), form.height() + popup.height(),
                 QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, form);
    painter.drawImage(Edit->Left(), form.height(), popup);
    painter.end();
    EXPECT_TRUE(sheet.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QLatin1String(Name)));
    return popup.convertToFormat(QImage::Format_RGB32);
}
