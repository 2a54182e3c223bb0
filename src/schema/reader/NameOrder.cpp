#include "NameOrder.h"

#include <glib.h>

#include <memory>

std::string foldedName(const std::string& name) {
    if (!g_utf8_validate(name.data(), gssize(name.size()), nullptr))
        return name;
    std::unique_ptr<gchar, decltype(&g_free)> folded(g_utf8_casefold(name.data(), gssize(name.size())),
                                                     g_free);
    return folded ? std::string(folded.get()) : name;
}
