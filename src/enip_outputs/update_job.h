#pragma once
// Ethernet_Update.xml: the job the outside updater program reads from the
// program folder (device address, ports, protection value and the list of
// transfer operations).

#include <QByteArray>
#include <QString>

// Update options, in the order of the update window's list.
enum TUpdate_Option { uoFirmware_Configuration = 0, uoFirmware = 1, uoConfiguration = 2 };

struct TUpdate_Job {
    QString IP_Address;  // as typed, four parts joined by "."
    int Option = uoFirmware_Configuration;
    bool Read_Back = true;
    QString Dir_Master;   // holds the firmware image
    QString Dir_Project;  // holds bin/bank1.bin to bin/bank3.bin
};

inline const QString Update_Job_File_Name = QStringLiteral("Ethernet_Update.xml");
inline const QString Updater_Program_Name = QStringLiteral("Ethernet_Update");
inline const QString Firmware_File_Name = QStringLiteral("Sim27518.sim");

QByteArray Build_Update_Job(const TUpdate_Job& job);
// Writes the job whole to path; raises EInOutError naming the file.
void Write_Update_Job(const QString& path, const TUpdate_Job& job);
