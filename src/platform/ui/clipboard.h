#pragma once
// The clipboard: plain text and named formats kept as raw blocks
// ("TKvStringGrid Cells", "Rich Text Format", "HTML Format", ...).
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

using TClipFormat = unsigned;
constexpr TClipFormat CF_TEXT = 1;
constexpr TClipFormat CF_UNICODETEXT = 13;
// A list of file names (a DROPFILES block); it travels as text/uri-list.
constexpr TClipFormat CF_HDROP = 15;
// A unique id for a named format; the same name gives the same id.
TClipFormat RegisterClipboardFormat(const QString& name);
QString ClipboardFormatName(TClipFormat f);

class TClipboard {
public:
    QString AsText() const;
    void SetAsText(const QString& s);
    bool HasFormat(TClipFormat f) const;
    bool HasFormat(const QString& name) const { return HasFormat(RegisterClipboardFormat(name)); }
    QByteArray GetAsHandle(TClipFormat f) const;
    QByteArray GetFormat(const QString& name) const { return GetAsHandle(RegisterClipboardFormat(name)); }
    // Between Open and Close every Set adds a format to one clipboard content;
    // outside, each Set replaces the content.
    void SetAsHandle(TClipFormat f, const QByteArray& data);
    void SetFormat(const QString& name, const QByteArray& data) { SetAsHandle(RegisterClipboardFormat(name), data); }
    void Open();
    void Close();
    void Clear();
    QStringList Formats() const;
private:
    int FOpen = 0;
    class QMimeData* FPending = nullptr;
};

TClipboard* Clipboard();
// MIME type under which a clipboard format travels: the two text formats as
// text/plain, "Rich Text Format" as text/rtf, "HTML Format" as text/html, file
// lists and "UniformResourceLocator" as text/uri-list, every other name as
// application/x-kv-<name> (lower case, blanks as dashes).
QString ClipboardMimeType(TClipFormat f);
// The registered format that travels under a MIME type of the application/x-kv-
// family, or 0.
TClipFormat ClipboardFormatOfMimeType(const QString& mime);
