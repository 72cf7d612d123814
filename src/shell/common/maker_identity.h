#pragma once
// The maker's identifiers written into the IODD document. One place for all
// of them; the values must stay inside what the IODD 1.1 schema accepts
// (vendorId 1..65535, deviceId 1..16777215).

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

static_assert(IOLink_Vendor_Id >= 1 && IOLink_Vendor_Id <= 65535);
static_assert(IOLink_Device_Id >= 1 && IOLink_Device_Id <= 16777215);
// Defaults of V_VendorName and V_VendorText, both restricted to 32 characters.
static_assert(std::char_traits<char>::length(Vendor_Name) <= 32);
static_assert(std::char_traits<char>::length(Web_Address) <= 32);

}  // namespace maker
