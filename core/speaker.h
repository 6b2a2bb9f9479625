#pragma once

#include <QObject>
#include <QString>

// How the guided alignment speaks: every call answers at once on the UI
// thread and the speaking is done elsewhere. Tests replace it.
class Speaker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The voice is made ready the first time speech is switched on, which may
    // start the desktop's speech service; switched off, it falls silent.
    virtual void setSpeechOn(bool on) = 0;
    // Says the sentence in Spanish in place of one still being said; nothing
    // while speech is off.
    virtual void say(const QString& sentence) = 0;
    virtual void silence() = 0;
    // Why nothing can be said, in Spanish; empty while nothing has failed.
    virtual QString unavailableReason() const = 0;

signals:
    void availabilityChanged();
};
