#include "editors_can/canopen_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> PDO_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("Set PDO Access") << QStringLiteral("Set PDO Access");  // 2800
    t << Lang_Row_Buttons();                                                         // 2802
    t << QStringLiteral("Confirm and save the CANopen PDOs List")               // 2808
      << QStringLiteral("Exit without save the CANopen PDOs List");
    t << Lang_Row_Command_Hints();                                                   // 2810
    t << QStringLiteral("Receive PDO") << QStringLiteral("Transmit PDO");       // 2814
    // Receive grid headers, 2816
    t << QStringLiteral("N") << QStringLiteral("COB-ID") << QStringLiteral("Dimension")
      << Lang_Numbered(QStringLiteral("Add B"), 8) << QStringLiteral("TimeOut") << QStringLiteral("Mnemonic");
    // Transmit grid headers, 2829
    t << QStringLiteral("N") << QStringLiteral("COB-ID") << QStringLiteral("Dimension")
      << Lang_Numbered(QStringLiteral("Add B"), 8) << QStringLiteral("Send Time") << QStringLiteral("On Change")
      << QStringLiteral("Mnemonic");
    // Receive grid hints, 2843
    t << QStringLiteral("Insert the COB-ID of CANopen PDO Frame (from 0x000 to 0x7FF)")
      << QStringLiteral("Insert the Dimension in Byte of CANopen PDO Frame (from 1 to 8)")
      << Lang_Numbered(QStringLiteral("Insert the position of array where put the byte "), 8,
                  QStringLiteral(" of CANopen PDO frame"))
      << QStringLiteral("Insert the TimeOut in milliseconds of data for each CANopen PDO frames, insert 0 do "
                        "disable the function")
      << QStringLiteral("Insert a description of the CANopen PDO Frame");
    // Transmit grid hints, 2855
    t << QStringLiteral("Insert the COB-ID of CANopen PDO Frame (from 0x000 to 0x7FF)")
      << QStringLiteral("Insert the Dimension in Byte of CANopen PDO Frame (from 1 to 8)")
      << Lang_Numbered(QStringLiteral("Insert the position of array where place in byte "), 8,
                  QStringLiteral(" of CANopen PDO frame"))
      << QStringLiteral("Insert the Time in milliseconds between the sending of CANopen PDO frames")
      << QStringLiteral("Enable or Disable the possibility to send the CANopen PDO Frame if a Data Byte changes")
      << QStringLiteral("Insert a description of the CANopen PDO Frame");
    t << QStringLiteral("Error row ");  // 2868
    for (const char* grid : {"Receive PDO", "Transmit PDO"}) {
        const QString head = QStringLiteral("!! [%1] ").arg(QLatin1String(grid));
        t << head + QStringLiteral("COB-ID must be between 0x000 and 0x7FF")
          << head + QStringLiteral("Dimension must be between 1 and 8")
          << Lang_Numbered(head + QStringLiteral("Address Byte"), 8, QStringLiteral(" must be between 0 and "));
        if (QLatin1String(grid) == QLatin1String("Receive PDO"))
            t << head + QStringLiteral("TimeOut must be between 0 and 65535");  // 2879
        else
            t << head + QStringLiteral("Send Time must be between 0 and 100000000");  // 2890
    }
    t << Lang_Delete_Row_Question();  // 2891
    // The EDS writer's refusals of a row, %d the row
    const QString notWritten = QStringLiteral("Error!! The EDS file was not written: ");
    t << notWritten + QStringLiteral("[Receive PDO] row %d, Dimension must be between 0 and 8")  // 2892
      << notWritten + QStringLiteral("[Transmit PDO] row %d, Dimension must be between 0 and 8");
    return {{2800, t}};
}

std::vector<TLangBlock> SDO_Client_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("Set SDO Client Access") << QStringLiteral("Set SDO Client Access");  // 2900
    t << Lang_Row_Buttons();                                                                       // 2902
    t << QStringLiteral("Confirm and save the CANopen SDOs Client List")                      // 2908
      << QStringLiteral("Exit without save the CANopen SDOs Client List");
    t << Lang_Row_Command_Hints();                                                                 // 2910
    t << QStringLiteral("SDO Read") << QStringLiteral("SDO Write");                           // 2914
    // Read grid headers, 2916
    t << QStringLiteral("N") << QStringLiteral("ID Device") << QStringLiteral("Index") << QStringLiteral("SubIndex")
      << QStringLiteral("N Byte") << QStringLiteral("Poll Time") << Lang_Numbered(QStringLiteral("Add Byte"), 4)
      << QStringLiteral("Mnemonic");
    // Write grid headers, 2927
    t << QStringLiteral("N") << QStringLiteral("ID Device") << QStringLiteral("Index") << QStringLiteral("SubIndex")
      << QStringLiteral("N Byte") << QStringLiteral("Poll Time") << QStringLiteral("On Change")
      << Lang_Numbered(QStringLiteral("Add Byte"), 4) << QStringLiteral("Mnemonic");
    const QString idHint = QStringLiteral("Insert the ID of the CANopen Device (from 1 to 127)");
    const QString indexHint = QStringLiteral("Insert the Index of SDO Request (from 0x1000 to 0xFFFF)");
    const QString subIndexHint = QStringLiteral("Insert the SubIndex of SDO Request (from 0x00 to 0xFF)");
    const QString nByteHint = QStringLiteral("Insert the Number of Bytes of SDO Request, 1 or 2 or 4 bytes");
    const QString timeHint = QStringLiteral("Insert the Time in milliseconds between the sending of CANopen SDO Request");
    const QString descHint = QStringLiteral("Insert a description of the CANopen SDO Request");
    // Read grid hints, 2939
    t << idHint << indexHint << subIndexHint << nByteHint << timeHint
      << Lang_Numbered(QStringLiteral("Insert the position of array where place in byte "), 4,
                  QStringLiteral(" of CANopen SDO Request"))
      << descHint;
    // Write grid hints, 2949
    t << idHint << indexHint << subIndexHint << nByteHint << timeHint
      << QStringLiteral("Enable or Disable the possibility to send the CANopen SDO Request if a Data Byte changes")
      << Lang_Numbered(QStringLiteral("Insert the position of array where put the byte "), 4,
                  QStringLiteral(" of CANopen SDO Request"))
      << descHint;
    t << QStringLiteral("Error row ");  // 2960
    for (const char* grid : {"SDO Read", "SDO Write"}) {
        const QString head = QStringLiteral("!! [%1] ").arg(QLatin1String(grid));
        const bool read = QLatin1String(grid) == QLatin1String("SDO Read");
        t << head + QStringLiteral("Device ID must be between 1 and 127")
          << head + QStringLiteral("Index must be between 0x1000 and 0xFFFF")
          << head + QStringLiteral("SubIndex must be between 0x00 and 0xFF")
          << head + QStringLiteral("N Byte must be 1 or 2 or 4")
          << head + (read ? QStringLiteral("Poll Time must be between 1 and 100000000")
                          : QStringLiteral("Poll Time must be between 0 and 100000000"))
          << Lang_Numbered(head + QStringLiteral("Address Byte"), 4, QStringLiteral(" must be between 0 and "));
    }
    t << Lang_Delete_Row_Question();  // 2979
    t << QStringLiteral("!! [SDO Read] SubIndex 0 must be of 1 byte when the Device has other SubIndexes of this Index")  // 2980
      << QStringLiteral("!! [SDO Write] SubIndex 0 must be of 1 byte when the Device has other SubIndexes of this Index");
    return {{2900, t}};
}

std::vector<TLangBlock> SDO_Server_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("Set SDO Server Access") << QStringLiteral("Set SDO Server Access");  // 3000
    t << Lang_Row_Buttons();                                                                       // 3002
    t << QStringLiteral("Confirm and save the CANopen SDOs Server List")                      // 3008
      << QStringLiteral("Exit without save the CANopen SDOs Server List");
    t << Lang_Row_Command_Hints();                                                                 // 3010
    t << QStringLiteral("SDO in Read") << QStringLiteral("SDO in Write");                     // 3014
    // Headers of both grids, 3016 and 3025
    for (int grid = 0; grid < 2; ++grid)
        t << QStringLiteral("N") << QStringLiteral("Index") << QStringLiteral("SubIndex") << QStringLiteral("N Byte")
          << Lang_Numbered(QStringLiteral("Add Byte"), 4) << QStringLiteral("Mnemonic");
    // Hints of both grids, 3034 and 3042: the CANopen side reads from the area or writes into it
    for (const char* verb : {"read", "write"})
        t << QStringLiteral("Insert the Index of SDO") << QStringLiteral("Insert the SubIndex of SDO")
          << QStringLiteral("Insert the Number of Bytes of SDO, 1 or 2 or 4 bytes")
          << Lang_Numbered(QStringLiteral("Insert the position of array where %1 the byte ").arg(QLatin1String(verb)), 4,
                      QStringLiteral(" of CANopen SDO Request"))
          << QStringLiteral("Insert a description of the CANopen SDO Request");
    t << QStringLiteral("Error row ");  // 3050
    for (const char* grid : {"SDO in Read", "SDO in Write"}) {
        const QString head = QStringLiteral("!! [%1] ").arg(QLatin1String(grid));
        t << head + QStringLiteral("Index must be between 0x2000 and 0x5FFF")
          << head + QStringLiteral("SubIndex must be between 0x00 and 0xFF")
          << head + QStringLiteral("N Byte must be 1 or 2 or 4")
          << Lang_Numbered(head + QStringLiteral("Address Byte"), 4, QStringLiteral(" must be between 0 and "));
    }
    t << Lang_Delete_Row_Question();  // 3065
    t << QStringLiteral("!! [SDO in Read] SubIndex 0 must be of 1 byte when the Index has other SubIndexes")  // 3066
      << QStringLiteral("!! [SDO in Write] SubIndex 0 must be of 1 byte when the Index has other SubIndexes");
    // The EDS writer's refusals of a row, %d the row: read list 3068 to 3071, write list 3072 to 3075
    for (const char* list : {"[SDO in Read]", "[SDO in Write]"}) {
      const QString head = QStringLiteral("Error!! The EDS file was not written: ") + QString::fromLatin1(list) +
                           QStringLiteral(" row %d, ");
      t << head + QStringLiteral("Index must be between 0x0000 and 0xFFFF")
        << head + QStringLiteral("SubIndex must be between 0x00 and 0xFF") << head + QStringLiteral("N Byte must be a number")
        << head + QStringLiteral("SubIndex 0 must be of 1 byte when the Index has other SubIndexes");
    }
    return {{3000, t}};
}
