/* Starts a program and reports how long it takes until its main window is
 * first drawn: the first damage to a top-level window of at least 100x100
 * pixels that the program (by _NET_WM_PID) has mapped. Prints
 * "MILLISECONDS RSS_KB" (resident memory at that moment) and ends the
 * program. Every program is measured the same way, from outside.
 *
 * usage: startup_probe [-t SECONDS] PROGRAM [ARGS...]
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
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

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static long rss_kb(pid_t pid) {
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    long kb = -1;
    if (!f) return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
    fclose(f);
    return kb;
}

static long window_pid(Display* d, Window w) {
    static Atom pidAtom = None;
    if (pidAtom == None) pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) ==
            Success &&
        data && n == 1)
        pid = (long)*(unsigned long*)data;
    if (data) XFree(data);
    return pid;
}

static int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;  /* windows may vanish while we look at them */
}

#define MAX_WINDOWS 256

int main(int argc, char** argv) {
    double timeout_s = 20;
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "-t") == 0) {
        timeout_s = atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        fprintf(stderr, "usage: %s [-t SECONDS] PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "no display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(d, &damageEvent, &damageError)) {
        fprintf(stderr, "no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const double t0 = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }

    Window windows[MAX_WINDOWS];
    int mapped[MAX_WINDOWS] = {0};
    int count = 0;
    const int fd = ConnectionNumber(d);
    int status = 1;
    for (;;) {
        while (!XPending(d)) {
            const double left = timeout_s * 1000 - (now_ms() - t0);
            if (left <= 0) {
                fprintf(stderr, "timed out\n");
                goto done;
            }
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            struct timeval tv = {(long)(left / 1000), (long)((long)left % 1000) * 1000};
            select(fd + 1, &set, NULL, NULL, &tv);
        }
        XEvent ev;
        XNextEvent(d, &ev);
        if (ev.type == CreateNotify && count < MAX_WINDOWS) {
            /* Watch for drawing from creation on, so no early paint is missed. */
            windows[count] = ev.xcreatewindow.window;
            XDamageCreate(d, ev.xcreatewindow.window, XDamageReportNonEmpty);
            ++count;
        } else if (ev.type == MapNotify) {
            for (int i = 0; i < count; ++i)
                if (windows[i] == ev.xmap.window) mapped[i] = 1;
        } else if (ev.type == damageEvent + XDamageNotify) {
            XDamageNotifyEvent* de = (XDamageNotifyEvent*)&ev;
            for (int i = 0; i < count; ++i) {
                if (windows[i] != de->drawable || !mapped[i]) continue;
                XWindowAttributes a;
                if (!XGetWindowAttributes(d, de->drawable, &a) || a.width < 100 || a.height < 100) break;
                if (window_pid(d, de->drawable) != child) break;
                const double ms = now_ms() - t0;
                printf("%.1f %ld\n", ms, rss_kb(child));
                status = 0;
                goto done;
            }
        }
    }
done:
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(d);
    return status;
}
