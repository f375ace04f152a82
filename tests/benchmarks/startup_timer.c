/* Launches a program and prints the milliseconds until a top-level window named as given is
   mapped on the X display and until it is first drawn into (the time a user waits for the window
   and for its contents), then its peak resident memory one second after the map, from its /proc
   status: "MAP_MS PAINT_MS PEAK_KB". Usage: startup_timer NAME PROGRAM [ARGS...] */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
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

/* A window that fails between its creation and our request is not an error worth stopping for. */
static int IgnoreErrors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s NAME PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    int damageEvent, damageError;
    if (display == NULL || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "no X display with the DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    struct timespec start, mapped, painted;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    /* Drawing is watched from each top-level window's creation, long before anything can be
       drawn into it; the window of interest is known by its name only once it is mapped. */
    Window window = None;
    int isPainted = 0;
    while (window == None || !isPainted) {
        if (!XPending(display)) {
            /* A program that ends or hangs before it shows its window must not hang the timer. */
            fd_set connection;
            FD_ZERO(&connection);
            FD_SET(ConnectionNumber(display), &connection);
            struct timeval wait = {0, 100000};
            select(ConnectionNumber(display) + 1, &connection, NULL, NULL, &wait);
            struct timespec now;
            clock_gettime(CLOCK_MONOTONIC, &now);
            if (waitpid(pid, NULL, WNOHANG) == pid || Milliseconds(&start, &now) > 10000) {
                fprintf(stderr, "%s showed no window named %s\n", argv[2], argv[1]);
                kill(pid, SIGKILL);
                return 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (event.type == MapNotify && window == None &&
                   HasName(display, event.xmap.window, argv[1])) {
            clock_gettime(CLOCK_MONOTONIC, &mapped);
            window = event.xmap.window;
        } else if (event.type == damageEvent + XDamageNotify && window != None &&
                   ((XDamageNotifyEvent*)&event)->drawable == window) {
            clock_gettime(CLOCK_MONOTONIC, &painted);
            isPainted = 1;
        }
    }
    sleep(1);
    long peak = PeakResidentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("%.1f %.1f %ld\n", Milliseconds(&start, &mapped), Milliseconds(&start, &painted), peak);
    return 0;
}
