#pragma once
// One project file fed to the bank compiler in a project folder of its own; the other
// two files are missing (their defaults). The banks are then written into the folder.

#include "enip_outputs/bank_compiler.h"
#include "fuzz_support.h"
#include "platform/core/exceptions.h"

inline int Fuzz_Bank_Project_File(const char* fileName, const uint8_t* data, size_t size)
{
    const QString project = Fuzz_Path("Project");
    static const bool made = QDir().mkpath(project + QStringLiteral("/bin"));
    (void)made;
    const QString file = project + QLatin1Char('/') + QLatin1String(fileName);
    Fuzz_Write(file, data, size);
    TBankSources sources;
    sources.ParGen = project + QStringLiteral("/ParGen.xml");
    sources.EtherNetIP_Master_Rules = project + QStringLiteral("/EtherNetIP_Master_Rules.xml");
    sources.IOLink_Slave = project + QStringLiteral("/IOLink_Slave.xml");
    try {
        Compile_Banks(sources);
    } catch (const EXmlError&) {
        return 0;  // not well-formed: reported, nothing compiled
    }
    QString error;
    (void)Write_Bank_Files(project, &error);  // a failure names the file to the user
    return 0;
}
