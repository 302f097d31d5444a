#include "plot3d/tools/example_list.h"

#include "platform/drawing_tools.h"
#include "platform/text_codec.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace {

constexpr int kFontInventory = 7;
constexpr std::size_t kMaxLineChars = 999;

}  // namespace

void ShowExampleList(platform::Dialog& dialog, int listId, TPlotRWin& window,
                     std::span<const int> examples) {
    dialog.ClearList(listId);
    dialog.SetControlFont(listId,
                          platform::ToQFont(ToFontSpec(window.Fonts().Font(kFontInventory))));
    for (const int i : examples) {
        std::string text = window.DescribeExample(i);
        if (text.size() > kMaxLineChars) text.resize(kMaxLineChars);
        dialog.AddString(listId, FromWindows1252(text));
    }
}

}  // namespace quorlin::plot3d
