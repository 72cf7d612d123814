#pragma once
// What the fuzz targets share: a private folder for the files a reader needs, and a
// failure that libFuzzer records as a crash.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// One folder per fuzzing process, removed at exit.
inline const QString& Fuzz_Dir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

inline QString Fuzz_Path(const char* name)
{
    return Fuzz_Dir() + QLatin1Char('/') + QLatin1String(name);
}

inline void Fuzz_Write(const QString& path, const uint8_t* data, size_t size)
{
    // A file the machine cannot write (a full disk) gives the reader a short file: still
    // an input it must take.
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
}

// A broken promise of the code under test: libFuzzer keeps the input.
#define FUZZ_REQUIRE(cond)                                                          \
    do {                                                                            \
        if (!(cond)) {                                                              \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
