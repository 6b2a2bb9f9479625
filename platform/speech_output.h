#pragma once

#include <QObject>
#include <QString>

class QTextToSpeech;

namespace platform {

// The desktop's speech service, speech-dispatcher, through Qt's engine for
// it, speaking Spanish. Opening may take a second or more, since it may
// start the service: the UI thread never makes these calls.
class SpeechOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Connects and picks a Spanish voice; says through unavailable() why it
    // cannot, then and whenever the service fails later.
    void open();
    // In place of what is still being said.
    void say(const QString& sentence);
    void stop();

signals:
    // Why nothing can be said, in Spanish; empty once it can.
    void unavailable(const QString& reason);

private:
    QString openFailure();

    QTextToSpeech* m_engine = nullptr;
};

} // namespace platform
