// A language file laid over the English texts: no crash whatever the bytes.
#include "fuzz_support.h"
#include "common/lang_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool init = (Init_Lang_Table(), true);
    (void)init;
    const QString path = Fuzz_Path("Lang.lng");
    Fuzz_Write(path, data, size);
    FUZZ_REQUIRE(Load_Lang_File(path) || !QFile::exists(path));
    (void)Lang_Str(1505);
    return 0;
}

#include "fuzz_standalone_main.h"
