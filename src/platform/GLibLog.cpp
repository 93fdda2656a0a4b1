#include "platform/GLibLog.h"

#include <glib.h>
#include <mutex>

namespace kavio::platform {

namespace {

void DropLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

GLogWriterOutput DropStructuredLog(GLogLevelFlags, const GLogField*, gsize, gpointer) {
  return G_LOG_WRITER_HANDLED;
}

}  // namespace

void InstallGLibLogHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
    for (const char* domain : {"GLib", "GLib-GObject", "GLib-GIO", "gmime", "GMime", "libgsf", "libgsf:msole",
                               "libgsf:utils", "gsf"})
      g_log_set_handler(domain, levels, DropLog, nullptr);
    g_log_set_default_handler(DropLog, nullptr);
    g_log_set_writer_func(DropStructuredLog, nullptr, nullptr);
  });
}

}  // namespace kavio::platform
