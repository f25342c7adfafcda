#pragma once

#include "ClassicTypes.h"

namespace tavelo {

// Where every message to the user goes: the window shows a modal box, the command line
// writes to standard error, tests record. Showing a message never stops the work.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const String& text) = 0;
};

}  // namespace tavelo
