#pragma once

#include "core/grading.h"

#include <QObject>
#include <optional>

class EchoSampler;
class Form1;

// Starts the dynamic alignment and returns at once: the run then probes, grades,
// draws and logs one pass after another until StopRequested is found raised
// at the top of a pass, and ends with ResetAlignment.
void RunDynamicAlignment(Form1& form);

// One run of the dynamic alignment, named "RunDynamicAlignment". A child of the
// main window, so that closing the window ends it at any point of a pass.
class DynamicAlignmentLoop : public QObject {
    Q_OBJECT
public:
    explicit DynamicAlignmentLoop(Form1& form);

    void start();

private:
    void beginPass();
    void showPass(const std::optional<Grade>& grade);
    void pauseThenNextPass();
    void finish();

    Form1& m_form;
    EchoSampler* m_sampler;
};
