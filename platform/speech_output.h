#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QTextToSpeech;

namespace platform {

// The desktop's speech service, speech-dispatcher, through Qt's engine for
// it, speaking Spanish. Opening may take a second or more, since it may
// start the service: the UI thread never makes these calls.
class SpeechOutput : public QObject {
    Q_OBJECT
public:
    SpeechOutput();

    // Connects and picks a Spanish voice; says through unavailable() why it
    // cannot, then and whenever the service fails later.
    bool open();
    // In place of what is still being said; without a voice it opens one
    // first.
    void say(const QString& sentence);
    void stop();
    // Falls silent and lets the voice go.
    void close();

signals:
    // Why nothing can be said, in Spanish; empty once it can.
    void unavailable(const QString& reason);

private:
    QString openFailure();
    void speak();
    void checkService();
    void letGo(const QString& failure);

    QTextToSpeech* m_engine = nullptr;
    QString m_sentence; // until it has been said or silenced
    QTimer m_check;     // while it is being said
};

} // namespace platform
