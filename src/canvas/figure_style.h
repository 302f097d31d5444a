#pragma once
// TFigureStyle: how a graphing window draws what frames its curves: the axis letters, the
// arrowheads of the axes and vectors, and the frame around the image. A value part of TZELWing;
// the diagram file keeps the arrowhead fill and the axis letters.
#include <QString>

#include <array>

namespace quorlin::canvas {

struct TFigureStyle {
    // The x, y and z axis letters; with timeAxisLetters the axes read "t" and "x" instead.
    std::array<QString, 3> axisLabels{QStringLiteral("x"), QStringLiteral("y"),
                                      QStringLiteral("z")};
    bool timeAxisLetters = false;
    bool solidArrowheads = false;
    bool frameImage = false;  // a frame around the image
    int arrowheadPixels = 10;
    // The two shape values of an arrowhead, as the PiCTeX export writes them.
    long double arrowShapeB = 0.1L;
    long double arrowShapeG = 0.1L;
};

}  // namespace quorlin::canvas
