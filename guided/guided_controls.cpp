#include "guided/guided_controls.h"

#include "guided/guided_alignment.h"
#include "guided/legend_window.h"
#include "main_window/form1.h"
#include "main_window/receiver_check.h"

#include <QPointer>
#include <QPushButton>

namespace {

class GuidedControls : public QObject {
public:
    explicit GuidedControls(Form1& form) : QObject(&form), m_form(form)
    {
        connect(form.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
        connect(form.Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    }

    // The legend has no owner window to take it along.
    ~GuidedControls() override { delete m_legend.data(); }

private:
    // "CALCULAR": a new guided alignment, at its first orientation.
    void Command1_Click()
    {
        m_form.BuildGuidedTarget();
        if (!receiverAddressGiven(&m_form, m_form.State.GuidedTargetIP))
            return;
        auto* alignment = new GuidedAlignment(m_form);
        m_form.takeOverMeasurement(alignment);
        alignment->start();
    }

    // "VER LEYENDA": shows the legend, loading it afresh if it was closed.
    void Command3_Click()
    {
        if (!m_legend)
            m_legend = new Form3;
        m_legend->show();
        m_legend->raise();
        m_legend->activateWindow();
    }

    Form1& m_form;
    QPointer<Form3> m_legend;
};

} // namespace

void attachGuidedAlignment(Form1& form)
{
    new GuidedControls(form);
}
