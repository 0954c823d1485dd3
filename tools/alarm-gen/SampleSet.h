#pragma once
// The bundled sample set: a machine's alarm setup and its alarm history in
// the layout of every generator version.

#include <string>
#include <vector>

#include "AlarmLogSample.h"
#include "SetupSample.h"

namespace alarmgen {

// Triggers and messages of the sample machine, in `version`'s form.
SampleSetup MachineSetup(int32_t version);
// `count` alarms over the machine's triggers, starting at 1 March 2024 08:00 UTC;
// every seventh alarm names a trigger the setup does not have.
std::vector<SampleAlarm> MachineHistory(size_t count);
// Texts by event index for the embedded file of the history.
std::vector<SampleEmbeddedText> MachineEmbeddedTexts(size_t count);

// Writes the whole sample set into `folder`; false when a file cannot be written.
bool WriteSampleSet(const std::string& folder);

}  // namespace alarmgen
