#include "params_iolink/par_gen_texts.h"

std::vector<TLangBlock> ParGen_Lang_Blocks()
{
    return {
        {400, {
            QStringLiteral("Set Communication"),
            QStringLiteral("Set Communication Setting"),
            QStringLiteral("OK"),
            QStringLiteral("Cancel"),
            QStringLiteral("Confirm and Save the current configuration"),
            QStringLiteral("Exit and Discard the current configuration"),
            QStringLiteral("IO-Link Slave"),                             // 406
            QStringLiteral("Baudrate"),
            QStringLiteral("Select Baudrate to use in IO-Link Slave"),
        }},
        {633, {
            QStringLiteral("EtherNet/IP Master"),
            QStringLiteral("IP Address"),                                // 634
            QStringLiteral("Insert First byte of IP Address"),
            QStringLiteral("Insert Second byte of IP Address"),
            QStringLiteral("Insert Third byte of IP Address"),
            QStringLiteral("Insert Fourth byte of IP Address"),
            QStringLiteral("SubNet Mask"),                               // 639
            QStringLiteral("Insert First byte of SubNet Mask"),
            QStringLiteral("Insert Second byte of SubNet Mask"),
            QStringLiteral("Insert Third byte of SubNet Mask"),
            QStringLiteral("Insert Fourth byte of SubNet Mask"),
            QStringLiteral("Gateway"),                                   // 644
            QStringLiteral("Enable/disable the Default Gateway"),
            QStringLiteral("Insert First byte of Default Gateway"),
            QStringLiteral("Insert Second byte of Default Gateway"),
            QStringLiteral("Insert Third byte of Default Gateway"),
            QStringLiteral("Insert Fourth byte of Default Gateway"),
            QStringLiteral("Port"),                                      // 650
            QStringLiteral("Insert the Port of EtherNet/IP (fixed to 44818)"),
        }},
        {1307, {
            QStringLiteral("Ethernet Connection"),
            QStringLiteral("Device Name (Hostname)"),                    // 1308
            QStringLiteral("Insert the Device Name (hostname)"),
            QStringLiteral("Obtain an IP Address Automatically (DHCP for Cable Connection)"),
            QStringLiteral("Obtain an IP Address Automatically from server DHCP for the connection via Cable"),
            QStringLiteral("Obtain an IP Address Automatically (DHCP for Wi-Fi Connection)"),
            QStringLiteral("Obtain an IP Address Automatically from server DHCP for the connection via Wi-Fi"),
            QStringLiteral("Enable DNS"),                                // 1314
            QStringLiteral("Enable/Disable the DNS"),
            QStringLiteral("Primary DNS"),                               // 1316
            QStringLiteral("Insert First byte of Primary DNS"),
            QStringLiteral("Insert Second byte of Primary DNS"),
            QStringLiteral("Insert Third byte of Primary DNS"),
            QStringLiteral("Insert Fourth byte of Primary DNS"),
            QStringLiteral("Secondary DNS"),                             // 1321
            QStringLiteral("Insert First byte of Secondary DNS"),
            QStringLiteral("Insert Second byte of Secondary DNS"),
            QStringLiteral("Insert Third byte of Secondary DNS"),
            QStringLiteral("Insert Fourth byte of Secondary DNS"),
        }},
        {1405, {
            QStringLiteral("Error Primary DNS!! DNS 1 must be between 0 and 255"),
            QStringLiteral("Error Primary DNS!! DNS 2 must be between 0 and 255"),
            QStringLiteral("Error Primary DNS!! DNS 3 must be between 0 and 255"),
            QStringLiteral("Error Primary DNS!! DNS 4 must be between 0 and 255"),
            QStringLiteral("Error Secondary DNS!! DNS 1 must be between 0 and 255"),
            QStringLiteral("Error Secondary DNS!! DNS 2 must be between 0 and 255"),
            QStringLiteral("Error Secondary DNS!! DNS 3 must be between 0 and 255"),
            QStringLiteral("Error Secondary DNS!! DNS 4 must be between 0 and 255"),
        }},
        {1470, {
            QStringLiteral("Error EtherNet/IP Master!! IP Address 1 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! IP Address 2 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! IP Address 3 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! IP Address 4 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! SUBNET Mask 1 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! SUBNET Mask 2 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! SUBNET Mask 3 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! SUBNET Mask 4 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! GATEWAY IP 1 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! GATEWAY IP 2 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! GATEWAY IP 3 must be between 0 and 255"),
            QStringLiteral("Error EtherNet/IP Master!! GATEWAY IP 4 must be between 0 and 255"),
        }},
    };
}
