#pragma once
// The maker's identifiers written into the device description files (IODD, EtherCAT ESI,
// PROFINET GSDML). One place for all of them; the IODD values must stay inside what the
// IODD 1.1 schema accepts (vendorId 1..65535, deviceId 1..16777215).

#include <cstdint>
#include <string>

namespace maker {

inline constexpr uint32_t IOLink_Vendor_Id = 1317;
inline constexpr uint32_t IOLink_Device_Id = 318040;
inline constexpr const char* Vendor_Name = "Norvel";
inline constexpr const char* Device_Code = "MB31804";
inline constexpr const char* Device_Family = "Norvel Gateways";
inline constexpr const char* Notice_Text = "Copyright Norvel";
// Also the default of V_VendorText, which holds at most 32 characters.
inline constexpr const char* Web_Address = "www.norvel.example";

// EtherCAT: the vendor id and product code of the ESI file, and its 16 x 14 picture (a
// 16-colour bitmap file of our own, as lower-case hexadecimal text).
inline constexpr uint32_t EtherCAT_Vendor_Id = 0x00000A31;
inline constexpr uint32_t EtherCAT_Product_Code = 0x00027518;
inline constexpr const char* EtherCAT_Image_16x14 =
    "424de6000000000000007600000028000000100000000e000000010004000000000070000000c40e0000c40e00001000"
    "0000000000000000000000308000ffffff00ff8c00000000000000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000001111111111111111133333333333333111221111111221111122"
    "111111222111112211111222211111221111221221111122111221122111112211221112211111221221111221111122"
    "2211111221111122211111122111112211111112211111111111111111111111111111111111";

// PROFINET: the identifiers of the GSDML device identity (four hexadecimal digits each).
inline constexpr uint16_t PROFINET_Vendor_ID = 0x0A31;
inline constexpr uint16_t PROFINET_Device_ID = 0x7518;

static_assert(IOLink_Vendor_Id >= 1 && IOLink_Vendor_Id <= 65535);
static_assert(IOLink_Device_Id >= 1 && IOLink_Device_Id <= 16777215);
// Defaults of V_VendorName and V_VendorText, both restricted to 32 characters.
static_assert(std::char_traits<char>::length(Vendor_Name) <= 32);
static_assert(std::char_traits<char>::length(Web_Address) <= 32);
// A 16 x 14 bitmap file of 4 bits per pixel: 118 bytes of headers and palette, 112 of pixels.
static_assert(std::char_traits<char>::length(EtherCAT_Image_16x14) == 2 * 230);

}  // namespace maker
