#pragma once

#include <SDL.h>

#include <array>
#include <string>
#include <vector>

// The seam between the page and the program, all of it in one place.
//
// The program calls the page's hooks, which the page sets on Module.vorlask under these names
// (page.js and loading.js). The build writes the list into the page (page_facts.cpp), and
// the page checks as it starts that it offers every one.
#define VORLASK_PAGE_HOOKS(X)                                                       \
  X(showError)    /* a problem, shown above the board                 page.js    */ \
  X(ended)        /* the game has ended, with its exit status         page.js    */ \
  X(showState)    /* the options and the result, after each change    page.js    */ \
  X(boardShown)   /* the first board is on the canvas                 loading.js */ \
  X(atRest)       /* the first rest after it: the page may go on      loading.js */ \
  X(musicFetched) /* whether the music's files are in the page        loading.js */ \
  X(fetchMusic)   /* fetches them; a promise of the problem, or none  loading.js */ \
  X(music)        /* the music plays or rests, and the audio with it  page.js    */
//
// The page calls the program's exports (below): vorlask_page_command for its own controls,
// vorlask_page_square for a square a screen reader's player activated, and
// vorlask_page_music_arrived when the music's files have come or failed.
// The program also waits on the browser itself (the Sleep functions), which needs nothing of
// the page.

namespace vorlask {

// What the page shows of the game outside the canvas: the options of the panel, once a game
// has ended its result, and for a player who does not see the board its squares in words and
// the square of the cursor (ui/spoken.h).
struct PageState {
  int mode = 0;
  int start = 0;
  bool music = false;
  bool animate = false;
  bool active = false;
  std::array<std::string, 2> result;    // in Russian and in English, once a game has ended
  std::array<std::string, 64> squares;  // the field from its top-left square, row by row
  int cursor = 0;                       // which of them the cursor is on

  bool operator==(const PageState&) const = default;
};

// The page's own controls for the options and the new game, by the key each stands for; a
// letter's or a digit's key code is its character (game/codes.h). The board's squares send
// Enter (13) for Space, which the game has no use for.
inline constexpr std::array<char, 9> kPageCommands = {'T', 'H', 'P', '1', '2', 'S', 'A', 'N', '\r'};

namespace page {

void ShowError(const std::string& message);
void Ended(int status);
// The state, with what changed since the last, in sentences, for the page to say.
void ShowState(const PageState& state, const std::vector<std::string>& news);
void BoardShown();
void AtRest();
bool MusicFetched();
// Starts fetching the music's files, without waiting for them: once they are in the page or
// have failed, the loop gets a MusicArrivedEvent.
void FetchMusic();
// After that event: empty when the files came, otherwise what went wrong.
std::string MusicProblem();
// The event type, registered on first use.
Uint32 MusicArrivedEvent();
// The music plays, or has stopped: the page lets the browser's audio run or rest.
void MusicPlays(bool on);

// The loop sleeps here, the browser running freely, until WakeLoop resumes it.
void SleepUntilWoken();
// Resumes the sleeping loop once the code that called it has returned.
void WakeLoop();
// Until the middle of the clock's second (see web_platform.cpp).
void SleepUntilMidSecond();
// Until the page can be seen.
void SleepUntilVisible();

}  // namespace page
}  // namespace vorlask

// The page's own option and new-game controls: queues the key press whose virtual-key code is
// given (T, H, P, 1, 2, S, A or N), to be handled in turn with the person's other input, as
// the key itself would be. Returns 1 when queued, 0 for any other code or when the game is
// not running.
extern "C" int vorlask_page_command(int key);

// A click on the square (row, column) of the Board, as a player's click there, queued in turn
// with the rest of the input. Returns 1 when queued.
extern "C" int vorlask_page_square(int row, int col);

// The music's files have come or failed (page::FetchMusic): queues the event that says so.
extern "C" void vorlask_page_music_arrived();
