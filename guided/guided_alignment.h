#pragma once

#include <QObject>

class Form1;
class MeasurementPattern;

// One guided alignment, from "CALCULAR" to its end: the prompt before each
// orientation, its measurement, and "COMPLETADO" moving on to the next, with
// what is said aloud on the way. It opens each prompt, whose answer comes
// back here; the measurement pattern owns the measurement window and passes
// its "COMPLETADO" on.
class GuidedAlignment : public QObject {
    Q_OBJECT
public:
    explicit GuidedAlignment(Form1& form);

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

    Form1& m_form;
    MeasurementPattern* m_pattern;
};
