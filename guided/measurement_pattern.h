#pragma once

#include "core/grading.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class EchoSampler;
class Form2;
class GuidedView;
struct GuidedOrientation;

// The measurement of one guided orientation: 15 graded probes, 500 ms apart,
// shown in the measurement window and summed into the main window. The
// measurement window is its own, from the first run until "COMPLETADO".
class MeasurementPattern : public QObject {
    Q_OBJECT
public:
    MeasurementPattern(GuidedView& view, QObject* owner);

    // Measures the current orientation; returns at once, the samples follow.
    void RunMeasurementPattern();
    void closeWindow();

signals:
    // "COMPLETADO" pressed.
    void completed();

private:
    void start();
    void takeSample();
    void recordSample(const std::optional<Grade>& grade);
    void doEventsThen(std::function<void()> next);
    void end();
    const GuidedOrientation& orientation() const;
    Form2& window();
    Form2& shownWindow();

    GuidedView& m_view;
    EchoSampler* m_sampler;
    QPointer<Form2> m_window;
};
