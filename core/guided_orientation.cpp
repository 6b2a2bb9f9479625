#include "core/guided_orientation.h"

#include <algorithm>

const std::array<GuidedOrientation, 4>& guidedOrientations()
{
    using S = AlignmentState;
    static const std::array<GuidedOrientation, 4> orientations{{
        {1, QStringLiteral("+Vertical"), &S::GradesPlusV, &S::TotalPlusV, 0, QStringLiteral("+Y"), 0, 2,
         QStringLiteral("vertical positiva (arriba)"), QStringLiteral("uno"), QStringLiteral("hacia arriba")},
        {2, QStringLiteral("-Horizontal"), &S::GradesMinusH, &S::TotalMinusH, 1, QStringLiteral("-X"), 1, 4,
         QStringLiteral("horizontal negativa (derecha)"), QStringLiteral("dos"), QStringLiteral("a la derecha")},
        {3, QStringLiteral("-Vertical"), &S::GradesMinusV, &S::TotalMinusV, 2, QStringLiteral("-Y"), 3, 5,
         QStringLiteral("vertical negativa (abajo)"), QStringLiteral("tres"), QStringLiteral("hacia abajo")},
        {4, QStringLiteral("+Horizontal"), &S::GradesPlusH, &S::TotalPlusH, 3, QStringLiteral("+X"), 2, 3,
         QStringLiteral("horizontal positiva (izquierda)"),
         QStringLiteral("cuatro"), QStringLiteral("a la izquierda")},
    }};
    return orientations;
}

namespace {

template <typename Matches>
const GuidedOrientation* findOrientation(Matches matches)
{
    const auto& all = guidedOrientations();
    const auto found = std::find_if(all.begin(), all.end(), matches);
    return found == all.end() ? nullptr : &*found;
}

} // namespace

const GuidedOrientation* orientationOfStep(qint16 step)
{
    return findOrientation([step](const GuidedOrientation& o) { return o.step == step; });
}

const GuidedOrientation* orientationOfRow(int row)
{
    return findOrientation([row](const GuidedOrientation& o) { return o.row == row; });
}
