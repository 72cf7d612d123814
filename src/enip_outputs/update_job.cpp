#include "enip_outputs/update_job.h"

#include "platform/core/files.h"
#include "platform/core/xml.h"

#include <vector>

namespace {

void Add(TXmlNode parent, const char* name, const QString& text)
{
    parent.AddChild(QLatin1String(name)).SetText(text);
}

// Bank files go to fixed device addresses; the firmware image has its own.
struct TOperation {
    QString File;
    const char* Start;
    bool Firmware;
    bool Go_To_App;
};

}  // namespace

QByteArray Build_Update_Job(const TUpdate_Job& job)
{
    // Written through the project files' XML layer, so the job has their saved form.
    TXmlDocument doc;
    TXmlNode root = doc.AddChild(QStringLiteral("Ethernet_Update"));
    Add(root, "Version", QStringLiteral("1000"));
    Add(root, "Title", QStringLiteral("Norvel - TK27518 Ethernet Update"));
    Add(root, "IP_Address_Dev", job.IP_Address);
    Add(root, "Application_Port", QStringLiteral("10000"));
    Add(root, "Boot_Port", QStringLiteral("2008"));
    Add(root, "Boot_Port_Sec", QStringLiteral("2007"));
    Add(root, "Address_Protection", QStringLiteral("0x07800"));
    Add(root.AddChild(QStringLiteral("Protections")), "Protection", QStringLiteral("0xE5A"));
    TXmlNode ops = root.AddChild(QStringLiteral("Operations"));

    const QString bin = PathJoin(job.Dir_Project, QStringLiteral("bin"));
    const TOperation firmware{PathJoin(job.Dir_Master, Firmware_File_Name), "0x8000", true,
                              job.Option == uoFirmware};
    const TOperation banks[3] = {{PathJoin(bin, QStringLiteral("bank1.bin")), "0x07000", false, false},
                                 {PathJoin(bin, QStringLiteral("bank2.bin")), "0x80000", false, false},
                                 {PathJoin(bin, QStringLiteral("bank3.bin")), "0x90000", false, true}};
    std::vector<TOperation> list;
    if (job.Option == uoFirmware_Configuration || job.Option == uoFirmware)
        list.push_back(firmware);
    if (job.Option == uoFirmware_Configuration || job.Option == uoConfiguration)
        list.insert(list.end(), std::begin(banks), std::end(banks));

    const QString read_back = job.Read_Back ? QStringLiteral("1") : QStringLiteral("0");
    for (const TOperation& o : list) {
        TXmlNode op = ops.AddChild(QStringLiteral("Operation"));
        Add(op, "Ope_Protection_Enabled", QString());
        Add(op, "Ope_GoToBoot_Before", QStringLiteral("0"));
        Add(op, "Ope_GoToApp_Before", QStringLiteral("0"));
        Add(op, "Ope_IP_Address", QString());
        Add(op, "Ope_Port", QStringLiteral("2008"));
        Add(op, "Ope_Port_Sec", QStringLiteral("2007"));
        Add(op, "Ope_Erase_Memory", QStringLiteral("0"));
        Add(op, "Ope_FileName", o.File);
        Add(op, "Ope_Start_Address", QString::fromLatin1(o.Start));
        Add(op, "Ope_Memory_Type", QStringLiteral("0"));
        Add(op, "Ope_Bank_Type", o.Firmware ? QStringLiteral("1") : QStringLiteral("2"));
        Add(op, "Ope_Read_Back", read_back);
        Add(op, "Ope_Write_CSS", o.Firmware ? QStringLiteral("1") : QStringLiteral("0"));
        Add(op, "Ope_Address_CSS", QStringLiteral("0x07A00"));
        Add(op, "Ope_Command_CSS", QStringLiteral("0x02"));
        Add(op, "Ope_Write_Internal_Data", QStringLiteral("0"));
        Add(op, "Ope_WID_Address", QStringLiteral("0x07810"));
        Add(op, "Ope_WID_Command", QStringLiteral("0x02"));
        Add(op, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
        Add(op, "Ope_GoToApp_After", o.Go_To_App ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return doc.SaveToBytes();
}

void Write_Update_Job(const QString& path, const TUpdate_Job& job)
{
    WriteFileAtomic(path, Build_Update_Job(job));
}
