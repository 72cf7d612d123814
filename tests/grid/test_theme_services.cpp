// Theme services: the platform profile's answers, Office theme detection from
// the per-user settings, the monitor thread's window list and notifications,
// and the base cell checker.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <map>
#include <thread>

#include "grid/theme_services.h"
#include "platform/core/inifiles.h"

namespace {

// Per-user settings for the tests: an in-memory store whose sections are key paths.
class TFakeSettings : public TIniUserSettings {
public:
    TFakeSettings() : TIniUserSettings(&Store) {}
    void AddKey(const QString& Key) { Store.WriteString(Key, QStringLiteral("Present"), QStringLiteral("1")); }
    void SetTheme(const QString& Key, int Value) { Store.WriteInteger(Key, QStringLiteral("Theme"), Value); }
    TMemIniFile Store;
};

class TSettingsScope {
public:
    explicit TSettingsScope(TUserSettingsSource* s) { SetUserSettingsSource(s); }
    ~TSettingsScope() { SetUserSettingsSource(nullptr); }
};

const QString K14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString K12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 2000 && !done(); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

} // namespace

TEST(ThemeServices, PlatformProfile)
{
    EXPECT_TRUE(IsWinXPOrLater());
    EXPECT_TRUE(IsWindowsVistaOrLater());
    EXPECT_TRUE(IsComCtl6OrLater());
    EXPECT_TRUE(IsThemeActive());
    EXPECT_EQ(DefaultGridFontName(), QStringLiteral("Segoe UI"));
    EXPECT_EQ(CurrentXPTheme(), 1);
    EXPECT_EQ(DetectOfficeVersion(), 0);           // an empty per-user store
    EXPECT_EQ(GetOfficeTheme(), ot2003Blue);       // "NormalColor"

    TThemeProfile old;
    old.WindowsVistaOrLater = false;
    TThemeProfileScope scope(old);
    EXPECT_EQ(DefaultGridFontName(), QStringLiteral("Tahoma"));
}

TEST(ThemeServices, OfficeThemeDetection)
{
    struct Case {
        const char* name;
        std::vector<QString> keys;
        std::vector<std::pair<QString, int>> themes;
        QString scheme;
        bool visualStyles;
        TOfficeTheme theme;
    };
    const std::vector<Case> cases = {
        {"2010 black", {}, {{K14, 3}}, QStringLiteral("NormalColor"), true, ot2010Black},
        {"2010 other value", {}, {{K14, 9}}, QStringLiteral("NormalColor"), true, ot2003Blue},
        {"2010 without value, 2007 silver", {K14}, {{K12, 2}}, QStringLiteral("NormalColor"), true, ot2007Silver},
        {"2007 blue", {}, {{K12, 1}}, QString(), true, ot2007Blue},
        {"key only below", {K12 + QStringLiteral("\\General")}, {}, QStringLiteral("NormalColor"), true, ot2003Blue},
        {"olive XP scheme", {}, {}, QStringLiteral("HomeStead"), true, ot2003Olive},
        {"silver XP scheme", {}, {}, QStringLiteral("Metallic"), true, ot2003Silver},
        {"no visual styles", {}, {}, QStringLiteral("NormalColor"), false, ot2003Classic},
    };
    for (const Case& c : cases) {
        TFakeSettings settings;
        for (const QString& k : c.keys)
            settings.AddKey(k);
        for (const auto& [key, value] : c.themes)
            settings.SetTheme(key, value);
        TSettingsScope source(&settings);
        TThemeProfile p;
        p.ColorSchemeName = c.scheme;
        p.ThemeActive = c.visualStyles;
        TThemeProfileScope profile(p);
        EXPECT_EQ(GetOfficeTheme(), c.theme) << c.name;
    }
}

TEST(ThemeServices, OfficeVersionAndNotifier)
{
    TFakeSettings settings;
    TSettingsScope source(&settings);
    settings.AddKey(QStringLiteral("Software\\Microsoft\\Office\\11.0\\Common\\General"));
    EXPECT_EQ(DetectOfficeVersion(), 0);
    {
        TComponent owner;
        TThemeNotifier* notifier = GetThemeNotifier(&owner);
        EXPECT_EQ(GetThemeNotifier(&owner), notifier);
        EXPECT_EQ(notifier->RegMonitorThread(), nullptr); // no thread without Office 2007/2010
        notifier->RegisterWindow(nullptr);                // does nothing
    }
    settings.AddKey(QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common\\General"));
    EXPECT_EQ(DetectOfficeVersion(), 1);
    settings.AddKey(QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General"));
    EXPECT_EQ(DetectOfficeVersion(), 2);

    // With Office 2010 settings the notifier watches their key and relays changes.
    TWinControl grid;
    TThemeNotifier* notifier = GetThemeNotifier(&grid);
    ASSERT_NE(notifier->RegMonitorThread(), nullptr);
    EXPECT_EQ(notifier->RegMonitorThread()->Key(), K14);
    int changes = 0;
    notifier->OnOfficeThemeChange = [&](TObject*) { ++changes; };
    notifier->RegMonitorThread()->SignalChange();
    EXPECT_TRUE(WaitFor([&] { return changes == 1; }));
    delete notifier;
    EXPECT_NE(GetThemeNotifier(&grid), nullptr); // a new one after the old is gone
    delete GetThemeNotifier(&grid);
}

TEST(ThemeServices, MonitorThreadWindowList)
{
    TFakeSettings settings;
    settings.AddKey(K12);
    TSettingsScope source(&settings);

    std::mutex lock;
    std::vector<HWND> sent;
    auto* a = reinterpret_cast<HWND>(0x10);
    auto* b = reinterpret_cast<HWND>(0x20);
    auto* own = reinterpret_cast<HWND>(0x30);
    TRegMonitorThread t;
    t.SetKey(K12);
    t.SetWnd(own);
    t.SetSender([&](HWND w, UINT msg, WPARAM root, LPARAM key) {
        EXPECT_EQ(msg, WM_OFFICETHEMECHANGED);
        EXPECT_EQ(root, HKEY_CURRENT_USER_ROOT);
        EXPECT_EQ(*reinterpret_cast<const QString*>(key), K12);
        std::lock_guard<std::mutex> g(lock);
        sent.push_back(w);
    });
    t.AddWindow(a);
    t.AddWindow(a);
    t.AddWindow(b);
    EXPECT_EQ(t.WindowCount(), 2);
    t.RemoveWindow(reinterpret_cast<HWND>(0x99)); // not there: no change
    EXPECT_EQ(t.WindowCount(), 2);
    EXPECT_FALSE(t.Started());
    t.Resume();
    t.SignalChange();
    EXPECT_TRUE(WaitFor([&] { std::lock_guard<std::mutex> g(lock); return sent.size() == 3; }));
    {
        std::lock_guard<std::mutex> g(lock);
        EXPECT_EQ(sent, (std::vector<HWND>{own, a, b}));
        sent.clear();
    }
    // Windows come and go while the thread runs.
    for (int i = 0; i < 200; ++i) {
        t.AddWindow(reinterpret_cast<HWND>(uintptr_t(0x1000 + i)));
        if (i % 50 == 0)
            t.SignalChange();
        t.RemoveWindow(reinterpret_cast<HWND>(uintptr_t(0x1000 + i)));
    }
    t.RemoveWindow(a);
    t.Stop();
    EXPECT_TRUE(t.Finished());
    EXPECT_EQ(t.WindowCount(), 1);
    EXPECT_TRUE(t.ErrorMessage().isEmpty());

    TRegMonitorThread missing;
    missing.SetKey(QStringLiteral("Software\\Nothing"));
    missing.Resume();
    EXPECT_TRUE(WaitFor([&] { return missing.Finished(); }));
    EXPECT_EQ(missing.ErrorMessage(), QStringLiteral("Unable to open registry key Software\\Nothing"));
}

TEST(ThemeServices, HandleList)
{
    THandleList l;
    auto* a = reinterpret_cast<HWND>(0x1);
    auto* b = reinterpret_cast<HWND>(0x2);
    l.Add(a);
    l.Insert(0, b);
    EXPECT_EQ(l.Items(0), b);
    EXPECT_TRUE(l.HasValue(a));
    l.DeleteValue(a);
    l.DeleteValue(a);
    EXPECT_EQ(l.Count(), 1);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 0);
    EXPECT_ANY_THROW(l.Delete(0));
}

TEST(ThemeServices, ThemedDrawingAndChecker)
{
    ASSERT_TRUE(IsThemeLibraryLoaded());
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        HTHEME theme = OpenThemeData(nullptr, QStringLiteral("BUTTON"));
        ASSERT_NE(theme, nullptr);
        EXPECT_TRUE(DrawThemeBackground(theme, &canvas, 1, 1, TRect(0, 0, 40, 24)));
        EXPECT_FALSE(DrawThemeBackground(theme, &canvas, 77, 1, TRect(0, 0, 40, 24)));
        CloseThemeData(theme);
        canvas.ReleasePainter();
    }
    bool painted = false;
    for (int x = 0; x < 40 && !painted; ++x)
        painted = image.pixelColor(x, 12) != QColor(Qt::white);
    EXPECT_TRUE(painted);

    // A clip rectangle limits the part; the canvas keeps no clip afterwards.
    QImage clipped(40, 24, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    {
        TCanvas canvas(&clipped);
        HTHEME theme = OpenThemeData(nullptr, QStringLiteral("button"));
        const TRect clip(10, 0, 20, 24);
        EXPECT_TRUE(DrawThemeBackground(theme, &canvas, 1, 1, TRect(0, 0, 40, 24), &clip));
        CloseThemeData(theme);
        EXPECT_FALSE(canvas.HasClip());
        canvas.ReleasePainter();
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            if (clipped.pixelColor(x, y) != QColor(Qt::white))
                ++((x >= 10 && x < 20) ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    QString file, color, size;
    ASSERT_TRUE(GetCurrentThemeName(file, color, size));
    EXPECT_EQ(color, QStringLiteral("NormalColor"));

    TKvStringGridCheck check;
    EXPECT_FALSE(check.AutoCorrect || check.AutoMarkError || check.GotoCell || check.UseCorrect || check.UseMarkError);
    EXPECT_EQ(check.Correct(1, 2, QStringLiteral("teh")), QStringLiteral("teh"));
    EXPECT_EQ(check.MarkError(1, 2, QStringLiteral("teh")), QStringLiteral("teh"));
    check.StartCheck();
    check.StopCheck();
}
