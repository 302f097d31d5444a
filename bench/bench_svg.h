#pragma once
// What the benchmarks count in the SVG files they write.
#include <QString>

#include <fstream>
#include <sstream>
#include <string>

namespace quorlin::bench {

// The coordinate pairs of the paths of an SVG file.
inline long long SvgPoints(const QString& path) {
    std::ifstream in(path.toStdString());
    std::stringstream text;
    text << in.rdbuf();
    const std::string svg = text.str();
    long long pairs = 0;
    for (std::size_t at = svg.find("<path d=\""); at != std::string::npos;
         at = svg.find("<path d=\"", at + 1)) {
        std::istringstream d(svg.substr(at + 9, svg.find('"', at + 9) - at - 9));
        std::string word;
        long long numbers = 0;
        while (d >> word)
            if (word != "M" && word != "L") ++numbers;
        pairs += numbers / 2;
    }
    return pairs;
}

}  // namespace quorlin::bench
