#pragma once

// The main window TForm3 and the whole state of the game. All state is plain members that every
// handler and both computer players read and write directly; the methods take no arguments and
// talk to each other only through these members. The methods are defined by subsystem:
//   new_game.cpp          FormCreate, wolf0, the six bitmaps
//   commands.cpp          FormKeyDown, FormMouseUp, the turn cycle, wolf2 (first half),
//                         Timer1Timer
//   move_input.cpp        wolf2 (move input), f_at
//   end_of_game.cpp       wolf2a
//   computer_hunters.cpp  wolfa
//   computer_wolf.cpp     wolfb, wolfc, wolfd
//   form.cpp              the form's making, the Board's check after each handler, f_at
//   board_drawing.cpp     FormPaint, wolf1
//   panel.cpp             wolf1a, the message block
//   animation.cpp         wolf3, the speed calibration
//   music.cpp             wolf4, MediaPlayer1Notify
// The rules they call are values (game/, ai/); what they draw, time and play goes through the
// Platform (ui/platform.h).

#include <array>
#include <cstdint>
#include <string>

#include "game/board.h"
#include "game/codes.h"
#include "game/layout.h"
#include "game/rules.h"
#include "gfx/canvas.h"
#include "ui/platform.h"

namespace vorlask {

enum class MouseButton { kLeft, kRight, kMiddle, kOther };

inline constexpr int kTileCount = 11;

// Pictures of the tile set ImageList1, by number.
namespace tile {
enum : int {
  kCursorHunter,
  kCursorWolf,
  kCursorEmpty,
  kDark,
  kPickedHunter,
  kPickedWolf,
  kLight,
  kHunter,
  kWolf,
  kMovingHunter,
  kMovingWolf,
};
}  // namespace tile

// The music files, played in turn from the data folder.
inline constexpr std::array<const char*, 3> kMusicFiles = {"entrtanr.mid", "hellomyb.mid",
                                                           "maplerag.mid"};
// The result lines (the Russian ones in UTF-8).
inline constexpr const char* kNewGameLine1 = "    Конец игры .    ";
inline constexpr const char* kNewGameLine2 = "    Game  over .    ";
inline constexpr const char* kNewGameLine3 = " ";
inline constexpr const char* kCaughtLine1 = "  Волк  пойман !";
inline constexpr const char* kCaughtLine2 = "     The wolf is";
inline constexpr const char* kCaughtLine3 = "         caught ! ";
inline constexpr const char* kFreeLine1 = "Волк вырвался!";
inline constexpr const char* kFreeLine2 = "    The wolf has";
inline constexpr const char* kFreeLine3 = "        broken !   ";

// The computer wolf moves again at once while the hunters have to pass; the wolf can shuffle
// for ever while they stay blocked, so the number of such extra moves in a row is bounded.
inline constexpr int kMaxComputerWolfPasses = 64;

class TForm3 {
 public:
  explicit TForm3(Platform& platform);

  // ---- Event handlers of the window ----
  // Start-up. Returns false when a data file could not be loaded; the error has been shown and
  // no game exists, so the program must end without showing the window.
  bool FormCreate();
  void FormPaint();
  void FormKeyDown(std::uint16_t key);
  void FormMouseUp(MouseButton button, int x, int y);
  void Timer1Timer();
  void MediaPlayer1Notify();

  // ---- Operations (no arguments; they talk through the members below) ----
  void wolf0();   // new game: writes every rule and UI variable of a game from the options
  void wolf1();   // board drawing: reads Board, Cursor*, FullRedraw; writes CursorCellCode
  void wolf1a();  // panel drawing: reads the options
  void wolf2();   // move handler: reads Command, Mouse*; writes cursor, options, Board, TurnState
  // end-of-game test: reads Board, Wolf*; writes MessageLine*, GameActive, TurnState
  void wolf2a();
  void wolf3();  // move animation: reads Anim*, DelayCount
  void wolf4();  // next music track: reads/writes TrackNumber, NotifyArmed
  void wolfa();  // computer hunters: reads/writes Board, TurnState, Anim*
  void wolfb();  // computer wolf's turn: reads/writes Board, Wolf*, TurnState, MoveMade, WolfMoved
  void wolfc();  // wolf pattern book: reads/writes Board, Wolf*, WolfMoved, Anim*
  void wolfd();  // breakthrough search: reads Found*, Board; writes Board, Wolf*, WolfMoved
  // First position (1..10) of ch in the row text, 0 if none.
  static int f_at(const std::string& row, char ch);

  // Checks the Board when a handler returns, however it returns (see invariants.cpp).
  class HandlerCheck {
   public:
    explicit HandlerCheck(const TForm3& form) : form_(form) {}
    HandlerCheck(const HandlerCheck&) = delete;
    HandlerCheck& operator=(const HandlerCheck&) = delete;
    ~HandlerCheck();

   private:
    [[maybe_unused]] const TForm3& form_;  // read only where the check is built in
  };

  // ---- Pieces of the handlers, named for what they do ----
  Position CurrentPosition() const;  // the rule state as a value, for the rules to work on
  void Adopt(const Position& position);
  void NoteCursorCell();  // the one writer of CursorCellCode: the code under the cursor
  void MoveWolf(Place from, Place to);  // the computer wolf's move, animated and drawn
  void EndProgram();      // music off, the platform told to quit, no handler runs after
  void TurnCycle();       // end-of-game test, computer reply, repaint of a finished game
  void MoveInput();       // second half of wolf2, Command 13
  void ClickMapping();    // Command 151 to a square or a panel command
  void OptionCommands();  // marks and options of the panel commands
  void DrawMark(int box, bool chosen);
  void ChooseOption(std::uint8_t& option, int first_box, int count, int chosen);
  void RestartIfUntouched();
  bool HuntersUntouched() const;  // reads Board, OpeningBoard
  void MusicRanOutAtOnce();       // reads PlayingTrack; writes QuickEnds*, MusicStalled
  void MusicUnavailable(const std::string& reason);  // writes MusicOn; draws its blank mark
  void DrawMessageBlock();
  void Calibrate();  // the speed measurement of the first paint
  void DrawTile(int index, int row, int col);
  void DrawCursor();         // the cursor's tile on the square of CursorRow, CursorCol
  void RepaintLeftSquare();  // the cursor's square as CursorCellCode remembers it, unmarked
  bool LoadBitmaps();        // the six bitmaps from the data folder; false on failure
  void RedrawBoard();        // wolf1 with FullRedraw 1, so that squares left empty are repaired
  void AnimateWolf();        // wolf3 with AnimWolf 1 for its duration
  // A tile's top-left pixel for a square.
  static int SquareX(int col) { return layout::SquareX(col); }
  static int SquareY(int row) { return layout::SquareY(row); }

  // ---- Components ----
  Platform& platform;
  Canvas& canvas;
  std::array<Image, kTileCount> ImageList1;
  Timer& Timer1;
  MediaPlayer& MediaPlayer1;

  // ---- Bitmaps loaded at start-up ----
  Image BackgroundBitmap;  // h16.bmp
  Image ChosenMark;        // h11.bmp
  Image BlankMark;         // h10.bmp
  Image StartBoxPressed;   // h9.bmp
  Image RisingPatch;       // h12.bmp
  Image FallingPatch;      // h13.bmp

  // ---- Rule state ----
  TBoard Board;
  std::uint8_t GameMode = mode::kTwoPeople;
  std::uint8_t TurnState = turn::kHuntersToMove;
  std::uint8_t WolfRow = 0;
  std::uint8_t WolfCol = 0;
  std::uint8_t GameActive = 0;
  std::uint8_t MoveMade = 0;

  // ---- Commands and the timer ----
  std::uint16_t Command = 0;
  std::uint32_t TimerAction = timer_action::kNewGame;
  TBoard OpeningBoard;  // the Board a new game in GameMode 2 set up for that move
  std::int32_t MouseX = 0;
  std::int32_t MouseY = 0;

  // ---- Options (kept across games) ----
  std::uint8_t ModeOption = 0;
  std::uint8_t StartOption = 0;
  std::uint8_t AnimateMoves = 0;
  std::uint8_t MusicOn = 0;

  // ---- UI state ----
  std::uint8_t CursorRow = 0;
  std::uint8_t CursorCol = 0;
  char CursorCellCode = cell::kNothing;
  std::uint8_t FullRedraw = 0;
  std::string MessageLine1;
  std::string MessageLine2;
  std::string MessageLine3;

  // ---- Fixed layout ----
  std::int32_t BoardOffsetX = 0;
  std::int32_t BoardOffsetY = 0;
  std::int32_t OptionBoxWidth = 0;
  std::int32_t OptionBoxHeight = 0;

  // ---- Move animation and its pace ----
  std::uint8_t AnimFromRow = 0;
  std::uint8_t AnimFromCol = 0;
  std::uint8_t AnimToRow = 0;
  std::uint8_t AnimToCol = 0;
  std::uint8_t AnimWolf = 0;
  std::uint8_t AnimDirection = 0;
  std::uint8_t AnimFrame = 0;
  std::int32_t DelayCount = 0;
  std::uint8_t CalibrationPending = 0;

  // ---- Music ----
  std::uint8_t TrackNumber = 1;
  std::uint8_t NotifyArmed = 0;
  std::uint8_t PlayingTrack = 0;       // the track of the play last started, 1..3
  std::uint8_t QuickEnds = 0;          // plays in a row that ran out as soon as they started
  std::uint8_t QuickEndsReported = 0;  // one bit a track: its quick end has been reported
  std::uint8_t MusicStalled = 0;       // 1: no track plays; none starts until music is next on
  std::string StartDirectory;

  // ---- Working values of the computer players ----
  std::uint8_t WolfMoved = 0;
  std::uint8_t FoundRow = 0;
  std::uint8_t FoundCol = 0;

  // ---- Program state ----
  bool Closing = false;            // set once the program has been told to end
  std::uint32_t GamesStarted = 0;  // new games so far, restarts included: a page tells each
};

}  // namespace vorlask
