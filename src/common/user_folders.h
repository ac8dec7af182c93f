// The folders the system gives this user for a program's files: settings that follow the user
// from machine to machine (Windows' roaming application data, XDG_CONFIG_HOME elsewhere) and
// data kept on this machine (Windows' local application data, XDG_DATA_HOME). Empty when the
// system names none; never the folder the program was started from.
#pragma once

#include <string>

namespace ztv {

std::string user_settings_folder();
std::string user_data_folder();

}  // namespace ztv
