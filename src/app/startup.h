// Start and end of ztv-setup: single-instance guard, windows, settings, optional simulated
// controller and unattended screenshots.
#pragma once

#include <QLocale>
#include <QString>

#include <functional>

namespace ztv {

// The desktop language as a Windows language identifier (1049 Russian, 1058 Ukrainian, 1033
// otherwise), which decides the default language of a first run.
int system_language_id(const QLocale& locale);

int run_setup_program(int argc, char** argv);

// Runs body; an exception that escapes it is reported and makes the exit status 1.
int run_guarded(const std::function<int()>& body, const std::function<void(const QString&)>& report);

}  // namespace ztv
