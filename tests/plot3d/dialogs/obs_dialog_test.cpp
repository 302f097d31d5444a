// The observer coordinates dialog: what it shows for the default eye, what "apply" does with
// cartesian and spherical values, and the entries it refuses without moving the eye.
#include "plot3d/dialogs/obs_dialog.h"

#include <gtest/gtest.h>

#include <numbers>

#include "platform/boxes.h"
#include "plot3d/levels/plot3_win.h"
#include "resources/command_ids.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;
namespace cmd = resources::cmd;

TEST(ObserverFields, TheDefaultEyeInEachForm) {
    const Vec3 eye{15, 20, 10};
    const auto radians = ObserverFieldValues(eye, true, false);
    EXPECT_TRUE(AllNear({radians[0], radians[1], radians[2]},
                        {26.925824035672520L, 0.927295218001612L, 1.190289949682532L}, 1e-12L));
    const auto degrees = ObserverFieldValues(eye, true, true);
    EXPECT_TRUE(AllNear({degrees[1], degrees[2]}, {53.130102354156L, 68.198590513648L}, 1e-9L));
    const auto origin = ObserverFieldValues({0, 0, 0}, true, true);
    EXPECT_TRUE(AllNear({origin[0], origin[2]}, {0, 180}));
    // Back from spherical values in either unit.
    for (const bool deg : {false, true}) {
        const TEyeOrError back =
            EyeOfFieldValues(ObserverFieldValues({-7, 3, -2}, true, deg), true, deg);
        EXPECT_TRUE(AllNear({back.eye.x, back.eye.y, back.eye.z}, {-7, 3, -2}, 1e-12L)) << deg;
    }
    EXPECT_EQ(EyeOfFieldValues({10, 6e18L, 1}, true, false).error, 17);
}

class ObsDialogTest : public ::testing::Test {
protected:
    ObsDialogTest() : win(QStringLiteral("noname1.qz3")) {
        win.SizeChanged(401, 301);
        win.Create();
        win.Scene3D().axes.upper = {4, 3, 2};
        win.ComputeSceneBox();
        win.FitBoxToWindow();
        EXPECT_TRUE(win.SendCommand(cmd::kObserverCoordinates));
        dialog = win.ObserverDialog();
    }
    ~ObsDialogTest() override {
        win.ClearModified();
        win.CloseWindow();
    }

    void Type(const char* a, const char* b, const char* c) {
        dialog->SetText(TObsDlg::kFirstEdit, QString::fromLatin1(a));
        dialog->SetText(TObsDlg::kFirstEdit + 1, QString::fromLatin1(b));
        dialog->SetText(TObsDlg::kFirstEdit + 2, QString::fromLatin1(c));
    }
    Vec3 Eye() const { return win.Observer().eye; }

    platform::ScriptedPrompter prompter;
    TPlot3Win win;
    TObsDlg* dialog = nullptr;
};

TEST_F(ObsDialogTest, ApplyMovesTheEyeAndRefusalsChangeNothing) {
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(dialog->IsHidden());
    EXPECT_EQ(dialog->GetText(TObsDlg::kFirstLabel), "x =");
    Type("12", "-2*4", "3+3");
    dialog->Press(TObsDlg::kApply);
    EXPECT_TRUE(AllNear({Eye().x, Eye().y, Eye().z}, {12, -8, 6}));
    EXPECT_TRUE(win.Observer().viewMoved);

    dialog->Press(TObsDlg::kSpherical);
    EXPECT_EQ(dialog->GetText(TObsDlg::kFirstLabel), "rho =");
    dialog->Press(TObsDlg::kDegrees);
    Type("30", "45", "60");
    dialog->Press(TObsDlg::kApply);
    const long double r =
        30 * std::sin(std::numbers::pi_v<long double> / 3) / std::numbers::sqrt2_v<long double>;
    EXPECT_TRUE(AllNear({Eye().x, Eye().y, Eye().z}, {r, r, 15}, 1e-12L));

    const Vec3 kept = Eye();
    const struct {
        const char *a, *b, *c;
        int error;
    } refused[] = {
        {"100", "0", "0", 115},    // straight above the focus: always too close
        {"1e9", "10", "20", 118},  // far beyond 10000 box sizes
        {"1/0", "0", "0", 0},      // the parser's error, whatever its number
        {"10", "1e21", "20", 17},  // an angle beyond 5e18 radians
    };
    for (const auto& row : refused) {
        prompter.messages.clear();
        Type(row.a, row.b, row.c);
        dialog->Press(TObsDlg::kApply);
        ASSERT_EQ(prompter.messages.size(), 1u) << row.a;
        EXPECT_TRUE(AllNear({Eye().x, Eye().y, Eye().z}, {kept.x, kept.y, kept.z}, 0)) << row.a;
    }
    // The shown values follow a turn while the dialog shows.
    dialog->Press(TObsDlg::kSpherical);
    win.SendCommand(cmd::kTurn);
    EXPECT_EQ(dialog->GetText(TObsDlg::kFirstEdit).toStdString(), win.FormatNum(Eye().x));
    dialog->Press(2);
    EXPECT_TRUE(dialog->IsHidden());
}

TEST(ObserverDialogMaking, TheDialogIsMadeWhenFirstShownWithTheEyeOfThatMoment) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SizeChanged(401, 301);
    win.Create();
    EXPECT_EQ(win.ObserverDialog(), nullptr) << "made at set-up";
    ASSERT_EQ(win.MoveEyeTo(Vec3{-14, 9, 7}), 0);
    ASSERT_TRUE(win.SendCommand(cmd::kObserverCoordinates));
    TObsDlg* dialog = win.ObserverDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->IsHidden());
    const Vec3 eye = win.Observer().eye;
    EXPECT_TRUE(AllNear({eye.x, eye.y, eye.z}, {-14, 9, 7}));
    for (int k = 0; k < 3; ++k) {
        const long double shown[] = {eye.x, eye.y, eye.z};
        EXPECT_EQ(dialog->GetText(TObsDlg::kFirstEdit + k).toStdString(), win.FormatNum(shown[k]))
            << k;
    }
    dialog->Press(2);
    ASSERT_TRUE(win.SendCommand(cmd::kObserverCoordinates));
    EXPECT_EQ(win.ObserverDialog(), dialog) << "shown again, not made again";
    win.ClearModified();
    win.CloseWindow();
}

}  // namespace
}  // namespace quorlin::plot3d
