// Fuzz target for the CANopen EDS writer's readers of the PDO map and the SDO server list:
// the input is written as both project files and the sheet is written from them. A file
// the readers refuse raises, which is an expected outcome, and then the sheet written
// before stays as it was.

#include "fuzz_support.h"

#include "editors_can/canopen_eds_writer.h"

#include "platform/core/exceptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QString pdo = Fuzz_Path("PDO_CANopen.xml");
    const QString sdo = Fuzz_Path("SDO_Server_CANopen.xml");
    const QString eds = Fuzz_Path("out.eds");
    Fuzz_Write(pdo, Data, Size);
    Fuzz_Write(sdo, Data, Size);
    const uint8_t old[] = {'o', 'l', 'd'};
    Fuzz_Write(eds, old, sizeof old);
    try {
        Write_EDS_File(eds, pdo, sdo);
    } catch (const Exception&) {
        QFile f(eds);
        FUZZ_REQUIRE(f.open(QIODevice::ReadOnly) && f.readAll() == QByteArray("old"));
    }
    return 0;
}

#include "fuzz_standalone_main.h"
