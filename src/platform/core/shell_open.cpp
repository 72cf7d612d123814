#include "platform/core/shell_open.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

class TXdgOpener : public IShellOpener {
public:
    bool OpenDocument(const QString& UrlOrPath) override
    {
        if (UrlOrPath.isEmpty())
            return false;
        const QString Tool = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (Tool.isEmpty())
            return false;
        return QProcess::startDetached(Tool, {UrlOrPath});
    }
};

IShellOpener* GOpener = nullptr;

}  // namespace

IShellOpener::~IShellOpener() = default;

IShellOpener& ShellOpener()
{
    static TXdgOpener Real;
    return GOpener ? *GOpener : Real;
}

void SetShellOpener(IShellOpener* Opener)
{
    GOpener = Opener;
}

bool ShellOpen(const QString& UrlOrPath)
{
    return ShellOpener().OpenDocument(UrlOrPath);
}
