// Instances of the windows still to be written, and the writers of the hidden steps.

#include "shell/window_set.h"

TFReceiveCAN* FReceiveCAN = nullptr;
TFTransmitCAN* FTransmitCAN = nullptr;
TFDefOffset* FDefOffset = nullptr;
TFDNet* FDNet = nullptr;
TFEtherCATSlave* FEtherCATSlave = nullptr;
TFIEC61850_Variables* FIEC61850_Variables = nullptr;
TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;
TFReceiveJ1939* FReceiveJ1939 = nullptr;
TFTransmitJ1939* FTransmitJ1939 = nullptr;
TFReceiveNMEA* FReceiveNMEA = nullptr;
TFTransmitNMEA* FTransmitNMEA = nullptr;
TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;
TFProfinetFileName* FProfinetFileName = nullptr;
