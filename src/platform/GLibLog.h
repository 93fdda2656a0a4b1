#pragma once

namespace kavio::platform {

// Routes the log output of GLib, GMime and libgsf away from stderr: warnings of the libraries
// about odd input are not for the user. Safe to call more than once.
void InstallGLibLogHandlers();

}  // namespace kavio::platform
