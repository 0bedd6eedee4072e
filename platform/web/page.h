#pragma once

#include <array>
#include <string>

// The seam between the page and the program, all of it in one place.
//
// The program calls the page's hooks, which the page sets on Module.vorlask under these names
// (shell.html and loading.js). The build writes the list into the page (page_facts.cpp), and
// the page checks as it starts that it offers every one.
#define VORLASK_PAGE_HOOKS(X)                                                       \
  X(showError)    /* a problem, shown above the board                 shell.html */ \
  X(ended)        /* the game has ended, with its exit status         shell.html */ \
  X(showState)    /* the options and the result, after each change    shell.html */ \
  X(boardShown)   /* the first board is on the canvas                 loading.js */ \
  X(atRest)       /* the first rest after it: the page may go on      loading.js */ \
  X(musicFetched) /* whether the music's files are in the page        loading.js */ \
  X(fetchMusic)   /* fetches them; a promise of the problem, or none  loading.js */
//
// The page calls the program's one export, vorlask_page_command (below), for its own controls.
// The program also waits on the browser itself (the Sleep functions), which needs nothing of
// the page.

namespace vorlask {

// What the page shows of the game outside the canvas: the options of the panel and, once a
// game has ended, its result.
struct PageState {
  int mode = 0;
  int start = 0;
  bool music = false;
  bool animate = false;
  bool active = false;
  std::string line1;
  std::string line2;
  std::string line3;

  bool operator==(const PageState&) const = default;
};

// The page's own controls for the options and the new game, by the key each stands for; a
// letter's or a digit's key code is its character (game/codes.h).
inline constexpr std::array<char, 8> kPageCommands = {'T', 'H', 'P', '1', '2', 'S', 'A', 'N'};

namespace page {

void ShowError(const std::string& message);
void Ended(int status);
void ShowState(const PageState& state);
void BoardShown();
void AtRest();
bool MusicFetched();
// Fetches the music's files; empty when they came, otherwise what went wrong.
std::string FetchMusic();

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
