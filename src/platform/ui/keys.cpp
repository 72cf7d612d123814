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
        case Qt::Key_Period: case Qt::Key_Comma: return VK_DECIMAL;
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

unsigned KeyScanCode(WORD vk, bool keypad, bool* extended)
{
    bool ext = false;
    unsigned sc = 0;
    static const char* const row1 = "QWERTYUIOP";   // 0x10..
    static const char* const row2 = "ASDFGHJKL";    // 0x1E..
    static const char* const row3 = "ZXCVBNM";      // 0x2C..
    if (vk >= 'A' && vk <= 'Z') {
        for (int i = 0; row1[i]; ++i) if (row1[i] == vk) sc = 0x10 + unsigned(i);
        for (int i = 0; row2[i]; ++i) if (row2[i] == vk) sc = 0x1E + unsigned(i);
        for (int i = 0; row3[i]; ++i) if (row3[i] == vk) sc = 0x2C + unsigned(i);
    } else if (vk >= '1' && vk <= '9') {
        sc = 0x02 + unsigned(vk - '1');
    } else if (vk >= VK_F1 && vk <= VK_F10) {
        sc = 0x3B + unsigned(vk - VK_F1);
    } else {
        switch (vk) {
        case '0': sc = 0x0B; break;
        case VK_ESCAPE: sc = 0x01; break;
        case VK_OEM_MINUS: sc = 0x0C; break;
        case VK_OEM_PLUS: sc = 0x0D; break;
        case VK_BACK: sc = 0x0E; break;
        case VK_TAB: sc = 0x0F; break;
        case VK_OEM_4: sc = 0x1A; break;
        case VK_OEM_6: sc = 0x1B; break;
        case VK_RETURN: sc = 0x1C; ext = keypad; break;
        case VK_CONTROL: case VK_LCONTROL: sc = 0x1D; break;
        case VK_RCONTROL: sc = 0x1D; ext = true; break;
        case VK_OEM_1: sc = 0x27; break;
        case VK_OEM_7: sc = 0x28; break;
        case VK_OEM_3: sc = 0x29; break;
        case VK_SHIFT: case VK_LSHIFT: sc = 0x2A; break;
        case VK_OEM_5: sc = 0x2B; break;
        case VK_OEM_COMMA: sc = 0x33; break;
        case VK_OEM_PERIOD: sc = 0x34; break;
        case VK_OEM_2: sc = 0x35; break;
        case VK_DIVIDE: sc = 0x35; ext = true; break;
        case VK_RSHIFT: sc = 0x36; break;
        case VK_MULTIPLY: sc = 0x37; break;
        case VK_MENU: case VK_LMENU: sc = 0x38; break;
        case VK_RMENU: sc = 0x38; ext = true; break;
        case VK_SPACE: sc = 0x39; break;
        case VK_CAPITAL: sc = 0x3A; break;
        case VK_NUMLOCK: sc = 0x45; break;
        case VK_SCROLL: sc = 0x46; break;
        case VK_NUMPAD7: sc = 0x47; break;
        case VK_NUMPAD8: sc = 0x48; break;
        case VK_NUMPAD9: sc = 0x49; break;
        case VK_SUBTRACT: sc = 0x4A; break;
        case VK_NUMPAD4: sc = 0x4B; break;
        case VK_NUMPAD5: sc = 0x4C; break;
        case VK_NUMPAD6: sc = 0x4D; break;
        case VK_ADD: sc = 0x4E; break;
        case VK_NUMPAD1: sc = 0x4F; break;
        case VK_NUMPAD2: sc = 0x50; break;
        case VK_NUMPAD3: sc = 0x51; break;
        case VK_NUMPAD0: sc = 0x52; break;
        case VK_DECIMAL: sc = 0x53; break;
        case VK_F11: sc = 0x57; break;
        case VK_F12: sc = 0x58; break;
        // The editing block shares the keypad's codes with the extended flag.
        case VK_HOME: sc = 0x47; ext = !keypad; break;
        case VK_UP: sc = 0x48; ext = !keypad; break;
        case VK_PRIOR: sc = 0x49; ext = !keypad; break;
        case VK_LEFT: sc = 0x4B; ext = !keypad; break;
        case VK_RIGHT: sc = 0x4D; ext = !keypad; break;
        case VK_END: sc = 0x4F; ext = !keypad; break;
        case VK_DOWN: sc = 0x50; ext = !keypad; break;
        case VK_NEXT: sc = 0x51; ext = !keypad; break;
        case VK_INSERT: sc = 0x52; ext = !keypad; break;
        case VK_DELETE: sc = 0x53; ext = !keypad; break;
        case VK_LWIN: sc = 0x5B; ext = true; break;
        case VK_RWIN: sc = 0x5C; ext = true; break;
        case VK_APPS: sc = 0x5D; ext = true; break;
        default: break;
        }
    }
    if (extended) *extended = ext;
    return sc;
}

uint32_t KeyData(WORD vk, bool keypad, bool repeat, bool release, bool alt)
{
    bool ext = false;
    const unsigned sc = KeyScanCode(vk, keypad, &ext);
    uint32_t d = 1u | (sc << 16);
    if (ext) d |= 1u << 24;
    if (alt) d |= 1u << 29;
    if (repeat || release) d |= 1u << 30;
    if (release) d |= 1u << 31;
    return d;
}
