#include "platform/console.h"

#include <csignal>

namespace wb::platform {

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

extern "C" void NoteStopSignal(int signal) {
    if (g_stopSignal == 0) g_stopSignal = signal;
}

}  // namespace

CDeferredStop::CDeferredStop() {
    g_stopSignal = 0;
#ifdef SIGHUP
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
#else
    const int signals[] = {SIGINT, SIGTERM};
#endif
    for (int signal : signals) {
        void (*previous)(int) = std::signal(signal, NoteStopSignal);
        if (previous == SIG_IGN)
            std::signal(signal, SIG_IGN);
        else if (previous != SIG_ERR)
            m_previous.emplace_back(signal, previous);
    }
}

CDeferredStop::~CDeferredStop() {
    for (const auto& [signal, previous] : m_previous)
        std::signal(signal, previous);
}

int CDeferredStop::Signal() const { return g_stopSignal; }

}  // namespace wb::platform
