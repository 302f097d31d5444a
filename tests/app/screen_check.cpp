// screen_check OUT.png SCALE: takes a screenshot of the whole X screen (the DISPLAY it runs on),
// saves it to OUT.png and says whether a graphing window with its axes is on it.
//
// Exit codes: 0 the screen shows a pair of axes crossing, 1 the screen is blank (one colour, or
// nearly), 2 no axes, 3 no screenshot. SCALE is the scale factor the program runs at: the axes
// of a window at scale 2 reach twice as far in screen pixels.
//
// A pair of axes is a dark pixel from which dark lines run at least 60 x SCALE pixels to the
// left, the right, upwards and downwards, while the pixels diagonally off it are light: that
// is the cross of two lines drawn on a light ground, which neither a dark desktop nor the
// corners where window borders meet look like.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <map>
#include <vector>

namespace {

bool IsDark(QRgb c) {
    return qGray(c) < 96;
}

// Pixels of a run of dark pixels through each pixel, counted from it in one direction.
class Runs {
public:
    Runs(const QImage& image, int dx, int dy) : w_(image.width()), h_(image.height()) {
        length_.assign(static_cast<std::size_t>(w_) * h_, 0);
        // Walk against the direction, so that the neighbour's count is ready.
        const int xFrom = dx > 0 ? w_ - 1 : 0, xStep = dx > 0 ? -1 : 1;
        const int yFrom = dy > 0 ? h_ - 1 : 0, yStep = dy > 0 ? -1 : 1;
        for (int y = yFrom; y >= 0 && y < h_; y += yStep) {
            for (int x = xFrom; x >= 0 && x < w_; x += xStep) {
                if (!IsDark(image.pixel(x, y))) continue;
                const int nx = x + dx, ny = y + dy;
                const bool inside = nx >= 0 && nx < w_ && ny >= 0 && ny < h_;
                At(x, y) = 1 + (inside ? At(nx, ny) : 0);
            }
        }
    }
    int Length(int x, int y) const { return length_[static_cast<std::size_t>(y) * w_ + x]; }

private:
    int& At(int x, int y) { return length_[static_cast<std::size_t>(y) * w_ + x]; }
    int w_, h_;
    std::vector<int> length_;
};

bool IsBlank(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) ++counts[image.pixel(x, y)];
    int most = 0, total = 0;
    for (const auto& [colour, n] : counts) {
        most = std::max(most, n);
        total += n;
    }
    return counts.size() < 8 || most > total * 98 / 100;
}

bool ShowsAxes(const QImage& image, int scale) {
    const Runs left(image, -1, 0), right(image, 1, 0), up(image, 0, -1), down(image, 0, 1);
    const int reach = 60 * scale, off = 8 * scale;
    for (int y = off; y < image.height() - off; ++y) {
        for (int x = off; x < image.width() - off; ++x) {
            if (left.Length(x, y) < reach || right.Length(x, y) < reach) continue;
            if (up.Length(x, y) < reach || down.Length(x, y) < reach) continue;
            const bool lightAround =
                !IsDark(image.pixel(x - off, y - off)) && !IsDark(image.pixel(x + off, y - off)) &&
                !IsDark(image.pixel(x - off, y + off)) && !IsDark(image.pixel(x + off, y + off));
            if (lightAround) {
                std::printf("axes cross at %d, %d\n", x, y);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: screen_check OUT.png SCALE\n");
        return 3;
    }
    QGuiApplication app(argc, argv);
    const int scale = std::max(1, std::atoi(argv[2]));
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 3;
    const QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]))) return 3;
    if (IsBlank(image)) {
        std::printf("the screen is blank\n");
        return 1;
    }
    if (!ShowsAxes(image, scale)) {
        std::printf("no axes on the screen\n");
        return 2;
    }
    return 0;
}
