#pragma once
// Opening a web link or a file in the desktop's default application, behind a seam.

#include <QString>
#include <QStringList>

class IShellOpener {
public:
    virtual ~IShellOpener();
    // True when the request was handed to the desktop.
    virtual bool OpenDocument(const QString& UrlOrPath) = 0;
};

// The opener in use; SetShellOpener(nullptr) restores the real one. Not owned.
IShellOpener& ShellOpener();
void SetShellOpener(IShellOpener* Opener);
bool ShellOpen(const QString& UrlOrPath);

// Records what was asked to open; answers with Result.
class TRecordingShellOpener : public IShellOpener {
public:
    bool OpenDocument(const QString& UrlOrPath) override
    {
        Opened << UrlOrPath;
        return Result;
    }
    QStringList Opened;
    bool Result = true;
};
