#pragma once

#include <string>

namespace stonewise {

// The sound of the Go book player: plays one MP3 file at a time. The desktop decodes and plays it
// on a worker thread; a call never blocks for long.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts playing an MP3 file, stopping what plays; false when no sound can be played (no sound
    // device, a file that cannot be decoded).
    virtual bool play(const std::string& path) = 0;
    // Stops playing; waits at most a short while for the worker to end.
    virtual void stop() = 0;
    // Whether a file is still playing.
    virtual bool playing() const = 0;
};

} // namespace stonewise
