#pragma once

#include <cstdint>

// The codes the game's state is written in. The state variables keep their plain widths (a
// char per square, one byte per small number), so these are constants of those types rather
// than enums.
namespace vorlask {

// What a square of the Board holds.
namespace cell {
inline constexpr char kEmpty = '0';  // a dark square with no piece
inline constexpr char kLight = '1';  // a light square, where no piece may stand
inline constexpr char kHunter = '2';
inline constexpr char kWolf = '3';
inline constexpr char kPickedHunter = '4';
inline constexpr char kPickedWolf = '5';
// In the formation tables only: a square where the wolf makes a hunters' entry fit, or the
// square a wolf entry sends the wolf to.
inline constexpr char kMarked = '6';
inline constexpr char kNothing = '8';  // CursorCellCode only: no square is remembered
inline constexpr char kBorder = '9';
}  // namespace cell

// Whose move it is, and whether a piece is in the hand (TurnState).
namespace turn {
enum : std::uint8_t { kHuntersToMove, kWolfPickedUp, kHunterPickedUp, kWolfToMove };
}  // namespace turn

// Who plays which side (GameMode); the option ModeOption counts them from 1.
namespace mode {
enum : std::uint8_t { kTwoPeople, kComputerHunters, kComputerWolf };
}  // namespace mode

// What the one-shot timer does when it fires (TimerAction).
namespace timer_action {
inline constexpr std::uint32_t kNewGame = 0;
inline constexpr std::uint32_t kOpeningMove = 1;  // the computer wolf's first move from its book
}  // namespace timer_action

// Virtual-key codes, as the window system reports them; they are the command codes.
namespace vk {
inline constexpr std::uint16_t kEnter = 13;
inline constexpr std::uint16_t kEscape = 27;
inline constexpr std::uint16_t kLeft = 37;
inline constexpr std::uint16_t kUp = 38;
inline constexpr std::uint16_t kRight = 39;
inline constexpr std::uint16_t kDown = 40;
inline constexpr std::uint16_t k1 = 49;
inline constexpr std::uint16_t k2 = 50;
inline constexpr std::uint16_t kA = 65;
inline constexpr std::uint16_t kH = 72;
inline constexpr std::uint16_t kN = 78;
inline constexpr std::uint16_t kP = 80;
inline constexpr std::uint16_t kS = 83;
inline constexpr std::uint16_t kT = 84;
}  // namespace vk

// Command codes of mouse releases.
inline constexpr std::uint16_t kLeftRelease = 151;
inline constexpr std::uint16_t kOtherRelease = 152;

}  // namespace vorlask
