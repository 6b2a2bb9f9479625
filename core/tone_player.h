#pragma once

#include "core/tone.h"

#include <QObject>
#include <QString>

// How the measuring procedures sound a tone: play() answers at once on the
// UI thread and the sound is made elsewhere. Tests replace it.
class TonePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Sounds `samples` once the tone playing now ends. A tone still waiting
    // for its turn is dropped for this one, so tones never fall behind the
    // grades they tell.
    virtual void play(ToneSamples samples) = 0;
    // Whether the last tone reached the sound output; false before the first.
    virtual bool available() const = 0;
    // Why the last tone could not be sounded, in Spanish; empty while none
    // has failed or since one has worked again.
    virtual QString unavailableReason() const = 0;

signals:
    void availabilityChanged();
};
