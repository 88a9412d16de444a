#pragma once

// Tests outside tests/lab still include the lab under this name.
#include "lab/lab_network.h"
