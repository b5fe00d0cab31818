#pragma once

#include "forms/DialogTemplate.h"

// 146: the download progress pop-up, no title bar.
const DlgTemplate &LogStateTemplate();

constexpr int IDC_LOG_PROGRESS = 1057;
