#include "platform/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace quorlin::platform {

QIcon ProgramIcon() {
    // Drawn here rather than left to an SVG icon plug-in, which a machine may lack.
    QSvgRenderer svg(QStringLiteral(":/icons/quorlin.svg"));
    if (!svg.isValid()) return {};
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace quorlin::platform
