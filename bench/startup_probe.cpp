// Starts a program and measures the time until a given pixel of the screen shows a given
// colour: the time from the start to the program's first frame on screen. The pixel is read
// straight from the X server about every half millisecond.
//
//   startup_probe X Y RRGGBB TIMEOUT_MS [--kill] -- PROGRAM [ARGS...]
//
// Prints "first_frame_ms=<ms> pid=<pid>". Without --kill the program keeps running (for the
// idle measurements that follow); with it the program is killed and reaped at once.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

struct Options {
  int x = 0, y = 0;
  unsigned long want = 0;  // the colour as 0xRRGGBB
  long timeout_ms = 0;
  bool kill_after = false;
  int program = 0;  // where the program's name is in argv; 0 when missing
};

// False when the arguments are not what the usage line says.
bool ReadOptions(int argc, char** argv, Options& options) {
  for (int i = 5; i < argc; ++i) {
    if (std::strcmp(argv[i], "--kill") == 0) options.kill_after = true;
    if (std::strcmp(argv[i], "--") == 0) {
      options.program = i + 1;
      break;
    }
  }
  if (argc < 7 || options.program == 0 || options.program >= argc) return false;
  options.x = std::atoi(argv[1]);
  options.y = std::atoi(argv[2]);
  options.want = std::strtoul(argv[3], nullptr, 16);
  options.timeout_ms = std::atol(argv[4]);
  return true;
}

// The colour of one pixel of the screen as 0xRRGGBB, or -1 when the server gives none.
long ReadPixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return -1;
  const long pixel = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFFul);
  XDestroyImage(image);
  return pixel;
}

// Starts the program with its output thrown away; returns its pid, or -1 when fork fails.
pid_t StartProgram(char** argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    // The program's output is not wanted, and it must not hold the caller's pipe open.
    const int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
    execvp(argv[0], argv);
    _exit(127);
  }
  return pid;
}

// Milliseconds from `start` until the pixel shows the colour; -1, with the reason on stderr,
// when the program ends first or the time runs out (the program is then killed and reaped).
double WaitForFrame(Display* display, const Options& options, char** argv, pid_t pid,
                    std::chrono::steady_clock::time_point start) {
  int status = 0;
  for (;;) {
    const long pixel = ReadPixel(display, options.x, options.y);
    const double now_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (pixel == static_cast<long>(options.want)) return now_ms;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "%s: %s ended before its first frame\n", argv[0], argv[options.program]);
      return -1;
    }
    if (now_ms > static_cast<double>(options.timeout_ms)) {
      std::fprintf(stderr, "%s: no first frame within %ld ms\n", argv[0], options.timeout_ms);
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s X Y RRGGBB TIMEOUT_MS [--kill] -- PROGRAM [ARGS...]\n",
                 argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  // The window of a previous run may still be on its way out.
  for (int i = 0;
       i < 2000 && ReadPixel(display, options.x, options.y) == static_cast<long>(options.want);
       ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = StartProgram(argv + options.program);
  if (pid < 0) {
    std::perror("fork");
    return 1;
  }
  const double elapsed_ms = WaitForFrame(display, options, argv, pid, start);
  if (elapsed_ms < 0) return 1;
  std::printf("first_frame_ms=%.1f pid=%d\n", elapsed_ms, static_cast<int>(pid));
  std::fflush(stdout);
  if (options.kill_after) {
    int status = 0;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  XCloseDisplay(display);
  return 0;
}
