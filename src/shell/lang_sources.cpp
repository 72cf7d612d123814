// One place that knows every window's text block. Windows whose texts are not written
// yet simply have no entry here; their indexes stay blank until they are added.

#include "shell/lang_sources.h"

#include "editors_can/can_texts.h"
#include "editors_modbus_bacnet/bacnet_texts.h"
#include "editors_modbus_bacnet/modbus_texts.h"
#include "enip_outputs/boot_texts.h"
#include "enip_outputs/enip_master_texts.h"
#include "params_iolink/iolink_slave_texts.h"
#include "params_iolink/par_gen_texts.h"
#include "shell/common/lang_table.h"

void Register_Lang_Sources()
{
    Add_Lang_Block_Source(&ParGen_Lang_Blocks);
    Add_Lang_Block_Source(&Boot_Lang_Blocks);

    // IO-Link slave, EtherNet/IP scanner, Modbus, BACnet and CAN-family editors.
    Add_Lang_Block_Source(&IOLinkSlave_Lang_Blocks);
    Add_Lang_Block_Source(&EnipMaster_Lang_Blocks);
    Add_Lang_Block_Source(&Modbus_Lang_Blocks);
    Add_Lang_Block_Source(&BACnet_Lang_Blocks);
    Add_Lang_Block_Source(&CAN_Lang_Blocks);
}
