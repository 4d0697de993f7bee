#pragma once

#include "CommandIds.h"

// The application looks 205-219: a Qt style and palette per look id. Ids without a look of
// their own take the Office 2007 look with the style last chosen (blue at start).
// Until the user chooses one of the program's looks, the desktop's own style and palette.
inline constexpr int DefaultLook = int(ID_LOOK_DESKTOP);

void ApplyLook(int lookId);
// Notes the style and palette the application started with (the desktop's), once.
void RememberDesktopLook();
// Gives the application back the desktop's style and palette.
void ApplyDesktopLook();
