// Plain text of rich-edit content: any bytes must give some text, without a crash,
// a hang or a read past the end.
#include "platform/ui/richedit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::vector<uint8_t> bytes(Data, Data + Size);
    const QString text = RTF_To_Plain_Text(bytes);
    // Every produced character comes from at least one input byte.
    if (size_t(text.size()) > Size)
        __builtin_trap();
    return 0;
}
