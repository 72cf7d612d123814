// Instances of the windows still to be written, and the writers of the hidden steps.

#include "shell/window_set.h"

TFReceiveCAN* FReceiveCAN = nullptr;
TFTransmitCAN* FTransmitCAN = nullptr;
TFDefOffset* FDefOffset = nullptr;
TFDNet* FDNet = nullptr;
TFReceiveJ1939* FReceiveJ1939 = nullptr;
TFTransmitJ1939* FTransmitJ1939 = nullptr;
TFReceiveNMEA* FReceiveNMEA = nullptr;
TFTransmitNMEA* FTransmitNMEA = nullptr;
