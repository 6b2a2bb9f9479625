#include "guided/guided_controls.h"

#include "guided/guided_alignment.h"
#include "guided/legend_window.h"
#include "main_window/guided_view.h"
#include "main_window/receiver_check.h"

#include <QPointer>

namespace {

class GuidedControls : public QObject {
public:
    explicit GuidedControls(GuidedView& view) : QObject(view.mainWindow()), m_view(view)
    {
        view.attachGuidedCommands([this] { Command1_Click(); }, [this] { Command3_Click(); });
    }

    // The legend has no owner window to take it along.
    ~GuidedControls() override { delete m_legend.data(); }

private:
    // "CALCULAR": a new guided alignment, at its first orientation.
    void Command1_Click()
    {
        m_view.BuildGuidedTarget();
        if (!receiverAddressGiven(m_view.mainWindow(), m_view.state().GuidedTargetIP))
            return;
        auto* alignment = new GuidedAlignment(m_view);
        m_view.runMeasurement(alignment);
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

    GuidedView& m_view;
    QPointer<Form3> m_legend;
};

} // namespace

void attachGuidedAlignment(GuidedView& view)
{
    new GuidedControls(view);
}
