#pragma once
// Windows-style virtual-key codes, shift states and mouse buttons, and the one
// table that maps Qt keys onto them.
#include <QtCore/Qt>
#include <QtCore/QChar>
#include <cstdint>

class QKeyEvent;

using WORD = uint16_t;

enum : WORD {
    VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
    VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
    VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
    VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
    VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
    // '0'..'9' = 0x30..0x39, 'A'..'Z' = 0x41..0x5A
    VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD5,
    VK_NUMPAD6, VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9,
    VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
    VK_F1 = 0x70, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10,
    VK_F11, VK_F12,
    VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4, VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE, VK_OEM_102 = 0xE2,
};

// Flags of a shift state; combine them into a TShiftState.
enum TShiftStateFlag : unsigned {
    ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04,
    ssLeft = 0x08, ssRight = 0x10, ssMiddle = 0x20, ssDouble = 0x40,
};

// A set of shift flags: Shift.Contains(ssCtrl), Shift << ssShift, ssShift | ssCtrl.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag f) : FBits(f) {}
    static constexpr TShiftState FromBits(unsigned b) { TShiftState s; s.FBits = b; return s; }
    constexpr bool Contains(TShiftStateFlag f) const { return (FBits & f) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr unsigned Bits() const { return FBits; }
    TShiftState& operator<<(TShiftStateFlag f) { FBits |= f; return *this; }
    TShiftState& operator>>(TShiftStateFlag f) { FBits &= ~unsigned(f); return *this; }
    constexpr TShiftState operator|(TShiftState o) const { return FromBits(FBits | o.FBits); }
    constexpr TShiftState operator&(TShiftState o) const { return FromBits(FBits & o.FBits); }
    constexpr bool operator==(const TShiftState&) const = default;
    // Only the keyboard part (shift, alt, ctrl).
    constexpr TShiftState KeysOnly() const { return FromBits(FBits & 0x07); }
private:
    unsigned FBits = 0;
};
constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b)
{ return TShiftState::FromBits(unsigned(a) | unsigned(b)); }

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state of Qt modifiers and mouse buttons.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
// Qt modifiers of a shift state (mouse buttons ignored).
Qt::KeyboardModifiers QtModifiersFromShift(TShiftState s);
TMouseButton MouseButtonFromQt(Qt::MouseButton b);

// Virtual key of a Qt key; `keypad` tells keys of the numeric pad apart, and
// `rightSide` picks VK_RMENU for the right Alt. Returns 0 for unknown keys.
WORD QtKeyToVK(int qtKey, bool keypad = false, bool rightSide = false);
// Virtual key of a key event (reads the keypad modifier and the native key for the side).
WORD KeyEventToVK(const QKeyEvent* e);
// Qt key for a virtual key (the inverse of the main table; 0 when none).
int VKToQtKey(WORD vk);
// Character a key press produces, as WM_CHAR would: Ctrl+letter gives the control
// characters 1..26, Return 13, Backspace 8, Tab 9, Escape 27; 0 when none.
QChar KeyEventToChar(const QKeyEvent* e);

// Set-1 scan code of a virtual key (the keypad's codes for keypad keys), and
// whether the key is an "extended" one.
unsigned KeyScanCode(WORD vk, bool keypad, bool* extended = nullptr);
// The key-data word of a key message: repeat count 1, scan code in bits 16-23,
// extended flag in bit 24, Alt in bit 29, previous state in bit 30, release in bit 31.
uint32_t KeyData(WORD vk, bool keypad, bool repeat, bool release, bool alt);
