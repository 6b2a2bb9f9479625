#include "core/guided_orientation.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const std::array<GuidedOrientation, 4>& guidedOrientations()
{
    using S = AlignmentState;
    static const std::array<GuidedOrientation, 4> orientations{{
        {1, u"+Vertical"_s, &S::GradesPlusV, &S::TotalPlusV, 0, u"+Y"_s, 0, 2, u"vertical positiva (arriba)"_s,
         u"uno"_s, u"hacia arriba"_s},
        {2, u"-Horizontal"_s, &S::GradesMinusH, &S::TotalMinusH, 1, u"-X"_s, 1, 4, u"horizontal negativa (derecha)"_s,
         u"dos"_s, u"a la derecha"_s},
        {3, u"-Vertical"_s, &S::GradesMinusV, &S::TotalMinusV, 2, u"-Y"_s, 3, 5, u"vertical negativa (abajo)"_s,
         u"tres"_s, u"hacia abajo"_s},
        {4, u"+Horizontal"_s, &S::GradesPlusH, &S::TotalPlusH, 3, u"+X"_s, 2, 3, u"horizontal positiva (izquierda)"_s,
         u"cuatro"_s, u"a la izquierda"_s},
    }};
    return orientations;
}

QString GuidedOrientation::cueText() const
{
    return u"Alineando en "_s + direction;
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
