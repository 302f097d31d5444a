#pragma once
// A small graphing window for the shell tests: a body of numbers and a label, the protection
// block and the notebook, read two-phase like every diagram window's levels; it counts its
// drawings and adds a check mark of its own to the chain.
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/file_strings.h"
#include "shell/records/file_head.h"
#include "shell/zel_win.h"
#include "support/file_readers.h"

namespace quorlin::testing {

inline constexpr int kOwnCheckId = 9001;

// The bytes of a file as it lies on disk (none when it cannot be read), a file of given bytes,
// and whether a PDF reader takes a file.
inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

class TestDiagram : public TZELWin {
public:
    explicit TestDiagram(const QString& fileName, const QString& iniName = "test2.ini")
        : TZELWin(kKind2D, fileName, iniName) {
        HandleMouseMode(resources::cmd::kMouseText);
    }

    std::vector<std::int32_t> values;
    std::string label;
    bool ownOption = false;
    int drawAllCalls = 0;
    int drawPictureCalls = 0;
    bool drewWhilePrinting = false;
    QSize drawnSize;                       // OutputSize() at the last DrawAll
    std::vector<std::int32_t> drawnFirst;  // values.front() at each DrawAll of a non-empty body
    int iniWord = 0;                       // a word of this level in int block 1

    int WriteBody(ByteWriter& out) override {
        out.I32(static_cast<std::int32_t>(values.size()));
        for (std::int32_t v : values) out.I32(v);
        if (!WriteString(out, label)) return kErrTooLarge;
        out.I16(static_cast<std::int16_t>(Protection().Mask()));
        if (Protection().IsProtected() && !WriteProtection(out)) return kErrTooLarge;
        if (const int error = WriteNotebook(out); error != kNoError) return error;
        return TZELWin::WriteBody(out);
    }

    int ReadBody(ByteReader& in, int version) override {
        std::int32_t count = 0;
        if (!in.I32(count) || count < 0 || !in.CanRead(static_cast<std::size_t>(count), 4)) {
            return kErrCannotOpenFile;
        }
        pendingValues_.assign(static_cast<std::size_t>(count), 0);
        for (std::int32_t& v : pendingValues_) in.I32(v);
        if (const int error = ReadString(in, pendingLabel_); error != kNoError) return error;
        std::int16_t mask = 0;
        if (!in.I16(mask)) return kErrCannotOpenFile;
        if (mask > 0) {
            if (const int error = ReadProtection(in, mask); error != kNoError) return error;
        }
        if (const int error = ReadNotebook(in); error != kNoError) return error;
        return TZELWin::ReadBody(in, version);
    }

    void CommitRead() override {
        values = std::move(pendingValues_);
        label = std::move(pendingLabel_);
        TZELWin::CommitRead();
    }

    void DiscardRead() override {
        pendingValues_.clear();
        pendingLabel_.clear();
        TZELWin::DiscardRead();
    }

    int DrawAll(platform::DeviceContext& dc) override {
        ++drawAllCalls;
        drewWhilePrinting = Printing().printing;
        const QSize size = OutputSize();
        drawnSize = size;
        if (!values.empty()) drawnFirst.push_back(values.front());
        dc.Painter().setPen(QPen(Qt::red, 3));
        dc.Painter().drawLine(0, 0, size.width(), size.height());
        return 0;
    }

    int DrawPicture(platform::DeviceContext&) override {
        ++drawPictureCalls;
        return 0;
    }

    void UpdateMenuChecks(bool flag) override {
        CheckMenu(kOwnCheckId, ownOption);
        TZELWin::UpdateMenuChecks(flag);
    }

    void StoreIni(IniRecord& record) const override {
        record.ints[1][0] = iniWord;
        TZELWin::StoreIni(record);
    }
    void LoadIni(const IniRecord& record) override {
        iniWord = record.ints[1][0];
        TZELWin::LoadIni(record);
    }

    // Set-up and clean-up as the platform runs them when the window is created and closed.
    void RunSetup() { Create(); }
    void CleanUp() { CleanupWindow(); }

private:
    std::vector<std::int32_t> pendingValues_;
    std::string pendingLabel_;
};

}  // namespace quorlin::testing
