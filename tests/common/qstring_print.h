#pragma once
// Readable QString values in test failure messages: one definition for every test folder.

#include "shell/qt_print.h"
