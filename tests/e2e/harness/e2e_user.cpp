#include "e2e_user.h"

#include "x_input.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSemaphore>
#include <QStyleHints>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

constexpr int Ui_Limit_Ms = 60000;
constexpr auto Poll_Interval = std::chrono::milliseconds(5);
constexpr const char* Marker_Atom_Name = "KV_E2E_INPUT_MARKER";

long long Now_Ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QString Plain_Caption(QString s) { return s.remove(QLatin1Char('&')); }

QFileDialog* Shown_File_Dialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

QMessageBox* Shown_Message_Box()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
            return b;
    return nullptr;
}

// Ends one modal state the script left behind; false when none is left.
bool Cancel_One_Modal()
{
    if (QWidget* p = QApplication::activePopupWidget()) {
        p->close();
        return true;
    }
    if (QWidget* m = QApplication::activeModalWidget()) {
        if (auto* f = dynamic_cast<TCustomForm*>(m); f && f->IsModal()) {
            f->SetModalResult(mrCancel);
            return true;
        }
        if (auto* d = qobject_cast<QDialog*>(m)) {
            d->reject();
            return true;
        }
        m->close();
        return true;
    }
    for (int i = 0; Application && i < Application->FormCount(); ++i) {
        TCustomForm* f = Application->Forms(i);
        if (f->IsModal()) {
            f->SetModalResult(mrCancel);
            return true;
        }
    }
    return false;
}

}  // namespace

// The user's link into the program's thread: runs what the user asks there, and tells
// when the program has taken the input sent before a marker.
class TUiBridge : public QObject, public QAbstractNativeEventFilter {
public:
    TUiBridge()
    {
        Marker_Window.create();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~TUiBridge() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& Type, void* Message, qintptr*) override
    {
        if (Type != "xcb_generic_event_t")
            return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(Message);
        if ((ev->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* cm = reinterpret_cast<const xcb_client_message_event_t*>(ev);
        if (Marker_Atom == 0 || cm->type != Marker_Atom)
            return false;
        const long id = long(cm->data.data32[0]);
        // The input sent before the marker is in the toolkit's queue now; two turns of
        // posted work later it has been delivered, and what its handlers posted has run.
        QMetaObject::invokeMethod(
            this,
            [this, id] { QMetaObject::invokeMethod(this, [this, id] { Handled = id; }, Qt::QueuedConnection); },
            Qt::QueuedConnection);
        return true;
    }

    QWindow Marker_Window;
    std::atomic<unsigned> Marker_Atom{0};
    std::atomic<long> Handled{0};
};

TE2eUser::TE2eUser(TUiBridge& Bridge, const QByteArray& Display)
    : FBridge(Bridge), FInput(std::make_unique<TXInput>(Display))
{
    if (!FInput->Connected())
        throw std::runtime_error("the user cannot reach the X display " + Display.toStdString() +
                                 " or it has no XTEST extension");
    FBridge.Marker_Atom = unsigned(FInput->Intern(Marker_Atom_Name));
    Ui([this] {
        FDouble_Click_Ms = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        FDouble_Click_Distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    });
}

TE2eUser::~TE2eUser() = default;

void TE2eUser::Run_On_Ui(const std::function<void()>& Fn)
{
    if (QThread::currentThread() == FBridge.thread()) {
        Fn();
        return;
    }
    auto done = std::make_shared<QSemaphore>();
    auto error = std::make_shared<std::string>();
    QMetaObject::invokeMethod(
        &FBridge,
        [&Fn, done, error] {
            try {
                Fn();
            } catch (const std::exception& e) {
                *error = e.what();
            } catch (...) {
                *error = "an exception of unknown type";
            }
            done->release();
        },
        Qt::QueuedConnection);
    if (!done->tryAcquire(1, Ui_Limit_Ms)) {
        // The program's thread is stuck: nothing the user could still do would reach it.
        std::fprintf(stderr, "e2e: the program did not answer for %d ms (blocked or busy); giving up\n",
                     Ui_Limit_Ms);
        std::fflush(stderr);
        std::abort();
    }
    if (!error->empty())
        throw std::runtime_error("on the program's thread: " + *error);
}

void TE2eUser::Post(std::function<void()> Fn)
{
    QMetaObject::invokeMethod(&FBridge, [Fn = std::move(Fn)] { Fn(); }, Qt::QueuedConnection);
}

bool TE2eUser::Wait(const QString& What, const std::function<bool()>& Cond, int Limit_Ms)
{
    const long long end = Now_Ms() + Limit_Ms;
    while (!Ui(Cond)) {
        if (Now_Ms() > end) {
            ADD_FAILURE() << "waited " << Limit_Ms << " ms for " << What.toStdString();
            return false;
        }
        std::this_thread::sleep_for(Poll_Interval);
    }
    return true;
}

void TE2eUser::Sync()
{
    const long id = ++FMarker;
    const unsigned long window = Ui([this] { return (unsigned long)FBridge.Marker_Window.winId(); });
    FInput->Send_Marker(window, Marker_Atom_Name, id);
    Wait(QStringLiteral("the program to handle the input sent"), [this, id] { return FBridge.Handled >= id; });
}

QRect TE2eUser::Screen_Rect(const QWidget* W)
{
    return Ui([W] {
        if (const auto* c = dynamic_cast<const TControl*>(W)) {
            const TRect r = c->ClientRect();
            const TPoint p = c->ClientToScreen(TPoint(r.Left, r.Top));
            return QRect(p.X, p.Y, r.Width(), r.Height());
        }
        return QRect(W->mapToGlobal(QPoint(0, 0)), W->size());
    });
}

QRect TE2eUser::Cell_Rect(TKvStringGrid* Grid, int Col, int Row)
{
    QString name;
    const QRect r = Ui([&] {
        name = Grid->Name();
        const TRect c = Grid->CellRect(Col, Row);
        if (c.Width() <= 0 || c.Height() <= 0)
            return QRect();
        const TPoint p = Grid->ClientToScreen(TPoint(c.Left, c.Top));
        return QRect(p.X, p.Y, c.Width(), c.Height());
    });
    EXPECT_FALSE(r.isEmpty()) << "cell " << Col << "," << Row << " of " << name.toStdString() << " is not on screen";
    return r;
}

void TE2eUser::Move_To(const QPoint& Screen) { FInput->Move(Screen); }

void TE2eUser::Click_At(const QPoint& Screen, int Button)
{
    // A second press this close in place and time would be a double click: the pointer
    // leaves the spot first, as a hand that clicks twice on purpose moves a little.
    const QPoint d = Screen - FLast_Press;
    if (std::abs(d.x()) <= FDouble_Click_Distance && std::abs(d.y()) <= FDouble_Click_Distance &&
        Now_Ms() - FLast_Press_Ms <= FDouble_Click_Ms + 100)
        FInput->Move(Screen + QPoint(FDouble_Click_Distance * 4 + 10, 0));
    FInput->Move(Screen);
    FInput->Button(Button, true);
    FInput->Button(Button, false);
    FLast_Press = Screen;
    FLast_Press_Ms = Now_Ms();
}

void TE2eUser::Double_Click_At(const QPoint& Screen)
{
    if (Screen == FLast_Press && Now_Ms() - FLast_Press_Ms <= FDouble_Click_Ms + 100)
        FInput->Move(Screen + QPoint(FDouble_Click_Distance * 4 + 10, 0));
    FInput->Move(Screen);
    for (int i = 0; i < 2; ++i) {
        FInput->Button(1, true);
        FInput->Button(1, false);
    }
    FLast_Press = Screen;
    FLast_Press_Ms = Now_Ms();
}

void TE2eUser::Type(const QString& Text)
{
    for (const QChar c : Text) {
        QString error;
        if (!FInput->Type_Char(c, &error))
            ADD_FAILURE() << error.toStdString();
    }
}

void TE2eUser::Keys(const QString& Chords)
{
    for (const QString& chord : Chords.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString error;
        if (!FInput->Chord(chord, &error))
            ADD_FAILURE() << error.toStdString();
    }
}

bool TE2eUser::Wait_Shown(const QWidget* Window)
{
    return Wait(QStringLiteral("window '%1' on screen and active").arg(Window->objectName()),
                [Window] { return Window->isVisible() && Window->isActiveWindow(); });
}

bool TE2eUser::Wait_Hidden(const QWidget* Window)
{
    return Wait(QStringLiteral("window '%1' gone").arg(Window->objectName()),
                [Window] { return !Window->isVisible(); });
}

QString TE2eUser::Message_Text()
{
    if (!Wait(QStringLiteral("a message box"), [] { return Shown_Message_Box() != nullptr; }))
        return QString();
    return Ui([] {
        QMessageBox* b = Shown_Message_Box();
        return b ? b->text() : QString();
    });
}

void TE2eUser::Answer(const QString& Button)
{
    QAbstractButton* target = nullptr;
    Wait(QStringLiteral("a message box with the button '%1'").arg(Button), [&] {
        QMessageBox* box = Shown_Message_Box();
        for (QAbstractButton* b : box ? box->buttons() : QList<QAbstractButton*>())
            if (b->isVisible() && Plain_Caption(b->text()) == Plain_Caption(Button))
                target = b;
        return target != nullptr;
    });
    if (!target)
        return;
    QMessageBox* box = Ui([target] { return qobject_cast<QMessageBox*>(target->window()); });
    Click(target);
    Wait(QStringLiteral("the message box to close"), [box] { return Shown_Message_Box() != box; });
}

void TE2eUser::Choose_File(const QString& Path)
{
    QLineEdit* name = nullptr;
    Wait(QStringLiteral("a file dialog"), [&] {
        QFileDialog* d = Shown_File_Dialog();
        name = d ? d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        return name && d->isActiveWindow();
    });
    if (!name)
        return;
    Click(name);
    Keys(QStringLiteral("ctrl+a"));
    Type(Path);
    Keys(QStringLiteral("Return"));
    Wait(QStringLiteral("the file dialog to close"), [] { return Shown_File_Dialog() == nullptr; });
}

QString TE2eUser::File_Dialog_Filter()
{
    Wait(QStringLiteral("a file dialog"), [] { return Shown_File_Dialog() != nullptr; });
    return Ui([] {
        QFileDialog* d = Shown_File_Dialog();
        auto* types = d ? d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
        return types ? types->currentText() : QString();
    });
}

void TE2eUser::Snapshot(const QWidget* Window, const QString& Name)
{
    Sync();
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    QString file = Name;
    if (t)
        file = QStringLiteral("%1.%2-%3").arg(QString::fromUtf8(t->test_suite_name()), QString::fromUtf8(t->name()), Name);
    const QString dir = QStringLiteral(KV_E2E_PNG_DIR);
    const QString path = QDir(dir).filePath(file + QStringLiteral(".png"));
    const bool saved = Ui([&] {
        QDir().mkpath(dir);
        const QWidget* w = Window->window();
        const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        // What the X server shows there, lists and boxes over the window included.
        const QPixmap shot = w->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height());
        return shot.save(path, "PNG");
    });
    EXPECT_TRUE(saved) << "cannot save " << path.toStdString();
}

void Run_As_User(const std::function<void(TE2eUser&)>& Script)
{
    TUiBridge bridge;
    QEventLoop loop;
    const QByteArray display = qgetenv("DISPLAY");
    std::thread user([&] {
        try {
            TE2eUser u(bridge, display);
            Script(u);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the user's script stopped: " << e.what();
        }
        // Modal windows left open would keep their loops running above this one.
        QMetaObject::invokeMethod(
            &bridge,
            [&loop, &bridge] {
                auto* wind_down = new QTimer(&bridge);
                QObject::connect(wind_down, &QTimer::timeout, &bridge, [&loop, wind_down] {
                    if (Cancel_One_Modal())
                        return;
                    wind_down->stop();
                    loop.quit();
                });
                wind_down->start(10);
            },
            Qt::QueuedConnection);
    });
    loop.exec();
    user.join();
}
