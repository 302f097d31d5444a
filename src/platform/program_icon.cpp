#include "platform/program_icon.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <memory>

namespace quorlin::platform {

namespace {

constexpr std::array<int, 7> kSides{16, 24, 32, 48, 64, 128, 256};

// The side of the drawing a request of this size is served from: the smallest drawn size that
// covers it, else the largest (as a pixmap icon chooses, which scales it down to the request).
int SideFor(const QSize& size) {
    const qint64 asked = qint64(size.width()) * size.height();
    const auto covering = std::find_if(kSides.begin(), kSides.end(),
                                       [asked](int side) { return qint64(side) * side >= asked; });
    return covering == kSides.end() ? kSides.back() : *covering;
}

// Serves the icon from a pixmap icon of the drawn sizes, and draws a size into it the first
// time a request needs it: the start of the program shows windows long before a title bar
// asks for its icon, and most sizes are never asked for.
class LazySvgIconEngine : public QIconEngine {
public:
    explicit LazySvgIconEngine(std::shared_ptr<QSvgRenderer> svg) : svg_(std::move(svg)) {}

    QIconEngine* clone() const override { return new LazySvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("quorlin-svg"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSides) sizes.append(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Drawn(size).actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Drawn(size).pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QSize size = rect.size() * painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

private:
    const QIcon& Drawn(const QSize& size) {
        const int side = SideFor(size);
        if (!drawn_.availableSizes().contains(QSize(side, side))) {
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            svg_->render(&painter);
            painter.end();
            drawn_.addPixmap(pixmap);
        }
        return drawn_;
    }

    std::shared_ptr<QSvgRenderer> svg_;
    QIcon drawn_;  // the sizes drawn so far
};

}  // namespace

QIcon ProgramIcon() {
    // Drawn here rather than left to an SVG icon plug-in, which a machine may lack.
    auto svg = std::make_shared<QSvgRenderer>(QStringLiteral(":/icons/quorlin.svg"));
    if (!svg->isValid()) return {};
    return QIcon(new LazySvgIconEngine(std::move(svg)));
}

}  // namespace quorlin::platform
