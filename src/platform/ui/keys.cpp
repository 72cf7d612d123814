#include "platform/ui/keys.h"

#include <QtGui/QKeyEvent>

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier) s << ssShift;
    if (mods & Qt::AltModifier) s << ssAlt;
    if (mods & Qt::ControlModifier) s << ssCtrl;
    if (buttons & Qt::LeftButton) s << ssLeft;
    if (buttons & Qt::RightButton) s << ssRight;
    if (buttons & Qt::MiddleButton) s << ssMiddle;
    return s;
}

Qt::KeyboardModifiers QtModifiersFromShift(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    return m;
}

TMouseButton MouseButtonFromQt(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

namespace {
struct KeyPair { int qt; WORD vk; };
// One table for the main block; keypad and side variants are handled in QtKeyToVK.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_RMENU}, {Qt::Key_Pause, VK_PAUSE}, {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN}, {Qt::Key_Select, VK_SELECT}, {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Execute, VK_EXECUTE}, {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP}, {Qt::Key_Meta, VK_LWIN}, {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1}, {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Equal, VK_OEM_PLUS}, {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2}, {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5}, {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
};
} // namespace

WORD QtKeyToVK(int qtKey, bool keypad, bool rightSide)
{
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD(VK_NUMPAD0 + (qtKey - Qt::Key_0));
        switch (qtKey) {
        case Qt::Key_Period: case Qt::Key_Comma: case Qt::Key_Delete: return VK_DECIMAL;
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Enter: return VK_RETURN;
        default: break;
        }
    }
    if (qtKey == Qt::Key_Alt) return rightSide ? VK_RMENU : VK_MENU;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return WORD('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return WORD(VK_F1 + (qtKey - Qt::Key_F1));
    // Shifted digits on a US layout still name the digit key.
    static constexpr struct { int qt; char digit; } shifted[] = {
        {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
        {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'}};
    for (const auto& p : shifted)
        if (p.qt == qtKey) return WORD(p.digit);
    for (const auto& p : kKeys)
        if (p.qt == qtKey) return p.vk;
    // Letters with accents and other Latin-1 keys: upper-case code point.
    if (qtKey >= 0xC0 && qtKey <= 0xFF) return WORD(qtKey);
    return 0;
}

WORD KeyEventToVK(const QKeyEvent* e)
{
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    // X11 key codes: 108 is the right Alt (ISO level-3 shift on many layouts).
    const bool right = e->nativeScanCode() == 108 || e->key() == Qt::Key_AltGr;
    return QtKeyToVK(e->key(), keypad, right);
}

int VKToQtKey(WORD vk)
{
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_LMENU: case VK_RMENU: return Qt::Key_Alt;
    case VK_LSHIFT: case VK_RSHIFT: return Qt::Key_Shift;
    case VK_LCONTROL: case VK_RCONTROL: return Qt::Key_Control;
    default: break;
    }
    for (const auto& p : kKeys)
        if (p.vk == vk) return p.qt;
    return 0;
}

QChar KeyEventToChar(const QKeyEvent* e)
{
    const int key = e->key();
    const auto mods = e->modifiers();
    if (mods & Qt::ControlModifier && !(mods & Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return QChar(char16_t(1 + key - Qt::Key_A));
        if (key == Qt::Key_BracketLeft) return QChar(char16_t(27));
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return QChar(char16_t(10));
        if (key == Qt::Key_Backspace) return QChar(char16_t(127));
        return QChar();
    }
    switch (key) {
    case Qt::Key_Return: case Qt::Key_Enter: return QChar(char16_t(13));
    case Qt::Key_Backspace: return QChar(char16_t(8));
    case Qt::Key_Tab: case Qt::Key_Backtab: return QChar(char16_t(9));
    case Qt::Key_Escape: return QChar(char16_t(27));
    default: break;
    }
    const QString t = e->text();
    if (t.size() == 1 && (t[0].unicode() >= 32 && t[0].unicode() != 127)) return t[0];
    return QChar();
}
