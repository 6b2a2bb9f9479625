#include "platform/speech_output.h"

#include <QTextToSpeech>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

const QString EngineName = u"speechd"_s;

QString failureText(const QString& reason)
{
    return u"Sin voz: %1."_s.arg(reason);
}

} // namespace

// An engine that failed to open is let go at once: asked to speak, it would
// try to reach the service anew with every sentence.
void SpeechOutput::open()
{
    const QString failure = openFailure();
    if (!failure.isEmpty()) {
        delete m_engine;
        m_engine = nullptr;
    }
    emit unavailable(failure);
}

QString SpeechOutput::openFailure()
{
    if (!QTextToSpeech::availableEngines().contains(EngineName))
        return failureText(u"falta el complemento de voz de Qt para speech-dispatcher "
                           "(paquete qt6-speech-speechd-plugin)"_s);
    m_engine = new QTextToSpeech(EngineName, this);
    if (m_engine->state() == QTextToSpeech::Error)
        return failureText(u"no se pudo conectar con el servicio de voz speech-dispatcher "
                           "(paquete speech-dispatcher)"_s);
    m_engine->setLocale(QLocale(QLocale::Spanish));
    if (m_engine->locale().language() != QLocale::Spanish)
        return failureText(u"el servicio de voz no tiene ninguna voz en español "
                           "(paquete speech-dispatcher-espeak-ng)"_s);
    connect(m_engine, &QTextToSpeech::errorOccurred, this, [this](QTextToSpeech::ErrorReason, const QString& error) {
        emit unavailable(failureText(u"el servicio de voz falló (%1)"_s.arg(error)));
    });
    return {};
}

void SpeechOutput::say(const QString& sentence)
{
    if (m_engine)
        m_engine->say(sentence);
}

// Qt's engine silences every program's speech at once, a screen reader's
// too, so it is asked only while this one is speaking.
void SpeechOutput::stop()
{
    if (m_engine && m_engine->state() == QTextToSpeech::Speaking)
        m_engine->stop();
}

} // namespace platform
