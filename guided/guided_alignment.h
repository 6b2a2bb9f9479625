#pragma once

#include <QObject>

class GuidedView;
class MeasurementPattern;

// One guided alignment, from "CALCULAR" to its end: the prompt before each
// orientation, its measurement, and "COMPLETADO" moving on to the next, with
// what is said aloud on the way. It opens each prompt, whose answer comes
// back here; the measurement pattern owns the measurement window and passes
// its "COMPLETADO" on. It runs as the main window's measurement until it has
// finished or been abandoned.
class GuidedAlignment : public QObject {
    Q_OBJECT
public:
    explicit GuidedAlignment(GuidedView& view);

    // "CALCULAR", once the receiving station's address is given.
    void start();
    // "ACEPTAR": measures the prompted orientation.
    void accept();
    // "COMPLETADO": the measured orientation is done.
    void complete();
    // "DETENER", or the prompt closed without an answer.
    void abandon();

private:
    void openPrompt();
    void finish();

    GuidedView& m_view;
    MeasurementPattern* m_pattern;
};
