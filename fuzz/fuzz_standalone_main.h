#pragma once
// Included last by each fuzz target: with KV_FUZZ_STANDALONE (no libFuzzer) the target
// becomes a program that runs the files named on its command line once each.

#ifdef KV_FUZZ_STANDALONE
#include "platform/core/files.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        // Named first, so that the file behind a crash is the last one printed.
        std::fprintf(stderr, "Running: %s\n", argv[i]);
        const QByteArray b = ReadBinaryFile(QString::fromLocal8Bit(argv[i]));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size()));
    }
    return 0;
}
#endif
