// Picture files shown by HTML cells: decoded with every frame selected in turn,
// with the GIF frame scan reading only the bytes that are there.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <exception>

#include "grid/picture_container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(Data), qsizetype(Size));
    THTMLPicture p;
    try {
        p.LoadFromData(bytes);
    } catch (const std::exception&) {
    }
    const int frames = p.FrameCount();
    for (int f = 1; f <= frames + 1 && f <= 8; ++f) {
        (void)p.GetFrameTime(f);
        try {
            p.SetFrame(f);
        } catch (const std::exception&) {
        }
    }
    for (int tick = 0; tick < 4; ++tick) {
        try {
            p.Step();
        } catch (const std::exception&) {
        }
    }
    return 0;
}

#include "fuzz_standalone_main.h"
