#pragma once
// One fuzz input opened in a 2D graphing window and drawn once, offscreen, into a small image:
// a diagram file as for the diagram fuzz target (diagram_fuzz_entry.h), which must first keep
// that target's promises. Shared by the libFuzzer target and by the test that replays the seed
// corpus.
//
// The window stack this needs makes it a target of its own beside the plain reader's. Opening
// must leave a view the transforms can carry, and drawing must end: every loop of the drawing
// is bounded by the view's pixels or by the work budgets of drawing without key polls.
#include <cstddef>
#include <cstdint>

namespace quorlin {

// 0 when the input was refused (by the reader, or by the window for another kind), 1 when it
// was opened and drawn.
int RunDiagramDrawFuzzInput(const std::uint8_t* data, std::size_t size);

}  // namespace quorlin
