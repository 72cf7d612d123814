// Instances of the windows still to be written, and the writers of the hidden steps.

#include "shell/window_set.h"

