// Forms driven by real Qt input: edit, combo, check box and buttons, the modal
// seam, dialog keys, posted messages and exceptions escaping event handlers.
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

// A small settings window as the program builds them: controls placed by
// SetBounds, OK as the default button and Cancel as the cancel button.
class TFSample : public TForm {
public:
    explicit TFSample(TComponent* owner = nullptr) : TForm(owner)
    {
        SetCaption(QStringLiteral("Sample"));
        SetBounds(0, 0, 300, 200);
        Name = new TEdit(this);
        Name->SetParent(this);
        Name->SetBounds(10, 10, 150, 21);
        Kind = new TComboBox(this);
        Kind->SetParent(this);
        Kind->SetBounds(10, 40, 150, 21);
        Kind->SetStyle(csDropDownList);
        Kind->Items()->Add(QStringLiteral("Alpha"));
        Kind->Items()->Add(QStringLiteral("Beta"));
        Kind->Items()->Add(QStringLiteral("Gamma"));
        Kind->SetItemIndex(0);
        Active = new TCheckBox(this);
        Active->SetParent(this);
        Active->SetBounds(10, 70, 150, 17);
        Active->SetCaption(QStringLiteral("Active"));
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(130, 160, 75, 25);
        Ok->SetCaption(QStringLiteral("OK"));
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = new TButton(this);
        Cancel->SetParent(this);
        Cancel->SetBounds(215, 160, 75, 25);
        Cancel->SetCaption(QStringLiteral("Cancel"));
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Name->OnChange = [this](TObject*) { ++Changes; };
        Kind->OnChange = [this](TObject*) { ++KindChanges; };
        Active->OnClick = [this](TObject*) { ++Clicks; };
    }
    TEdit* Name;
    TComboBox* Kind;
    TCheckBox* Active;
    TButton* Ok;
    TButton* Cancel;
    int Changes = 0, KindChanges = 0, Clicks = 0;
};

void Activate(TForm* f)
{
    f->Show();
    QApplication::setActiveWindow(f);
    QApplication::processEvents();
}

} // namespace

TEST(Forms, DrivenByClicksAndKeysEndsShowModalThroughTheSeam)
{
    TFSample f;
    bool shown = false;
    f.OnShow = [&](TObject*) { shown = true; };
    TModalScope modal([&](TCustomForm*) {
        QApplication::setActiveWindow(&f);
        f.Name->SetFocus();
        QTest::keyClicks(f.Name->LineEdit(), QStringLiteral("abc"));
        // Down arrow in the closed list selects the next item, as a user would.
        f.Kind->SetFocus();
        QTest::keyClick(f.Kind->Combo(), Qt::Key_Down);
        QTest::mouseClick(f.Active->Box(), Qt::LeftButton);
        QTest::mouseClick(f.Ok->PushButton(), Qt::LeftButton);
        return int(mrNone);
    });
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_TRUE(shown);
    EXPECT_EQ(f.Name->Text(), QStringLiteral("abc"));
    EXPECT_EQ(f.Changes, 3);
    EXPECT_EQ(f.Kind->ItemIndex(), 1);
    EXPECT_EQ(f.Kind->Text(), QStringLiteral("Beta"));
    EXPECT_EQ(f.KindChanges, 1);
    EXPECT_TRUE(f.Active->Checked());
    EXPECT_EQ(f.Clicks, 1);
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(modal.Shown.size(), 1u);
    EXPECT_EQ(modal.Shown[0], QStringLiteral("Sample"));
}

TEST(Forms, ReturnAndEscapeReachTheDefaultAndCancelButtons)
{
    struct Case { int key; TModalResult expected; };
    for (const Case c : {Case{Qt::Key_Return, mrOk}, Case{Qt::Key_Escape, mrCancel}}) {
        TFSample f;
        TModalScope modal([&](TCustomForm*) {
            QApplication::setActiveWindow(&f);
            f.Name->SetFocus();
            QTest::keyClick(f.Name->LineEdit(), Qt::Key(c.key));
            return int(mrNone);
        });
        EXPECT_EQ(f.ShowModal(), c.expected) << c.key;
    }
}

TEST(Forms, ScriptedResultAndCloseQueryRefusal)
{
    TFSample f;
    {
        TModalScope modal([](TCustomForm*) { return int(mrYes); });
        EXPECT_EQ(f.ShowModal(), mrYes);
    }
    f.OnCloseQuery = [](TObject*, bool& can) { can = false; };
    TModalScope modal([](TCustomForm*) { return int(mrOk); });
    EXPECT_EQ(f.ShowModal(), mrNone);
}

TEST(Forms, ProgrammaticChangesFireTheClassicEvents)
{
    TFSample f;
    f.Name->SetText(QStringLiteral("x"));
    EXPECT_EQ(f.Changes, 1);
    f.Name->SetTextNoChange(QStringLiteral("y"));
    EXPECT_EQ(f.Changes, 1);
    EXPECT_EQ(f.Name->Text(), QStringLiteral("y"));
    // Check box: OnClick also for a change made by the program, not for a repeat.
    f.Active->SetChecked(true);
    f.Active->SetChecked(true);
    EXPECT_EQ(f.Clicks, 1);
    f.Active->SetCheckedNoClick(false);
    EXPECT_EQ(f.Clicks, 1);
    // Combo: setting ItemIndex does not fire OnChange.
    f.Kind->SetItemIndex(2);
    EXPECT_EQ(f.KindChanges, 0);
    EXPECT_EQ(f.Kind->Text(), QStringLiteral("Gamma"));
}

TEST(Forms, TabMovesFocusInTabOrder)
{
    TFSample f;
    Activate(&f);
    f.Name->SetFocus();
    ASSERT_TRUE(f.Name->Focused());
    QTest::keyClick(f.Name->LineEdit(), Qt::Key_Tab);
    EXPECT_TRUE(f.Kind->Focused());
    QTest::keyClick(f.Kind->Combo(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(f.Name->Focused());
    f.Hide();
}

TEST(Forms, RealModalLoopAndApplicationRun)
{
    // No seam: the real loop runs until ModalResult is set.
    TFSample f;
    QTimer::singleShot(0, [&] { QTest::mouseClick(f.Cancel->PushButton(), Qt::LeftButton); });
    EXPECT_EQ(f.ShowModal(), mrCancel);
    EXPECT_FALSE(f.IsModal());
    // OnCloseQuery refusing keeps the loop running until it agrees.
    int asked = 0;
    f.OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
    QTimer::singleShot(0, [&] { f.SetModalResult(mrOk); QTimer::singleShot(0, [&] { f.SetModalResult(mrYes); }); });
    EXPECT_EQ(f.ShowModal(), mrYes);
    EXPECT_EQ(asked, 2);

    TFSample* main = nullptr;
    Application->CreateForm(main);
    bool created = false;
    ASSERT_EQ(Application->MainForm(), main);
    main->OnShow = [&](TObject*) { created = true; };
    QTimer::singleShot(0, [] { Application->Terminate(); });
    Application->Run();
    EXPECT_TRUE(created);
    EXPECT_TRUE(Application->Terminated());
    Application->DestroyForms();
    Application->ClearTerminated();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, CloseWithCaFreeFreesTheFormAfterTheHandlerReturns)
{
    TForm* keep = new TForm(nullptr);  // the main form: closing it ends the run instead
    const bool hadMain = Application->MainForm() != nullptr;
    if (!hadMain) Application->AddForm(keep);
    auto* f = new TForm(nullptr);
    Application->AddForm(f);
    QPointer<TForm> alive(f);
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    f->Show();
    f->Close();
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(destroyed);  // still there while the closing code runs
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(alive.isNull());
    for (int i = 0; i < Application->FormCount(); ++i) EXPECT_NE(Application->Forms(i), f);
    if (!hadMain) Application->RemoveForm(keep);
    delete keep;
}
