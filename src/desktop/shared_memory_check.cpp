// SDL draws into its windows through X shared memory whenever the X server
// offers it, and Xlib's default error handler ends the helper when the server
// then refuses the segment: a display forwarded by `ssh -X` sits on another
// machine, which cannot reach this one's shared memory. SDL asks
// XShmQueryExtension first; the helper exports this definition in place of
// libXext's, and it answers no for a display reached over the network and
// for one that refuses a test segment. SDL then sends plain images.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "desktop/display_name.h"

namespace {

// An X error handler has no way to its caller but a variable of its own.
bool& refused() {
    static thread_local bool flag = false;
    return flag;
}

int noteRefusal(Display*, XErrorEvent*) {
    refused() = true;
    return 0;
}

bool attachWorks(Display* display) {
    XShmSegmentInfo segment{};
    segment.shmid = ::shmget(IPC_PRIVATE, 1, IPC_CREAT | 0600);
    if (segment.shmid < 0) return false;
    segment.shmaddr = static_cast<char*>(::shmat(segment.shmid, nullptr, 0));
    bool works = false;
    if (segment.shmaddr != reinterpret_cast<char*>(-1)) {
        XSync(display, False);
        refused() = false;
        const XErrorHandler previous = XSetErrorHandler(noteRefusal);
        if (XShmAttach(display, &segment)) {
            XSync(display, False);
            works = !refused();
            if (works) XShmDetach(display, &segment);
            XSync(display, False);
        }
        XSetErrorHandler(previous);
        ::shmdt(segment.shmaddr);
    }
    ::shmctl(segment.shmid, IPC_RMID, nullptr);
    return works;
}

}  // namespace

extern "C" Bool XShmQueryExtension(Display* display) {
    using Query = Bool (*)(Display*);
    const auto libraryQuery = reinterpret_cast<Query>(::dlsym(RTLD_NEXT, "XShmQueryExtension"));
    if (libraryQuery == nullptr || !libraryQuery(display) || pathwick::IsNetworkDisplay(DisplayString(display))) return False;
    return attachWorks(display) ? True : False;
}
