// One track of a Standard MIDI File, gathered as timed events and written as its chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlask::music {

struct Event {
  long tick;
  int order;  // at one tick: note-offs, then controls, then note-ons
  std::vector<std::uint8_t> bytes;
};

class Track {
 public:
  void Add(long tick, int order, std::vector<std::uint8_t> bytes);
  // A note-on at `start` and its note-off at least a tick later.
  void Note(int channel, long start, long length, int note, int velocity);
  void Meta(long tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
  void Text(long tick, std::uint8_t type, const std::string& text);

  // The "MTrk" chunk: the events in time order, each after its delta time, and the end of track.
  std::vector<std::uint8_t> Chunk();

  // `value` in `bytes` bytes, most significant first, as the file's headers hold numbers.
  static void AppendBig(std::vector<std::uint8_t>& out, std::size_t value, int bytes);

 private:
  static void AppendLength(std::vector<std::uint8_t>& out, std::size_t value);

  std::vector<Event> events_;
};

}  // namespace vorlask::music
