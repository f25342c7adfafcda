#pragma once

#include "common/MessageSink.h"

namespace tavelo {

// The command line's messages: one line of UTF-8 on standard error per message.
class StderrMessageSink : public MessageSink {
public:
    void showMessage(const String& text) override;
};

}  // namespace tavelo
