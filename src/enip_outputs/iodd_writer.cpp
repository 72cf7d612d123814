#include "enip_outputs/iodd_writer.h"

#include "enip_outputs/crc32.h"
#include "platform/core/files.h"
#include "platform/core/zip_archive.h"

uint32_t Write_IODD_Xml(const QString& documentPath, const TIODD_Data& data, const QDate& date)
{
    WriteFileAtomic(documentPath, Build_IODD_Document(data, QString(), date));
    const uint32_t crc = File_CRC32(documentPath);
    WriteFileAtomic(documentPath, Build_IODD_Document(data, QString::number(crc), date));
    return crc;
}

bool Zip_IODD_Files(const QString& packagePath, const QString& documentPath, const QString& pictureDir,
                    QString* failed)
{
    // The old package stays until the new one is complete beside it.
    // Entries under their bare file names, dated by the files, at the best compression; the
    // entries added before a file that cannot be read still make a closed archive.
    TZipArchiveWriter zip;
    QStringList files{documentPath};
    for (const QString& p : IODD_Picture_Names)
        files << PathJoin(pictureDir, p);
    bool complete = true;
    for (const QString& f : files) {
        if (!zip.AddFile(f)) {
            if (failed)
                *failed = f;
            complete = false;
            break;
        }
    }
    if (!zip.SaveToFile(packagePath)) {
        if (failed)
            *failed = packagePath;
        return false;
    }
    return complete;
}
