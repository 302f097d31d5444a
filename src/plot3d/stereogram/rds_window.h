#pragma once
// TRDSWin: the random-dot stereogram window ("RDSMENU", "rds.ini") of a 3D window. It shows the
// parent's explicit and cylindrical surfaces that carry the stereogram flag as one picture of
// random dots, drawn row by row (stereogram.h) through the canvas primitives, so the screen, the
// printer, the metafile and the SVG and EPS exports get the same dots (squares of at least two
// units on paper and in exports); there is no PiCTeX export. It works on the parent's inventory
// for its whole life, with the parent's settings and variables copied in before each drawing,
// and the parent ends it before its examples go.
#include <functional>

#include "core/timed_poll.h"
#include "plot3d/levels/plot_q_win.h"
#include "plot3d/stereogram/stereogram.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TRDSWin : public TPlotQWin {
public:
    TRDSWin(TPlotRWin& parent, QString title);
    ~TRDSWin() override;

    TPlotRWin& Parent() const { return parent_; }
    // The geometry of the last drawing.
    const TStereoGeometry& Geometry() const { return geometry_; }
    // The stereogram; 81 when Q stopped it, else 0.
    int DrawAll(platform::DeviceContext& dc) override;
    // The picture is drawn anew at the next paint (the parent's show operation, a new size).
    void Redraw();
    // The key poll, asked after each row and paced by time: PollKey on this window by default;
    // tests put in their own with its pacing.
    void SetKeyPoll(std::function<int()> poll,
                    TTimedPoll::Clock::duration interval = TTimedPoll::kInterval) {
        keyPoll_ = std::move(poll);
        keyPollInterval_ = interval;
    }
    void EnableCommand(platform::CommandState& state) override;
    // The picture holds nothing of its own to save: it closes without a question.
    bool CanClose() override { return true; }
    // The window's own help text; its help command (354) opens it at "stereogram".
    QString HelpName() const override { return QStringLiteral("RDSH"); }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    QString NormalCaption() const override { return title_; }

private:
    // Settings and variables from the parent, the geometry, and the view about the box.
    void Prepare();
    void ShowProgress(const std::string& text, int row);

    TPlotRWin& parent_;
    QString title_;
    TStereoGeometry geometry_;
    std::function<int()> keyPoll_;
    TTimedPoll::Clock::duration keyPollInterval_ = TTimedPoll::kInterval;
};

}  // namespace quorlin::plot3d
