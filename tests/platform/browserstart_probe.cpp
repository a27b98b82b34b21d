// Runs one lookup or one opener with the desktop's real associations and prints what
// happened. GIO reads the XDG folders once per process, so every setting of them gets
// a process of its own: the test starts this program with the environment it wants.
//   browserstart_probe registry   prints the two registry answers
//   browserstart_probe help       the help item
//   browserstart_probe website    the web-site button
#include "platform/gioregistry.h"
#include "platform/qtdesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

std::string shown(const tarno::RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return "text:" + *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return "number:" + std::to_string(*number);
    return "missing";
}

// Reports the message box that an opener shows, then closes it as the user would.
void reportMessageBoxes() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QString text = box->text();
        text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::printf("message\t%s\t%s\t%d\t%s\n", qPrintable(box->windowTitle()),
                    box->icon() == QMessageBox::Warning ? "warning" : "other",
                    static_cast<int>(box->buttons().size()), qPrintable(text));
        box->accept();
    });
    timer->start(10);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "registry") {
        const tarno::GioRegistry registry;
        const auto root = tarno::RegistryRoot::ClassesRoot;
        const tarno::RegistryValue cls = registry.ReadRegistryValue(root, ".html", "");
        std::printf("class\t%s\n", shown(cls).c_str());
        if (const auto* name = std::get_if<std::string>(&cls))
            std::printf("command\t%s\n", shown(registry.ReadRegistryValue(
                                                   root, *name + "\\shell\\open\\command", ""))
                                             .c_str());
        std::printf("named\t%s\n", shown(registry.ReadRegistryValue(root, ".html", "x")).c_str());
        std::printf("user\t%s\n",
                    shown(registry.ReadRegistryValue(tarno::RegistryRoot::CurrentUser, ".html", ""))
                        .c_str());
        return 0;
    }
    QApplication app(argc, argv);
    reportMessageBoxes();
    if (mode == "help")
        tarno::openHelpPageWithDesktop(nullptr);
    else if (mode == "website")
        tarno::openWebSiteWithDesktop(nullptr);
    else
        return 2;
    std::printf("done\n");
    return 0;
}
