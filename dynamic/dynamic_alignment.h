#pragma once

#include "core/grading.h"

#include <QObject>
#include <optional>

class DynamicView;
class EchoSampler;

// Starts the dynamic alignment and returns at once: the run then probes, grades,
// draws and logs one pass after another until StopRequested is found raised
// at the top of a pass, and ends with ResetAlignment.
void RunDynamicAlignment(DynamicView& view);

// One run of the dynamic alignment, named "RunDynamicAlignment", and the main
// window's measurement from its start to its reset.
class DynamicAlignmentLoop : public QObject {
    Q_OBJECT
public:
    explicit DynamicAlignmentLoop(DynamicView& view);

    void start();

private:
    void beginPass();
    void showPass(const std::optional<Grade>& grade);
    void pauseThenNextPass();
    void finish();

    DynamicView& m_view;
    EchoSampler* m_sampler;
};
