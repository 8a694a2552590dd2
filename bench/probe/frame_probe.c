/* An outside probe of the real program's frame cost, preloaded with LD_PRELOAD: it counts the
 * buffer swaps and, once a second, writes one line
 *   <seconds since load> <swaps> <process CPU seconds, all threads>
 * to the file named by FRAME_PROBE_OUT (appended), plus a line "first <seconds>" at the first
 * swap. The program itself is unchanged; the probe only wraps glXSwapBuffers. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*SwapFn)(void*, unsigned long);

static double loadTime;
static double lastWrite;
static unsigned long swaps;

static double seconds(clockid_t clock) {
  struct timespec t;
  clock_gettime(clock, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static void writeLine(const char* prefix, double value) {
  const char* path = getenv("FRAME_PROBE_OUT");
  if (!path) return;
  FILE* out = fopen(path, "a");
  if (!out) return;
  if (prefix) {
    fprintf(out, "%s %.6f\n", prefix, value);
  } else {
    fprintf(out, "%.6f %lu %.6f\n", value, swaps, seconds(CLOCK_PROCESS_CPUTIME_ID));
  }
  fclose(out);
}

__attribute__((constructor)) static void probeLoaded(void) {
  loadTime = seconds(CLOCK_MONOTONIC);
  lastWrite = loadTime;
}

void glXSwapBuffers(void* display, unsigned long drawable) {
  static SwapFn next;
  if (!next) next = (SwapFn)dlsym(RTLD_NEXT, "glXSwapBuffers");
  next(display, drawable);
  const double now = seconds(CLOCK_MONOTONIC);
  if (++swaps == 1) writeLine("first", now - loadTime);
  if (now - lastWrite >= 1.0) {
    lastWrite = now;
    writeLine(NULL, now - loadTime);
  }
}
