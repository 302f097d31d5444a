#include "canvas/export_state.h"

namespace quorlin::canvas {

TExportState::TExportState(ExportHost& host)
    : ExportContext(host),
      targets_{MakePictexTarget(tex), MakeSvgTarget(svg, view), MakeEpsTarget(eps, view)} {}

TExportState::~TExportState() = default;

void TExportState::StartOutput(ExportKind kind) {
    running_[static_cast<std::size_t>(kind)] = true;
}

void TExportState::StopOutput(ExportKind kind) {
    running_[static_cast<std::size_t>(kind)] = false;
}

bool TExportState::BeginTeXExport(int framesAllowed) {
    if (!tex.PrepareTeXExport(framesAllowed)) return false;
    StartOutput(ExportKind::PicTeX);
    return true;
}

bool TExportState::BeginSvgExport() {
    if (!svg.BeginSvgExport()) return false;
    StartOutput(ExportKind::Svg);
    return true;
}

bool TExportState::BeginEpsExport(int askFrames, int frameCountProposal) {
    if (!eps.PrepareEpsExport(askFrames, frameCountProposal)) return false;
    StartOutput(ExportKind::Eps);
    return true;
}

int TExportState::FrameCount() const {
    if (Running(ExportKind::PicTeX)) return texFrameCount;
    if (Running(ExportKind::Eps)) return epsFrameCount;
    return 1;
}

bool TExportState::WriteFrame(int frame) {
    if (Running(ExportKind::PicTeX)) return tex.WriteTeXFrame(frame);
    if (Running(ExportKind::Eps)) return eps.WriteEpsFrame(frame);
    return false;
}

bool TExportState::EndExport(bool framesWritten) {
    bool ok = true;
    if (Running(ExportKind::PicTeX) && framesWritten && texFrameCount > 1)
        ok = tex.WriteAnimMaster();
    if (Running(ExportKind::Svg)) ok = svg.SvgEnd();
    running_.fill(false);
    noOverwriteQuestion = false;
    return ok;
}

void TExportState::ExportBackground() {
    Dispatch([](ExportTarget& t) { t.Background(); });
}

}  // namespace quorlin::canvas
