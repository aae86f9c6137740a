// Threads: CreateThread and CloseHandle over std::thread.
//
// A thread runs detached from its start: CloseHandle only forgets the handle,
// and nothing ever waits for a thread, so one that hangs never holds up the
// end of the process. While a thread that the program started still runs,
// the headless screen does not count as idle (core::programThreadsRunning),
// and its end wakes a waiting GetMessageA. Limits: no CREATE_SUSPENDED, no
// exit code, no waiting on the handle.
#include "platform/seam/backend.h"
#include "platform/seam/core.h"
#include "platform/seam/handles.h"

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_set>

namespace {

struct Threads {
    std::mutex guard;
    std::unordered_set<HANDLE> handles;  // created and not yet closed
    std::atomic<int> running{0};
    std::atomic<DWORD> nextId{1};
};

// Never destroyed: a thread may end while the process exits.
Threads& threads = *new Threads;

void runThread(LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    start(parameter);
    --threads.running;
    backend::wake();
}

}  // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                           DWORD flags, LPDWORD threadId) {
    if (!start || flags != 0) return nullptr;
    ++threads.running;
    try {
        std::thread(runThread, start, parameter).detach();
    } catch (const std::system_error&) {  // no thread to spare
        --threads.running;
        return nullptr;
    }
    const HANDLE handle = core::newHandle<HANDLE>();
    {
        std::lock_guard lock(threads.guard);
        threads.handles.insert(handle);
    }
    if (threadId) *threadId = threads.nextId++;
    return handle;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    std::lock_guard lock(threads.guard);
    return threads.handles.erase(handle) > 0;
}

bool core::programThreadsRunning() { return threads.running > 0; }
