// EtherNetIP_Master_Rules.xml through the bank compiler.
#include "fuzz_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return Fuzz_Bank_Project_File("EtherNetIP_Master_Rules.xml", data, size);
}

#include "fuzz_standalone_main.h"
