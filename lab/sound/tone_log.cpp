// Lists the tones in a raw recording of signed 16-bit little-endian mono
// samples at 48000 Hz, as `parec --raw --format=s16le --rate=48000
// --channels=1` writes them, read from the file named or from standard input:
// one line per tone with its onset and duration in ms from the start of the
// recording, its pitch in Hz and how far its periods spread (see FoundTone).
// With --grade N it lists the notes of the program's own tone for grade N
// instead, as a recording of it whole would show them.
#include "core/tone.h"
#include "sound/tone_analysis.h"

#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

std::optional<ToneSamples> recording(const char* path)
{
    QFile input(path ? QString::fromLocal8Bit(path) : QString());
    if (!(path ? input.open(QIODevice::ReadOnly) : input.open(stdin, QIODevice::ReadOnly)))
        return std::nullopt;
    const QByteArray bytes = input.readAll();
    ToneSamples samples(bytes.size() / 2);
    qFromLittleEndian<std::int16_t>(bytes.constData(), samples.size(), samples.data());
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    const bool own = argc > 2 && std::strcmp(argv[1], "--grade") == 0;
    const std::optional<ToneSamples> samples =
        own ? gradeTone(std::atoi(argv[2])) : recording(argc > 1 ? argv[1] : nullptr);
    if (!samples) {
        std::fprintf(stderr, "tone_log: cannot read %s\n", argc > 1 ? argv[1] : "standard input");
        return 1;
    }
    for (const FoundTone& tone : findTones(*samples, ToneSampleRate))
        std::printf("onset %8.1f ms  duration %6.1f ms  %7.1f Hz  spread %6.4f\n", tone.onsetMs, tone.durationMs,
                    tone.hz, tone.periodSpread);
    return 0;
}
