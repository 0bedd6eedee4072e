#include "tools/midi_track.h"

#include <algorithm>
#include <utility>

namespace vorlask::music {

void Track::Add(long tick, int order, std::vector<std::uint8_t> bytes) {
  events_.push_back({tick, order, std::move(bytes)});
}

void Track::Note(int channel, long start, long length, int note, int velocity) {
  const auto ch = static_cast<std::uint8_t>(channel);
  Add(start, 2,
      {static_cast<std::uint8_t>(0x90 | ch), static_cast<std::uint8_t>(note),
       static_cast<std::uint8_t>(std::clamp(velocity, 1, 127))});
  Add(start + std::max(1L, length), 0,
      {static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(note), 64});
}

void Track::Meta(long tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> b = {0xFF, type};
  AppendLength(b, data.size());
  b.insert(b.end(), data.begin(), data.end());
  Add(tick, 1, std::move(b));
}

void Track::Text(long tick, std::uint8_t type, const std::string& text) {
  Meta(tick, type, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> Track::Chunk() {
  std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<std::uint8_t> data;
  long now = 0;
  for (const Event& e : events_) {
    AppendLength(data, static_cast<std::size_t>(e.tick - now));
    now = e.tick;
    data.insert(data.end(), e.bytes.begin(), e.bytes.end());
  }
  data.insert(data.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  AppendBig(chunk, data.size(), 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  return chunk;
}

void Track::AppendBig(std::vector<std::uint8_t>& out, std::size_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A variable-length quantity: seven bits a byte, most significant first.
void Track::AppendLength(std::vector<std::uint8_t>& out, std::size_t value) {
  std::uint8_t buf[5];
  int n = 0;
  do {
    buf[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1)
    out.push_back(static_cast<std::uint8_t>(buf[--n] | 0x80));
  out.push_back(buf[0]);
}

}  // namespace vorlask::music
