#pragma once

#include <cstdint>
#include <string>

#include "gfx/canvas.h"
#include "support/fake_platform.h"

// The platform, canvas and event record of the soak test.
namespace vorlask::testing {

// Takes every drawing step and keeps nothing: the game never reads its picture back.
class NullCanvas : public Canvas {
 public:
  NullCanvas() : Canvas(1, 1, kOlive) {}
  void Clear(Color) override {}
  void Draw(int, int, const Image&) override {}
  void LineTo(int x, int y) override { MoveTo(x, y); }
  void Rectangle(int, int, int, int) override {}
  void TextOut(int, int, const std::string&) override {}
};

// Serves the bitmaps from memory after the first load: a soak re-creates the form hundreds of
// times, and the files do not change meanwhile.
class SoakPlatform : public FakePlatform {
 public:
  SoakPlatform() : FakePlatform(false) {}
  BitmapSet StartupBitmaps() override {
    static const BitmapSet loaded = FakePlatform::StartupBitmaps();
    return loaded;
  }
};

// One input event, kept small: a soak records hundreds of thousands.
struct Event {
  enum Kind : std::uint8_t { kStart, kKey, kClick, kTimer, kMusicEnds, kDevice, kNotify };
  Kind kind = kStart;
  int a = 0, b = 0, c = 0;

  std::string Text() const {
    switch (kind) {
      case kStart:
        return a != 0 ? "start (real pixels)" : "start";
      case kKey:
        return "key " + std::to_string(a);
      case kClick:
        return "click button " + std::to_string(a) + " at " + std::to_string(b) + "," +
               std::to_string(c);
      case kTimer:
        return "timer";
      case kMusicEnds:
        return "music ends";
      case kDevice:
        return a != 0 ? "music device fails" : "music device works";
      case kNotify:
        return "music notification";
    }
    return "?";
  }
};

}  // namespace vorlask::testing
