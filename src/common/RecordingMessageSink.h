#pragma once

#include <vector>

#include "MessageSink.h"

namespace tavelo {

// Keeps every message in order; optionally passes each on to another sink as well.
class RecordingMessageSink : public MessageSink {
public:
    RecordingMessageSink() = default;
    explicit RecordingMessageSink(MessageSink* forwardTo) : forwardTo_(forwardTo) {}

    void showMessage(const String& text) override {
        messages_.push_back(text);
        if (forwardTo_ != nullptr) forwardTo_->showMessage(text);
    }

    [[nodiscard]] const std::vector<String>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    MessageSink* forwardTo_ = nullptr;
    std::vector<String> messages_;
};

}  // namespace tavelo
