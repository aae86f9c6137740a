// What the JACK clients of this process share: libjack's messages kept
// quiet, and the news that their server has stopped.
//
// A process's clients die together with their server, but each is told on a
// thread of its own, and libjack closes and frees those that have not been
// told yet as soon as the next client opens ("cleanup"): so whichever client
// notices first tells them all, here, before anything opens again. The
// clients opened since the server last stopped form one generation.
#pragma once

#include <functional>

namespace jackserver {

// libjack writes its errors and notes to standard error unless told; once.
void silenceJack();
// The generation that a client opened now belongs to.
unsigned generation();
// stopped is called once, on the thread that noticed, when the current
// generation's server stops. It must only set flags or post. Returns a key.
int watch(std::function<void()> stopped);
// No call any more for that key.
void forget(int key);
// A client of that generation noticed its server gone; a later generation's
// clients are not concerned.
void serverStopped(unsigned generation);

}  // namespace jackserver
