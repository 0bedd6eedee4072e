#include "checks/error_box.h"

#include <algorithm>

namespace vorlask {

namespace {

// Messages name files, and a path can be as long as the system allows; more than this could
// never be read in a window anyway, and measuring it would only take time.
constexpr std::size_t kMaxMessageBytes = 8192;
const std::string kEllipsis = "\xE2\x80\xA6";

bool ContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The start of the character after the one at `at`.
std::size_t NextCharacter(const std::string& s, std::size_t at) {
  ++at;
  while (at < s.size() && ContinuationByte(s[at]))
    ++at;
  return at;
}

// A character takes at least a pixel, so a text of more bytes than this cannot fit; it is
// not worth measuring.
bool TooLong(const std::string& text, int max_width) {
  return text.size() > 4 * static_cast<std::size_t>(std::max(max_width, 1));
}

// The longest start of `text` (whole characters, at least one) that fits beside `prefix`.
std::size_t FittingBytes(const std::string& prefix, const std::string& text, int max_width,
                         const TextWidth& width_of) {
  std::vector<std::size_t> ends;
  const auto most = static_cast<std::size_t>(std::max(max_width, 1));
  for (std::size_t at = 0; at < text.size() && ends.size() < most;) {
    at = NextCharacter(text, at);
    ends.push_back(at);
  }
  // Widths grow with the text, so the last end that fits is found by halving.
  std::size_t lo = 0, hi = ends.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (width_of(prefix + text.substr(0, ends[mid])) <= max_width) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo == 0 ? ends.front() : ends[lo - 1];
}

std::string Clean(const std::string& message) {
  std::string text = message.substr(0, kMaxMessageBytes);
  while (!text.empty() && ContinuationByte(text.back()) && text.size() < message.size())
    text.pop_back();
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\t') c = ' ';
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n') c = '?';
    if (c == 0x7F) c = '?';
    out += c;
  }
  if (text.size() < message.size()) out += kEllipsis;
  return out;
}

// The lines of one message, as they are made.
class Wrapper {
 public:
  Wrapper(int max_width, const TextWidth& width_of, std::size_t max_lines)
      : max_width_(max_width), width_of_(width_of), max_lines_(max_lines) {}

  bool Cut() const { return cut_; }

  void Paragraph(const std::string& paragraph) {
    const std::size_t first = paragraph.find_first_not_of(' ');
    // An indentation wider than half a line is not kept: it would leave no room for words.
    indent_ = paragraph.substr(0, std::min(first, paragraph.size()));
    if (width_of_(indent_) > max_width_ / 2) indent_.clear();
    line_ = indent_;
    has_word_ = false;
    std::size_t at = first == std::string::npos ? paragraph.size() : first;
    while (at < paragraph.size() && !cut_) {
      std::size_t word_end = paragraph.find(' ', at);
      if (word_end == std::string::npos) word_end = paragraph.size();
      std::string word = paragraph.substr(at, word_end - at);
      at = paragraph.find_first_not_of(' ', word_end);
      if (at == std::string::npos) at = paragraph.size();
      if (!word.empty()) Word(std::move(word));
    }
    if (!cut_) Put(line_);
  }

  // The lines made; a message cut short ends with "…".
  std::vector<std::string> Lines() {
    if (cut_ && !lines_.empty()) {
      std::string& last = lines_.back();
      while (!last.empty() && width_of_(last + kEllipsis) > max_width_) {
        std::size_t back = last.size() - 1;
        while (back > 0 && ContinuationByte(last[back]))
          --back;
        last.erase(back);
      }
      last += kEllipsis;
    }
    return std::move(lines_);
  }

 private:
  void Put(std::string line) {
    if (lines_.size() < max_lines_) {
      lines_.push_back(std::move(line));
    } else {
      cut_ = true;
    }
  }

  void Word(std::string word) {
    if (has_word_ && !TooLong(word, max_width_) && width_of_(line_ + " " + word) <= max_width_) {
      line_ += " " + word;
      return;
    }
    if (has_word_) {
      Put(line_);
      line_ = indent_;
      has_word_ = false;
    }
    // The word starts a line; what does not fit there goes on to the next ones. A single
    // character too wide for a line stays on one of its own.
    while (!cut_) {
      std::size_t take = FittingBytes(line_, word, max_width_, width_of_);
      if (take >= word.size()) break;
      const std::size_t slash = word.rfind('/', take - 1);
      if (slash != std::string::npos && slash + 1 < take && slash + 1 >= take / 2) take = slash + 1;
      Put(line_ + word.substr(0, take));
      word.erase(0, take);
      line_ = indent_;
    }
    line_ += word;
    has_word_ = true;
  }

  const int max_width_;
  const TextWidth& width_of_;
  const std::size_t max_lines_;
  std::vector<std::string> lines_;
  bool cut_ = false;
  std::string indent_;
  std::string line_;
  bool has_word_ = false;
};

}  // namespace

std::vector<std::string> WrapText(const std::string& message, int max_width,
                                  const TextWidth& width_of, std::size_t max_lines) {
  Wrapper wrapper(max_width, width_of, max_lines);
  const std::string text = Clean(message);
  std::size_t start = 0;
  while (start <= text.size() && !wrapper.Cut()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    wrapper.Paragraph(text.substr(start, end - start));
    start = end + 1;
  }
  return wrapper.Lines();
}

ErrorBoxLayout LayOutErrorBox(const std::string& message, const TextWidth& width_of,
                              int line_height) {
  using L = ErrorBoxLayout;
  L layout;
  layout.lines = WrapText(message, L::kMaxTextWidth, width_of, L::kMaxLines);
  layout.line_height = std::max(line_height, 1);
  int text_width = 0;
  for (const std::string& line : layout.lines)
    text_width = std::max(text_width, width_of(line));
  layout.width = std::max(L::kMinWidth, std::min(text_width, L::kMaxTextWidth) + 2 * L::kMargin);
  const int text_height = static_cast<int>(layout.lines.size()) * layout.line_height;
  layout.button_x = (layout.width - L::kButtonWidth) / 2;
  layout.button_y = L::kMargin + text_height + L::kMargin;
  layout.height = layout.button_y + L::kButtonHeight + L::kMargin;
  return layout;
}

void DrawErrorBox(Canvas& canvas, const ErrorBoxLayout& layout, const TextWidth& width_of) {
  using L = ErrorBoxLayout;
  // The game's colours: an olive edge as around the board, navy text on white.
  canvas.Clear(kOlive);
  canvas.SetPenColor(kOlive);
  canvas.Rectangle(4, 4, layout.width - 4, layout.height - 4);
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    canvas.TextOut(layout.text_x, layout.text_y + static_cast<int>(i) * layout.line_height,
                   layout.lines[i]);
  }
  // The button is the default one: a second frame inside the first says Enter presses it.
  const int x = layout.button_x, y = layout.button_y;
  canvas.SetPenColor(kNavy);
  canvas.Rectangle(x, y, x + L::kButtonWidth, y + L::kButtonHeight);
  canvas.Rectangle(x + 2, y + 2, x + L::kButtonWidth - 2, y + L::kButtonHeight - 2);
  const std::string ok = "OK";
  canvas.TextOut(x + (L::kButtonWidth - width_of(ok)) / 2,
                 y + (L::kButtonHeight - layout.line_height) / 2, ok);
}

}  // namespace vorlask
