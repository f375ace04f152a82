/* Launches a program and prints the milliseconds until a top-level window named as given is
   mapped on the X display: the time a user waits for the window. Peak memory is printed one
   second later, from the program's /proc status. Usage: startup_timer NAME PROGRAM [ARGS...] */
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Milliseconds(const struct timespec* from, const struct timespec* to) {
    return (to->tv_sec - from->tv_sec) * 1e3 + (to->tv_nsec - from->tv_nsec) / 1e6;
}

static int HasName(Display* display, Window window, const char* name) {
    char* windowName = NULL;
    int same = XFetchName(display, window, &windowName) && windowName != NULL &&
               strcmp(windowName, name) == 0;
    XFree(windowName);
    return same;
}

static long PeakResidentKilobytes(pid_t pid) {
    char path[64], line[256];
    long kilobytes = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (status == NULL) {
        return -1;
    }
    while (fgets(line, sizeof line, status) != NULL) {
        if (sscanf(line, "VmHWM: %ld", &kilobytes) == 1) {
            break;
        }
    }
    fclose(status);
    return kilobytes;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s NAME PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    struct timespec start, mapped;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && HasName(display, event.xmap.window, argv[1])) {
            clock_gettime(CLOCK_MONOTONIC, &mapped);
            break;
        }
    }
    sleep(1);
    long peak = PeakResidentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("%.1f %ld\n", Milliseconds(&start, &mapped), peak);
    return 0;
}
