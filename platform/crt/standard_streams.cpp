// The three standard streams, made safe (standard_streams.h).
#include "platform/crt/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void openStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        // The lower ones are open by now, so the lowest free number is this one.
        const int opened = open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (opened >= 0 && opened != stream) {
            dup2(opened, stream);
            close(opened);
        }
    }
}
