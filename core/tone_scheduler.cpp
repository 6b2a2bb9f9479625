#include "core/tone_scheduler.h"

#include <algorithm>

using namespace std::chrono_literals;
using State = platform::SoundOutput::State;

namespace {

// Room for the worker to get to a tone late, on a busy machine, and still
// place it on the beat.
constexpr auto Slack = 5ms;

ToneScheduler::Clock::duration lengthOf(const ToneSamples& samples)
{
    return std::chrono::microseconds(std::int64_t(samples.size()) * 1'000'000 / ToneSampleRate);
}

} // namespace

// What the output learns on libpulse's thread is looked at on this one.
ToneScheduler::ToneScheduler()
    : m_output([this] { QMetaObject::invokeMethod(this, &ToneScheduler::outputChanged, Qt::QueuedConnection); })
{
}

void ToneScheduler::setSoundOn(bool on)
{
    m_soundOn = on;
    m_opening.reset();
    if (on)
        m_output.open(ToneSampleRate);
    else
        m_output.close();
}

void ToneScheduler::play(const ToneSamples& samples, Clock::time_point asked)
{
    if (!m_soundOn)
        return;
    if (m_output.state() == State::Open)
        return place({samples, asked});
    if (m_output.state() == State::Closed)
        m_output.open(ToneSampleRate);
    m_opening = Tone{samples, asked};
}

// A failed output is let go at once, and says why.
void ToneScheduler::outputChanged()
{
    if (m_output.state() == State::Open) {
        emit unavailable({});
        if (m_opening)
            place(*std::exchange(m_opening, std::nullopt));
    } else if (m_output.state() == State::Failed) {
        emit unavailable(m_output.failure());
        m_output.close();
        m_opening.reset();
    }
}

void ToneScheduler::place(const Tone& tone)
{
    const Clock::time_point wanted = tone.asked + m_output.lead() + Slack;
    const bool lastGivesWay = m_lastWaited && m_lastStart > Clock::now() + m_output.lead();
    if (lastGivesWay)
        m_output.place({}, m_lastStart);
    const Clock::time_point after = lastGivesWay ? m_endBeforeLast : m_lastEnd;
    m_lastStart = m_output.place(tone.samples, std::max(wanted, after));
    m_lastEnd = m_lastStart + lengthOf(tone.samples);
    m_lastWaited = after > wanted;
    m_endBeforeLast = after;
}
