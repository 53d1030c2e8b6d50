/* Preloaded into the program under measurement. Writes, on the first buffer
 * swap of an OpenGL window (the first frame a person sees), the nanoseconds
 * since FIRST_FRAME_T0_NS (CLOCK_REALTIME, taken by the launcher just before
 * the start) to the file FIRST_FRAME_OUT.
 *
 * With FIRST_FRAME_BUSY_OUT set, a thread of its own also watches the CPU time
 * of the program's main (GUI) thread in 5 ms steps and writes to that file
 * when, counted from the same start, the main thread last worked (used at
 * least 1 ms of a step): the end of the start-up work, including whatever
 * the program does after its first frame. The watch ends 3 s after the
 * first frame (the thread is gone before the memory and idle figures are
 * taken). Everything else passes through. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <X11/Xlib.h>
#include <GL/glx.h>

static long long first_frame_ns; /* 0 until the first frame */

static long long since_start_ns(void)
{
    const char *t0 = getenv("FIRST_FRAME_T0_NS");
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec - (t0 ? atoll(t0) : 0);
}

static void write_ns(const char *path, long long ns)
{
    FILE *f = path ? fopen(path, "w") : NULL;
    if (f) {
        fprintf(f, "%lld\n", ns);
        fclose(f);
    }
}

static void note_first_frame(void)
{
    static int done;
    if (__atomic_exchange_n(&done, 1, __ATOMIC_SEQ_CST))
        return;
    const long long ns = since_start_ns();
    __atomic_store_n(&first_frame_ns, ns, __ATOMIC_SEQ_CST);
    if (getenv("FIRST_FRAME_T0_NS"))
        write_ns(getenv("FIRST_FRAME_OUT"), ns);
}

void glXSwapBuffers(Display *display, GLXDrawable drawable)
{
    static void (*real)(Display *, GLXDrawable);
    if (!real)
        real = (void (*)(Display *, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    note_first_frame();
}

static clockid_t main_thread_clock;

static long long cpu_ns(clockid_t clock)
{
    struct timespec t;
    if (clock_gettime(clock, &t) != 0)
        return -1;
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void *watch_main_thread(void *arg)
{
    (void)arg;
    const struct timespec step = {0, 5000000};
    long long before = cpu_ns(main_thread_clock);
    long long last_busy = since_start_ns();
    for (;;) {
        nanosleep(&step, NULL);
        const long long now = since_start_ns();
        const long long cpu = cpu_ns(main_thread_clock);
        if (cpu < 0)
            break; /* the main thread is gone */
        if (cpu - before >= 1000000)
            last_busy = now;
        before = cpu;
        const long long frame = __atomic_load_n(&first_frame_ns, __ATOMIC_SEQ_CST);
        if ((frame > 0 && now > frame + 3000000000LL) || now > 60000000000LL)
            break;
    }
    write_ns(getenv("FIRST_FRAME_BUSY_OUT"), last_busy);
    return NULL;
}

__attribute__((constructor)) static void start_watch(void)
{
    if (!getenv("FIRST_FRAME_BUSY_OUT") || !getenv("FIRST_FRAME_T0_NS"))
        return;
    pthread_t thread;
    if (pthread_getcpuclockid(pthread_self(), &main_thread_clock) != 0)
        return;
    if (pthread_create(&thread, NULL, watch_main_thread, NULL) == 0)
        pthread_detach(thread);
}
