#include "shell/plot_app.h"

#include <QApplication>
#include <QDateTime>

#include "core/numbers.h"
#include "core/random.h"
#include "platform/program_icon.h"
#include "platform/single_instance.h"
#include "shell/plot_frame.h"

namespace quorlin {

int TPlot::Run(const QStringList& arguments) {
    const QString fileName = JoinArguments(arguments);
    platform::SingleInstance instance;
    if (instance.TryHandOver(fileName)) return 0;
    instance.Listen();

    QApplication::setWindowIcon(platform::ProgramIcon());
    SeedRandom(static_cast<std::uint64_t>(QDateTime::currentSecsSinceEpoch()));
    InitGlobalConstants();

    TPlotFrame frame(kinds_, fileName);
    QObject::connect(&instance, &platform::SingleInstance::FileReceived, &frame,
                     [&frame](const QString& name) {
                         if (!name.isEmpty()) frame.OpenByExtension(name);
                         frame.raise();
                         frame.activateWindow();
                     });
    frame.show();
    return QApplication::exec();
}

}  // namespace quorlin
