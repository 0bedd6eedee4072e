// The notes of the three tunes; tools/music_notes.h says how they are written.
#include "tools/music_notes.h"

namespace vorlask::music {

namespace {

Section operator+(Section a, const Section& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// ---- Entertainment in C ----
// A gentle rag: introduction, a strain in C with two endings, a lyrical strain in F, the first
// strain again and a two-bar close.

const Section kEntrIntro = {
    {"C", "G5:1 A5:1 G5:1 E5:1 C5:2 E5:2"},
    {"G7", "D5:1 E5:1 D5:1 B4:1 G4:2 B4:2"},
    {"C,F", "C5:1 E5:2 G5:1 C6:2 A5:2"},
    {"G7", "G5:2 D5:2 F5:2 r:2"},
};
const Section kEntrAHead = {
    {"C", "E5:1 G5:2 E5:1 C6:2 G5:2"},       {"C", "A5:1 G5:2 E5:1 G5:4"},
    {"G7", "F5:1 D5:2 B4:1 D5:2 F5:2"},      {"C", "E5:3 D5:1 C5:2 r:2"},
    {"C7", "G5:1 Bb5:2 G5:1 E5:2 C5:2"},     {"F", "A5:1 C6:2 A5:1 F5:4"},
    {"D7", "F#5:1 A5:2 F#5:1 D5:2 C5:2"},    {"G7", "B4:2 D5:2 G5:2 F5:2"},
    {"C", "E5:1 G5:2 E5:1 C6:2 G5:2"},       {"C", "A5:1 G5:2 E5:1 G5:4"},
    {"A7", "C#5:1 E5:2 G5:1 A5:2 G5:2"},     {"Dm", "F5:1 A5:2 F5:1 D5:4"},
    {"F,F#dim", "C6:1 A5:2 F5:1 A5:2 C6:2"}, {"C,A7", "G5:2 E5:1 C5:1 C#5:1 E5:2 G5:1"},
};
const Section kEntrAEnd1 = {
    {"D7", "F#5:1 A5:2 D6:1 C6:2 A5:2"},
    {"G7", "B5:2 G5:2 D5:2 F5:2"},
};
const Section kEntrAEnd2 = {
    {"D7,G7", "F#5:1 A5:2 C6:1 B5:1 G5:2 F5:1"},
    {"C", "E5:2 G5:1 C6:3 r:2"},
};
const Section kEntrBHead = {
    {"F", "C5:2 F5:1 A5:2 C6:1 A5:2"},   {"F", "G5:1 A5:2 F5:1 C5:4"},
    {"C7", "E5:1 G5:2 Bb5:1 A5:2 G5:2"}, {"F", "F5:4 A4:2 C5:2"},
    {"F", "C5:2 F5:1 A5:2 C6:1 A5:2"},   {"F7", "Eb6:1 C6:2 A5:1 F5:2 Eb5:2"},
    {"Bb", "D5:1 F5:2 Bb5:1 D6:4"},      {"Bbm", "Db6:2 Bb5:2 F5:2 Db5:2"},
    {"F", "C5:1 F5:2 A5:1 C6:2 A5:2"},   {"D7", "F#5:1 A5:2 C6:1 D6:2 C6:2"},
    {"Gm", "Bb5:1 G5:2 D5:1 G5:4"},      {"C7", "E5:1 G5:2 Bb5:1 C6:2 Bb5:2"},
    {"F,D7", "A5:2 F5:2 F#5:2 A5:2"},    {"Gm,C7", "Bb5:2 G5:1 D5:1 E5:1 G5:2 Bb5:1"},
};
const Section kEntrBEnd1 = {
    {"C7", "G5:1 Bb5:2 G5:1 E5:2 C5:2"},
    {"C7", "Bb4:2 C5:2 E5:2 G5:2"},
};
const Section kEntrBEnd2 = {
    {"F,C7", "A5:2 F5:2 G5:2 E5:2"},
    {"F,G7", "F5:4 B4:1 D5:1 F5:1 G5:1"},
};
const Section kEntrCoda = {
    {"C,G7", "C6:1 G5:1 E5:1 C5:1 D5:1 F5:1 B5:2"},
    {"C!", "C5+E5+G5+C6:4 r:4"},
};

// ---- Hello, my baby ----
// A cakewalk song: a verse in G, a chorus in C, each played twice.

const Section kHelloIntro = {
    {"G", "D5:1 E5:1 D5:1 B4:1 G4:2 B4:2"},
    {"C,Cm", "C5:1 E5:2 G5:1 Eb5:2 G5:2"},
    {"G,E7", "D5:2 B4:2 G#4:2 B4:2"},
    {"A7,D7", "C#5:2 E5:2 F#5:2 C6:2"},
};
const Section kHelloAHead = {
    {"G", "D5:1 B4:2 D5:1 G5:2 D5:2"},   {"G", "E5:1 D5:2 B4:1 G4:4"},
    {"D7", "A4:1 C5:2 D5:1 F#5:2 A5:2"}, {"D7", "G5:1 F#5:2 E5:1 D5:4"},
    {"D7", "C5:1 D5:2 F#5:1 A5:2 C6:2"}, {"D7", "B5:1 A5:2 F#5:1 D5:4"},
    {"G", "B4:1 D5:2 G5:1 B5:2 A5:2"},   {"G", "G5:4 r:2 D5:2"},
    {"G", "D5:1 B4:2 D5:1 G5:2 D5:2"},   {"G7", "F5:1 D5:2 B4:1 F5:2 G5:2"},
    {"C", "E5:1 G5:2 C6:1 E6:2 C6:2"},   {"C", "D6:1 C6:2 G5:1 E5:4"},
    {"G,E7", "D5:2 G5:2 G#5:2 B5:2"},    {"A7,D7", "C#6:1 A5:2 E5:1 F#5:1 A5:2 C6:1"},
};
const Section kHelloAEnd1 = {
    {"A7", "C#5:1 E5:2 G5:1 A5:2 C#6:2"},
    {"D7", "D6:2 C6:2 A5:2 F#5:2"},
};
const Section kHelloAEnd2 = {
    {"G", "B5:2 G5:1 D5:1 G5:4"},
    {"G,G7", "G5:2 D5:1 B4:1 F5:2 D5:2"},
};
const Section kHelloBHead = {
    {"C", "G4:1 C5:2 E5:1 G5:4"},          {"C", "A5:1 G5:2 E5:1 C5:2 E5:2"},
    {"G7", "D5:1 F5:2 A5:1 G5:4"},         {"G7", "F5:1 D5:2 B4:1 G4:4"},
    {"G7", "B4:1 D5:2 F5:1 G5:2 B5:2"},    {"G7", "A5:1 G5:2 F5:1 D5:4"},
    {"C", "E5:1 G5:2 C6:1 E6:2 D6:2"},     {"C", "C6:4 r:2 G5:2"},
    {"C", "E5:1 G5:2 C6:1 E6:4"},          {"C7", "D6:1 C6:2 Bb5:1 G5:4"},
    {"F", "A5:1 C6:2 A5:1 F5:2 A5:2"},     {"F#dim", "Eb6:1 C6:2 A5:1 F#5:4"},
    {"C,A7", "G5:2 E5:2 E5:1 G5:2 C#5:1"}, {"D7,G7", "D5:1 F#5:2 A5:1 G5:1 F5:2 D5:1"},
};
const Section kHelloBEnd1 = {
    {"D7", "F#5:1 A5:2 C6:1 D6:2 A5:2"},
    {"G7", "B5:2 G5:2 F5:2 D5:2"},
};
const Section kHelloBEnd2 = {
    {"C", "E5:1 G5:2 C6:1 E6:2 D6:1 C6:1"},
    {"C,G7", "C6:2 G5:1 E5:1 D5:2 B4:2"},
};
const Section kHelloCoda = {
    {"C!", "C5+E5+G5+C6:4 r:4"},
};

// ---- A maple rag ----
// A bright rag without introduction: a strain in B flat, a broader strain in E flat with the
// tune in octaves, and the first strain again.

const Section kMapleAHead = {
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"Bb", "C6:1 Bb5:2 F5:1 D5:2 F5:2"},
    {"F7", "Eb5:1 F5:2 A5:1 C6:2 Eb6:2"},      {"Bb", "D6:1 Bb5:2 F5:1 Bb5:4"},
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"Bb7", "Ab5:1 Bb5:2 D6:1 F6:2 Ab5:2"},
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:2 Eb6:2"},     {"Ebm", "Gb6:1 Eb6:2 Bb5:1 Gb5:4"},
    {"Bb", "F5:1 D5:1 F5:1 Bb5:1 D6:2 Bb5:2"}, {"G7", "B5:1 D6:2 F6:1 D6:2 B5:2"},
    {"Cm", "C6:1 Eb6:2 G5:1 C6:2 Eb5:2"},      {"F7", "F5:1 A5:2 C6:1 Eb6:2 C6:2"},
    {"Bb,G7", "D6:2 Bb5:2 B5:1 D6:2 F6:1"},    {"Cm,F7", "Eb6:1 C6:2 G5:1 A5:1 C6:2 Eb6:1"},
};
const Section kMapleAEnd1 = {
    {"C7", "E5:1 G5:2 Bb5:1 C6:2 E6:2"},
    {"F7", "F6:2 Eb6:2 C6:2 A5:2"},
};
const Section kMapleAEnd2 = {
    {"Bb", "D6:1 F6:2 D6:1 Bb5:4"},
    {"Bb,Bb7", "Bb5+D6:2 F5:2 D5:1 F5:1 Ab5:1 F5:1"},
};
const Section kMapleAFinal = {
    {"Bb", "D6:1 F6:2 D6:1 Bb5:4"},
    {"Bb!", "Bb4+D5+F5+Bb5:4 r:4"},
};
const Section kMapleBHead = {
    {"Eb", "G5:1 Bb5:2 G5:1 Eb6:4"},          {"Eb", "D6:1 Eb6:2 Bb5:1 G5:4"},
    {"Bb7", "F5:1 Ab5:2 Bb5:1 D6:2 F6:2"},    {"Bb7", "Eb6:1 D6:2 Bb5:1 F5:4"},
    {"Bb7", "Ab5:1 Bb5:2 D6:1 F6:2 D6:2"},    {"Bb7", "C6:1 Bb5:2 Ab5:1 F5:4"},
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:2 F6:2"},     {"Eb", "Eb6:4 r:2 Bb5:2"},
    {"Eb", "G5:1 Bb5:2 G5:1 Eb6:4"},          {"Eb7", "Db6:1 Bb5:2 G5:1 Eb5:4"},
    {"Ab", "C6:1 Eb6:2 C6:1 Ab5:4"},          {"Adim", "C6:1 Eb6:2 Gb6:1 Eb6:4"},
    {"Eb,C7", "Eb6:2 Bb5:2 Bb5:1 G5:2 E5:1"}, {"F7,Bb7", "F5:1 A5:2 C6:1 D6:1 Bb5:2 Ab5:1"},
};
const Section kMapleBEnd1 = {
    {"Bb7", "F5:1 Ab5:2 Bb5:1 D6:2 F6:2"},
    {"Bb7", "Ab6:2 F6:2 D6:2 Bb5:2"},
};
const Section kMapleBEnd2 = {
    {"Eb", "G5:1 Bb5:2 Eb6:1 G6:4"},
    {"Eb,F7", "Eb6:4 C6:1 A5:1 F5:1 Eb5:1"},
};

}  // namespace

std::vector<Tune> Tunes() {
  const Section entr_a1 = kEntrAHead + kEntrAEnd1;
  const Section entr_a2 = kEntrAHead + kEntrAEnd2;
  const Section hello_a1 = kHelloAHead + kHelloAEnd1;
  const Section hello_a2 = kHelloAHead + kHelloAEnd2;
  const Section hello_b1 = kHelloBHead + kHelloBEnd1;
  const Section hello_b2 = kHelloBHead + kHelloBEnd2;
  const Section maple_a1 = kMapleAHead + kMapleAEnd1;
  const Section maple_a2 = kMapleAHead + kMapleAEnd2;
  return {
      {"entrtanr.mid",
       "Entertainment in C",
       96,
       0,
       {{kEntrIntro},
        {entr_a1},
        {entr_a2},
        {kEntrBHead + kEntrBEnd1},
        {kEntrBHead + kEntrBEnd2},
        {entr_a2},
        {kEntrCoda, false, 80}}},
      {"hellomyb.mid",
       "Hello, my baby",
       104,
       1,
       {{kHelloIntro},
        {hello_a1},
        {hello_a2},
        {hello_b1},
        {hello_b2, true},
        {kHelloCoda, false, 84}}},
      {"maplerag.mid",
       "A maple rag",
       100,
       -2,
       {{maple_a1},
        {maple_a2},
        {kMapleBHead + kMapleBEnd1, true},
        {kMapleBHead + kMapleBEnd2, true},
        {kMapleAHead + kMapleAFinal}}},
  };
}

}  // namespace vorlask::music
