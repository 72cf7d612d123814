#pragma once
// The two single-byte code pages the program's files use: Windows-1252 ("ANSI") and
// 850 ("OEM"). Characters that a code page cannot hold become '?'.

#include <QByteArray>
#include <QString>

QString AnsiToUnicode(const QByteArray& Bytes);     // Windows-1252
QByteArray UnicodeToAnsi(const QString& Text);
QString OemToUnicode(const QByteArray& Bytes);      // code page 850
QByteArray UnicodeToOem(const QString& Text);

// True when every character of Text has a Windows-1252 byte.
bool IsAnsiRepresentable(const QString& Text);
