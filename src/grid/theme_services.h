#pragma once
// Theme services of the grid suite: the binding through which themed parts are
// drawn, the system version tests, the Office colour theme detection, the theme
// notifier that watches the Office settings on a background thread and tells
// registered grid windows about changes, and the abstract cell checker.
//
// The answers come from the platform profile: visual styles active, a Windows 7
// class system (XP or later, Vista or later), common controls 6, colour scheme
// "NormalColor", and an empty per-user settings store. Tests replace the
// profile and the store to reach the other answers.

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/classes.h"
#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

// ---- Platform profile ----
struct TThemeProfile {
    bool WinXPOrLater = true;
    bool WindowsVistaOrLater = true;
    int ComCtlMajorVersion = 6;
    bool ThemeActive = true;
    QString ThemeFileName = QStringLiteral("Aero.msstyles");
    QString ColorSchemeName = QStringLiteral("NormalColor");
    QString SizeName = QStringLiteral("NormalSize");
};
// The profile in force (writable; see TThemeProfileScope for tests).
TThemeProfile& ThemeProfile();

class TThemeProfileScope {
public:
    explicit TThemeProfileScope(const TThemeProfile& Profile);
    ~TThemeProfileScope();
    TThemeProfileScope(const TThemeProfileScope&) = delete;
    TThemeProfileScope& operator=(const TThemeProfileScope&) = delete;

private:
    TThemeProfile FSaved;
};

// Read access to the current user's settings (keys such as
// "Software\Microsoft\Office\14.0\Common" and their integer values).
class TUserSettingsSource {
public:
    virtual ~TUserSettingsSource() = default;
    virtual bool KeyExists(const QString& Key) const = 0;
    virtual bool ReadInteger(const QString& Key, const QString& Name, int& Value) const = 0;
};
class TCustomIniFile;

// Settings read from a store whose sections are key paths; a key exists when
// it or a key below it is a section.
class TIniUserSettings : public TUserSettingsSource {
public:
    explicit TIniUserSettings(const TCustomIniFile* Store) : FStore(Store) {}
    bool KeyExists(const QString& Key) const override;
    bool ReadInteger(const QString& Key, const QString& Name, int& Value) const override;

private:
    const TCustomIniFile* FStore;
};

// The source in force: by default the platform's per-user store (empty on
// this platform). Passing nullptr restores it. The caller keeps ownership of a
// replacement.
TUserSettingsSource* UserSettingsSource();
void SetUserSettingsSource(TUserSettingsSource* Source);

// ---- Visual-styles binding ----
// Themed parts are drawn with the application's style, so the binding is
// loaded whenever the profile has visual styles.
struct TThemeData;
using HTHEME = TThemeData*;

void InitThemeLibrary();
void FreeThemeLibrary();
bool IsThemeLibraryLoaded();
// Opens the theme of a class ("button", "combobox", "spin", "header",
// "progress") for a window; nullptr when the binding is not loaded.
HTHEME OpenThemeData(HWND Window, const QString& ClassList);
void CloseThemeData(HTHEME Theme);
// Draws part/state of the theme's class into R (the classic part and state
// numbers), limited to ClipRect when one is given.
bool DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R,
                         const TRect* ClipRect = nullptr);
bool IsThemeActive();
bool GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName);

// ---- Version tests ----
bool IsWinXPOrLater();
bool IsWindowsVistaOrLater();
bool IsComCtl6OrLater();
// "Segoe UI" on Vista or later, else "Tahoma" (the font table maps it to an installed family).
QString DefaultGridFontName();

// ---- Office theme ----
enum TOfficeTheme : int {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
    ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

// 2 for Office 2010 settings, 1 for Office 2007 settings, else 0.
int DetectOfficeVersion();
// The integer value "Theme" of the key; -1 when the key or the value is missing.
int ReadOfficeThemeValue(const QString& Key);
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic", 0 otherwise or without visual styles.
int CurrentXPTheme();
TOfficeTheme GetOfficeTheme();

// The message a theme change sends: WParam the root key, LParam a pointer to
// the key path (QString).
constexpr UINT WM_OFFICETHEMECHANGED = 2993;
constexpr WPARAM HKEY_CURRENT_USER_ROOT = 0x80000001u;

// ---- Window list ----
class THandleList {
public:
    int Count() const { return int(FItems.size()); }
    HWND Items(int Index) const;            // raises EListError
    void SetItems(int Index, HWND Value);   // raises EListError
    int Add(HWND Value);
    void Insert(int Index, HWND Value);     // raises EListError
    void Delete(int Index);                 // raises EListError
    void DeleteValue(HWND Value);
    bool HasValue(HWND Value) const;

private:
    std::vector<HWND> FItems;
};

// ---- Settings monitor ----
// Watches a key of the per-user settings and sends the theme-change message to
// its window and to every registered window when the key changes. Created
// suspended; Resume starts it and Stop ends it. The window list is guarded, so
// windows may be registered from the UI thread while the thread runs.
class TRegMonitorThread {
public:
    // Sends one message and waits until it is handled. The default runs
    // SendMessage on the UI thread.
    using TSender = std::function<void(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)>;

    TRegMonitorThread();
    ~TRegMonitorThread();
    TRegMonitorThread(const TRegMonitorThread&) = delete;
    TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

    QString Key() const { return FKey; }
    void SetKey(const QString& Value) { FKey = Value; }
    WPARAM RootKey() const { return FRootKey; }
    void SetRootKey(WPARAM Value) { FRootKey = Value; }
    bool WatchSub() const { return FWatchSub; }
    void SetWatchSub(bool Value) { FWatchSub = Value; }
    unsigned Filter() const { return FFilter; }
    void SetFilter(unsigned Value) { FFilter = Value; }
    HWND Wnd() const { return FWnd; }
    void SetWnd(HWND Value) { FWnd = Value; }
    void SetSender(TSender Sender) { FSender = std::move(Sender); }

    void AddWindow(HWND Wnd);       // once per window
    void RemoveWindow(HWND Wnd);
    bool HasWindow(HWND Wnd) const;
    int WindowCount() const;

    void Resume();
    void Stop();
    bool Started() const { return FThread.joinable(); }
    bool Finished() const { return FFinished.load(); }
    // The text that ended the thread when its key could not be opened.
    QString ErrorMessage() const;

    // The store reports a change of the watched key (or a key below it).
    void SignalChange();

private:
    unsigned GetFilter() const { return FFilter == 0 ? 15u : FFilter; }
    void Execute();
    void NotifyAll();

    QString FKey;
    WPARAM FRootKey = HKEY_CURRENT_USER_ROOT;
    bool FWatchSub = false;
    unsigned FFilter = 0;
    HWND FWnd = nullptr;
    TSender FSender;

    mutable std::mutex FListLock;
    THandleList FWinList;

    std::mutex FEventLock;
    std::condition_variable FEvent;
    bool FSignalled = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    QString FError;
    std::thread FThread;
};

// ---- Notifier ----
class TThemeNotifierWindow : public TWinControl {
public:
    explicit TThemeNotifierWindow(TComponent* AOwner);
    std::function<void(TObject* Sender)> OnOfficeThemeChange;

protected:
    void WndProc(TMessage& Message) override;
};

class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;

    void RegisterWindow(HWND Handle);
    void UnRegisterWindow(HWND Handle);
    TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread.get(); }
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

    std::function<void(TObject* Sender)> OnOfficeThemeChange;
    void OfficeThemeChanged(TObject* Sender);

private:
    std::unique_ptr<TRegMonitorThread> FRegMonitorThread;
    TThemeNotifierWindow* FNotifier = nullptr;
};

// The application's notifier, created on the first call (owned by the main
// form when it exists, else by Grid).
TThemeNotifier* GetThemeNotifier(TComponent* Grid);
// The application's notifier when there is one; never creates it.
TThemeNotifier* ExistingThemeNotifier();

// ---- Cell checker ----
class TKvStringGridCheck : public TComponent {
public:
    explicit TKvStringGridCheck(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    virtual QString MarkError(int ACol, int ARow, const QString& Value);
    virtual QString Correct(int ACol, int ARow, const QString& Value);
    virtual void StartCheck();
    virtual void StopCheck();

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};
