#pragma once

#include "core/echo_probe.h"
#include "main_window/icmp_notice.h"

#include <QObject>
#include <functional>

class Form1;

// The measurement of one guided orientation: 15 graded probes, 500 ms apart,
// shown in the measurement window and summed into the main window. One object
// serves one guided alignment, from "CALCULAR" to its end.
class MeasurementPattern : public QObject {
    Q_OBJECT
public:
    explicit MeasurementPattern(Form1& form);

    void run();

private:
    void start();
    void takeSample();
    void sampleWithoutProbe();
    void recordSample();
    void doEventsThen(std::function<void()> next);
    void end();

    Form1& m_form;
    qint32 m_status = 0;
    EchoReply m_reply;
    IcmpNotice m_icmpNotice;
};

// A new guided alignment: its pattern starts afresh.
void BeginGuidedAlignment(Form1& form);

// Measures the current orientation; called by "ACEPTAR".
void RunMeasurementPattern(Form1& form);
