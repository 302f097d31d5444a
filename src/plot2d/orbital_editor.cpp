#include "plot2d/orbital_editor.h"

namespace quorlin::plot2d {

namespace {

TOrbitalEditorRun& Editor() {
    static TOrbitalEditorRun editor;
    return editor;
}

}  // namespace

void SetOrbitalEditor(TOrbitalEditorRun run) {
    Editor() = std::move(run);
}

const TOrbitalEditorRun& GetOrbitalEditor() {
    return Editor();
}

}  // namespace quorlin::plot2d
