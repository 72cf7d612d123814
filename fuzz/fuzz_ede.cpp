// Fuzz target of the BACnet EDE list reader: any bytes must parse without a fault, and
// every object kept must be of a type the import knows.

#include "editors_modbus_bacnet/ede_import.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const TBACnet_Var& v : Parse_EDE_Bytes(bytes)) {
        if (!Is_Known_ObjType_EDE(v.object_type) || !v.import || !v.read || v.write != v.commandable)
            std::abort();
    }
    return 0;
}

#include "fuzz_standalone_main.h"
