/* libvorbis turns its float samples into 16-bit ones with vorbis_ftoi. On the desktop (x86-64,
 * SSE2) that rounds halves to even; its portable fallback, which the browser's build would get,
 * rounds them up, one step off at every tie. Forced into the browser's libvorbis build, this
 * rounds as the desktop does, so both decode every sample to the same values. */
#include <math.h>
#define VORBIS_FPU_CONTROL
typedef int vorbis_fpu_control;
static inline int vorbis_ftoi(double f) {
    return (int)lrint(f);
}
#define vorbis_fpu_setround(fpu) ((void)(fpu))
#define vorbis_fpu_restore(fpu) ((void)(fpu))
