// What the JACK clients of this process share (jack_server.h).
#include "platform/drivers/jack/jack_server.h"

#include <jack/jack.h>

#include <map>
#include <mutex>

namespace jackserver {
namespace {

struct ServerState {
    std::mutex lock;
    unsigned generation = 0;
    int nextKey = 0;
    std::map<int, std::function<void()>> watchers;
};

ServerState& state = *new ServerState;  // never destroyed: a client's thread may tell at exit

void quiet(const char*) {}

}  // namespace

void silenceJack() {
    static std::once_flag once;
    std::call_once(once, [] {
        jack_set_error_function(quiet);
        jack_set_info_function(quiet);
    });
}

unsigned generation() {
    std::lock_guard<std::mutex> hold(state.lock);
    return state.generation;
}

int watch(std::function<void()> stopped) {
    std::lock_guard<std::mutex> hold(state.lock);
    state.watchers[state.nextKey] = std::move(stopped);
    return state.nextKey++;
}

void forget(int key) {
    std::lock_guard<std::mutex> hold(state.lock);
    state.watchers.erase(key);
}

void serverStopped(unsigned generation) {
    std::lock_guard<std::mutex> hold(state.lock);
    if (generation != state.generation) return;
    ++state.generation;
    for (auto& [key, stopped] : state.watchers) stopped();
    state.watchers.clear();
}

}  // namespace jackserver
