/* Preloaded into the emulated 32-bit Wine processes only (the private root's
 * etc/ld.so.preload; tools/scripts/x86-wine.sh builds it).
 *
 * qemu-user delivers SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGTRAP with the trap
 * number of the signal context left at -1, and Wine's handlers decide by that
 * number what happened ("Got unexpected trap -1"). This object wraps
 * sigaction: for those signals it puts a handler of its own in front of the
 * one installed, which fills in the trap number the processor would have
 * given, from the signal and si_code, and then calls the installed handler.
 *
 * The machine has no 32-bit C headers or libc to link with: this file is
 * freestanding and declares the few i386 glibc types it uses itself; it links
 * against the root's own libc.so.6. */

typedef void (*InfoHandler)(int, void*, void*);

/* glibc's i386 struct sigaction. */
struct GlibcSigaction {
  InfoHandler handler;
  unsigned char mask[128];
  int flags;
  void (*restorer)(void);
};

typedef int (*SigactionFunction)(int, const struct GlibcSigaction*, struct GlibcSigaction*);

void* dlsym(void* handle, const char* name);
#define RTLD_NEXT ((void*)-1l)

enum {
  kSigIll = 4,
  kSigTrap = 5,
  kSigBus = 7,
  kSigFpe = 8,
  kSigSegv = 11,
  kSaSigInfo = 4,
  kSignals = 65,
};

/* Where the i386 ucontext_t keeps gregs[REG_TRAPNO]: gregs start 20 bytes in,
 * REG_TRAPNO is index 12. si_code is the third int of siginfo_t. */
enum { kTrapNoOffset = 20 + 12 * 4, kSiCodeOffset = 8 };

static InfoHandler installed[kSignals];

static int Traps(int sig) {
  return sig == kSigIll || sig == kSigTrap || sig == kSigBus || sig == kSigFpe || sig == kSigSegv;
}

/* The processor's trap number for what the kernel would have reported. */
static int TrapNumber(int sig, int code) {
  switch (sig) {
    case kSigSegv:
      return code == 0x80 ? 13 : 14; /* SI_KERNEL: general protection; else page fault */
    case kSigBus:
      return code == 0x80 ? 11 : 17; /* segment not present; alignment check */
    case kSigIll:
      return 6; /* invalid opcode */
    case kSigFpe:
      return code == 1 ? 0 : code == 2 ? 4 : 16; /* FPE_INTDIV, FPE_INTOVF, else x87 error */
    default:
      return code == 2 ? 1 : 3; /* TRAP_TRACE: single step; else breakpoint */
  }
}

static void InFront(int sig, void* info, void* context) {
  if (context != 0) {
    int* trapNo = (int*)((char*)context + kTrapNoOffset);
    const int code = info != 0 ? *(int*)((char*)info + kSiCodeOffset) : 0;
    if (*trapNo == -1) *trapNo = TrapNumber(sig, code);
  }
  InfoHandler handler = installed[sig];
  if (handler != 0) handler(sig, info, context);
}

/* The handler is recorded before the real call, so that a signal arriving
 * while it is being installed finds it. */
static int Wrapped(SigactionFunction real, int sig, const struct GlibcSigaction* act, struct GlibcSigaction* old) {
  if (real == 0) return -1;
  if (sig <= 0 || sig >= kSignals || !Traps(sig)) return real(sig, act, old);

  const InfoHandler previous = installed[sig];
  struct GlibcSigaction mine;
  const struct GlibcSigaction* passed = act;
  if (act != 0 && (act->flags & kSaSigInfo) != 0) {
    installed[sig] = act->handler;
    mine = *act;
    mine.handler = InFront;
    passed = &mine;
  }
  const int result = real(sig, passed, old);
  if (result != 0) {
    installed[sig] = previous;
    return result;
  }
  /* Whoever asks sees the handler that was installed, not ours. */
  if (old != 0 && old->handler == InFront) old->handler = previous;
  return result;
}

int sigaction(int sig, const struct GlibcSigaction* act, struct GlibcSigaction* old) {
  static SigactionFunction real;
  if (real == 0) real = (SigactionFunction)dlsym(RTLD_NEXT, "sigaction");
  return Wrapped(real, sig, act, old);
}

int __sigaction(int sig, const struct GlibcSigaction* act, struct GlibcSigaction* old) {
  static SigactionFunction real;
  if (real == 0) real = (SigactionFunction)dlsym(RTLD_NEXT, "__sigaction");
  return Wrapped(real, sig, act, old);
}
