/* Runs one program and reports its wall time and peak memory, so that the
 * measurement neither includes a large parent's start-up nor inherits its
 * memory: the kernel counts a child's peak from the process it was started
 * from, which here is this small program.
 * measure_run <program> [arguments...]
 * prints: <wall ns> <peak KiB> <exit status> <CPU ns> <page faults>
 * CPU time and page faults vary far less than wall time on a busy machine. */
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

int main(int argc, char* argv[])
{
    struct timespec start, end;
    struct rusage usage;
    pid_t pid;
    int status;
    if (argc < 2)
        return 2;
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (posix_spawn(&pid, argv[1], NULL, NULL, argv + 1, environ) != 0)
        return 1;
    if (wait4(pid, &status, 0, &usage) != pid)
        return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    printf("%lld %ld %d %lld %ld\n",
           (long long)(end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec), usage.ru_maxrss,
           WIFEXITED(status) ? WEXITSTATUS(status) : -1,
           ((long long)usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000000LL +
               ((long long)usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1000LL,
           usage.ru_minflt + usage.ru_majflt);
    return 0;
}
