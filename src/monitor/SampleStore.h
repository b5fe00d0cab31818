#pragma once

// Kept where older code looks for it.
#include "records/SampleSelection.h"
#include "records/SampleStore.h"
