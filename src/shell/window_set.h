#pragma once
// Every window class of the program: the real ones where they exist, the stand-ins of
// pending_windows.h for the others. Switch a window to its real class here.

// Real windows of other folders.
#include "editors_it/mqtt_set_topic_window.h"
#include "editors_it/mqtt_topic_template_window.h"
#include "editors_it/snmp_agent_window.h"
#include "editors_it/snmp_manager_window.h"
#include "editors_modbus_bacnet/bacnet_client_window.h"
#include "editors_modbus_bacnet/bacnet_eng_unit_window.h"
#include "editors_modbus_bacnet/bacnet_import_ede_window.h"
#include "editors_modbus_bacnet/bacnet_server_window.h"
#include "editors_modbus_bacnet/modbus_serial_master_window.h"
#include "editors_modbus_bacnet/modbus_tcp_master_window.h"
#include "editors_it/opcua_client_window.h"
#include "editors_it/opcua_scan_dialog.h"
#include "editors_it/opcua_server_dialog.h"
#include "editors_it/opcua_server_window.h"
#include "enip_outputs/boot_window.h"
#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_master_window.h"
#include "params_iolink/iolink_slave_window.h"
#include "params_iolink/par_gen_window.h"

#include "shell/about_box.h"
#include "shell/main_window.h"
#include "shell/new_project.h"
#include "shell/open_conf.h"
#include "shell/pending_windows.h"
#include "shell/soft_options.h"
