#pragma once
// A keyboard and a mouse on the X display: every key and button goes through the X test
// extension, so the program receives it from the X server exactly as it receives a real
// keyboard's and mouse's. Keys are found by their key symbols in the server's keyboard
// map, with Shift pressed where the map puts the symbol on the shifted level. One
// instance serves one thread (it holds its own connection to the display).

#include <QByteArray>
#include <QPoint>
#include <QString>

class TXInput {
public:
    explicit TXInput(const QByteArray& Display);
    ~TXInput();
    TXInput(const TXInput&) = delete;
    TXInput& operator=(const TXInput&) = delete;

    bool Connected() const { return FDisplay != nullptr; }

    void Move(const QPoint& Screen);
    void Button(int Number, bool Down);
    // One character as typed on the keyboard; false with the reason when no key of the
    // keyboard map gives it.
    bool Type_Char(QChar Ch, QString* Error);
    // A chord written as xdotool writes it: modifiers joined by "+", then a key symbol
    // name ("Return", "F2", "ctrl+a", "shift+Tab", "alt+Down"). False with the reason
    // when a name is unknown or has no key.
    bool Chord(const QString& Text, QString* Error);
    // A client message of type Atom_Name carrying Id, sent to Window behind everything
    // sent so far: the program sees it after the input that came before.
    void Send_Marker(unsigned long Window, const char* Atom_Name, long Id);
    // The server's atom of a name (the same on every connection to the display).
    unsigned long Intern(const char* Name);
    // Hands everything queued to the server and waits until it has taken it.
    void Sync();

private:
    bool Key(unsigned long Keysym, bool Down, QString* Error);
    struct _XDisplay* FDisplay = nullptr;
};
