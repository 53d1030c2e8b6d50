/* Preloaded into the program under measurement: writes, on the first buffer
 * swap of an OpenGL window (the first frame a person sees), the nanoseconds
 * since FIRST_FRAME_T0_NS (CLOCK_REALTIME, taken by the launcher just before
 * the start) to the file FIRST_FRAME_OUT. Everything else passes through. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <X11/Xlib.h>
#include <GL/glx.h>

static void note_first_frame(void)
{
    static int done;
    if (__atomic_exchange_n(&done, 1, __ATOMIC_SEQ_CST))
        return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const char *t0 = getenv("FIRST_FRAME_T0_NS");
    const char *out = getenv("FIRST_FRAME_OUT");
    if (!t0 || !out)
        return;
    long long ns = (long long)now.tv_sec * 1000000000LL + now.tv_nsec - atoll(t0);
    FILE *f = fopen(out, "w");
    if (f) {
        fprintf(f, "%lld\n", ns);
        fclose(f);
    }
}

void glXSwapBuffers(Display *display, GLXDrawable drawable)
{
    static void (*real)(Display *, GLXDrawable);
    if (!real)
        real = (void (*)(Display *, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    note_first_frame();
}
