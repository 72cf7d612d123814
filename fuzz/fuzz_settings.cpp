// The settings file: any content reads to values (or the defaults), and saving and
// reading again keeps every value.
#include "fuzz_support.h"
#include "platform/core/exceptions.h"
#include "common/working_state.h"

namespace {

bool Same(const TWorkingState& a, const TWorkingState& b)
{
    return a.Project_Name == b.Project_Name && a.Last_IP_Address == b.Last_IP_Address &&
           a.Language_Name == b.Language_Name && a.Enable_Internet == b.Enable_Internet &&
           a.Enable_Update == b.Enable_Update && a.Enable_Jump_Field_Tables == b.Enable_Jump_Field_Tables &&
           a.Double_Click_Auto_Size == b.Double_Click_Auto_Size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TWorkingState ws(Fuzz_Dir());
    Fuzz_Write(ws.Settings_File(), data, size);
    ws.Read_Setting();
    try {
        ws.Save_Setting();
    } catch (const Exception&) {
        return 0;  // the machine's disk, not the reader: reported to the user as such
    }
    TWorkingState back(Fuzz_Dir());
    back.Read_Setting();
    FUZZ_REQUIRE(Same(ws, back));
    return 0;
}

#include "fuzz_standalone_main.h"
