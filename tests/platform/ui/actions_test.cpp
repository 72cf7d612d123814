// Actions and their links: a linked control takes the action's values, follows
// each change while it still shows the action's old value, and runs the action.
#include "platform/ui/actions.h"
#include "platform/ui/extctrls.h"

#include <gtest/gtest.h>

namespace {

// A panel that can take an action and be clicked.
class TActionPanel : public TPanel, public TControlActionClient {
public:
    TActionPanel() : TControlActionClient(this) {}
    void Click() override
    {
        TPanel::Click();
        ExecuteAction();
    }
    std::vector<bool> ChangeChecks; // CheckDefaults of every change step

protected:
    void ActionChange(TObject* Sender, bool CheckDefaults) override
    {
        ChangeChecks.push_back(CheckDefaults);
        TControlActionClient::ActionChange(Sender, CheckDefaults);
    }
};

} // namespace

TEST(Actions, LinkingCopiesEveryValueAndUnlinkingKeepsThem)
{
    TAction a;
    a.SetCaption(QStringLiteral("Save"));
    a.SetHint(QStringLiteral("Save the rules"));
    a.SetEnabled(false);
    TActionPanel p;
    p.SetCaption(QStringLiteral("old"));
    p.SetAction(&a);
    EXPECT_EQ(p.Action(), &a);
    EXPECT_EQ(a.ClientCount(), 1);
    EXPECT_EQ(p.Caption(), QStringLiteral("Save"));
    EXPECT_EQ(p.Hint(), QStringLiteral("Save the rules"));
    EXPECT_FALSE(p.Enabled());
    EXPECT_TRUE(p.ControlStyle() & csActionClient);
    EXPECT_EQ(p.ChangeChecks, std::vector<bool>{false});

    p.SetAction(nullptr);
    EXPECT_EQ(a.ClientCount(), 0);
    EXPECT_FALSE(p.ControlStyle() & csActionClient);
    a.SetCaption(QStringLiteral("Other"));
    EXPECT_EQ(p.Caption(), QStringLiteral("Save"));
}

// Each property on its own: the control follows while it shows the action's
// value; a text the program gave the control itself stays.
TEST(Actions, AChangeReachesTheControlOnlyWhereItStillShowsTheActionsValue)
{
    struct TCase {
        const char* name;
        std::function<void(TAction&)> change;
        std::function<bool(TActionPanel&)> followed;
        std::function<void(TActionPanel&)> ownValue; // null: a flag, nothing to keep
    };
    const TCase cases[] = {
        {"caption", [](TAction& a) { a.SetCaption(QStringLiteral("New")); },
         [](TActionPanel& p) { return p.Caption() == QLatin1String("New"); },
         [](TActionPanel& p) { p.SetCaption(QStringLiteral("mine")); }},
        {"hint", [](TAction& a) { a.SetHint(QStringLiteral("New")); },
         [](TActionPanel& p) { return p.Hint() == QLatin1String("New"); },
         [](TActionPanel& p) { p.SetHint(QStringLiteral("mine")); }},
        {"enabled", [](TAction& a) { a.SetEnabled(false); }, [](TActionPanel& p) { return !p.Enabled(); }, nullptr},
        {"visible", [](TAction& a) { a.SetVisible(false); }, [](TActionPanel& p) { return !p.Visible(); }, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TAction a;
        a.SetCaption(QStringLiteral("Run"));
        a.SetHint(QStringLiteral("Runs"));
        TActionPanel p;
        p.SetAction(&a);
        c.change(a);
        EXPECT_TRUE(c.followed(p));
        EXPECT_EQ(p.ChangeChecks.back(), true);
        if (!c.ownValue) continue;
        TAction b;
        b.SetCaption(QStringLiteral("Run"));
        b.SetHint(QStringLiteral("Runs"));
        TActionPanel own;
        own.SetAction(&b);
        c.ownValue(own);
        c.change(b);
        EXPECT_FALSE(c.followed(own));
    }
}

TEST(Actions, AClickRunsTheActionOnlyWhileItIsEnabled)
{
    TAction a;
    int runs = 0;
    a.OnExecute = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &a);
        ++runs;
    };
    TActionPanel p;
    int clicks = 0;
    p.OnClick = [&](TObject*) { ++clicks; };
    p.Click();
    EXPECT_EQ(runs, 0);
    p.SetAction(&a);
    p.Click();
    EXPECT_EQ(clicks, 1 + 1);
    EXPECT_EQ(runs, 1);
    a.SetEnabled(false);
    EXPECT_FALSE(a.Execute());
    p.Click();
    EXPECT_EQ(runs, 1);
    TBasicAction plain;
    EXPECT_FALSE(plain.Execute()); // no OnExecute
}

TEST(Actions, AnActionGoneLeavesItsControlsWithoutAction)
{
    TActionPanel p;
    TActionList list;
    {
        TAction a;
        a.SetActionList(&list);
        EXPECT_EQ(list.ActionCount(), 1);
        p.SetAction(&a);
    }
    EXPECT_EQ(p.Action(), nullptr);
    EXPECT_EQ(list.ActionCount(), 0);
    p.Click(); // nothing to run, nothing touched
    auto* a = new TAction;
    {
        TActionList shortLived;
        a->SetActionList(&shortLived);
    }
    EXPECT_EQ(a->ActionList(), nullptr);
    delete a;
}

TEST(Actions, AnActionListsImagesReachItsControlsAsAChange)
{
    TActionList list;
    TAction a;
    a.SetActionList(&list);
    TActionPanel p;
    p.SetAction(&a);
    const size_t before = p.ChangeChecks.size();
    TImageList images(16, 16);
    list.SetImages(&images);
    EXPECT_EQ(list.Images(), &images);
    EXPECT_EQ(p.ChangeChecks.size(), before + 1);
    a.SetImageIndex(0);
    EXPECT_EQ(a.ImageIndex(), 0);
    EXPECT_EQ(p.ChangeChecks.size(), before + 2);
    a.SetImageIndex(0); // unchanged: no change step
    EXPECT_EQ(p.ChangeChecks.size(), before + 2);
}
