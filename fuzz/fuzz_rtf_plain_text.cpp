// Fuzz target for the rich edit's plain text of RTF content: any bytes give some text,
// without a crash, a hang or a read past the end, and never more characters than bytes.
// Built with -fsanitize=fuzzer it is a libFuzzer target; with KV_FUZZ_STANDALONE it runs
// the files named on its command line.

#include "platform/ui/richedit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::vector<uint8_t> bytes(Data, Data + Size);
    const QString text = RTF_To_Plain_Text(bytes);
    if (size_t(text.size()) > Size)
        __builtin_trap();
    return 0;
}

#include "fuzz_standalone_main.h"
