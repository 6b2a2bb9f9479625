// Lists the tones in a raw recording of signed 16-bit little-endian mono
// samples at 48000 Hz, as `parec --raw --format=s16le --rate=48000
// --channels=1` writes them, read from the file named or from standard input:
// one line per tone with its onset and duration in ms from the start of the
// recording, its pitch in Hz and how far its periods spread (see FoundTone).
#include "core/tone.h"
#include "sound/tone_analysis.h"

#include <QFile>
#include <QtEndian>
#include <cstdio>

int main(int argc, char** argv)
{
    QFile input(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    const bool opened = argc > 1 ? input.open(QIODevice::ReadOnly) : input.open(stdin, QIODevice::ReadOnly);
    if (!opened) {
        std::fprintf(stderr, "tone_log: cannot read %s\n", argc > 1 ? argv[1] : "standard input");
        return 1;
    }
    const QByteArray bytes = input.readAll();
    ToneSamples samples(bytes.size() / 2);
    qFromLittleEndian<std::int16_t>(bytes.constData(), samples.size(), samples.data());
    for (const FoundTone& tone : findTones(samples, ToneSampleRate))
        std::printf("onset %8.1f ms  duration %6.1f ms  %7.1f Hz  spread %6.4f\n", tone.onsetMs, tone.durationMs,
                    tone.hz, tone.periodSpread);
    return 0;
}
