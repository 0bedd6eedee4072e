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

int main(int argc, char** argv) {
  int program = 0;
  bool kill_after = false;
  for (int i = 5; i < argc; ++i) {
    if (std::strcmp(argv[i], "--kill") == 0) kill_after = true;
    if (std::strcmp(argv[i], "--") == 0) {
      program = i + 1;
      break;
    }
  }
  if (argc < 7 || program == 0 || program >= argc) {
    std::fprintf(stderr, "usage: %s X Y RRGGBB TIMEOUT_MS [--kill] -- PROGRAM [ARGS...]\n",
                 argv[0]);
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  const unsigned long want = std::strtoul(argv[3], nullptr, 16);
  const long timeout_ms = std::atol(argv[4]);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  const Window root = DefaultRootWindow(display);
  auto read_pixel = [&]() -> long {
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return -1;
    const long pixel = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFFul);
    XDestroyImage(image);
    return pixel;
  };
  // The window of a previous run may still be on its way out.
  for (int i = 0; i < 2000 && read_pixel() == static_cast<long>(want); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // The program's output is not wanted, and it must not hold the caller's pipe open.
    const int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
    execvp(argv[program], argv + program);
    _exit(127);
  }
  if (pid < 0) {
    std::perror("fork");
    return 1;
  }
  int status = 0;
  double elapsed_ms = -1;
  for (;;) {
    const long pixel = read_pixel();
    const double now_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (pixel == static_cast<long>(want)) {
      elapsed_ms = now_ms;
      break;
    }
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "%s: %s ended before its first frame\n", argv[0], argv[program]);
      return 1;
    }
    if (now_ms > static_cast<double>(timeout_ms)) {
      std::fprintf(stderr, "%s: no first frame within %ld ms\n", argv[0], timeout_ms);
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  std::printf("first_frame_ms=%.1f pid=%d\n", elapsed_ms, static_cast<int>(pid));
  std::fflush(stdout);
  if (kill_after) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  XCloseDisplay(display);
  return 0;
}
