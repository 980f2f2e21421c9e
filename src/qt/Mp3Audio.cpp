#include "qt/Mp3Audio.h"

#include <mpg123.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <chrono>

namespace stonewise {

namespace {

constexpr int kPolls = 100;
constexpr auto kPoll = std::chrono::milliseconds(20);

// The library's one-time set-up, done before the first handle.
bool mpg123Ready() {
    static const bool ready = mpg123_init() == MPG123_OK;
    return ready;
}

} // namespace

std::optional<PcmSound> decodeMp3File(const std::string& path) {
    if (!mpg123Ready()) return std::nullopt;
    int error = 0;
    std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> h(mpg123_new(nullptr, &error), mpg123_delete);
    if (!h) return std::nullopt;
    mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    if (mpg123_open(h.get(), path.c_str()) != MPG123_OK) return std::nullopt;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(h.get(), &rate, &channels, &encoding) != MPG123_OK) {
        mpg123_close(h.get());
        return std::nullopt;
    }
    // Signed 16-bit at the file's own rate and channels.
    mpg123_format_none(h.get());
    mpg123_format(h.get(), rate, channels, MPG123_ENC_SIGNED_16);
    PcmSound sound{rate, channels, {}};
    std::vector<unsigned char> buffer(mpg123_outblock(h.get()));
    for (;;) {
        std::size_t done = 0;
        const int r = mpg123_read(h.get(), buffer.data(), buffer.size(), &done);
        const auto* s = reinterpret_cast<const std::int16_t*>(buffer.data());
        sound.samples.insert(sound.samples.end(), s, s + done / 2);
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT) break;
        if (sound.samples.size() > (std::size_t{64} << 20)) break; // far beyond a spoken page
    }
    mpg123_close(h.get());
    if (sound.samples.empty() || rate <= 0 || channels <= 0) return std::nullopt;
    return sound;
}

Mp3Audio::~Mp3Audio() { stop(); }

bool Mp3Audio::deviceAvailable() { return !QMediaDevices::defaultAudioOutput().isNull(); }

bool Mp3Audio::play(const std::string& path) {
    stop();
    if (!deviceAvailable()) return false;
    std::optional<PcmSound> sound = decodeMp3File(path);
    if (!sound) return false;
    m_state = std::make_shared<State>();
    m_worker = std::thread([state = m_state, s = std::move(*sound)]() mutable { run(state, std::move(s)); });
    return true;
}

void Mp3Audio::run(std::shared_ptr<State> state, PcmSound sound) {
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(sound.rate));
    format.setChannelCount(sound.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    QByteArray bytes(reinterpret_cast<const char*>(sound.samples.data()),
                     static_cast<qsizetype>(sound.samples.size() * sizeof(std::int16_t)));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const qint64 played = buffer.pos() / (2 * sound.channels);
        state->frames = played;
        const bool drained = sink.state() == QAudio::IdleState || sink.state() == QAudio::StoppedState;
        if (state->stop || (drained && buffer.atEnd())) loop.quit();
    });
    sink.start(&buffer);
    if (sink.error() == QAudio::NoError) {
        poll.start(static_cast<int>(kPoll.count()));
        loop.exec();
    }
    sink.stop();
    state->playing = false;
}

void Mp3Audio::stop() {
    if (!m_worker.joinable()) return;
    m_state->stop = true;
    // The worker sees the request at its next poll; a worker that does not end in time is left to
    // end on its own rather than block the window.
    for (int i = 0; i < kPolls && m_state->playing; ++i) std::this_thread::sleep_for(kPoll);
    if (!m_state->playing) m_worker.join();
    else m_worker.detach();
}

} // namespace stonewise
