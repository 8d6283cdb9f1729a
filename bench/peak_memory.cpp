// peak_memory OUT COMMAND [ARG...]: runs COMMAND, its output thrown away,
// and writes its peak resident memory in KiB into the file OUT. A process of
// its own, small, so that the figure is the command's alone: a child spawned
// straight from the benchmark would carry the benchmark's own pages.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  const pid_t pid = fork();
  if (pid == 0) {
    const int nulla = open("/dev/null", O_WRONLY);
    dup2(nulla, 1);
    dup2(nulla, 2);
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int stato = 0;
  struct rusage uso {};
  if (pid < 0 || wait4(pid, &stato, 0, &uso) != pid) return 1;
  FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "%ld\n", uso.ru_maxrss);
  std::fclose(out);
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : 1;
}
