// The text cuts (TextHead, TextTail, TextSlice, TextPiece) on any text and any counts.
// Input: an operation byte, two 64-bit numbers (the 32-bit cuts take their low halves),
// then the text. Each result is checked against the positions it must hold: characters
// of the text inside it, blanks outside.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "system/clock.h"

namespace quardeln::fuzz {
namespace {

// Pieces longer than this are skipped: a cut far outside the text is that many blanks by
// definition (up to gigabytes), and building long runs of blanks only slows the search.
constexpr int64_t kLongestPiece = int64_t{1} << 16;

// The piece's character at `position` of the text: the text's own inside it, a blank
// outside.
char16_t At(const std::u16string& text, int64_t position) {
  const auto length = static_cast<int64_t>(text.size());
  return position >= 0 && position < length ? text[static_cast<size_t>(position)] : u' ';
}

// `piece` holds exactly the positions first .. first + size - 1 of the text.
bool Holds(const std::u16string& piece, const std::u16string& text, int64_t first, int64_t size) {
  if (static_cast<int64_t>(piece.size()) != size) return false;
  for (int64_t i = 0; i < size; ++i) {
    if (piece[static_cast<size_t>(i)] != At(text, first + i)) return false;
  }
  return true;
}

int64_t Cut(int64_t count, int64_t length) {
  return count < 0 ? 0 : (count > length ? length : count);
}

void Head(const std::u16string& text, int32_t count) {
  const int64_t size = Cut(count, static_cast<int64_t>(text.size()));
  Check(Holds(TextHead(text, count), text, 0, size), "TextHead is the first count characters");
}

void Tail(const std::u16string& text, int32_t count) {
  const auto length = static_cast<int64_t>(text.size());
  const int64_t size = Cut(count, length);
  Check(Holds(TextTail(text, count), text, length - size, size),
        "TextTail is the last count characters");
}

// 1-based positions start .. start + count - 1 that lie in the text; with a negative count
// positions start .. length, blanks before the text included.
void Slice(const std::u16string& text, int32_t start, int32_t count) {
  const auto length = static_cast<int64_t>(text.size());
  if (count < 0 && length - start + 1 > kLongestPiece) return;
  const std::u16string piece = TextSlice(text, start, count);
  if (length < start) {
    Check(piece.empty(), "TextSlice beyond the text is empty");
  } else if (count < 0) {
    Check(Holds(piece, text, int64_t{start} - 1, length - start + 1),
          "TextSlice with a negative count runs to the end");
  } else {
    const int64_t first = start < 1 ? 0 : int64_t{start} - 1;
    const int64_t end = int64_t{start} - 1 + count;
    Check(Holds(piece, text, first, Cut(end - first, length - first)),
          "TextSlice is the positions inside the text");
  }
}

void Piece(const std::u16string& text, int64_t a, int64_t b) {
  // Compared, never subtracted: b - a may not fit in 64 bits.
  if (b > a && static_cast<uint64_t>(b) - static_cast<uint64_t>(a) > kLongestPiece) return;
  const std::u16string piece = TextPiece(text, a, b);
  if (b <= a) {
    Check(piece.empty(), "TextPiece of no positions is empty");
  } else {
    Check(Holds(piece, text, a, b - a), "TextPiece holds positions a .. b - 1");
  }
}

}  // namespace
}  // namespace quardeln::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln::fuzz;
  TFuzzInput input(data, size);
  const uint8_t operation = input.Byte();
  const int64_t a = input.Int64();
  const int64_t b = input.Int64();
  const std::u16string text = input.Text();
  const auto a32 = static_cast<int32_t>(a);
  const auto b32 = static_cast<int32_t>(b);
  switch (operation % 4) {
    case 0:
      Head(text, a32);
      break;
    case 1:
      Tail(text, a32);
      break;
    case 2:
      Slice(text, a32, b32);
      break;
    default:
      Piece(text, a, b);
      break;
  }
  return 0;
}
