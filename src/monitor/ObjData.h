#pragma once

// Kept where older code looks for it.
#include "records/ObjData.h"
