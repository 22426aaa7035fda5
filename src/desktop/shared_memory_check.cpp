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

// Whether the server attaches a mapped segment; a refusal comes as an X error.
bool serverAttaches(Display* display, XShmSegmentInfo& segment) {
    XSync(display, False);
    refused() = false;
    const XErrorHandler previous = XSetErrorHandler(noteRefusal);
    bool attached = XShmAttach(display, &segment) != 0;
    if (attached) {
        XSync(display, False);
        attached = !refused();
        if (attached) XShmDetach(display, &segment);
        XSync(display, False);
    }
    XSetErrorHandler(previous);
    return attached;
}

bool attachWorks(Display* display) {
    XShmSegmentInfo segment{};
    segment.shmid = ::shmget(IPC_PRIVATE, 1, IPC_CREAT | 0600);
    if (segment.shmid < 0) return false;
    segment.shmaddr = static_cast<char*>(::shmat(segment.shmid, nullptr, 0));
    const bool mapped = segment.shmaddr != reinterpret_cast<char*>(-1);
    const bool works = mapped && serverAttaches(display, segment);
    if (mapped) ::shmdt(segment.shmaddr);
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
