// measure COMMAND...: runs the command once and prints its wall time in
// milliseconds and its peak resident memory in kilobytes (the command's own
// standard output is discarded):
// "wall_ms=12.34 maxrss_kb=45678 status=0".
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: measure COMMAND [ARGS...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    // The command's own output is not part of the measurement.
    if (int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDOUT_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("wall_ms=%.2f maxrss_kb=%ld status=%d\n", ms, usage.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}
