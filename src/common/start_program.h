#pragma once
// Launching an outside program (the updater) and waiting for it.

#include <QString>

#include <cstdint>

// Launches NomeSW with the parameter text Parameter (split as a shell would) and waits
// for it to end, at most 150 s, without serving window events; a program still running
// then is left running. tipo 0 shows the program's window normally, anything else
// hides it. A program that cannot be started is reported in a message naming it.
// Returns whether the program ran.
bool Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo);
