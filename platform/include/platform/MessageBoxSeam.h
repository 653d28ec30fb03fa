#pragma once

// Test-only seam: lets a test answer message boxes in-process instead of showing a dialog.

#include "platform/WinApi.h"

#include <functional>
#include <string>

namespace platform
{

struct MessageBoxRequest
{
    std::string text;    ///< UTF-8
    std::string caption; ///< UTF-8
    UINT type;           ///< MB_OK or MB_YESNO
};

/// Returns the answer the message box would give (IDOK, IDYES, IDNO or 0).
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

/// Installs a responder; an empty one restores real dialogs.
void setMessageBoxResponder(MessageBoxResponder responder);

} // namespace platform
