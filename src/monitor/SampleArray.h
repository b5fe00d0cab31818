#pragma once

// Kept where older code looks for it.
#include "records/SampleArray.h"
