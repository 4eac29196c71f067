#pragma once

#include "lib/message.h"
#include "lib/platform.h"

namespace tes {

// Shows each message in a message box, in order.
inline void ShowMessages(Platform& platform, const Messages& messages) {
    for (const Message& message : messages)
        platform.showMessage(message.text);
}

} // namespace tes
