#pragma once
// Loading a shared library and looking up its functions. A bare name is looked for in the
// program folder; a missing library or symbol raises EDynLibError naming it.

#include "platform/core/exceptions.h"

#include <QString>

class TDynLib {
public:
    TDynLib() = default;
    explicit TDynLib(const QString& Name) { Open(Name); }
    ~TDynLib();
    TDynLib(const TDynLib&) = delete;
    TDynLib& operator=(const TDynLib&) = delete;

    void Open(const QString& Name);
    void Close();
    bool IsOpen() const { return FHandle != nullptr; }
    const QString& FileName() const { return FFileName; }

    void* Symbol(const QString& Name) const;   // raises EDynLibError
    template <typename F>
    F Function(const QString& Name) const
    {
        return reinterpret_cast<F>(Symbol(Name));
    }

private:
    void* FHandle = nullptr;
    QString FFileName;
};

// Where Open looks for a library given by name only.
QString DynLibPath(const QString& Name);
