#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/AudioOutput.h"

namespace stonewise {

// Samples of a decoded MP3 file: signed 16-bit, interleaved.
struct PcmSound {
    long rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// Decodes an MP3 file with libmpg123; nothing when it cannot be read or holds no frame.
std::optional<PcmSound> decodeMp3File(const std::string& path);

// The sound of the Go book player: each file is decoded and played through Qt's audio sink on a
// worker thread of its own (with its own event loop), so that the window never waits on a device.
// Without an audio output device `play` refuses at once.
class Mp3Audio final : public AudioOutput {
public:
    Mp3Audio() = default;
    ~Mp3Audio() override;

    bool play(const std::string& path) override;
    // Asks the worker to stop and waits up to 100 polls of 20 ms for it to end.
    void stop() override;
    bool playing() const override { return m_state && m_state->playing.load(); }
    // Whether the system has an audio output device.
    static bool deviceAvailable();
    // Frames written to the device by the last played file (for tests into a null sink).
    std::int64_t framesWritten() const { return m_state ? m_state->frames.load() : 0; }

private:
    // What the window and one worker share; a worker left to end on its own keeps its own.
    struct State {
        std::atomic<bool> stop{false};
        std::atomic<bool> playing{true};
        std::atomic<std::int64_t> frames{0};
    };
    static void run(std::shared_ptr<State> state, PcmSound sound);

    std::thread m_worker;
    std::shared_ptr<State> m_state;
};

} // namespace stonewise
