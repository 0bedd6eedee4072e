#include "checks/tune_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace vorlask {

namespace {

std::uint32_t Be16(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 8) | p[1];
}
std::uint32_t Be32(const unsigned char* p) {
  return (Be16(p) << 16) | Be16(p + 2);
}

// What an event asks of the synthesizer (see tune_check.h).
enum class Kind { kNoteOn, kNoteOff, kProgram, kChange, kReset, kExclusive };

// What the events of all tracks ask of the synthesizer, by tick.
struct Timeline {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos;  // tick, microseconds a beat
  std::vector<std::pair<std::uint64_t, Kind>> events;           // those that reach the synthesizer
  std::size_t count = 0;                                        // every event, of every kind
  // For each channel: whether it plays a note, and the banks and programs it selects.
  std::array<bool, 16> plays{};
  std::array<std::set<int>, 16> banks;
  std::array<std::set<int>, 16> programs;
};

// A variable-length number of at most four bytes, within `end`.
bool ReadNumber(const unsigned char* p, std::size_t end, std::size_t& at, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4 && at < end; ++i) {
    const unsigned char byte = p[at++];
    value = (value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80u) == 0) return true;
  }
  return false;
}

// A meta or system-exclusive event at `at`, its status read: its length within the track, the
// tempo it sets, and whether it ends the track. Empty when it is sound.
std::string ReadMetaOrExclusive(const unsigned char* p, std::size_t size, std::size_t& at,
                                unsigned status, std::uint64_t tick, bool& ended,
                                Timeline& timeline) {
  unsigned type = 0;
  if (status == 0xFF) {
    if (at >= size) return " is cut short";
    type = p[at++];
  }
  std::uint32_t length = 0;
  if (!ReadNumber(p, size, at, length) || length > size - at) {
    return " has an event that runs past its end";
  }
  if (status == 0xFF && type == 0x2F) ended = true;
  if (status == 0xFF && type == 0x51) {
    const std::uint32_t beat = length == 3 ? (Be16(p + at) << 8) | p[at + 2] : 0;
    if (beat == 0) return " has a tempo that is zero or of the wrong length";
    timeline.tempos.emplace_back(tick, beat);
  }
  if (status != 0xFF) timeline.events.emplace_back(tick, Kind::kExclusive);
  at += length;
  return {};
}

// A channel event at `at`, its status known: its data within the track and in range, and what
// it asks of the synthesizer. Empty when it is sound.
std::string ReadChannelEvent(const unsigned char* p, std::size_t size, std::size_t& at,
                             unsigned status, std::uint64_t tick, Timeline& timeline) {
  if (status > 0xF0) {
    return " holds an event of kind " + std::to_string(status) + ", which a MIDI file cannot hold";
  }
  const std::size_t data = (status >> 4) == 0xC || (status >> 4) == 0xD ? 1 : 2;
  if (data > size - at) return " is cut short";
  for (std::size_t i = 0; i < data; ++i) {
    if ((p[at + i] & 0x80u) != 0) return " has an event whose data are out of range";
  }
  const unsigned kind = status >> 4;
  const unsigned channel = status & 0xF;
  if (kind == 0x9 && p[at + 1] != 0) timeline.plays[channel] = true;
  if (kind == 0xC) timeline.programs[channel].insert(p[at]);
  if (kind == 0xB && p[at] == 0) timeline.banks[channel].insert(p[at + 1]);  // bank select
  Kind asks = Kind::kChange;
  if (kind == 0x9 && p[at + 1] != 0) {
    asks = Kind::kNoteOn;
  } else if (kind == 0x8 || kind == 0x9) {
    asks = Kind::kNoteOff;
  } else if (kind == 0xC) {
    asks = Kind::kProgram;  // which no sounding voice hears
  } else if (kind == 0xB && p[at] == 121) {
    asks = Kind::kReset;  // reset all controllers
  }
  timeline.events.emplace_back(tick, asks);
  at += data;
  return {};
}

// Reads every event of one track chunk. Running status carries a channel event's status to the
// events after it; a meta or system-exclusive event cancels it, as the standard says.
std::string ReadTrack(const unsigned char* p, std::size_t size, std::size_t number,
                      Timeline& timeline) {
  const std::string track = "its track " + std::to_string(number);
  std::size_t at = 0;
  std::uint64_t tick = 0;
  unsigned status = 0;
  bool ended = false;
  while (at < size) {
    if (ended) return track + " goes on after its end";
    std::uint32_t delta = 0;
    if (!ReadNumber(p, size, at, delta)) return track + " has a time that is cut short or too long";
    tick += delta;
    // The synthesizer counts ticks in signed 32-bit numbers.
    if (tick > std::uint64_t{std::numeric_limits<std::int32_t>::max()}) {
      return track + " lasts longer than the synthesizer can count";
    }
    if (at >= size) return track + " is cut short";
    if (++timeline.count > kMaxTuneEvents) {
      return "it holds more than " + std::to_string(kMaxTuneEvents) + " events";
    }
    if ((p[at] & 0x80u) != 0) {
      status = p[at++];
    } else if (status == 0) {
      return track + " has an event without a status";
    }
    std::string problem;
    if (status == 0xFF || status == 0xF0 || status == 0xF7) {
      problem = ReadMetaOrExclusive(p, size, at, status, tick, ended, timeline);
      status = 0;
    } else {
      problem = ReadChannelEvent(p, size, at, status, tick, timeline);
    }
    if (!problem.empty()) return track + problem;
  }
  if (!ended) return track + " does not end with an end-of-track event";
  return {};
}

// Times in microseconds of the ticks given in order, the tempo changes of all tracks taken into
// account.
std::vector<double> Times(const std::vector<std::uint64_t>& ticks, const Timeline& timeline,
                          std::uint32_t division) {
  std::vector<double> times;
  times.reserve(ticks.size());
  double base_time = 0;
  std::uint64_t base_tick = 0;
  double beat = 500000;  // microseconds, until a tempo says otherwise
  std::size_t next = 0;
  for (const std::uint64_t tick : ticks) {
    for (; next < timeline.tempos.size() && timeline.tempos[next].first <= tick; ++next) {
      base_time += static_cast<double>(timeline.tempos[next].first - base_tick) * beat / division;
      base_tick = timeline.tempos[next].first;
      beat = timeline.tempos[next].second;
    }
    times.push_back(base_time + static_cast<double>(tick - base_tick) * beat / division);
  }
  return times;
}

// The most that `weight` adds up to over events within one instant of each other, the events in
// time order.
template <typename Weight>
std::size_t MostAtOnce(const std::vector<double>& times, Weight weight) {
  std::size_t most = 0;
  std::size_t sum = 0;
  for (std::size_t first = 0, last = 0; last < times.size(); ++last) {
    sum += weight(last);
    for (; times[last] - times[first] >= kInstantMicroseconds; ++first)
      sum -= weight(first);
    most = std::max(most, sum);
  }
  return most;
}

// The file's header: its format, the tracks it declares and the ticks of a beat.
std::string HeaderProblem(const unsigned char* bytes, std::size_t size, std::uint32_t& declared,
                          std::uint32_t& division) {
  if (size == 0) return "it is empty";
  if (size > kMaxTuneBytes) {
    return "it is " + std::to_string(size) + " bytes long, more than any tune of the game (" +
           std::to_string(kMaxTuneBytes) + ")";
  }
  if (size < 14 || std::memcmp(bytes, "MThd", 4) != 0) return "it is not a MIDI file";
  if (Be32(bytes + 4) != 6) {
    return "its header is " + std::to_string(Be32(bytes + 4)) + " bytes long, not 6";
  }
  const std::uint32_t format = Be16(bytes + 8);
  declared = Be16(bytes + 10);
  division = Be16(bytes + 12);
  if (format > 2) return "its format " + std::to_string(format) + " is not one of a MIDI file";
  if ((division & 0x8000u) != 0) {
    return "it counts time in frames of a second, which the synthesizer does not play";
  }
  if (division == 0) return "its header gives a beat no ticks";
  return {};
}

// Every chunk after the header, each track's events into the timeline; the tracks must be as
// many as the header declares.
std::string TracksProblem(const unsigned char* bytes, std::size_t size, std::uint32_t declared,
                          Timeline& timeline) {
  std::size_t tracks = 0;
  std::size_t at = 14;
  while (size - at >= 8) {
    const std::uint32_t length = Be32(bytes + at + 4);
    if (length > size - at - 8) return "a chunk runs past its end";
    if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
      if (std::string problem = ReadTrack(bytes + at + 8, length, ++tracks, timeline);
          !problem.empty()) {
        return problem;
      }
    }
    at += 8 + std::size_t{length};
  }
  if (tracks == 0) return "it holds no track";
  if (declared != tracks) {
    return "its header declares " + std::to_string(declared) + " tracks where it holds " +
           std::to_string(tracks);
  }
  return {};
}

// What the whole tune asks of the synthesizer at its busiest moments.
std::string LoadProblem(Timeline& timeline, std::uint32_t division) {
  std::stable_sort(timeline.tempos.begin(), timeline.tempos.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // In time order, and notes first within a tick: they count as voices for what follows.
  std::stable_sort(
      timeline.events.begin(), timeline.events.end(), [](const auto& a, const auto& b) {
        return a.first < b.first ||
               (a.first == b.first && a.second == Kind::kNoteOn && b.second != Kind::kNoteOn);
      });
  std::vector<std::uint64_t> ticks;
  std::vector<std::size_t> queued;
  std::size_t notes = 0;
  for (const auto& [tick, kind] : timeline.events) {
    ticks.push_back(tick);
    const std::size_t voices = std::min(kSynthVoices, 2 * notes);
    switch (kind) {
      case Kind::kNoteOn:
        ++notes;
        queued.push_back(50);
        break;
      case Kind::kNoteOff:
        queued.push_back(4);
        break;
      case Kind::kProgram:
        queued.push_back(kProgramCost);
        break;
      case Kind::kChange:
        queued.push_back(kControllerCost + 4 * voices);
        break;
      case Kind::kReset:
        queued.push_back(kResetCost + 16 * voices);
        break;
      case Kind::kExclusive:
        queued.push_back(kExclusiveCost + 16 * voices);
        break;
    }
  }
  const std::vector<double> times = Times(ticks, timeline, division);
  const std::size_t at_once = MostAtOnce(times, [&](std::size_t i) {
    return timeline.events[i].second == Kind::kNoteOn ? std::size_t{1} : std::size_t{0};
  });
  if (at_once > kMaxNotesAtOnce) {
    return "it starts " + std::to_string(at_once) + " notes within 10 ms, where the game plays " +
           std::to_string(kMaxNotesAtOnce) + " at most";
  }
  if (const std::size_t most = MostAtOnce(times, [&](std::size_t i) { return queued[i]; });
      most > kMaxQueuedAtOnce) {
    return "it asks the synthesizer for " + std::to_string(most) +
           " changes to its voices within 10 ms, where the game allows " +
           std::to_string(kMaxQueuedAtOnce);
  }
  return {};
}

std::vector<Preset> PresetsPlayed(Timeline& timeline) {
  std::set<Preset> presets;
  for (std::size_t channel = 0; channel < 16; ++channel) {
    if (!timeline.plays[channel]) continue;
    std::set<int>& banks = timeline.banks[channel];
    std::set<int>& programs = timeline.programs[channel];
    banks.insert(channel == 9 ? 128 : 0);
    programs.insert(0);
    for (const int bank : banks) {
      for (const int program : programs)
        presets.insert({bank, program});
    }
  }
  return {presets.begin(), presets.end()};
}

}  // namespace

// The player takes an empty or garbled file as a tune that ends at once, so the music would
// skip it without a word, and with every file damaged would spin from one to the next. A header
// that declares fewer tracks than the file holds makes the player read only those; with none
// declared it plays nothing at all.
std::string TuneProblem(const unsigned char* bytes, std::size_t size,
                        std::vector<Preset>* presets) {
  std::uint32_t declared = 0;
  std::uint32_t division = 0;
  if (std::string problem = HeaderProblem(bytes, size, declared, division); !problem.empty())
    return problem;
  Timeline timeline;
  if (std::string problem = TracksProblem(bytes, size, declared, timeline); !problem.empty())
    return problem;
  if (std::string problem = LoadProblem(timeline, division); !problem.empty()) return problem;
  if (presets != nullptr) *presets = PresetsPlayed(timeline);
  return {};
}

}  // namespace vorlask
