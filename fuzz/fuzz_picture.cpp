// Fuzz target for the picture loader the image drop-down reads folder entries
// with (BMP, ICO, JPEG, GIF, PNG and Windows metafiles by their first bytes): any bytes either give a
// picture or raise an exception, without a crash, a hang or a read past the end.
// Built with -fsanitize=fuzzer it is a libFuzzer target; with KV_FUZZ_STANDALONE
// it runs the files named on its command line.

#include "platform/ui/graphics.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(Data), qsizetype(Size));
    TPicture p;
    try {
        p.LoadFromData(bytes);
    } catch (const std::exception&) {
        if (p.Graphic())
            __builtin_trap(); // a failed load leaves no picture behind
        return 0;
    }
    if (p.Graphic() && (p.Width() < 0 || p.Height() < 0))
        __builtin_trap();
    (void)p.Bitmap();
    return 0;
}

#include "fuzz_standalone_main.h"
