#include "grid/theme_services.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <chrono>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"

// ---- Platform profile ----

TThemeProfile& ThemeProfile()
{
    static TThemeProfile profile;
    return profile;
}

TThemeProfileScope::TThemeProfileScope(const TThemeProfile& Profile)
    : FSaved(ThemeProfile())
{
    ThemeProfile() = Profile;
}

TThemeProfileScope::~TThemeProfileScope()
{
    ThemeProfile() = FSaved;
}

bool TIniUserSettings::KeyExists(const QString& Key) const
{
    if (!FStore || Key.isEmpty())
        return false;
    const QString below = Key + QLatin1Char('\\');
    for (const QString& section : FStore->SectionNames()) {
        if (section.compare(Key, Qt::CaseInsensitive) == 0 || section.startsWith(below, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool TIniUserSettings::ReadInteger(const QString& Key, const QString& Name, int& Value) const
{
    if (!FStore || !FStore->ValueExists(Key, Name))
        return false;
    return TryStrToInt(FStore->ReadString(Key, Name, QString()), Value);
}

namespace {

TUserSettingsSource* GSource = nullptr;

const QString KOffice14Common = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString KOffice12Common = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

} // namespace

TUserSettingsSource* UserSettingsSource()
{
    if (GSource)
        return GSource;
    static TRegistryStore store;
    static TIniUserSettings perUser(&store);
    return &perUser;
}

void SetUserSettingsSource(TUserSettingsSource* Source)
{
    GSource = Source;
}

// ---- Visual-styles binding ----

struct TThemeData {
    HWND Window = nullptr;
    QString ClassName;
};

namespace {

bool GThemeLoaded = false;

// Initialised with the program, as the unit initialisation of the classic binding was.
struct TThemeLibraryInit {
    TThemeLibraryInit() { InitThemeLibrary(); }
    ~TThemeLibraryInit() { FreeThemeLibrary(); }
} GThemeLibraryInit;

} // namespace

void InitThemeLibrary()
{
    if (GThemeLoaded)
        return;
    GThemeLoaded = true;
}

void FreeThemeLibrary()
{
    GThemeLoaded = false;
}

bool IsThemeLibraryLoaded()
{
    return GThemeLoaded;
}

HTHEME OpenThemeData(HWND Window, const QString& ClassList)
{
    if (!GThemeLoaded)
        return nullptr;
    auto* t = new TThemeData;
    t->Window = Window;
    t->ClassName = ClassList.toLower();
    return t;
}

void CloseThemeData(HTHEME Theme)
{
    delete Theme;
}

namespace {

bool DrawThemePart(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R);

} // namespace

bool DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R,
                         const TRect* ClipRect)
{
    if (!Theme || !Canvas)
        return false;
    if (!ClipRect)
        return DrawThemePart(Theme, Canvas, PartId, StateId, R);
    const int saved = Canvas->SaveState();
    Canvas->IntersectClipRect(*ClipRect);
    const bool drawn = DrawThemePart(Theme, Canvas, PartId, StateId, R);
    Canvas->RestoreState(saved);
    return drawn;
}

namespace {

bool DrawThemePart(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R)
{
    const QString& cls = Theme->ClassName;
    // Normal, hot, pressed, disabled by the classic state numbers 1..4.
    auto baseState = [](int s) -> unsigned {
        switch ((s - 1) % 4) {
        case 1:
            return tsHot;
        case 2:
            return tsPressed;
        case 3:
            return tsDisabled;
        default:
            return tsNormal;
        }
    };
    if (cls == QLatin1String("button")) {
        if (PartId == 1) {
            unsigned st = StateId == 5 ? unsigned(tsDefault) : baseState(StateId);
            DrawThemedPart(Canvas, R, tpPushButton, st);
            return true;
        }
        if (PartId == 2 || PartId == 3) {
            unsigned st = baseState(StateId);
            if (StateId >= 5 && StateId <= 8)
                st |= tsChecked;
            else if (StateId >= 9)
                st |= tsMixed;
            DrawThemedPart(Canvas, R, PartId == 2 ? tpRadioButton : tpCheckBox, st);
            return true;
        }
        return false;
    }
    if (cls == QLatin1String("combobox") && PartId == 1) {
        DrawThemedPart(Canvas, R, tpComboArrow, baseState(StateId));
        return true;
    }
    if (cls == QLatin1String("spin") && (PartId == 1 || PartId == 2)) {
        DrawThemedPart(Canvas, R, PartId == 1 ? tpSpinUp : tpSpinDown, baseState(StateId));
        return true;
    }
    // The right-end header item (part 3) looks like any other item here.
    if (cls == QLatin1String("header") && (PartId == 1 || PartId == 3)) {
        DrawThemedPart(Canvas, R, tpHeaderItem, baseState(StateId));
        return true;
    }
    if (cls == QLatin1String("progress")) {
        DrawThemedPart(Canvas, R, PartId == 3 ? tpProgressChunk : tpProgressBar, tsNormal, 100);
        return true;
    }
    return false;
}

} // namespace

bool IsThemeActive()
{
    return GThemeLoaded && ThemeProfile().ThemeActive;
}

bool GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName)
{
    if (!IsThemeActive())
        return false;
    FileName = ThemeProfile().ThemeFileName.left(255);
    ColorName = ThemeProfile().ColorSchemeName.left(255);
    SizeName = ThemeProfile().SizeName.left(255);
    return true;
}

// ---- Version tests ----

bool IsWinXPOrLater() { return ThemeProfile().WinXPOrLater; }
bool IsWindowsVistaOrLater() { return ThemeProfile().WindowsVistaOrLater; }
bool IsComCtl6OrLater() { return ThemeProfile().ComCtlMajorVersion > 5; }

QString DefaultGridFontName()
{
    return IsWindowsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

// ---- Office theme ----

int DetectOfficeVersion()
{
    const TUserSettingsSource* src = UserSettingsSource();
    if (src->KeyExists(QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General")))
        return 2;
    if (src->KeyExists(QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common\\General")))
        return 1;
    return 0;
}

int ReadOfficeThemeValue(const QString& Key)
{
    const TUserSettingsSource* src = UserSettingsSource();
    if (!src->KeyExists(Key))
        return -1;
    int value = 0;
    if (!src->ReadInteger(Key, QStringLiteral("Theme"), value))
        return -1;
    return value;
}

int CurrentXPTheme()
{
    if (!IsWinXPOrLater())
        return 0;
    if (!IsThemeActive() || !IsComCtl6OrLater())
        return 0;
    QString file, color, size;
    if (!GetCurrentThemeName(file, color, size))
        return 0;
    if (color.contains(QLatin1String("NormalColor")))
        return 1;
    if (color.contains(QLatin1String("HomeStead")))
        return 2;
    if (color.contains(QLatin1String("Metallic")))
        return 3;
    return 0;
}

TOfficeTheme GetOfficeTheme()
{
    switch (ReadOfficeThemeValue(KOffice14Common)) {
    case -1:
        break;
    case 1:
        return ot2010Blue;
    case 2:
        return ot2010Silver;
    case 3:
        return ot2010Black;
    default:
        return ot2003Blue;
    }
    switch (ReadOfficeThemeValue(KOffice12Common)) {
    case -1:
        break;
    case 1:
        return ot2007Blue;
    case 2:
        return ot2007Silver;
    case 3:
        return ot2007Black;
    default:
        return ot2003Blue;
    }
    switch (CurrentXPTheme()) {
    case 1:
        return ot2003Blue;
    case 2:
        return ot2003Olive;
    case 3:
        return ot2003Silver;
    default:
        return ot2003Classic;
    }
}

// ---- THandleList ----

HWND THandleList::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    return FItems[size_t(Index)];
}

void THandleList::SetItems(int Index, HWND Value)
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    FItems[size_t(Index)] = Value;
}

int THandleList::Add(HWND Value)
{
    FItems.push_back(Value);
    return Count() - 1;
}

void THandleList::Insert(int Index, HWND Value)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    FItems.insert(FItems.begin() + Index, Value);
}

void THandleList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    FItems.erase(FItems.begin() + Index);
}

void THandleList::DeleteValue(HWND Value)
{
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i] == Value) {
            FItems.erase(FItems.begin() + long(i));
            return;
        }
    }
}

bool THandleList::HasValue(HWND Value) const
{
    for (HWND h : FItems)
        if (h == Value)
            return true;
    return false;
}

// ---- TRegMonitorThread ----

TRegMonitorThread::TRegMonitorThread() = default;

TRegMonitorThread::~TRegMonitorThread()
{
    Stop();
}

void TRegMonitorThread::AddWindow(HWND Wnd)
{
    std::lock_guard<std::mutex> lock(FListLock);
    if (!FWinList.HasValue(Wnd))
        FWinList.Add(Wnd);
}

void TRegMonitorThread::RemoveWindow(HWND Wnd)
{
    std::lock_guard<std::mutex> lock(FListLock);
    FWinList.DeleteValue(Wnd);
}

bool TRegMonitorThread::HasWindow(HWND Wnd) const
{
    std::lock_guard<std::mutex> lock(FListLock);
    return FWinList.HasValue(Wnd);
}

int TRegMonitorThread::WindowCount() const
{
    std::lock_guard<std::mutex> lock(FListLock);
    return FWinList.Count();
}

QString TRegMonitorThread::ErrorMessage() const
{
    return Finished() ? FError : QString();
}

void TRegMonitorThread::Resume()
{
    if (FThread.joinable() || FTerminated.load())
        return;
    FThread = std::thread([this] { Execute(); });
}

void TRegMonitorThread::Stop()
{
    FTerminated = true;
    {
        std::lock_guard<std::mutex> lock(FEventLock);
        FSignalled = true;
    }
    FEvent.notify_all();
    if (!FThread.joinable())
        return;
    // The thread may be waiting for the UI thread to handle a message: keep
    // delivering those while it ends.
    const bool uiThread = QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread();
    while (!FFinished.load()) {
        if (uiThread)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    FThread.join();
}

void TRegMonitorThread::SignalChange()
{
    {
        std::lock_guard<std::mutex> lock(FEventLock);
        FSignalled = true;
    }
    FEvent.notify_all();
}

void TRegMonitorThread::Execute()
{
    // The watched key must exist when the watch starts.
    if (!UserSettingsSource()->KeyExists(FKey)) {
        FError = QStringLiteral("Unable to open registry key ") + FKey;
        FFinished = true;
        return;
    }
    (void)GetFilter();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(FEventLock);
            FEvent.wait(lock, [this] { return FSignalled; });
            FSignalled = false;
        }
        if (FTerminated.load())
            break;
        NotifyAll();
    }
    FFinished = true;
}

void TRegMonitorThread::NotifyAll()
{
    std::vector<HWND> targets;
    if (FWnd)
        targets.push_back(FWnd);
    {
        std::lock_guard<std::mutex> lock(FListLock);
        for (int i = 0; i < FWinList.Count(); ++i)
            targets.push_back(FWinList.Items(i));
    }
    const LPARAM keyText = LPARAM(&FKey);
    for (HWND wnd : targets) {
        if (FTerminated.load())
            return;
        if (FSender) {
            FSender(wnd, WM_OFFICETHEMECHANGED, FRootKey, keyText);
            continue;
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        const bool own = wnd == FWnd;
        // A window unregistered meanwhile gets nothing (it may be gone).
        auto deliver = [this, wnd, own, keyText] {
            if (own || HasWindow(wnd))
                SendMessage(wnd, WM_OFFICETHEMECHANGED, FRootKey, keyText);
        };
        if (QThread::currentThread() == app->thread())
            deliver();
        else
            QMetaObject::invokeMethod(app, deliver, Qt::BlockingQueuedConnection);
    }
}

// ---- Notifier ----

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner)
    : TWinControl(AOwner)
{
    SetVisible(false);
}

void TThemeNotifierWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_OFFICETHEMECHANGED && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    TWinControl::WndProc(Message);
}

namespace {
TThemeNotifier* GNotifier = nullptr;
} // namespace

TThemeNotifier::TThemeNotifier(TComponent* AOwner)
    : TComponent(AOwner)
{
    if (ComponentState() & csDesigning)
        return;
    const int version = DetectOfficeVersion();
    if (version != 1 && version != 2)
        return;
    // Freed by the notifier itself, before the owner's window goes.
    FNotifier = new TThemeNotifierWindow(nullptr);
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        FNotifier->SetParent(parent);
    FNotifier->SetVisible(false);
    FNotifier->OnOfficeThemeChange = [this](TObject* Sender) { OfficeThemeChanged(Sender); };

    FRegMonitorThread = std::make_unique<TRegMonitorThread>();
    FRegMonitorThread->SetWnd(FNotifier->Handle());
    FRegMonitorThread->SetFilter(4);
    FRegMonitorThread->SetKey(version == 2 ? KOffice14Common : KOffice12Common);
    FRegMonitorThread->SetRootKey(HKEY_CURRENT_USER_ROOT);
    FRegMonitorThread->SetWatchSub(true);
    FRegMonitorThread->Resume();
}

TThemeNotifier::~TThemeNotifier()
{
    if (FRegMonitorThread)
        FRegMonitorThread->Stop();
    FRegMonitorThread.reset();
    delete FNotifier;
    FNotifier = nullptr;
    if (GNotifier == this)
        GNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Handle)
{
    if (FRegMonitorThread)
        FRegMonitorThread->AddWindow(Handle);
}

void TThemeNotifier::UnRegisterWindow(HWND Handle)
{
    if (FRegMonitorThread)
        FRegMonitorThread->RemoveWindow(Handle);
}

void TThemeNotifier::OfficeThemeChanged(TObject* Sender)
{
    (void)Sender;
    if (OnOfficeThemeChange)
        OnOfficeThemeChange(this);
}

TThemeNotifier* GetThemeNotifier(TComponent* Grid)
{
    if (!GNotifier) {
        TComponent* owner = Grid;
        if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
            owner = Application->MainForm();
        GNotifier = new TThemeNotifier(owner);
    }
    return GNotifier;
}

TThemeNotifier* ExistingThemeNotifier()
{
    return GNotifier;
}

// ---- Cell checker ----

QString TKvStringGridCheck::MarkError(int, int, const QString& Value)
{
    return Value;
}

QString TKvStringGridCheck::Correct(int, int, const QString& Value)
{
    return Value;
}

void TKvStringGridCheck::StartCheck() {}
void TKvStringGridCheck::StopCheck() {}
