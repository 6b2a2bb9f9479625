#pragma once

#include "core/echo_probe.h"
#include "core/grading.h"
#include "main_window/icmp_notice.h"

#include <QObject>
#include <functional>
#include <optional>

class MeasuringView;

// One probe of a measuring procedure, from the echo facility's start-up to
// its grade, the same for the guided and the dynamic alignment. It keeps the
// probe status and the reply record that a run carries from probe to probe.
class EchoSampler : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const std::optional<Grade>& grade)>;

    // Goes with `procedure`: a probe still out then never answers.
    EchoSampler(MeasuringView& view, QObject* procedure);

    // A new run starts from a zero status and an empty reply record.
    void startRun();
    // Probes the address. `beforeProbe` runs once the echo facility is known
    // to work, just before the request goes out; `done` gets the sample's
    // grade, or none, once LastRoundTrip holds the reply's time. Without an
    // echo facility no probe is sent, or none gets through, the sample counts
    // as unanswered, never as what an earlier probe left, and the user learns
    // why once.
    void take(const QString& address, const std::function<void()>& beforeProbe, Done done);

private:
    void tellWhyNoEcho();
    void grade(const Done& done);

    MeasuringView& m_view;
    qint32 m_status = 0;
    EchoReply m_reply{};
    IcmpNotice m_icmpNotice;
};
