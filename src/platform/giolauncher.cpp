// SPDX-License-Identifier: GPL-3.0-or-later
// GIO's default application lookup falls back to handlers of parent types (text/plain
// for text/html): a text editor, or a terminal program with no terminal, would be
// started for a web page. Only entries that declare the type themselves are taken.
#include "platform/giolauncher.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

namespace tarno {
namespace {

struct ObjectUnref {
    void operator()(gpointer object) const {
        if (object)
            g_object_unref(object);
    }
};
using AppInfo = std::unique_ptr<GAppInfo, ObjectUnref>;

struct ListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};
using AppInfoList = std::unique_ptr<GList, ListFree>;

bool suitable(GAppInfo* info, const std::string& type) {
    if (!info || !G_IS_DESKTOP_APP_INFO(info))
        return false;
    std::vector<std::string> declared;
    if (const char* const* types = g_app_info_get_supported_types(info))
        for (; *types; ++types)
            declared.emplace_back(*types);
    const bool terminal = g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(info), "Terminal");
    return isSuitableHandler(declared, terminal, type);
}

// A new reference to the first suitable handler of `address`, or null.
AppInfo chooseHandler(const std::string& address) {
    for (const std::string& type : handlerTypesFor(address)) {
        AppInfo preferred(g_app_info_get_default_for_type(type.c_str(), FALSE));
        if (suitable(preferred.get(), type))
            return preferred;
        for (const auto lookup : {&g_app_info_get_recommended_for_type,
                                  &g_app_info_get_all_for_type}) {
            const AppInfoList list(lookup(type.c_str()));
            for (GList* item = list.get(); item; item = item->next) {
                auto* info = static_cast<GAppInfo*>(item->data);
                if (suitable(info, type))
                    return AppInfo(G_APP_INFO(g_object_ref(info)));
            }
        }
    }
    return nullptr;
}

} // namespace

std::string GioLauncher::chosenHandler(const std::string& address) {
    const AppInfo info = chooseHandler(address);
    const char* id = info ? g_app_info_get_id(info.get()) : nullptr;
    return id ? std::string(id) : std::string();
}

AddressLauncher::Outcome GioLauncher::launch(const std::string& address) {
    const AppInfo info = chooseHandler(address);
    if (!info)
        return {Status::NoHandler, {}};
    GList uris{const_cast<char*>(address.c_str()), nullptr, nullptr};
    std::unique_ptr<GAppLaunchContext, ObjectUnref> context(g_app_launch_context_new());
    GError* error = nullptr;
    if (g_app_info_launch_uris(info.get(), &uris, context.get(), &error))
        return {Status::Started, {}};
    Outcome failed{Status::Failed, error ? error->message : "the program could not be started"};
    g_clear_error(&error);
    return failed;
}

} // namespace tarno
