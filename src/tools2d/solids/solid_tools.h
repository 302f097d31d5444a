#pragma once
// The solid tools of one 2D window: the cross-section dialog (786) and the surface-of-revolution
// dialog (747), made by their commands on first use, and the two 3D windows they draw in,
// "sections.qz3" and "surfrev.qz3", made through the solid-window seam
// (examples/levels/solid_windows.h) on the first request, shown again on later ones (closing
// one only hides it, and its solids accumulate), hidden with the 2D window and ended with it.
//
// Their computations: the volume of a cross-section solid, recorded on both curves; the solid
// as parametric surfaces, the letters of its ends set in the 3D window; the surface of
// revolution of a curve as a 307, the 3D window given the values of the letters the curve
// uses; and the mark of the arc on the 2D picture. A solid's texts carry the values of the
// letters it uses and the bodies of the functions it calls, as they are when it is made
// (solid_texts.h): it reads from its 3D window only the letters it follows there (its ends', a
// curve's own parameter) and the functions that cannot be written out (a JOIN or DER in the
// body), which it adds to the window's table under names of their own there, so the solids
// beside it, a recompute or a save and open leave it as it was made. A solid adds to that
// table nothing else, and takes nothing from it.
#include <QPointer>

#include <memory>
#include <vector>

#include "examples/levels/solid_windows.h"
#include "platform/device_context.h"
#include "tools2d/solids/solid_dialogs.h"

namespace quorlin::tools2d {

class TSolidTools {
public:
    explicit TSolidTools(examples::TPlot11Win& window);
    ~TSolidTools();
    TSolidTools(const TSolidTools&) = delete;
    TSolidTools& operator=(const TSolidTools&) = delete;

    // The commands they take in a window of the dimension (none in space).
    static std::vector<int> Commands(int dimension);
    // Opens the dialog of a command; false for another command.
    bool RunCommand(int id);
    std::vector<platform::Dialog*> Dialogs() const;
    // The arc of the surface dialog on the picture; 0.
    int DrawOverlays(platform::DeviceContext& dc);
    // The 3D windows hide with the 2D window, and end with it (the dialogs too).
    void Hide();
    void Close();

    TSectionDlg* Sections() const { return sections_; }
    TSurfDlg* Surfaces() const { return surfaces_; }
    // The 3D windows; null before their first request.
    examples::TSolidWindow* SectionWindow() const { return sectionWindow_.get(); }
    examples::TSolidWindow* SurfaceWindow() const { return surfaceWindow_.get(); }

    // The volume over the tools' interval and count, into the parabolic sum and its text and
    // recorded on f and g: 0, 81 when stopped, or an error number.
    int SectionVolume(int f, int g, const TSectionRequest& request);
    // The solid in "sections.qz3", beside the solids already there, its texts carrying the
    // window's user functions and the values of the letters its curves and height use: 0, the
    // parse error of a text (also in the 3D window, where a carried JOIN's argument is no
    // variable between tied ends), 20 for a text or a carried body too long, 101 for a JOIN or
    // DER on a letter written in or, in a text, on X between tied ends, or for a letter off the
    // real axis, or 4 when the window cannot be made or its inventory or function table has no
    // room. Nothing is added on failure.
    int SectionSolid(const TSectionRequest& request, const TSectionRange& range,
                     const TSectionCounts& counts);
    // The surface of revolution of example i with the tools' ranges and axis in "surfrev.qz3",
    // its texts carrying the window's user functions and the values of the letters it uses:
    // 0, 101 for a JOIN (also in a function's body), a DER on a letter written in or a letter
    // off the real axis, 4 when the window cannot be made or its inventory or function
    // table is full, 1 when a text does not parse, or 20 when one or a carried body would pass
    // its length. Nothing is added on failure.
    int RevolveSurface(int i);

private:
    // Makes the window on first use, else shows it again; null when it cannot be made.
    // The window of a slot, made at its place (0 the sections', 1 the surfaces') on first use.
    examples::TSolidWindow* OpenWindow(std::unique_ptr<examples::TSolidWindow>& slot, int titleId,
                                       int place);

    examples::TPlot11Win& window_;
    QPointer<TSectionDlg> sections_;
    QPointer<TSurfDlg> surfaces_;
    std::unique_ptr<examples::TSolidWindow> sectionWindow_;
    std::unique_ptr<examples::TSolidWindow> surfaceWindow_;
};

}  // namespace quorlin::tools2d
