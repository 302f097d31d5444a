#pragma once
// Diagram bodies laid out by hand from the file's tables, block by block, for the tests of the
// body reader: the settings words, flags and numbers at their positions, and each later block
// field by field. The records inside the blocks go through their own codecs (tested on their
// own); the body writer is never used here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/records/text_record.h"
#include "core/binio.h"
#include "core/file_strings.h"
#include "examples/records/record_codec.h"

namespace quorlin::examples::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

template <class Write>
Bytes Laid(Write write) {
    ByteWriter out;
    write(out);
    return out.Take();
}

inline void Patch16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xff);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// One example group: record, trajectories, marked points, seven texts, a 21-byte name.
inline Bytes Group(const TExample& e, const std::string& name = "", bool familyMark = false) {
    return Laid([&](ByteWriter& out) {
        WriteExampleRecord(out, e, familyMark);
        WriteTrajectoryList(out, e.trajectories);
        WriteMarkedPointList(out, e.markedPoints);
        for (const std::string& text : e.texts) WriteString(out, text);
        out.FixedText(name, 21);
    });
}

// An equation label for example k.
inline Bytes Label(int k) {
    canvas::TEquationLabel label;
    label.number = static_cast<std::uint16_t>(k);
    label.text = "label " + std::to_string(k);
    return Laid([&](ByteWriter& out) { label.Write(out); });
}

// The blocks of a body of a plain 2D window. The words and flags that announce blocks (last
// index, bitmap, protection, evaluated texts, notebook) are set from what the file holds when
// the blocks are laid out.
struct HandBody {
    int version = 41;
    std::array<std::uint16_t, 80> words{};
    std::array<std::uint8_t, 50> flags{};
    std::array<long double, 80> numbers{};
    std::array<std::uint32_t, 40> steps{};
    std::array<std::uint32_t, 40> pageSteps{};
    std::vector<Bytes> groups;
    std::array<std::string, 3> axisLabels{"x", "y", "z"};
    int protectionMask = 0;
    Bytes protection;
    std::array<long double, 81> parameters{};  // real parts, or with complexParameters pairs
    std::vector<long double> complexParameters;
    Bytes userFunctions{0, 0};
    Bytes texts{0, 0};
    std::optional<Bytes> evalTexts;
    Bytes pictures{0, 0};
    std::optional<Bytes> equationLabels;  // one label per group when not given
    Bytes shading{0, 0};
    Bytes sketch{0, 0, 0, 0};
    std::optional<std::string> notebook;
    std::optional<Bytes> bitmapName;

    HandBody() {
        for (auto [i, v] :
             {std::pair{0, 4}, {1, 125},  {4, 1},   {5, 1},    {6, 10}, {7, 7},    {11, 3},
              {14, 15},        {16, 3},   {18, 12}, {19, 30},  {38, 1}, {39, 112}, {40, 12},
              {41, 20},        {44, 891}, {46, 50}, {48, 176}, {49, 1}, {52, 1}})
            words[i] = static_cast<std::uint16_t>(v);
        for (int i : {4, 5, 10, 11, 12, 19, 47, 48}) flags[i] = 1;
        for (int i = 22; i <= 46; ++i) flags[i] = 1;
        constexpr std::pair<int, long double> kNumbers[] = {
            {2, 5},  {3, -5},    {4, 5},  {5, -5},   {6, 5},     {7, 1},
            {8, 1},  {9, 1},     {25, 2}, {34, 5},   {35, 1000}, {41, 1},
            {45, 5}, {46, 1000}, {48, 5}, {49, 100}, {51, 5},    {52, 100}};
        for (auto [i, v] : kNumbers) numbers[i] = v;
        steps.fill(100);
        pageSteps.fill(10);
    }

    // Every block of the body in file order, as the version and the announcements want them.
    std::vector<Bytes> Blocks() const {
        std::array<std::uint16_t, 80> w = words;
        std::array<std::uint8_t, 50> f = flags;
        w[9] = static_cast<std::uint16_t>(static_cast<int>(groups.size()) - 1);
        w[29] = bitmapName ? 137 : 0;
        w[42] = static_cast<std::uint16_t>(protectionMask);
        w[45] = evalTexts ? 1945 : 0xFFFF;
        f[17] = notebook ? 0 : 1;
        std::vector<Bytes> blocks;
        blocks.push_back(Laid([&](ByteWriter& out) {
            for (auto v : w) out.U16(v);
        }));
        blocks.push_back(Bytes(f.begin(), f.end()));
        blocks.push_back(Laid([&](ByteWriter& out) {
            for (auto v : numbers) out.LongDouble(v);
        }));
        if (version >= 32) {
            for (const auto* table : {&steps, &pageSteps})
                blocks.push_back(Laid([&](ByteWriter& out) {
                    for (auto v : *table) out.U32(v);
                }));
        }
        for (const Bytes& g : groups) blocks.push_back(g);
        blocks.push_back(Laid([&](ByteWriter& out) {
            for (const auto& label : axisLabels) WriteString(out, label);
        }));
        if (protectionMask != 0) blocks.push_back(protection);
        blocks.push_back(Laid([&](ByteWriter& out) {
            if (complexParameters.empty())
                for (long double v : parameters) out.LongDouble(v);
            else
                for (long double v : complexParameters) out.LongDouble(v);
        }));
        blocks.push_back(Bytes(51, 0));
        blocks.push_back(userFunctions);
        blocks.push_back(texts);
        if (evalTexts) blocks.push_back(*evalTexts);
        blocks.push_back(pictures);
        if (equationLabels) {
            blocks.push_back(*equationLabels);
        } else {
            Bytes labels =
                Laid([&](ByteWriter& out) { out.I16(static_cast<std::int16_t>(groups.size())); });
            for (std::size_t k = 0; k < groups.size(); ++k) {
                const Bytes one = Label(static_cast<int>(k));
                labels.insert(labels.end(), one.begin(), one.end());
            }
            blocks.push_back(labels);
        }
        blocks.push_back(shading);
        if (version >= 24) blocks.push_back(sketch);
        if (notebook)
            blocks.push_back(Laid([&](ByteWriter& out) { WriteNotebook(out, *notebook); }));
        if (bitmapName) blocks.push_back(*bitmapName);
        return blocks;
    }

    Bytes Body() const { return Concat(Blocks()); }
};

}  // namespace quorlin::examples::testing
