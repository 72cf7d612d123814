#include "x_input.h"

#include <QStringList>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <vector>

namespace {

// Key symbol of a character: Latin-1 characters are their own symbols, the rest of
// Unicode lies at 0x01000000 + code point.
KeySym Char_Keysym(QChar c)
{
    switch (c.unicode()) {
    case '\n':
    case '\r': return XK_Return;
    case '\t': return XK_Tab;
    case '\b': return XK_BackSpace;
    default: break;
    }
    return c.unicode() < 0x100 ? KeySym(c.unicode()) : KeySym(0x01000000 + c.unicode());
}

KeySym Modifier_Keysym(const QString& name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("ctrl") || n == QLatin1String("control"))
        return XK_Control_L;
    if (n == QLatin1String("shift"))
        return XK_Shift_L;
    if (n == QLatin1String("alt"))
        return XK_Alt_L;
    return NoSymbol;
}

}  // namespace

TXInput::TXInput(const QByteArray& Display)
{
    FDisplay = XOpenDisplay(Display.constData());
    int event = 0, error = 0, major = 0, minor = 0;
    if (FDisplay && !XTestQueryExtension(FDisplay, &event, &error, &major, &minor)) {
        XCloseDisplay(FDisplay);
        FDisplay = nullptr;
    }
}

TXInput::~TXInput()
{
    if (FDisplay)
        XCloseDisplay(FDisplay);
}

void TXInput::Move(const QPoint& Screen)
{
    XTestFakeMotionEvent(FDisplay, -1, Screen.x(), Screen.y(), CurrentTime);
    XFlush(FDisplay);
}

void TXInput::Button(int Number, bool Down)
{
    XTestFakeButtonEvent(FDisplay, unsigned(Number), Down ? True : False, CurrentTime);
    XFlush(FDisplay);
}

bool TXInput::Key(unsigned long Keysym, bool Down, QString* Error)
{
    const KeyCode code = XKeysymToKeycode(FDisplay, Keysym);
    if (code == 0) {
        *Error = QStringLiteral("no key gives the symbol 0x%1").arg(Keysym, 0, 16);
        return false;
    }
    XTestFakeKeyEvent(FDisplay, code, Down ? True : False, CurrentTime);
    return true;
}

bool TXInput::Type_Char(QChar Ch, QString* Error)
{
    const KeySym sym = Char_Keysym(Ch);
    const KeyCode code = XKeysymToKeycode(FDisplay, sym);
    if (code == 0) {
        *Error = QStringLiteral("no key of the keyboard map types '%1'").arg(Ch);
        return false;
    }
    // The symbol on the plain level, else on the shifted one.
    const bool shifted = XkbKeycodeToKeysym(FDisplay, code, 0, 0) != sym;
    if (shifted && XkbKeycodeToKeysym(FDisplay, code, 0, 1) != sym) {
        *Error = QStringLiteral("'%1' lies on a level beyond Shift").arg(Ch);
        return false;
    }
    if (shifted)
        Key(XK_Shift_L, true, Error);
    XTestFakeKeyEvent(FDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(FDisplay, code, False, CurrentTime);
    if (shifted)
        Key(XK_Shift_L, false, Error);
    XFlush(FDisplay);
    return true;
}

bool TXInput::Chord(const QString& Text, QString* Error)
{
    const QStringList parts = Text.split(QLatin1Char('+'));
    std::vector<KeySym> mods;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const KeySym m = Modifier_Keysym(parts[i]);
        if (m == NoSymbol) {
            *Error = QStringLiteral("unknown modifier '%1' in '%2'").arg(parts[i], Text);
            return false;
        }
        mods.push_back(m);
    }
    const QByteArray name = parts.last().toLatin1();
    KeySym sym = XStringToKeysym(name.constData());
    if (sym == NoSymbol && name.size() == 1)
        sym = KeySym(uchar(name[0]));
    if (sym == NoSymbol) {
        *Error = QStringLiteral("unknown key '%1'").arg(parts.last());
        return false;
    }
    for (const KeySym m : mods)
        if (!Key(m, true, Error))
            return false;
    // A symbol on the shifted level takes Shift as a typed character does.
    const KeyCode code = XKeysymToKeycode(FDisplay, sym);
    const bool shifted = code != 0 && XkbKeycodeToKeysym(FDisplay, code, 0, 0) != sym &&
                         XkbKeycodeToKeysym(FDisplay, code, 0, 1) == sym;
    if (shifted)
        Key(XK_Shift_L, true, Error);
    const bool ok = Key(sym, true, Error) && Key(sym, false, Error);
    if (shifted)
        Key(XK_Shift_L, false, Error);
    for (auto m = mods.rbegin(); m != mods.rend(); ++m)
        Key(*m, false, Error);
    XFlush(FDisplay);
    return ok;
}

void TXInput::Send_Marker(unsigned long Window, const char* Atom_Name, long Id)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window;
    e.xclient.message_type = XInternAtom(FDisplay, Atom_Name, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = Id;
    XSendEvent(FDisplay, Window, False, NoEventMask, &e);
    XFlush(FDisplay);
}

unsigned long TXInput::Intern(const char* Name) { return XInternAtom(FDisplay, Name, False); }

void TXInput::Sync() { XSync(FDisplay, False); }
