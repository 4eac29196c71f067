#pragma once

#include "lib/message.h"
#include "lib/platform.h"

namespace tes {

// Shows each message in a message box with the icon of its kind, in order.
inline void ShowMessages(Platform& platform, const Messages& messages) {
    for (const Message& message : messages)
        platform.showMessageOfKind(message);
}

} // namespace tes
