#include "grid_input/kv_date_time_picker.h"

#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <gtest/gtest.h>

namespace {
struct TPickerForm {
    TForm form;
    TKvDateTimePicker* picker;
    explicit TPickerForm(const QString& format = QStringLiteral("dd/MM/yyyy"))
    {
        form.SetBounds(0, 0, 400, 200);
        picker = new TKvDateTimePicker(&form);
        picker->SetParent(&form);
        picker->SetBounds(120, 60, 200, 21);
        picker->SetFormat(format);
        picker->SetTimeFormat(QStringLiteral("HH:mm:ss"));
        picker->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 30, 0));
        form.Show();
        QApplication::setActiveWindow(&form);
        picker->SetFocus();
    }
    ~TPickerForm() { form.Hide(); }
    void Type(TDateTimePicker* p, char digit)
    {
        p->Perform(WM_CHAR, WPARAM(digit), 0);
        QApplication::processEvents();
        QApplication::processEvents();
    }
};
} // namespace

TEST(KvDateTimePicker, VersionKindAndTheTimePart)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    EXPECT_EQ(p->Version(), QStringLiteral("1.2.0.0"));
    p->SetVersion(QStringLiteral("0"));
    EXPECT_EQ(p->Version(), QStringLiteral("1.2.0.0"));
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_TRUE(p->TimePicker()->Visible());
    EXPECT_EQ(p->TimePicker()->Kind(), dtkTime);
    EXPECT_LT(p->TimePicker()->Left() + p->TimePicker()->Width(), p->Width());
    EXPECT_NEAR(p->Time(), EncodeTime(10, 20, 30, 0), 1e-9);

    p->SetKind(dkDate);
    EXPECT_EQ(p->TimePicker(), nullptr);
    p->SetTime(EncodeTime(7, 8, 9, 0));
    p->SetKind(dkDateTime);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_NEAR(p->Time(), EncodeTime(7, 8, 9, 0), 1e-9);
}

TEST(KvDateTimePicker, DateKeepsTheTimeAndDateTimeDropsMilliseconds)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    p->SetDate(EncodeDate(2025, 12, 24) + 0.75);
    EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2025, 12, 24) + EncodeTime(10, 20, 30, 0));
    p->SetDateTime(EncodeDate(2025, 1, 2) + EncodeTime(3, 4, 5, 678));
    EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2025, 1, 2) + EncodeTime(3, 4, 5, 0));
    EXPECT_NEAR(p->Time(), EncodeTime(3, 4, 5, 0), 1e-9);
}

TEST(KvDateTimePicker, AutoTabMovesOnAfterAChangedField)
{
    struct Row {
        const char* format;
        int field;       // the field the digit is typed into
        char digit;
        int fieldAfter;  // -1: the focus went to the time part
    };
    const Row rows[] = {
        {"dd/MM/yyyy", 0, '1', 1}, {"dd/MM/yyyy", 1, '1', 2}, {"dd/MM/yyyy", 2, '9', -1},
        {"MM/dd/yyyy", 0, '1', 1}, {"MM/dd/yyyy", 1, '1', 2}, {"MM/dd/yyyy", 2, '9', -1},
        {"", 0, '1', 1}, {"", 2, '9', -1},
        {"dd/MM/yyyy", 0, '0', 0},   // a leading zero changes nothing: no move
    };
    for (const Row& r : rows) {
        TPickerForm f(QString::fromLatin1(r.format));
        TKvDateTimePicker* p = f.picker;
        p->SetAutoTab(true);
        for (int i = 0; i < r.field; ++i) p->Perform(WM_KEYDOWN, VK_RIGHT, 0);
        ASSERT_EQ(p->Fields().CurrentField(), r.field) << r.format;
        f.Type(p, r.digit);
        if (r.fieldAfter < 0) {
            EXPECT_TRUE(p->TimePicker()->Focused()) << r.format << " field " << r.field;
        } else {
            EXPECT_EQ(p->Fields().CurrentField(), r.fieldAfter) << r.format << " field " << r.field;
            EXPECT_TRUE(p->Focused());
        }
    }
}

TEST(KvDateTimePicker, AutoTabInTheTimeKind)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    p->SetKind(dkTime);
    p->SetTimeFormat(QStringLiteral("HH:mm:ss"));
    p->SetAutoTab(true);
    p->SetTime(EncodeTime(1, 20, 30, 0));
    f.Type(p, '1');   // the hour stays 01: nothing posted
    EXPECT_EQ(p->Fields().CurrentField(), 0);
    f.Type(p, '9');   // 19: changed
    EXPECT_EQ(p->Fields().CurrentField(), 1);
    f.Type(p, '5');
    EXPECT_EQ(p->Fields().CurrentField(), 2);
    EXPECT_NEAR(p->Time(), EncodeTime(19, 5, 30, 0), 1e-9);
    // Without AutoTab nothing moves.
    p->SetAutoTab(false);
    p->Perform(WM_KEYDOWN, VK_LEFT, 0);
    f.Type(p, '1');
    EXPECT_EQ(p->Fields().CurrentField(), 1);
}

TEST(KvDateTimePicker, LabelPlacement)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    p->LabelFont()->SetSize(30);
    p->SetLabelPosition(lpLeftCenter);
    p->SetLabelCaption(QStringLiteral("Start"));
    TLabel* l = p->PickerLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), &f.form);
    ASSERT_GT(l->Height(), p->Height());
    EXPECT_EQ(l->Top(), p->Top() + (p->Height() - l->Height()) / 2);
    EXPECT_LT(l->Top(), p->Top());
    EXPECT_EQ(l->Left() + l->Width() + 4, p->Left());
    p->SetLabelPosition(lpLeftTopLeft);
    p->SetLabelMargin(80);
    EXPECT_EQ(l->Left(), p->Left() - 80);
    EXPECT_EQ(l->Top(), p->Top());
    p->SetLabelPosition(lpBottomCenter);
    EXPECT_EQ(l->Top(), p->Top() + p->Height() + 80);
    EXPECT_EQ(l->Left(), p->Left() + (p->Width() - l->Width()) / 2);
    int clicks = 0;
    p->OnLabelClick = [&](TObject* s) { EXPECT_EQ(s, p); ++clicks; };
    l->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(KvDateTimePicker, FocusLabelIsBoldWhileFocused)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    auto* other = new TEdit(&f.form);
    other->SetParent(&f.form);
    p->SetFocusLabel(true);
    p->SetLabelCaption(QStringLiteral("When"));
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(p->PickerLabel()->Font()->Style().Contains(fsBold));
    p->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(p->PickerLabel()->Font()->Style().Contains(fsBold));
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(p->PickerLabel()->Font()->Style().Contains(fsBold));
}

TEST(KvDateTimePicker, CheckBoxEnablesAndDisablesTheTimePart)
{
    TPickerForm f;
    TKvDateTimePicker* p = f.picker;
    p->SetShowCheckbox(true);
    p->SetDateTime(EncodeDate(2024, 3, 5));
    int drops = 0;
    p->OnDropDown = [&](TObject*) { ++drops; };
    auto* box = p->findChild<QCheckBox*>();
    ASSERT_NE(box, nullptr);
    box->click();   // untick
    EXPECT_FALSE(p->Checked());
    EXPECT_FALSE(p->TimePicker()->Enabled());
    box->click();   // tick
    EXPECT_TRUE(p->TimePicker()->Enabled());
    p->SetChecked(false);
    EXPECT_FALSE(p->TimePicker()->Enabled());
    p->SetChecked(true);
    EXPECT_TRUE(p->TimePicker()->Enabled());
    p->DropDown();
    EXPECT_EQ(drops, 1);
    // A day change by the user records where it happened.
    p->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(p->ChangePoint(), TPoint(28, 5));
    EXPECT_TRUE(p->FocusTimer()->Enabled());
    p->FocusTimer()->Tick();
    EXPECT_FALSE(p->FocusTimer()->Enabled());
}
