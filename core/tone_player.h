#pragma once

#include "core/tone.h"

#include <QObject>
#include <QString>

// How the measuring procedures sound a tone: every call answers at once on
// the UI thread and the sound is made elsewhere. Tests replace it.
class TonePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // With the sound on the player holds the sound output, and it lets the
    // output go again when the sound is switched off.
    virtual void setSoundOn(bool on) = 0;
    // Sounds `samples` a fixed time after the call, so that the tones keep
    // the beat of the calls, or once the tone playing then ends. A tone still
    // waiting for its turn is dropped for this one, so tones never fall
    // behind the grades they tell. Nothing sounds while the sound is off.
    virtual void play(ToneSamples samples) = 0;
    // Why the sound output cannot be used, in Spanish; empty while nothing
    // has failed, or since it works again.
    virtual QString unavailableReason() const = 0;

signals:
    void availabilityChanged();
};
