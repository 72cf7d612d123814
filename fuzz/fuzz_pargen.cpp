// ParGen.xml: a file that parses reads to values that survive a write and a read.
#include "fuzz_support.h"
#include "platform/core/exceptions.h"
#include "common/par_gen_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz_Path("ParGen.xml");
    Fuzz_Write(path, data, size);
    TParGen_Data first;
    try {
        first = Read_ParGen_File(path);
    } catch (const Exception&) {
        return 0;  // not well-formed: the caller's error message
    }
    try {
        Write_ParGen_File(path, first);
    } catch (const Exception&) {
        return 0;  // a full disk: reported to the user, not a reader fault
    }
    FUZZ_REQUIRE(Read_ParGen_File(path) == first);
    return 0;
}

#include "fuzz_standalone_main.h"
