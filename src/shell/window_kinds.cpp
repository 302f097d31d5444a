#include "shell/window_kinds.h"

#include <QFileInfo>

#include "resources/command_ids.h"

namespace quorlin {

void WindowKindRegistry::Register(WindowKind kind, WindowCreator creator) {
    creators_[kind] = std::move(creator);
}

platform::Window* WindowKindRegistry::Create(WindowKind kind,
                                             const NewWindowRequest& request) const {
    const auto it = creators_.find(kind);
    return it == creators_.end() ? nullptr : it->second(request);
}

std::optional<WindowKind> KindOfFile(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (ext == QLatin1String("QZ2")) return WindowKind::Plot2D;
    if (ext == QLatin1String("QZ3")) return WindowKind::Plot3D;
    if (ext == QLatin1String("MA2")) return WindowKind::MapXY;
    if (ext == QLatin1String("MAZ")) return WindowKind::MapZ;
    if (ext == QLatin1String("LQZ")) return WindowKind::Logarithmic;
    return std::nullopt;
}

QString DefaultExtension(WindowKind kind) {
    switch (kind) {
        case WindowKind::Plot3D:
            return QStringLiteral(".qz3");
        case WindowKind::MapXY:
            return QStringLiteral(".ma2");
        case WindowKind::MapZ:
            return QStringLiteral(".maz");
        case WindowKind::Logarithmic:
            return QStringLiteral(".lqz");
        case WindowKind::Plot2D:
        case WindowKind::Guess:
        case WindowKind::Planets:
            break;
    }
    return QStringLiteral(".qz2");
}

std::optional<KindCommand> KindOfCommand(int commandId) {
    namespace cmd = resources::cmd;
    switch (commandId) {
        case cmd::kWindow2D:
            return KindCommand{WindowKind::Plot2D};
        case cmd::kWindow3D:
            return KindCommand{WindowKind::Plot3D};
        case cmd::kWindowGuess:
            return KindCommand{WindowKind::Guess};
        case cmd::kWindowMapXY:
            return KindCommand{WindowKind::MapXY};
        case cmd::kWindowMapZ:
            return KindCommand{WindowKind::MapZ};
        case cmd::kWindowLogX:
            return KindCommand{WindowKind::Logarithmic, 1};
        case cmd::kWindowLogY:
            return KindCommand{WindowKind::Logarithmic, 2};
        case cmd::kWindowLogXY:
            return KindCommand{WindowKind::Logarithmic, 3};
        case cmd::kWindowPlanets:
            return KindCommand{WindowKind::Planets};
        default:
            return std::nullopt;
    }
}

}  // namespace quorlin
