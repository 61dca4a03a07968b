// Clock texts and text cuts: the local time and date as text, and three ways of cutting
// a piece out of a text. Stateless, but the clock source can be replaced so tests can
// drive the time of day.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace quardeln {

// The source of the current calendar time; the default reads the system clock.
using ClockSource = std::time_t (*)();
void SetClockSource(ClockSource source);  // null restores the system clock

std::u16string ClockText();  // "%H:%M:%S" of local time
std::u16string DateText();   // "%d %b %Y" of local time

std::u16string TextHead(const std::u16string& text, int32_t count);
std::u16string TextSlice(const std::u16string& text, int32_t start, int32_t count);
std::u16string TextTail(const std::u16string& text, int32_t count);

// The common cut: characters a up to b (excluded); positions outside the text are blanks.
std::u16string TextPiece(const std::u16string& text, int64_t a, int64_t b);

}  // namespace quardeln
