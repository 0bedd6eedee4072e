#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vorlask {

// The bounds of a tune the game plays. The synthesizer turns every event of a file into a
// record of its own before it plays a note, and plays whatever falls due in one block of 64
// samples (1.5 ms) at once, on the audio thread, holding the lock that the window's thread
// needs to stop or change the music. So a tune must be small, and no moment of it may ask much
// at once.
//
// The game's three tunes are 10 to 12 kB with 2,300 to 2,800 events. 64 kB holds five times as
// many, and the synthesizer's records of that many events take a megabyte or two.
inline constexpr std::size_t kMaxTuneBytes = 64 * 1024;
inline constexpr std::size_t kMaxTuneEvents = 16384;
// Notes that start within 10 ms of each other sound as one chord. Ours start at most 9 at once
// (a chord in each hand); 32 leaves room for more.
inline constexpr double kInstantMicroseconds = 10000;
inline constexpr std::size_t kMaxNotesAtOnce = 32;
// The synthesizer queues every change to its voices that falls due in one block, for the audio
// thread to carry out, in a queue of 64 entries for each of its 256 voices; each overflow is a
// warning, and a tune can overflow it millions of times. A new note takes up to 50 entries
// (when voices run short), a note's end a few; an event that changes every sounding voice of
// its channel (a controller, a pitch bend, pressure) takes up to 4 entries a voice, one that
// resets all controllers, or a system-exclusive message, up to 16. A voice outlasts its note,
// so every note started before counts as two sounding voices, up to 256. What may fall due
// within 10 ms is held to half the queue.
inline constexpr std::size_t kSynthVoices = 256;
inline constexpr std::size_t kMaxQueuedAtOnce = 64 * kSynthVoices / 2;
// Besides its voices, every event that makes the synthesizer work costs a fixed share of that
// budget, whether notes sound or not: a program or a controller change a little, a reset of
// all controllers more, and a system-exclusive message, which may reset every channel (a
// "GM system on" does), as much as an eighth of it. So a flood of them before the first note,
// which changes no voice, cannot hold the audio thread either: each reset of all channels
// takes the synthesizer a tenth of a millisecond or more.
inline constexpr std::size_t kProgramCost = 16;
inline constexpr std::size_t kControllerCost = 16;
inline constexpr std::size_t kResetCost = 64;
inline constexpr std::size_t kExclusiveCost = kMaxQueuedAtOnce / 8;

// A preset as a tune selects it for a channel: a bank and a program.
struct Preset {
  int bank = 0;
  int program = 0;
  friend bool operator==(const Preset&, const Preset&) = default;
  friend auto operator<=>(const Preset&, const Preset&) = default;
};

// What is wrong with a Standard MIDI File of `size` bytes, or an empty text. Every event of every
// track is read, each length within its chunk, and the whole tune is held to the bounds above,
// so that nothing that passes can make the synthesizer allocate much, flood its queue or hold
// the audio thread for long. A tune that passes has the presets it may play written to
// `presets`, sorted: for each channel that plays a note, every bank and program it selects
// (bank 128 for the drums of the tenth channel, program 0 where none is chosen).
std::string TuneProblem(const unsigned char* bytes, std::size_t size,
                        std::vector<Preset>* presets = nullptr);

}  // namespace vorlask
