#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

class MessageSink;

// Converts runs of half-width katakana, voiced and semi-voiced marks and low lines into
// hiragana. Conversions accumulate in Hiragana until Clear. Marks that cannot be applied are
// reported through the message sink and the conversion goes on.
class CChangeHiragana {
public:
    explicit CChangeHiragana(MessageSink& messages) : messages_(messages) {}

    [[nodiscard]] const String& Hiragana() const { return hiragana_; }
    // The length of Hiragana; reading it also stores it.
    Integer LenHiragana();
    void Clear();
    void ChangeHiragana(const String& vHankana);

    // Half-width to full-width, then katakana to hiragana, for one character.
    [[nodiscard]] static char16_t toHiragana(char16_t c);

private:
    MessageSink& messages_;
    String hiragana_;
    Integer lenHiragana_ = 0;
};

}  // namespace tavelo
