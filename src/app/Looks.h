#pragma once

#include "CommandIds.h"

// The application looks 205-219: a Qt style and palette per look id. Ids without a look of
// their own take the Office 2007 look with the style last chosen (blue at start).
inline constexpr int DefaultLook = int(ID_LOOK_VS_2005);

void ApplyLook(int lookId);
