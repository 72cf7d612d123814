#include "platform/ui/clipboard.h"

#include <QtCore/QHash>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

namespace {
QHash<QString, TClipFormat>& Ids()
{
    static QHash<QString, TClipFormat> h;
    return h;
}
QHash<TClipFormat, QString>& Names()
{
    static QHash<TClipFormat, QString> h;
    return h;
}
} // namespace

TClipFormat RegisterClipboardFormat(const QString& name)
{
    auto it = Ids().find(name);
    if (it != Ids().end()) return *it;
    const TClipFormat id = 0xC000 + TClipFormat(Ids().size());
    Ids().insert(name, id);
    Names().insert(id, name);
    return id;
}

QString ClipboardFormatName(TClipFormat f) { return Names().value(f); }

QString ClipboardMimeType(TClipFormat f)
{
    if (f == CF_TEXT || f == CF_UNICODETEXT) return QStringLiteral("text/plain");
    if (f == CF_HDROP) return QStringLiteral("text/uri-list");
    const QString n = ClipboardFormatName(f);
    if (n == QLatin1String("Rich Text Format")) return QStringLiteral("text/rtf");
    if (n == QLatin1String("HTML Format")) return QStringLiteral("text/html");
    if (n == QLatin1String("UniformResourceLocator")) return QStringLiteral("text/uri-list");
    QString safe = n;
    safe.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("application/x-kv-") + safe.toLower();
}

TClipFormat ClipboardFormatOfMimeType(const QString& mime)
{
    if (!mime.startsWith(QLatin1String("application/x-kv-"))) return 0;
    for (auto it = Names().cbegin(); it != Names().cend(); ++it)
        if (ClipboardMimeType(it.key()) == mime) return it.key();
    return 0;
}

TClipboard* Clipboard()
{
    static TClipboard c;
    return &c;
}

QString TClipboard::AsText() const { return QGuiApplication::clipboard()->text(); }

void TClipboard::SetAsText(const QString& s)
{
    if (FOpen > 0 && FPending) { FPending->setText(s); return; }
    QGuiApplication::clipboard()->setText(s);
}

bool TClipboard::HasFormat(TClipFormat f) const
{
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasFormat(ClipboardMimeType(f));
}

QByteArray TClipboard::GetAsHandle(TClipFormat f) const
{
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m ? m->data(ClipboardMimeType(f)) : QByteArray();
}

void TClipboard::SetAsHandle(TClipFormat f, const QByteArray& data)
{
    if (FOpen > 0 && FPending) { FPending->setData(ClipboardMimeType(f), data); return; }
    auto* m = new QMimeData;
    m->setData(ClipboardMimeType(f), data);
    QGuiApplication::clipboard()->setMimeData(m);
}

void TClipboard::Open()
{
    if (FOpen++ == 0) FPending = new QMimeData;
}

void TClipboard::Close()
{
    if (FOpen == 0) return;
    if (--FOpen == 0) {
        QGuiApplication::clipboard()->setMimeData(FPending);
        FPending = nullptr;
    }
}

void TClipboard::Clear()
{
    if (FOpen > 0 && FPending) { delete FPending; FPending = new QMimeData; return; }
    QGuiApplication::clipboard()->clear();
}

QStringList TClipboard::Formats() const
{
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m ? m->formats() : QStringList();
}
