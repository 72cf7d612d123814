#include "e2e_user.h"

#include "x_input.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QAbstractItemView>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSemaphore>
#include <QStyleHints>
#include <QTabBar>
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
constexpr int Wait_After_Failure_Ms = 1000;
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
    // Once a wait has failed the test has failed: later waits only gather what else
    // fails, and need not hold the run up for long.
    if (FWait_Failed)
        Limit_Ms = std::min(Limit_Ms, Wait_After_Failure_Ms);
    const long long end = Now_Ms() + Limit_Ms;
    while (!Ui(Cond)) {
        if (Now_Ms() > end) {
            ADD_FAILURE() << "waited " << Limit_Ms << " ms for " << What.toStdString();
            FWait_Failed = true;
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
    Show_Cell(Grid, Col, Row);
    QString name;
    const QRect r = Ui([&] {
        name = Grid->Name();
        // The stock rectangle is empty for a cell out of view and cut at the client edge.
        const TRect c = Grid->TCustomGrid::CellRect(Col, Row);
        if (c.Width() <= 0 || c.Height() <= 0)
            return QRect();
        const TPoint p = Grid->ClientToScreen(TPoint(c.Left, c.Top));
        return QRect(p.X, p.Y, c.Width(), c.Height());
    });
    EXPECT_FALSE(r.isEmpty()) << "cell " << Col << "," << Row << " of " << name.toStdString() << " is not on screen";
    return r;
}

void TE2eUser::Show_Cell(TKvStringGrid* Grid, int Col, int Row)
{
    // Where the cell lies against the view, and the arrow of each bar that brings it nearer.
    struct TPlace {
        int Horz = 0, Vert = 0;  // -1 before the view, 1 after it, 0 whole in view
        QPoint Arrow[2];         // screen points of the horizontal and vertical arrows
    };
    for (int step = 0; step < 600; ++step) {
        const TPlace place = Ui([&] {
            TPlace p;
            const TRect c = Grid->TCustomGrid::CellRect(Col, Row);
            const bool wholeX = c.Width() == Grid->ColWidths(Col);
            const bool wholeY = c.Height() == Grid->RowHeights(Row);
            if (Col >= Grid->FixedCols() && !(c.Width() > 0 && wholeX))
                p.Horz = Col < Grid->LeftCol() ? -1 : 1;
            if (Row >= Grid->FixedRows() && !(c.Height() > 0 && wholeY))
                p.Vert = Row < Grid->TopRow() ? -1 : 1;
            for (QScrollBar* bar : Grid->findChildren<QScrollBar*>()) {
                if (!bar->isVisible())
                    continue;
                const int axis = bar->orientation() == Qt::Horizontal ? 0 : 1;
                const int way = axis == 0 ? p.Horz : p.Vert;
                if (way == 0)
                    continue;
                QStyleOptionSlider opt;
                opt.initFrom(bar);
                opt.orientation = bar->orientation();
                opt.minimum = bar->minimum();
                opt.maximum = bar->maximum();
                opt.sliderPosition = bar->sliderPosition();
                opt.sliderValue = bar->value();
                opt.pageStep = bar->pageStep();
                opt.singleStep = bar->singleStep();
                const QRect arrow = bar->style()->subControlRect(
                    QStyle::CC_ScrollBar, &opt, way < 0 ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine,
                    bar);
                p.Arrow[axis] = bar->mapToGlobal(arrow.center());
            }
            return p;
        });
        if (place.Horz == 0 && place.Vert == 0)
            return;
        const int axis = place.Horz != 0 ? 0 : 1;
        if (place.Arrow[axis].isNull()) {
            ADD_FAILURE() << "cell " << Col << "," << Row << " is out of view and its grid shows no scroll bar";
            return;
        }
        // A user clicks the scroll bar's arrow until the cell shows.
        Click_At(place.Arrow[axis]);
        Sync();
    }
    ADD_FAILURE() << "cell " << Col << "," << Row << " did not come into view";
}

QRect TE2eUser::Tab_Rect(TTabSheet* Page)
{
    return Ui([Page] {
        QTabBar* bar = Page->PageControl()->TabBar();
        const QRect r = bar->tabRect(Page->TabIndex());
        return QRect(bar->mapToGlobal(r.topLeft()), r.size());
    });
}

void TE2eUser::Click_Tab(TTabSheet* Page)
{
    Click_At(Tab_Rect(Page).center());
    Wait(QStringLiteral("page '%1' shown").arg(Ui([Page] { return Page->Caption(); })),
         [Page] { return Page->PageControl()->ActivePage() == Page && Page->isVisible(); });
}

void TE2eUser::Move_To(const QPoint& Screen) { FInput->Move(Screen); }

void TE2eUser::Leave_Last_Press(const QPoint& Screen)
{
    const QPoint d = Screen - FLast_Press;
    if (std::abs(d.x()) > FDouble_Click_Distance || std::abs(d.y()) > FDouble_Click_Distance ||
        Now_Ms() - FLast_Press_Ms > FDouble_Click_Ms + 100)
        return;
    // The toolkit merges pointer motions that wait in its queue together: the move away
    // must have been seen before the pointer comes back, or the two presses still pair.
    FInput->Move(Screen + QPoint(FDouble_Click_Distance * 4 + 10, 0));
    Sync();
}

void TE2eUser::Click_At(const QPoint& Screen, int Button)
{
    Leave_Last_Press(Screen);
    FInput->Move(Screen);
    FInput->Button(Button, true);
    FInput->Button(Button, false);
    FLast_Press = Screen;
    FLast_Press_Ms = Now_Ms();
}

void TE2eUser::Double_Click_At(const QPoint& Screen)
{
    Leave_Last_Press(Screen);
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

namespace {
QString Window_Name(const QWidget* W)
{
    if (const auto* c = dynamic_cast<const TControl*>(W))
        return c->ClassName();
    return QString::fromLatin1(W->metaObject()->className());
}
}  // namespace

void TE2eUser::Pick_Item(TCustomComboBox* Combo, const QString& Item)
{
    const QRect r = Screen_Rect(Combo);
    // The arrow lies at the right end of the field.
    Click_At(QPoint(r.right() - 6, r.center().y()));
    QRect item;
    Wait(QStringLiteral("the list with the item '%1'").arg(Item), [&] {
        if (!Combo->DroppedDown())
            return false;
        QAbstractItemView* view = Combo->Combo()->view();
        const int row = Combo->Combo()->findText(Item, Qt::MatchExactly);
        if (row < 0 || !view->isVisible())
            return false;
        const QRect v = view->visualRect(view->model()->index(row, Combo->Combo()->modelColumn()));
        item = QRect(view->viewport()->mapToGlobal(v.topLeft()), v.size());
        return view->viewport()->rect().contains(v.center());
    });
    if (item.isEmpty())
        return;
    Click_At(item.center());
    Wait(QStringLiteral("the list to close"), [Combo] { return !Combo->DroppedDown(); });
}

bool TE2eUser::Wait_Shown(const QWidget* Window)
{
    return Wait(QStringLiteral("window %1 on screen and active").arg(Window_Name(Window)),
                [Window] { return Window->isVisible() && Window->isActiveWindow(); });
}

bool TE2eUser::Wait_Hidden(const QWidget* Window)
{
    return Wait(QStringLiteral("window %1 gone").arg(Window_Name(Window)),
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
    // Gone, and the window below active again: keys typed next go there.
    Wait(QStringLiteral("the message box to close"), [box] {
        QWidget* active = QApplication::activeWindow();
        return Shown_Message_Box() != box && active && active != box;
    });
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
