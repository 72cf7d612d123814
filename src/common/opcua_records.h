#pragma once
// The records the program exchanges with the OPC UA browse library libOPC_UA_Search.so,
// found in the program folder. This header is all its maker needs: it uses no Qt.
//
// Entry points, both extern "C" (the C calling convention of the platform):
//   int32_t opcua_client_begin(opcua_server_to_discover Server);
//       browses the server (the record is passed by value) and returns the number of
//       variables found; 0 or less means none.
//   void opcua_return_variable(opcua_structure* Variable, int32_t Index);
//       fills the caller's record with variable Index (0 to count - 1).
//
// Both records are packed, little-endian, with native 8-byte pointers on x86-64. Texts
// are zero-terminated 8-bit strings in Windows-1252. The program copies every text of a
// returned record before it releases the library, so the library may keep them in its
// own memory until it is unloaded; the server texts it receives stay valid until the
// last opcua_return_variable call of that browse has returned.
//
// opcua_server_to_discover, 52 bytes:
//    0 server_address        text, the endpoint address as typed
//    8 user_pass_auth_flag   0 anonymous, 1 user name and password, 2 certificate
//   12 username              text
//   20 password              text
//   28 cert                  text, the client certificate (may span lines)
//   36 priv_key              text, the private key (may span lines)
//   44 security_type         0 "None", 1 "Sign", 2 "Sign and Encrypt"
//   48 security_policy       0 "None", 1 "Basic 128 RSA 15", 2 "Basic 256",
//                            3 "Basic 256 SHA 256", 4 "AES 128 SHA 256 RSA OAEP",
//                            5 "AES 256 SHA 256 RSA PSS"
// All five texts are passed even when the authorization does not use them.
//
// opcua_structure, 68 bytes, one browsed variable:
//    0 nameSpaceIndex     unsigned 16
//    2 identifierType     unsigned 16: 0 numeric, 3 string, 4 GUID, 5 byte string
//    4 numeric            unsigned 32
//    8 stringname         text of a string identifier (null: empty)
//   16 stringLength       unsigned 32, not read
//   20 guide1             unsigned 32, GUID group 1
//   24 guide2             unsigned 16, GUID group 2
//   26 guide3             unsigned 16, GUID group 3
//   28 guide4             8 bytes: GUID group 4 (bytes 0-1) and group 5 (bytes 2-7)
//   36 byteString         text of a byte-string identifier (null: empty)
//   44 byteStringLength   unsigned 32, not read
//   48 displayName        text (null: empty)
//   56 displayNameLength  unsigned 32, not read
//   60 dataType           signed 32: 0 Boolean, 1 Int8, 2 UInt8, 3 Int16, 4 UInt16,
//                         5 Int32, 6 UInt32, 7 Int64, 8 UInt64, 9 Float, 10 Double,
//                         11 String, 12 DateTime, 13 Guid, 14 ByteString
//   64 accessLevel        bit 0 readable, bit 1 writable (0: both)
//   65 spare              3 bytes, not read

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct opcua_structure {
  uint16_t nameSpaceIndex;
  uint16_t identifierType;
  uint32_t numeric;
  const char* stringname;
  uint32_t stringLength;
  uint32_t guide1;
  uint16_t guide2;
  uint16_t guide3;
  uint8_t guide4[8];
  const char* byteString;
  uint32_t byteStringLength;
  const char* displayName;
  uint32_t displayNameLength;
  int32_t dataType;
  uint8_t accessLevel;
  uint8_t spare[3];
};

struct opcua_server_to_discover {
  const char* server_address;
  int32_t user_pass_auth_flag;
  const char* username;
  const char* password;
  const char* cert;
  const char* priv_key;
  int32_t security_type;
  int32_t security_policy;
};
#pragma pack(pop)

extern "C" {
using opcua_client_begin_fn = int32_t (*)(opcua_server_to_discover Server);
using opcua_return_variable_fn = void (*)(opcua_structure* Variable, int32_t Index);
}

static_assert(sizeof(void*) == 8, "the library's records are laid out for 64-bit pointers");

static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == 8);
static_assert(offsetof(opcua_server_to_discover, username) == 12);
static_assert(offsetof(opcua_server_to_discover, password) == 20);
static_assert(offsetof(opcua_server_to_discover, cert) == 28);
static_assert(offsetof(opcua_server_to_discover, priv_key) == 36);
static_assert(offsetof(opcua_server_to_discover, security_type) == 44);
static_assert(offsetof(opcua_server_to_discover, security_policy) == 48);
static_assert(sizeof(opcua_server_to_discover) == 52);

static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == 16);
static_assert(offsetof(opcua_structure, guide1) == 20);
static_assert(offsetof(opcua_structure, guide2) == 24);
static_assert(offsetof(opcua_structure, guide3) == 26);
static_assert(offsetof(opcua_structure, guide4) == 28);
static_assert(offsetof(opcua_structure, byteString) == 36);
static_assert(offsetof(opcua_structure, byteStringLength) == 44);
static_assert(offsetof(opcua_structure, displayName) == 48);
static_assert(offsetof(opcua_structure, displayNameLength) == 56);
static_assert(offsetof(opcua_structure, dataType) == 60);
static_assert(offsetof(opcua_structure, accessLevel) == 64);
static_assert(offsetof(opcua_structure, spare) == 65);
static_assert(sizeof(opcua_structure) == 68);
