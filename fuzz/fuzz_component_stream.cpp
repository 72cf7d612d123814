// Feeds arbitrary bytes to the component-stream reader, record after record.
#include "platform/core/component_stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TComponentReader r(Data, Size);
    try {
        while (r.Remaining() >= 2) {
            const TComponentRecord rec = r.ReadRecord();
            for (const TComponentProperty& p : rec.Properties) {
                if (p.Value.Kind == TComponentValue::List) {
                    try {
                        p.Value.AsStrings(p.Name);
                    } catch (const Exception&) {
                    }
                }
            }
        }
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
