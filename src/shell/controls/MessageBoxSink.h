#pragma once

#include "common/MessageSink.h"

namespace tavelo {

// Shows each message in a modal box titled with the application title, with one OK button;
// returns when OK is pressed.
class MessageBoxSink : public MessageSink {
public:
    void showMessage(const String& text) override;
};

}  // namespace tavelo
