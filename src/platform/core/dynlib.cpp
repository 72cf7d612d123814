#include "platform/core/dynlib.h"

#include "platform/core/files.h"

#include <QFile>

#include <dlfcn.h>

QString DynLibPath(const QString& Name)
{
    if (Name.contains(PathDelim))
        return Name;
    return PathJoin(ProgramFolder(), Name);
}

TDynLib::~TDynLib()
{
    Close();
}

void TDynLib::Open(const QString& Name)
{
    Close();
    const QString Path = DynLibPath(Name);
    if (!FileExists(Path))
        throw EDynLibError(QStringLiteral("Library \"%1\" not found").arg(Path));
    void* H = ::dlopen(QFile::encodeName(Path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!H) {
        const char* Why = ::dlerror();
        throw EDynLibError(QStringLiteral("Cannot load library \"%1\". %2").arg(Path, QString::fromLocal8Bit(Why ? Why : "")));
    }
    FHandle = H;
    FFileName = Path;
}

void TDynLib::Close()
{
    if (FHandle)
        ::dlclose(FHandle);
    FHandle = nullptr;
    FFileName.clear();
}

void* TDynLib::Symbol(const QString& Name) const
{
    if (!FHandle)
        throw EDynLibError(QStringLiteral("No library loaded to find \"%1\" in").arg(Name));
    ::dlerror();
    void* P = ::dlsym(FHandle, Name.toLatin1().constData());
    if (!P)
        throw EDynLibError(QStringLiteral("Function \"%1\" not found in \"%2\"").arg(Name, FFileName));
    return P;
}
