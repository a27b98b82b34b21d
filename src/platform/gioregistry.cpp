// GIO's answers, shaped like the registry values a browser lookup expects.
#include "platform/gioregistry.h"

#include "platform/desktopentry.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

namespace tarno {
namespace {

constexpr std::string_view kCommandSuffix = "\\shell\\open\\command";

bool equalFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && g_ascii_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GAppInfo, ObjectUnref>;

std::string entryIdOf(const AppInfo& info) {
    const char* id = info ? g_app_info_get_id(info.get()) : nullptr;
    return id ? std::string(id) : std::string();
}

RegistryValue defaultHtmlEntry() {
    std::string id = entryIdOf(AppInfo(g_app_info_get_default_for_type("text/html", FALSE)));
    if (id.empty())
        id = entryIdOf(AppInfo(g_app_info_get_default_for_uri_scheme("https")));
    if (id.empty())
        return {};
    return id;
}

RegistryValue openCommandOf(const std::string& entryId) {
    // Entry ids are file names; anything with a path separator is no entry id.
    if (entryId.empty() || entryId.find_first_of("\\/") != std::string::npos)
        return {};
    std::unique_ptr<GDesktopAppInfo, ObjectUnref> info(g_desktop_app_info_new(entryId.c_str()));
    if (!info)
        return {};
    std::unique_ptr<char, decltype(&g_free)> exec(g_desktop_app_info_get_string(info.get(), "Exec"),
                                                  &g_free);
    if (!exec)
        return {};
    std::optional<std::string> command = openCommandFromExec(exec.get());
    if (!command)
        return {};
    return *std::move(command);
}

} // namespace

RegistryValue GioRegistry::ReadRegistryValue(RegistryRoot root, const std::string& keyPath,
                                             const std::string& valueName) const {
    if (root != RegistryRoot::ClassesRoot || !valueName.empty())
        return {};
    if (equalFolded(keyPath, ".html"))
        return defaultHtmlEntry();
    const std::string_view path = keyPath;
    if (path.size() > kCommandSuffix.size() &&
        equalFolded(path.substr(path.size() - kCommandSuffix.size()), kCommandSuffix))
        return openCommandOf(keyPath.substr(0, keyPath.size() - kCommandSuffix.size()));
    return {};
}

} // namespace tarno
