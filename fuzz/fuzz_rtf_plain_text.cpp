// Fuzz target for the rich edit's RTF subset: any bytes give some runs and text, without a
// crash, a hang or a read past the end, never more characters than bytes; the runs written
// back as RTF read back to the same text (carriage returns aside, which the writer drops, and
// trailing paragraph ends, which a document never keeps). Built with -fsanitize=fuzzer it is a libFuzzer
// target; with KV_FUZZ_STANDALONE it runs the files named on its command line.

#include "platform/ui/rtf_text.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::vector<uint8_t> bytes(Data, Data + Size);
    const QString text = RTF_To_Plain_Text(bytes);
    if (size_t(text.size()) > Size)
        __builtin_trap();
    auto normal = [](QString t) {
        t.remove(QLatin1Char('\r'));
        while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
        return t;
    };
    const std::vector<TRtfRun> runs = RTF_To_Runs(bytes);
    if (normal(RTF_To_Plain_Text(Runs_To_RTF(runs))) != normal(text))
        __builtin_trap();
    return 0;
}

#include "fuzz_standalone_main.h"
