// Feeds arbitrary bytes to the zip reader and inflates every entry it lists.
#include "platform/core/zip_archive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TZipArchiveReader r;
    if (!r.Open(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size))))
        return 0;
    for (int i = 0; i < r.Count(); ++i) {
        try {
            r.ReadIndex(i);
        } catch (const Exception&) {
        }
    }
    return 0;
}

#include "fuzz_standalone_main.h"
