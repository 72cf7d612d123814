#include "enip_outputs/boot_texts.h"

std::vector<TLangBlock> Boot_Lang_Blocks()
{
    return {{1600,
             {
                 QStringLiteral("Update Device by Serial"),                      // 1600
                 QStringLiteral("Update Device Using the Serial Port"),          // 1601
                 QStringLiteral("Update Device by Ethernet (UDP)"),              // 1602
                 QStringLiteral("Update Device Using the Ethernet Port"),        // 1603
                 QStringLiteral("Update Device by USB"),                         // 1604
                 QStringLiteral("Update Device Using the USB Port"),             // 1605
                 QStringLiteral("Insert the IP Address of Device"),              // 1606
                 QStringLiteral("Select the COM Port"),                          // 1607
                 QStringLiteral("Update COM Ports List"),                        // 1608
                 QStringLiteral("List of Devices Find in Network"),              // 1609
                 QStringLiteral("Search"),                                       // 1610
                 QStringLiteral("IP Address"),                                   // 1611
                 QStringLiteral("MAC Address"),                                  // 1612
                 QStringLiteral("Find all Norvel Devices"),                      // 1613
                 QStringLiteral("Select Update Options"),                        // 1614
                 QStringLiteral("Firmware + Configuration"),                     // 1615
                 QStringLiteral("Firmware"),                                     // 1616
                 QStringLiteral("Configuration"),                                // 1617
                 QStringLiteral("Read Back"),                                    // 1618
                 QStringLiteral("Cancel"),                                       // 1619
                 QStringLiteral("Execute Update Firmware"),                      // 1620
                 QStringLiteral("Insert first byte of IP Address"),              // 1621
                 QStringLiteral("Insert second byte of IP Address"),             // 1622
                 QStringLiteral("Insert third byte of IP Address"),              // 1623
                 QStringLiteral("Insert fourth byte of IP Address"),             // 1624
                 QStringLiteral("Select the COM Port of the Device"),            // 1625
                 QStringLiteral("Update the list of COM Ports"),                 // 1626
                 QStringLiteral("Connect the Device to the USB Port"),           // 1627
                 QStringLiteral("Select the USB Device"),                        // 1628
                 QStringLiteral("Serch NVL Device in Network"),                  // 1629
                 QStringLiteral("Select a device in the list"),                  // 1630
                 QStringLiteral("Enable or disable the option to find all Norvel Devices"),  // 1631
                 QStringLiteral("Select the operation to do in update"),         // 1632
                 QStringLiteral("Enable or disable the possibility to read back the Firmware/Configuration"),  // 1633
                 QStringLiteral("Exit without to do the Update"),                // 1634
                 QStringLiteral("Start the update of Device"),                   // 1635
                 QStringLiteral("Device Not Found!"),                            // 1636
                 QStringLiteral("Error!!! Check the Ip Address"),                // 1637
             }}};
}
