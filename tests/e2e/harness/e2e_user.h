#pragma once
// The user of a real-window test. The program runs on the test's main thread as it runs
// in the field, with its own event loop and its modal windows; the user acts from a
// thread of its own, as a person outside the program does: every key and click goes
// through the X test extension (x_input.h), never as a posted Qt event or a call of a
// control's method. Positions come from the platform layer (a control's place on screen,
// a grid cell's rectangle from the grid's own geometry), never from numbers copied off a
// screenshot. The user waits for what the windows show by letting the program process
// events until a condition holds, each wait with a time limit, and types at full speed.
//
// Reading the program's state is the one thing the user does through the program's
// thread: Ui() runs a function there and brings back its result, and Wait() evaluates
// its condition there. Pointers to windows and controls, fixed once the windows are
// created, may be read directly.

#include "shell/qt_print.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QWidget;
class TCustomComboBox;
class TKvStringGrid;
class TTabSheet;
class TXInput;
class TUiBridge;

inline constexpr int Wait_Limit_Ms = 20000;

class TE2eUser {
public:
    TE2eUser(TUiBridge& Bridge, const QByteArray& Display);
    ~TE2eUser();
    TE2eUser(const TE2eUser&) = delete;
    TE2eUser& operator=(const TE2eUser&) = delete;

    // ---- the program's thread
    // Runs Fn on the program's thread and returns its result.
    template <class F>
    auto Ui(F&& Fn) -> std::invoke_result_t<F&>
    {
        using R = std::invoke_result_t<F&>;
        if constexpr (std::is_void_v<R>) {
            Run_On_Ui([&] { Fn(); });
        } else {
            std::optional<R> result;
            Run_On_Ui([&] { result.emplace(Fn()); });
            return std::move(*result);
        }
    }
    // Runs Fn on the program's thread without waiting for it: for what a user starts
    // without a visible control (a hidden step button), and which may open a modal window.
    void Post(std::function<void()> Fn);
    // Waits until Cond, evaluated on the program's thread, holds; the program processes
    // its events meanwhile. After Limit_Ms the wait fails the test, naming What; after a
    // failed wait the later ones allow a second at most.
    bool Wait(const QString& What, const std::function<bool()>& Cond, int Limit_Ms = Wait_Limit_Ms);
    // Waits until the program has handled all input sent so far and what that input
    // posted: before checking that something did not happen, and before a snapshot.
    void Sync();

    // ---- where things are on screen
    // A control's rectangle in screen coordinates (platform controls through the platform
    // layer, the toolkit's own dialogs through the toolkit).
    QRect Screen_Rect(const QWidget* W);
    // A grid cell's rectangle in screen coordinates, from the grid's own geometry; Col is
    // the grid's display column. A cell out of view is first scrolled into view as a user
    // does it (Show_Cell). Fails the test when the cell cannot be shown.
    QRect Cell_Rect(TKvStringGrid* Grid, int Col, int Row);
    // Clicks the grid's scroll bar arrows until the cell shows whole.
    void Show_Cell(TKvStringGrid* Grid, int Col, int Row);
    // The tab of a page of a page control, in screen coordinates.
    QRect Tab_Rect(TTabSheet* Page);

    // ---- the mouse
    void Move_To(const QPoint& Screen);
    // A single click: never merged with the click before into a double click (the
    // pointer leaves the spot in between when the second would come too soon).
    void Click_At(const QPoint& Screen, int Button = 1);
    void Double_Click_At(const QPoint& Screen);
    void Click(const QWidget* W) { Click_At(Screen_Rect(W).center()); }
    void Double_Click(const QWidget* W) { Double_Click_At(Screen_Rect(W).center()); }
    void Click_Cell(TKvStringGrid* Grid, int Col, int Row) { Click_At(Cell_Rect(Grid, Col, Row).center()); }
    // Clicks the page's tab and waits until the page shows.
    void Click_Tab(TTabSheet* Page);
    void Double_Click_Cell(TKvStringGrid* Grid, int Col, int Row)
    {
        Double_Click_At(Cell_Rect(Grid, Col, Row).center());
    }

    // ---- the keyboard
    // Types the characters, Shift where the keyboard map needs it.
    void Type(const QString& Text);
    // Presses chords one after the other, separated by blanks: "F2", "ctrl+a Delete",
    // "Down Down Return", "shift+Tab" (key symbol names of X).
    void Keys(const QString& Chords);

    // Drops the combo's list with a click on its arrow and clicks the item with this text
    // in the list (an item the list shows without scrolling); waits until the list has
    // closed again.
    void Pick_Item(TCustomComboBox* Combo, const QString& Item);

    // ---- windows
    // Waits until the window is on screen and is the active window (the one the keys go to).
    bool Wait_Shown(const QWidget* Window);
    bool Wait_Hidden(const QWidget* Window);
    // Waits for a message box and returns its text (empty after the time limit).
    QString Message_Text();
    // Clicks the message box's button with this caption (mnemonic "&" ignored) and waits
    // until the box is gone.
    void Answer(const QString& Button);
    // In the file dialog on screen: checks nothing, types the full path into its file
    // name box and presses Return; waits until the dialog is gone.
    void Choose_File(const QString& Path);
    // The file dialog's file type filter as the user reads it (empty when none is shown).
    QString File_Dialog_Filter();

    // Saves what the screen shows of the window as "<test>-<Name>.png" in the build
    // folder's e2e_png folder, after the input sent so far has been handled.
    void Snapshot(const QWidget* Window, const QString& Name);

private:
    void Run_On_Ui(const std::function<void()>& Fn);
    // A press this close in place and time to the last one would pair with it into a
    // double click: the pointer leaves the spot first, as a hand that clicks twice on
    // purpose moves a little.
    void Leave_Last_Press(const QPoint& Screen);
    TUiBridge& FBridge;
    std::unique_ptr<TXInput> FInput;
    long FMarker = 0;
    QPoint FLast_Press;
    long long FLast_Press_Ms = -1000000;
    int FDouble_Click_Ms = 400;
    int FDouble_Click_Distance = 5;
    bool FWait_Failed = false;
};

// Runs Script as the user on a thread of its own while this thread runs the program's
// event loop. When the script ends (or fails), the harness cancels the modal windows
// and message boxes left open, so the loop and the test end too.
void Run_As_User(const std::function<void(TE2eUser&)>& Script);
