// One place that knows every window's text block. Windows whose texts are not written
// yet simply have no entry here; their indexes stay blank until they are added.

#include "shell/lang_sources.h"

#include "editors_can/can_texts.h"
#include "editors_can/canopen_texts.h"
#include "editors_industrial/ethercat_texts.h"
#include "editors_industrial/iec_client_texts.h"
#include "editors_industrial/iec_variables_texts.h"
#include "editors_industrial/profinet_name_texts.h"
#include "editors_industrial/s7_texts.h"
#include "editors_industrial/tls_cert_texts.h"
#include "editors_it/mqtt_texts.h"
#include "editors_it/opcua_texts.h"
#include "editors_it/snmp_texts.h"
#include "editors_modbus_bacnet/bacnet_texts.h"
#include "editors_modbus_bacnet/modbus_texts.h"
#include "enip_outputs/boot_texts.h"
#include "enip_outputs/enip_master_texts.h"
#include "params_iolink/iolink_slave_texts.h"
#include "params_iolink/par_gen_texts.h"
#include "common/lang_table.h"

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

    // CANopen, industrial Ethernet and IT protocol editors
    Add_Lang_Block_Source(&PDO_Lang_Blocks);
    Add_Lang_Block_Source(&SDO_Client_Lang_Blocks);
    Add_Lang_Block_Source(&SDO_Server_Lang_Blocks);
    Add_Lang_Block_Source(&EtherCAT_Lang_Blocks);
    Add_Lang_Block_Source(&IEC_Client_Lang_Blocks);
    Add_Lang_Block_Source(&IEC_Variables_Lang_Blocks);
    Add_Lang_Block_Source(&TLS_Cert_Lang_Blocks);
    Add_Lang_Block_Source(&Profinet_Name_Lang_Blocks);
    Add_Lang_Block_Source(&S7_Lang_Blocks);
    Add_Lang_Block_Source(&MQTT_Topic_Lang_Blocks);
    Add_Lang_Block_Source(&Topic_Template_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Client_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Add_Server_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Scan_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Server_Lang_Blocks);
    Add_Lang_Block_Source(&SNMP_Manager_Lang_Blocks);
    Add_Lang_Block_Source(&SNMP_Agent_Lang_Blocks);
}
