// Feeds arbitrary bytes to the database reader (mdbtools reads from a file).
#include "platform/office/database_file.h"

#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    QTemporaryFile file;
    if (!file.open())
        return 0;
    file.write(reinterpret_cast<const char*>(Data), qint64(Size));
    file.flush();
    try {
        const QStringList tables = DatabaseTables(file.fileName());
        if (!tables.isEmpty())
            RunDatabaseQuery(file.fileName(), QStringLiteral("SELECT * FROM ") + tables.first());
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
