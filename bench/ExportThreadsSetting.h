#pragma once
// The "ExportThreads" option of the batch runs to come, written to the
// settings file of the benchmark's own configuration folder: 1 keeps a
// list-form export on one core, 0 gives it one thread per core.

#include "logora/engine/settings/AppSettings.h"

inline void SetExportThreads(int threads)
{
    logora::AppSettings settings(logora::AppSettings::DefaultPath());
    settings.Load();
    settings.WriteProfileInt(logora::settings::kOptions, logora::settings::kExportThreads, threads);
}
