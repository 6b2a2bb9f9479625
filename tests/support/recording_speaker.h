#pragma once

#include "core/speaker.h"

#include <QStringList>

// Stands in for the speech service in window tests: keeps every sentence
// said while speech is on, and whether one is still being said.
class RecordingSpeaker : public Speaker {
    Q_OBJECT
public:
    using Speaker::Speaker;

    QStringList said;
    bool speechOn = false;
    bool speaking = false;

    void setSpeechOn(bool on) override
    {
        speechOn = on;
        speaking = speaking && on;
    }
    void say(const QString& sentence) override
    {
        if (!speechOn)
            return;
        said.append(sentence);
        speaking = true;
    }
    void silence() override { speaking = false; }
    QString unavailableReason() const override { return {}; }
};
