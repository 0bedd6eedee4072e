#include "checks/sound_font_cut.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>

namespace vorlask {

namespace {

std::uint32_t Le16(const unsigned char* p) {
  return p[0] | (std::uint32_t{p[1]} << 8);
}
std::uint32_t Le32(const unsigned char* p) {
  return Le16(p) | (Le16(p + 2) << 16);
}
void Put16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutId(std::vector<unsigned char>& out, const char* id) {
  out.insert(out.end(), id, id + 4);
}

// The generators that name what a zone plays: a preset zone's instrument, an instrument zone's
// sample.
constexpr std::uint32_t kInstrumentGenerator = 41;
constexpr std::uint32_t kSampleGenerator = 53;
// Every sample is followed by this many zero samples in the sample data.
constexpr std::uint64_t kSampleGap = 46;

// One kind of record of the preset data, as its bytes.
struct Records {
  std::size_t width = 0;
  std::vector<unsigned char> bytes;
  std::size_t Count() const { return bytes.size() / width; }
  const unsigned char* At(std::size_t i) const { return bytes.data() + i * width; }
};

// The nine kinds, in the order the file holds them.
constexpr std::array<const char*, 9> kKinds = {"phdr", "pbag", "pmod", "pgen", "inst",
                                               "ibag", "imod", "igen", "shdr"};
constexpr std::array<std::size_t, 9> kWidths = {38, 4, 10, 4, 22, 4, 10, 4, 46};
enum Kind { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr };
using PresetData = std::array<Records, 9>;

// A chunk's id and length at `offset`.
bool ChunkAt(const ReadAt& read, std::uint64_t offset, char id[5], std::uint64_t& length) {
  std::vector<unsigned char> head;
  if (!read(offset, 8, head) || head.size() < 8) return false;
  std::memcpy(id, head.data(), 4);
  id[4] = '\0';
  length = Le32(head.data() + 4);
  return true;
}

// Each list's zones are given by first indices into the next level, which must not go back and
// must stay within it; the last record of each kind closes the list.
std::string IndexProblem(const PresetData& d) {
  const auto runs = [](const Records& r, std::size_t at, std::size_t bound) {
    std::uint32_t last = 0;
    for (std::size_t i = 0; i < r.Count(); ++i) {
      const std::uint32_t first = Le16(r.At(i) + at);
      if (first < last || first >= bound) return false;
      last = first;
    }
    return true;
  };
  for (const Kind k : {kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr}) {
    if (d[k].Count() < 1) return std::string("its ") + kKinds[k] + " list is empty";
  }
  if (!runs(d[kPhdr], 24, d[kPbag].Count()) || !runs(d[kPbag], 0, d[kPgen].Count()) ||
      !runs(d[kPbag], 2, d[kPmod].Count()) || !runs(d[kInst], 20, d[kIbag].Count()) ||
      !runs(d[kIbag], 0, d[kIgen].Count()) || !runs(d[kIbag], 2, d[kImod].Count())) {
    return "its preset data point outside themselves";
  }
  return {};
}

std::string ReadPresetData(const ReadAt& read, const SoundFontChunks& chunks, PresetData& d) {
  if (chunks.presets_bytes > kMaxPresetDataBytes) {
    return "its preset data take " + std::to_string(chunks.presets_bytes) +
           " bytes, more than the game reads (" + std::to_string(kMaxPresetDataBytes) + ")";
  }
  std::vector<unsigned char> all;
  if (!read(chunks.presets_offset, static_cast<std::size_t>(chunks.presets_bytes), all) ||
      all.size() != chunks.presets_bytes) {
    return "its preset data cannot be read";
  }
  std::size_t at = 0;
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    if (all.size() - at < 8 || std::memcmp(all.data() + at, kKinds[k], 4) != 0) {
      return std::string("its preset data lack the ") + kKinds[k] + " list";
    }
    const std::uint32_t length = Le32(all.data() + at + 4);
    if (length > all.size() - at - 8 || length % kWidths[k] != 0) {
      return std::string("its ") + kKinds[k] + " list is cut short";
    }
    d[k].width = kWidths[k];
    d[k].bytes.assign(all.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      all.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    at += 8 + length;
  }
  return IndexProblem(d);
}

// What of the preset data goes into the cut font, and the new number of each kept instrument
// and sample.
class Cut {
 public:
  Cut(const PresetData& d, std::uint64_t sample_count) : d_(d), samples_(sample_count) {}

  // Keeps the preset if any of its zones plays an instrument that can sound.
  bool KeepPreset(std::size_t p) {
    bool sounds = false;
    for (std::size_t b = First(kPhdr, p, 24); b < First(kPhdr, p + 1, 24); ++b) {
      const std::uint32_t i = Named(kPbag, kPgen, b, kInstrumentGenerator);
      if (i < d_[kInst].Count() - 1 && KeepInstrument(i)) sounds = true;
    }
    if (sounds) presets_.push_back(p);
    return sounds;
  }

  // Writes the cut font, its samples read through `read`; false when they cannot be read.
  bool Write(const ReadAt& read, const SoundFontChunks& chunks, std::vector<unsigned char>& out);
  // The bytes of sample data the cut font holds.
  std::uint64_t SampleBytes() const {
    std::uint64_t bytes = 0;
    for (const std::uint32_t s : samples_kept_)
      bytes += 2 * (Le32(d_[kShdr].At(s) + 24) - Le32(d_[kShdr].At(s) + 20) + kSampleGap);
    return bytes;
  }

 private:
  std::uint32_t First(Kind kind, std::size_t i, std::size_t at) const {
    return Le16(d_[kind].At(i) + at);
  }
  // The amount of the zone's generator `oper`, or a number past every list when it has none.
  std::uint32_t Named(Kind bags, Kind gens, std::size_t b, std::uint32_t oper) const {
    for (std::uint32_t g = First(bags, b, 0); g < First(bags, b + 1, 0); ++g) {
      if (Le16(d_[gens].At(g)) == oper) return Le16(d_[gens].At(g) + 2);
    }
    return 0xFFFFFFFFu;
  }
  bool Usable(std::uint32_t s) const {
    const unsigned char* h = d_[kShdr].At(s);
    const std::uint32_t start = Le32(h + 20), end = Le32(h + 24);
    const bool rom = (Le16(h + 44) & 0x8000u) != 0;
    return !rom && start < end && end <= samples_;
  }
  bool KeepInstrument(std::uint32_t i);
  void KeepSample(std::uint32_t s);
  using Lists = std::array<std::vector<unsigned char>, 9>;
  using Renumbered = std::vector<std::uint32_t>;  // the new number by the old, or none
  // The kept presets (or instruments) and their zones, a zone's instrument (or sample) given
  // its new number; zones whose instrument (or sample) is left out go too.
  void WriteZones(Kind head, const std::vector<std::uint32_t>& kept, std::size_t bag_field,
                  std::uint32_t oper, const Renumbered& named, Lists& lists) const;
  Renumbered Numbers(const std::set<std::uint32_t>& kept, std::size_t count) const;
  std::vector<unsigned char> SampleHeaders(const Renumbered& number) const;

  const PresetData& d_;
  const std::uint64_t samples_;
  std::vector<std::size_t> presets_;
  std::set<std::uint32_t> instruments_kept_;
  std::set<std::uint32_t> samples_kept_;
};

bool Cut::KeepInstrument(std::uint32_t i) {
  bool sounds = false;
  for (std::size_t b = First(kInst, i, 20); b < First(kInst, i + 1, 20); ++b) {
    const std::uint32_t s = Named(kIbag, kIgen, b, kSampleGenerator);
    if (s < d_[kShdr].Count() - 1 && Usable(s)) {
      KeepSample(s);
      sounds = true;
    }
  }
  if (sounds) instruments_kept_.insert(i);
  return sounds;
}

// A sample of a stereo pair brings its partner, where that can sound.
void Cut::KeepSample(std::uint32_t s) {
  while (samples_kept_.insert(s).second) {
    const unsigned char* h = d_[kShdr].At(s);
    const std::uint32_t type = Le16(h + 44), link = Le16(h + 42);
    if ((type & 0xE) == 0 || link >= d_[kShdr].Count() - 1 || !Usable(link)) return;
    s = link;
  }
}

Cut::Renumbered Cut::Numbers(const std::set<std::uint32_t>& kept, std::size_t count) const {
  Renumbered number(count, 0xFFFFFFFFu);
  std::uint32_t next = 0;
  for (const std::uint32_t old : kept)
    number[old] = next++;
  return number;
}

void Cut::WriteZones(Kind head, const std::vector<std::uint32_t>& kept, std::size_t bag_field,
                     std::uint32_t oper, const Renumbered& named, Lists& lists) const {
  const Kind bags = static_cast<Kind>(head + 1), mods = static_cast<Kind>(head + 2),
             gens = static_cast<Kind>(head + 3);
  const auto close_head = [&](std::size_t from) {
    std::vector<unsigned char> record(d_[head].At(from), d_[head].At(from) + d_[head].width);
    const auto bag = static_cast<std::uint32_t>(lists[bags].size() / 4);
    record[bag_field] = static_cast<unsigned char>(bag);
    record[bag_field + 1] = static_cast<unsigned char>(bag >> 8);
    lists[head].insert(lists[head].end(), record.begin(), record.end());
  };
  for (const std::uint32_t h : kept) {
    close_head(h);
    for (std::size_t b = First(head, h, bag_field); b < First(head, h + 1, bag_field); ++b) {
      const std::uint32_t what = Named(bags, gens, b, oper);
      if (what != 0xFFFFFFFFu && (what >= named.size() || named[what] == 0xFFFFFFFFu)) continue;
      Put16(lists[bags], static_cast<std::uint32_t>(lists[gens].size() / 4));
      Put16(lists[bags], static_cast<std::uint32_t>(lists[mods].size() / 10));
      for (std::uint32_t m = First(bags, b, 2); m < First(bags, b + 1, 2); ++m)
        lists[mods].insert(lists[mods].end(), d_[mods].At(m), d_[mods].At(m) + 10);
      for (std::uint32_t g = First(bags, b, 0); g < First(bags, b + 1, 0); ++g) {
        const std::uint32_t gen = Le16(d_[gens].At(g));
        Put16(lists[gens], gen);
        Put16(lists[gens], gen == oper ? named[what] : Le16(d_[gens].At(g) + 2));
      }
    }
  }
  // The closing records: the list's end, and an empty zone, modulator and generator.
  close_head(d_[head].Count() - 1);
  Put16(lists[bags], static_cast<std::uint32_t>(lists[gens].size() / 4));
  Put16(lists[bags], static_cast<std::uint32_t>(lists[mods].size() / 10));
  lists[mods].insert(lists[mods].end(), 10, 0);
  lists[gens].insert(lists[gens].end(), 4, 0);
}

// The kept samples' headers, each placed where its data will lie, a partner left out making
// its sample a mono one.
std::vector<unsigned char> Cut::SampleHeaders(const Renumbered& number) const {
  std::vector<unsigned char> out;
  std::uint32_t at = 0;
  for (const std::uint32_t s : samples_kept_) {
    const unsigned char* h = d_[kShdr].At(s);
    const std::uint32_t start = Le32(h + 20), end = Le32(h + 24);
    out.insert(out.end(), h, h + 20);
    Put32(out, at);
    Put32(out, at + (end - start));
    // Loops kept within the sample, as the synthesizer would clamp them.
    for (const std::size_t field : {28, 32}) {
      const std::uint32_t loop = std::clamp(Le32(h + field), start, end);
      Put32(out, at + (loop - start));
    }
    out.insert(out.end(), h + 36, h + 42);
    const std::uint32_t link = Le16(h + 42);
    const bool paired = link < number.size() && number[link] != 0xFFFFFFFFu;
    Put16(out, paired ? number[link] : 0);
    Put16(out, paired ? Le16(h + 44) : 1);
    at += end - start + static_cast<std::uint32_t>(kSampleGap);
  }
  const unsigned char* last = d_[kShdr].At(d_[kShdr].Count() - 1);
  out.insert(out.end(), last, last + 46);
  return out;
}

bool Cut::Write(const ReadAt& read, const SoundFontChunks& chunks,
                std::vector<unsigned char>& out) {
  Lists lists;
  const Renumbered instruments = Numbers(instruments_kept_, d_[kInst].Count());
  const Renumbered samples = Numbers(samples_kept_, d_[kShdr].Count());
  const std::vector<std::uint32_t> presets(presets_.begin(), presets_.end());
  WriteZones(kPhdr, presets, 24, kInstrumentGenerator, instruments, lists);
  WriteZones(kInst, {instruments_kept_.begin(), instruments_kept_.end()}, 20, kSampleGenerator,
             samples, lists);
  lists[kShdr] = SampleHeaders(samples);
  std::vector<unsigned char> smpl;
  for (const std::uint32_t s : samples_kept_) {
    const std::uint32_t start = Le32(d_[kShdr].At(s) + 20), end = Le32(d_[kShdr].At(s) + 24);
    std::vector<unsigned char> data;
    if (!read(chunks.samples_offset + 2 * std::uint64_t{start}, 2 * (end - start), data) ||
        data.size() != 2 * (end - start)) {
      return false;
    }
    smpl.insert(smpl.end(), data.begin(), data.end());
    smpl.insert(smpl.end(), 2 * kSampleGap, 0);
  }
  // The file: its information, its sample data, its preset data.
  const std::vector<unsigned char> info = {'i', 'f', 'i', 'l', 4,   0,   0,   0,   2,   0,   1,
                                           0,   'i', 's', 'n', 'g', 8,   0,   0,   0,   'E', 'M',
                                           'U', '8', '0', '0', '0', 0,   'I', 'N', 'A', 'M', 8,
                                           0,   0,   0,   'V', 'o', 'r', 'l', 'a', 's', 'k', 0};
  std::vector<unsigned char> pdta;
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    PutId(pdta, kKinds[k]);
    Put32(pdta, static_cast<std::uint32_t>(lists[k].size()));
    pdta.insert(pdta.end(), lists[k].begin(), lists[k].end());
  }
  const auto list = [&out](const char* type, const std::vector<unsigned char>& body,
                           const char* chunk) {
    PutId(out, "LIST");
    Put32(out, static_cast<std::uint32_t>(4 + (chunk != nullptr ? 8 : 0) + body.size()));
    PutId(out, type);
    if (chunk != nullptr) {
      PutId(out, chunk);
      Put32(out, static_cast<std::uint32_t>(body.size()));
    }
    out.insert(out.end(), body.begin(), body.end());
  };
  out = {'R', 'I', 'F', 'F'};
  Put32(out,
        static_cast<std::uint32_t>(4 + 12 + info.size() + 20 + smpl.size() + 12 + pdta.size()));
  PutId(out, "sfbk");
  list("INFO", info, nullptr);
  list("sdta", smpl, "smpl");
  list("pdta", pdta, nullptr);
  return true;
}

}  // namespace

std::string FindSoundFontChunks(const ReadAt& read, std::uint64_t size, SoundFontChunks& chunks) {
  std::uint64_t at = 12;
  for (int listed = 0; listed < 16 && size - at >= 12; ++listed) {
    char id[5];
    std::uint64_t length = 0;
    if (!ChunkAt(read, at, id, length)) return "it cannot be read";
    if (length > size - at - 8) return std::string("its ") + id + " chunk runs past its end";
    std::vector<unsigned char> type;
    if (std::strcmp(id, "LIST") == 0 && length >= 4 && read(at + 8, 4, type) && type.size() == 4) {
      if (std::memcmp(type.data(), "pdta", 4) == 0) {
        chunks.presets_offset = at + 12;
        chunks.presets_bytes = length - 4;
      }
      if (std::memcmp(type.data(), "sdta", 4) == 0) {
        char sub[5];
        std::uint64_t sub_length = 0;
        if (length >= 12 && ChunkAt(read, at + 12, sub, sub_length) &&
            std::strcmp(sub, "smpl") == 0 && sub_length <= length - 12) {
          chunks.samples_offset = at + 20;
          chunks.samples_bytes = sub_length;
        }
      }
    }
    at += 8 + length + (length & 1);
  }
  if (chunks.samples_bytes == 0) return "it holds no sample data";
  if (chunks.presets_bytes == 0) return "it holds no preset data";
  return {};
}

std::string CutSoundFont(const ReadAt& read, const SoundFontChunks& chunks,
                         const std::vector<Preset>& presets, std::vector<unsigned char>& out) {
  PresetData d;
  if (std::string problem = ReadPresetData(read, chunks, d); !problem.empty()) return problem;
  Cut cut(d, chunks.samples_bytes / 2);
  std::set<std::size_t> chosen;
  for (const Preset& preset : presets) {
    for (std::size_t p = 0; p + 1 < d[kPhdr].Count(); ++p) {
      const unsigned char* h = d[kPhdr].At(p);
      if (static_cast<int>(Le16(h + 20)) == preset.program &&
          static_cast<int>(Le16(h + 22)) == preset.bank) {
        chosen.insert(p);
        break;
      }
    }
  }
  bool sounds = false;
  for (const std::size_t p : chosen)
    sounds = cut.KeepPreset(p) || sounds;
  if (!sounds) return "it has no samples for the instruments the tunes play";
  if (cut.SampleBytes() > kMaxCutSampleBytes) {
    return "the samples of the instruments the tunes play take " +
           std::to_string(cut.SampleBytes()) + " bytes, more than the game gives its music (" +
           std::to_string(kMaxCutSampleBytes) + ")";
  }
  if (!cut.Write(read, chunks, out)) return "its sample data cannot be read";
  return {};
}

}  // namespace vorlask
