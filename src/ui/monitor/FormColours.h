#pragma once

class QWidget;

// The monitoring form's colours: the control background, the cursor labels
// in the cursors' colours and the dark rate box.
void ApplyFormColours(QWidget &form);
