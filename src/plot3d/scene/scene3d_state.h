#pragma once
// TScene3DState: what a 3D window level keeps beside the shared scene box and observer: the
// axis ends with their lock, the line-of-sight step, the arrow length, the quiet-drawing flag,
// the box's display switches, the axes waiting for the first example, the one-shot flags of the
// inventory and colour commands, and the first differential equation and sequence. With the diagram
// file's 3D settings (TScene3DSettings) it goes both ways: StoreSceneSettings and
// LoadSceneSettings.
#include "examples/diagram/diagram_settings.h"
#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

// The scene box as drawn: shown, with the coordinates of two corners, dotted.
struct TBoxDisplay {
    bool shown = false;
    bool coords = false;
    bool dotted = false;
    friend bool operator==(const TBoxDisplay&, const TBoxDisplay&) = default;
};

struct TScene3DState {
    TAxisEnds axes;
    TBoxDisplay box;
    long double lineOfSightStep = 0.002L;
    int arrowLength = 10;           // pixels
    bool quietDrawing = false;      // draw without key polls and hints
    bool pendingAxes = false;       // the axes come on with the first example
    bool spareToolRefresh = false;  // one-shot: the next inventory change spares the tool dialogs
    bool ownSixthRole = false;      // one-shot: "colour role 6" means role 6, not the Frenet role
    int firstSystem = -1;           // the first differential equation (310), -1 none
    int firstSequence = -1;         // the first recursive sequence (312), -1 none
    friend bool operator==(const TScene3DState&, const TScene3DState&) = default;
};

// The observer, the scene box and the axis ends into the file's 3D settings, and back. Reading
// puts an eye straight above the focus a little aside.
void StoreSceneSettings(const TObserver& observer, const TSceneBox& box, const TScene3DState& state,
                        examples::TScene3DSettings& settings);
void LoadSceneSettings(const examples::TScene3DSettings& settings, TObserver& observer,
                       TSceneBox& box, TScene3DState& state);

}  // namespace quorlin::plot3d
