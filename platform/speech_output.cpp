#include "platform/speech_output.h"

#include <QFile>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace platform {

namespace {

const QString EngineName = u"speechd"_s;

QString failureText(const QString& reason)
{
    return u"Sin voz: %1."_s.arg(reason);
}

QString failedText(const QString& error)
{
    return u"el servicio de voz falló (%1)"_s.arg(error);
}

// Where speech-dispatcher listens, found as its client library finds it;
// empty for a network address.
QString serviceSocket()
{
    const QString address = qEnvironmentVariable("SPEECHD_ADDRESS");
    if (!address.isEmpty())
        return address.startsWith(u"unix_socket:"_s) ? address.section(u':', 1) : QString();
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return folder + u"/speech-dispatcher/speechd.sock"_s;
}

// Whether anything listens there: connecting says so at once, without a word
// of the service's protocol. A network address is taken to listen.
bool serviceListens()
{
    const QByteArray path = QFile::encodeName(serviceSocket());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof address.sun_path)
        return true;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool listens = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return listens;
}

} // namespace

// A timer that belongs to this object moves to its thread with it.
SpeechOutput::SpeechOutput() : m_check(this)
{
    m_check.setInterval(1s);
    connect(&m_check, &QTimer::timeout, this, &SpeechOutput::checkService);
}

// An engine that failed to open is let go at once: asked to speak, it would
// try to reach the service anew with every sentence.
bool SpeechOutput::open()
{
    const QString failure = openFailure();
    if (!failure.isEmpty())
        close();
    emit unavailable(failure);
    return failure.isEmpty();
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
    connect(m_engine, &QTextToSpeech::errorOccurred, this,
            [this](QTextToSpeech::ErrorReason, const QString& error) { letGo(failedText(error)); });
    return {};
}

void SpeechOutput::say(const QString& sentence)
{
    m_sentence = sentence;
    speak();
}

// A service that failed or went away puts the engine in its error state, at
// the latest when it is asked to speak. The engine is let go then and a new
// one made, which starts the service afresh as a desktop would, and the
// sentence is said once more.
void SpeechOutput::speak()
{
    for (int attempt = 0; attempt < 2 && !m_sentence.isEmpty(); ++attempt) {
        if (!m_engine && !open())
            return;
        m_engine->say(m_sentence);
        if (m_engine && m_engine->state() == QTextToSpeech::Error)
            letGo(failedText(m_engine->errorString()));
        if (m_engine)
            return m_check.start();
    }
}

// Qt's engine silences every program's speech at once, a screen reader's
// too, so it is asked only while this one is speaking.
void SpeechOutput::stop()
{
    m_sentence.clear();
    m_check.stop();
    if (m_engine && m_engine->state() == QTextToSpeech::Speaking)
        m_engine->stop();
}

void SpeechOutput::close()
{
    stop();
    delete m_engine;
    m_engine = nullptr;
}

// A service that dies while it speaks (as speech-dispatcher 0.11 does with
// the first sentence after the sound server restarted) leaves the engine
// speaking for ever, and Qt's engine must not be asked anything then. So
// while it speaks, each second, the service is looked for where it listens;
// once it is gone, the sentence is said by a new engine.
void SpeechOutput::checkService()
{
    if (!m_engine || m_engine->state() != QTextToSpeech::Speaking) {
        m_sentence.clear();
        return m_check.stop();
    }
    if (serviceListens())
        return;
    letGo(u"el servicio de voz se detuvo"_s);
    speak();
}

// Called from the engine's own signal too, so it goes once that returns.
void SpeechOutput::letGo(const QString& failure)
{
    m_engine->disconnect(this);
    m_engine->deleteLater();
    m_engine = nullptr;
    emit unavailable(failureText(failure + u"; se abre de nuevo para la siguiente frase"_s));
}

} // namespace platform
